#include "format/aqnWriter.h"
#include "format/aquon.h"
#include "format/gvkZip.h"
#include "foundation/gvkErrors.h"
#include "tests/format/readerTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A device of the test that forwards to a real file and fails (or ends the process) at the
// n-th write counted over every device of one save; 0 never fails, so it only counts.
class TFailingDevice : public QIODevice
{
public:
  enum TFailure
  {
    ReportError,
    EndProcess
  };

  TFailingDevice(QIODevice &target, int &writes, int failAt, TFailure failure)
      : FTarget(target), FWrites(writes), FFailAt(failAt), FFailure(failure)
  {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  }

protected:
  qint64 readData(char *, qint64) override { return -1; }
  qint64 writeData(const char *data, qint64 size) override
  {
    if (++FWrites == FFailAt) {
      if (FFailure == EndProcess)
        _exit(3); // as if the program died here
      setErrorString(QStringLiteral("No space left on device"));
      return -1;
    }
    return FTarget.write(data, size);
  }

private:
  QIODevice &FTarget;
  int &FWrites;
  int FFailAt;
  TFailure FFailure;
};

TAqnOutputFilter FailingAt(int &writes, int failAt,
                           TFailingDevice::TFailure failure = TFailingDevice::ReportError)
{
  return [&writes, failAt, failure](QIODevice &file) {
    return std::make_unique<TFailingDevice>(file, writes, failAt, failure);
  };
}

