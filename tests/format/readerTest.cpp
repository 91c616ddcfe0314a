#include "format/aquon.h"
#include "tests/format/readerTestSupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray Head = "<AQUON>\n<VERSION>01.03.0007</VERSION>\n"; // lines 1 and 2
const QByteArray Tail = "</AQUON>\n";

struct MessageCase
{
  const char *Name;
  const char *Body; // follows Head, from line 3 on
  bool WithTail;
  QStringList Errors;
  QStringList Warnings;
  TAqnTag MarkedTag = aqtUnknown; // the first element with this tag carries MarkLevel
  int MarkLevel = 0;
};

TEST(ReaderMessages, EachProblemIsReportedWithKindLineAndMark)
{
  const MessageCase cases[] = {
      {"text between elements",
       "<CLUB>\nstray\n</CLUB>\n",
       true,
       {},
       {"Line 5: Unexpected Data !"},
       aqtCLUB,
       2},
      {"blank text", "<CLUB>\n   \t\n</CLUB>\n", true, {}, {}, aqtCLUB, 0},
      {"self-closing data element", "<CLUB>\n<NAME/>\n</CLUB>\n", true, {}, {}, aqtNAME, 0},
      {"club in persons",
       "<PERSONS>\n<CLUB>\n</CLUB>\n</PERSONS>\n",
       true,
       {"Line 4: Unallowed tag in collection: CLUB !"},
       {},
       aqtPERSONS,
       2},
      {"lower-case tag",
       "<club>\n<NAME>x</NAME>\n</club>\n",
       true,
       {},
       {"Line 3: Unknown Tag: club !"},
       aqtAQUON,
       2},
      {"attribute without =",
       "<CLUB abc>\n</CLUB>\n",
       true,
       {"Line 3: = expected !", "Line 4: Value expected !"},
       {},
       aqtCLUB,
       3},
      {"attribute name at the end of the data",
       "<CLUB abc",
       false,
       {"Line 3: Value expected !", "Line 3: Unexpected end of file, the file is incomplete !"},
       {},
       aqtCLUB,
       3},
      {"value without quotes",
       "<CLUB id=7>\n</CLUB>\n",
       true,
       {"Line 3: Quote \" expected !"},
       {},
       aqtCLUB,
       3},
      {"value without closing quote",
       "<CLUB>\n<NAME type=\"x>\n</NAME>\n</CLUB>\n",
       true,
       // The open quote runs to the end of the file.
       {"Line 8: Quote \" expected !", "Line 8: Unexpected end of file, the file is incomplete !"},
       {},
       aqtNAME,
       3},
      {"end tag without >",
       "<CLUB>\n</CLUB x>\n",
       true,
       {"Line 4: > expected !"},
       {"Line 5: Unexpected Data !"},
       aqtAQUON,
       3},
      {"wrong end tag",
       "<CLUB>\n</NAME>\n</CLUB>\n",
       true,
       {"Line 4: Unexpected tag: /NAME !"},
       {},
       aqtCLUB,
       2},
      {"element inside a data element",
       "<NAME>x<FNAME>y</FNAME></NAME>\n",
       true,
       {},
       {"Line 4: No child elements allowed !"},
       aqtNAME,
       3},
      // A file cut short must not load as if complete: a later save would drop the rest.
      {"missing end tags",
       "<CLUB>\n<NAME>x</NAME>\n",
       false,
       {"Line 5: Unexpected end of file, the file is incomplete !"},
       {},
       aqtCLUB,
       0},
      {"text after the root", "", true, {}, {}, aqtUnknown, 0},
      {"comment after the root",
       "</AQUON>\n<!-- done -->\n<?pi x?>\n",
       false,
       {},
       {},
       aqtUnknown,
       0},
      {"data after the root",
       "</AQUON>\nleft over\n<CLUB>\n",
       false,
       {},
       {"Line 5: Data after the end of the AQUON element !"},
       aqtUnknown,
       0},
      {"element after the root",
       "</AQUON>\n<CLUB>\n</CLUB>\n",
       false,
       {},
       {"Line 4: Data after the end of the AQUON element !"},
       aqtUnknown,
       0},
      {"end tag after the root",
       "</AQUON>\n</AQUON>\n",
       false,
       {},
       {"Line 4: Data after the end of the AQUON element !"},
       aqtUnknown,
       0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Name);
    QByteArray input = Head + c.Body;
    if (c.WithTail)
      input += Tail;
    const auto document = LoadBytes(input);
    ASSERT_TRUE(document->Root());
    EXPECT_EQ(document->Errors(), c.Errors);
    EXPECT_EQ(document->Warnings(), c.Warnings);
    if (c.MarkedTag == aqtUnknown)
      continue;
    const TAqnAbstractElement *marked =
        c.MarkedTag == aqtAQUON ? document->Root() : FirstElement(document->Root(), c.MarkedTag);
    ASSERT_TRUE(marked);
    EXPECT_EQ(marked->ErrorLevel, c.MarkLevel);
    if (c.MarkLevel > 0) {
      EXPECT_EQ(document->Root()->ErrorLevel, c.MarkedTag == aqtAQUON ? c.MarkLevel : 2);
    }
  }
}

