#pragma once
// Runs peer tools (unzip, zip, python3, sh) that make or check real files for the tests.
#include <QProcess>
#include <QString>
#include <QStringList>

struct TToolRun
{
  int ExitCode = -1;
  QString Output;
};

// Runs a peer tool in a folder; the output is stdout and stderr together.
inline TToolRun RunTool(const QString &program, const QStringList &arguments,
                        const QString &workingDir = {})
{
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  if (!workingDir.isEmpty())
    process.setWorkingDirectory(workingDir);
  process.start(program, arguments);
  if (!process.waitForFinished(60000))
    return {-1, QStringLiteral("did not finish")};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAll())};
}

inline TToolRun RunShell(const QString &script, const QString &workingDir)
{
  return RunTool(QStringLiteral("sh"), {QStringLiteral("-c"), script}, workingDir);
}

inline TToolRun RunPython(const QString &script, const QStringList &arguments,
                          const QString &workingDir = {})
{
  return RunTool(QStringLiteral("python3"), QStringList{QStringLiteral("-c"), script} + arguments,
                 workingDir);
}
