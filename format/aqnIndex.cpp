// The document's index, look-ups and display names.
#include "format/aquon.h"

#include "format/swimVocabulary.h"
#include "foundation/gvkErrors.h"

#include <algorithm>
#include <exception>

// ---- TAqnIdMap

bool TAqnIdMap::Add(const QString &key, TAqnObject *element)
{
  const QString folded = Folded(key);
  if (FMap.contains(folded))
    return false;
  FMap.insert(folded, element);
  return true;
}

TAqnObject *TAqnIdMap::Find(const QString &key) const
{
  return FMap.value(Folded(key), nullptr);
}

void TAqnIdMap::Remove(const QString &key)
{
  FMap.remove(Folded(key));
}

namespace {

const TAqnCompetitionIndex EmptyIndex;

QString IdText(int id)
{
  return QString::number(id);
}

// The member objects with `memberTag` of the collection `collection` below `parent`.
// Members of another kind (reported by the reader already) are passed over.
std::vector<TAqnObject *> Members(const TAqnAbstractObject &parent, TAqnTag collection,
                                  TAqnTag memberTag)
{
  std::vector<TAqnObject *> members;
  TAqnAbstractElement *list = parent.FindChild(collection);
  if (!list || !list->AsObject())
    return members;
  for (const auto &child : list->AsObject()->Children())
    if (child->Tag == memberTag)
      if (auto *object = dynamic_cast<TAqnObject *>(child.get()))
        members.push_back(object);
  return members;
}

bool HasMembers(const TAqnAbstractObject &parent, TAqnTag collection)
{
  TAqnAbstractElement *list = parent.FindChild(collection);
  return list && list->AsObject() && list->AsObject()->Count() > 0;
}

// Adds a default value as the element's last child when the child is missing.
void AddMissing(TAqnAbstractObject &element, TAqnTag tag, const QString &value)
{
  if (!element.HasChild(tag))
    element.SetText(tag, value);
}

// A year bound of an age group; a missing or zero value counts as no bound, as "0" is
// dropped when the file is saved.
int YearBound(const TAqnAbstractObject &cat, TAqnTag tag)
{
  const int year = cat.GetInt(tag);
  return year == 0 ? AqnCodes::NoYearBound : year;
}

// Replaces the unit letter "m" of a distance ("100m", "100 m") by the pool measure's
// letter. Only an "m" right after the digits counts, so that a word of an event name
// keeps its letters.
QString WithPoolMeasure(QString text, QChar unit)
{
  for (qsizetype i = text.indexOf(QLatin1Char('m')); i > 0;
       i = text.indexOf(QLatin1Char('m'), i + 1)) {
    const qsizetype digit = text.at(i - 1) == QLatin1Char(' ') ? i - 2 : i - 1;
    const bool afterDigits = digit >= 0 && text.at(digit).isDigit();
    const bool endsWord = i + 1 == text.size() || !text.at(i + 1).isLetter();
    if (afterDigits && endsWord) {
      text[i] = unit;
      break;
    }
  }
  return text;
}

} // namespace

// ---- TAquon: document and index

std::unique_ptr<TAqnObject> CreateCreatorRecord(const QString &productName, const QString &version)
{
  auto creator = std::make_unique<TAqnObject>(aqtCONSTRUCTOR);
  creator->SetText(aqtNAME, productName);
  creator->SetText(aqtVERSION, version);
  auto *contact = creator->Add(std::make_unique<TAqnObject>(aqtCONTACT));
  contact->SetText(aqtNAME, QStringLiteral("Marovia"));
  contact->SetText(aqtFNAME, QStringLiteral("Crewbook"));
  // A single blank survives the writer's removal of empty values, so the fields stay.
  for (TAqnTag tag : {aqtSTREET, aqtZIP, aqtPLACE, aqtPHONE})
    contact->SetText(tag, QStringLiteral(" "));
  contact->SetText(aqtEMAIL, QStringLiteral("info@quillet.example"));
  contact->SetText(aqtINTERNET, QStringLiteral("https://www.quillet.example"));
  return creator;
}

