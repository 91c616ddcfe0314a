// Hostile and broken files given to quillet-cli check: every one ends with a message and
// exit code 1 or 2, never a crash or a hang, and leaves nothing in the temporary folder.
// Every file is made here, from a meet the command line generates.
#include "tests/cli/cliTestSupport.h"
#include "tests/format/zipBomb.h"
#include "tests/toolRun.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <functional>

namespace {

class CliHostileTest : public CliTest
{
protected:
  struct TPrivateRun
  {
    TCliRun Run;
    QString TmpDir;
    QString Home;
  };

  // Runs "check file" with TMPDIR and QUILLET_HOME in fresh folders of this run only;
  // prepareHome may put files into the home folder first.
  TPrivateRun CheckPrivately(const QString &file,
                             const std::function<void(const QString &)> &prepareHome = {})
  {
    const QString base = Path(QStringLiteral("run%1").arg(++FRuns));
    TPrivateRun result{{}, base + QStringLiteral("/tmp"), base + QStringLiteral("/home")};
    EXPECT_TRUE(QDir().mkpath(result.TmpDir) && QDir().mkpath(result.Home));
    if (prepareHome)
      prepareHome(result.Home);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), result.TmpDir);
    environment.insert(QStringLiteral("QUILLET_HOME"), result.Home);
    result.Run = RunCli({QStringLiteral("check"), file}, environment);
    return result;
  }

  static bool IsEmptyFolder(const QString &dir)
  {
    return QDir(dir).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
  }

  QString Folder() const { return QFileInfo(Path(QStringLiteral("x"))).absolutePath(); }

private:
  int FRuns = 0;
};

QByteArray ChangedRandomly(QByteArray bytes, quint32 seed, int changes)
{
  QRandomGenerator random(seed);
  for (int i = 0; i < changes; ++i)
    bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
  return bytes;
}

QByteArray Junk(int size, quint32 seed)
{
  QRandomGenerator random(seed);
  QByteArray bytes(size, '\0');
  for (char &byte : bytes)
    byte = char(random.bounded(256));
  return bytes;
}

// The archive the command line writes holds one entry: its local header is at 0 and
// its central directory record is the last "PK\1\2".
QByteArray WithWrongCrc(QByteArray zip)
{
  const qsizetype central = zip.lastIndexOf("PK\x01\x02");
  EXPECT_TRUE(zip.startsWith("PK\x03\x04") && central > 0);
  for (const qsizetype crc : {qsizetype(14), central + 16})
    zip[crc] = char(~zip[crc]);
  return zip;
}

