#include "foundation/gvkErrors.h"
#include "foundation/gvkIniFiles.h"
#include "foundation/gvkPaths.h"
#include "tests/foundation/printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

template <std::size_t N> QByteArray Bytes(const char (&text)[N])
{
  return QByteArray(text, N - 1);
}

QByteArray ReadBytes(const QString &path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

// A settings file in a private folder, opened by the class under test. The memory class
// reads the file's content once at construction, like the file class reads it each time.
class IniFixture
{
public:
  IniFixture() : FPath(FDir.filePath(QStringLiteral("test.INI"))) {}
  const QString &Path() const { return FPath; }
  QString Dir() const { return FDir.path(); }

private:
  QTemporaryDir FDir;
  QString FPath;
};

template <typename TIni> class IniBehaviour : public ::testing::Test
{
protected:
  std::unique_ptr<TGvkCustomIniFile> Open(const QByteArray &content = QByteArray())
  {
    if (!content.isNull())
      WriteBytes(FFiles.Path(), content);
    return std::make_unique<TIni>(FFiles.Path());
  }
  IniFixture FFiles;
};

using IniClasses = ::testing::Types<TGvkIniFile, TGvkMemIniFile>;
TYPED_TEST_SUITE(IniBehaviour, IniClasses);

TYPED_TEST(IniBehaviour, NumbersAndBooleansFallBackToTheDefault)
{
  auto ini = this->Open("[S]\nnum=42\nspaced= 7 \nneg=-3\nword=abc\nempty=\nhuge=99999999999\n"
                        "two=2\nzero=0\n");
  struct Case
  {
    const char *Key;
    int Integer; // read with default -1
    bool Bool;   // read with default true
  };
  const Case cases[] = {{"num", 42, true},  {"spaced", 7, true}, {"neg", -3, true},
                        {"word", -1, true}, {"empty", -1, true}, {"huge", -1, true},
                        {"two", 2, true},   {"zero", 0, false},  {"missing", -1, true}};
  for (const Case &c : cases) {
    const QString key = QString::fromLatin1(c.Key);
    EXPECT_EQ(ini->ReadInteger(QStringLiteral("S"), key, -1), c.Integer) << c.Key;
    EXPECT_EQ(ini->ReadBool(QStringLiteral("S"), key, true), c.Bool) << c.Key;
  }
  EXPECT_FALSE(ini->ReadBool(QStringLiteral("S"), QStringLiteral("word"), false));
}

TYPED_TEST(IniBehaviour, WrittenValuesReadBackInTheirStoredForm)
{
  auto ini = this->Open();
  ini->WriteInteger(QStringLiteral("S"), QStringLiteral("Int"), -17);
  ini->WriteBool(QStringLiteral("S"), QStringLiteral("Yes"), true);
  ini->WriteBool(QStringLiteral("S"), QStringLiteral("No"), false);
  ini->WriteString(QStringLiteral("S"), QStringLiteral("Text"), QStringLiteral(" Müller = 1 "));
  ini->WriteString(QStringLiteral("S"), QStringLiteral("Broken"), QStringLiteral("a\nb\r\nc"));
  EXPECT_EQ(ini->ReadString(QStringLiteral("S"), QStringLiteral("Int"), {}), "-17");
  EXPECT_EQ(ini->ReadString(QStringLiteral("S"), QStringLiteral("Yes"), {}), "1");
  EXPECT_EQ(ini->ReadString(QStringLiteral("S"), QStringLiteral("No"), {}), "0");
  EXPECT_EQ(ini->ReadString(QStringLiteral("S"), QStringLiteral("Text"), {}),
            QStringLiteral(" Müller = 1 "));
  // A value is one line: a line break must not smuggle further lines into the file.
  EXPECT_EQ(ini->ReadString(QStringLiteral("S"), QStringLiteral("Broken"), {}), "a b c");
  QStringList values;
  ini->ReadSectionValues(QStringLiteral("s"), values);
  EXPECT_EQ(values,
            QStringList({QStringLiteral("Int=-17"), QStringLiteral("Yes=1"), QStringLiteral("No=0"),
                         QStringLiteral("Text= Müller = 1 "), QStringLiteral("Broken=a b c")}));
}

TYPED_TEST(IniBehaviour, SectionsAndKeysMatchWithoutRegardToCase)
{
  auto ini = this->Open("[Main]\nOpenPath=/meets\n");
  EXPECT_EQ(ini->ReadString(QStringLiteral("MAIN"), QStringLiteral("openpath"), {}), "/meets");
  ini->WriteString(QStringLiteral("main"), QStringLiteral("OPENPATH"), QStringLiteral("/new"));
  QStringList values;
  ini->ReadSectionValues(QStringLiteral("Main"), values);
  EXPECT_EQ(values, QStringList(QStringLiteral("OpenPath=/new")));
  EXPECT_TRUE(ini->SectionExists(QStringLiteral("mAiN")));
  EXPECT_TRUE(ini->ValueExists(QStringLiteral("main"), QStringLiteral("openPATH")));
  ini->DeleteKey(QStringLiteral("MAIN"), QStringLiteral("openpath"));
  EXPECT_FALSE(ini->ValueExists(QStringLiteral("main"), QStringLiteral("OpenPath")));
  EXPECT_EQ(ini->ReadString(QStringLiteral("Main"), QStringLiteral("OpenPath"), "def"), "def");
}

TYPED_TEST(IniBehaviour, ReadDateTimeFollowsTheFourteenDigitForm)
{
  auto ini = this->Open("[D]\nfull=20080517140309\ndate=20080517\nyear=2008\nempty=\n"
                        "month13=20081317000000\nbadtime=20080517256199\n"
                        "letter=2008O517140309\nfeb30=20080230\nspaced= 20080517\n");
  const QDateTime def(QDate(1999, 1, 2), QTime(3, 4, 5));
  struct Case
  {
    const char *Key;
    QDateTime Expected;
  };
  const QDateTime midnight(QDate(2008, 5, 17), QTime(0, 0));
  const Case cases[] = {{"full", QDateTime(QDate(2008, 5, 17), QTime(14, 3, 9))},
                        {"date", midnight},
                        {"badtime", midnight},
                        {"year", def},
                        {"empty", def},
                        {"month13", def},
                        {"letter", def},
                        {"feb30", def},
                        {"spaced", def},
                        {"missing", def}};
  for (const Case &c : cases)
    EXPECT_EQ(ini->ReadDateTime(QStringLiteral("D"), QString::fromLatin1(c.Key), def), c.Expected)
        << c.Key;
  ini->WriteDateTime(QStringLiteral("D"), QStringLiteral("w"),
                     QDateTime(QDate(2008, 5, 17), QTime(14, 3, 9)));
  EXPECT_EQ(ini->ReadString(QStringLiteral("D"), QStringLiteral("w"), {}), "20080517140309");
}

TYPED_TEST(IniBehaviour, WriteTextOverALongerTextLeavesOnlyTheNewLineKeys)
{
  auto ini = this->Open("[R]\nFootXX=8\nFoot000=a\nFoot001=b\nFoot002=c\nFoot003=d\n"
                        "Foot004=e\nFoot005=f\nFoot006=$@@$\nFoot007=h\nFoot010=kept\n");
  ini->WriteText(QStringLiteral("R"), QStringLiteral("Foot"), QStringLiteral("1\r\n2\n\n4\r\n5"));
  QStringList keys;
  ini->ReadSection(QStringLiteral("R"), keys);
  // Foot010 is beyond the first gap and not part of the text.
  EXPECT_EQ(keys, QStringList({"FootXX", "Foot000", "Foot001", "Foot002", "Foot003", "Foot004",
                               "Foot010"}));
  EXPECT_EQ(ini->ReadInteger(QStringLiteral("R"), QStringLiteral("FootXX"), -1), 5);
  EXPECT_EQ(ini->ReadText(QStringLiteral("R"), QStringLiteral("Foot"), {}),
            QStringLiteral("1\r\n2\r\n\r\n4\r\n5"));
}

TYPED_TEST(IniBehaviour, WriteTextDropsTrailingEmptyLinesAndReadTextKeepsTheDefault)
{
  auto ini = this->Open("[R]\nGapXX=3\nGap000=x\nGap002=z\n");
  EXPECT_EQ(ini->ReadText(QStringLiteral("R"), QStringLiteral("Never"), "def\r\nault"),
            "def\r\nault");
  // A missing line key reads as an empty line.
  EXPECT_EQ(ini->ReadText(QStringLiteral("R"), QStringLiteral("Gap"), {}), "x\r\n\r\nz");
  ini->WriteText(QStringLiteral("R"), QStringLiteral("Head"), QStringLiteral("a\r\nb\r\n\r\n\n"));
  EXPECT_EQ(ini->ReadInteger(QStringLiteral("R"), QStringLiteral("HeadXX"), -1), 2);
  EXPECT_EQ(ini->ReadText(QStringLiteral("R"), QStringLiteral("Head"), "def"), "a\r\nb");
  ini->WriteText(QStringLiteral("R"), QStringLiteral("Head"), QString());
  EXPECT_EQ(ini->ReadInteger(QStringLiteral("R"), QStringLiteral("HeadXX"), -1), 0);
  EXPECT_EQ(ini->ReadText(QStringLiteral("R"), QStringLiteral("Head"), "def"), "");
  EXPECT_FALSE(ini->ValueExists(QStringLiteral("R"), QStringLiteral("Head000")));
}

TYPED_TEST(IniBehaviour, NamesThatCannotBeStoredAreRefused)
{
  auto ini = this->Open();
  EXPECT_THROW(ini->WriteString(QStringLiteral("S"), QStringLiteral("a=b"), {}), EGvkAssertion);
  EXPECT_THROW(ini->WriteString(QStringLiteral("S"), QStringLiteral(""), {}), EGvkAssertion);
  EXPECT_THROW(ini->WriteString(QStringLiteral("S]x"), QStringLiteral("k"), {}), EGvkAssertion);
  EXPECT_THROW(ini->WriteString(QStringLiteral("S"), QStringLiteral("k\n[T]"), {}), EGvkAssertion);
}

class IniFileTest : public ::testing::Test
{
protected:
  IniFixture FFiles;
};

TEST_F(IniFileTest, ARewriteKeepsEveryLineItDoesNotChange)
{
  const QByteArray before = "; settings of the program\n"
                            "orphan=before any section\n"
                            "\n"
                            "[Main]\n"
                            "# a comment\n"
                            "OpenPath=/old\n"
                            "no equals sign here\n"
                            "Foreign=kept\n"
                            "\n"
                            "[Other]\n"
                            "Key=other\n";
  WriteBytes(FFiles.Path(), before);
  TGvkIniFile ini(FFiles.Path());
  ini.WriteString(QStringLiteral("main"), QStringLiteral("openpath"), QStringLiteral("/new"));
  ini.WriteString(QStringLiteral("Main"), QStringLiteral("Added"), QStringLiteral("1"));
  ini.WriteString(QStringLiteral("Third"), QStringLiteral("K"), QStringLiteral("v"));
  EXPECT_EQ(ReadBytes(FFiles.Path()), QByteArray("; settings of the program\n"
                                                 "orphan=before any section\n"
                                                 "\n"
                                                 "[Main]\n"
                                                 "# a comment\n"
                                                 "OpenPath=/new\n"
                                                 "no equals sign here\n"
                                                 "Foreign=kept\n"
                                                 "Added=1\n"
                                                 "\n"
                                                 "[Other]\n"
                                                 "Key=other\n"
                                                 "[Third]\n"
                                                 "K=v\n"));
  // Keys before the first section belong to no section.
  EXPECT_EQ(ini.ReadString(QString(), QStringLiteral("orphan"), "none"), "none");
}

TEST_F(IniFileTest, CrLfFilesKeepTheirLineEnds)
{
  WriteBytes(FFiles.Path(), "[A]\r\nx=1\r\n");
  TGvkIniFile ini(FFiles.Path());
  ini.WriteString(QStringLiteral("A"), QStringLiteral("y"), QStringLiteral("2"));
  EXPECT_EQ(ReadBytes(FFiles.Path()), QByteArray("[A]\r\nx=1\r\ny=2\r\n"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("A"), QStringLiteral("x"), {}), "1");
}

TEST_F(IniFileTest, AWriteIsVisibleToASecondObjectAtOnce)
{
  TGvkIniFile writer(FFiles.Path());
  TGvkIniFile reader(FFiles.Path());
  EXPECT_EQ(reader.ReadString(QStringLiteral("S"), QStringLiteral("k"), "def"), "def");
  writer.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("one"));
  EXPECT_EQ(reader.ReadString(QStringLiteral("S"), QStringLiteral("k"), "def"), "one");
  reader.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("two"));
  EXPECT_EQ(writer.ReadString(QStringLiteral("S"), QStringLiteral("k"), "def"), "two");
  // The memory class reads the file once and never writes it.
  TGvkMemIniFile memory(FFiles.Path());
  memory.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("three"));
  EXPECT_EQ(writer.ReadString(QStringLiteral("S"), QStringLiteral("k"), "def"), "two");
  EXPECT_EQ(memory.ReadString(QStringLiteral("S"), QStringLiteral("k"), "def"), "three");
}

