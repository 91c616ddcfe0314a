#pragma once
// Shared by the zip tests: a private folder per test, file helpers and peer tools.
#include "format/gvkZip.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline void WriteBytes(const QString &fileName, const QByteArray &data)
{
  QDir().mkpath(QFileInfo(fileName).absolutePath());
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << fileName.toStdString();
  ASSERT_EQ(file.write(data), data.size());
}

inline QByteArray ReadBytes(const QString &fileName)
{
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Text-like bytes with some noise: compresses, yet spans several 8192-byte blocks.
inline QByteArray SampleBytes(int size, quint32 seed)
{
  QRandomGenerator random(seed);
  QByteArray data;
  data.reserve(size);
  while (data.size() < size)
    data += random.bounded(4) == 0 ? char(random.bounded(256))
                                   : "<PERSON NAME=\"Smith & Sons\"/>\n"[data.size() % 30];
  return data.left(size);
}

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

class ZipFolderTest : public ::testing::Test
{
protected:
  QTemporaryDir Folder;
  QString Path(const QString &name) const { return Folder.filePath(name); }

  // Writes the files below src/ and packs them with Compress into name.
  QString CompressFiles(const QString &name, const QMap<QString, QByteArray> &files)
  {
    for (auto it = files.begin(); it != files.end(); ++it)
      WriteBytes(Path(QStringLiteral("src/") + it.key()), it.value());
    TGvkFileList list(Path(QStringLiteral("src/*")), true);
    const QString archive = Path(name);
    EXPECT_EQ(list.Compress(archive), zrOk) << list.LastError().toStdString();
    return archive;
  }
};
