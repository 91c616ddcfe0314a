#include "tests/cli/cliTestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

TEST_F(CliTest, GenerateToAZipNameWritesAnArchive)
{
  const QString file = Generate("meet.aqz", 2, 20, 8, 5);
  EXPECT_TRUE(ReadBytes(file).startsWith("PK\x03\x04"));
  EXPECT_EQ(RunCli({"check", file}).ExitCode, 0);
}

// Plain to zipped to plain keeps the meet, byte for byte, and keeps it valid.
TEST_F(CliTest, ConvertPlainToZippedToPlainKeepsTheMeet)
{
  const QString original = Generate("meet.aqe", 6, 150, 30, 9);
  const TCliRun zip = RunCli({"convert", original, Path("meet.aqz")});
  ASSERT_EQ(zip.ExitCode, 0) << zip.Err.toStdString();
  EXPECT_EQ(zip.Out.trimmed(), "wrote " + Path("meet.aqz"));
  EXPECT_TRUE(ReadBytes(Path("meet.aqz")).startsWith("PK\x03\x04"));

  const TCliRun plain = RunCli({"convert", Path("meet.aqz"), Path("back.xml")});
  ASSERT_EQ(plain.ExitCode, 0) << plain.Err.toStdString();
  EXPECT_EQ(plain.Out.trimmed(), "wrote " + Path("back.aqe")); // the writer's name rule
  EXPECT_FALSE(QFile::exists(Path("back.xml")));
  EXPECT_EQ(ReadBytes(Path("back.aqe")), ReadBytes(original));

  const TCliRun before = RunCli({"info", original, "--json"});
  const TCliRun after = RunCli({"info", Path("back.aqe"), "--json"});
  const auto competitions = [](const TCliRun &run) {
    return QJsonDocument::fromJson(run.Out.toUtf8()).object().value("competitions");
  };
  EXPECT_EQ(competitions(after), competitions(before));
  EXPECT_TRUE(competitions(after).toArray().size() == 1);
}

} // namespace