void TAquon::NewDocument(const QString &productName, const QString &version)
{
  Clear();
  FRoot = std::make_unique<TAqnObject>(aqtAQUON);
  FRoot->SetText(aqtVERSION, QString::fromLatin1(AqnWrittenVersion));
  FRoot->Add(CreateCreatorRecord(productName, version));
}

bool TAquon::HasCompetitions() const
{
  return FRoot && FRoot->HasChild(aqtCOMPETITIONS);
}

void TAquon::ResetIndex()
{
  FIndex.clear();
  FIndexed = false;
  FCompetition = nullptr;
  FCompetitionIndex = 0;
  FCompetitionYear = 0;
  FPoolMeasure.clear();
}

void TAquon::BuildIndex()
{
  if (FIndexed)
    return;
  try {
    if (HasCompetitions()) {
      TAqnAbstractObject *competitions = FRoot->FindChild(aqtCOMPETITIONS)->AsObject();
      const int count = competitions ? competitions->Count() : 0;
      FIndex.assign(std::size_t(count), TAqnCompetitionIndex());
      for (int i = 0; i < count; ++i) {
        auto *competition = dynamic_cast<TAqnObject *>(competitions->Items(i));
        if (competition && competition->Tag == aqtCOMPETITION)
          IndexCompetition(FIndex[std::size_t(i)], *competition);
      }
    }
  } catch (const EGvkError &error) {
    AddMessage(error.Message(), 0, false);
  } catch (const std::exception &error) {
    AddMessage(QString::fromLocal8Bit(error.what()), 0, false);
  }
  FIndexed = true;
}

void TAquon::IndexCompetition(TAqnCompetitionIndex &index, TAqnObject &competition)
{
  AddMissing(competition, aqtPL, QString::number(AqnCodes::DefaultPoolLength));
  AddMissing(competition, aqtPM, QString::fromLatin1(AqnCodes::DefaultPoolMeasure));
  AddMissing(competition, aqtTI, QString::fromLatin1(AqnCodes::DefaultTiming));
  IndexEvents(index, competition);
  IndexPersons(index, competition);
}

void TAquon::IndexEvents(TAqnCompetitionIndex &index, TAqnObject &competition)
{
  for (TAqnObject *period : Members(competition, aqtPERIODS, aqtPERIOD))
    for (TAqnObject *event : Members(*period, aqtEVENTS, aqtEVENT)) {
      event->Flags = 0;
      if (event->GetInt(aqtDISCNT) == 0)
        event->SetInt(aqtDISCNT, AqnCodes::DefaultSwimmerCount);
      AddMissing(*event, aqtSEX, QString::fromLatin1(AqnCodes::SexMixed));
      AddMissing(*event, aqtTYPE, QString::fromLatin1(AqnCodes::DefaultEventType));
      if (!index.Events.Add(IdText(event->Id), event)) {
        AddMessage(QStringLiteral("Duplicate EVENT id !"), event->Line, false);
        event->ErrorLevel = 3;
      }
      for (TAqnObject *cat : Members(*event, aqtCATS, aqtCAT))
        if (!index.Cats.Add(IdText(event->Id) + QLatin1Char('=') + IdText(cat->Id), cat)) {
          AddMessage(QStringLiteral("Duplicate CAT id !"), cat->Line, false);
          cat->ErrorLevel = 3;
        }
    }
}