QByteArray ReadFile(const QString &name)
{
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString &name, const QByteArray &bytes)
{
  QFile file(name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList FolderEntries(const QString &dir)
{
  return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList XmlLines(TAqnAbstractElement &element)
{
  QStringList lines;
  element.WriteXml(lines);
  return lines;
}

// A small meet with special characters, non-Latin names, attributes and empty values.
const char *const MeetText = R"(<?xml version="1.0" encoding="UTF-8"?>
<AQUON>
<VERSION>01.03.0007</VERSION>
<CONSTRUCTOR><NAME>Quillet</NAME><VERSION>1.0</VERSION></CONSTRUCTOR>
<COMPETITIONS>
<COMPETITION id="1">
<NAME>Smith &amp; Sons &lt;Cup&gt; "2026" 'open'</NAME>
<PLACE>Łódź</PLACE>
<PERIODS><PERIOD id="1"><DATE>20260510</DATE><EVENTS>
<EVENT id="3"><NUM>1</NUM><DIS>100</DIS><STR>FR</STR><FEE currency="EUR">500</FEE></EVENT>
</EVENTS></PERIOD><PERIOD id="2"></PERIOD></PERIODS>
<CLUBS><CLUB id="4" nation="A&quot;B&amp;C">
<NAME>Αθήνα Κολύμβηση</NAME><CODE>0</CODE><LSC></LSC>
<PERSONS><PERSON id="7"><NAME>Müller-Lüdenscheidt</NAME><FNAME lang="de">Jürgen</FNAME>
<YOB>1996</YOB><ENTRIES><ENTRY><EID>3</EID><TIME>E00h01:05.37</TIME></ENTRY></ENTRIES>
</PERSON></PERSONS>
<RELAYS><RELAY id="9"><NUM>1</NUM><NAME>Zürich € 🏊</NAME></RELAY></RELAYS>
</CLUB></CLUBS>
</COMPETITION>
</COMPETITIONS>
</AQUON>
)";

std::unique_ptr<TAquon> LoadedMeet()
{
  std::unique_ptr<TAquon> document = LoadBytes(QByteArray(MeetText));
  EXPECT_TRUE(document->Errors().isEmpty()) << document->Errors().join('\n').toStdString();
  return document;
}

class Writer : public ::testing::Test
{
protected:
  void SetUp() override { ASSERT_TRUE(FDir.isValid()); }
  QString Path(const QString &name) const { return FDir.filePath(name); }

  // The plain text inside a container, extracted by the zip layer.
  QByteArray EntryText(const QString &container, QString *entryName = nullptr)
  {
    QTemporaryDir out;
    TGvkFileList list;
    EXPECT_EQ(list.ListArchive(container, out.path() + QStringLiteral("/*.*")), zrOk);
    EXPECT_EQ(list.Count(), 1);
    if (list.Count() != 1)
      return {};
    EXPECT_EQ(list.Extract(container), zrOk) << list.LastError().toStdString();
    if (entryName)
      *entryName = list.Name(0);
    return ReadFile(out.filePath(list.Name(0)));
  }

  QTemporaryDir FDir;
};

TEST(WriterNames, ExtensionsAndEntryNames)
{
  struct Case
  {
    const char *FileName;
    int Format;
    const char *Written;
  };
  const Case cases[] = {
      {"/d/meet.xml", AqnPlainFile, "/d/meet.aqe"},
      {"/d/meet.aqz", AqnPlainFile, "/d/meet.aqe"},
      {"/d/meet", AqnPlainFile, "/d/meet.aqe"},
      {"/d.x/meet", AqnPlainFile, "/d.x/meet.aqe"},
      {"/d/a.b.xml", AqnPlainFile, "/d/a.b.aqe"},
      {"/d/meet.xml", AqnZippedFile, "/d/meet.aqz"},
      {"/d/meet.aqe", AqnBaseDataFile, "/d/meet.aqb"},
      {"/d/meet", AqnZippedFile, "/d/meet.aqz"},
  };
  for (const Case &c : cases) {
    const QString name = QString::fromUtf8(c.FileName);
    EXPECT_EQ(c.Format == AqnPlainFile ? AquonPlainName(name) : AquonContainerName(name, c.Format),
              QString::fromUtf8(c.Written))
        << c.FileName;
  }
  const std::pair<const char *, const char *> entries[] = {
      {"Meldung Köln.aqe", "MeldungKoeln.aqe"},
      {"Café Zürich 2026.aqe", "CafeZuerich2026.aqe"},
      {"ÄÖÜ äöü.aqe", "AEOEUEaeoeue.aqe"},
      {"Meet 東京.aqe", "Meet.aqe"},
      {"plain.aqe", "plain.aqe"},
  };
  for (const auto &[plain, entry] : entries)
    EXPECT_EQ(AquonEntryName(QString::fromUtf8(plain)), QString::fromUtf8(entry)) << plain;
}

TEST(WriterText, LatinOneBytesWithReferencesAndCrLf)
{
  TAqnObject root(aqtAQUON);
  root.SetText(aqtVERSION, QStringLiteral("01.03.0007"));
  auto *clubs = root.Add(std::make_unique<TAqnCollection>(aqtCLUBS));
  TAqnObject *club = clubs->AddNew();
  club->SetAttribute(aqaNATION, QStringLiteral("A\"B"));
  club->Id = 3;
  club->SetText(aqtNAME, QStringLiteral(u"Łódź & Αθήνα <x>"));
  club->SetText(aqtCODE, QStringLiteral("0"));
  club->SetText(aqtPLACE, QStringLiteral(u"Müller € \u0085 \U0001F3CA"));
  club->SetText(aqtLSC, QString());

  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  SaveAquonFile(root, buffer, QStringLiteral("buffer"));
  EXPECT_EQ(buffer.data(),
            QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                       "<AQUON>\r\n"
                       " <VERSION>01.03.0007</VERSION>\r\n"
                       " <CLUBS>\r\n"
                       "  <CLUB nation=\"A&quot;B\" id=\"3\">\r\n"
                       "   <NAME>&#321;\xF3"
                       "d&#378; &amp; &#913;&#952;&#942;&#957;&#945; &lt;x&gt;</NAME>\r\n"
                       "   <PLACE>M\xFCller &#8364; &#133; &#127946;</PLACE>\r\n"
                       "  </CLUB>\r\n"
                       " </CLUBS>\r\n"
                       "</AQUON>\r\n"));
  // The empty values went from the tree itself.
  EXPECT_FALSE(club->HasChild(aqtCODE));
  EXPECT_FALSE(club->HasChild(aqtLSC));

  // Well-formed for any XML reader, with the texts intact.
  QXmlStreamReader xml(buffer.data());
  QStringList texts;
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::StartElement &&
        (xml.name() == QLatin1String("NAME") || xml.name() == QLatin1String("PLACE")))
      texts.append(xml.readElementText());
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(texts, QStringList({QStringLiteral(u"Łódź & Αθήνα <x>"),
                                QStringLiteral(u"Müller € \u0085 \U0001F3CA")}));
}