TEST(ReaderMessages, NotAnAquonFile)
{
  const char *inputs[] = {"",
                          "just text",
                          "<CLUB></CLUB>",
                          "<aquon></aquon>",
                          "<!DOCTYPE aquon!>\n<AQUON></AQUON>",
                          "<?xml version=\"1.0\"?>\n<!-- x -->\n<AQUONS>"};
  for (const char *input : inputs) {
    const auto document = LoadBytes(input);
    EXPECT_EQ(document->Root(), nullptr) << input;
    EXPECT_EQ(document->Errors(), QStringList{"No AQUON - File !"}) << input;
  }
}

TEST(ReaderMessages, FileThatCannotBeOpened)
{
  TAquon document;
  document.LoadFromFile(QStringLiteral("/nonexistent/folder/meet.aqe"));
  EXPECT_EQ(document.Root(), nullptr);
  EXPECT_EQ(document.Errors(), QStringList{"Can not open file !"});
  EXPECT_EQ(document.FileName(), QStringLiteral("meet.aqe"));
}

TEST(ReaderMessages, UnknownCharacterSetIsAWarning)
{
  const auto document = LoadBytes("<?xml version=\"1.0\" encoding=\"KOI8-R\"?>\n" + Head + Tail);
  EXPECT_EQ(document->Warnings(), QStringList{"Line 1: Unknown character set: KOI8-R !"});
  EXPECT_TRUE(document->Errors().isEmpty());
}

TEST(Reader, VersionCheck)
{
  const struct
  {
    const char *Version; // null: no VERSION element
    bool Expired;
  } cases[] = {{"01.02.0003", true}, {"01.02.0004", false}, {"01.03.0007", false},
               {"", true},           {nullptr, true},       {"1.2.4", false}};
  for (const auto &c : cases) {
    QByteArray input = "<AQUON>";
    if (c.Version)
      input += QByteArray("<VERSION>") + c.Version + "</VERSION>";
    input += "</AQUON>";
    const auto document = LoadBytes(input);
    EXPECT_EQ(document->Warnings(),
              c.Expired ? QStringList{"Expired AQUON - Version !"} : QStringList())
        << (c.Version ? c.Version : "none");
  }
}

