// The scrambled container form and the reader's private folder.
#include "tests/format/zipTestSupport.h"

#include "foundation/gvkErrors.h"

#include <QFileInfo>

namespace {

// Points the system temporary directory at a folder of the test, so that leftovers show.
class ZipReaderTest : public ZipFolderTest
{
protected:
  QByteArray SavedTmp = qgetenv("TMPDIR");
  QString Tmp;

  void SetUp() override
  {
    Tmp = Path(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir().mkpath(Tmp));
    qputenv("TMPDIR", QFile::encodeName(Tmp));
  }
  void TearDown() override
  {
    if (SavedTmp.isNull())
      qunsetenv("TMPDIR");
    else
      qputenv("TMPDIR", SavedTmp);
  }
  QStringList Leftovers() const
  {
    return QDir(Tmp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }
};

TEST(ZipScramble, ScramblingTwiceRestoresTheFile)
{
  QTemporaryDir folder;
  const QString name = folder.filePath(QStringLiteral("x.dnf"));
  const QByteArray original = SampleBytes(1500, 9);
  WriteBytes(name, original);
  ScrambleFile(name);
  const QByteArray once = ReadBytes(name);
  ASSERT_EQ(once.size(), 1500);
  // Byte 0 only in the first block, byte 1499 only in the last, byte 600 in both.
  EXPECT_EQ(uchar(once[0]), uchar(original[0]) ^ 255);
  EXPECT_EQ(uchar(once[1499]), uchar(original[1499]) ^ (255 - 1023 % 256));
  EXPECT_EQ(uchar(once[600]), uchar(original[600]) ^ (255 - 600 % 256) ^ (255 - 124 % 256));
  ScrambleFile(name);
  EXPECT_EQ(ReadBytes(name), original);
}

TEST(ZipScramble, ShortAndMissingFilesRaiseFileErrors)
{
  QTemporaryDir folder;
  const QString name = folder.filePath(QStringLiteral("short.dnf"));
  WriteBytes(name, QByteArray("\xAF\xB5", 2) + QByteArray(1021, 'x'));
  EXPECT_TRUE(IsScrambledFile(name));
  EXPECT_THROW(ScrambleFile(name), EGvkFileError);
  EXPECT_EQ(ReadBytes(name).size(), 1023); // left as it was
  EXPECT_THROW(IsScrambledFile(folder.filePath(QStringLiteral("none"))), EGvkFileError);
  EXPECT_THROW(ScrambleFile(folder.filePath(QStringLiteral("none"))), EGvkFileError);
  WriteBytes(name, "\xAF");
  EXPECT_FALSE(IsScrambledFile(name));
}

TEST_F(ZipReaderTest, ReadsAScrambledArchiveInItsPrivateFolder)
{
  const QByteArray meet = SampleBytes(3000, 21);
  // Stored noise keeps the archive above 1024 bytes.
  const QString archive = CompressFiles(QStringLiteral("meet.dnf"),
                                        {{QStringLiteral("sub/meet.aqe"), meet},
                                         {QStringLiteral("noise.bin"), SampleBytes(1500, 22)}});
  ScrambleFile(archive);
  const QByteArray scrambled = ReadBytes(archive);
  ASSERT_EQ(scrambled.left(2), QByteArray("\xAF\xB5", 2));
  {
    TGvkCryptedZipFileReader container(archive);
    EXPECT_TRUE(container.IsScrambled());
    EXPECT_NE(container.FileName(), archive);
    EXPECT_TRUE(container.FileName().startsWith(Tmp));
    EXPECT_TRUE(container.WorkDir().startsWith(Tmp));
    EXPECT_EQ(QFile::permissions(QFileInfo(container.FileName()).absolutePath()) & 0x0077, 0)
        << "private folder";
    TGvkFileList list;
    ASSERT_EQ(list.ListArchive(container.FileName(), container.WorkDir() + QStringLiteral("*.aqe")),
              zrOk)
        << list.LastError().toStdString();
    ASSERT_EQ(list.Count(), 1);
    ASSERT_EQ(list.Extract(container.FileName()), zrOk) << list.LastError().toStdString();
    EXPECT_EQ(ReadBytes(container.WorkDir() + list.Name(0)), meet);
    EXPECT_FALSE(Leftovers().isEmpty());
  }
  EXPECT_TRUE(Leftovers().isEmpty());
  EXPECT_EQ(ReadBytes(archive), scrambled); // the given file is never changed
}

TEST_F(ZipReaderTest, PlainAndMissingFilesAreReadAsGiven)
{
  const QString archive =
      CompressFiles(QStringLiteral("meet.aqz"), {{QStringLiteral("meet.aqe"), "plain"}});
  {
    TGvkCryptedZipFileReader container(archive);
    EXPECT_FALSE(container.IsScrambled());
    EXPECT_EQ(container.FileName(), archive);
    EXPECT_TRUE(QFileInfo(container.WorkDir()).isDir());
    TGvkCryptedZipFileReader missing(Path(QStringLiteral("none.aqz")));
    EXPECT_FALSE(missing.IsScrambled());
    EXPECT_EQ(missing.FileName(), Path(QStringLiteral("none.aqz")));
  }
  EXPECT_TRUE(Leftovers().isEmpty());
}

TEST_F(ZipReaderTest, AShortScrambledFileRaisesAndLeavesNothing)
{
  const QString name = Path(QStringLiteral("short.dnf"));
  WriteBytes(name, QByteArray("\xAF\xB5", 2) + QByteArray(500, 'x'));
  try {
    TGvkCryptedZipFileReader container(name);
    ADD_FAILURE() << "no error";
  } catch (const EGvkFileError &error) {
    EXPECT_FALSE(error.Message().isEmpty());
  }
  EXPECT_TRUE(Leftovers().isEmpty());
}

TEST_F(ZipReaderTest, APlainArchiveMarkedByHandUnscramblesToNoEntries)
{
  const QString archive =
      CompressFiles(QStringLiteral("meet.zip"), {{QStringLiteral("meet.aqe"), SampleBytes(800, 1)},
                                                 {QStringLiteral("b.bin"), SampleBytes(900, 2)}});
  QByteArray bytes = ReadBytes(archive);
  bytes[0] = char(0xAF);
  bytes[1] = char(0xB5);
  WriteBytes(archive, bytes);
  TGvkCryptedZipFileReader container(archive);
  EXPECT_TRUE(container.IsScrambled());
  TGvkFileList list;
  list.ListArchive(container.FileName(), container.WorkDir() + QStringLiteral("*.aqe"));
  EXPECT_EQ(list.Count(), 0);
}

} // namespace