TEST(WriterText, CharactersBeyondLatinOneBecomeReferences)
{
  const std::pair<QString, QByteArray> cases[] = {
      {QStringLiteral("plain <&>"), "plain <&>"},
      {QString(QChar(0x7F)), "\x7F"},
      {QString(QChar(0x80)), "&#128;"}, // windows-1252 readers would take the byte for "€"
      {QString(QChar(0x9F)), "&#159;"},
      {QString(QChar(0xA0)), "\xA0"},
      {QString(QChar(0xFF)), "\xFF"},
      {QString(QChar(0x100)), "&#256;"},
      {QStringLiteral(u"\U0001F3CA!"), "&#127946;!"},           // one reference for the pair
      {QString(QChar(0xD83C)) + QLatin1Char('x'), "&#65533;x"}, // a lone half
      {QLatin1Char('x') + QString(QChar(0xDFCA)), "x&#65533;"},
  };
  for (const auto &[text, bytes] : cases) {
    QByteArray out("> ");
    AppendAquonLine(out, text);
    EXPECT_EQ(out, "> " + bytes) << text.toStdString();
  }
}

TEST_F(Writer, SavesEveryFormatUnderItsNames)
{
  struct Case
  {
    const char *Given;
    int Format;
    const char *Written;
    const char *Entry; // empty for a plain file
  };
  const Case cases[] = {
      {"meet.xml", AqnPlainFile, "meet.aqe", ""},
      {"Meldung Köln.aqz", AqnPlainFile, "Meldung Köln.aqe", ""},
      {"Meldung Köln-Süd.xml", AqnZippedFile, "Meldung Köln-Süd.aqz", "MeldungKoeln-Sued.aqe"},
      {"clubs.aqe", AqnBaseDataFile, "clubs.aqb", "clubs.aqe"},
      {"Café Zürich 2026.aqz", AqnZippedFile, "Café Zürich 2026.aqz", "CafeZuerich2026.aqe"},
  };
  for (const Case &c : cases) {
    QTemporaryDir dir;
    const std::unique_ptr<TAquon> document = LoadedMeet();
    const QString written =
        SaveAquonFile(*document->Root(), dir.filePath(QString::fromUtf8(c.Given)), c.Format);
    EXPECT_EQ(written, dir.filePath(QString::fromUtf8(c.Written))) << c.Given;
    EXPECT_EQ(FolderEntries(dir.path()), QStringList(QString::fromUtf8(c.Written))) << c.Given;

    QByteArray text = ReadFile(written);
    if (*c.Entry) {
      QString entry;
      text = EntryText(written, &entry);
      EXPECT_EQ(entry, QString::fromUtf8(c.Entry)) << c.Given;
    }
    EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<AQUON>\r\n"))
        << c.Given;
    const std::unique_ptr<TAquon> again = LoadBytes(text);
    ASSERT_TRUE(again->Root()) << c.Given;
    EXPECT_EQ(XmlLines(*again->Root()), XmlLines(*document->Root())) << c.Given;
    // The reader takes the written file back, container or not.
    TAquon loaded;
    loaded.LoadFromFile(written);
    ASSERT_TRUE(loaded.Root()) << loaded.Errors().join('\n').toStdString();
    EXPECT_TRUE(loaded.Errors().isEmpty()) << loaded.Errors().join('\n').toStdString();
    EXPECT_EQ(XmlLines(*loaded.Root()), XmlLines(*document->Root())) << c.Given;
  }
}

