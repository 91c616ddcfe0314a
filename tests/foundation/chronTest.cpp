#include "foundation/gvkErrors.h"
#include "foundation/gvkStrings.h"
#include "tests/foundation/printers.h"

#include <gtest/gtest.h>

namespace {

struct ChronCase
{
  TChron Value;
  const char *WithHundredths;
  const char *WithoutHundredths;
  friend void PrintTo(const ChronCase &c, std::ostream *os) { *os << c.Value; }
};

class ChronToTextTest : public ::testing::TestWithParam<ChronCase>
{
};

TEST_P(ChronToTextTest, ShowsFixedPitchText)
{
  const ChronCase &c = GetParam();
  EXPECT_EQ(ChronToText(c.Value, true), QString::fromLatin1(c.WithHundredths));
  EXPECT_EQ(ChronToText(c.Value, false), QString::fromLatin1(c.WithoutHundredths));
}

INSTANTIATE_TEST_SUITE_P(Examples, ChronToTextTest,
                         ::testing::Values(ChronCase{623040, " 1:02.34", " 1:02.3"},
                                           ChronCase{591020, "   59.12", "   59.1"},
                                           ChronCase{623100, " 1:02.3*", " 1:02.3"},
                                           ChronCase{7200000, "12:00.00", "12:00.0"},
                                           ChronCase{60000000, "100:00.00", "100:00.0"},
                                           ChronCase{1023040, " 1:42.34", " 1:42.3"},
                                           ChronCase{0, "", ""}, ChronCase{100, "", ""}));

struct TextCase
{
  const char *Text;
  TChron Value;
  friend void PrintTo(const TextCase &c, std::ostream *os) { *os << '"' << c.Text << '"'; }
};

class TextToChronTest : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(TextToChronTest, ReadsTypedText)
{
  EXPECT_EQ(TextToChron(QString::fromLatin1(GetParam().Text)), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, TextToChronTest,
    ::testing::Values(TextCase{"1:02.34", 623040}, TextCase{"1:02,34", 623040},
                      TextCase{"102.34", 1023040}, TextCase{"59.12", 591020},
                      TextCase{"1:02.3", 623000}, TextCase{"1:02.3*", 623100},
                      TextCase{"1:02.3x", 623100}, TextCase{"1:02.345", 623040},
                      TextCase{"1:02", 10020}, TextCase{"1:2:3.4", 634000}, TextCase{"10234", 0},
                      TextCase{"", 0}, TextCase{" 1 : 02 . 34", 623040},
                      TextCase{"99:99.99", 35999090}, TextCase{"99:99,99", 35999090},
                      TextCase{"ab:cd.ef", 100}, TextCase{"3579:00.00", 2147400000}));

TEST(TextToChron, MinutesBeyondTheRangeRaiseAnError)
{
  EXPECT_THROW(TextToChron(QStringLiteral("3580:00.00")), EGvkOverflow);
  EXPECT_THROW(TextToChron(QStringLiteral("99999999999999999999999:00.00")), EGvkOverflow);
  EXPECT_THROW(TextToChron(QStringLiteral("1:99999999999999.00")), EGvkOverflow);
}

// Digits of other scripts are not numbers here; they must read as 0, not as a number
// too large to hold.
TEST(TextToChron, ForeignDigitsReadAsZero)
{
  EXPECT_EQ(TextToChron(QString::fromUtf8("\u0661:\u0660\u0662.\u0663\u0664")), 100);
}

} // namespace