TEST_F(IniFileTest, AWriteCreatesTheMissingFolderAndFile)
{
  const QString path = FFiles.Dir() + QStringLiteral("/a/b/new.INI");
  TGvkIniFile ini(path);
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("k"), "def"), "def");
  ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
  EXPECT_EQ(ReadBytes(path), QByteArray("[S]\nk=v\n"));
}

TEST_F(IniFileTest, AFailedWriteIntoAReadOnlyFolderKeepsTheOldFile)
{
  if (geteuid() == 0)
    GTEST_SKIP() << "folder permissions do not bind root";
  WriteBytes(FFiles.Path(), "[S]\nk=old\n");
  QFile::setPermissions(FFiles.Dir(), QFile::ReadOwner | QFile::ExeOwner);
  TGvkIniFile ini(FFiles.Path());
  EXPECT_THROW(ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("new")),
               EGvkFileError);
  QFile::setPermissions(FFiles.Dir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(ReadBytes(FFiles.Path()), QByteArray("[S]\nk=old\n"));
}

// Runs write under a small file size limit, which makes the write of a larger content
// fail half-way, as a full disk would. True when write failed with a file error that
// names the file.
template <typename F> bool FailsHalfWay(const QString &path, F write)
{
  rlimit saved{};
  if (getrlimit(RLIMIT_FSIZE, &saved) != 0)
    return false;
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  bool failed = false;
  try {
    write();
  } catch (const EGvkFileError &error) {
    failed = error.Message().contains(path);
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  return failed;
}

TEST_F(IniFileTest, AWriteThatFailsHalfWayKeepsTheOldFile)
{
  WriteBytes(FFiles.Path(), "[S]\nk=old\n");
  TGvkIniFile ini(FFiles.Path());
  EXPECT_TRUE(FailsHalfWay(FFiles.Path(), [&] {
    ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QString(100000, QLatin1Char('x')));
  }));
  EXPECT_EQ(ReadBytes(FFiles.Path()), QByteArray("[S]\nk=old\n"));
  EXPECT_EQ(QDir(FFiles.Dir()).entryList(QDir::Files | QDir::Hidden).size(), 1)
      << "no temporary file is left behind";
}

