#include "format/aquon.h"
#include "format/swimVocabulary.h"
#include "foundation/gvkErrors.h"
#include "tests/format/readerTestSupport.h"

#include <gtest/gtest.h>

namespace {

// An Aquon text with the given competitions, one element per line.
QByteArray Meet(const QByteArray &competitions)
{
  return QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                    "<AQUON>\n"
                    "<VERSION>01.03.0007</VERSION>\n"
                    "<COMPETITIONS>\n") +
         competitions + "</COMPETITIONS>\n</AQUON>\n";
}

// The line of the first occurrence of `marker` in `text`, counted from 1.
int LineOf(const QByteArray &text, const char *marker)
{
  const qsizetype at = text.indexOf(marker);
  return at < 0 ? 0 : int(text.left(at).count('\n')) + 1;
}

TAqnObject *Object(TAqnAbstractElement *element)
{
  return dynamic_cast<TAqnObject *>(element);
}

QStringList ChildTags(const TAqnAbstractObject &object)
{
  QStringList tags;
  for (const auto &child : object.Children())
    tags.append(child->TagName());
  return tags;
}

// Every test starts from the built-in German texts.
class Document : public ::testing::Test
{
protected:
  void SetUp() override { ResetVocabularyTexts(); }
  void TearDown() override { ResetVocabularyTexts(); }

  // Loads, indexes and selects the first competition; the text must load without errors.
  TAquon &Load(const QByteArray &text)
  {
    FDocument = LoadBytes(text);
    EXPECT_TRUE(FDocument->Errors().isEmpty()) << FDocument->Errors().join('\n').toStdString();
    FDocument->BuildIndex();
    if (FDocument->HasCompetitions())
      FDocument->SelectCompetition(0);
    return *FDocument;
  }

  std::unique_ptr<TAquon> FDocument;
};

TEST_F(Document, IndexingAppendsMissingDefaultsAsLastChildren)
{
  TAquon &document = Load(Meet("<COMPETITION>\n<NAME>Cup</NAME>\n<PERIODS>\n<PERIOD>\n"
                               "<EVENTS>\n<EVENT id=\"1\">\n<NUM>1</NUM>\n<STR>FR</STR>\n"
                               "</EVENT>\n</EVENTS>\n</PERIOD>\n</PERIODS>\n</COMPETITION>\n"));
  TAqnObject *competition = document.Competition();
  ASSERT_TRUE(competition);
  EXPECT_EQ(ChildTags(*competition), QStringList({"NAME", "PERIODS", "PL", "PM", "TI"}));
  EXPECT_EQ(competition->GetText(aqtPL), QStringLiteral("50"));
  EXPECT_EQ(competition->GetText(aqtPM), QStringLiteral("m"));
  EXPECT_EQ(competition->GetText(aqtTI), QStringLiteral("A"));
  TAqnObject *event = document.EventById(1);
  ASSERT_TRUE(event);
  EXPECT_EQ(ChildTags(*event), QStringList({"NUM", "STR", "DISCNT", "SEX", "TYPE"}));
  EXPECT_EQ(event->GetText(aqtDISCNT), QStringLiteral("1"));
  EXPECT_EQ(event->GetText(aqtSEX), QStringLiteral("X"));
  EXPECT_EQ(event->GetText(aqtTYPE), QStringLiteral("TIM"));
}

