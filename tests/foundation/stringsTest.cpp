#include "foundation/gvkStrings.h"
#include "tests/foundation/printers.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

QString L(const char *text)
{
  return QString::fromUtf8(text);
}

struct TokenCase
{
  const char *Text;
  const char *Delimiters;
  int Words;  // TokenCount in word mode
  int Fields; // TokenCount in field mode
  int N;
  const char *Word;  // GetToken(n) in word mode
  const char *Field; // GetToken(n) in field mode
};

TEST(Tokens, WordModeAndFieldModeCountAndFetch)
{
  const TokenCase cases[] = {
      {"a;;b", ";", 2, 3, 2, "b", ""},
      {"a;;b", ";", 2, 3, 3, "", "b"},
      {";a;;b", ";", 2, 4, 2, "b", "a"},
      {"a;", ";", 1, 2, 2, "", ""},
      {"a;", ";", 1, 2, 1, "a", "a"},
      {"", ";", 0, 0, 1, "", ""},
      {"x y,z", " ,", 3, 3, 3, "z", "z"},
      {"one two", " ", 2, 2, 0, "one", "one"},  // below 1: the first
      {"one two", " ", 2, 2, -1, "one", "one"}, // below 1: the first
      {"one two", " ", 2, 2, 9, "", ""},        // beyond the last
      {";;;", ";", 0, 4, 1, "", ""},
  };
  for (const TokenCase &c : cases) {
    const QString text = L(c.Text), delimiters = L(c.Delimiters);
    SCOPED_TRACE(std::string(c.Text) + " n=" + std::to_string(c.N));
    EXPECT_EQ(TokenCount(text, delimiters, false), c.Words);
    EXPECT_EQ(TokenCount(text, delimiters, true), c.Fields);
    EXPECT_EQ(GetToken(text, delimiters, c.N, false), L(c.Word));
    EXPECT_EQ(GetToken(text, delimiters, c.N, true), L(c.Field));
  }
}

TEST(Fields, GetFieldsJoinsTheFieldsAskedFor)
{
  struct Case
  {
    const char *Text;
    int First, Count;
    const char *Expected;
  };
  const Case cases[] = {
      {"a;b;c;d", 2, 2, "b;c"},  {"a;b;c;d", 1, 1, "a"},      {"a;b;c;d", 0, 1, "a"},
      {"a;b;c;d", -5, 2, "a;b"}, {"a;b;c;d", 4, 3, "d;;"},    {"a;b;c;d", 9, 1, ""},
      {"a;;c", 2, 1, ""},        {"a;b", 2147483647, 2, ";"}, {"a;;c", 2, 2, ";c"},
      {"a;b", 1, 0, ""},
  };
  for (const Case &c : cases)
    EXPECT_EQ(GetFields(L(c.Text), c.First, c.Count), L(c.Expected))
        << c.Text << " " << c.First << " " << c.Count;
  EXPECT_EQ(FieldCount(QStringLiteral("a;;b")), 3);
  EXPECT_EQ(FieldCount(QString()), 0);
  EXPECT_EQ(JoinFields({QStringLiteral("1"), QString(), QStringLiteral("3")}), "1;;3");
}

TEST(Fields, IsInListAndIsTokenMatchWholeItemsOnly)
{
  EXPECT_TRUE(IsInList(QStringLiteral("ab"), QStringLiteral("a;ab;b")));
  EXPECT_TRUE(IsInList(QStringLiteral("a"), QStringLiteral("a;ab;b")));
  EXPECT_TRUE(IsInList(QStringLiteral("b"), QStringLiteral("a;ab;b")));
  EXPECT_FALSE(IsInList(QStringLiteral("a"), QStringLiteral("ab;b")));
  EXPECT_FALSE(IsInList(QStringLiteral("AB"), QStringLiteral("a;ab;b")));
  EXPECT_FALSE(IsInList(QStringLiteral("a;b"), QStringLiteral("a;xb")));

  EXPECT_TRUE(IsToken(QString(), QStringLiteral(","), QStringLiteral("anything")));
  EXPECT_TRUE(IsToken(QStringLiteral("Free,Back"), QStringLiteral(","), QStringLiteral("Back")));
  EXPECT_FALSE(IsToken(QStringLiteral("Free,Back"), QStringLiteral(","), QStringLiteral("back")));
  EXPECT_FALSE(IsToken(QStringLiteral("Free,Back"), QStringLiteral(","), QStringLiteral("Fre")));
  EXPECT_FALSE(IsToken(QStringLiteral("Free,,Back"), QStringLiteral(","), QString()));
}

TEST(Replace, ReplaceAllScansLeftToRightWithoutOverlaps)
{
  struct Case
  {
    const char *Text, *Old, *New, *Expected;
  };
  const Case cases[] = {
      {"aaaa", "aa", "b", "bb"},  {"aaa", "aa", "b", "ba"},
      {"abc", "x", "y", "abc"},   {"a.b.c", ".", "", "abc"},
      {"abAb", "ab", "x", "xAb"}, {"@DATE@ and @DATE@", "@DATE@", "1.2.", "1.2. and 1.2."},
      {"abc", "", "x", "abc"},    {"aa", "a", "aa", "aaaa"},
  };
  for (const Case &c : cases)
    EXPECT_EQ(ReplaceAll(L(c.Text), L(c.Old), L(c.New)), L(c.Expected)) << c.Text << c.Old;
}

