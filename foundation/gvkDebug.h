#pragma once
// The debug log: the setting Special/DebugFile names a file that receives the log lines
// of the run when the program ends; the value "$" (the default) or an empty value keeps
// the log off. The program creates one TGvkDebug at start and lets it go at its end.
#include <QString>
#include <QStringList>

class TGvkCustomIniFile;

class TGvkDebug
{
public:
  // Reads the setting at once; a relative file name is taken beside the settings file.
  explicit TGvkDebug(const TGvkCustomIniFile &settings);
  // Writes the log when it is on (a failure is not reported at program end).
  ~TGvkDebug();
  TGvkDebug(const TGvkDebug &) = delete;
  TGvkDebug &operator=(const TGvkDebug &) = delete;

  bool IsOn() const { return !FFileName.isEmpty(); }
  const QString &FileName() const { return FFileName; }
  void Add(const QString &line);
  // Writes the lines so far into the log file, replacing it; false when it fails or the
  // log is off.
  bool WriteLog() const;

private:
  QString FFileName;
  QStringList FLines;
};