TEST(Reader, BuildsTheTreeWithLinesIdsAndAttributes)
{
  const auto document = LoadBytes(Head +
                                  "<COMPETITIONS>\n"
                                  "<COMPETITION id=\"3\" ID=\"4\" x-Note=\"a\" other=\"b\">\n"
                                  "<NAME>Winter Cup</NAME>\n"
                                  "<FEE currency=\"EUR\">500</FEE>\n"
                                  "<EVENT id=\"x12\"/>\n"
                                  "</COMPETITION>\n"
                                  "</COMPETITIONS>\n" +
                                  Tail);
  ASSERT_TRUE(document->Root());
  EXPECT_TRUE(document->Errors().isEmpty()) << document->Errors().join('\n').toStdString();
  auto *competition = static_cast<TAqnObject *>(FirstElement(document->Root(), aqtCOMPETITION));
  ASSERT_TRUE(competition);
  EXPECT_EQ(competition->Line, 4);
  EXPECT_EQ(competition->Id, 4); // the last id attribute counts
  EXPECT_EQ(competition->GetAttribute(aqaID), QStringLiteral("4"));
  EXPECT_EQ(competition->GetUnknownAttribute(QStringLiteral("x-Note")), QStringLiteral("a"));
  EXPECT_EQ(competition->GetUnknownAttribute(QStringLiteral("other")), QStringLiteral("b"));
  EXPECT_EQ(competition->AttributesText(), QStringLiteral("id=\"4\" x-Note=\"a\" other=\"b\""));
  EXPECT_EQ(competition->GetText(aqtNAME), QStringLiteral("Winter Cup"));
  EXPECT_EQ(competition->Child(aqtFEE, false)->GetAttribute(aqaCURRENCY), QStringLiteral("EUR"));
  EXPECT_EQ(competition->GetInt(aqtFEE), 500);
  auto *event = static_cast<TAqnObject *>(FirstElement(competition, aqtEVENT));
  ASSERT_TRUE(event);
  EXPECT_EQ(event->Id, 0); // not a number
  EXPECT_EQ(event->GetAttribute(aqaID), QStringLiteral("x12"));
  EXPECT_EQ(event->Parent(), competition);
  EXPECT_EQ(event->Line, 7);
  EXPECT_EQ(competition->Parent()->Tag, aqtCOMPETITIONS);
  EXPECT_TRUE(dynamic_cast<TAqnCollection *>(competition->Parent()));
}

TEST(Reader, LinesFollowTheTagCountWithoutLineBreaks)
{
  const auto document =
      LoadBytes("<AQUON><VERSION>01.03.0007</VERSION><CLUB><NAME>a</NAME><X/></CLUB></AQUON>");
  EXPECT_EQ(document->Warnings(), QStringList{"Line 5: Unknown Tag: X !"});
  EXPECT_EQ(FirstElement(document->Root(), aqtNAME)->Line, 4);
}

TEST(Reader, SelfClosingElements)
{
  const auto document =
      LoadBytes(Head + "<CLUBS><CLUB id=\"5\"/><CLUB/></CLUBS><NAME/><PERSONS/>" + Tail);
  ASSERT_TRUE(document->Root());
  EXPECT_TRUE(document->Errors().isEmpty());
  EXPECT_TRUE(document->Warnings().isEmpty());
  TAqnObject *root = document->Root();
  ASSERT_EQ(root->Count(), 4);
  const auto *clubs = root->Items(1)->AsObject();
  ASSERT_EQ(clubs->Count(), 2);
  EXPECT_EQ(static_cast<const TAqnObject *>(clubs->Items(0))->Id, 5);
  EXPECT_EQ(root->Items(2)->Tag, aqtNAME);
  EXPECT_EQ(root->GetText(aqtNAME), QString());
  EXPECT_EQ(root->Items(3)->Tag, aqtPERSONS);
}

