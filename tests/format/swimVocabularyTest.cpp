#include "format/swimVocabulary.h"

#include "format/aqnElements.h"
#include "foundation/gvkLanguage.h"
#include "tests/foundation/printers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every test starts from the built-in German texts.
class SwimTexts : public ::testing::Test
{
protected:
  void SetUp() override { ResetVocabularyTexts(); }
  void TearDown() override { ResetVocabularyTexts(); }
};

struct StrokeCase
{
  const char *Code;
  int Index;
  friend void PrintTo(const StrokeCase &c, std::ostream *os) { *os << '"' << c.Code << '"'; }
};

class StrokeIndexTest : public ::testing::TestWithParam<StrokeCase>
{
};

TEST_P(StrokeIndexTest, FindsCodeInLists)
{
  EXPECT_EQ(StrokeIndex(QString::fromUtf8(GetParam().Code)), GetParam().Index);
}

INSTANTIATE_TEST_SUITE_P(Codes, StrokeIndexTest,
                         ::testing::Values(StrokeCase{"fr", 0}, StrokeCase{"FR", 0},
                                           StrokeCase{"BU", 1}, StrokeCase{"rü", 2},
                                           StrokeCase{"BK", 2}, StrokeCase{"br", 3},
                                           StrokeCase{"IM", 4}, StrokeCase{"4n", 4},
                                           StrokeCase{"KI", 5}, StrokeCase{"XX", -1},
                                           StrokeCase{"", -1}, StrokeCase{"@", -1},
                                           StrokeCase{"$$$", -1}, StrokeCase{"F", -1}));

TEST(SwimTables, RelayAndDistanceIndexes)
{
  struct Case
  {
    int Value;
    int Relay;
    int Distance;
  };
  for (const Case &c : {Case{1, 0, -1}, Case{4, 1, -1}, Case{7, -1, -1}, Case{6, 7, -1},
                        Case{25, -1, 0}, Case{100, -1, 2}, Case{1650, -1, 14}, Case{133, -1, 17},
                        Case{75, -1, -1}, Case{0, -1, -1}}) {
    EXPECT_EQ(RelayIndex(c.Value), c.Relay) << c.Value;
    EXPECT_EQ(DistanceIndex(c.Value), c.Distance) << c.Value;
  }
}

TEST(SwimGenders, IndexAndPermission)
{
  struct Case
  {
    const char *Text;
    int Index;
  };
  for (const Case &c : {Case{"w", 1}, Case{"F", 1}, Case{"D", 1}, Case{"M", 0}, Case{"h", 0},
                        Case{"X", 2}, Case{"", 2}, Case{"HM", 0}, Case{"MW", 2}})
    EXPECT_EQ(GenderIndex(QString::fromUtf8(c.Text)), c.Index) << c.Text;

  struct Allowed
  {
    int Event;
    int Person;
    bool Result;
  };
  for (const Allowed &a : {Allowed{2, 0, true}, Allowed{2, 1, true}, Allowed{1, 1, true},
                           Allowed{0, 0, true}, Allowed{0, 1, false}, Allowed{1, 0, false}})
    EXPECT_EQ(SexAllowed(a.Event, a.Person), a.Result) << a.Event << "/" << a.Person;
}

TEST_F(SwimTexts, NamesEventsAndGenders)
{
  struct Case
  {
    int Relay;
    int Distance;
    int Stroke;
    const char *Text;
  };
  for (const Case &c :
       {Case{1, 2, 0, "4 x 100m Freistil"}, Case{0, 3, 3, "200m Brust"},
        Case{-1, 3, 3, "200m Brust"}, Case{2, 1, 2, "5 x 50m Rücken"},
        Case{0, 14, 4, "1650m Vierlagen"}, Case{0, -1, 0, "? Freistil"}, Case{0, 1, -1, "50m ?"}})
    EXPECT_EQ(EventText(c.Relay, c.Distance, c.Stroke), QString::fromUtf8(c.Text))
        << c.Relay << "/" << c.Distance << "/" << c.Stroke;

  EXPECT_EQ(RelayPrefix(0), QString());
  EXPECT_EQ(RelayPrefix(3), QStringLiteral("8 x "));
  EXPECT_EQ(DistanceText(17), QStringLiteral("133m"));
  EXPECT_EQ(StrokeText(6, false), QStringLiteral("frei"));
  EXPECT_EQ(StrokeText(-1, false), QStringLiteral("Freistil")); // a lookup below 1: first item
  EXPECT_EQ(StrokeText(7, true), QString());
  EXPECT_EQ(GenderText(0), QStringLiteral("Herren"));
  EXPECT_EQ(GenderText(1), QStringLiteral("Damen"));
  EXPECT_EQ(GenderText(2), QStringLiteral("mixed"));
  EXPECT_EQ(RelayTeamText(2), QStringLiteral("2. Mannschaft"));
}