TEST_F(Document, PresentValuesAreKeptExceptASwimmerCountOfZero)
{
  struct Case
  {
    const char *Children;
    const char *Discnt, *Sex, *Type;
  };
  const Case cases[] = {
      {"<DISCNT>0</DISCNT>", "1", "X", "TIM"},
      {"<DISCNT>x</DISCNT>", "1", "X", "TIM"},
      {"<DISCNT>4</DISCNT><TYPE>FIN</TYPE>", "4", "X", "FIN"},
      {"<SEX></SEX>", "1", "", "TIM"},
      {"<SEX>F</SEX><TYPE></TYPE>", "1", "F", ""},
  };
  for (const Case &c : cases) {
    const QByteArray text = Meet(QByteArray("<COMPETITION><PL>25</PL><PM>y</PM><TI>M1</TI><PERIODS>"
                                            "<PERIOD><EVENTS><EVENT id=\"1\">") +
                                 c.Children + "</EVENT></EVENTS></PERIOD></PERIODS></COMPETITION>");
    TAquon &document = Load(text);
    TAqnObject *event = document.EventById(1);
    ASSERT_TRUE(event) << c.Children;
    EXPECT_EQ(event->GetText(aqtDISCNT), QString::fromLatin1(c.Discnt)) << c.Children;
    EXPECT_EQ(event->GetText(aqtSEX), QString::fromLatin1(c.Sex)) << c.Children;
    EXPECT_TRUE(event->HasChild(aqtSEX)) << c.Children;
    EXPECT_EQ(event->GetText(aqtTYPE), QString::fromLatin1(c.Type)) << c.Children;
    EXPECT_EQ(ChildTags(*document.Competition()).mid(0, 3), QStringList({"PL", "PM", "TI"}));
    EXPECT_EQ(document.Competition()->GetText(aqtPL), QStringLiteral("25"));
    EXPECT_EQ(document.PoolMeasure(), QStringLiteral("y"));
  }
}

const QByteArray DuplicatesMeet =
    Meet("<COMPETITION>\n"
         "<PERIODS>\n<PERIOD>\n<EVENTS>\n"
         "<EVENT id=\"3\">\n<NUM>1</NUM>\n<CATS>\n<CAT id=\"1\">\n</CAT>\n<CAT id=\"1\">\n</CAT>\n"
         "<CAT id=\"2\">\n</CAT>\n</CATS>\n</EVENT>\n"
         "<EVENT id=\"4\">\n<NUM>2</NUM>\n<CATS>\n<CAT id=\"1\">\n</CAT>\n</CATS>\n</EVENT>\n"
         "<EVENT id=\"3\">\n<NUM>9</NUM>\n</EVENT>\n"
         "</EVENTS>\n</PERIOD>\n</PERIODS>\n"
         "<CLUBS>\n<CLUB>\n<PERSONS>\n"
         "<PERSON id=\"5\">\n<NAME>First</NAME>\n</PERSON>\n"
         "</PERSONS>\n</CLUB>\n<CLUB>\n<PERSONS>\n"
         "<PERSON id=\"2\">\n<NAME>Other</NAME>\n</PERSON>\n"
         "<PERSON id=\"5\">\n<NAME>Second</NAME>\n<ENTRIES>\n<ENTRY>\n<EID>4</EID>\n</ENTRY>\n"
         "</ENTRIES>\n</PERSON>\n"
         "</PERSONS>\n</CLUB>\n</CLUBS>\n"
         "</COMPETITION>\n"
         "<COMPETITION>\n<PERIODS>\n<PERIOD>\n<EVENTS>\n<EVENT id=\"3\">\n<NUM>7</NUM>\n</EVENT>\n"
         "</EVENTS>\n</PERIOD>\n</PERIODS>\n<CLUBS>\n<CLUB>\n<PERSONS>\n<PERSON id=\"5\">\n"
         "</PERSON>\n</PERSONS>\n</CLUB>\n</CLUBS>\n</COMPETITION>\n");

TEST_F(Document, DuplicateIdsAreErrorsWithTheirLinesAndMarks)
{
  std::unique_ptr<TAquon> document = LoadBytes(DuplicatesMeet);
  ASSERT_TRUE(document->Errors().isEmpty());
  document->BuildIndex();
  const QByteArray &text = DuplicatesMeet;
  const int secondCat = LineOf(text, "<CAT id=\"1\">\n</CAT>\n<CAT id=\"1\">") + 2;
  const int secondEvent = LineOf(text, "<EVENT id=\"3\">\n<NUM>9");
  const int secondPerson = LineOf(text, "<PERSON id=\"5\">\n<NAME>Second");
  EXPECT_EQ(document->Errors(),
            QStringList({QStringLiteral("Line %1: Duplicate CAT id !").arg(secondCat),
                         QStringLiteral("Line %1: Duplicate EVENT id !").arg(secondEvent),
                         QStringLiteral("Line %1: Duplicate PERSON id !").arg(secondPerson)}));

  document->SelectCompetition(0);
  TAqnObject *first = document->PersonById(5);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->GetText(aqtNAME), QStringLiteral("First"));
  EXPECT_EQ(first->ErrorLevel, 0);
  auto *second = Object(FirstElement(document->Root(), aqtENTRIES)->Parent());
  ASSERT_TRUE(second);
  EXPECT_EQ(second->GetText(aqtNAME), QStringLiteral("Second"));
  EXPECT_EQ(second->ErrorLevel, 3);
  // The duplicate's entries are not counted.
  EXPECT_EQ(document->EventById(4)->Flags, 0);
  EXPECT_EQ(document->Competition()->Flags, 0);

  TAqnObject *event = document->EventById(3);
  ASSERT_TRUE(event);
  EXPECT_EQ(event->GetInt(aqtNUM), 1);
  EXPECT_EQ(document->EventByNumber(9), nullptr);
  EXPECT_EQ(document->IndexOf(0).Cats.Count(), 3); // 3=1, 3=2 and 4=1
  EXPECT_TRUE(document->IndexOf(0).Cats.Find(QStringLiteral("4=1")));

  // The same ids in the second competition are its own.
  EXPECT_EQ(document->MaxPersonId(1), 5);
  document->SelectCompetition(1);
  ASSERT_TRUE(document->EventById(3));
  EXPECT_EQ(document->EventById(3)->GetInt(aqtNUM), 7);
  EXPECT_EQ(document->EventById(3)->ErrorLevel, 0);
}