TEST_F(Writer, FileInformationNamesTheScrambledFormat)
{
  TAquon document;
  document.NewDocument(QStringLiteral("Quillet"), QStringLiteral("1.0.0.0"));
  // Big enough an archive to be scrambled (at least 1024 bytes).
  auto *clubs = document.Root()->Add(std::make_unique<TAqnCollection>(aqtCLUBS));
  for (int i = 0; i < 200; ++i)
    clubs->AddNew()->SetText(aqtNAME, QStringLiteral("Club %1 %2").arg(i).arg(i * 7919 % 1000));
  const QString zipped =
      SaveAquonFile(*document.Root(), Path(QStringLiteral("old.aqe")), AqnZippedFile);
  ASSERT_GE(QFileInfo(zipped).size(), 1024);
  ScrambleFile(zipped);
  const QString scrambled = Path(QStringLiteral("old.dnf"));
  ASSERT_TRUE(QFile::rename(zipped, scrambled));

  TAquon loaded;
  loaded.LoadFromFile(scrambled);
  ASSERT_TRUE(loaded.Root()) << loaded.Errors().join('\n').toStdString();
  EXPECT_TRUE(loaded.IsDunelle());
  EXPECT_EQ(loaded.FileInfoText(),
            QStringLiteral("Dunelle Format, created with :\r\nQuillet, version 1.0.0.0"));
  loaded.LoadFromFile(Path(QStringLiteral("missing.aqe")));
  EXPECT_FALSE(loaded.IsDunelle());
}

TEST_F(Writer, RoundTripKeepsEveryElementValueAndAttribute)
{
  const std::unique_ptr<TAquon> document = LoadedMeet();
  const QStringList loaded = XmlLines(*document->Root());
  const QString name = SaveAquonFile(*document->Root(), Path(QStringLiteral("meet.aqe")), 0);

  TAquon again;
  again.LoadFromFile(name);
  ASSERT_TRUE(again.Root());
  EXPECT_TRUE(again.Errors().isEmpty()) << again.Errors().join('\n').toStdString();
  EXPECT_TRUE(again.Warnings().isEmpty()) << again.Warnings().join('\n').toStdString();
  EXPECT_EQ(again.FileName(), QStringLiteral("meet.aqe"));
  // Only the empty values (CODE "0" and LSC "") are gone.
  QStringList expected = loaded;
  expected.removeIf([](const QString &line) {
    return line.contains(QLatin1String("<CODE>")) || line.contains(QLatin1String("<LSC>"));
  });
  EXPECT_EQ(XmlLines(*again.Root()), expected);

  again.BuildIndex();
  again.SelectCompetition(0);
  TAqnObject *competition = again.Competition();
  ASSERT_TRUE(competition);
  EXPECT_EQ(competition->GetText(aqtNAME), QStringLiteral("Smith & Sons <Cup> \"2026\" 'open'"));
  EXPECT_EQ(competition->GetText(aqtPLACE), QStringLiteral(u"Łódź"));
  TAqnObject *person = again.PersonById(7);
  ASSERT_TRUE(person);
  EXPECT_EQ(person->GetText(aqtNAME), QStringLiteral(u"Müller-Lüdenscheidt"));
  EXPECT_EQ(person->FindChild(aqtFNAME)->GetUnknownAttribute(QStringLiteral("lang")),
            QStringLiteral("de"));
  auto *club = dynamic_cast<TAqnObject *>(person->Parent()->Parent());
  ASSERT_TRUE(club);
  EXPECT_EQ(club->GetAttribute(aqaNATION), QStringLiteral("A\"B&C"));
  EXPECT_EQ(club->GetText(aqtNAME), QStringLiteral(u"Αθήνα Κολύμβηση"));
  EXPECT_EQ(FirstElement(club, aqtRELAY)->AsObject()->GetText(aqtNAME),
            QStringLiteral(u"Zürich € \U0001F3CA"));
  EXPECT_EQ(again.EventById(3)->FindChild(aqtFEE)->GetAttribute(aqaCURRENCY),
            QStringLiteral("EUR"));
}