TEST_F(IniFileTest, AMultiLineTextIsWrittenWholeOrNotAtAll)
{
  TGvkIniFile ini(FFiles.Path());
  ini.WriteText(QStringLiteral("R"), QStringLiteral("Foot"), QStringLiteral("one\ntwo"));
  const QStringList longText(200, QString(100, QLatin1Char('x')));
  EXPECT_TRUE(FailsHalfWay(FFiles.Path(), [&] {
    ini.WriteText(QStringLiteral("R"), QStringLiteral("Foot"), longText.join(QLatin1Char('\n')));
  }));
  EXPECT_EQ(ini.ReadText(QStringLiteral("R"), QStringLiteral("Foot"), {}), "one\r\ntwo");
}

TEST_F(IniFileTest, AnUpdateRewritesTheFileOnceAtItsEnd)
{
  TGvkIniFile ini(FFiles.Path());
  TGvkIniFile other(FFiles.Path());
  ini.Update([&] {
    ini.WriteString(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("1"));
    ini.Update([&] { ini.WriteInteger(QStringLiteral("S"), QStringLiteral("b"), 2); });
    // Reads inside see the pending content; the file is not written yet.
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("S"), QStringLiteral("b"), 0), 2);
    EXPECT_FALSE(QFileInfo::exists(FFiles.Path()));
  });
  EXPECT_EQ(ReadBytes(FFiles.Path()), QByteArray("[S]\na=1\nb=2\n"));
  EXPECT_EQ(other.ReadString(QStringLiteral("S"), QStringLiteral("b"), {}), "2");
  // An update that fails writes nothing of its changes.
  EXPECT_THROW(ini.Update([&] {
    ini.WriteString(QStringLiteral("S"), QStringLiteral("a"), QStringLiteral("changed"));
    ini.WriteString(QStringLiteral("S"), QStringLiteral("bad=key"), {});
  }),
               EGvkAssertion);
  EXPECT_EQ(ReadBytes(FFiles.Path()), QByteArray("[S]\na=1\nb=2\n"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("a"), {}), "1");
}