TEST_F(Document, AddPersonHandsOutIdsAboveTheLargestAndNeverTwice)
{
  std::unique_ptr<TAquon> document = LoadBytes(DuplicatesMeet);
  document->BuildIndex();
  document->SelectCompetition(0);
  EXPECT_EQ(document->MaxPersonId(0), 5);

  TAqnObject six(aqtPERSON);
  document->AddPerson(six);
  EXPECT_EQ(six.Id, 6);
  EXPECT_EQ(document->PersonById(6), &six);
  EXPECT_EQ(document->MaxPersonId(0), 6);

  document->RemovePersonId(6);
  EXPECT_EQ(document->PersonById(6), nullptr);
  TAqnObject seven(aqtPERSON);
  document->AddPerson(seven);
  EXPECT_EQ(seven.Id, 7);
  document->RemovePersonId(42);                       // absent: nothing happens
  EXPECT_EQ(document->IndexOf(0).Persons.Count(), 3); // 2, 5 and 7
}

TEST_F(Document, WithoutSelectedCompetitionLookupsFindNothing)
{
  std::unique_ptr<TAquon> document = LoadBytes(DuplicatesMeet);
  TAqnObject person(aqtPERSON);
  EXPECT_EQ(document->PersonById(5), nullptr); // not indexed yet
  EXPECT_THROW(document->AddPerson(person), EGvkAssertion);
  document->BuildIndex();
  document->SelectCompetition(5);
  EXPECT_EQ(document->Competition(), nullptr);
  EXPECT_EQ(document->PoolMeasure(), QStringLiteral("m"));
  EXPECT_EQ(document->PersonById(5), nullptr);
  EXPECT_EQ(document->EventByNumber(1), nullptr);
  EXPECT_THROW(document->AddPerson(person), EGvkAssertion);
  EXPECT_EQ(document->IndexOf(-1).Persons.Count(), 0);
}

TEST_F(Document, IndexRunsOncePerTree)
{
  std::unique_ptr<TAquon> document = LoadBytes(DuplicatesMeet);
  EXPECT_FALSE(document->Indexed());
  document->BuildIndex();
  document->BuildIndex();
  EXPECT_TRUE(document->Indexed());
  EXPECT_EQ(document->Errors().size(), 3);
  QBuffer empty;
  empty.open(QIODevice::ReadOnly);
  document->LoadFromDevice(empty, QStringLiteral("none.aqe"));
  EXPECT_FALSE(document->Indexed());
  EXPECT_EQ(document->IndexOf(0).Persons.Count(), 0);
}

