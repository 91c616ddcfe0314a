#include "cli/cliCommon.h"

#include <QFileInfo>
#include <cstdio>

QTextStream &Out()
{
  static QTextStream stream(stdout);
  return stream;
}

QTextStream &Err()
{
  static QTextStream stream(stderr);
  return stream;
}

int Fail(TCliExit code, const QString &message)
{
  Out().flush();
  Err() << "quillet-cli: " << message << Qt::endl;
  return code;
}

QString UnreadableFileProblem(const QString &fileName)
{
  const QFileInfo info(fileName);
  if (!info.exists())
    return QStringLiteral("cannot open %1: no such file").arg(fileName);
  if (info.isDir())
    return QStringLiteral("cannot open %1: it is a folder").arg(fileName);
  if (!info.isReadable())
    return QStringLiteral("cannot open %1: permission denied").arg(fileName);
  return {};
}

std::optional<int> RefusedArguments(const TCliArguments &arguments, const QString &synopsis,
                                    bool inputFile)
{
  if (!arguments.Problem().isEmpty())
    return Fail(cliUsage,
                QStringLiteral("%1: %2 (%3)")
                    .arg(synopsis.section(QLatin1Char(' '), 0, 0), arguments.Problem(), synopsis));
  if (!inputFile)
    return std::nullopt;
  if (const QString problem = UnreadableFileProblem(arguments.Positional(0)); !problem.isEmpty())
    return Fail(cliUsage, problem);
  return std::nullopt;
}

void LoadMeet(TAquon &document, const QString &fileName)
{
  document.LoadFromFile(fileName);
  if (document.Errors().isEmpty())
    document.BuildIndex();
}

void PrintMessages(const TAquon &document, QTextStream &stream)
{
  for (const QString &error : document.Errors())
    stream << "error: " << error << '\n';
  for (const QString &warning : document.Warnings())
    stream << "warning: " << warning << '\n';
}

QString ProductName()
{
  return QStringLiteral("Quillet");
}

QString ProductVersion()
{
  return QStringLiteral(QUILLET_VERSION);
}