TEST(Reader, UnknownElementsAreSkippedWholeIncludingEmptyChildren)
{
  const auto document = LoadBytes(Head +
                                  "<club>\n<NAME/>\n<club><CODE>1</CODE></club>\n<x-y a=\"1\"/>\n"
                                  "</club>\n<CLUB><NAME>kept</NAME></CLUB>\n<foo/>\n" +
                                  Tail);
  EXPECT_TRUE(document->Errors().isEmpty()) << document->Errors().join('\n').toStdString();
  EXPECT_EQ(document->Warnings(),
            (QStringList{"Line 3: Unknown Tag: club !", "Line 10: Unknown Tag: foo !"}));
  TAqnObject *root = document->Root();
  ASSERT_EQ(root->Count(), 2);
  EXPECT_EQ(root->Items(1)->Tag, aqtCLUB);
  EXPECT_EQ(root->Items(1)->AsObject()->GetText(aqtNAME), QStringLiteral("kept"));
  EXPECT_EQ(FirstElement(root, aqtCODE), nullptr);
}

TEST(Reader, ForeignElementInACollectionIsStillAdded)
{
  const auto document = LoadBytes(
      Head + "<PERSONS>\n<PERSON id=\"1\"/>\n<CLUB><NAME>x</NAME></CLUB>\n</PERSONS>\n" + Tail);
  EXPECT_EQ(document->Errors(), QStringList{"Line 5: Unallowed tag in collection: CLUB !"});
  const auto *persons = FirstElement(document->Root(), aqtPERSONS)->AsObject();
  ASSERT_EQ(persons->Count(), 2);
  EXPECT_EQ(persons->Items(1)->Tag, aqtCLUB);
  EXPECT_EQ(persons->Items(1)->AsObject()->GetText(aqtNAME), QStringLiteral("x"));
  EXPECT_EQ(persons->ErrorLevel, 2);
}

TEST(Reader, ElementsInsideADataElementJoinNoTree)
{
  const auto document =
      LoadBytes(Head + "<NAME>a<CLUB><NAME>b</NAME><PERSONS/></CLUB></NAME><CODE>c</CODE>" + Tail);
  TAqnObject *root = document->Root();
  ASSERT_EQ(root->Count(), 3);
  EXPECT_EQ(root->GetText(aqtNAME), QStringLiteral("a"));
  EXPECT_EQ(root->GetText(aqtCODE), QStringLiteral("c"));
  EXPECT_EQ(FirstElement(root, aqtCLUB), nullptr);
}

// Builds a meet whose CLUB start tag begins at the given byte offset.
QByteArray ClubAtOffset(int offset)
{
  QByteArray input = Head + "<COMMENT>";
  const QByteArray end = "</COMMENT>\n";
  input += QByteArray(offset - input.size() - end.size(), 'c') + end;
  input += "<CLUB id=\"42\" type=\"t\"><NAME>Boundary</NAME></CLUB>\n" + Tail;
  return input;
}

TEST(Reader, TagsAcrossTheChunkBoundary)
{
  for (int offset = AqnChunkSize - 60; offset <= AqnChunkSize + 10; ++offset) {
    SCOPED_TRACE(offset);
    const QByteArray input = ClubAtOffset(offset);
    ASSERT_EQ(input.indexOf("<CLUB"), offset);
    const auto document = LoadBytes(input);
    EXPECT_TRUE(document->Errors().isEmpty()) << document->Errors().join('\n').toStdString();
    EXPECT_TRUE(document->Warnings().isEmpty());
    const auto *club = static_cast<const TAqnObject *>(FirstElement(document->Root(), aqtCLUB));
    ASSERT_TRUE(club);
    EXPECT_EQ(club->Id, 42);
    EXPECT_EQ(club->GetAttribute(aqaTYPE), QStringLiteral("t"));
    EXPECT_EQ(club->GetText(aqtNAME), QStringLiteral("Boundary"));
    EXPECT_EQ(club->Line, 4);
  }
}