TEST_F(Document, EntriesAndResultsMarkClubsCompetitionAndEvents)
{
  TAquon &document =
      Load(Meet("<COMPETITION><PERIODS><PERIOD><EVENTS>"
                "<EVENT id=\"1\"/><EVENT id=\"2\"/><EVENT id=\"3\"/></EVENTS></PERIOD></PERIODS>"
                "<CLUBS>"
                "<CLUB><PERSONS><PERSON id=\"1\"><ENTRIES><ENTRY><EID>1</EID></ENTRY></ENTRIES>"
                "<RESULTS></RESULTS></PERSON></PERSONS></CLUB>"
                "<CLUB><RELAYS><RELAY id=\"1\"><RESULTS><RESULT><EID>2</EID></RESULT>"
                "<RESULT><EID>99</EID></RESULT></RESULTS></RELAY></RELAYS></CLUB>"
                "</CLUBS></COMPETITION>"));
  auto *clubs = document.Competition()->FindChild(aqtCLUBS)->AsObject();
  EXPECT_EQ(Object(clubs->Items(0))->Flags, ofEntries | ofPersonEntries);
  EXPECT_EQ(Object(clubs->Items(1))->Flags, ofResults | ofRelayResults);
  EXPECT_EQ(document.Competition()->Flags,
            ofEntries | ofPersonEntries | ofResults | ofRelayResults);
  EXPECT_EQ(document.EventById(1)->Flags, ofEntries);
  EXPECT_EQ(document.EventById(2)->Flags, ofResults);
  EXPECT_EQ(document.EventById(3)->Flags, 0);
}

TEST_F(Document, EventIndexIsOrderedByIdText)
{
  // "10" comes before "9"; only timed finals and preliminaries take entries.
  TAquon &document = Load(Meet("<COMPETITION><PERIODS><PERIOD><EVENTS>"
                               "<EVENT id=\"9\"><NUM>1</NUM></EVENT>"
                               "<EVENT id=\"10\"><NUM>1</NUM><TYPE>PRE</TYPE></EVENT>"
                               "<EVENT id=\"2\"><NUM>5</NUM><TYPE>FIN</TYPE></EVENT>"
                               "<EVENT id=\"7\"><NUM>5</NUM><TYPE>PRE</TYPE></EVENT>"
                               "<EVENT id=\"3\"><NUM>6</NUM><TYPE>SEM</TYPE></EVENT>"
                               "</EVENTS></PERIOD></PERIODS></COMPETITION>"));
  QStringList keys;
  for (auto it = document.IndexOf(0).Events.begin(); it != document.IndexOf(0).Events.end(); ++it)
    keys.append(it.key());
  EXPECT_EQ(keys, QStringList({"10", "2", "3", "7", "9"}));
  ASSERT_TRUE(document.EventByNumber(1));
  EXPECT_EQ(document.EventByNumber(1)->Id, 10);
  ASSERT_TRUE(document.EventByNumber(5));
  EXPECT_EQ(document.EventByNumber(5)->Id, 7);
  EXPECT_EQ(document.EventByNumber(6), nullptr);
  EXPECT_EQ(document.EventByNumber(0), nullptr);
}

TEST_F(Document, CompetitionYearIsTheYearOfTheLatestPeriodDate)
{
  TAquon &document = Load(Meet(
      "<COMPETITION><PERIODS>"
      "<PERIOD><DATE>20071230</DATE></PERIOD><PERIOD><DATE>20080105</DATE></PERIOD>"
      "<PERIOD><DATE>2008xx05</DATE></PERIOD><PERIOD/>"
      "</PERIODS></COMPETITION>"
      "<COMPETITION><PERIODS><PERIOD/><PERIOD><DATE></DATE></PERIOD></PERIODS></COMPETITION>"));
  EXPECT_EQ(document.CompetitionYear(), 2008);
  document.SelectCompetition(1);
  EXPECT_EQ(document.CompetitionYear(), 0);
  auto *periods = document.Competition()->FindChild(aqtPERIODS)->AsObject();
  for (const auto &period : periods->Children()) {
    EXPECT_EQ(ChildTags(*period->AsObject()), QStringList({"DATE"}));
    EXPECT_EQ(period->AsObject()->GetText(aqtDATE), QString());
  }
}