TEST_F(Writer, DefaultsAreWrittenLastAndEmptyDatesDropped)
{
  std::unique_ptr<TAquon> document = LoadBytes(
      "<AQUON><COMPETITIONS><COMPETITION><NAME>Cup</NAME><PERIODS><PERIOD><EVENTS>"
      "<EVENT id=\"1\"><DISCNT>0</DISCNT><STR>FR</STR></EVENT></EVENTS></PERIOD></PERIODS>"
      "</COMPETITION></COMPETITIONS></AQUON>");
  document->BuildIndex();
  document->SelectCompetition(0);
  EXPECT_EQ(document->CompetitionYear(), 0);
  ASSERT_TRUE(FirstElement(document->Root(), aqtDATE)); // created by the selection

  const QString name = SaveAquonFile(*document->Root(), Path(QStringLiteral("cup.aqe")), 0);
  const QByteArray text = ReadFile(name);
  EXPECT_FALSE(text.contains("<DATE>"));
  EXPECT_TRUE(text.contains("  <COMPETITION>\r\n"
                            "   <NAME>Cup</NAME>\r\n"
                            "   <PERIODS>\r\n"
                            "    <PERIOD>\r\n"
                            "     <EVENTS>\r\n"
                            "      <EVENT id=\"1\">\r\n"
                            "       <DISCNT>1</DISCNT>\r\n"
                            "       <STR>FR</STR>\r\n"
                            "       <SEX>X</SEX>\r\n"
                            "       <TYPE>TIM</TYPE>\r\n"
                            "      </EVENT>\r\n"
                            "     </EVENTS>\r\n"
                            "    </PERIOD>\r\n"
                            "   </PERIODS>\r\n"
                            "   <PL>50</PL>\r\n"
                            "   <PM>m</PM>\r\n"
                            "   <TI>A</TI>\r\n"
                            "  </COMPETITION>\r\n"))
      << text.toStdString();
}

// ---- Atomic saves

class AtomicSave : public Writer, public ::testing::WithParamInterface<int>
{
protected:
  void SetUp() override
  {
    Writer::SetUp();
    const QString given = Path(QStringLiteral("meet.xml"));
    FTarget =
        GetParam() == AqnPlainFile ? AquonPlainName(given) : AquonContainerName(given, GetParam());
    WriteFile(FTarget, FPrevious);
  }

  // Saves the sample meet; the filter sees every file the save writes.
  QString Save(const TAqnOutputFilter &filter = {})
  {
    const std::unique_ptr<TAquon> document = LoadedMeet();
    return SaveAquonFile(*document->Root(), Path(QStringLiteral("meet.xml")), GetParam(), filter);
  }

  // The Aquon text of the target (archives differ in their entry times).
  QByteArray SavedText()
  {
    return GetParam() == AqnPlainFile ? ReadFile(FTarget) : EntryText(FTarget);
  }

  void ExpectPreviousIntact(const std::string &context)
  {
    EXPECT_EQ(ReadFile(FTarget), FPrevious) << context;
  }

  QString FTarget;
  const QByteArray FPrevious = QByteArray("previous content\r\n\xFF\x00 end", 24);
};

