// Hostile and damaged archives: clear errors, never a crash, a hang, a full disk or wrong
// data. The damaged archives are real ones made by Compress, then changed.
#include "tests/format/zipBomb.h"
#include "tests/format/zipTestSupport.h"

#include <QBuffer>
#include <QDirIterator>
#include <QElapsedTimer>

#include <functional>

namespace {

void PutLe(QByteArray &bytes, qsizetype offset, quint32 value, int width)
{
  for (int i = 0; i < width; ++i)
    bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

quint32 GetLe(const QByteArray &bytes, qsizetype offset, int width)
{
  quint32 value = 0;
  for (int i = width - 1; i >= 0; --i)
    value = value << 8 | uchar(bytes[offset + i]);
  return value;
}

// Offsets of the headers of an archive without extra fields or comments.
struct TLayout
{
  QList<qsizetype> Local;
  QList<qsizetype> Central;
  qsizetype End = 0;
  explicit TLayout(const QByteArray &bytes)
  {
    End = bytes.size() - 22;
    qsizetype central = GetLe(bytes, End + 16, 4);
    for (quint32 i = 0; i < GetLe(bytes, End + 10, 2); ++i) {
      Central << central;
      Local << GetLe(bytes, central + 42, 4);
      central += 46 + GetLe(bytes, central + 28, 2);
    }
  }
};

// The same field in the local header and in the central directory record.
void PutBoth(QByteArray &bytes, int entry, int localOffset, quint32 value, int width)
{
  const TLayout layout(bytes);
  PutLe(bytes, layout.Local[entry] + localOffset, value, width);
  PutLe(bytes, layout.Central[entry] + localOffset + 2, value, width);
}

QStringList FilesBelow(const QString &dir)
{
  QStringList files;
  QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext())
    files << it.next();
  return files;
}

class ZipDamageTest : public ZipFolderTest
{
protected:
  QByteArray First = SampleBytes(1500, 11);
  QByteArray Second = SampleBytes(300, 12);
  QByteArray Intact;

  void SetUp() override
  {
    Intact = ReadBytes(
        CompressFiles(QStringLiteral("intact.zip"),
                      {{QStringLiteral("a1.aqe"), First}, {QStringLiteral("a2.aqe"), Second}}));
    ASSERT_FALSE(Intact.isEmpty());
  }

