// Reader throughput on a generated meet of about 20 MB, and the peak memory it takes.
#include "format/aquon.h"
#include "format/gvkZip.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Peak resident memory of the process in KiB (VmHWM), 0 when unknown.
long PeakMemoryKiB()
{
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly))
    return 0;
  for (const QByteArray &line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:"))
      return line.mid(6).trimmed().split(' ').first().toLong();
  return 0;
}

// Writes one element per line, indented by depth, straight to the file.
class TMeetWriter
{
public:
  explicit TMeetWriter(QIODevice &out) : FOut(out) {}
  void Open(const char *tag, int id = 0)
  {
    Line(id ? QByteArray("<") + tag + " id=\"" + QByteArray::number(id) + "\">"
            : QByteArray("<") + tag + ">");
    ++FDepth;
  }
  void Close(const char *tag)
  {
    --FDepth;
    Line(QByteArray("</") + tag + ">");
  }
  void Data(const char *tag, const QByteArray &value)
  {
    Line(QByteArray("<") + tag + ">" + value + "</" + tag + ">");
  }

private:
  void Line(const QByteArray &text) { FOut.write(QByteArray(FDepth, ' ') + text + '\n'); }
  QIODevice &FOut;
  int FDepth = 0;
};

QByteArray Time(char prefix, int seconds, int hundredths)
{
  return prefix + QStringLiteral("00h%1:%2.%3")
                      .arg(seconds / 60, 2, 10, QLatin1Char('0'))
                      .arg(seconds % 60, 2, 10, QLatin1Char('0'))
                      .arg(hundredths, 2, 10, QLatin1Char('0'))
                      .toLatin1();
}

void GenerateMeet(QIODevice &out, int clubsPerCompetition)
{
  static const char *strokes[] = {"FR", "BA", "BR", "BU", "IM"};
  static const int distances[] = {50, 100, 200, 400};
  TMeetWriter w(out);
  out.write("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n");
  w.Open("AQUON");
  w.Data("VERSION", "01.03.0007");
  w.Open("COMPETITIONS");
  int personId = 0;
  for (int c = 1; c <= 2; ++c) {
    w.Open("COMPETITION");
    w.Data("NAME", "Spring Meet " + QByteArray::number(c));
    w.Data("PLACE", "Lakeside");
    w.Data("PL", "50");
    w.Data("DEADLINE", "20250401");
    w.Open("PERIODS");
    int eventId = 0;
    for (int p = 1; p <= 4; ++p) {
      w.Open("PERIOD");
      w.Data("DATE", "2025041" + QByteArray::number(p));
      w.Open("EVENTS");
      for (int e = 0; e < 20; ++e) {
        w.Open("EVENT", ++eventId);
        w.Data("NUM", QByteArray::number(eventId));
        w.Data("DIS", QByteArray::number(distances[e % 4]));
        w.Data("DISCNT", e % 10 == 9 ? "4" : "1");
        w.Data("STR", strokes[e % 5]);
        w.Data("SEX", e % 2 ? "F" : "M");
        w.Data("TYPE", "TIM");
        w.Data("FEE", "550");
        w.Open("CATS");
        for (int a = 1; a <= 5; ++a) {
          w.Open("CAT", a);
          w.Data("NAME", "Age group " + QByteArray::number(a));
          w.Data("MIN", QByteArray::number(2004 + 2 * a));
          w.Data("MAX", QByteArray::number(2005 + 2 * a));
          w.Data("LCT", Time('L', 60 + 10 * a, 37));
          w.Data("SCT", Time('L', 58 + 10 * a, 12));
          w.Close("CAT");
        }
        w.Close("CATS");
        w.Close("EVENT");
      }
      w.Close("EVENTS");
      w.Close("PERIOD");
    }
    w.Close("PERIODS");
    w.Open("CLUBS");
    for (int k = 1; k <= clubsPerCompetition; ++k) {
      w.Open("CLUB");
      w.Data("NAME", "Swimming Club Number " + QByteArray::number(k));
      w.Data("CODE", QByteArray::number(1000 + k));
      w.Data("NATION", "GER");
      w.Open("PERSONS");
      for (int n = 0; n < 50; ++n) {
        w.Open("PERSON", ++personId);
        w.Data("NAME", "Familyname" + QByteArray::number(personId));
        w.Data("FNAME", "Firstname");
        w.Data("SEX", n % 2 ? "F" : "M");
        w.Data("YOB", QByteArray::number(2006 + n % 10));
        w.Data("BIRTHDATE", QByteArray::number(2006 + n % 10) + "0615");
        w.Data("NATION", "GER");
        w.Data("LICENSE", QByteArray::number(100000 + personId));
        w.Open("ENTRIES");
        for (int x = 0; x < 3; ++x) {
          w.Open("ENTRY");
          w.Data("EID", QByteArray::number(1 + (n + 7 * x) % eventId));
          w.Data("TIME", Time('E', 65 + n, x * 11));
          w.Close("ENTRY");
        }
        w.Close("ENTRIES");
        w.Close("PERSON");
      }
      w.Close("PERSONS");
      w.Close("CLUB");
    }
    w.Close("CLUBS");
    w.Close("COMPETITION");
  }
  w.Close("COMPETITIONS");
  w.Close("AQUON");
}

