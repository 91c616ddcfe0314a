// Other ZIP programs read what Compress writes, and their archives are read byte for byte.
#include "tests/format/zipTestSupport.h"

namespace {

// Prints the test result and the header fields of every entry.
const char *const DescribeArchive = R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
print('test', z.testzip(), 'comment', len(z.comment))
for i in z.infolist():
    print(i.filename, i.flag_bits, i.extract_version, i.create_version, i.create_system,
          i.compress_type, len(i.extra), len(i.comment), i.external_attr, i.file_size,
          z.read(i.filename) == open(sys.argv[2] + '/' + i.filename, 'rb').read())
)";

TEST_F(ZipFolderTest, PeersReadWhatCompressWrites)
{
  const QByteArray meet = SampleBytes(50000, 7);
  const QString archive = CompressFiles(
      QStringLiteral("Meldung.aqz"),
      {{QStringLiteral("Meldung.aqe"), meet}, {QStringLiteral("sub/empty.aqe"), QByteArray()}});
  const TToolRun unzip = RunTool(QStringLiteral("unzip"), {QStringLiteral("-t"), archive});
  EXPECT_EQ(unzip.ExitCode, 0) << unzip.Output.toStdString();

  const TToolRun python =
      RunPython(QString::fromLatin1(DescribeArchive), {archive, Path(QStringLiteral("src"))});
  ASSERT_EQ(python.ExitCode, 0) << python.Output.toStdString();
  // Deflated at maximum compression (flags 2), version 2.0 needed, made by 0, no extra
  // fields, comments or data descriptors, attributes 0.
  EXPECT_EQ(python.Output, QStringLiteral("test None comment 0\n"
                                          "Meldung.aqe 2 20 0 0 8 0 0 0 50000 True\n"
                                          "sub/empty.aqe 2 20 0 0 8 0 0 0 0 True\n"));
  // The local header carries the real CRC and sizes (patched after the data).
  const QByteArray bytes = ReadBytes(archive);
  ASSERT_GT(bytes.size(), 30);
  EXPECT_EQ(bytes.left(4), QByteArray("PK\x03\x04", 4));
  EXPECT_EQ(bytes.mid(6, 2), QByteArray("\x02\x00", 2));
  EXPECT_NE(bytes.mid(14, 4), QByteArray(4, '\0'));
  EXPECT_EQ(bytes.mid(28, 2), QByteArray(2, '\0'));
}

TEST_F(ZipFolderTest, EntryTimeIsTheSourceFileTime)
{
  WriteBytes(Path(QStringLiteral("src/meet.aqe")), "x");
  QFile source(Path(QStringLiteral("src/meet.aqe")));
  ASSERT_TRUE(source.open(QIODevice::ReadWrite));
  ASSERT_TRUE(source.setFileTime(QDateTime(QDate(2019, 3, 7), QTime(14, 25, 36)),
                                 QFileDevice::FileModificationTime));
  source.close();
  TGvkFileList list(Path(QStringLiteral("src/meet.aqe")), false);
  ASSERT_EQ(list.Compress(Path(QStringLiteral("t.zip"))), zrOk);
  const TToolRun python =
      RunPython(QStringLiteral("import sys, zipfile\n"
                               "print(zipfile.ZipFile(sys.argv[1]).infolist()[0].date_time)"),
                {Path(QStringLiteral("t.zip"))});
  EXPECT_EQ(python.Output.trimmed(), QStringLiteral("(2019, 3, 7, 14, 25, 36)"));
}

TEST_F(ZipFolderTest, NonAsciiNamesTravelAsUtf8)
{
  const QString name = QStringLiteral("Überträge.aqe");
  const QString archive = CompressFiles(QStringLiteral("u.zip"), {{name, "data"}});
  const TToolRun python = RunPython(
      QStringLiteral("import sys, zipfile\n"
                     "print(zipfile.ZipFile(sys.argv[1]).namelist()[0] == 'Überträge.aqe')"),
      {archive});
  EXPECT_EQ(python.Output.trimmed(), QStringLiteral("True")) << python.Output.toStdString();
  TGvkFileList list;
  ASSERT_EQ(list.ListArchive(archive, Path(QStringLiteral("out/*.aqe"))), zrOk);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Name(0), name);
}