TEST(Reader, RunsLongerThanAChunkAreReadWhole)
{
  for (int length : {AqnChunkSize - 1, AqnChunkSize, AqnChunkSize + 1, 3 * AqnChunkSize + 7}) {
    SCOPED_TRACE(length);
    const QByteArray text(length, 'x');
    const QByteArray value(length, 'v');
    const auto document =
        LoadBytes(Head + "<COMMENT>" + text + "</COMMENT>\n<NAME type=\"" + value +
                  "\">after</NAME>\n<!-- " + text + " -->\n<CODE>c</CODE>\n" + Tail);
    EXPECT_TRUE(document->Errors().isEmpty()) << document->Errors().join('\n').toStdString();
    TAqnObject *root = document->Root();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetText(aqtCOMMENT), QString::fromLatin1(text));
    EXPECT_EQ(root->Child(aqtNAME, false)->GetAttribute(aqaTYPE), QString::fromLatin1(value));
    EXPECT_EQ(root->GetText(aqtNAME), QStringLiteral("after"));
    EXPECT_EQ(root->GetText(aqtCODE), QStringLiteral("c"));
    EXPECT_EQ(root->Child(aqtCODE, false)->Line, 6);
  }
}

TEST(Reader, ProgressIsReportedOncePerChunk)
{
  QByteArray input = Head;
  for (int i = 0; i < 1000; ++i)
    input += "<COMMENT>line " + QByteArray::number(i) + "</COMMENT>\n";
  input += Tail;
  QList<int> lines;
  const auto document = LoadBytes(input, [&lines](int line) { lines.append(line); });
  const int chunks = int((input.size() + AqnChunkSize - 1) / AqnChunkSize);
  EXPECT_GE(lines.size(), chunks);
  EXPECT_LE(lines.size(), chunks + 1);
  EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
  EXPECT_EQ(lines.first(), 1);
}

TEST(Reader, EntitiesAreDecodedInTextAndAttributes)
{
  const auto document = LoadBytes(
      Head +
      "<NAME type=\"a&amp;b &quot;c&quot; &lt;&gt;\">Smith &amp; Sons &lt;1&gt; &apos;x&apos; "
      "&#65;&#x42;&#X43;&#228; &unknown; &#xD800; &#0; &amp &#x110000; & ;</NAME>\n" +
      Tail);
  const TAqnDataElement *name = document->Root()->Child(aqtNAME, false);
  ASSERT_TRUE(name);
  EXPECT_EQ(name->Value, QStringLiteral("Smith & Sons <1> 'x' ABC\u00e4 &unknown; &#xD800; &#0; "
                                        "&amp &#x110000; & ;"));
  EXPECT_EQ(name->GetAttribute(aqaTYPE), QStringLiteral("a&b \"c\" <>"));
}

TEST(Reader, CDataSectionsAreLiteralText)
{
  const auto document = LoadBytes(Head +
                                  "<NAME><![CDATA[Smith & Sons <1> &amp;]]></NAME>\n"
                                  "<CODE>after</CODE>\n" +
                                  Tail);
  EXPECT_TRUE(document->Errors().isEmpty());
  EXPECT_TRUE(document->Warnings().isEmpty());
  EXPECT_EQ(document->Root()->GetText(aqtNAME), QStringLiteral("Smith & Sons <1> &amp;"));
  EXPECT_EQ(document->Root()->GetText(aqtCODE), QStringLiteral("after"));
}