TEST_F(Document, AgeGroupTextsFromYearBounds)
{
  TAquon &document =
      Load(Meet("<COMPETITION><PERIODS><PERIOD><DATE>20080510</DATE></PERIOD></PERIODS>"
                "</COMPETITION>"));
  struct Case
  {
    const char *Cat;
    const char *Text;
  };
  const Case cases[] = {
      {"<MAX>1996</MAX><MIN>1995</MIN>", "12 - 13 Jahre"},
      {"<MAX>1996</MAX><MIN>1996</MIN>", "12 Jahre"},
      {"<MAX>-1</MAX><MIN>1998</MIN>", "10 Jahre und jünger"},
      {"<MAX>1988</MAX><MIN>-1</MIN>", "20 Jahre und älter"},
      {"<MAX>-1</MAX><MIN>-1</MIN>", "allg. Kategorie"},
      {"", "allg. Kategorie"}, // a bound that is missing (or "0", dropped at saving)
      {"<MAX>1908</MAX><MIN>1889</MIN>", "AK.  100 - 119"},
      {"<MAX>1996</MAX><MIN>1995</MIN><NAME>Jugend B</NAME><SEX>F</SEX>",
       "12 - 13 Jahre, Jugend B, Damen"},
      {"<MAX>1996</MAX><MIN>1995</MIN><SEX>X</SEX>", "12 - 13 Jahre, mixed"},
  };
  for (const Case &c : cases) {
    const std::unique_ptr<TAquon> cat =
        LoadBytes(QByteArray("<AQUON><CAT>") + c.Cat + "</CAT></AQUON>");
    ASSERT_TRUE(cat->Root());
    auto *group = Object(FirstElement(cat->Root(), aqtCAT));
    ASSERT_TRUE(group) << c.Cat;
    EXPECT_EQ(document.AgeGroupText(group), QString::fromUtf8(c.Text)) << c.Cat;
  }
  EXPECT_EQ(document.AgeGroupText(nullptr), QStringLiteral("allg. Kategorie"));
}

TEST_F(Document, EventNamesFollowThePoolMeasure)
{
  struct Case
  {
    const char *Pm;
    const char *Event;
    const char *Name;
  };
  const Case cases[] = {
      {"m", "<STR>FR</STR><DIS>100</DIS><DISCNT>1</DISCNT>", "100m Freistil"},
      {"y", "<STR>FR</STR><DIS>100</DIS><DISCNT>1</DISCNT>", "100y Freistil"},
      {"y", "<STR>BR</STR><DIS>50</DIS><DISCNT>4</DISCNT>", "4 x 50y Brust"},
      {"", "<STR>IM</STR><DIS>200</DIS>", "200m Vierlagen"},
      {"y", "<STR>XX</STR><DIS>100</DIS><NAME>Staffel 4 x 50m mixed</NAME>",
       "Staffel 4 x 50y mixed"},
      // Only the unit letter of a distance changes, never a letter of a word.
      {"y", "<STR>XX</STR><NAME>Schmetterling 100 m</NAME>", "Schmetterling 100 y"},
      {"y", "<STR>XX</STR><NAME>Team medley</NAME>", "Team medley"},
      {"m", "<STR>XX</STR><NAME>Schmetterling 100m</NAME>", "Schmetterling 100m"},
  };
  for (const Case &c : cases) {
    TAquon &document = Load(Meet(QByteArray("<COMPETITION><PM>") + c.Pm +
                                 "</PM><PERIODS><PERIOD><EVENTS><EVENT id=\"1\">" + c.Event +
                                 "</EVENT></EVENTS></PERIOD></PERIODS></COMPETITION>"));
    ASSERT_TRUE(document.EventById(1));
    EXPECT_EQ(document.EventName(*document.EventById(1)), QString::fromUtf8(c.Name)) << c.Event;
  }
}

TEST_F(Document, EventNameWithAgeGroup)
{
  TAquon &document =
      Load(Meet("<COMPETITION><PERIODS><PERIOD><DATE>20080510</DATE><EVENTS><EVENT id=\"1\">"
                "<STR>BA</STR><DIS>200</DIS><CATS><CAT id=\"1\"><MAX>1996</MAX><MIN>1995</MIN>"
                "</CAT></CATS></EVENT></EVENTS></PERIOD></PERIODS></COMPETITION>"));
  TAqnObject *event = document.EventById(1);
  ASSERT_TRUE(event);
  TAqnObject *cat = document.IndexOf(0).Cats.Find(QStringLiteral("1=1"));
  ASSERT_TRUE(cat);
  EXPECT_EQ(document.EventName(*event, cat), QStringLiteral(u"200m Rücken, 12 - 13 Jahre"));
}