struct TPeerCase
{
  const char *Maker;
  const char *Script; // run in src/, writes ../peer.zip
  bool Python;
};

// Python writing to a stream that cannot seek uses data descriptors.
const char *const PythonStream = R"(
import io, zipfile
class Stream(io.RawIOBase):
    def __init__(self, f): self.f = f
    def writable(self): return True
    def write(self, b): return self.f.write(b)
with open('../peer.zip', 'wb') as f:
    with zipfile.ZipFile(Stream(f), 'w', zipfile.ZIP_DEFLATED) as z:
        z.write('meet.aqe'); z.write('sub/inner.aqe')
)";

class ZipPeerArchiveTest : public ZipFolderTest, public ::testing::WithParamInterface<TPeerCase>
{
};

TEST_P(ZipPeerArchiveTest, ListsAndExtractsByteForByte)
{
  const TPeerCase &peer = GetParam();
  const QByteArray meet = SampleBytes(40000, 3);
  const QByteArray inner = SampleBytes(5000, 4);
  WriteBytes(Path(QStringLiteral("src/meet.aqe")), meet);
  WriteBytes(Path(QStringLiteral("src/sub/inner.aqe")), inner);
  const TToolRun made = peer.Python ? RunPython(QString::fromLatin1(peer.Script), {}, Path("src"))
                                    : RunShell(QString::fromLatin1(peer.Script), Path("src"));
  ASSERT_EQ(made.ExitCode, 0) << made.Output.toStdString();

  TGvkFileList list;
  const QString archive = Path(QStringLiteral("peer.zip"));
  ASSERT_EQ(list.ListArchive(archive, Path(QStringLiteral("out/*.aqe"))), zrOk)
      << list.LastError().toStdString();
  QStringList lines = list.Files();
  lines.sort();
  EXPECT_EQ(lines,
            QStringList({QStringLiteral("meet.aqe;40000"), QStringLiteral("sub/inner.aqe;5000")}));
  ASSERT_EQ(list.Extract(archive), zrOk) << list.LastError().toStdString();
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("out/meet.aqe"))), meet);
  EXPECT_EQ(ReadBytes(Path(QStringLiteral("out/sub/inner.aqe"))), inner);
}

INSTANTIATE_TEST_SUITE_P(
    Peers, ZipPeerArchiveTest,
    ::testing::Values(
        TPeerCase{"zip -9", "zip -q -9 -r ../peer.zip meet.aqe sub", false},
        TPeerCase{"zip stored", "zip -q -0 -r ../peer.zip meet.aqe sub", false},
        TPeerCase{"zip to a pipe", "zip -q -9 -r - meet.aqe sub | cat > ../peer.zip", false},
        TPeerCase{"zip from stdin",
                  "zip -q -9 -fz- ../peer.zip sub/inner.aqe && "
                  "cat meet.aqe | zip -q -9 -fz- ../peer.zip - && "
                  "printf '@ -\\n@=meet.aqe\\n' | zipnote -w ../peer.zip",
                  false},
        TPeerCase{"python deflated",
                  "import zipfile\n"
                  "with zipfile.ZipFile('../peer.zip', 'w', zipfile.ZIP_DEFLATED) as z:\n"
                  "    z.write('meet.aqe'); z.write('sub/inner.aqe')\n",
                  true},
        TPeerCase{"python stored",
                  "import zipfile\n"
                  "with zipfile.ZipFile('../peer.zip', 'w', zipfile.ZIP_STORED) as z:\n"
                  "    z.write('meet.aqe'); z.write('sub/inner.aqe')\n",
                  true},
        TPeerCase{"python to a stream", PythonStream, true}),
    [](const ::testing::TestParamInfo<TPeerCase> &info) {
      std::string name = info.param.Maker;
      for (char &c : name)
        if (!isalnum(uchar(c)))
          c = '_';
      return name;
    });

} // namespace
