#include "format/aquon.h"
#include "format/gvkZip.h"
#include "foundation/gvkIniFiles.h"
#include "tests/format/readerTestSupport.h"
#include "tests/format/zipTestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QByteArray Meet = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                        "<AQUON>\n"
                        " <VERSION>01.03.0007</VERSION>\n"
                        " <CLUBS>\n"
                        "  <CLUB><NAME>M\xFC"
                        "ller &amp; Sons</NAME></CLUB>\n"
                        " </CLUBS>\n"
                        "</AQUON>\n";

// Every container is unpacked below TMPDIR, which points to a private folder here, so
// that each test can see that nothing is left behind.
class ReaderContainer : public ZipFolderTest
{
protected:
  void SetUp() override
  {
    FSavedTmpDir = qgetenv("TMPDIR");
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("tmp"))));
    qputenv("TMPDIR", Path(QStringLiteral("tmp")).toLocal8Bit());
  }
  void TearDown() override
  {
    EXPECT_TRUE(QDir(Path(QStringLiteral("tmp")))
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                    .isEmpty())
        << "temporary files left behind";
    qputenv("TMPDIR", FSavedTmpDir);
  }

  // With a picture beside the meet, the archive is larger than the 1024 bytes that
  // scrambling transforms at either end.
  QString ZippedMeet(const QString &name)
  {
    return CompressFiles(name, {{QStringLiteral("meet.aqe"), Meet},
                                {QStringLiteral("logo.bin"), SampleBytes(3000, 7)}});
  }

  static void ExpectMeet(const TAquon &document)
  {
    ASSERT_TRUE(document.Root());
    EXPECT_TRUE(document.Errors().isEmpty()) << document.Errors().join('\n').toStdString();
    EXPECT_EQ(
        document.Root()->FindChild(aqtCLUBS)->AsObject()->Items(0)->AsObject()->GetText(aqtNAME),
        QStringLiteral(u"Müller & Sons"));
  }

private:
  QByteArray FSavedTmpDir;
};

TEST_F(ReaderContainer, ZippedFilesOfEveryContainerExtension)
{
  for (const char *name :
       {"meet.aqz", "meet.zip", "meet.aqb", "meet.gvt", "meet.dnf", "MEET.AQZ"}) {
    SCOPED_TRACE(name);
    const QString archive = ZippedMeet(QString::fromLatin1(name));
    TAquon document;
    bool unpackedHere = false; // the entry is unpacked below TMPDIR while it is read
    document.LoadFromFile(archive, [&](int) {
      unpackedHere = !QDir(Path(QStringLiteral("tmp")))
                          .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    });
    ExpectMeet(document);
    EXPECT_TRUE(unpackedHere);
    EXPECT_FALSE(document.IsDunelle());
    EXPECT_EQ(document.FileName(), QString::fromLatin1(name));
  }
}

TEST_F(ReaderContainer, ScrambledContainer)
{
  const QString archive = ZippedMeet(QStringLiteral("meet.dnf"));
  ScrambleFile(archive);
  TAquon document;
  document.LoadFromFile(archive);
  ExpectMeet(document);
  EXPECT_TRUE(document.IsDunelle());
}

TEST_F(ReaderContainer, ScrambledFileShorterThanABlockIsAnError)
{
  const QString archive = Path(QStringLiteral("short.dnf"));
  WriteBytes(archive, QByteArray("\xAF\xB5") + QByteArray(600, 'x'));
  TAquon document;
  document.LoadFromFile(archive);
  EXPECT_EQ(document.Root(), nullptr);
  EXPECT_EQ(document.Errors().size(), 1);
}

TEST_F(ReaderContainer, ExactlyOneAquonEntryIsRequired)
{
  const QMap<QString, QByteArray> contents[] = {
      {{QStringLiteral("readme.txt"), "no meet"}},
      {{QStringLiteral("a.aqe"), Meet}, {QStringLiteral("sub/b.AQE"), Meet}},
  };
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const QString archive = CompressFiles(QStringLiteral("c%1.aqz").arg(i), contents[i]);
    TAquon document;
    document.LoadFromFile(archive);
    EXPECT_EQ(document.Root(), nullptr);
    EXPECT_EQ(document.Errors(), QStringList{".AQZ File should contain one .AQE - file !"});
  }
}

