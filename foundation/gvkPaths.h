#pragma once
// Where the program's files live. Installation data (language files, help pages,
// templates) lies in the program's folder. Files the program writes (settings, base data,
// error file) go beside the program when that folder is writable, else into the user's
// folders. The environment variable QUILLET_HOME names one folder that replaces both.
#include <QString>

// The program's file name without folder and extension, lower-cased ("quillet").
// Taken from the running executable unless a second executable declares that it uses
// the program's files (quillet-cli calls SetProgramBaseName("quillet") at start, before
// the settings file is first used).
QString ProgramBaseName();
void SetProgramBaseName(const QString &baseName);

// The folder of the running executable (no trailing separator).
QString ProgramDir();

// The folder named by QUILLET_HOME, or an empty text when it is not set.
QString HomeOverrideDir();

// An installation file by name: in QUILLET_HOME when it is set and holds the file,
// otherwise in the program's folder.
QString InstallationFilePath(const QString &fileName);

// Which user folder serves when the program's folder is not writable.
enum class TUserFolder
{
  Config, // $XDG_CONFIG_HOME/quillet
  Data    // $XDG_DATA_HOME/quillet
};

// The full path of a file the program writes: QUILLET_HOME when set, the program's folder
// when it is writable, else the user folder. Folders are not created here.
QString WritableFilePath(const QString &fileName, TUserFolder fallback);

// The settings file: ProgramBaseName() + ".INI" in the writable place for settings.
QString SettingsFilePath();
