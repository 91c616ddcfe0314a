#include "foundation/gvkIniFiles.h"
#include "foundation/gvkLanguage.h"
#include "foundation/gvkStrings.h"
#include "tests/foundation/printers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

const QLocale British(QLocale::English, QLocale::UnitedKingdom);
const QLocale German(QLocale::German, QLocale::Germany);

QString InstalledBase()
{
  return QStringLiteral(QUILLET_BIN_DIR "/quillet");
}

QByteArray ReadFile(const QString &fileName)
{
  QFile file(fileName);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
  return file.readAll();
}

// Counts the seen of a language manager.
struct SignalCount
{
  explicit SignalCount(TLanguage &language)
  {
    QObject::connect(&language, &TLanguage::Changed, [this] { ++Changed; });
    QObject::connect(&language, &TLanguage::TranslateOpenForms, [this] { ++Translate; });
  }
  int Changed = 0;
  int Translate = 0;
};

// Other tests of this program expect the locale's date names.
void RestoreLocaleDateNames()
{
  SetDateNames({}, {}, {}, {});
}

void ClearLanguageSettings()
{
  for (const QString &key :
       {TLanguage::KeyLanguage, TLanguage::KeyPrintLanguage, TLanguage::KeyHelpLanguage})
    SettingsFile().DeleteKey(TLanguage::ConfigSection, key);
}

