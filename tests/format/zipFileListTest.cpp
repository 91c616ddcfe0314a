// File lists: masks, disk listing, archive listing, extraction paths, deletion and the
// result codes of Compress and Extract.
#include "tests/format/zipTestSupport.h"

#include "foundation/gvkErrors.h"

#include <QFileInfo>

namespace {

struct TMaskCase
{
  const char *Name;
  const char *Mask;
  bool Matches;
};

TEST(ZipMask, WildcardsMatchWithoutRegardToCase)
{
  const TMaskCase cases[] = {
      {"MEET.AQE", "*.aqe", true},
      {"meet.aqe", "*.aqe", true},
      {"meet.aqe.bak", "*.aqe", false},
      {"meet", "*.*", true},
      {"meet.aqe", "m??t.AQE", true},
      {"meet.aqe", "m?t.aqe", false},
      {"a.b.aqe", "*.aqe", true},
      {".aqe", "*.aqe", true},
      {"x*ba", "*a", true},
      {"abcabd", "*ab?", true},
      {"abc", "a*b*c*d", false},
      {"Überträge.aqe", "übert*", true},
      {"", "*", true},
      {"aqe", "*.aqe", false},
  };
  for (const TMaskCase &c : cases)
    EXPECT_EQ(MatchesFileMask(QString::fromUtf8(c.Name), QString::fromUtf8(c.Mask)), c.Matches)
        << c.Name << " / " << c.Mask;
}

TEST(ZipMask, LongHostileNamesStayFast)
{
  // A backtracking matcher would take ages here.
  EXPECT_FALSE(MatchesFileMask(QString(5000, QLatin1Char('a')),
                               QStringLiteral("*a*a*a*a*a*a*a*a*a*a*a*a*b")));
}

TEST(ZipFileList, NameAndSizeOfLines)
{
  TGvkFileList list;
  list.Files() << QStringLiteral("meet.aqe;1234") << QStringLiteral("sub/x.aqe;")
               << QStringLiteral("odd;name.aqe;7") << QStringLiteral("nosize")
               << QStringLiteral("big.aqe;3221225472");
  ASSERT_EQ(list.Count(), 5);
  EXPECT_EQ(list.Name(0), QStringLiteral("meet.aqe"));
  EXPECT_EQ(list.Size(0), 1234);
  EXPECT_EQ(list.Name(1), QStringLiteral("sub/x.aqe"));
  EXPECT_EQ(list.Size(1), -1);
  EXPECT_EQ(list.Name(2), QStringLiteral("odd;name.aqe"));
  EXPECT_EQ(list.Size(2), 7);
  EXPECT_EQ(list.Name(3), QStringLiteral("nosize"));
  EXPECT_EQ(list.Size(3), -1);
  EXPECT_EQ(list.Size(4), qint64(3) << 30);
}

TEST(ZipFileList, SetBaseDirAddsOneDelimiter)
{
  TGvkFileList list;
  list.SetBaseDir(QStringLiteral("/tmp/a"));
  EXPECT_EQ(list.BaseDir(), QStringLiteral("/tmp/a/"));
  list.SetBaseDir(QStringLiteral("/tmp/a/"));
  EXPECT_EQ(list.BaseDir(), QStringLiteral("/tmp/a/"));
  list.SetBaseDir(QString());
  EXPECT_EQ(list.BaseDir(), QString()); // the current folder, not the root
}

TEST(ZipFiles, TempDirAndForceDirectories)
{
  EXPECT_TRUE(TempDir().endsWith(QLatin1Char('/')));
  EXPECT_TRUE(QFileInfo(TempDir()).isDir());
  QTemporaryDir folder;
  const QString deep = folder.filePath(QStringLiteral("a/b/c"));
  EXPECT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(QFileInfo(deep).isDir());
  EXPECT_TRUE(ForceDirectories(deep)); // existing
  EXPECT_TRUE(ForceDirectories(QString()));
  WriteBytes(folder.filePath(QStringLiteral("file")), "x");
  EXPECT_FALSE(ForceDirectories(folder.filePath(QStringLiteral("file/sub"))));
}

class ZipDiskListTest : public ZipFolderTest
{
protected:
  void SetUp() override
  {
    WriteBytes(Path(QStringLiteral("a.aqe")), "12345");
    WriteBytes(Path(QStringLiteral("b.txt")), "1");
    WriteBytes(Path(QStringLiteral("sub/c.aqe")), "12");
    WriteBytes(Path(QStringLiteral("sub/deeper/D.AQE")), "123");
    WriteBytes(Path(QStringLiteral("z.aqe")), "");
    QDir().mkpath(Path(QStringLiteral("folder.aqe")));
  }
};

TEST_F(ZipDiskListTest, ListsMatchingFilesOfTheFolder)
{
  TGvkFileList list(Path(QStringLiteral("*.aqe")), false);
  EXPECT_EQ(list.BaseDir(), Folder.path() + QLatin1Char('/'));
  EXPECT_EQ(list.Files(), QStringList({QStringLiteral("a.aqe;5"), QStringLiteral("z.aqe;0")}));
}

TEST_F(ZipDiskListTest, RecursesDepthFirst)
{
  TGvkFileList list(Path(QStringLiteral("*.aqe")), true);
  EXPECT_EQ(list.Files(),
            QStringList({QStringLiteral("a.aqe;5"), QStringLiteral("z.aqe;0"),
                         QStringLiteral("sub/c.aqe;2"), QStringLiteral("sub/deeper/D.AQE;3")}));
}

TEST_F(ZipDiskListTest, MissingFolderFindsNothing)
{
  TGvkFileList list(Path(QStringLiteral("nowhere/*.aqe")), true);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ZipDiskListTest, DeleteFilesReportsFilesThatAreNotThere)
{
  TGvkFileList list(Path(QStringLiteral("*.aqe")), true);
  EXPECT_EQ(list.DeleteFiles(), zrOk);
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("sub/deeper/D.AQE"))));
  EXPECT_TRUE(QFile::exists(Path(QStringLiteral("b.txt"))));
  EXPECT_EQ(list.DeleteFiles(), zrDeleteFailed);
  EXPECT_TRUE(list.LastError().contains(QStringLiteral("a.aqe")));
}