TEST_F(IniFileTest, ATruncatedOrGarbledFileReadsWhatItCan)
{
  struct Case
  {
    QByteArray Content;
    const char *Readable; // value of S/k, or nullptr when the default is expected
  };
  const Case cases[] = {
      {Bytes("[S]\nk=good\n[T]\nx=\xff\xfe\x00\x01garbage"), "good"},
      {QByteArray("[S]\nk=cut sho"), "cut sho"},
      {QByteArray("[S]\nk"), nullptr},
      {QByteArray("[S"), nullptr},
      {QByteArray("\xef\xbb\xbf[S]\r\nk=bom\r\n"), "bom"},
      {Bytes("\x00\x00\x00\x00"), nullptr},
      {QByteArray("[S]\n\xc3k=\xc3\xa4\xff\n[S]\nk=second\n"), "second"},
      {QByteArray("=\n[]\n[S]\n=novalue\nk==x\n"), "=x"},
  };
  for (const Case &c : cases) {
    WriteBytes(FFiles.Path(), c.Content);
    TGvkIniFile ini(FFiles.Path());
    const QString expected = c.Readable ? QString::fromUtf8(c.Readable) : QStringLiteral("def");
    EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("k"), "def"), expected)
        << c.Content.toHex().constData();
    QStringList values;
    ini.ReadSectionValues(QStringLiteral("T"), values);
    // A write keeps the bytes it does not understand.
    ini.WriteString(QStringLiteral("New"), QStringLiteral("n"), QStringLiteral("1"));
    EXPECT_TRUE(ReadBytes(FFiles.Path()).startsWith(c.Content)) << c.Content.toHex().constData();
    EXPECT_EQ(ini.ReadString(QStringLiteral("new"), QStringLiteral("N"), {}), "1");
  }
}

