#include "tests/cli/cliTestSupport.h"

#include <QFile>

namespace {

// Two persons with id 5: the reader accepts the file, the index refuses it.
const char DuplicatePersons[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                                "<AQUON>\n"
                                " <VERSION>01.03.0007</VERSION>\n"
                                " <COMPETITIONS>\n"
                                "  <COMPETITION>\n"
                                "   <NAME>Test</NAME>\n"
                                "   <CLUBS>\n"
                                "    <CLUB>\n"
                                "     <PERSONS>\n"
                                "      <PERSON id=\"5\"><NAME>A</NAME></PERSON>\n"
                                "      <PERSON id=\"5\"><NAME>B</NAME></PERSON>\n"
                                "     </PERSONS>\n"
                                "    </CLUB>\n"
                                "   </CLUBS>\n"
                                "  </COMPETITION>\n"
                                " </COMPETITIONS>\n"
                                "</AQUON>\n";

TEST_F(CliTest, CheckAcceptsAGeneratedMeet)
{
  const QString file = Generate("good.aqe", 3, 30, 12, 1);
  const TCliRun run = RunCli({"check", file});
  EXPECT_EQ(run.ExitCode, 0) << run.Out.toStdString() << run.Err.toStdString();
  EXPECT_FALSE(run.Out.contains("error: "));
  EXPECT_EQ(run.Out.trimmed(), file + ": 0 errors, 0 warnings");
}

TEST_F(CliTest, CheckAcceptsTheBundledSample)
{
  const TCliRun run = RunCli({"check", QUILLET_BIN_DIR "/samples/sample.aqe"});
  EXPECT_EQ(run.ExitCode, 0) << run.Out.toStdString();
  EXPECT_TRUE(run.Out.endsWith(": 0 errors, 0 warnings\n")) << run.Out.toStdString();
  const TCliRun info = RunCli({"info", QUILLET_BIN_DIR "/samples/sample.aqe"});
  EXPECT_TRUE(info.Out.contains("  Clubs:              9\n")) << info.Out.toStdString();
}

TEST_F(CliTest, CheckListsTheErrorsOfTheIndexWithTheirLines)
{
  WriteBytes(Path("dup.aqe"), DuplicatePersons);
  const TCliRun run = RunCli({"check", Path("dup.aqe")});
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_TRUE(run.Out.startsWith("error: Line 11: Duplicate PERSON id !\n"))
      << run.Out.toStdString();
  EXPECT_TRUE(run.Out.endsWith(": 1 error, 0 warnings\n")) << run.Out.toStdString();
}

// Files the reader refuses: every one gives error lines and exit code 1, never a crash.
TEST_F(CliTest, CheckReportsBrokenFilesAsErrors)
{
  const struct
  {
    const char *Name;
    QByteArray Bytes;
  } cases[] = {
      {"text-first.aqe", "Meldung\n<AQUON></AQUON>\n"},
      {"collection.aqe", "<AQUON><CLUBS><PERSON/></CLUBS></AQUON>\n"},
      {"mismatch.aqe", "<AQUON><NAME>x</PLACE></AQUON>\n"},
      {"binary.aqe", QByteArray("\x00\x01\xff<<<&&&\xfe", 11).repeated(500)},
      {"notzip.aqz", "PK\x03\x04 this is no archive at all"},
      {"empty.aqz", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Name);
    WriteBytes(Path(c.Name), c.Bytes);
    const TCliRun run = RunCli({"check", Path(c.Name)});
    EXPECT_FALSE(run.Crashed);
    EXPECT_EQ(run.ExitCode, 1) << run.Out.toStdString() << run.Err.toStdString();
    EXPECT_TRUE(run.Out.startsWith("error: ")) << run.Out.toStdString();
  }
}

TEST_F(CliTest, WrongArgumentsAndMissingFilesExitWithTwo)
{
  const QString out = Path("out.aqe");
  const QStringList cases[] = {
      {},
      {"nonsense"},
      {"check"},
      {"check", "a.aqe", "b.aqe"},
      {"check", "--verbose", "a.aqe"},
      {"check", "/nonexistent/folder/missing.aqe"},
      {"check", QString(QUILLET_BIN_DIR)},
      {"info", "/nonexistent/missing.aqe"},
      {"info", "a.aqe", "--xml"},
      {"convert", "only-one.aqe"},
      {"convert", "/nonexistent/in.aqe", out},
      {"generate", out, "--clubs", "2", "--persons", "10"},
      {"generate", out, "--clubs", "0", "--persons", "10", "--events", "5"},
      {"generate", out, "--clubs", "2", "--persons", "-3", "--events", "5"},
      {"generate", out, "--clubs", "two", "--persons", "10", "--events", "5"},
      {"generate", out, "--clubs", "2", "--persons", "10", "--events", "5", "--seed"},
  };
  for (const QStringList &args : cases) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const TCliRun run = RunCli(args);
    EXPECT_FALSE(run.Crashed);
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_TRUE(run.Err.startsWith("quillet-cli: ") || run.Err.startsWith("Usage:"))
        << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.aqe")));
  }
}

TEST_F(CliTest, HelpGoesToStandardOutputWithSuccess)
{
  const TCliRun run = RunCli({"--help"});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_TRUE(run.Out.startsWith("Usage: quillet-cli"));
}

} // namespace
