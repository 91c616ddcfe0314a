#pragma once
// Shared by the zip tests: a private folder per test, file helpers and peer tools.
#include "format/gvkZip.h"
#include "tests/toolRun.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
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
