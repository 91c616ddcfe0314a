// Load, index and save times and peak memory of Aquon documents of about 1, 10 and
// 50 MB, each beside a peer measured on the same bytes in the same run: pugixml's parse
// (and save) of the plain file, and Info-ZIP's "zip -9" of the plain file.
//
// Every measurement runs in a fresh child process (this program started again with
// "--child"), so that the peak resident size (VmHWM) belongs to that measurement only.
#include "format/aqnMeetGenerator.h"
#include "format/aqnWriter.h"
#include "format/aquon.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <pugixml.hpp>

namespace {

// Peak resident size of this process in bytes.
qint64 PeakResidentBytes()
{
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly))
    return -1;
  for (const QByteArray &line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:"))
      return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
  return -1;
}

struct TChildResult
{
  double Seconds = -1;
  qint64 PeakBytes = -1;
};

// Child side: runs one measurement and prints "seconds peakBytes".
int RunChild(const QStringList &args)
{
  const QString mode = args.value(0);
  const QString input = args.value(1);
  const QString output = args.value(2);
  QElapsedTimer timer;
  double seconds = 0;
  if (mode == QLatin1String("idle")) {
  } else if (mode == QLatin1String("load")) {
    timer.start();
    TAquon document;
    document.LoadFromFile(input);
    if (document.Errors().isEmpty())
      document.BuildIndex();
    seconds = timer.nsecsElapsed() / 1e9;
    if (!document.Errors().isEmpty())
      return 3;
  } else if (mode == QLatin1String("pugi-load")) {
    timer.start();
    pugi::xml_document document;
    const bool ok = document.load_file(input.toLocal8Bit().constData());
    seconds = timer.nsecsElapsed() / 1e9;
    if (!ok)
      return 3;
  } else if (mode == QLatin1String("save") || mode == QLatin1String("save-zipped")) {
    TAquon document;
    document.LoadFromFile(input);
    document.BuildIndex();
    timer.start();
    SaveAquonFile(*document.Root(), output,
                  mode == QLatin1String("save") ? AqnPlainFile : AqnZippedFile);
    seconds = timer.nsecsElapsed() / 1e9;
  } else if (mode == QLatin1String("pugi-save")) {
    pugi::xml_document document;
    document.load_file(input.toLocal8Bit().constData());
    timer.start();
    document.save_file(output.toLocal8Bit().constData());
    seconds = timer.nsecsElapsed() / 1e9;
  } else {
    return 2;
  }
  std::printf("%.6f %lld\n", seconds, static_cast<long long>(PeakResidentBytes()));
  return 0;
}

TChildResult Measure(const QStringList &args)
{
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(),
              QStringList{QStringLiteral("--child")} + args);
  TChildResult result;
  if (!child.waitForFinished(-1) || child.exitCode() != 0) {
    QTextStream(stderr) << "measurement failed: " << args.join(' ') << "\n";
    return result;
  }
  const QStringList fields = QString::fromLatin1(child.readAllStandardOutput()).split(' ');
  result.Seconds = fields.value(0).toDouble();
  result.PeakBytes = fields.value(1).trimmed().toLongLong();
  return result;
}

// Wall time of a command, for the external peer.
double TimeCommand(const QString &program, const QStringList &args)
{
  QProcess process;
  QElapsedTimer timer;
  timer.start();
  process.start(program, args);
  if (!process.waitForFinished(-1) || process.exitCode() != 0)
    return -1;
  return timer.nsecsElapsed() / 1e9;
}

// A generated meet of about the wanted size; persons dominate the size.
qint64 WriteMeet(const QString &plainName, qint64 wantedBytes)
{
  constexpr double BytesPerPerson = 1000.0; // measured on generated meets
  const int persons = std::max(50, int(wantedBytes / BytesPerPerson));
  const TAqnMeetPlan plan{std::max(2, persons / 30), persons, 60, 20270501};
  auto root = GenerateMeet(plan);
  SaveAquonFile(*root, plainName, AqnPlainFile);
  return QFileInfo(plainName).size();
}

struct TRow
{
  qint64 Bytes;
  TChildResult Load, LoadZipped, PugiLoad, Save, SaveZipped, PugiSave;
  double Zip9;
};

void PrintRow(QTextStream &out, const TRow &r, qint64 idlePeak)
{
  const double mb = r.Bytes / 1e6;
  const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
  out << QString::asprintf(
      "%6.1f MB | load %6.3f s (%5.3f s/MB) pugixml %6.3f s = %4.2fx | zipped %6.3f s | "
      "peak %6.1f MB = %4.2f B/B (%4.2f above idle) | save %6.3f s pugixml %6.3f s | "
      "zipped save %6.3f s zip -9 %6.3f s = %4.2fx\n",
      mb, r.Load.Seconds, r.Load.Seconds / mb, r.PugiLoad.Seconds,
      ratio(r.Load.Seconds, r.PugiLoad.Seconds), r.LoadZipped.Seconds, r.Load.PeakBytes / 1e6,
      double(r.Load.PeakBytes) / r.Bytes, double(r.Load.PeakBytes - idlePeak) / r.Bytes,
      r.Save.Seconds, r.PugiSave.Seconds, r.SaveZipped.Seconds, r.Zip9,
      ratio(r.SaveZipped.Seconds, r.Zip9));
  out.flush();
}

int RunBench(const QStringList &args)
{
  QList<double> sizes{1, 10, 50};
  if (const int i = args.indexOf(QStringLiteral("--sizes")); i >= 0) {
    sizes.clear();
    for (const QString &s : args.value(i + 1).split(','))
      sizes << s.toDouble();
  }
  QTemporaryDir dir;
  QTextStream out(stdout);
  const qint64 idlePeak = Measure({QStringLiteral("idle")}).PeakBytes;
  out << QString::asprintf("peak resident size of an idle child: %.1f MB\n", idlePeak / 1e6);
  for (double size : sizes) {
    const QString stem = dir.filePath(QStringLiteral("meet%1").arg(size));
    const QString plain = stem + QLatin1String(".aqe");
    TRow row{};
    row.Bytes = WriteMeet(plain, qint64(size * 1e6));
    {
      TAquon document;
      document.LoadFromFile(plain);
      SaveAquonFile(*document.Root(), stem + QLatin1String(".aqz"), AqnZippedFile);
    }
    row.Load = Measure({QStringLiteral("load"), plain});
    row.PugiLoad = Measure({QStringLiteral("pugi-load"), plain});
    row.LoadZipped = Measure({QStringLiteral("load"), stem + QLatin1String(".aqz")});
    row.Save = Measure({QStringLiteral("save"), plain, stem + QLatin1String("-saved.aqe")});
    row.SaveZipped =
        Measure({QStringLiteral("save-zipped"), plain, stem + QLatin1String("-saved.aqz")});
    row.PugiSave = Measure({QStringLiteral("pugi-save"), plain, stem + QLatin1String("-pugi.xml")});
    row.Zip9 = TimeCommand(QStringLiteral("zip"),
                           {QStringLiteral("-9"), QStringLiteral("-q"), QStringLiteral("-j"),
                            stem + QLatin1String("-zip9.zip"), plain});
    PrintRow(out, row, idlePeak);
  }
  return 0;
}

} // namespace

int main(int argc, char **argv)
{
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.value(0) == QLatin1String("--child"))
    return RunChild(args.mid(1));
  return RunBench(args);
}