// Loads one file and prints the figures; runs in a process of its own, so that the peak
// memory is that of this load alone.
int Measure(const QString &label, const QString &fileName, qint64 plainSize)
{
  // Throughput counts the plain text, so that the runs compare.
  const double megabytes = double(plainSize) / (1024.0 * 1024.0);
  const long before = PeakMemoryKiB();
  TAquon document;
  QElapsedTimer timer;
  timer.start();
  document.LoadFromFile(fileName);
  const double seconds = double(timer.nsecsElapsed()) / 1e9;
  std::printf("%-7s %6.1f MB of text in %6.3f s: %6.1f MB/s, %lld errors; "
              "peak memory %ld KiB before, %ld KiB after loading\n",
              qPrintable(label), megabytes, seconds, megabytes / seconds,
              static_cast<long long>(document.Errors().size()), before, PeakMemoryKiB());
  return document.Errors().isEmpty() ? 0 : 1;
}

int MeasureInChild(const QString &label, const QString &fileName, qint64 plainSize)
{
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--load"), label, fileName, QString::number(plainSize)});
  child.waitForFinished(-1);
  return child.exitCode();
}

} // namespace

int main(int argc, char **argv)
{
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() == 5 && args.at(1) == QLatin1String("--load"))
    return Measure(args.at(2), args.at(3), args.at(4).toLongLong());

  QTemporaryDir folder;
  // "--keep" leaves the generated files for a profiler run.
  const bool keep = args.contains(QStringLiteral("--keep"));
  folder.setAutoRemove(!keep);
  const QString plain = folder.filePath(QStringLiteral("meet.aqe"));
  {
    QFile out(plain);
    if (!out.open(QIODevice::WriteOnly))
      return 1;
    GenerateMeet(out, 370);
  }
  const qint64 plainSize = QFileInfo(plain).size();
  TGvkFileList list(plain, false);
  const QString zipped = folder.filePath(QStringLiteral("meet.aqz"));
  if (list.Compress(zipped) != zrOk) {
    std::printf("cannot zip: %s\n", qPrintable(list.LastError()));
    return 1;
  }
  std::printf("generated meet: %lld bytes plain, %lld bytes zipped\n",
              static_cast<long long>(plainSize), static_cast<long long>(QFileInfo(zipped).size()));
  std::fflush(stdout);
  int result = MeasureInChild(QStringLiteral("plain"), plain, plainSize);
  result |= MeasureInChild(QStringLiteral("zipped"), zipped, plainSize);
  if (keep)
    std::printf("kept %s\n", qPrintable(folder.path()));
  return result;
}
