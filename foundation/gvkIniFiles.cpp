#include "foundation/gvkIniFiles.h"

#include "foundation/gvkErrors.h"
#include "foundation/gvkPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <optional>
#include <vector>

// The parsed content of an INI text, line by line. Lines keep their original bytes until
// they are changed, so a rewrite reproduces every line it does not touch exactly
// (comments, blank lines, foreign keys, even bytes that are not valid UTF-8).
class TIniText
{
public:
  static TIniText Parse(const QByteArray &bytes);
  QByteArray ToBytes() const;

  std::optional<QString> Value(const QString &section, const QString &key) const;
  // False when nothing changed (the key already held the value).
  bool SetValue(const QString &section, const QString &key, const QString &value);
  bool Delete(const QString &section, const QString &key);
  bool EraseSection(const QString &section);
  QStringList Keys(const QString &section) const;
  QStringList SectionValues(const QString &section) const;
  QStringList Sections() const;

private:
  enum class TKind
  {
    Other,
    Section,
    Entry
  };
  struct TLine
  {
    TKind Kind = TKind::Other;
    QString Name; // section name or key
    QString Value;
    QByteArray Raw;       // the original bytes without the "\n" (written while not changed)
    bool Changed = false; // written from Name and Value
  };

  static TLine ParseLine(const QByteArray &raw);
  static bool SameName(const QString &a, const QString &b)
  {
    return a.compare(b, Qt::CaseInsensitive) == 0;
  }
  // Calls f(index) for every entry line in the sections named section, in order;
  // f returns false to stop.
  template <typename F> void ForEachEntry(const QString &section, F f) const;
  std::optional<std::size_t> FindEntry(const QString &section, const QString &key) const;
  std::optional<std::size_t> InsertPosition(const QString &section) const;

  std::vector<TLine> FLines;
  QByteArray FLineEnd = "\n";
};

TIniText::TLine TIniText::ParseLine(const QByteArray &raw)
{
  TLine line;
  line.Raw = raw;
  QByteArrayView bytes(raw);
  if (bytes.endsWith('\r'))
    bytes.chop(1);
  const QString text = QString::fromUtf8(bytes);
  const QString trimmed = text.trimmed();
  if (trimmed.startsWith(QLatin1Char('['))) {
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close > 0) {
      line.Kind = TKind::Section;
      line.Name = trimmed.mid(1, close - 1).trimmed();
    }
    return line;
  }
  if (trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
    return line;
  const qsizetype equals = text.indexOf(QLatin1Char('='));
  if (equals > 0 && !text.left(equals).trimmed().isEmpty()) {
    line.Kind = TKind::Entry;
    line.Name = text.left(equals).trimmed();
    line.Value = text.mid(equals + 1);
  }
  return line;
}

TIniText TIniText::Parse(const QByteArray &bytes)
{
  TIniText result;
  QByteArray content = bytes;
  static const QByteArray bom("\xEF\xBB\xBF");
  QByteArray prefix;
  if (content.startsWith(bom)) {
    prefix = bom;
    content.remove(0, bom.size());
  }
  QList<QByteArray> pieces = content.split('\n');
  if (!pieces.isEmpty() && pieces.last().isEmpty())
    pieces.removeLast(); // the end of the last line, not an empty line
  if (!pieces.isEmpty() && pieces.first().endsWith('\r'))
    result.FLineEnd = "\r\n";
  result.FLines.reserve(pieces.size());
  for (const QByteArray &piece : pieces)
    result.FLines.push_back(ParseLine(piece));
  if (!prefix.isEmpty() && !result.FLines.empty())
    result.FLines.front().Raw.prepend(prefix);
  return result;
}

QByteArray TIniText::ToBytes() const
{
  QByteArray bytes;
  for (const TLine &line : FLines) {
    if (!line.Changed) {
      bytes += line.Raw;
      bytes += '\n';
      continue;
    }
    if (line.Kind == TKind::Section)
      bytes += '[' + line.Name.toUtf8() + ']';
    else
      bytes += line.Name.toUtf8() + '=' + line.Value.toUtf8();
    bytes += FLineEnd;
  }
  return bytes;
}

template <typename F> void TIniText::ForEachEntry(const QString &section, F f) const
{
  bool inSection = false;
  for (std::size_t i = 0; i < FLines.size(); ++i) {
    const TLine &line = FLines[i];
    if (line.Kind == TKind::Section)
      inSection = SameName(line.Name, section);
    else if (inSection && line.Kind == TKind::Entry && !f(i))
      return;
  }
}