TEST(Padding, TextsAreCutOrFilledToTheWidth)
{
  EXPECT_EQ(PadRight(QStringLiteral("ab"), 4), "ab  ");
  EXPECT_EQ(PadRight(QStringLiteral("abcdef"), 4), "abcd");
  EXPECT_EQ(PadLeft(QStringLiteral("ab"), 4), "  ab");
  EXPECT_EQ(PadLeft(QStringLiteral("abcdef"), 4), "abcd");
  EXPECT_EQ(PadRight(QStringLiteral("äöü"), 4), L("äöü ")); // characters, not bytes
  EXPECT_EQ(PadLeft(QStringLiteral("ab"), 0), "");
  EXPECT_EQ(PadRight(QStringLiteral("ab"), -3), "");
  EXPECT_EQ(Spaces(3), "   ");
  EXPECT_EQ(Spaces(0), "");
  EXPECT_EQ(Spaces(-2), "");
  EXPECT_EQ(IntToZeroPadded(7, 3), "007");
  EXPECT_EQ(IntToZeroPadded(-5, 3), "0-5");
  EXPECT_EQ(IntToZeroPadded(12345, 3), "12345");
  EXPECT_EQ(IntToZeroPadded(1000, 3), "1000");
}

TEST(PlainAscii, UmlautsBecomeTwoLettersAndAccentsTheirBaseLetter)
{
  struct Case
  {
    const char *Text, *Blanked, *Kept;
  };
  const Case cases[] = {
      {"Müller Straße", "Mueller Stra e", "Mueller Straße"},
      {"ÄÖÜäöü", "AEOEUEaeoeue", "AEOEUEaeoeue"},
      {"ÀÁÂÇÈÉÊËÌÍÎÑÒÓÔÙÚÛ", "AAACEEEEIIINOOOUUU", "AAACEEEEIIINOOOUUU"},
      {"àáâçèéêëìíîñòóôùúû", "aaaceeeeiiinooouuu", "aaaceeeeiiinooouuu"},
      {"ÃÅÏÕØÝ", "      ", "ÃÅÏÕØÝ"},
      {"a\tb~\x7f", "a b~\x7f", "a\tb~\x7f"},
      {"Łódź 日本", " od    ", "Łodź 日本"},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(ToPlainAscii(L(c.Text), true), L(c.Blanked)) << c.Text;
    EXPECT_EQ(ToPlainAscii(L(c.Text), false), L(c.Kept)) << c.Text;
  }
}

class DateNames : public ::testing::Test
{
protected:
  void TearDown() override { SetDateNames({}, {}, {}, {}); }

  static QStringList Numbered(const char *prefix, int count)
  {
    QStringList names;
    for (int i = 0; i < count; ++i)
      names.append(QString::fromLatin1(prefix) + QString::number(i));
    return names;
  }
};

TEST_F(DateNames, UntilSetTheLocaleFormatsAndNamesAreUsed)
{
  const QLocale locale = QLocale::system();
  const QDate date(2008, 5, 17);
  EXPECT_EQ(DateToText(false, date), locale.toString(date, QLocale::ShortFormat));
  EXPECT_EQ(DateToText(true, date), locale.toString(date, QLocale::LongFormat));
  EXPECT_EQ(DateToText(true, QDate()), "");
}

TEST_F(DateNames, SetNamesReplaceTheLocaleNamesInEveryFormat)
{
  const QDate date(2008, 5, 17); // a Saturday
  // Names with quotes and format letters must come out as they are.
  const QStringList longMonths = Numbered("Mo'n d M ", 12);
  const QStringList longDays = Numbered("Tag'", 7);
  SetDateNames(longMonths, Numbered("m", 12), longDays, Numbered("t", 7));
  EXPECT_EQ(FormatDateText(QStringLiteral("dddd, d. MMMM yyyy ('ddd' ddd MMM) dd.MM.yy ''"), date),
            L("Tag'6, 17. Mo'n d M 4 2008 (ddd t6 m4) 17.05.08 '"));
  EXPECT_EQ(FormatDateText(QStringLiteral("'it''s' MMMMd"), date), L("it's Mo'n d M 417"));

  // The locale's own formats show the names set wherever they name the month or day.
  const QLocale locale = QLocale::system();
  for (const auto kind : {QLocale::LongFormat, QLocale::ShortFormat}) {
    const QString format = locale.dateFormat(kind);
    const QString text = DateToText(kind == QLocale::LongFormat, date);
    SCOPED_TRACE(format.toStdString() + " -> " + text.toStdString());
    EXPECT_TRUE(text.contains(QLatin1String("08")));
    if (format.contains(QLatin1String("MMMM"))) {
      EXPECT_TRUE(text.contains(longMonths.at(4)));
    }
    if (format.contains(QLatin1String("dddd"))) {
      EXPECT_TRUE(text.contains(longDays.at(6)));
    }
    if (format.contains(QLatin1String("MMM")) || format.contains(QLatin1String("ddd"))) {
      EXPECT_FALSE(text.contains(locale.monthName(5)) || text.contains(locale.dayName(6)));
    }
  }
}

TEST_F(DateNames, AListOfTheWrongLengthLeavesTheLocaleNames)
{
  const QLocale locale = QLocale::system();
  const QDate date(2008, 5, 17);
  SetDateNames(Numbered("x", 11), {}, Numbered("y", 8), {});
  EXPECT_EQ(DateToText(true, date), locale.toString(date, QLocale::LongFormat));
}

TEST(Separators, TimeAndDateSeparatorsAreNeverBlank)
{
  EXPECT_FALSE(TimeSeparator().trimmed().isEmpty());
  EXPECT_FALSE(DateSeparator().trimmed().isEmpty());
  EXPECT_EQ(TimeSeparator().size(), 1);
}

} // namespace