TEST_F(ZipFolderTest, ListArchiveMatchesTheNamePartOfEachEntry)
{
  const QString archive =
      CompressFiles(QStringLiteral("meet.zip"), {{QStringLiteral("MEET.AQE"), "1"},
                                                 {QStringLiteral("sub/meet.aqe"), "22"},
                                                 {QStringLiteral("meet.aqe.bak"), "333"},
                                                 {QStringLiteral("notes.txt"), "4444"}});
  TGvkFileList list;
  ASSERT_EQ(list.ListArchive(archive, Path(QStringLiteral("out/*.aqe"))), zrOk);
  EXPECT_EQ(list.BaseDir(), Path(QStringLiteral("out/")));
  EXPECT_EQ(list.Files(),
            QStringList({QStringLiteral("MEET.AQE;1"), QStringLiteral("sub/meet.aqe;2")}));
  ASSERT_EQ(list.ListArchive(archive, Path(QStringLiteral("out/"))), zrOk);
  EXPECT_EQ(list.Count(), 4); // an empty name part lists everything
}

TEST_F(ZipFolderTest, ExtractCreatesSubFoldersAndReplacesFiles)
{
  const QByteArray data = SampleBytes(30000, 1);
  const QString archive =
      CompressFiles(QStringLiteral("meet.zip"), {{QStringLiteral("sub/meet.aqe"), data}});
  WriteBytes(Path(QStringLiteral("out/sub/meet.aqe")), "old contents");
  TGvkFileList list;
  ASSERT_EQ(list.ListArchive(archive, Path(QStringLiteral("out/*.aqe"))), zrOk);
  ASSERT_EQ(list.Extract(archive), zrOk) << list.LastError().toStdString();
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("out/sub/meet.aqe"))), data);
  EXPECT_EQ(QDir(Path(QStringLiteral("out/sub"))).entryList(QDir::Files),
            QStringList{QStringLiteral("meet.aqe")}); // no temporary file left beside it
}