void TAquon::IndexPersons(TAqnCompetitionIndex &index, TAqnObject &competition)
{
  // A non-empty ENTRIES or RESULTS of a person or relay marks its club with `clubFlags`
  // and every event it refers to with `eventFlag`.
  const auto mark = [&index](TAqnObject &club, const TAqnAbstractObject &owner, TAqnTag list,
                             TAqnTag member, std::uint8_t clubFlags, std::uint8_t eventFlag) {
    if (!HasMembers(owner, list))
      return;
    club.Flags |= clubFlags;
    for (TAqnObject *item : Members(owner, list, member))
      if (TAqnObject *event = index.Events.Find(IdText(item->GetInt(aqtEID))))
        event->Flags |= eventFlag;
  };
  competition.Flags = 0;
  index.MaxPersonId = 0;
  for (TAqnObject *club : Members(competition, aqtCLUBS, aqtCLUB)) {
    for (TAqnObject *person : Members(*club, aqtPERSONS, aqtPERSON)) {
      index.MaxPersonId = std::max(index.MaxPersonId, person->Id);
      if (!index.Persons.Add(IdText(person->Id), person)) {
        AddMessage(QStringLiteral("Duplicate PERSON id !"), person->Line, false);
        person->ErrorLevel = 3;
        continue;
      }
      mark(*club, *person, aqtENTRIES, aqtENTRY, ofEntries | ofPersonEntries, ofEntries);
      mark(*club, *person, aqtRESULTS, aqtRESULT, ofResults | ofPersonResults, ofResults);
    }
    for (TAqnObject *relay : Members(*club, aqtRELAYS, aqtRELAY)) {
      mark(*club, *relay, aqtENTRIES, aqtENTRY, ofEntries | ofRelayEntries, ofEntries);
      mark(*club, *relay, aqtRESULTS, aqtRESULT, ofResults | ofRelayResults, ofResults);
    }
    competition.Flags |= club->Flags;
  }
}

void TAquon::SelectCompetition(int index)
{
  FCompetitionIndex = index;
  FCompetition = nullptr;
  FCompetitionYear = 0;
  FPoolMeasure.clear();
  if (FRoot) {
    TAqnAbstractElement *list = FRoot->FindChild(aqtCOMPETITIONS);
    TAqnAbstractObject *competitions = list ? list->AsObject() : nullptr;
    if (competitions && index >= 0 && index < competitions->Count())
      FCompetition = dynamic_cast<TAqnObject *>(competitions->Items(index));
  }
  if (FCompetition) {
    QDate latest;
    for (TAqnObject *period : Members(*FCompetition, aqtPERIODS, aqtPERIOD)) {
      const QDate date = period->Child(aqtDATE, true)->AsDate();
      if (date.isValid() && (!latest.isValid() || date > latest))
        latest = date;
    }
    if (latest.isValid())
      FCompetitionYear = latest.year();
    FPoolMeasure = FCompetition->GetText(aqtPM);
  }
  if (FPoolMeasure.isEmpty())
    FPoolMeasure = QString::fromLatin1(AqnCodes::DefaultPoolMeasure);
}

const TAqnCompetitionIndex &TAquon::IndexOf(int competition) const
{
  if (competition < 0 || std::size_t(competition) >= FIndex.size())
    return EmptyIndex;
  return FIndex[std::size_t(competition)];
}

TAqnCompetitionIndex *TAquon::SelectedIndex()
{
  if (!FCompetition || FCompetitionIndex < 0 || std::size_t(FCompetitionIndex) >= FIndex.size())
    return nullptr;
  return &FIndex[std::size_t(FCompetitionIndex)];
}

const TAqnCompetitionIndex *TAquon::SelectedIndex() const
{
  return const_cast<TAquon *>(this)->SelectedIndex();
}

// ---- Look-ups

TAqnObject *TAquon::PersonById(int id) const
{
  const TAqnCompetitionIndex *index = SelectedIndex();
  return index ? index->Persons.Find(IdText(id)) : nullptr;
}

TAqnObject *TAquon::EventById(int id) const
{
  const TAqnCompetitionIndex *index = SelectedIndex();
  return index ? index->Events.Find(IdText(id)) : nullptr;
}

TAqnObject *TAquon::EventByNumber(int number) const
{
  const TAqnCompetitionIndex *index = SelectedIndex();
  if (!index)
    return nullptr;
  const QString entryTypes = QString::fromLatin1(AqnCodes::EntryEventTypes);
  for (TAqnObject *event : index->Events)
    if (entryTypes.contains(event->GetText(aqtTYPE)) && event->GetInt(aqtNUM) == number)
      return event;
  return nullptr;
}

void TAquon::AddPerson(TAqnObject &person)
{
  TAqnCompetitionIndex *index = SelectedIndex();
  GVK_ASSERT(index, "No competition selected!", "aquon");
  person.Id = ++index->MaxPersonId;
  index->Persons.Add(IdText(person.Id), &person);
}