TEST(Reader, TextIsDecodedByTheDeclaredCharacterSet)
{
  const struct
  {
    const char *Encoding;
    const char *Hex; // the text in that encoding
    const char16_t *Expected;
  } cases[] = {
      {"ISO-8859-2", "a3f364bc20aff3b3e620a67769ea746f6368b36f77696365",
       u"Łódź Żółć Świętochłowice"},
      {"windows-1250", "a3f3649f20aff3b3e6208c7769ea746f6368b36f77696365",
       u"Łódź Żółć Świętochłowice"},
      {"ISO-8859-7", "b6f1e7f220c3e9fef1e3eff220d0e1f0e1e4fcf0eff5ebeff2",
       u"Άρης Γιώργος Παπαδόπουλος"},
      {"windows-1253", "a2f1e7f220c3e9fef1e3eff220d0e1f0e1e4fcf0eff5ebeff2",
       u"Άρης Γιώργος Παπαδόπουλος"},
      {"ISO-8859-5", "bcdee1dad2d0", u"Москва"},
      {"windows-1251", "cceef1eae2e0", u"Москва"},
      {"windows-1254", "dd7374616e62756c20de69fe6c69", u"İstanbul Şişli"},
      {"ISO-8859-9", "dd7374616e62756c20de69fe6c69", u"İstanbul Şişli"},
      {"ISO-8859-1", "4dfc6c6c657220802096209371756f74656494", u"Müller € – “quoted”"},
      {"latin1", "c672f820c56c616e64", u"Ærø Åland"},
      {"UTF-8", "c581c3b364c5ba20ce93ceb9cf8ecf81ceb3cebfcf8220d09cd0bed181d0bad0b2d0b020e282ac",
       u"Łódź Γιώργος Москва €"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Encoding);
    const QByteArray bytes = QByteArray::fromHex(c.Hex);
    const QByteArray input = QByteArray("<?xml version=\"1.0\" encoding=\"") + c.Encoding +
                             "\"?>\n" + Head + "<NAME nation=\"" + bytes + "\">" + bytes +
                             "</NAME>\n" + Tail;
    const auto document = LoadBytes(input);
    EXPECT_TRUE(document->Warnings().isEmpty());
    const TAqnDataElement *name = document->Root()->Child(aqtNAME, false);
    EXPECT_EQ(name->Value, QString::fromUtf16(c.Expected));
    EXPECT_EQ(name->GetAttribute(aqaNATION), QString::fromUtf16(c.Expected));
  }
}