TEST_F(CliHostileTest, HostileFilesEndWithAMessageAndLeaveNothingBehind)
{
  const QString meetZip = Generate(QStringLiteral("meet.aqz"), 2, 20, 8, 5);
  const QString meetPlain = Generate(QStringLiteral("meet.aqe"), 2, 20, 8, 5);
  const QByteArray zip = ReadBytes(meetZip);
  const QByteArray plain = ReadBytes(meetPlain);
  ASSERT_TRUE(zip.startsWith("PK\x03\x04"));
  ASSERT_GT(plain.size(), 2000);

  QByteArray badMagic = zip;
  badMagic[2] = 'X';
  const QByteArray nested = QByteArray("<AQUON><VERSION>01.03.0007</VERSION>\n") +
                            QByteArray("<CLUB>").repeated(1000000) +
                            QByteArray("</CLUB>").repeated(1000000) + "\n</AQUON>\n";
  const struct
  {
    const char *Name;
    QByteArray Bytes;
    const char *Message; // a part of the message, or empty
  } files[] = {
      {"crc.aqz", WithWrongCrc(zip), "CRC"},
      {"magic.aqz", badMagic, ""},
      {"cut.aqz", zip.left(zip.size() / 2), ""},
      {"short.dnf", QByteArray("\xAF\xB5", 2) + QByteArray(600, 'x'), ""},
      {"cut-prolog.aqe", plain.left(30), "No AQUON"},
      {"cut-third.aqe", plain.left(plain.size() / 3), ""},
      {"cut-end.aqe", plain.left(plain.size() - 12), ""},
      {"changed1.aqe", ChangedRandomly(plain, 1, 40), ""},
      {"changed2.aqe", ChangedRandomly(plain, 2, 40), ""},
      {"changed3.aqe", ChangedRandomly(plain, 3, 40), ""},
      {"nested.aqe", nested, "nested too deeply"},
      {"junk.aqe", Junk(65536, 17), ""},
      {"junk.aqz", Junk(65536, 18), ""},
      {"empty.aqe", "", ""},
  };
  struct TCase
  {
    QString File;
    QString Message;
  };
  QList<TCase> cases;
  for (const auto &f : files) {
    WriteBytes(Path(QString::fromLatin1(f.Name)), f.Bytes);
    cases.append({Path(QString::fromLatin1(f.Name)), QString::fromLatin1(f.Message)});
  }

  // Archives made by peer tools.
  const TToolRun made = RunPython(
      QStringLiteral("import sys, zipfile\n"
                     "meet = open(sys.argv[2], 'rb').read()\n"
                     "with zipfile.ZipFile(sys.argv[1] + '/evil.aqz', 'w') as z:\n"
                     "    z.writestr('../evil.aqe', meet)\n"
                     "with zipfile.ZipFile(sys.argv[1] + '/two.aqz', 'w') as z:\n"
                     "    z.writestr('a.aqe', meet); z.writestr('b.aqe', meet)\n"),
      {Folder(), meetPlain});
  ASSERT_EQ(made.ExitCode, 0) << made.Output.toStdString();
  cases.append({Path(QStringLiteral("evil.aqz")), QStringLiteral("refused")});
  cases.append({Path(QStringLiteral("two.aqz")), QStringLiteral("one .AQE")});
  const TToolRun encrypted = RunTool(
      QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-j"), QStringLiteral("-P"),
                              QStringLiteral("x"), Path(QStringLiteral("encrypted.aqz")), meetPlain});
  ASSERT_EQ(encrypted.ExitCode, 0) << encrypted.Output.toStdString();
  cases.append({Path(QStringLiteral("encrypted.aqz")), QStringLiteral("encrypted")});
  WriteZeroBomb(Path(QStringLiteral("bomb.aqz")), 192); // 3 GiB of zeros
  ASSERT_LT(QFileInfo(Path(QStringLiteral("bomb.aqz"))).size(), 8 << 20);
  cases.append({Path(QStringLiteral("bomb.aqz")), QStringLiteral("too large")});

  ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("folder.aqe"))));
  cases.append({Path(QStringLiteral("folder.aqe")), QStringLiteral("folder")});
  cases.append({Path(QStringLiteral("missing.aqz")), QStringLiteral("no such file")});

  for (const TCase &c : cases) {
    SCOPED_TRACE(c.File.toStdString());
    const TPrivateRun result = CheckPrivately(c.File);
    const TCliRun &run = result.Run;
    EXPECT_FALSE(run.Crashed);
    EXPECT_TRUE(run.ExitCode == 1 || run.ExitCode == 2)
        << run.ExitCode << "\n"
        << run.Out.toStdString() << run.Err.toStdString();
    EXPECT_TRUE(run.Out.startsWith(QStringLiteral("error: ")) ||
                run.Err.startsWith(QStringLiteral("quillet-cli: ")))
        << run.Out.toStdString() << run.Err.toStdString();
    EXPECT_TRUE((run.Out + run.Err).contains(c.Message))
        << run.Out.toStdString() << run.Err.toStdString();
    EXPECT_TRUE(IsEmptyFolder(result.TmpDir)) << "temporary files left behind";
  }
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("evil.aqe"))));
}

// The settings file is the user's to damage: a garbage or cut-short quillet.INI (or a
// folder in its place) changes nothing about checking a sound meet, plain or zipped.
TEST_F(CliHostileTest, DamagedSettingsStillCheckASoundMeet)
{
  const QString meets[] = {Generate(QStringLiteral("meet.aqe"), 2, 20, 8, 5),
                           Generate(QStringLiteral("meet.aqz"), 2, 20, 8, 5)};
  const struct
  {
    const char *What;
    QByteArray Bytes;
    bool IsFolder = false; // a folder named quillet.INI instead of a file
  } settings[] = {
      {"binary junk", Junk(4096, 21)},
      {"junk after a section", "[Special]\n" + Junk(4096, 22)},
      {"cut after the key", "[Config]\nLanguage=3\n[Special]\nMaxEntryMB="},
      {"cut inside the key", "[Config]\nLanguage=3\n[Spe"},
      {"number too large", "[Special]\nMaxEntryMB=99999999999999999999999\n"},
      {"not a number", "[Special]\nMaxEntryMB=\xFF\xFE\n[Config]\nLanguage=-7\n"},
      {"empty", ""},
      {"a folder", {}, true},
  };
  for (const auto &s : settings)
    for (const QString &meet : meets) {
      SCOPED_TRACE(std::string(s.What) + ", " + meet.toStdString());
      const TPrivateRun result = CheckPrivately(meet, [&s](const QString &home) {
        const QString ini = home + QStringLiteral("/quillet.INI");
        if (s.IsFolder)
          ASSERT_TRUE(QDir().mkpath(ini));
        else
          WriteBytes(ini, s.Bytes);
      });
      EXPECT_FALSE(result.Run.Crashed);
      EXPECT_EQ(result.Run.ExitCode, 0) << result.Run.Out.toStdString()
                                        << result.Run.Err.toStdString();
      EXPECT_EQ(result.Run.Out, meet + QStringLiteral(": 0 errors, 0 warnings\n"));
      EXPECT_TRUE(IsEmptyFolder(result.TmpDir)) << "temporary files left behind";
    }
}

} // namespace