  // Lists everything and extracts it into outDir; the first failing result, or zrOk.
  int ListAndExtract(const QByteArray &archive, const QString &outDir, TGvkFileList &list)
  {
    QBuffer buffer;
    buffer.setData(archive);
    buffer.open(QIODevice::ReadOnly);
    const int listed = list.ListArchive(buffer, outDir + QStringLiteral("/*"));
    return listed != zrOk ? listed : list.Extract(buffer);
  }
};

struct TDamage
{
  const char *What;
  std::function<void(QByteArray &)> Change;
  const char *Message; // a part of the error text
};

TEST_F(ZipDamageTest, DamagedArchivesGiveClearErrors)
{
  const TDamage damages[] = {
      {"wrong CRC in the central directory",
       [](QByteArray &b) { PutLe(b, TLayout(b).Central[0] + 16, 0x12345678, 4); }, "a1.aqe"},
      {"wrong CRC in both headers", [](QByteArray &b) { PutBoth(b, 0, 14, 0x12345678, 4); }, "CRC"},
      {"uncompressed size too small", [](QByteArray &b) { PutBoth(b, 0, 22, 1499, 4); }, "damaged"},
      {"uncompressed size too large", [](QByteArray &b) { PutBoth(b, 0, 22, 1501, 4); }, "damaged"},
      {"compressed size too small",
       [](QByteArray &b) { PutBoth(b, 0, 18, GetLe(b, 18, 4) / 2, 4); }, "a1.aqe"},
      {"changed data", [](QByteArray &b) { b[TLayout(b).Local[0] + 30 + 6 + 100] ^= char(0x55); },
       "a1.aqe"},
      {"bad local header magic", [](QByteArray &b) { b[TLayout(b).Local[1]] = 'X'; }, "a2.aqe"},
      {"bad central directory magic", [](QByteArray &b) { b[TLayout(b).Central[1] + 1] = 'X'; },
       "damaged"},
      {"bad end record magic", [](QByteArray &b) { b[TLayout(b).End + 2] = 'X'; }, "not a ZIP"},
      {"too many entries counted", [](QByteArray &b) { PutLe(b, TLayout(b).End + 10, 3, 2); }, ""},
      {"central directory elsewhere", [](QByteArray &b) { PutLe(b, TLayout(b).End + 16, 7, 4); },
       ""},
      {"encrypted entry", [](QByteArray &b) { PutBoth(b, 1, 6, 3, 2); }, "encrypted"},
      {"unknown method", [](QByteArray &b) { PutBoth(b, 1, 8, 12, 2); }, "compression method"},
      {"duplicate names",
       [](QByteArray &b) {
         const TLayout layout(b);
         b[layout.Local[1] + 30 + 1] = '1';
         b[layout.Central[1] + 46 + 1] = '1';
       },
       "more than one entry"},
  };
  int n = 0;
  for (const TDamage &damage : damages) {
    QByteArray bytes = Intact;
    damage.Change(bytes);
    ASSERT_NE(bytes, Intact) << damage.What;
    const QString out = Path(QStringLiteral("out%1").arg(++n));
    TGvkFileList list;
    EXPECT_EQ(ListAndExtract(bytes, out, list), zrReadFailed) << damage.What;
    EXPECT_TRUE(list.LastError().contains(QString::fromLatin1(damage.Message)))
        << damage.What << ": " << list.LastError().toStdString();
    EXPECT_FALSE(list.LastError().isEmpty()) << damage.What;
    for (const QString &file : FilesBelow(out)) // only what was sound before the damage
      EXPECT_EQ(ReadBytes(file), file.endsWith(QLatin1String("a1.aqe")) ? First : Second)
          << damage.What;
  }
}

TEST_F(ZipDamageTest, ArchivesCutShortAnywhereGiveAnErrorOrTheWholeData)
{
  for (qsizetype size = 0; size < Intact.size(); ++size) {
    const QString out = Path(QStringLiteral("cut%1").arg(size));
    TGvkFileList list;
    if (ListAndExtract(Intact.left(size), out, list) == zrOk) {
      // Only the end record's last fields are gone: every entry is still sound.
      EXPECT_GT(size, Intact.size() - 22);
      EXPECT_EQ(ReadBytes(out + QStringLiteral("/a1.aqe")), First);
      EXPECT_EQ(ReadBytes(out + QStringLiteral("/a2.aqe")), Second);
    } else {
      EXPECT_FALSE(list.LastError().isEmpty()) << "cut at " << size;
      EXPECT_TRUE(FilesBelow(out).isEmpty()) << "cut at " << size;
    }
  }
}

TEST_F(ZipDamageTest, AnyChangedByteGivesAnErrorOrTheRightData)
{
  for (qsizetype offset = 0; offset < Intact.size(); ++offset) {
    QByteArray bytes = Intact;
    bytes[offset] = char(~bytes[offset]);
    const QString out = Path(QStringLiteral("flip%1").arg(offset));
    TGvkFileList list;
    const int result = ListAndExtract(bytes, out, list);
    EXPECT_EQ(result == zrOk, list.LastError().isEmpty()) << "offset " << offset;
    // A changed name or time may pass; changed contents never do.
    for (const QString &file : FilesBelow(out)) {
      const QByteArray data = ReadBytes(file);
      EXPECT_TRUE(data == First || data == Second) << "offset " << offset;
    }
  }
}

TEST_F(ZipFolderTest, EntriesLeadingOutsideTheFolderAreRefused)
{
  const QStringList names = {
      QStringLiteral("../evil.aqe"),           QStringLiteral("sub/../../evil.aqe"),
      QStringLiteral("/tmp/quillet-evil.aqe"), QStringLiteral("..\\evil.aqe"),
      QStringLiteral("C:/evil.aqe"),           QStringLiteral("..")};
  // One archive per name, evil0.zip, evil1.zip, ...
  const TToolRun made = RunPython(
      QStringLiteral("import sys, zipfile\n"
                     "for i, name in enumerate(sys.argv[2:]):\n"
                     "    with zipfile.ZipFile('%s/evil%d.zip' % (sys.argv[1], i), 'w') as z:\n"
                     "        z.writestr(name, b'evil'); z.writestr('fine.aqe', b'fine')\n"),
      QStringList{Folder.path()} + names);
  ASSERT_EQ(made.ExitCode, 0) << made.Output.toStdString();
  for (int i = 0; i < names.size(); ++i) {
    const QString archive = Path(QStringLiteral("evil%1.zip").arg(i));
    TGvkFileList list;
    ASSERT_EQ(list.ListArchive(archive, Path(QStringLiteral("base/inner/*"))), zrOk);
    EXPECT_EQ(list.Extract(archive), zrReadFailed) << names[i].toStdString();
    EXPECT_TRUE(list.LastError().contains(QStringLiteral("refused"))) << names[i].toStdString();
  }
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("base/evil.aqe"))));
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("evil.aqe"))));
  EXPECT_FALSE(QFile::exists(QStringLiteral("/tmp/quillet-evil.aqe")));
}