TEST_P(AtomicSave, FailingAtEveryWriteKeepsThePreviousFile)
{
  int writes = 0;
  EXPECT_EQ(Save(FailingAt(writes, 0)), FTarget);
  const QByteArray complete = SavedText();
  const int total = writes;
  ASSERT_GT(total, 10); // one write per line at least
  WriteFile(FTarget, FPrevious);

  for (int failAt = 1; failAt <= total; ++failAt) {
    writes = 0;
    try {
      Save(FailingAt(writes, failAt));
      ADD_FAILURE() << "no error at write " << failAt;
    } catch (const EGvkFileError &error) {
      EXPECT_TRUE(error.Message().contains(QDir::toNativeSeparators(FTarget)))
          << error.Message().toStdString();
      EXPECT_TRUE(error.Message().contains(QLatin1String("No space left on device")))
          << error.Message().toStdString();
    }
    ExpectPreviousIntact("write " + std::to_string(failAt));
    EXPECT_EQ(FolderEntries(FDir.path()), QStringList(QFileInfo(FTarget).fileName()))
        << "write " << failAt;
  }
  writes = 0;
  Save(FailingAt(writes, total + 1));
  EXPECT_EQ(SavedText(), complete);
}

TEST_P(AtomicSave, ProgramEndingMidwayKeepsThePreviousFile)
{
  int writes = 0;
  Save(FailingAt(writes, 0));
  WriteFile(FTarget, FPrevious);
  for (const int endAt : {1, writes / 2, writes}) {
    fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // What a dying save leaves behind stays inside the test's folder.
      qputenv("TMPDIR", QFile::encodeName(FDir.path()));
      int childWrites = 0;
      try {
        Save(FailingAt(childWrites, endAt, TFailingDevice::EndProcess));
      } catch (...) {
      }
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << "write " << endAt;
    ExpectPreviousIntact("ended at write " + std::to_string(endAt));
  }
}

// Checks file permissions as an ordinary user would meet them, also when the tests run as
// root (whose file system rights are dropped with its file system user id).
class TUnprivileged
{
public:
  TUnprivileged()
  {
    if (geteuid() == 0)
      setfsuid(65534);
  }
  ~TUnprivileged()
  {
    if (geteuid() == 0)
      setfsuid(0);
  }
};

TEST_P(AtomicSave, ReadOnlyFolderRaisesAndKeepsThePreviousFile)
{
  ASSERT_EQ(chmod(QFile::encodeName(FDir.path()).constData(), 0555), 0);
  try {
    TUnprivileged user;
    Save();
    ADD_FAILURE() << "no error";
  } catch (const EGvkFileError &error) {
    EXPECT_TRUE(error.Message().contains(QDir::toNativeSeparators(FTarget)))
        << error.Message().toStdString();
  }
  chmod(QFile::encodeName(FDir.path()).constData(), 0700);
  ExpectPreviousIntact("read-only folder");
  EXPECT_EQ(FolderEntries(FDir.path()), QStringList(QFileInfo(FTarget).fileName()));
}

TEST_P(AtomicSave, TargetThatCannotBeReplacedRaises)
{
  // A folder in the target's place: the rename into place fails.
  QFile::remove(FTarget);
  ASSERT_TRUE(QDir().mkpath(FTarget + QStringLiteral("/inside")));
  EXPECT_THROW(Save(), EGvkFileError);
  EXPECT_TRUE(QFileInfo(FTarget + QStringLiteral("/inside")).isDir());
  // A missing folder.
  const std::unique_ptr<TAquon> document = LoadedMeet();
  EXPECT_THROW(SaveAquonFile(*document->Root(), Path(QStringLiteral("none/meet.xml")), GetParam()),
               EGvkFileError);
}

INSTANTIATE_TEST_SUITE_P(Formats, AtomicSave,
                         ::testing::Values(AqnPlainFile, AqnZippedFile, AqnBaseDataFile));

TEST(WriterFormats, UnknownFormatIsRefused)
{
  TAqnObject root(aqtAQUON);
  QTemporaryDir dir;
  EXPECT_THROW(SaveAquonFile(root, dir.filePath(QStringLiteral("meet.aqe")), 2), EGvkAssertion);
  EXPECT_TRUE(FolderEntries(dir.path()).isEmpty());
}

} // namespace