std::optional<std::size_t> TIniText::FindEntry(const QString &section, const QString &key) const
{
  std::optional<std::size_t> found;
  ForEachEntry(section, [&](std::size_t i) {
    if (!SameName(FLines[i].Name, key))
      return true;
    found = i;
    return false;
  });
  return found;
}

std::optional<QString> TIniText::Value(const QString &section, const QString &key) const
{
  const auto index = FindEntry(section, key);
  if (!index)
    return std::nullopt;
  return FLines[*index].Value;
}

// Behind the last line of the last section named section that is not blank or a
// comment, so a new key joins its section's keys; none when the section is missing.
std::optional<std::size_t> TIniText::InsertPosition(const QString &section) const
{
  std::optional<std::size_t> position;
  bool inSection = false;
  for (std::size_t i = 0; i < FLines.size(); ++i) {
    const TLine &line = FLines[i];
    if (line.Kind == TKind::Section) {
      inSection = SameName(line.Name, section);
      if (inSection)
        position = i + 1;
    } else if (inSection && line.Kind == TKind::Entry) {
      position = i + 1;
    }
  }
  return position;
}

bool TIniText::SetValue(const QString &section, const QString &key, const QString &value)
{
  if (const auto index = FindEntry(section, key)) {
    TLine &line = FLines[*index];
    if (line.Value == value)
      return false;
    line.Value = value;
    line.Changed = true;
    return true;
  }
  TLine entry;
  entry.Kind = TKind::Entry;
  entry.Name = key;
  entry.Value = value;
  entry.Changed = true;
  if (const auto position = InsertPosition(section)) {
    FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(*position), entry);
    return true;
  }
  TLine header;
  header.Kind = TKind::Section;
  header.Name = section;
  header.Changed = true;
  FLines.push_back(header);
  FLines.push_back(entry);
  return true;
}

bool TIniText::Delete(const QString &section, const QString &key)
{
  std::vector<std::size_t> doomed;
  ForEachEntry(section, [&](std::size_t i) {
    if (SameName(FLines[i].Name, key))
      doomed.push_back(i);
    return true;
  });
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
    FLines.erase(FLines.begin() + static_cast<std::ptrdiff_t>(*it));
  return !doomed.empty();
}

bool TIniText::EraseSection(const QString &section)
{
  const std::size_t before = FLines.size();
  std::vector<TLine> kept;
  kept.reserve(before);
  bool inSection = false;
  for (TLine &line : FLines) {
    if (line.Kind == TKind::Section)
      inSection = SameName(line.Name, section);
    if (!inSection)
      kept.push_back(std::move(line));
  }
  FLines = std::move(kept);
  return FLines.size() != before;
}

QStringList TIniText::Keys(const QString &section) const
{
  QStringList keys;
  ForEachEntry(section, [&](std::size_t i) {
    const QString &key = FLines[i].Name;
    if (!keys.contains(key, Qt::CaseInsensitive)) // a repeated key is hidden by the first
      keys.append(key);
    return true;
  });
  return keys;
}

// Every entry line, repeated keys included: a table may list a code twice and its
// reader decides which line wins.
QStringList TIniText::SectionValues(const QString &section) const
{
  QStringList values;
  ForEachEntry(section, [&](std::size_t i) {
    values.append(FLines[i].Name + QLatin1Char('=') + FLines[i].Value);
    return true;
  });
  return values;
}

QStringList TIniText::Sections() const
{
  QStringList sections;
  for (const TLine &line : FLines)
    if (line.Kind == TKind::Section && !sections.contains(line.Name, Qt::CaseInsensitive))
      sections.append(line.Name);
  return sections;
}

namespace {

bool IsValidName(const QString &name, bool isKey)
{
  if (name.isEmpty() || name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')) ||
      name.contains(QLatin1Char(']')))
    return false;
  if (!isKey)
    return true;
  return !name.contains(QLatin1Char('=')) && !name.startsWith(QLatin1Char('[')) &&
         !name.startsWith(QLatin1Char(';')) && !name.startsWith(QLatin1Char('#'));
}

// Names come from the program, never from the user: a name that cannot be stored is a
// fault of the caller.
void CheckNames(const QString &section, const QString &key)
{
  GVK_ASSERT(IsValidName(section, false), "Invalid settings section name", "gvkIniFiles");
  GVK_ASSERT(IsValidName(key, true), "Invalid settings key name", "gvkIniFiles");
}

QString SingleLine(const QString &value)
{
  QString line = value;
  line.replace(QLatin1String("\r\n"), QLatin1String(" "));
  line.replace(QLatin1Char('\r'), QLatin1Char(' '));
  line.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return line;
}

bool IsDigits(const QString &text)
{
  return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
  });
}

