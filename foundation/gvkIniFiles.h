#pragma once
// Settings files in INI form: "[section]" lines and "key=value" lines, UTF-8 text.
// Section and key names match without regard to letter case; values are single-line
// texts kept exactly as written (no trimming). Booleans are stored as 1 and 0,
// date-times as 14 digits yyyymmddhhnnss, multi-line texts as a count key (base + "XX")
// and one key per line (base + "000", "001", ...).
//
// A missing file, section or key reads as the default; a write creates them.
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TIniText;

class TGvkCustomIniFile
{
public:
  explicit TGvkCustomIniFile(const QString &fileName);
  virtual ~TGvkCustomIniFile();
  TGvkCustomIniFile(const TGvkCustomIniFile &) = delete;
  TGvkCustomIniFile &operator=(const TGvkCustomIniFile &) = delete;

  const QString &FileName() const { return FFileName; }

  QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
  // Line breaks in value are written as blanks: a value is one line.
  void WriteString(const QString &section, const QString &key, const QString &value);
  void DeleteKey(const QString &section, const QString &key);
  void EraseSection(const QString &section);
  // Fill list with the key names (each once) / all "key=value" lines of a section, in
  // file order.
  void ReadSection(const QString &section, QStringList &keys) const;
  void ReadSectionValues(const QString &section, QStringList &values) const;
  void ReadSections(QStringList &sections) const;

  bool SectionExists(const QString &section) const;
  bool ValueExists(const QString &section, const QString &key) const;

  // The default also when the stored value is not a decimal integer.
  int ReadInteger(const QString &section, const QString &key, int defaultValue) const;
  void WriteInteger(const QString &section, const QString &key, int value);
  // Any integer other than 0 is true.
  bool ReadBool(const QString &section, const QString &key, bool defaultValue) const;
  void WriteBool(const QString &section, const QString &key, bool value);

  // 14 digits yyyymmddhhnnss; a missing or bad time part reads as midnight, a bad date
  // part (or an empty value) gives the default. An invalid value is written as empty.
  QDateTime ReadDateTime(const QString &section, const QString &key,
                         const QDateTime &defaultValue) const;
  void WriteDateTime(const QString &section, const QString &key, const QDateTime &value);

  // Multi-line text; lines are joined with CR LF on reading. The default when the count
  // key was never written.
  QString ReadText(const QString &section, const QString &baseKey,
                   const QString &defaultValue) const;
  // Drops empty lines at the end and deletes line keys left from a longer earlier text.
  void WriteText(const QString &section, const QString &baseKey, const QString &text);

  // Runs changes (any reads and writes on this object) as one change of the content: the
  // file class then rewrites its file once at the end instead of once per write, and
  // writes nothing when changes throws.
  virtual void Update(const std::function<void()> &changes) { changes(); }

protected:
  // Lets read look at the current content.
  virtual void Read(const std::function<void(const TIniText &)> &read) const = 0;
  // Lets change alter the content; change returns whether it altered anything.
  virtual void Change(const std::function<bool(TIniText &)> &change) = 0;

private:
  QString FFileName;
};

// Every read goes to the file and every write changes the file at once (nothing is
// cached, nothing to flush). Writes replace the file atomically, keeping every line they
// do not change (comments, blank lines, foreign keys) in place. A write that fails
// throws EGvkFileError and leaves the previous file intact.
class TGvkIniFile : public TGvkCustomIniFile
{
public:
  explicit TGvkIniFile(const QString &fileName);
  ~TGvkIniFile() override;

  void Update(const std::function<void()> &changes) override;

protected:
  void Read(const std::function<void(const TIniText &)> &read) const override;
  void Change(const std::function<bool(TIniText &)> &change) override;

private:
  TIniText Load() const;
  void Save(const TIniText &text);

  std::unique_ptr<TIniText> FPending; // the content while an Update runs
  bool FPendingChanged = false;
};

// The whole content in memory; writes change only the memory and are never written back.
class TGvkMemIniFile : public TGvkCustomIniFile
{
public:
  // Reads the file once if it exists; an empty name gives an empty content.
  explicit TGvkMemIniFile(const QString &fileName = QString());
  // Names a program resource holding INI text (":/name" or "name" for ":/name").
  // Throws EGvkFileError when the resource does not exist.
  struct TResource
  {
    QString Name;
  };
  explicit TGvkMemIniFile(const TResource &resource);
  ~TGvkMemIniFile() override;

protected:
  void Read(const std::function<void(const TIniText &)> &read) const override;
  void Change(const std::function<bool(TIniText &)> &change) override;

private:
  std::unique_ptr<TIniText> FText;
};

// The one program-wide settings file (see SettingsFilePath in gvkPaths.h), created on
// first use without touching the disk, released at program end.
TGvkIniFile &SettingsFile();