TEST(Reader, UndeclaredTextIsUtf8OrWindows1252)
{
  const struct
  {
    QByteArray Prolog;
    QByteArray Bytes;
    QString Expected;
  } cases[] = {
      {"",
       "\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       QStringLiteral(u"Łódź")},
      {"",
       "M\xFC"
       "ller \x80",
       QStringLiteral(u"Müller €")},
      {"\xEF\xBB\xBF", "\xCE\x93\xCE\xB9", QStringLiteral(u"Γι")},
      {"<?xml version=\"1.0\"?>\n",
       "Gr\xC3\xBC\xC3\x9F"
       "e",
       QStringLiteral(u"Grüße")},
  };
  for (const auto &c : cases) {
    const auto document = LoadBytes(c.Prolog + Head + "<NAME>" + c.Bytes + "</NAME>" + Tail);
    ASSERT_TRUE(document->Root()) << c.Bytes.toHex().toStdString();
    EXPECT_EQ(document->Root()->GetText(aqtNAME), c.Expected);
  }
}

// A small complete meet: a comment, an event with a category, a club with one entry.
const QByteArray SmallMeet =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
    "<AQUON>\n"
    " <VERSION>01.03.0007</VERSION>\n"
    " <!-- entries of the club -->\n"
    " <COMPETITIONS>\n"
    "  <COMPETITION>\n"
    "   <NAME>Spring &amp; Summer Cup</NAME>\n"
    "   <PL>50</PL>\n"
    "   <PERIODS>\n"
    "    <PERIOD>\n"
    "     <DATE>20250412</DATE>\n"
    "     <EVENTS>\n"
    "      <EVENT id=\"1\">\n"
    "       <NUM>1</NUM>\n"
    "       <DIS>100</DIS>\n"
    "       <STR>FR</STR>\n"
    "       <FEE currency=\"EUR\">500</FEE>\n"
    "       <CATS>\n"
    "        <CAT id=\"1\"><MIN>2010</MIN><MAX>-1</MAX><LCT>L00h01:05.37</LCT></CAT>\n"
    "       </CATS>\n"
    "      </EVENT>\n"
    "     </EVENTS>\n"
    "    </PERIOD>\n"
    "   </PERIODS>\n"
    "   <CLUBS>\n"
    "    <CLUB>\n"
    "     <NAME>M\xFCller Schwimmverein</NAME>\n"
    "     <PERSONS>\n"
    "      <PERSON id=\"7\">\n"
    "       <NAME>Nowak</NAME><FNAME>Ewa</FNAME><SEX>F</SEX><YOB>2011</YOB>\n"
    "       <ENTRIES><ENTRY><EID>1</EID><TIME>E00h01:10.00</TIME></ENTRY></ENTRIES>\n"
    "      </PERSON>\n"
    "     </PERSONS>\n"
    "    </CLUB>\n"
    "   </CLUBS>\n"
    "  </COMPETITION>\n"
    " </COMPETITIONS>\n"
    "</AQUON>\n";

TEST(Reader, TruncatedAtEveryByteLoadsWithoutCrashing)
{
  const QByteArray &meet = SmallMeet;
  const auto full = LoadBytes(meet);
  ASSERT_TRUE(full->Errors().isEmpty());
  ASSERT_TRUE(full->Warnings().isEmpty());
  const int fullCount = ElementCount(full->Root());
  const qsizetype rootStart = meet.indexOf("<AQUON>") + 6;
  for (qsizetype length = 0; length < meet.size(); ++length) {
    SCOPED_TRACE(length);
    const auto document = LoadBytes(meet.left(length));
    EXPECT_EQ(document->Root() != nullptr, length >= rootStart);
    EXPECT_LE(ElementCount(document->Root()), fullCount);
  }
}

// Random bytes changed anywhere, many seeded variants: each loads without crashing, a
// load without a tree always says why, and most variants are reported.
TEST(Reader, RandomlyChangedBytesLoadWithMessages)
{
  constexpr int variants = 2000;
  int reported = 0;
  for (quint32 seed = 1; seed <= variants; ++seed) {
    SCOPED_TRACE(seed);
    QRandomGenerator random(seed);
    QByteArray bytes = SmallMeet;
    for (int i = 1 + random.bounded(8); i > 0; --i)
      bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
    const auto document = LoadBytes(bytes);
    EXPECT_TRUE(document->Root() || !document->Errors().isEmpty());
    if (!document->Errors().isEmpty() || !document->Warnings().isEmpty())
      ++reported;
  }
  EXPECT_GT(reported, variants / 2);
}

TEST(Reader, AMillionNestedElementsStopAtTheDepthLimit)
{
  constexpr int depth = 1000000;
  for (const QByteArray &tag : {QByteArray("CLUB"), QByteArray("NAME")}) {
    SCOPED_TRACE(tag.toStdString());
    QByteArray input = "<AQUON><VERSION>01.03.0007</VERSION>\n";
    input += QByteArray("<" + tag + ">").repeated(depth);
    input += QByteArray("</" + tag + ">").repeated(depth);
    input += "\n</AQUON>\n";
    const auto document = LoadBytes(input);
    ASSERT_TRUE(document->Root());
    ASSERT_EQ(document->Errors().size(), 1);
    EXPECT_TRUE(document->Errors().first().endsWith(QStringLiteral("Elements nested too deeply !")))
        << document->Errors().first().toStdString();
    // Everything after the too-deep content is read normally again.
    EXPECT_TRUE(
        std::none_of(document->Warnings().begin(), document->Warnings().end(),
                     [](const QString &w) { return w.contains(QLatin1String("after the end")); }));
    int levels = 0;
    for (const TAqnAbstractObject *o = document->Root(); o && o->Count() > 0;
         o = o->Items(o->Count() - 1)->AsObject())
      ++levels;
    EXPECT_EQ(levels, tag == "CLUB" ? AqnMaxDepth - 1 : 1);
  }
}

} // namespace
