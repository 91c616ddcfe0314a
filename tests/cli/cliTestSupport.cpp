#include "tests/cli/cliTestSupport.h"

#include <QFile>
#include <QProcess>

TCliRun RunCli(const QStringList &args, const QProcessEnvironment &environment)
{
  QProcess process;
  if (!environment.isEmpty())
    process.setProcessEnvironment(environment);
  process.start(QStringLiteral(QUILLET_BIN_DIR "/quillet-cli"), args);
  TCliRun run;
  if (!process.waitForStarted(10000) || !process.waitForFinished(120000)) {
    ADD_FAILURE() << "quillet-cli did not start or finish: " << args.join(' ').toStdString();
    process.kill();
    process.waitForFinished();
    return run;
  }
  run.Crashed = process.exitStatus() != QProcess::NormalExit;
  run.ExitCode = process.exitCode();
  run.Out = QString::fromUtf8(process.readAllStandardOutput());
  run.Err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

QByteArray ReadBytes(const QString &fileName)
{
  QFile file(fileName);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
  return file.readAll();
}

void WriteBytes(const QString &fileName, const QByteArray &bytes)
{
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QString CliTest::Generate(const QString &name, int clubs, int persons, int events, int seed)
{
  const QString fileName = Path(name);
  const TCliRun run = RunCli({"generate", fileName, "--clubs", QString::number(clubs), "--persons",
                              QString::number(persons), "--events", QString::number(events),
                              "--seed", QString::number(seed)});
  EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
  return fileName;
}
