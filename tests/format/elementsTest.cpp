#include "format/aqnElements.h"
#include "foundation/gvkErrors.h"

#include <gtest/gtest.h>

namespace {

QStringList XmlLines(TAqnAbstractElement &element)
{
  QStringList lines;
  element.WriteXml(lines);
  return lines;
}

TEST(Attributes, KeepOrderOfFirstSettingAndReplaceInPlace)
{
  TAqnDataElement fee(aqtFEE, QStringLiteral("500"));
  fee.SetAttribute(aqaCURRENCY, QStringLiteral("EUR"));
  fee.SetAttribute(aqaTYPE, QStringLiteral("a"));
  fee.SetAttribute(aqaNATION, QStringLiteral("GER"));
  fee.SetAttribute(aqaCURRENCY, QStringLiteral("CHF"));
  EXPECT_EQ(fee.AttributeCount(), 3);
  EXPECT_EQ(fee.AttributesText(), QStringLiteral("currency=\"CHF\" type=\"a\" nation=\"GER\""));

  fee.RemoveAttribute(aqaCURRENCY);
  EXPECT_EQ(fee.AttributesText(), QStringLiteral("type=\"a\" nation=\"GER\""));
  fee.RemoveAttribute(aqaDIS); // absent: nothing happens
  EXPECT_EQ(fee.AttributeCount(), 2);
  EXPECT_EQ(fee.GetAttribute(aqaNATION), QStringLiteral("GER"));
  EXPECT_EQ(fee.GetAttribute(aqaCURRENCY), QString());
  EXPECT_EQ(fee.OpenTagText(), QStringLiteral("<FEE type=\"a\" nation=\"GER\">"));
  EXPECT_EQ(fee.CloseTagText(), QStringLiteral("</FEE>"));
}

TEST(Attributes, UnknownNamesAreKeptSeparatelyUnderTheirNames)
{
  TAqnDataElement name(aqtNAME, QStringLiteral("x"));
  name.SetUnknownAttribute(QStringLiteral("lang"), QStringLiteral("de"));
  name.SetUnknownAttribute(QStringLiteral("Script"), QStringLiteral("Latn"));
  name.SetUnknownAttribute(QStringLiteral("lang"), QStringLiteral("pl"));
  EXPECT_EQ(name.AttributeCount(), 2);
  EXPECT_EQ(name.GetUnknownAttribute(QStringLiteral("lang")), QStringLiteral("pl"));
  EXPECT_EQ(name.GetAttribute(aqaUnknown), QStringLiteral("pl"));
  EXPECT_EQ(name.OpenTagText(), QStringLiteral("<NAME lang=\"pl\" Script=\"Latn\">"));
}

TEST(DataElement, IntegersAndDates)
{
  const struct
  {
    const char *Value;
    int Integer;
    QDate Date;
  } cases[] = {
      {"", 0, {}},
      {"0", 0, {}},
      {"42", 42, {}},
      {"-1", -1, {}},
      {"x12", 0, {}},
      {"2147483648", 0, {}},
      {"20240131", 20240131, QDate(2024, 1, 31)},
      {"20241299", 20241299, {}}, // month 12, day 99
      {"20240229", 20240229, QDate(2024, 2, 29)},
      {"20230229", 20230229, {}},
      {"2024013", 2024013, {}},
      {"2024-1-1", 0, {}},
      {"20240131xyz", 0, QDate(2024, 1, 31)},
  };
  for (const auto &c : cases) {
    const TAqnDataElement element(aqtDATE, QString::fromLatin1(c.Value));
    EXPECT_EQ(element.AsInteger(), c.Integer) << c.Value;
    EXPECT_EQ(element.AsDate(), c.Date) << c.Value;
  }
  TAqnDataElement date(aqtDATE);
  date.SetAsDate(QDate(2025, 3, 7));
  EXPECT_EQ(date.Value, QStringLiteral("20250307"));
  date.SetAsDate(QDate());
  EXPECT_EQ(date.Value, QString());
  date.SetAsInteger(-17);
  EXPECT_EQ(date.Value, QStringLiteral("-17"));
}

TEST(DataElement, IsEmptyMeansEmptyOrZero)
{
  EXPECT_TRUE(TAqnDataElement(aqtCODE, QString()).IsEmpty());
  EXPECT_TRUE(TAqnDataElement(aqtCODE, QStringLiteral("0")).IsEmpty());
  EXPECT_FALSE(TAqnDataElement(aqtCODE, QStringLiteral("00")).IsEmpty());
  EXPECT_FALSE(TAqnDataElement(aqtCODE, QStringLiteral(" ")).IsEmpty());
}

TEST(DataElement, StoredTimesByPrefix)
{
  const TChron oneFive37 = 600000 + 5 * 10000 + 3 * 1000 + 7 * 10;
  const struct
  {
    const char *Value;
    TAqnTimePrefix Prefix;
    TChron Expected;
  } cases[] = {
      {"L00h01:05.37", aqpEntry, 0},
      {"L00h01:05.37", aqpLimit, oneFive37},
      {"L00h01:05.37", aqpAny, oneFive37},
      {"E00h01:05.37", aqpEntry, oneFive37},
      {"X00h01:05.37", aqpAny, oneFive37},
      {"E07h01:05.37", aqpEntry, oneFive37}, // the hour part is ignored
      {"", aqpAny, 0},
      {"E", aqpEntry, 0},
      {"E00h", aqpEntry, 0},
      {"E00h01-05x37", aqpEntry, 0},
      {"E00h9999:9.9", aqpEntry, 0}, // out of the 32-bit range: no time, no exception
      {"E00h00:00.00", aqpEntry, 0},
  };
  for (const auto &c : cases)
    EXPECT_EQ(TAqnDataElement(aqtTIME, QString::fromLatin1(c.Value)).GetTime(c.Prefix), c.Expected)
        << c.Value << " prefix " << int(c.Prefix);
}

TEST(DataElement, TimeTextsAreTwelveCharacters)
{
  const struct
  {
    TChron Time;
    const char *Text;
  } cases[] = {
      {600000 + 5 * 10000 + 3 * 1000 + 7 * 10, "00h01:05.37"},
      {61 * 600000 + 5 * 10000, "00h59:05.00"},             // minutes stop at 59
      {600000 + 5 * 10000 + 3 * 1000 + 100, "00h01:05.30"}, // hundredths unknown
      {0, "00h00:00.00"},
      {59 * 600000 + 59 * 10000 + 9990, "00h59:59.99"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(AquonTimeText(c.Time), QString::fromLatin1(c.Text)) << c.Time;

  TAqnDataElement time(aqtLCT);
  time.SetTime(aqpLimit, 600000 + 5 * 10000 + 3 * 1000 + 7 * 10);
  EXPECT_EQ(time.Value, QStringLiteral("L00h01:05.37"));
  EXPECT_EQ(time.GetTime(aqpLimit), 653070);
  EXPECT_EQ(time.GetTime(aqpEntry), 0);
}

TEST(Object, AccessorsDoNotCreateOnRead)
{
  TAqnObject club(aqtCLUB);
  EXPECT_EQ(club.GetText(aqtNAME), QString());
  EXPECT_EQ(club.GetInt(aqtNUM), 0);
  EXPECT_EQ(club.Child(aqtNAME, false), nullptr);
  EXPECT_EQ(club.Count(), 0);

  club.SetText(aqtNAME, QStringLiteral("Blue Fins"));
  club.SetInt(aqtNUM, 3);
  club.SetText(aqtNAME, QStringLiteral("Red Fins"));
  ASSERT_EQ(club.Count(), 2);
  EXPECT_EQ(club.GetText(aqtNAME), QStringLiteral("Red Fins"));
  EXPECT_EQ(club.GetInt(aqtNUM), 3);
  EXPECT_EQ(club.Items(0)->Parent(), &club);
  EXPECT_TRUE(club.HasChild(aqtNUM));

  club.DeleteChild(aqtNAME);
  EXPECT_FALSE(club.HasChild(aqtNAME));
  EXPECT_EQ(club.Count(), 1);
}

TEST(Object, ChildOfAnObjectTagThatIsNotDataIsAnAssertion)
{
  TAqnObject club(aqtCLUB);
  club.Add(std::make_unique<TAqnCollection>(aqtPERSONS));
  EXPECT_EQ(club.GetText(aqtPERSONS), QString());
  EXPECT_THROW(club.SetText(aqtPERSONS, QStringLiteral("x")), EGvkAssertion);
}

TEST(Object, ListOperations)
{
  TAqnCollection persons(aqtPERSONS);
  TAqnObject *a = persons.AddNew();
  TAqnObject *b = persons.AddNew();
  TAqnObject *c = persons.AddNew();
  a->Id = 3;
  b->Id = 1;
  c->Id = 2;
  EXPECT_EQ(b->Parent(), &persons);
  persons.Sort([](const TAqnAbstractElement *x, const TAqnAbstractElement *y) {
    return static_cast<const TAqnObject *>(x)->Id - static_cast<const TAqnObject *>(y)->Id;
  });
  EXPECT_EQ(persons.Items(0), b);
  EXPECT_EQ(persons.Items(1), c);
  EXPECT_EQ(persons.Items(2), a);

  persons.Remove(c);
  EXPECT_EQ(persons.Count(), 2);
  TAqnObject other(aqtPERSON);
  persons.Remove(&other); // not a child: nothing happens
  EXPECT_EQ(persons.Count(), 2);

  std::unique_ptr<TAqnAbstractElement> taken = persons.Take(a);
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->Parent(), nullptr);
  persons.Delete(0);
  EXPECT_EQ(persons.Count(), 0);
  persons.AddNew();
  persons.Clear();
  EXPECT_EQ(persons.Count(), 0);
}

TEST(Collection, AssertionsCarryTheirMessages)
{
  try {
    TAqnCollection wrong(aqtCLUB);
    FAIL() << "no assertion";
  } catch (const EGvkAssertion &e) {
    EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Invalid Aquon collection type!")))
        << e.Message().toStdString();
  }
  for (TAqnTag tag : {aqtSPLITS, aqtGROUPS}) {
    TAqnCollection collection(tag);
    try {
      collection.AddNew();
      FAIL() << "no assertion";
    } catch (const EGvkAssertion &e) {
      EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Not allowed for this collection!")));
    }
    EXPECT_EQ(collection.Count(), 0);
  }
  TAqnCollection cats(aqtCATS);
  EXPECT_EQ(cats.ElementTag, aqtCAT);
  EXPECT_EQ(cats.AddNew()->Tag, aqtCAT);
}

TEST(Object, RemoveEmptyKeepsObjectsAndCollections)
{
  TAqnObject club(aqtCLUB);
  club.SetText(aqtCODE, QStringLiteral("0"));
  club.SetText(aqtNAME, QString());
  club.SetText(aqtNATION, QStringLiteral("GER"));
  auto *persons = club.Add(std::make_unique<TAqnCollection>(aqtPERSONS));
  TAqnObject *person = persons->AddNew();
  person->SetText(aqtFNAME, QString());
  person->SetText(aqtYOB, QStringLiteral("2010"));
  club.Add(std::make_unique<TAqnCollection>(aqtRELAYS));

  club.RemoveEmpty();
  ASSERT_EQ(club.Count(), 3);
  EXPECT_EQ(club.Items(0)->Tag, aqtNATION);
  EXPECT_EQ(club.Items(1)->Tag, aqtPERSONS);
  EXPECT_EQ(club.Items(2)->Tag, aqtRELAYS);
  ASSERT_EQ(person->Count(), 1);
  EXPECT_EQ(person->Items(0)->Tag, aqtYOB);
}

TEST(WriteXml, OneElementPerLineWithIdRule)
{
  TAqnObject event(aqtEVENT, 7);
  event.SetAttribute(aqaTYPE, QStringLiteral("x"));
  event.SetAttribute(aqaID, QStringLiteral("99"));
  event.SetInt(aqtNUM, 12);
  auto *cats = event.Add(std::make_unique<TAqnCollection>(aqtCATS));
  cats->AddNew()->Id = 2;

  EXPECT_EQ(XmlLines(event), (QStringList{
                                 QStringLiteral("<EVENT type=\"x\" id=\"7\">"),
                                 QStringLiteral(" <NUM>12</NUM>"),
                                 QStringLiteral(" <CATS>"),
                                 QStringLiteral("  <CAT id=\"2\">"),
                                 QStringLiteral("  </CAT>"),
                                 QStringLiteral(" </CATS>"),
                                 QStringLiteral("</EVENT>"),
                             }));
  event.Id = 0;
  EXPECT_EQ(XmlLines(event).first(), QStringLiteral("<EVENT type=\"x\">"));

  TAqnObject fresh(aqtPERSON, 4);
  fresh.SetAttribute(aqaNATION, QStringLiteral("POL"));
  QStringList lines;
  fresh.WriteXml(lines, QStringLiteral("\t"));
  EXPECT_EQ(lines, (QStringList{QStringLiteral("\t<PERSON nation=\"POL\" id=\"4\">"),
                                QStringLiteral("\t</PERSON>")}));
}

TEST(WriteXml, EscapesValuesAndAttributes)
{
  TAqnObject club(aqtCLUB);
  club.SetText(aqtNAME, QStringLiteral("Smith & Sons <A>B"));
  club.Child(aqtNAME, false)->SetAttribute(aqaTYPE, QStringLiteral("say \"hi\" & <go>"));
  EXPECT_EQ(XmlLines(club).at(1),
            QStringLiteral(" <NAME type=\"say &quot;hi&quot; &amp; &lt;go&gt;\">"
                           "Smith &amp; Sons &lt;A&gt;B</NAME>"));
}

// A chain of alternating objects and collections; every fourth holds a data element,
// every eighth an empty one.
std::unique_ptr<TAqnObject> DeepChain(int depth)
{
  auto root = std::make_unique<TAqnObject>(aqtAQUON);
  TAqnAbstractObject *top = root.get();
  for (int i = 0; i < depth; ++i) {
    if (i % 4 == 0)
      top->SetText(aqtNAME, (i % 8) ? QStringLiteral("n") : QStringLiteral("0"));
    if (i % 2)
      top = top->Add(std::make_unique<TAqnObject>(aqtCLUB, i));
    else
      top = top->Add(std::make_unique<TAqnCollection>(aqtCLUBS));
  }
  return root;
}

TEST(DeepTree, AMillionLevelsAreWalkedWithoutRecursion)
{
  constexpr int depth = 1000000;
  std::unique_ptr<TAqnObject> root = DeepChain(depth);

  int elements = 0;
  root->ForEachDescendant([&elements](TAqnAbstractElement *) { return ++elements > 0; });
  EXPECT_EQ(elements, depth + depth / 4);

  root->RemoveEmpty();
  elements = 0;
  root->ForEachDescendant([&elements](TAqnAbstractElement *) { return ++elements > 0; });
  EXPECT_EQ(elements, depth + depth / 8);

  qsizetype lines = 0;
  QString last;
  root->WriteXml([&](const QString &line) {
    ++lines;
    last = line;
  });
  EXPECT_EQ(lines, 2 * (depth + 1) + depth / 8);
  EXPECT_EQ(last, QStringLiteral("</AQUON>"));

  TAqnAbstractElement *deepest = nullptr;
  root->ForEachDescendant([&deepest](TAqnAbstractElement *e) {
    deepest = e;
    return true;
  });
  ASSERT_TRUE(deepest);
  deepest->Parent()->Sort(
      [](const TAqnAbstractElement *, const TAqnAbstractElement *) { return 0; });

  // The last child of the root holds the whole chain; its destructor walks it.
  root->Delete(root->Count() - 1);
  EXPECT_EQ(root->Count(), 0);
}

} // namespace