TEST_F(ReaderContainer, AquonEntryInASubfolderIsRead)
{
  const QString archive =
      CompressFiles(QStringLiteral("nested.aqz"), {{QStringLiteral("inner/deep/meet.aqe"), Meet}});
  TAquon document;
  document.LoadFromFile(archive);
  ExpectMeet(document);
}

TEST_F(ReaderContainer, EntryLeadingOutsideTheFolderIsRefused)
{
  const QString archive = Path(QStringLiteral("evil.aqz"));
  const TToolRun made = RunPython(QStringLiteral("import sys, zipfile\n"
                                                 "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
                                                 "    z.writestr('../evil.aqe', sys.argv[2])\n"),
                                  {archive, QString::fromLatin1(Meet)});
  ASSERT_EQ(made.ExitCode, 0) << made.Output.toStdString();
  TAquon document;
  document.LoadFromFile(archive);
  EXPECT_EQ(document.Root(), nullptr);
  ASSERT_EQ(document.Errors().size(), 1);
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("evil.aqe"))));
}

TEST_F(ReaderContainer, PlainTextWithAContainerExtensionIsAnError)
{
  const QString archive = Path(QStringLiteral("plain.aqz"));
  WriteBytes(archive, Meet);
  TAquon document;
  document.LoadFromFile(archive);
  EXPECT_EQ(document.Root(), nullptr);
  EXPECT_EQ(document.Errors().size(), 1);
}

// The entry limit comes from the settings (in megabytes): a meet larger than a lowered
// limit is refused with a clear error, the default takes it, and values below 1 keep it.
TEST_F(ReaderContainer, EntryLimitComesFromTheSettings)
{
  QByteArray large = Meet;
  const QByteArray club = "  <CLUB><NAME>Schwimmverein Nummer zwei</NAME></CLUB>\n";
  large.insert(large.indexOf("</CLUBS>"), club.repeated((5 << 19) / club.size()));
  ASSERT_GT(large.size(), 2 << 20);
  ASSERT_LT(large.size(), 3 << 20);
  const QString archive = CompressFiles(QStringLiteral("large.aqz"), {{QStringLiteral("meet.aqe"), large}});
  const QString section = QStringLiteral("Special"), key = QStringLiteral("MaxEntryMB");
  const struct
  {
    const char *Value; // nullptr: the key is missing
    bool Refused;
  } cases[] = {{"2", true}, {"3", false}, {nullptr, false}, {"0", false}, {"-5", false},
               {"lots", false}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Value ? c.Value : "missing");
    if (c.Value)
      SettingsFile().WriteString(section, key, QString::fromLatin1(c.Value));
    else
      SettingsFile().DeleteKey(section, key);
    TAquon document;
    document.LoadFromFile(archive);
    if (c.Refused) {
      EXPECT_EQ(document.Root(), nullptr);
      ASSERT_EQ(document.Errors().size(), 1);
      EXPECT_TRUE(document.Errors()[0].contains(QStringLiteral("too large")))
          << document.Errors()[0].toStdString();
    } else {
      ASSERT_TRUE(document.Root());
      EXPECT_TRUE(document.Errors().isEmpty()) << document.Errors().join('\n').toStdString();
    }
    EXPECT_TRUE(QDir(Path(QStringLiteral("tmp")))
                    .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
  }
  SettingsFile().DeleteKey(section, key);
}

TEST_F(ReaderContainer, PlainFileIsReadDirectly)
{
  const QString file = Path(QStringLiteral("meet.aqe"));
  WriteBytes(file, Meet);
  TAquon document;
  document.LoadFromFile(file);
  ExpectMeet(document);
  EXPECT_EQ(document.FileName(), QStringLiteral("meet.aqe"));
}

} // namespace
