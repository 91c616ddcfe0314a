#include "foundation/gvkLanguage.h"

#include "foundation/gvkIniFiles.h"
#include "foundation/gvkPaths.h"
#include "foundation/gvkStrings.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <memory>

const QString TLanguage::ConfigSection = QStringLiteral("Config");
const QString TLanguage::KeyLanguage = QStringLiteral("lbxLanguage");
const QString TLanguage::KeyPrintLanguage = QStringLiteral("lbxPrnLanguage");
const QString TLanguage::KeyHelpLanguage = QStringLiteral("lbxHlpLanguage");

namespace {

constexpr std::array<const char *, TLanguage::LanguageCount> LanguageCodes = {
    "ch", "de", "fr", "us", "it", "nl", "es", "ru", "dk", "pl", "pt", "fi", "is",
    "se", "no", "at", "ca", "hu", "cz", "si", "hr", "tr", "mx", "uk", "xx"};

// A language file larger than this is not one of ours; it is refused rather than read.
constexpr qint64 MaxLanguageFileSize = 16 * 1024 * 1024;

constexpr int MaxComponentNameLength = 99;

bool IsHeader(const QString &line)
{
  return line.startsWith(QLatin1Char('['));
}

// The name between "[" and "]"; a header cut short before its "]" keeps the rest.
QString HeaderName(const QString &line)
{
  QString name = line.mid(1).trimmed();
  if (name.endsWith(QLatin1Char(']')))
    name.chop(1);
  return name;
}

bool IsBlockLine(const QString &line)
{
  return line.startsWith(QLatin1String(".@"));
}

QString BlockComponentName(const QString &line)
{
  QString name = line.mid(2, MaxComponentNameLength).trimmed();
  if (name.endsWith(QLatin1Char('$')))
    name.chop(1);
  return name;
}

QStringList SplitLines(QString text)
{
  if (text.startsWith(QChar(0xFEFF)))
    text.remove(0, 1);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty())
    lines.removeLast(); // the line break that ends the last line
  return lines;
}

std::optional<QStringList> ReadLines(const QString &fileName)
{
  const QFileInfo info(fileName);
  if (!info.isFile() || info.size() > MaxLanguageFileSize)
    return std::nullopt;
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    return std::nullopt;
  return SplitLines(QString::fromUtf8(file.readAll()));
}

int LocaleIndex(QLocale::Language language, QLocale::Territory territory)
{
  switch (language) {
  case QLocale::German:
    if (territory == QLocale::Switzerland)
      return 0;
    if (territory == QLocale::Austria)
      return 15;
    return 1;
  case QLocale::English:
    return territory == QLocale::UnitedKingdom ? 23 : 3;
  case QLocale::Spanish:
    return territory == QLocale::Mexico ? 22 : 6;
  case QLocale::French:
    return territory == QLocale::Canada ? 16 : 2;
  case QLocale::Czech:
    return 18;
  case QLocale::Danish:
    return 8;
  case QLocale::Finnish:
    return 11;
  case QLocale::Hungarian:
    return 17;
  case QLocale::Icelandic:
    return 12;
  case QLocale::Italian:
    return 4;
  case QLocale::Dutch:
    return 5;
  case QLocale::NorwegianBokmal:
  case QLocale::NorwegianNynorsk:
    return 14;
  case QLocale::Polish:
    return 9;
  case QLocale::Portuguese:
    return 10;
  case QLocale::Russian:
    return 7;
  case QLocale::Croatian:
    return 20;
  case QLocale::Swedish:
    return 13;
  case QLocale::Turkish:
    return 21;
  case QLocale::Slovenian:
    return 19;
  default:
    return TLanguage::DefaultLanguage;
  }
}

// The date names of a text; none (the locale's names stand in) when a name is empty, so
// a damaged file never blanks a date. SetDateNames refuses lists of the wrong length.
QStringList DateNames(const QString &text)
{
  const QStringList names = text.split(QLatin1Char(';'));
  for (const QString &name : names)
    if (name.trimmed().isEmpty())
      return {};
  return names;
}

} // namespace

TLanguage::TLanguage(const QString &programBase, const QLocale &userLocale, QObject *parent)
    : QObject(parent), FProgramBase(programBase)
{
  TGvkIniFile &settings = SettingsFile();
  int wanted = settings.ReadInteger(ConfigSection, KeyLanguage, -1);
  if (wanted < 0 || wanted >= NoLanguage)
    wanted = LanguageFromLocale(userLocale);
  if (!LoadLanguage(wanted, true))
    LoadLanguage(DefaultLanguage, true);
  FSavedLanguage = NoLanguage;
  FPrintLanguage = FLanguage;
  SetHelpLanguage(FLanguage);

  SetPrintLanguage(settings.ReadInteger(ConfigSection, KeyPrintLanguage, FLanguage));
  int help = settings.ReadInteger(ConfigSection, KeyHelpLanguage, FLanguage);
  SetHelpLanguage(IsLanguageIndex(help) ? help : FLanguage);
}

QString TLanguage::DefaultProgramBase()
{
  return ProgramDir() + QStringLiteral("/quillet");
}

QString TLanguage::LanguageCode(int index)
{
  return QLatin1String(LanguageCodes.at(IsLanguageIndex(index) ? index : NoLanguage));
}

int TLanguage::LanguageFromLocale(const QLocale &locale)
{
  return LocaleIndex(locale.language(), locale.territory());
}

