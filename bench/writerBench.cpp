// Indexing and saving a generated meet (plain and zipped), with the throughput of each.
#include "format/aqnWriter.h"
#include "format/aquon.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {

std::unique_ptr<TAqnObject> GeneratedMeet(int clubs, int personsPerClub)
{
  static const char *strokes[] = {"FR", "BA", "BR", "BU", "IM"};
  auto root = std::make_unique<TAqnObject>(aqtAQUON);
  root->SetText(aqtVERSION, QString::fromLatin1(AqnWrittenVersion));
  auto *competitions = root->Add(std::make_unique<TAqnCollection>(aqtCOMPETITIONS));
  TAqnObject *competition = competitions->AddNew();
  competition->SetText(aqtNAME, QStringLiteral(u"Frühjahrsschwimmen Łódź & Αθήνα"));
  auto *periods = competition->Add(std::make_unique<TAqnCollection>(aqtPERIODS));
  TAqnObject *period = periods->AddNew();
  period->SetText(aqtDATE, QStringLiteral("20260510"));
  auto *events = period->Add(std::make_unique<TAqnCollection>(aqtEVENTS));
  const int eventCount = 40;
  for (int e = 1; e <= eventCount; ++e) {
    TAqnObject *event = events->AddNew();
    event->Id = e;
    event->SetInt(aqtNUM, e);
    event->SetInt(aqtDIS, 100);
    event->SetText(aqtSTR, QString::fromLatin1(strokes[e % 5]));
  }
  auto *clubList = competition->Add(std::make_unique<TAqnCollection>(aqtCLUBS));
  int personId = 0;
  for (int c = 1; c <= clubs; ++c) {
    TAqnObject *club = clubList->AddNew();
    club->SetText(aqtNAME, QStringLiteral(u"SV Müller %1").arg(c));
    auto *persons = club->Add(std::make_unique<TAqnCollection>(aqtPERSONS));
    for (int p = 0; p < personsPerClub; ++p) {
      TAqnObject *person = persons->AddNew();
      person->Id = ++personId;
      person->SetText(aqtNAME, QStringLiteral(u"Kowalczyk-Żółć %1").arg(personId));
      person->SetText(aqtFNAME, QStringLiteral("Anna"));
      person->SetInt(aqtYOB, 1990 + personId % 20);
      auto *entries = person->Add(std::make_unique<TAqnCollection>(aqtENTRIES));
      for (int k = 0; k < 4; ++k) {
        TAqnObject *entry = entries->AddNew();
        entry->SetInt(aqtEID, 1 + (personId + k) % eventCount);
        entry->Child(aqtTIME, true)->SetTime(aqpEntry, 650000 + personId * 10);
      }
    }
  }
  return root;
}

void Report(const char *what, qint64 bytes, qint64 ms)
{
  std::printf("%-22s %8.1f MB in %6lld ms  %7.1f MB/s\n", what, bytes / 1e6,
              static_cast<long long>(ms), ms > 0 ? bytes / 1e3 / ms : 0.0);
}

} // namespace

int main(int argc, char **argv)
{
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  TAquon document(GeneratedMeet(400, 100));

  QElapsedTimer timer;
  timer.start();
  document.BuildIndex();
  document.SelectCompetition(0);
  std::printf("%-22s %8d persons in %4lld ms\n", "index", document.IndexOf(0).Persons.Count(),
              static_cast<long long>(timer.elapsed()));

  // Both rates are of the Aquon text; the zipped line also gives the archive's size.
  qint64 textBytes = 0;
  for (const int format : {AqnPlainFile, AqnZippedFile}) {
    timer.restart();
    const QString name =
        SaveAquonFile(*document.Root(), dir.filePath(QStringLiteral("meet.aqe")), format);
    const qint64 ms = timer.elapsed();
    if (format == AqnPlainFile)
      textBytes = QFileInfo(name).size();
    Report(format == AqnPlainFile ? "save plain (.aqe)" : "save zipped (.aqz)", textBytes, ms);
    if (format != AqnPlainFile)
      std::printf("%-22s %8.1f MB\n", "  archive size", QFileInfo(name).size() / 1e6);
  }
  return 0;
}
