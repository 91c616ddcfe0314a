#include "format/aqnTotals.h"
#include "format/aquon.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

// Two competitions that use the same event ids with different fees, so a lookup in the
// wrong competition shows in the sums.
const char Meet[] = R"(<?xml version="1.0" encoding="ISO-8859-1"?>
<AQUON>
 <COMPETITIONS>
  <COMPETITION>
   <PERIODS><PERIOD><EVENTS>
    <EVENT id="1"><NUM>1</NUM><FEE>300</FEE></EVENT>
    <EVENT id="2"><NUM>2</NUM><FEE currency="EUR">500</FEE></EVENT>
    <EVENT id="3"><NUM>3</NUM></EVENT>
    <EVENT id="4"><NUM>4</NUM><DISCNT>4</DISCNT><FEE currency="CHF">1200</FEE></EVENT>
   </EVENTS></PERIOD></PERIODS>
   <CLUBS>
    <CLUB>
     <PERSONS>
      <PERSON id="1"><ENTRIES><ENTRY><EID>1</EID></ENTRY><ENTRY><EID>2</EID></ENTRY></ENTRIES></PERSON>
      <PERSON id="2"/>
      <PERSON id="3"><ENTRIES><ENTRY><EID>3</EID></ENTRY><ENTRY><EID>77</EID></ENTRY></ENTRIES></PERSON>
     </PERSONS>
     <RELAYS>
      <RELAY id="1"><ENTRIES><ENTRY><EID>4</EID></ENTRY><ENTRY><EID>4</EID></ENTRY></ENTRIES></RELAY>
     </RELAYS>
    </CLUB>
    <CLUB>
     <PERSONS>
      <PERSON id="4"><ENTRIES><ENTRY><EID>2</EID></ENTRY></ENTRIES></PERSON>
     </PERSONS>
     <RELAYS><RELAY id="2"><ENTRIES/></RELAY></RELAYS>
    </CLUB>
   </CLUBS>
  </COMPETITION>
  <COMPETITION>
   <PERIODS><PERIOD><EVENTS>
    <EVENT id="4"><NUM>1</NUM><DISCNT>4</DISCNT><FEE currency="DKK">4000</FEE></EVENT>
   </EVENTS></PERIOD></PERIODS>
   <CLUBS><CLUB><RELAYS>
    <RELAY id="3"><ENTRIES><ENTRY><EID>4</EID></ENTRY></ENTRIES></RELAY>
   </RELAYS></CLUB></CLUBS>
  </COMPETITION>
  <COMPETITION><NAME>no clubs</NAME></COMPETITION>
 </COMPETITIONS>
</AQUON>
)";

class TotalsTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    QByteArray bytes(Meet);
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    Document.LoadFromDevice(buffer, QStringLiteral("meet.aqe"));
    ASSERT_EQ(Document.Errors(), QStringList());
    Document.BuildIndex();
    ASSERT_EQ(Document.Errors(), QStringList());
  }
  TAqnTotals Select(int competition)
  {
    Document.SelectCompetition(competition);
    return ComputeTotals(Document);
  }
  TAquon Document;
};

TEST_F(TotalsTest, CountsEveryClubAndTakesTheFirstCurrencyMet)
{
  const TAqnTotals totals = Select(0);
  // Unknown event 77 and the event without a fee count but cost nothing.
  EXPECT_EQ(totals.IndividualCount, 5);
  EXPECT_EQ(totals.IndividualFee, 300 + 500 + 500);
  EXPECT_EQ(totals.RelayCount, 2);
  EXPECT_EQ(totals.RelayFee, 2400);
  EXPECT_EQ(totals.TotalFee(), 3700);
  // The first FEE met has no currency; the next one gives it.
  EXPECT_EQ(totals.Currency, QStringLiteral("EUR"));
}

TEST_F(TotalsTest, LooksEventsUpInTheSelectedCompetitionOnly)
{
  const TAqnTotals totals = Select(1);
  EXPECT_EQ(totals.IndividualCount, 0);
  EXPECT_EQ(totals.RelayCount, 1);
  EXPECT_EQ(totals.RelayFee, 4000);
  EXPECT_EQ(totals.Currency, QStringLiteral("DKK"));

  const TAqnTotals empty = Select(2);
  EXPECT_EQ(empty.IndividualCount + empty.RelayCount, 0);
  EXPECT_EQ(empty.TotalFee(), 0);
  EXPECT_EQ(empty.TotalText(QLatin1Char('.')), QStringLiteral("-"));
}

TEST_F(TotalsTest, NoSelectedCompetitionGivesZero)
{
  TAquon fresh;
  const TAqnTotals totals = ComputeTotals(fresh);
  EXPECT_EQ(totals.IndividualCount, 0);
  EXPECT_EQ(totals.TotalFee(), 0);
  EXPECT_TRUE(totals.Currency.isEmpty());
}

TEST(TotalsTexts, ShowDashesForZeroAndTwoDecimalsOtherwise)
{
  EXPECT_EQ(TAqnTotals::CountText(0), QStringLiteral("-"));
  EXPECT_EQ(TAqnTotals::CountText(17), QStringLiteral("17"));
  const struct
  {
    qint64 Hundredths;
    QChar Point;
    const char *Text;
  } amounts[] = {
      {0, QLatin1Char('.'), "-"},
      {5, QLatin1Char('.'), "0.05"},
      {1250, QLatin1Char(','), "12,50"},
      {-150, QLatin1Char('.'), "-1.50"},
      {123456789012, QLatin1Char('.'), "1234567890.12"},
  };
  for (const auto &a : amounts)
    EXPECT_EQ(TAqnTotals::AmountText(a.Hundredths, a.Point), QString::fromLatin1(a.Text));

  TAqnTotals totals;
  totals.IndividualFee = 1000;
  totals.RelayFee = 250;
  totals.Currency = QStringLiteral("EUR");
  EXPECT_EQ(totals.TotalText(QLatin1Char(',')), QStringLiteral("EUR 12,50"));
}

} // namespace
