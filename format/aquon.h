#pragma once
// One Aquon document in memory: it owns the element tree, loads it through the reader,
// keeps the errors and warnings found while loading, indexes every competition and
// answers the look-ups and display names that dialogs and reports need.
#include "format/aqnElements.h"
#include "format/aqnIndex.h"
#include "format/aqnParser.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QIODevice;

class TAquon
{
public:
  explicit TAquon(std::unique_ptr<TAqnObject> root = nullptr);
  ~TAquon();
  TAquon(const TAquon &) = delete;
  TAquon &operator=(const TAquon &) = delete;

  // The tree, or null; owned by the document.
  TAqnObject *Root() const { return FRoot.get(); }
  void SetRoot(std::unique_ptr<TAqnObject> root);
  std::unique_ptr<TAqnObject> TakeRoot();

  // The name part (no directory) of the last loaded file.
  const QString &FileName() const { return FFileName; }
  const QStringList &Errors() const { return FErrors; }
  const QStringList &Warnings() const { return FWarnings; }
  // The file came from a scrambled container.
  bool IsDunelle() const { return FIsDunelle; }

  // Empties the message lists and the index and destroys the tree.
  void Clear();
  // "Line %d: %s", or the bare message for line 0.
  void AddMessage(const QString &message, int line, bool isWarning);
  // Replaces the tree by the file's; problems go to the message lists. The caller uses
  // the tree only when Errors is empty.
  void LoadFromFile(const QString &fileName, const TAqnProgress &progress = {});
  // The same for a plain Aquon text on a device open for reading.
  void LoadFromDevice(QIODevice &device, const QString &fileName,
                      const TAqnProgress &progress = {});

  // ---- Document, index and look-ups (aqnIndex.cpp)

  // A fresh tree: AQUON with the written format version and our creator record.
  void NewDocument(const QString &productName, const QString &version);
  // Root exists and has COMPETITIONS.
  bool HasCompetitions() const;
  // Adds the defaults (PL, PM, TI; DISCNT, SEX, TYPE of events), indexes events, age
  // groups and persons of every competition, reports duplicate ids as errors and sets
  // the entry and result flags. Runs once per tree.
  void BuildIndex();
  bool Indexed() const { return FIndexed; }
  // Selects member `index` of COMPETITIONS (none when out of range) and fixes its year
  // and pool measure. Every PERIOD gains an empty DATE when it has none.
  void SelectCompetition(int index);

  TAqnObject *Competition() const { return FCompetition; }
  int CompetitionIndex() const { return FCompetitionIndex; }
  // Year of the latest period date of the selected competition; 0 when there is none.
  int CompetitionYear() const { return FCompetitionYear; }
  // PM of the selected competition; "m" when empty.
  const QString &PoolMeasure() const { return FPoolMeasure; }

  // The index of competition i (one per child of COMPETITIONS); empty when there is no
  // such competition or the tree is not indexed.
  const TAqnCompetitionIndex &IndexOf(int competition) const;
  int MaxPersonId(int competition) const { return IndexOf(competition).MaxPersonId; }

  // Look-ups in the selected competition; null when there is no such element.
  TAqnObject *PersonById(int id) const;
  TAqnObject *EventById(int id) const;
  // The first entry-taking event (TYPE "TIM" or "PRE") with that NUM, in index order.
  TAqnObject *EventByNumber(int number) const;
  // Gives the person the next id of the selected competition and indexes it; the caller
  // adds the element to the tree. An id is never handed out twice while the tree is
  // open. Throws EGvkAssertion when no competition is selected.
  void AddPerson(TAqnObject &person);
  void RemovePersonId(int id);

  // Display names.
  QString EventName(const TAqnAbstractObject &event, const TAqnAbstractObject *cat = nullptr) const;
  QString AgeGroupText(const TAqnAbstractObject *cat) const;
  static QString SexText(const TAqnAbstractObject &element);
  static QString EntrantName(const TAqnAbstractObject &element, bool withSex);

  // Ids 1, 2, 3, ... for every RELAY of every club of every competition, in tree order.
  void RenumberRelays();
  // Format version and creator of the document, on two lines.
  QString FileInfoText() const;

private:
  void ResetIndex();
  void IndexCompetition(TAqnCompetitionIndex &index, TAqnObject &competition);
  void IndexEvents(TAqnCompetitionIndex &index, TAqnObject &competition);
  void IndexPersons(TAqnCompetitionIndex &index, TAqnObject &competition);
  TAqnCompetitionIndex *SelectedIndex();
  const TAqnCompetitionIndex *SelectedIndex() const;

  std::unique_ptr<TAqnObject> FRoot;
  QString FFileName;
  QStringList FWarnings;
  QStringList FErrors;
  bool FIsDunelle = false;

  TAqnObject *FCompetition = nullptr; // in FRoot's tree
  QString FPoolMeasure;
  int FCompetitionYear = 0;
  int FCompetitionIndex = 0;
  std::vector<TAqnCompetitionIndex> FIndex; // one per child of COMPETITIONS
  bool FIndexed = false;
};

// A new CONSTRUCTOR record naming the program and its maker (not added anywhere).
std::unique_ptr<TAqnObject> CreateCreatorRecord(const QString &productName, const QString &version);
