#include "tests/cli/cliTestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>
#include <map>

namespace {

struct TExpected
{
  int Events = 0, Clubs = 0, Persons = 0, Periods = 0;
  int Individual = 0, Relay = 0;
  qint64 IndividualFee = 0, RelayFee = 0;
  QString Currency;
};

// Totals computed from the XML text alone, with Qt's own XML reader: every ENTRY below a
// PERSON or a RELAY counts and costs the FEE of the EVENT whose id its EID names.
TExpected CountWithQtXml(const QString &fileName)
{
  QFile file(fileName);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  std::map<int, std::pair<qint64, QString>> fees; // event id -> fee, currency
  std::vector<std::pair<bool, int>> entries;      // relay?, event id
  QStringList path;
  int eventId = 0;
  TExpected expected;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const QString name = xml.name().toString();
      path << name;
      if (name == "EVENT") {
        eventId = xml.attributes().value("id").toInt();
        ++expected.Events;
      } else if (name == "CLUB") {
        ++expected.Clubs;
      } else if (name == "PERSON") {
        ++expected.Persons;
      } else if (name == "PERIOD") {
        ++expected.Periods;
      } else if (name == "FEE" && path.value(path.size() - 2) == "EVENT") {
        const QString currency = xml.attributes().value("currency").toString();
        fees[eventId] = {xml.readElementText().toLongLong(), currency};
        path.removeLast();
      } else if (name == "EID" && path.value(path.size() - 4) == "PERSON") {
        entries.emplace_back(false, xml.readElementText().toInt());
        path.removeLast();
      } else if (name == "EID" && path.value(path.size() - 4) == "RELAY") {
        entries.emplace_back(true, xml.readElementText().toInt());
        path.removeLast();
      }
    } else if (xml.isEndElement()) {
      path.removeLast();
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  for (const auto &[relay, id] : entries) {
    const auto fee = fees.find(id);
    EXPECT_NE(fee, fees.end()) << "entry for unknown event " << id;
    if (fee == fees.end())
      continue;
    (relay ? expected.Relay : expected.Individual) += 1;
    (relay ? expected.RelayFee : expected.IndividualFee) += fee->second.first;
    if (expected.Currency.isEmpty())
      expected.Currency = fee->second.second;
  }
  return expected;
}

QString Money(qint64 hundredths)
{
  return QString::asprintf("%.2f", hundredths / 100.0);
}

TEST_F(CliTest, InfoTotalsAgreeWithAnIndependentCount)
{
  const QString file = Generate("meet.aqe", 5, 120, 25, 3);
  const TExpected expected = CountWithQtXml(file);
  ASSERT_GT(expected.Individual, 100);
  ASSERT_GT(expected.Relay, 5);

  const TCliRun json = RunCli({"info", file, "--json"});
  ASSERT_EQ(json.ExitCode, 0) << json.Err.toStdString();
  QJsonParseError parseError;
  const QJsonObject root = QJsonDocument::fromJson(json.Out.toUtf8(), &parseError).object();
  ASSERT_EQ(parseError.error, QJsonParseError::NoError) << json.Out.toStdString();
  EXPECT_EQ(root["fileInfo"].toString(),
            "AQUON version 01.03.0007 created with :\nQuillet, version " QUILLET_VERSION);
  const QJsonArray competitions = root["competitions"].toArray();
  ASSERT_EQ(competitions.size(), 1);
  const QJsonObject c = competitions.at(0).toObject();
  EXPECT_EQ(c["events"].toInt(), expected.Events);
  EXPECT_EQ(c["events"].toInt(), 25);
  EXPECT_EQ(c["clubs"].toInt(), expected.Clubs);
  EXPECT_EQ(c["persons"].toInt(), expected.Persons);
  EXPECT_EQ(c["periods"].toInt(), expected.Periods);
  EXPECT_EQ(c["individualEntries"].toInt(), expected.Individual);
  EXPECT_EQ(c["individualFee"].toInteger(), expected.IndividualFee);
  EXPECT_EQ(c["relayEntries"].toInt(), expected.Relay);
  EXPECT_EQ(c["relayFee"].toInteger(), expected.RelayFee);
  EXPECT_EQ(c["totalFee"].toInteger(), expected.IndividualFee + expected.RelayFee);
  EXPECT_EQ(c["currency"].toString(), "EUR");
  EXPECT_EQ(c["poolMeasure"].toString(), "m");
  EXPECT_FALSE(c["deadline"].toString().isEmpty());

  const TCliRun text = RunCli({"info", file});
  ASSERT_EQ(text.ExitCode, 0) << text.Err.toStdString();
  EXPECT_TRUE(text.Out.startsWith(root["fileInfo"].toString() + "\n")) << text.Out.toStdString();
  EXPECT_TRUE(text.Out.contains(QString("  Individual entries: %1, fees %2\n")
                                    .arg(expected.Individual)
                                    .arg(Money(expected.IndividualFee))))
      << text.Out.toStdString();
  EXPECT_TRUE(text.Out.contains(QString("  Relay entries:      %1, fees %2\n")
                                    .arg(expected.Relay)
                                    .arg(Money(expected.RelayFee))));
  EXPECT_TRUE(text.Out.contains(QString("  Total fees:         EUR %1\n")
                                    .arg(Money(expected.IndividualFee + expected.RelayFee))));
  EXPECT_TRUE(text.Out.contains(QString("  Persons:            %1\n").arg(expected.Persons)));
}

// Entries in an unknown event count but cost nothing; the currency comes from the
// first event met that has a fee, even when that is a relay's.
TEST_F(CliTest, InfoCountsEntriesOfUnknownEventsWithoutFee)
{
  WriteBytes(Path("small.aqe"),
             "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
             "<AQUON><VERSION>01.03.0007</VERSION><COMPETITIONS>\n"
             "<COMPETITION><NAME>Klein &amp; fein</NAME><PERIODS><PERIOD><EVENTS>\n"
             "<EVENT id=\"1\"><NUM>1</NUM><DISCNT>1</DISCNT></EVENT>\n"
             "<EVENT id=\"2\"><NUM>2</NUM><DISCNT>4</DISCNT>"
             "<FEE currency=\"CHF\">1250</FEE></EVENT>\n"
             "</EVENTS></PERIOD></PERIODS><CLUBS><CLUB><PERSONS>\n"
             "<PERSON id=\"1\"><ENTRIES><ENTRY><EID>1</EID></ENTRY>"
             "<ENTRY><EID>9</EID></ENTRY></ENTRIES></PERSON>\n"
             "</PERSONS><RELAYS><RELAY id=\"1\"><ENTRIES><ENTRY><EID>2</EID>"
             "</ENTRY><ENTRY><EID>2</EID></ENTRY></ENTRIES></RELAY></RELAYS>\n"
             "</CLUB></CLUBS></COMPETITION></COMPETITIONS></AQUON>\n");
  const TCliRun run = RunCli({"info", Path("small.aqe"), "--json"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
  const QJsonObject c = QJsonDocument::fromJson(run.Out.toUtf8())
                            .object()
                            .value("competitions")
                            .toArray()
                            .at(0)
                            .toObject();
  EXPECT_EQ(c["name"].toString(), "Klein & fein");
  EXPECT_EQ(c["individualEntries"].toInt(), 2);
  EXPECT_EQ(c["individualFee"].toInteger(), 0);
  EXPECT_EQ(c["relayEntries"].toInt(), 2);
  EXPECT_EQ(c["relayFee"].toInteger(), 2500);
  EXPECT_EQ(c["currency"].toString(), "CHF");
  EXPECT_EQ(c["poolLength"].toInt(), 50); // the index's default
  EXPECT_EQ(c["deadline"].toString(), "");
}

TEST_F(CliTest, InfoRefusesAFileWithErrors)
{
  WriteBytes(Path("broken.aqe"), "<AQUON><COMPETITIONS></CLUBS></COMPETITIONS></AQUON>\n");
  const TCliRun run = RunCli({"info", Path("broken.aqe")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(run.Err.contains("error: ")) << run.Err.toStdString();
  EXPECT_TRUE(run.Out.isEmpty());
}

} // namespace