// The two-digit (or four-digit) number at position pos, -1 when it is not all digits.
int NumberAt(const QString &text, qsizetype pos, qsizetype length)
{
  const QString part = text.mid(pos, length);
  if (part.size() != length || !IsDigits(part))
    return -1;
  return part.toInt();
}

QString LineKey(const QString &baseKey, int index)
{
  return baseKey + QStringLiteral("%1").arg(index, 3, 10, QLatin1Char('0'));
}

QString CountKey(const QString &baseKey)
{
  return baseKey + QStringLiteral("XX");
}

} // namespace

// ---------------------------------------------------------------------------------------
// TGvkCustomIniFile

TGvkCustomIniFile::TGvkCustomIniFile(const QString &fileName) : FFileName(fileName)
{
}

TGvkCustomIniFile::~TGvkCustomIniFile() = default;

QString TGvkCustomIniFile::ReadString(const QString &section, const QString &key,
                                      const QString &defaultValue) const
{
  QString value = defaultValue;
  Read([&](const TIniText &text) {
    value = text.Value(section.trimmed(), key.trimmed()).value_or(defaultValue);
  });
  return value;
}

void TGvkCustomIniFile::WriteString(const QString &section, const QString &key,
                                    const QString &value)
{
  CheckNames(section.trimmed(), key.trimmed());
  Change([&](TIniText &text) {
    return text.SetValue(section.trimmed(), key.trimmed(), SingleLine(value));
  });
}

void TGvkCustomIniFile::DeleteKey(const QString &section, const QString &key)
{
  Change([&](TIniText &text) { return text.Delete(section.trimmed(), key.trimmed()); });
}

void TGvkCustomIniFile::EraseSection(const QString &section)
{
  Change([&](TIniText &text) { return text.EraseSection(section.trimmed()); });
}

void TGvkCustomIniFile::ReadSection(const QString &section, QStringList &keys) const
{
  Read([&](const TIniText &text) { keys = text.Keys(section.trimmed()); });
}

void TGvkCustomIniFile::ReadSectionValues(const QString &section, QStringList &values) const
{
  Read([&](const TIniText &text) { values = text.SectionValues(section.trimmed()); });
}

void TGvkCustomIniFile::ReadSections(QStringList &sections) const
{
  Read([&](const TIniText &text) { sections = text.Sections(); });
}

bool TGvkCustomIniFile::SectionExists(const QString &section) const
{
  QStringList sections;
  ReadSections(sections);
  return sections.contains(section.trimmed(), Qt::CaseInsensitive);
}

bool TGvkCustomIniFile::ValueExists(const QString &section, const QString &key) const
{
  QStringList keys;
  ReadSection(section, keys);
  return keys.contains(key.trimmed(), Qt::CaseInsensitive);
}

int TGvkCustomIniFile::ReadInteger(const QString &section, const QString &key,
                                   int defaultValue) const
{
  bool ok = false;
  const int value = ReadString(section, key, QString()).trimmed().toInt(&ok);
  return ok ? value : defaultValue;
}

void TGvkCustomIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
  WriteString(section, key, QString::number(value));
}

