#pragma once
// Runs the built quillet-cli in a private folder and reads what it printed.
#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

struct TCliRun
{
  int ExitCode = -1;
  bool Crashed = false;
  QString Out;
  QString Err;
};

// With an environment given, the child gets that one instead of the test's.
TCliRun RunCli(const QStringList &args, const QProcessEnvironment &environment = {});
QByteArray ReadBytes(const QString &fileName);
void WriteBytes(const QString &fileName, const QByteArray &bytes);

class CliTest : public ::testing::Test
{
protected:
  QString Path(const QString &name) const { return FDir.filePath(name); }
  // Generates a meet through the command line and expects success.
  QString Generate(const QString &name, int clubs, int persons, int events, int seed);

private:
  QTemporaryDir FDir;
};