// A private program folder; the Config keys are cleared around every test.
class LanguageFolder : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Dir.isValid());
    ClearLanguageSettings();
  }
  void TearDown() override
  {
    ClearLanguageSettings();
    RestoreLocaleDateNames();
  }

  QString Base() const { return Dir.path() + QStringLiteral("/quillet"); }
  void Write(const QString &fileName, const QByteArray &content) const
  {
    QFile file(Dir.path() + QLatin1Char('/') + fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  void WriteLanguage(int index, const QByteArray &content) const
  {
    Write(QStringLiteral("quillet.x") + TLanguage::LanguageCode(index), content);
  }
  void InstallRealFiles() const
  {
    WriteLanguage(1, ReadFile(InstalledBase() + QStringLiteral(".xde")));
    WriteLanguage(23, ReadFile(InstalledBase() + QStringLiteral(".xuk")));
  }

  QTemporaryDir Dir;
};

// Text sections, a form section and a last line without a line break.
const QByteArray FormatSample = "notes before the first section\r\n"
                                "[E]\r\n"
                                "E1=A_B\\NC\r\n"
                                "a line without key\r\n"
                                "E3=x=y\r\n"
                                "E4=\r\n"
                                "[G]\n" // a lone LF ends a line as well
                                "a;b;c\r\n"
                                "[TFForm]\r\n"
                                "Caption\r\n"
                                ".@btnOk$\r\n"
                                "OK\r\n"
                                "Press OK\r\n"
                                ".@lblName\r\n"
                                "[e]\r\n"
                                "second E section\r\n"
                                "[S]\r\n"
                                "S1=last";

struct TextCase
{
  char Section;
  int Number;
  int Field;
  const char *Expected;
  friend void PrintTo(const TextCase &c, std::ostream *os)
  {
    *os << c.Section << c.Number << " field " << c.Field;
  }
};

class LanguageTextTest : public LanguageFolder, public ::testing::WithParamInterface<TextCase>
{
};

TEST_P(LanguageTextTest, ReadsTextOfSection)
{
  WriteLanguage(23, FormatSample);
  TLanguage language(Base(), British);
  ASSERT_EQ(language.Language(), 23);
  const TextCase &c = GetParam();
  EXPECT_EQ(language.GetText(c.Section, c.Number, c.Field), QString::fromUtf8(c.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    FileFormat, LanguageTextTest,
    ::testing::Values(TextCase{'E', 1, 0, "A B\nC"}, TextCase{'E', 2, 0, "a line without key"},
                      TextCase{'E', 3, 0, "x=y"}, TextCase{'E', 4, 0, ""},
                      TextCase{'e', 1, 0, "A B\nC"}, TextCase{'G', 1, 0, "a;b;c"},
                      TextCase{'G', 1, 2, "b"}, TextCase{'G', 1, 3, "c"}, TextCase{'G', 1, 4, ""},
                      TextCase{'S', 1, 0, "last"},
                      // beyond the end of a section, before it, in a missing section
                      TextCase{'E', 5, 0, ""}, TextCase{'G', 2, 0, ""}, TextCase{'E', 0, 0, ""},
                      TextCase{'E', -3, 0, ""}, TextCase{'S', 2, 0, ""}, TextCase{'X', 1, 0, ""}));

TEST_F(LanguageFolder, IndexesSectionsWithTheirLineCounts)
{
  WriteLanguage(23, FormatSample);
  TLanguage language(Base(), British);
  struct Expected
  {
    const char *Name;
    int Start;
    int Count;
  };
  for (const Expected &e : {Expected{"E", 2, 4}, Expected{"g", 7, 1}, Expected{"tfform", 9, 5},
                            Expected{"TFFORM", 9, 5}, Expected{"S", 17, 1}}) {
    const std::optional<TLanguageSection> section = language.FindSection(QString::fromUtf8(e.Name));
    ASSERT_TRUE(section) << e.Name;
    EXPECT_EQ(section->Start, e.Start) << e.Name;
    EXPECT_EQ(section->Count, e.Count) << e.Name;
  }
  EXPECT_FALSE(language.FindSection(QStringLiteral("TFOther")));
  EXPECT_EQ(language.Lines().size(), 18);
  EXPECT_EQ(language.Line(17), QStringLiteral("S1=last"));
  EXPECT_EQ(language.Line(18), QString());
  EXPECT_EQ(language.Line(-1), QString());
}

TEST_F(LanguageFolder, SplitsFormSectionIntoComponentBlocks)
{
  WriteLanguage(23, "[TFBase]\r\n.\r\n.@lblA\r\nLabel\r\n"
                    "[TFForm]\r\nCaption\r\n.@btnOk$\r\nOK\r\nPress OK\r\n.@lblName\r\n"
                    ".@memNotes\r\nhint\r\nline 1\r\nlast line of the file");
  TLanguage language(Base(), British);
  const std::optional<TLanguageSection> form = language.FindSection(QStringLiteral("TFForm"));
  ASSERT_TRUE(form);
  EXPECT_EQ(language.FormCaption(*form), QStringLiteral("Caption"));
  const QList<TLanguageBlock> blocks = language.ComponentBlocks(*form);
  ASSERT_EQ(blocks.size(), 3);
  EXPECT_EQ(blocks[0].Component, QStringLiteral("btnOk"));
  EXPECT_EQ(language.Line(blocks[0].First), QStringLiteral("OK"));
  EXPECT_EQ(blocks[0].Count, 2);
  EXPECT_EQ(blocks[1].Component, QStringLiteral("lblName"));
  EXPECT_EQ(blocks[1].Count, 0);
  EXPECT_EQ(blocks[2].Component, QStringLiteral("memNotes"));
  EXPECT_EQ(blocks[2].Count, 3);
  EXPECT_EQ(language.Line(blocks[2].First + blocks[2].Count - 1),
            QStringLiteral("last line of the file"));

  const std::optional<TLanguageSection> base = language.FindSection(QStringLiteral("TFBase"));
  ASSERT_TRUE(base);
  EXPECT_FALSE(language.FormCaption(*base));
  ASSERT_EQ(language.ComponentBlocks(*base).size(), 1);
  EXPECT_EQ(language.ComponentBlocks(*base)[0].Component, QStringLiteral("lblA"));
}

TEST_F(LanguageFolder, FormCaptionKeepsOrReplaces)
{
  struct Case
  {
    const char *Line;
    std::optional<QString> Caption;
  };
  for (const Case &c :
       {Case{".", std::nullopt}, Case{"", std::nullopt}, Case{"$.", QStringLiteral(".")},
        Case{"$Teilnehmer", QStringLiteral("Teilnehmer")},
        Case{"Entries", QStringLiteral("Entries")}}) {
    WriteLanguage(23, QByteArray("[TFForm]\r\n") + c.Line + "\r\n.@btnOk\r\nOK\r\n");
    TLanguage language(Base(), British);
    const std::optional<TLanguageSection> form = language.FindSection(QStringLiteral("TFForm"));
    ASSERT_TRUE(form);
    EXPECT_EQ(language.FormCaption(*form), c.Caption) << c.Line;
  }
}

TEST_F(LanguageFolder, ComponentNameIsCutAtNinetyNineCharacters)
{
  const QByteArray name(120, 'n');
  WriteLanguage(23, "[TFForm]\r\n.\r\n.@" + name + "\r\ntext\r\n");
  TLanguage language(Base(), British);
  const QList<TLanguageBlock> blocks =
      language.ComponentBlocks(*language.FindSection(QStringLiteral("TFForm")));
  ASSERT_EQ(blocks.size(), 1);
  EXPECT_EQ(blocks[0].Component, QString(99, QLatin1Char('n')));
}

struct LocaleCase
{
  QLocale::Language Language;
  QLocale::Territory Territory;
  int Index;
  friend void PrintTo(const LocaleCase &c, std::ostream *os)
  {
    *os << QLocale(c.Language, c.Territory).name().toStdString();
  }
};

class LocaleChoiceTest : public ::testing::TestWithParam<LocaleCase>
{
};

TEST_P(LocaleChoiceTest, ChoosesLanguageOfLocale)
{
  const LocaleCase &c = GetParam();
  EXPECT_EQ(TLanguage::LanguageFromLocale(QLocale(c.Language, c.Territory)), c.Index);
}

INSTANTIATE_TEST_SUITE_P(
    Automatic, LocaleChoiceTest,
    ::testing::Values(LocaleCase{QLocale::German, QLocale::Switzerland, 0},
                      LocaleCase{QLocale::German, QLocale::Austria, 15},
                      LocaleCase{QLocale::German, QLocale::Germany, 1},
                      LocaleCase{QLocale::German, QLocale::Liechtenstein, 1},
                      LocaleCase{QLocale::English, QLocale::UnitedKingdom, 23},
                      LocaleCase{QLocale::English, QLocale::UnitedStates, 3},
                      LocaleCase{QLocale::English, QLocale::Australia, 3},
                      LocaleCase{QLocale::Spanish, QLocale::Mexico, 22},
                      LocaleCase{QLocale::Spanish, QLocale::Spain, 6},
                      LocaleCase{QLocale::French, QLocale::Canada, 16},
                      LocaleCase{QLocale::French, QLocale::France, 2},
                      LocaleCase{QLocale::Czech, QLocale::CzechRepublic, 18},
                      LocaleCase{QLocale::Danish, QLocale::Denmark, 8},
                      LocaleCase{QLocale::Finnish, QLocale::Finland, 11},
                      LocaleCase{QLocale::Hungarian, QLocale::Hungary, 17},
                      LocaleCase{QLocale::Icelandic, QLocale::Iceland, 12},
                      LocaleCase{QLocale::Italian, QLocale::Italy, 4},
                      LocaleCase{QLocale::Dutch, QLocale::Netherlands, 5},
                      LocaleCase{QLocale::NorwegianBokmal, QLocale::Norway, 14},
                      LocaleCase{QLocale::NorwegianNynorsk, QLocale::Norway, 14},
                      LocaleCase{QLocale::Polish, QLocale::Poland, 9},
                      LocaleCase{QLocale::Portuguese, QLocale::Brazil, 10},
                      LocaleCase{QLocale::Russian, QLocale::Russia, 7},
                      LocaleCase{QLocale::Croatian, QLocale::Croatia, 20},
                      LocaleCase{QLocale::Swedish, QLocale::Sweden, 13},
                      LocaleCase{QLocale::Turkish, QLocale::Turkey, 21},
                      LocaleCase{QLocale::Slovenian, QLocale::Slovenia, 19},
                      LocaleCase{QLocale::Japanese, QLocale::Japan, 23},
                      LocaleCase{QLocale::C, QLocale::AnyTerritory, 23}));

TEST_F(LanguageFolder, CreationLoadsLanguageOfLocale)
{
  InstallRealFiles();
  TLanguage language(Base(), German);
  EXPECT_EQ(language.Language(), 1);
  EXPECT_EQ(language.PrintLanguage(), 1);
  EXPECT_EQ(language.GetText('E', 23), QStringLiteral("Sollen die Änderungen gespeichert werden?"));
}

TEST_F(LanguageFolder, LanguageWithoutFileFallsBackToDefault)
{
  InstallRealFiles();
  // Swiss German has no file here.
  TLanguage language(Base(), QLocale(QLocale::German, QLocale::Switzerland));
  EXPECT_EQ(language.Language(), TLanguage::DefaultLanguage);
  EXPECT_EQ(language.GetText('E', 23), QStringLiteral("Do you want to save the changes?"));
}

TEST_F(LanguageFolder, FailedLoadChangesNothing)
{
  InstallRealFiles();
  TLanguage language(Base(), British);
  SignalCount seen(language);
  EXPECT_FALSE(language.LoadLanguage(4, true)); // no Italian file
  EXPECT_FALSE(language.LoadLanguage(25, true));
  EXPECT_FALSE(language.LoadLanguage(-1, true));
  EXPECT_EQ(language.Language(), 23);
  EXPECT_EQ(language.GetText('E', 23), QStringLiteral("Do you want to save the changes?"));
  EXPECT_EQ(seen.Changed, 0);
}

TEST_F(LanguageFolder, WithoutAnyFileEveryTextIsEmpty)
{
  TLanguage language(Base(), German);
  EXPECT_EQ(language.GetText('E', 23), QString());
  EXPECT_TRUE(language.Lines().isEmpty());
}

TEST_F(LanguageFolder, ConfigKeysRoundTripThroughSettingsFile)
{
  InstallRealFiles();
  Write(QStringLiteral("quilletde.rtf"), "{\\rtf1 Hilfe}");
  TGvkIniFile &settings = SettingsFile();
  settings.WriteInteger(TLanguage::ConfigSection, TLanguage::KeyLanguage, 1);
  settings.WriteInteger(TLanguage::ConfigSection, TLanguage::KeyPrintLanguage, 23);
  settings.WriteInteger(TLanguage::ConfigSection, TLanguage::KeyHelpLanguage, 1);

  TLanguage language(Base(), British); // the stored choice wins over the locale
  EXPECT_EQ(language.Language(), 1);
  EXPECT_EQ(language.PrintLanguage(), 23);
  EXPECT_EQ(language.HelpLanguage(), 1);
  EXPECT_EQ(language.HelpFile(), Dir.path() + QStringLiteral("/quilletde.rtf"));

  language.SetPrintLanguage(1);
  language.SetHelpLanguage(23); // no English help page: the default all the same
  language.SaveSettings();
  EXPECT_EQ(settings.ReadInteger(TLanguage::ConfigSection, TLanguage::KeyLanguage, -1), 1);
  EXPECT_EQ(settings.ReadInteger(TLanguage::ConfigSection, TLanguage::KeyPrintLanguage, -1), 1);
  EXPECT_EQ(settings.ReadInteger(TLanguage::ConfigSection, TLanguage::KeyHelpLanguage, -1), 23);
  EXPECT_EQ(language.HelpFile(), Dir.path() + QStringLiteral("/quilletuk.rtf"));
}

TEST_F(LanguageFolder, HelpLanguageWithoutHelpFileIsDefault)
{
  InstallRealFiles();
  SettingsFile().WriteInteger(TLanguage::ConfigSection, TLanguage::KeyLanguage, 1);
  TLanguage language(Base(), British);
  EXPECT_EQ(language.Language(), 1);
  EXPECT_EQ(language.HelpLanguage(), TLanguage::DefaultLanguage);
}

TEST_F(LanguageFolder, NegativeStoredLanguageMeansAutomatic)
{
  InstallRealFiles();
  SettingsFile().WriteInteger(TLanguage::ConfigSection, TLanguage::KeyLanguage, -1);
  TLanguage language(Base(), German);
  EXPECT_EQ(language.Language(), 1);
}

TEST_F(LanguageFolder, PrintLanguageIsRestoredAfterReport)
{
  InstallRealFiles();
  TLanguage language(Base(), German);
  language.SetPrintLanguage(23);
  SignalCount seen(language);

  language.BeginPrintLanguage();
  EXPECT_EQ(language.Language(), 23);
  EXPECT_EQ(language.ScreenLanguage(), 1);
  EXPECT_EQ(language.GetText('G', 55), QStringLiteral("Page "));
  language.EndPrintLanguage();
  EXPECT_EQ(language.Language(), 1);
  EXPECT_EQ(language.GetText('G', 55), QStringLiteral("Seite "));
  EXPECT_EQ(seen.Changed, 2);
  EXPECT_EQ(seen.Translate, 0); // forms keep the screen language

  language.EndPrintLanguage(); // nothing saved any more
  EXPECT_EQ(language.Language(), 1);
  EXPECT_EQ(seen.Changed, 2);
}

TEST_F(LanguageFolder, PrintLanguageWithoutFileOrEqualChangesNothing)
{
  InstallRealFiles();
  TLanguage language(Base(), German);
  SignalCount seen(language);
  for (int print : {1, 4}) { // the screen language; Italian without a file
    language.SetPrintLanguage(print);
    language.BeginPrintLanguage();
    EXPECT_EQ(language.Language(), 1);
    language.EndPrintLanguage();
    EXPECT_EQ(language.Language(), 1);
  }
  EXPECT_EQ(seen.Changed, 0);
}

TEST_F(LanguageFolder, LoadingSignalsChangeAndTranslationOnlyWithApply)
{
  InstallRealFiles();
  TLanguage language(Base(), German);
  SignalCount seen(language);
  std::vector<int> order;
  QObject::connect(&language, &TLanguage::TranslateOpenForms, [&] { order.push_back(1); });
  QObject::connect(&language, &TLanguage::Changed, [&] { order.push_back(2); });

  EXPECT_TRUE(language.LoadLanguage(23, false));
  EXPECT_EQ(seen.Changed, 1);
  EXPECT_EQ(seen.Translate, 0);
  EXPECT_TRUE(language.LoadLanguage(1, true));
  EXPECT_EQ(seen.Changed, 2);
  EXPECT_EQ(seen.Translate, 1);
  EXPECT_EQ(order, (std::vector<int>{2, 1, 2})); // forms first, then the other texts
}

TEST_F(LanguageFolder, MonthAndDayNamesReachDateTexts)
{
  InstallRealFiles();
  const QDate date(2026, 3, 1); // a Sunday in March
  TLanguage language(Base(), German);
  const QString german = DateToText(true, date);
  language.LoadLanguage(23, false);
  const QString english = DateToText(true, date);
  EXPECT_TRUE(german.contains(QStringLiteral("März"))) << german.toStdString();
  EXPECT_TRUE(english.contains(QStringLiteral("March"))) << english.toStdString();

  // A damaged month list keeps names rather than blanking them.
  WriteLanguage(4, "[G]\r\n" + QByteArray("G1=\r\n").repeated(69) + "G70=Jan;Feb\r\n");
  ASSERT_TRUE(language.LoadLanguage(4, false));
  const QString march = QLocale::system().monthName(3, QLocale::LongFormat);
  EXPECT_TRUE(DateToText(true, date).contains(march)) << DateToText(true, date).toStdString();
}

TEST_F(LanguageFolder, DamagedFilesLoadWhatTheyCan)
{
  InstallRealFiles();
  const QByteArray full = ReadFile(InstalledBase() + QStringLiteral(".xuk"));
  TLanguage reference(Base(), British);
  const QString e23 = reference.GetText('E', 23);
  ASSERT_FALSE(e23.isEmpty());

  QByteArray garbage;
  for (int i = 0; i < 4096; ++i)
    garbage.append(char((i * 7919 + 13) % 256));
  const std::vector<QByteArray> damaged = {QByteArray(),
                                           QByteArray("["),
                                           QByteArray("[E"),
                                           QByteArray("[\r\n[\r\n"),
                                           garbage,
                                           QByteArray("[E]\r\n\xff\xfe\x00\xc3", 9),
                                           full.left(full.indexOf("E24="))};
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    WriteLanguage(4, damaged[i]);
    TLanguage language(Base(), British);
    ASSERT_TRUE(language.LoadLanguage(4, true)) << i;
    for (char section : {'E', 'G', 'S'})
      for (int number = 0; number < 160; ++number)
        for (int field = 0; field < 3; ++field)
          (void)language.GetText(section, number, field);
    for (const QString &name : {QStringLiteral("E"), QStringLiteral("TFEditor")})
      if (const auto section = language.FindSection(name)) {
        (void)language.FormCaption(*section);
        (void)language.ComponentBlocks(*section);
      }
  }
  // Cut short in the middle of E24: the texts before the cut are all there.
  TLanguage cut(Base(), British);
  WriteLanguage(4, full.left(full.indexOf("E24=") + 8));
  ASSERT_TRUE(cut.LoadLanguage(4, false));
  EXPECT_EQ(cut.GetText('E', 23), e23);
  EXPECT_EQ(cut.GetText('E', 24), QStringLiteral("Plea"));
  EXPECT_EQ(cut.GetText('E', 25), QString());
  EXPECT_EQ(cut.GetText('G', 55), QString());
}

TEST(LanguageCodes, NameFilesByCode)
{
  EXPECT_EQ(TLanguage::LanguageCode(0), QStringLiteral("ch"));
  EXPECT_EQ(TLanguage::LanguageCode(1), QStringLiteral("de"));
  EXPECT_EQ(TLanguage::LanguageCode(15), QStringLiteral("at"));
  EXPECT_EQ(TLanguage::LanguageCode(23), QStringLiteral("uk"));
  EXPECT_EQ(TLanguage::LanguageCode(24), QStringLiteral("xx"));
  EXPECT_EQ(TLanguage::LanguageCode(25), QStringLiteral("xx"));
  EXPECT_EQ(TLanguage::LanguageCode(-1), QStringLiteral("xx"));
  ClearLanguageSettings();
  TLanguage language(QStringLiteral("/opt/q/quillet"), British);
  EXPECT_EQ(language.LanguageFileName(1), QStringLiteral("/opt/q/quillet.xde"));
  EXPECT_EQ(language.HelpFileName(23), QStringLiteral("/opt/q/quilletuk.rtf"));
}

TEST(LanguageSingleton, IsOneObjectReadingInstalledFiles)
{
  TLanguage &language = GetLanguage();
  EXPECT_EQ(&language, &GetLanguage());
  EXPECT_EQ(QFileInfo(language.LanguageFileName(23)).canonicalFilePath(),
            QFileInfo(InstalledBase() + QStringLiteral(".xuk")).canonicalFilePath());
  EXPECT_FALSE(language.GetText('E', 23).isEmpty());
}

// ---- The installed language files ---------------------------------------------------

// The texts that the system's parts ask for, by section.
const std::map<char, std::vector<std::pair<int, int>>> RequiredRanges = {
    {'E', {{1, 26}, {28, 36}, {38, 44}}},
    {'G',
     {{10, 11},
      {41, 41},
      {52, 63},
      {68, 73},
      {84, 84},
      {90, 91},
      {95, 97},
      {108, 109},
      {114, 114},
      {120, 123},
      {128, 131},
      {135, 138},
      {140, 140},
      {149, 149}}},
    {'S', {{1, 3}, {7, 7}, {9, 11}, {18, 18}, {28, 29}, {40, 40}, {43, 43}, {46, 47}}}};

using TTextId = std::pair<char, int>;

std::set<TTextId> RequiredTexts()
{
  std::set<TTextId> ids;
  for (const auto &[section, ranges] : RequiredRanges)
    for (const auto &[first, last] : ranges)
      for (int n = first; n <= last; ++n)
        ids.insert({section, n});
  return ids;
}

// Every GetText call with a literal section and number in our sources.
std::set<TTextId> TextsUsedInSources()
{
  const QDir root(QDir::cleanPath(QStringLiteral(QUILLET_TEST_DATA "/../..")));
  const QRegularExpression call(QStringLiteral(R"(GetText\(\s*'([A-Za-z])'\s*,\s*(\d+))"));
  std::set<TTextId> ids;
  for (const char *folder : {"foundation", "format", "app", "reports", "platform", "cli"}) {
    QDirIterator it(root.filePath(QLatin1String(folder)),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      QFile file(it.next());
      if (!file.open(QIODevice::ReadOnly))
        continue;
      const QString source = QString::fromUtf8(file.readAll());
      for (auto match = call.globalMatch(source); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        ids.insert({char(m.captured(1).at(0).toLatin1()), m.captured(2).toInt()});
      }
    }
  }
  return ids;
}

QStringList FormatArguments(const QString &text)
{
  static const QRegularExpression argument(QStringLiteral(R"(%[-+ #0]*\d*(?:\.\d+)?[a-zA-Z%])"));
  QStringList arguments;
  for (auto match = argument.globalMatch(text); match.hasNext();)
    arguments << match.next().captured();
  return arguments;
}

class InstalledLanguageFile : public ::testing::TestWithParam<int>
{
protected:
  void SetUp() override
  {
    ClearLanguageSettings();
    Language = std::make_unique<TLanguage>(InstalledBase(), British);
    ASSERT_TRUE(Language->LoadLanguage(GetParam(), false));
  }
  std::unique_ptr<TLanguage> Language;
};

TEST_P(InstalledLanguageFile, HoldsEveryTextInUse)
{
  std::set<TTextId> ids = RequiredTexts();
  ids.merge(TextsUsedInSources());
  for (const auto &[section, number] : ids)
    EXPECT_FALSE(Language->GetText(section, number).trimmed().isEmpty())
        << section << number << " missing in " << TLanguage::LanguageCode(GetParam()).toStdString();
}

TEST_P(InstalledLanguageFile, KeysMatchTextNumbers)
{
  for (char section : {'E', 'G', 'S'}) {
    const std::optional<TLanguageSection> found =
        Language->FindSection(QString(QLatin1Char(section)));
    ASSERT_TRUE(found) << section;
    for (int n = 1; n <= found->Count; ++n)
      EXPECT_TRUE(Language->Line(found->Start + n - 1)
                      .startsWith(QStringLiteral("%1%2=").arg(QLatin1Char(section)).arg(n)))
          << "line for " << section << n << ": "
          << Language->Line(found->Start + n - 1).toStdString();
  }
}

TEST_P(InstalledLanguageFile, ListsHaveTheirNumberOfFields)
{
  struct ListText
  {
    char Section;
    int Number;
    int Fields;
  };
  for (const ListText &t :
       {ListText{'E', 44, 2}, ListText{'G', 69, 3}, ListText{'G', 70, 12}, ListText{'G', 71, 12},
        ListText{'G', 72, 7}, ListText{'G', 73, 7}, ListText{'G', 149, 24}, ListText{'S', 1, 8},
        ListText{'S', 2, 7}, ListText{'S', 3, 3}, ListText{'S', 7, 2}, ListText{'S', 9, 2},
        ListText{'S', 10, 2}, ListText{'S', 11, 2}, ListText{'S', 28, 7}, ListText{'S', 40, 4},
        ListText{'S', 47, 2}}) {
    const QStringList fields = Language->GetText(t.Section, t.Number).split(QLatin1Char(';'));
    EXPECT_EQ(fields.size(), t.Fields) << t.Section << t.Number;
    for (const QString &field : fields)
      EXPECT_FALSE(field.trimmed().isEmpty()) << t.Section << t.Number;
  }
}

INSTANTIATE_TEST_SUITE_P(GermanAndEnglish, InstalledLanguageFile, ::testing::Values(1, 23),
                         [](const auto &info) {
                           return TLanguage::LanguageCode(info.param).toStdString();
                         });

TEST(InstalledLanguageFiles, GiveEveryTextTheSameFormatArguments)
{
  ClearLanguageSettings();
  TLanguage german(InstalledBase(), German);
  TLanguage english(InstalledBase(), British);
  ASSERT_EQ(german.Language(), 1);
  ASSERT_EQ(english.Language(), 23);
  for (char section : {'E', 'G', 'S'}) {
    const auto de = german.FindSection(QString(QLatin1Char(section)));
    const auto uk = english.FindSection(QString(QLatin1Char(section)));
    ASSERT_TRUE(de && uk) << section;
    EXPECT_EQ(de->Count, uk->Count) << section;
    for (int n = 1; n <= std::max(de->Count, uk->Count); ++n)
      EXPECT_EQ(FormatArguments(german.GetText(section, n)),
                FormatArguments(english.GetText(section, n)))
          << section << n;
  }
}

} // namespace