bool TGvkCustomIniFile::ReadBool(const QString &section, const QString &key,
                                 bool defaultValue) const
{
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TGvkCustomIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
  WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QDateTime TGvkCustomIniFile::ReadDateTime(const QString &section, const QString &key,
                                          const QDateTime &defaultValue) const
{
  const QString text = ReadString(section, key, QString());
  const QDate date(NumberAt(text, 0, 4), NumberAt(text, 4, 2), NumberAt(text, 6, 2));
  if (!date.isValid())
    return defaultValue;
  QTime time(NumberAt(text, 8, 2), NumberAt(text, 10, 2), NumberAt(text, 12, 2));
  if (!time.isValid())
    time = QTime(0, 0);
  return QDateTime(date, time);
}

void TGvkCustomIniFile::WriteDateTime(const QString &section, const QString &key,
                                      const QDateTime &value)
{
  WriteString(section, key,
              value.isValid() ? value.toString(QStringLiteral("yyyyMMddHHmmss")) : QString());
}

QString TGvkCustomIniFile::ReadText(const QString &section, const QString &baseKey,
                                    const QString &defaultValue) const
{
  const int count = ReadInteger(section, CountKey(baseKey), -1);
  if (count == -1)
    return defaultValue;
  QStringList lines;
  Read([&](const TIniText &text) {
    for (int i = 0; i < count; ++i)
      lines.append(text.Value(section.trimmed(), LineKey(baseKey, i)).value_or(QString()));
  });
  return lines.join(QStringLiteral("\r\n"));
}

// One change for the whole text, so a settings file never holds half of it.
void TGvkCustomIniFile::WriteText(const QString &section, const QString &baseKey,
                                  const QString &text)
{
  CheckNames(section.trimmed(), CountKey(baseKey.trimmed()));
  QString normalized = text;
  normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QStringList lines = normalized.split(QLatin1Char('\n'));
  while (!lines.isEmpty() && lines.last().isEmpty())
    lines.removeLast();
  const QString name = section.trimmed();
  const QString base = baseKey.trimmed();
  Change([&](TIniText &ini) {
    const int count = static_cast<int>(lines.size());
    bool changed = ini.SetValue(name, CountKey(base), QString::number(count));
    for (int i = 0; i < count; ++i)
      changed = ini.SetValue(name, LineKey(base, i), SingleLine(lines.at(i))) || changed;
    // Line keys of an earlier, longer text run on from the new count without gaps.
    for (int i = count; ini.Value(name, LineKey(base, i)).has_value(); ++i)
      changed = ini.Delete(name, LineKey(base, i)) || changed;
    return changed;
  });
}

// ---------------------------------------------------------------------------------------
// TGvkIniFile

TGvkIniFile::TGvkIniFile(const QString &fileName) : TGvkCustomIniFile(fileName)
{
}

TGvkIniFile::~TGvkIniFile() = default;

TIniText TGvkIniFile::Load() const
{
  QFile file(FileName());
  if (!file.open(QIODevice::ReadOnly))
    return TIniText::Parse(QByteArray());
  return TIniText::Parse(file.readAll());
}

void TGvkIniFile::Save(const TIniText &text)
{
  const QFileInfo info(FileName());
  QDir().mkpath(info.absolutePath());
  QSaveFile file(FileName());
  const QByteArray bytes = text.ToBytes();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw EGvkFileError(QStringLiteral("The settings file \"%1\" cannot be written: %2")
                            .arg(QDir::toNativeSeparators(FileName()), file.errorString()));
}

void TGvkIniFile::Read(const std::function<void(const TIniText &)> &read) const
{
  if (FPending)
    read(*FPending);
  else
    read(Load());
}

void TGvkIniFile::Change(const std::function<bool(TIniText &)> &change)
{
  if (FPending) {
    FPendingChanged = change(*FPending) || FPendingChanged;
    return;
  }
  TIniText text = Load();
  if (change(text))
    Save(text);
}

void TGvkIniFile::Update(const std::function<void()> &changes)
{
  if (FPending) { // inside an outer Update, which writes at its end
    changes();
    return;
  }
  FPending = std::make_unique<TIniText>(Load());
  FPendingChanged = false;
  try {
    changes();
  } catch (...) {
    FPending.reset();
    throw;
  }
  const std::unique_ptr<TIniText> text = std::move(FPending);
  if (FPendingChanged)
    Save(*text);
}

// ---------------------------------------------------------------------------------------
// TGvkMemIniFile

TGvkMemIniFile::TGvkMemIniFile(const QString &fileName)
    : TGvkCustomIniFile(fileName), FText(std::make_unique<TIniText>())
{
  if (fileName.isEmpty())
    return;
  QFile file(fileName);
  if (file.open(QIODevice::ReadOnly))
    *FText = TIniText::Parse(file.readAll());
}

namespace {

QString ResourcePath(const QString &name)
{
  return name.startsWith(QLatin1Char(':')) ? name : QStringLiteral(":/") + name;
}

} // namespace

TGvkMemIniFile::TGvkMemIniFile(const TResource &resource)
    : TGvkCustomIniFile(ResourcePath(resource.Name)), FText(std::make_unique<TIniText>())
{
  QFile file(FileName());
  if (!file.open(QIODevice::ReadOnly))
    throw EGvkFileError(
        QStringLiteral("The program resource \"%1\" cannot be read.").arg(resource.Name));
  *FText = TIniText::Parse(file.readAll());
}

TGvkMemIniFile::~TGvkMemIniFile() = default;

void TGvkMemIniFile::Read(const std::function<void(const TIniText &)> &read) const
{
  read(*FText);
}

void TGvkMemIniFile::Change(const std::function<bool(TIniText &)> &change)
{
  change(*FText);
}

// ---------------------------------------------------------------------------------------

TGvkIniFile &SettingsFile()
{
  static TGvkIniFile settings(SettingsFilePath());
  return settings;
}