void TAquon::RemovePersonId(int id)
{
  if (TAqnCompetitionIndex *index = SelectedIndex())
    index->Persons.Remove(IdText(id));
}

// ---- Display names

QString TAquon::EventName(const TAqnAbstractObject &event, const TAqnAbstractObject *cat) const
{
  QString text;
  if (event.GetText(aqtSTR) != QLatin1String(AqnCodes::NoStandardStroke))
    text = EventText(RelayIndex(event.GetInt(aqtDISCNT)), DistanceIndex(event.GetInt(aqtDIS)),
                     StrokeIndex(event.GetText(aqtSTR)));
  else
    text = event.GetText(aqtNAME);
  if (FPoolMeasure != QLatin1String(AqnCodes::DefaultPoolMeasure) && !FPoolMeasure.isEmpty())
    text = WithPoolMeasure(text, FPoolMeasure.at(0));
  if (cat)
    text += QStringLiteral(", ") + AgeGroupText(cat);
  return text;
}

QString TAquon::AgeGroupText(const TAqnAbstractObject *cat) const
{
  int fromAge = 0;
  int toAge = 99;
  if (cat) {
    if (const int latest = YearBound(*cat, aqtMAX); latest != AqnCodes::NoYearBound)
      fromAge = FCompetitionYear - latest;
    if (const int earliest = YearBound(*cat, aqtMIN); earliest != AqnCodes::NoYearBound)
      toAge = FCompetitionYear - earliest;
  }
  QString text = AgeText(fromAge, toAge);
  if (cat) {
    if (const QString name = cat->GetText(aqtNAME); !name.isEmpty())
      text += QStringLiteral(", ") + name;
    if (!cat->GetText(aqtSEX).isEmpty())
      text += QStringLiteral(", ") + SexText(*cat);
  }
  return text;
}

QString TAquon::SexText(const TAqnAbstractObject &element)
{
  const QString sex = element.GetText(aqtSEX);
  if (sex.startsWith(QLatin1String(AqnCodes::SexFemale)))
    return GenderText(1);
  if (sex.startsWith(QLatin1String(AqnCodes::SexMale)))
    return GenderText(0);
  return GenderText(2);
}

QString TAquon::EntrantName(const TAqnAbstractObject &element, bool withSex)
{
  if (element.Tag == aqtPERSON)
    return QStringLiteral("%1 %2, %3")
        .arg(element.GetText(aqtNAME), element.GetText(aqtFNAME))
        .arg(element.GetInt(aqtYOB) % 100, 2, 10, QLatin1Char('0'));
  QString text = element.GetText(aqtNAME);
  if (text.isEmpty())
    text = RelayTeamText(element.GetInt(aqtNUM));
  if (withSex)
    text += QStringLiteral(", ") + SexText(element);
  return text;
}

void TAquon::RenumberRelays()
{
  if (!HasCompetitions())
    return;
  int id = 0;
  for (TAqnObject *competition : Members(*FRoot, aqtCOMPETITIONS, aqtCOMPETITION))
    for (TAqnObject *club : Members(*competition, aqtCLUBS, aqtCLUB))
      for (TAqnObject *relay : Members(*club, aqtRELAYS, aqtRELAY))
        relay->Id = ++id;
}

QString TAquon::FileInfoText() const
{
  const QString format =
      FIsDunelle
          ? QStringLiteral("Dunelle Format,")
          : QStringLiteral("AQUON version %1").arg(FRoot ? FRoot->GetText(aqtVERSION) : QString());
  TAqnAbstractElement *found = FRoot ? FRoot->FindChild(aqtCONSTRUCTOR) : nullptr;
  const TAqnAbstractObject *creator = found ? found->AsObject() : nullptr;
  return QStringLiteral("%1 created with :\r\n%2, version %3")
      .arg(format, creator ? creator->GetText(aqtNAME) : QString(),
           creator ? creator->GetText(aqtVERSION) : QString());
}