struct AgeCase
{
  int From;
  int To;
  const char *Text;
  friend void PrintTo(const AgeCase &c, std::ostream *os) { *os << c.From << "-" << c.To; }
};

class AgeTextTest : public SwimTexts, public ::testing::WithParamInterface<AgeCase>
{
};

TEST_P(AgeTextTest, WordsAgeGroup)
{
  EXPECT_EQ(AgeText(GetParam().From, GetParam().To), QString::fromUtf8(GetParam().Text));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, AgeTextTest,
    ::testing::Values(AgeCase{12, 13, "12 - 13 Jahre"}, AgeCase{0, 10, "10 Jahre und jünger"},
                      AgeCase{20, 99, "20 Jahre und älter"}, AgeCase{100, 119, "AK.  100 - 119"},
                      AgeCase{0, 99, "allg. Kategorie"}, AgeCase{0, 999, "allg. Kategorie"},
                      AgeCase{0, 0, "-"}, AgeCase{12, 12, "12 Jahre"},
                      AgeCase{100, 100, "AK.  100"}, AgeCase{120, 999, "AK. 120 und älter"},
                      AgeCase{0, 119, "AK. 119 und jünger"}));

TEST_F(SwimTexts, StageTextsComeFromLanguageAtEachUse)
{
  TLanguage &language = GetLanguage();
  const int screen = language.Language();
  ASSERT_TRUE(language.LoadLanguage(1, false));
  struct Case
  {
    const char *Type;
    const char *Text;
  };
  for (const Case &c : {Case{"PRE", "Vorlauf"}, Case{"fin", "Finale"}, Case{"SEM", "Halbfinale"},
                        Case{"SOS", "Stechen"}, Case{"sof", "Stechen"}, Case{"TIM", ""},
                        Case{"", ""}, Case{"PREX", ""}})
    EXPECT_EQ(StageText(QString::fromUtf8(c.Type)), QString::fromUtf8(c.Text)) << c.Type;
  TAqnObject event(aqtEVENT, 1);
  EXPECT_EQ(StageText(event), QString()); // no TYPE
  event.SetText(aqtTYPE, QStringLiteral("sof"));
  EXPECT_EQ(StageText(event), QStringLiteral("Stechen"));
  ASSERT_TRUE(language.LoadLanguage(23, false));
  EXPECT_EQ(StageText(event), QStringLiteral("Swim-off"));
  language.LoadLanguage(screen, false);
}

TEST_F(SwimTexts, LoadsTextsOfCurrentLanguage)
{
  TLanguage &language = GetLanguage();
  const int screen = language.Language();
  ASSERT_TRUE(language.LoadLanguage(23, false));
  LoadVocabularyTexts();
  EXPECT_EQ(EventText(1, 2, 0), QStringLiteral("4 x 100m Freestyle"));
  EXPECT_EQ(EventText(0, 3, 3), QStringLiteral("200m Breaststroke"));
  EXPECT_EQ(GenderText(1), QStringLiteral("Women"));
  EXPECT_EQ(AgeText(12, 13), QStringLiteral("12 - 13 years"));
  EXPECT_EQ(AgeText(0, 99), QStringLiteral("open category"));
  EXPECT_EQ(RelayTeamText(3), QStringLiteral("Team 3"));

  ASSERT_TRUE(language.LoadLanguage(1, false));
  LoadVocabularyTexts();
  EXPECT_EQ(EventText(1, 2, 0), QStringLiteral("4 x 100m Freistil"));
  EXPECT_EQ(AgeText(0, 10), QStringLiteral("10 Jahre und jünger"));
  language.LoadLanguage(screen, false);
}

TEST_F(SwimTexts, DamagedTextsNeverReadMissingArguments)
{
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile file(dir.filePath(QStringLiteral("quillet.xit")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[S]\r\nS1=\r\nS2=\r\nS3=\r\nS4=\r\nS5=\r\nS6=\r\nS7=\r\nS8=\r\n"
             "S9=Jahre;Klasse\r\nS10=%s und jünger %d\r\n");
  file.close();
  TLanguage language(dir.filePath(QStringLiteral("quillet")));
  ASSERT_TRUE(language.LoadLanguage(4, false));
  LoadVocabularyTexts(language);
  EXPECT_EQ(AgeText(12, 13), QStringLiteral("Jahre"));
  EXPECT_EQ(AgeText(0, 10), QStringLiteral("10 und jünger %d"));
  EXPECT_EQ(AgeText(20, 99), QString()); // the file has no S11: the list is empty
  EXPECT_EQ(RelayTeamText(2), QString());
  EXPECT_EQ(EventText(1, 2, 0), QStringLiteral(" 100m ")); // lists replaced unconditionally
}

TEST(SwimDates, GivesCalendarYear)
{
  EXPECT_EQ(YearOf(QDate(2008, 5, 17)), 2008);
  EXPECT_EQ(YearOf(QDate(1890, 1, 1)), 1890);
  EXPECT_EQ(YearOf(QDate()), 0);
}

} // namespace