TEST_F(ZipFolderTest, EmptyNamesAndFolderEntriesAreNotListed)
{
  const QString archive = Path(QStringLiteral("odd.zip"));
  const TToolRun made =
      RunPython(QStringLiteral("import sys, zipfile\n"
                               "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
                               "    z.writestr(zipfile.ZipInfo(''), b'x')\n"
                               "    z.writestr('folder/', b''); z.writestr('./meet.aqe', b'm')\n"),
                {archive});
  ASSERT_EQ(made.ExitCode, 0) << made.Output.toStdString();
  TGvkFileList list;
  ASSERT_EQ(list.ListArchive(archive, Path(QStringLiteral("out/"))), zrOk);
  EXPECT_EQ(list.Files(), QStringList{QStringLiteral("meet.aqe;1")});
  ASSERT_EQ(list.Extract(archive), zrOk) << list.LastError().toStdString();
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("out/meet.aqe"))), QByteArray("m"));
}

TEST_F(ZipFolderTest, EntriesBeyondTheLimitAreRefusedAndLeaveNothing)
{
  const QByteArray data = SampleBytes(100000, 5);
  const QString archive =
      CompressFiles(QStringLiteral("big.zip"), {{QStringLiteral("big.aqe"), data}});
  TGvkFileList list;
  EXPECT_EQ(list.MaxEntrySize(), qint64(1) << 30);
  ASSERT_EQ(list.ListArchive(archive, Path(QStringLiteral("out/*"))), zrOk);
  list.SetMaxEntrySize(99999);
  EXPECT_EQ(list.Extract(archive), zrReadFailed);
  EXPECT_TRUE(list.LastError().contains(QStringLiteral("too large")));
  EXPECT_TRUE(FilesBelow(Path(QStringLiteral("out"))).isEmpty());
  list.SetMaxEntrySize(100000);
  EXPECT_EQ(list.Extract(archive), zrOk);
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("out/big.aqe"))), data);
}

TEST_F(ZipFolderTest, TheBombGeneratorMakesSoundArchives)
{
  const QString archive = Path(QStringLiteral("small-bomb.zip"));
  WriteZeroBomb(archive, 2);
  const TToolRun unzip = RunTool(QStringLiteral("unzip"), {QStringLiteral("-t"), archive});
  EXPECT_EQ(unzip.ExitCode, 0) << unzip.Output.toStdString();
  TGvkFileList list;
  ASSERT_EQ(list.ListArchive(archive, Path(QStringLiteral("out/*"))), zrOk);
  ASSERT_EQ(list.Extract(archive), zrOk) << list.LastError().toStdString();
  EXPECT_EQ(QFileInfo(Path(QStringLiteral("out/bomb.aqe"))).size(), qint64(32) << 20);
}

TEST_F(ZipFolderTest, AThreeGigabyteEntryIsRefusedAtOnce)
{
  const QString archive = Path(QStringLiteral("bomb.zip"));
  WriteZeroBomb(archive, 192);
  EXPECT_LT(QFileInfo(archive).size(), 8 << 20);
  TGvkFileList list;
  ASSERT_EQ(list.ListArchive(archive, Path(QStringLiteral("out/*.aqe"))), zrOk);
  EXPECT_EQ(list.Files(), QStringList{QStringLiteral("bomb.aqe;3221225472")});
  EXPECT_EQ(list.Extract(archive), zrReadFailed);
  EXPECT_TRUE(list.LastError().contains(QStringLiteral("too large")))
      << list.LastError().toStdString();
  EXPECT_TRUE(FilesBelow(Path(QStringLiteral("out"))).isEmpty());
}

} // namespace
