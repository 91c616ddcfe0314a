#include "foundation/gvkDebug.h"

#include "foundation/gvkIniFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {
const QString Off = QStringLiteral("$");
}

TGvkDebug::TGvkDebug(const TGvkCustomIniFile &settings)
{
  const QString name =
      settings.ReadString(QStringLiteral("Special"), QStringLiteral("DebugFile"), Off);
  if (name == Off || name.trimmed().isEmpty())
    return;
  FFileName = QFileInfo(name).isAbsolute()
                  ? name
                  : QFileInfo(settings.FileName()).absoluteDir().absoluteFilePath(name);
}

TGvkDebug::~TGvkDebug()
{
  WriteLog();
}

void TGvkDebug::Add(const QString &line)
{
  if (IsOn())
    FLines.append(line);
}

bool TGvkDebug::WriteLog() const
{
  if (!IsOn())
    return false;
  QSaveFile file(FFileName);
  if (!file.open(QIODevice::WriteOnly))
    return false;
  for (const QString &line : FLines)
    file.write(line.toUtf8() + '\n');
  return file.commit();
}