TEST(MemIniFile, ReadsAProgramResourceAndNeverWritesBack)
{
  TGvkMemIniFile table(TGvkMemIniFile::TResource{QStringLiteral("test/table.ini")});
  QStringList sections;
  table.ReadSections(sections);
  EXPECT_EQ(sections, QStringList({QStringLiteral("NATIONS"), QStringLiteral("STATES_SUI")}));
  QStringList nations;
  table.ReadSectionValues(QStringLiteral("nations"), nations);
  EXPECT_EQ(nations,
            QStringList({"AUT=Austria", "BUR=Burkina Faso", "BUR=Burundi", "GER=Germany"}));
  EXPECT_EQ(table.ReadString(QStringLiteral("states_sui"), QStringLiteral("ge"), {}),
            QStringLiteral("Genève"));
  table.WriteString(QStringLiteral("NATIONS"), QStringLiteral("AUT"), QStringLiteral("Österreich"));
  EXPECT_EQ(table.ReadString(QStringLiteral("NATIONS"), QStringLiteral("AUT"), {}),
            QStringLiteral("Österreich"));
  TGvkMemIniFile again(TGvkMemIniFile::TResource{QStringLiteral(":/test/table.ini")});
  EXPECT_EQ(again.ReadString(QStringLiteral("NATIONS"), QStringLiteral("AUT"), {}), "Austria");
  EXPECT_THROW(TGvkMemIniFile(TGvkMemIniFile::TResource{QStringLiteral("no/such.ini")}),
               EGvkFileError);
}

