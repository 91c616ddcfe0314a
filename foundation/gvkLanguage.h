#pragma once
// The language manager: every message, label text and report caption of the system comes
// from a language file beside the program, by single-letter section and number
// ("E" application, "G" general and library, "S" swim vocabulary). The file also holds
// form sections (named by a form class) that the form side applies to open forms.
//
// File format: a line beginning with "[" is a section header. Text n of a section is the
// n-th line after its header; a line containing "=" loses everything up to and including
// the first "="; "\N" is a line break and every "_" a blank. A form section's first line
// is the form caption ("." keeps it); then blocks of a line ".@" + component name and the
// component's text lines.
#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>

#include <QHash>
#include <QList>
#include <optional>

// Implemented by controls that know best which of their texts to translate; a component
// implementing it is always handled through it.
class ILanguageTexts
{
public:
  virtual ~ILanguageTexts() = default;
  // The lines to export, joined with CR LF.
  virtual QString GetTexts() const = 0;
  // Takes count lines of the loaded language file starting at line first.
  virtual void SetTexts(const QStringList &lines, int first, int count) = 0;
};

// A section of the loaded file: its lines are Start .. Start + Count - 1.
struct TLanguageSection
{
  QString Name;
  int Start = 0;
  int Count = 0;
};

// A component block of a form section: the lines First .. First + Count - 1 of the file.
struct TLanguageBlock
{
  QString Component;
  int First = 0;
  int Count = 0;
};

class TLanguage : public QObject
{
  Q_OBJECT

public:
  static constexpr int LanguageCount = 25;   // indexes 0 .. 24
  static constexpr int DefaultLanguage = 23; // "uk", used whenever a chosen language has no file
  static constexpr int NoLanguage = 24;      // "xx"

  // programBase is the program's folder and base name ("/opt/quillet/quillet"); the
  // language and help files are named from it. Creation reads the Config keys of the
  // settings file, or chooses the language from userLocale, and loads it.
  explicit TLanguage(const QString &programBase, const QLocale &userLocale = QLocale::system(),
                     QObject *parent = nullptr);

  // The installation data beside the program: its folder and the program's name "quillet"
  // (shared by the program, the command line and the test programs).
  static QString DefaultProgramBase();
  static bool IsLanguageIndex(int index) { return index >= 0 && index < LanguageCount; }
  // Two-letter code of a language index; "xx" for an index outside 0 .. 24.
  static QString LanguageCode(int index);
  // The language the user's locale asks for; the default language for any other.
  static int LanguageFromLocale(const QLocale &locale);
  // The text of one line of a text section: key dropped, "\N" and "_" decoded.
  static QString DecodeText(const QString &line);

  QString LanguageFileName(int index) const;
  QString HelpFileName(int index) const;

  // Text number of the single-letter section; with field > 0 only that ";"-field (1 is
  // the first). A missing section or a number outside the section gives an empty text.
  QString GetText(char section, int number, int field = 0) const;

  // Loads the language file of index; false, changing nothing, when it cannot be read.
  // With apply set, TranslateOpenForms is emitted; Changed is emitted after every load.
  bool LoadLanguage(int index, bool apply);

  // Switch the loaded texts to the printout language for the length of a report, and back.
  void BeginPrintLanguage();
  void EndPrintLanguage();

  // Chooses the help language (the default language when index has no help file) and
  // sets the help file to that language's, whether or not it exists.
  void SetHelpLanguage(int index);

  int Language() const { return FLanguage; }
  int PrintLanguage() const { return FPrintLanguage; }
  void SetPrintLanguage(int index);
  int HelpLanguage() const { return FHelpLanguage; }
  QString HelpFile() const { return FHelpFile; }
  // The screen language, also while the printout language is loaded.
  int ScreenLanguage() const;
  // Writes the three languages to the Config keys of the settings file.
  void SaveSettings() const;

  // Export mode: the path prefix of the form text files; empty when off.
  QString ExportPrefix() const { return FExportPrefix; }
  void SetExportPrefix(const QString &prefix) { FExportPrefix = prefix; }
  bool IsExporting() const { return !FExportPrefix.isEmpty(); }

  // Raw access for the form side: all lines of the loaded file, numbered from 0.
  const QStringList &Lines() const { return FLines; }
  // Line number of the loaded file; empty outside the file.
  QString Line(int number) const;
  // A section by name, without regard to letter case; the first of equal names counts.
  std::optional<TLanguageSection> FindSection(const QString &name) const;
  // The form caption of a form section; none when it is empty or "." (keep the caption).
  // A leading "$" is dropped, so "$." gives ".".
  std::optional<QString> FormCaption(const TLanguageSection &section) const;
  // The component blocks of a form section, from the first ".@" line at or after Start.
  QList<TLanguageBlock> ComponentBlocks(const TLanguageSection &section) const;

  static const QString ConfigSection;
  static const QString KeyLanguage;
  static const QString KeyPrintLanguage;
  static const QString KeyHelpLanguage;

Q_SIGNALS:
  // A language was loaded with apply set: translate every open form.
  void TranslateOpenForms();
  // A language was loaded (also around printing): refresh texts built in code.
  void Changed();

private:
  void BuildSectionIndex();
  void TakeDateNames() const;

  QString FProgramBase;
  int FLanguage = DefaultLanguage;
  int FPrintLanguage = DefaultLanguage;
  int FHelpLanguage = DefaultLanguage;
  int FSavedLanguage = NoLanguage;
  QString FHelpFile;
  QString FExportPrefix;
  QStringList FLines;
  QList<TLanguageSection> FSections;
  QHash<QString, qsizetype> FSectionByName; // lower-case name -> index in FSections
};

// The one language manager of the program, created on first use.
TLanguage &GetLanguage();
