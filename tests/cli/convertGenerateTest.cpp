#include "tests/cli/cliTestSupport.h"

#include <QFile>

namespace {

TEST_F(CliTest, GenerateIsDeterministicPerSeed)
{
  const QByteArray first = ReadBytes(Generate("a.aqe", 4, 80, 20, 42));
  const QByteArray again = ReadBytes(Generate("b.aqe", 4, 80, 20, 42));
  const QByteArray other = ReadBytes(Generate("c.aqe", 4, 80, 20, 43));
  EXPECT_GT(first.size(), 10000);
  EXPECT_EQ(first, again);
  EXPECT_NE(first, other);
  EXPECT_TRUE(first.startsWith("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"));
  // Letters outside the declared character set survive as character references.
  EXPECT_TRUE(first.contains("&#")) << "Ł, Ω and the like";
  EXPECT_TRUE(first.contains("&amp;")) << "the club named with an ampersand";
}

TEST_F(CliTest, ConvertRefusesAFileWithErrorsAndWritesNothing)
{
  WriteBytes(Path("broken.aqe"), "<AQUON><COMPETITIONS></CLUBS></COMPETITIONS></AQUON>\n");
  const TCliRun run = RunCli({"convert", Path("broken.aqe"), Path("out.aqe")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(run.Err.contains("nothing was written")) << run.Err.toStdString();
  EXPECT_FALSE(QFile::exists(Path("out.aqe")));
}

TEST_F(CliTest, ConvertIntoAMissingFolderFailsWithAMessage)
{
  const QString original = Generate("meet.aqe", 1, 5, 3, 1);
  const TCliRun run = RunCli({"convert", original, Path("no/such/folder/out.aqe")});
  EXPECT_FALSE(run.Crashed);
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(run.Err.startsWith("quillet-cli: ")) << run.Err.toStdString();
}

} // namespace