TEST(MemIniFile, AMissingFileGivesAnEmptyContent)
{
  QTemporaryDir dir;
  TGvkMemIniFile ini(dir.filePath(QStringLiteral("missing.INI")));
  EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("k"), "def"), "def");
  ini.WriteString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
  EXPECT_FALSE(QFileInfo::exists(ini.FileName()));
}

// Sets an environment variable for the length of a test.
class ScopedEnvironment
{
public:
  ScopedEnvironment(const char *name, const QByteArray &value)
      : FName(name), FHad(qEnvironmentVariableIsSet(name)), FOld(qgetenv(name))
  {
    qputenv(name, value);
  }
  ~ScopedEnvironment()
  {
    if (FHad)
      qputenv(FName, FOld);
    else
      qunsetenv(FName);
  }

private:
  const char *FName;
  bool FHad;
  QByteArray FOld;
};

TEST(SettingsPaths, QuilletHomeReplacesTheProgramFolderForWrittenFiles)
{
  QTemporaryDir home;
  {
    ScopedEnvironment env("QUILLET_HOME", home.path().toUtf8());
    EXPECT_EQ(SettingsFilePath(), home.path() + QStringLiteral("/test_foundation.INI"));
    EXPECT_EQ(WritableFilePath(QStringLiteral("clubs.aqb"), TUserFolder::Data),
              home.path() + QStringLiteral("/clubs.aqb"));
    // Installation data is looked up there first, then beside the program.
    WriteBytes(home.filePath(QStringLiteral("quillet.xde")), "x");
    EXPECT_EQ(InstallationFilePath(QStringLiteral("quillet.xde")),
              home.path() + QStringLiteral("/quillet.xde"));
    EXPECT_EQ(InstallationFilePath(QStringLiteral("quillet.xuk")),
              ProgramDir() + QStringLiteral("/quillet.xuk"));
    SetProgramBaseName(QStringLiteral("Quillet"));
    EXPECT_EQ(SettingsFilePath(), home.path() + QStringLiteral("/quillet.INI"));
    SetProgramBaseName(QString());
  }
  {
    ScopedEnvironment env("QUILLET_HOME", QByteArray());
    // The build's program folder is writable, so files go beside the program.
    EXPECT_EQ(SettingsFilePath(), ProgramDir() + QStringLiteral("/test_foundation.INI"));
  }
}

TEST(SettingsPaths, TheSettingsFileIsCreatedWithoutTouchingTheDisk)
{
  const QString path = SettingsFilePath();
  QFile::remove(path);
  TGvkIniFile &settings = SettingsFile();
  EXPECT_EQ(settings.FileName(), path);
  EXPECT_EQ(&settings, &SettingsFile());
  EXPECT_FALSE(QFileInfo::exists(path));
}

} // namespace