TEST_F(Document, EntrantNames)
{
  const std::unique_ptr<TAquon> document =
      LoadBytes("<AQUON>"
                "<PERSON><NAME>Meier</NAME><FNAME>Anna</FNAME><YOB>2005</YOB><SEX>F</SEX></PERSON>"
                "<PERSON><NAME>Ott</NAME><FNAME>Jan</FNAME><YOB>1999</YOB></PERSON>"
                "<RELAY><NUM>2</NUM><SEX>F</SEX></RELAY>"
                "<RELAY><NUM>1</NUM><NAME>SV Nord I</NAME><SEX>M</SEX></RELAY>"
                "<RELAY><NUM>3</NUM></RELAY>"
                "</AQUON>");
  ASSERT_TRUE(document->Root());
  QStringList names;
  for (const auto &child : document->Root()->Children())
    names << TAquon::EntrantName(*child->AsObject(), true)
          << TAquon::EntrantName(*child->AsObject(), false);
  EXPECT_EQ(names, QStringList({"Meier Anna, 05", "Meier Anna, 05", "Ott Jan, 99", "Ott Jan, 99",
                                "2. Mannschaft, Damen", "2. Mannschaft", "SV Nord I, Herren",
                                "SV Nord I", "3. Mannschaft, mixed", "3. Mannschaft"}));
}

TEST_F(Document, RelaysAreRenumberedAcrossCompetitions)
{
  TAquon &document =
      Load(Meet("<COMPETITION><CLUBS><CLUB><RELAYS><RELAY id=\"7\"/><RELAY/></RELAYS></CLUB>"
                "<CLUB><RELAYS><RELAY id=\"7\"/></RELAYS></CLUB></CLUBS></COMPETITION>"
                "<COMPETITION><CLUBS><CLUB><RELAYS><RELAY id=\"1\"/></RELAYS></CLUB></CLUBS>"
                "</COMPETITION>"));
  document.RenumberRelays();
  QList<int> ids;
  document.Root()->ForEachDescendant([&ids](TAqnAbstractElement *element) {
    if (element->Tag == aqtRELAY)
      ids.append(Object(element)->Id);
    return true;
  });
  EXPECT_EQ(ids, QList<int>({1, 2, 3, 4}));
}

TEST_F(Document, NewDocumentCarriesVersionAndCreatorRecord)
{
  TAquon document;
  document.NewDocument(QStringLiteral("Quillet"), QStringLiteral("1.2.3.4"));
  ASSERT_TRUE(document.Root());
  EXPECT_EQ(document.Root()->Tag, aqtAQUON);
  EXPECT_EQ(document.Root()->GetText(aqtVERSION), QStringLiteral("01.03.0007"));
  EXPECT_FALSE(document.HasCompetitions());
  auto *creator = Object(document.Root()->FindChild(aqtCONSTRUCTOR));
  ASSERT_TRUE(creator);
  EXPECT_EQ(ChildTags(*creator), QStringList({"NAME", "VERSION", "CONTACT"}));
  auto *contact = Object(creator->FindChild(aqtCONTACT));
  ASSERT_TRUE(contact);
  EXPECT_EQ(ChildTags(*contact),
            QStringList({"NAME", "FNAME", "STREET", "ZIP", "PLACE", "PHONE", "EMAIL", "INTERNET"}));
  EXPECT_EQ(contact->GetText(aqtNAME), QStringLiteral("Marovia"));
  EXPECT_EQ(contact->GetText(aqtFNAME), QStringLiteral("Crewbook"));
  EXPECT_EQ(contact->GetText(aqtSTREET), QStringLiteral(" "));
  EXPECT_TRUE(contact->GetText(aqtEMAIL).contains(QLatin1Char('@')));
  EXPECT_EQ(document.FileInfoText(),
            QStringLiteral("AQUON version 01.03.0007 created with :\r\nQuillet, version 1.2.3.4"));
}

TEST_F(Document, FileInfoWithoutCreator)
{
  TAquon document;
  EXPECT_EQ(document.FileInfoText(), QStringLiteral("AQUON version  created with :\r\n, version "));
  document.SetRoot(std::make_unique<TAqnObject>(aqtAQUON));
  document.Root()->SetText(aqtVERSION, QStringLiteral("01.02.0004"));
  EXPECT_EQ(document.FileInfoText(),
            QStringLiteral("AQUON version 01.02.0004 created with :\r\n, version "));
}

} // namespace
