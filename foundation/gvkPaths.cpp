#include "foundation/gvkPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString &ProgramBaseNameOverride()
{
  static QString name;
  return name;
}

QString UserFolder(TUserFolder folder)
{
  const auto location = folder == TUserFolder::Config ? QStandardPaths::GenericConfigLocation
                                                      : QStandardPaths::GenericDataLocation;
  return QStandardPaths::writableLocation(location) + QStringLiteral("/quillet");
}

} // namespace

QString ProgramBaseName()
{
  if (!ProgramBaseNameOverride().isEmpty())
    return ProgramBaseNameOverride();
  if (!QCoreApplication::instance())
    return QStringLiteral("quillet");
  QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  name.remove(QStringLiteral(".exe"), Qt::CaseInsensitive);
  return name.isEmpty() ? QStringLiteral("quillet") : name.toLower();
}

void SetProgramBaseName(const QString &baseName)
{
  ProgramBaseNameOverride() = baseName.toLower();
}

QString ProgramDir()
{
  if (!QCoreApplication::instance())
    return QDir::currentPath();
  return QCoreApplication::applicationDirPath();
}

QString HomeOverrideDir()
{
  const QString home = qEnvironmentVariable("QUILLET_HOME");
  return home.isEmpty() ? QString() : QDir::cleanPath(home);
}

QString InstallationFilePath(const QString &fileName)
{
  const QString home = HomeOverrideDir();
  if (!home.isEmpty()) {
    const QString path = home + QLatin1Char('/') + fileName;
    if (QFileInfo::exists(path))
      return path;
  }
  return ProgramDir() + QLatin1Char('/') + fileName;
}

QString WritableFilePath(const QString &fileName, TUserFolder fallback)
{
  QString folder = HomeOverrideDir();
  if (folder.isEmpty()) {
    const QFileInfo programDir(ProgramDir());
    folder = programDir.isDir() && programDir.isWritable() ? programDir.absoluteFilePath()
                                                           : UserFolder(fallback);
  }
  return folder + QLatin1Char('/') + fileName;
}

QString SettingsFilePath()
{
  return WritableFilePath(ProgramBaseName() + QStringLiteral(".INI"), TUserFolder::Config);
}