QString TLanguage::DecodeText(const QString &line)
{
  const qsizetype equals = line.indexOf(QLatin1Char('='));
  QString text = equals < 0 ? line : line.mid(equals + 1);
  text.replace(QLatin1String("\\N"), QLatin1String("\n"));
  text.replace(QLatin1Char('_'), QLatin1Char(' '));
  return text;
}

QString TLanguage::LanguageFileName(int index) const
{
  return FProgramBase + QStringLiteral(".x") + LanguageCode(index);
}

QString TLanguage::HelpFileName(int index) const
{
  return FProgramBase + LanguageCode(index) + QStringLiteral(".rtf");
}

QString TLanguage::GetText(char section, int number, int field) const
{
  const std::optional<TLanguageSection> found = FindSection(QString(QLatin1Char(section)));
  if (!found || number < 1 || number > found->Count)
    return {};
  const QString text = DecodeText(FLines.at(found->Start + number - 1));
  return field > 0 ? GetFields(text, field, 1) : text;
}

bool TLanguage::LoadLanguage(int index, bool apply)
{
  if (!IsLanguageIndex(index))
    return false;
  std::optional<QStringList> lines = ReadLines(LanguageFileName(index));
  if (!lines)
    return false;
  FLines = std::move(*lines);
  BuildSectionIndex();
  FLanguage = index;
  TakeDateNames();
  if (apply)
    Q_EMIT TranslateOpenForms();
  Q_EMIT Changed();
  return true;
}

void TLanguage::BuildSectionIndex()
{
  FSections.clear();
  FSectionByName.clear();
  for (qsizetype i = 0; i < FLines.size(); ++i) {
    if (!IsHeader(FLines.at(i)))
      continue;
    if (!FSections.isEmpty())
      FSections.last().Count = int(i - FSections.last().Start);
    FSections.append({HeaderName(FLines.at(i)), int(i + 1), 0});
    const QString key = FSections.last().Name.toLower();
    if (!FSectionByName.contains(key))
      FSectionByName.insert(key, FSections.size() - 1);
  }
  if (!FSections.isEmpty())
    FSections.last().Count = int(FLines.size() - FSections.last().Start);
}

void TLanguage::TakeDateNames() const
{
  SetDateNames(DateNames(GetText('G', 70)), DateNames(GetText('G', 71)),
               DateNames(GetText('G', 72)), DateNames(GetText('G', 73)));
}

void TLanguage::BeginPrintLanguage()
{
  if (FPrintLanguage == FLanguage)
    return;
  FSavedLanguage = FLanguage;
  if (!LoadLanguage(FPrintLanguage, false))
    FSavedLanguage = NoLanguage;
}

void TLanguage::EndPrintLanguage()
{
  if (FSavedLanguage == NoLanguage)
    return;
  LoadLanguage(FSavedLanguage, false);
  FSavedLanguage = NoLanguage;
}

void TLanguage::SetHelpLanguage(int index)
{
  FHelpLanguage =
      IsLanguageIndex(index) && QFileInfo::exists(HelpFileName(index)) ? index : DefaultLanguage;
  FHelpFile = HelpFileName(FHelpLanguage);
}

void TLanguage::SetPrintLanguage(int index)
{
  FPrintLanguage = IsLanguageIndex(index) ? index : ScreenLanguage();
}

int TLanguage::ScreenLanguage() const
{
  return FSavedLanguage != NoLanguage ? FSavedLanguage : FLanguage;
}

void TLanguage::SaveSettings() const
{
  TGvkIniFile &settings = SettingsFile();
  settings.WriteInteger(ConfigSection, KeyLanguage, ScreenLanguage());
  settings.WriteInteger(ConfigSection, KeyPrintLanguage, FPrintLanguage);
  settings.WriteInteger(ConfigSection, KeyHelpLanguage, FHelpLanguage);
}

QString TLanguage::Line(int number) const
{
  return number >= 0 && number < FLines.size() ? FLines.at(number) : QString();
}

std::optional<TLanguageSection> TLanguage::FindSection(const QString &name) const
{
  const auto found = FSectionByName.constFind(name.toLower());
  if (found == FSectionByName.constEnd())
    return std::nullopt;
  return FSections.at(*found);
}

std::optional<QString> TLanguage::FormCaption(const TLanguageSection &section) const
{
  if (section.Count < 1)
    return std::nullopt;
  QString caption = Line(section.Start);
  if (caption.isEmpty() || caption == QLatin1String("."))
    return std::nullopt;
  if (caption.startsWith(QLatin1Char('$')))
    caption.remove(0, 1);
  return caption;
}

QList<TLanguageBlock> TLanguage::ComponentBlocks(const TLanguageSection &section) const
{
  QList<TLanguageBlock> blocks;
  const int end = std::min<int>(section.Start + section.Count, int(FLines.size()));
  for (int i = std::max(section.Start, 0); i < end; ++i) {
    if (IsBlockLine(FLines.at(i)))
      blocks.append({BlockComponentName(FLines.at(i)), i + 1, 0});
    else if (!blocks.isEmpty())
      ++blocks.last().Count;
  }
  return blocks;
}

TLanguage &GetLanguage()
{
  static const std::unique_ptr<TLanguage> language =
      std::make_unique<TLanguage>(TLanguage::DefaultProgramBase());
  return *language;
}