TEST_F(ZipFolderTest, ExtractFindsEntriesWithoutRegardToCaseAndSkipsMissingOnes)
{
  const QString archive =
      CompressFiles(QStringLiteral("meet.zip"), {{QStringLiteral("Meet.AQE"), "data"}});
  TGvkFileList list;
  list.SetBaseDir(Path(QStringLiteral("out")));
  list.Files() << QStringLiteral("meet.aqe;4") << QStringLiteral("absent.aqe;1");
  ASSERT_EQ(list.Extract(archive), zrOk) << list.LastError().toStdString();
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("out/meet.aqe"))), QByteArray("data"));
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("out/absent.aqe"))));
}

TEST_F(ZipFolderTest, CallbacksSeeEachFileAndCanStop)
{
  WriteBytes(Path(QStringLiteral("src/a.aqe")), "aaa");
  WriteBytes(Path(QStringLiteral("src/b.aqe")), "bb");
  TGvkFileList list(Path(QStringLiteral("src/*")), false);
  QStringList seen;
  int marker = 0;
  const auto record = [&](void *userData, const QString &path, qint64 size) {
    EXPECT_EQ(userData, &marker);
    seen << QStringLiteral("%1=%2").arg(path).arg(size);
    return false;
  };
  const QString archive = Path(QStringLiteral("ab.zip"));
  ASSERT_EQ(list.Compress(archive, record, &marker), zrOk);
  EXPECT_EQ(seen, QStringList({QStringLiteral("a.aqe=3"), QStringLiteral("b.aqe=2")}));

  const auto stop = [](void *, const QString &, qint64) { return true; };
  EXPECT_EQ(list.Compress(Path(QStringLiteral("stopped.zip")), stop), zrStopped);
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("stopped.zip"))));

  seen.clear();
  list.SetBaseDir(Path(QStringLiteral("out")));
  ASSERT_EQ(list.Extract(archive, record, &marker), zrOk);
  EXPECT_EQ(seen, QStringList({QStringLiteral("a.aqe=3"), QStringLiteral("b.aqe=2")}));
  EXPECT_EQ(list.Extract(Path(QStringLiteral("ab.zip")), stop), zrStopped);
}

TEST_F(ZipFolderTest, CompressFailuresAreReportedAndKeepThePreviousArchive)
{
  WriteBytes(Path(QStringLiteral("src/a.aqe")), "aaa");
  TGvkFileList list(Path(QStringLiteral("src/*")), false);
  EXPECT_EQ(list.Compress(Path(QStringLiteral("missing/folder/a.zip"))), zrWriteFailed);
  EXPECT_FALSE(list.LastError().isEmpty());

  const QString archive = Path(QStringLiteral("previous.zip"));
  WriteBytes(archive, "previous archive");
  list.Files() << QStringLiteral("gone.aqe;1");
  EXPECT_EQ(list.Compress(archive), zrWriteFailed);
  EXPECT_TRUE(list.LastError().contains(QStringLiteral("gone.aqe")));
  EXPECT_EQ(ReadBytes(archive), QByteArray("previous archive"));
  EXPECT_EQ(QDir(Folder.path()).entryList(QDir::Files),
            QStringList{QStringLiteral("previous.zip")});
}

TEST_F(ZipFolderTest, OpeningFailuresAreReported)
{
  TGvkFileList list;
  EXPECT_EQ(list.ListArchive(Path(QStringLiteral("none.zip")), Path(QStringLiteral("*"))),
            zrReadFailed);
  EXPECT_TRUE(list.LastError().contains(QStringLiteral("none.zip")));
  list.Files() << QStringLiteral("a;1");
  EXPECT_EQ(list.Extract(Path(QStringLiteral("none.zip"))), zrReadFailed);
  WriteBytes(Path(QStringLiteral("text.zip")), "just some text, no archive");
  EXPECT_EQ(list.ListArchive(Path(QStringLiteral("text.zip")), Path(QStringLiteral("*"))),
            zrReadFailed);
  EXPECT_EQ(list.Count(), 0);
}

} // namespace
