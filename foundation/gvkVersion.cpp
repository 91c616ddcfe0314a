#include "foundation/gvkVersion.h"

#include "foundation/gvkStrings.h"

namespace {

QString FieldOf(const QString &text, int n)
{
  return GetToken(text, QStringLiteral("."), n, true);
}

} // namespace

QString ProgramProductName()
{
  return QStringLiteral("Quillet");
}

QString ProgramInternalName()
{
  return QStringLiteral("quillet");
}

QString ProgramFileVersion()
{
  return QStringLiteral(QUILLET_VERSION);
}

QString VersionFromFileVersion(const QString &fileVersion)
{
  return FieldOf(fileVersion, 1) + QLatin1Char('.') + FieldOf(fileVersion, 4);
}

int VersionNumber(const QString &version)
{
  return FieldOf(version, 1).toInt() * 1000 + FieldOf(version, 2).toInt();
}

QString CreatorVersionOf(const QString &version)
{
  return version.mid(2, 2) + QStringLiteral(".00.") + IntToZeroPadded(version.mid(5, 4).toInt(), 4);
}
