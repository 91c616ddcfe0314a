#include "format/aqnMeetGenerator.h"

#include "foundation/gvkErrors.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

namespace {

// ---- Name pools. Texts are UTF-8; they carry the letters other programs get wrong.

struct TNamePool
{
  const char *Nation;
  std::vector<const char *> MaleFirst;
  std::vector<const char *> FemaleFirst;
  std::vector<const char *> MaleLast;
  std::vector<const char *> FemaleLast; // empty: as MaleLast
};

const std::vector<TNamePool> &NamePools()
{
  static const std::vector<TNamePool> pools = {
      {"GER",
       {"Jürgen", "Lukas", "Maximilian", "Jörg", "Felix", "Björn", "Niklas", "Sören"},
       {"Anna", "Lea", "Sophie", "Mareike", "Jördis", "Hannah", "Grete", "Lilli"},
       {"Müller", "Schröder", "Weiß", "Strauß", "Groß", "Köhler", "Jäger", "Fuß", "Meißner",
        "Schäfer"},
       {}},
      {"POL",
       {"Łukasz", "Paweł", "Michał", "Wojciech", "Jakub", "Bartłomiej"},
       {"Małgorzata", "Zofia", "Agnieszka", "Joanna", "Żaneta", "Łucja"},
       {"Wójcik", "Nowak", "Łuczak", "Zieliński", "Kowalski", "Wiśniewski", "Dąbrowski"},
       {"Wójcik", "Nowak", "Łuczak", "Zielińska", "Kowalska", "Wiśniewska", "Dąbrowska"}},
      {"GRE",
       {"Γιώργος", "Νίκος", "Δημήτρης", "Ωρίων", "Κώστας"},
       {"Ελένη", "Μαρία", "Ωραιοζήλη", "Σοφία", "Κατερίνα"},
       {"Παπαδόπουλος", "Ωραιόπουλος", "Γεωργίου", "Νικολάου", "Οικονόμου"},
       {"Παπαδοπούλου", "Ωραιοπούλου", "Γεωργίου", "Νικολάου", "Οικονόμου"}},
      {"CZE",
       {"Jiří", "Tomáš", "Ondřej", "Vojtěch"},
       {"Kateřina", "Tereza", "Markéta", "Zuzana"},
       {"Dvořák", "Novák", "Černý", "Procházka"},
       {"Dvořáková", "Nováková", "Černá", "Procházková"}},
      {"HUN",
       {"Ádám", "Bence", "Gergő", "Levente"},
       {"Dóra", "Réka", "Zsófia", "Boglárka"},
       {"Szőke", "Kovács", "Tóth", "Hosszú", "Gyurta"},
       {}},
      {"TUR",
       {"Ömer", "Çağrı", "Emre", "Oğuz"},
       {"Şule", "Ayşe", "Gülşen", "Elif"},
       {"Yılmaz", "Çelik", "Öztürk", "Şahin"},
       {}},
      {"FRA",
       {"Étienne", "Loïc", "François", "Jérôme"},
       {"Chloé", "Zoé", "Anaïs", "Hélène"},
       {"Lefèvre", "Dubois", "Giraud", "Noël"},
       {}},
      {"DEN",
       {"Søren", "Mads", "Jørgen", "Asger"},
       {"Frederikke", "Åse", "Signe", "Mette"},
       {"Sørensen", "Møller", "Jørgensen", "Kjær"},
       {}},
  };
  return pools;
}

struct TClubTemplate
{
  const char *Name;
  const char *Nation;
  const char *Region;
  const char *Place;
};

const std::vector<TClubTemplate> &ClubTemplates()
{
  static const std::vector<TClubTemplate> clubs = {
      {"SV Neptun Hamburg", "GER", "HH", "Hamburg"},
      {"SG Bietigheim & Bissingen", "GER", "BW", "Bietigheim-Bissingen"},
      {"MKS Łódź Pływanie", "POL", "LD", "Łódź"},
      {"Ο.Φ. Ωραιοκάστρου", "GRE", "MAK", "Ωραιόκαστρο"},
      {"Würzburger Schwimmverein 05", "GER", "BY", "Würzburg"},
      {"TJ Slávie Plzeň", "CZE", "PL", "Plzeň"},
      {"Győri Úszó SE", "HUN", "GY", "Győr"},
      {"Fenerbahçe Yüzme", "TUR", "IST", "İstanbul"},
      {"CN Aix-les-Bains Élite", "FRA", "ARA", "Aix-les-Bains"},
      {"Århus Svømmeklub", "DEN", "MJ", "Århus"},
      {"SC Wiesbaden 1911", "GER", "HE", "Wiesbaden"},
      {"KS Warta Poznań", "POL", "WP", "Poznań"},
      {"Schwimmfreunde Gießen", "GER", "HE", "Gießen"},
      {"Α.Ο. Πειραιώς", "GRE", "ATT", "Πειραιάς"},
  };
  return clubs;
}

const char *DialCode(const char *nation)
{
  static const std::array<std::pair<const char *, const char *>, 8> codes = {{{"GER", "+49"},
                                                                              {"POL", "+48"},
                                                                              {"GRE", "+30"},
                                                                              {"CZE", "+420"},
                                                                              {"HUN", "+36"},
                                                                              {"TUR", "+90"},
                                                                              {"FRA", "+33"},
                                                                              {"DEN", "+45"}}};
  for (const auto &[n, code] : codes)
    if (QByteArrayView(n) == QByteArrayView(nation))
      return code;
  return "+49";
}

QString Utf8(const char *text)
{
  return QString::fromUtf8(text);
}

// ---- The event programme

enum class TSex
{
  Female,
  Male,
  Mixed
};

const char *SexCode(TSex sex)
{
  switch (sex) {
  case TSex::Female:
    return "F";
  case TSex::Male:
    return "M";
  default:
    return "X";
  }
}

struct TEventShape
{
  const char *Stroke;
  int Distance;
  int Swimmers; // DISCNT
  TSex Sex;
  const char *Type;
};

struct TRace
{
  const char *Stroke;
  int Distance;
};

constexpr std::array<TRace, 17> IndividualRaces = {{{"FR", 100},
                                                    {"BR", 50},
                                                    {"BA", 100},
                                                    {"BU", 50},
                                                    {"IM", 200},
                                                    {"FR", 400},
                                                    {"BR", 100},
                                                    {"BA", 50},
                                                    {"BU", 100},
                                                    {"FR", 50},
                                                    {"BR", 200},
                                                    {"BA", 200},
                                                    {"BU", 200},
                                                    {"FR", 200},
                                                    {"IM", 400},
                                                    {"FR", 800},
                                                    {"FR", 1500}}};
constexpr std::array<TRace, 5> RelayRaces = {
    {{"FR", 50}, {"IM", 100}, {"FR", 100}, {"IM", 50}, {"FR", 200}}};

bool IsSprint(int distance)
{
  return distance <= 100;
}

// Every sixth event is a relay; individual races come as a women's and a men's event;
// every fourth sprint is swum as heats and final.
std::vector<TEventShape> EventProgramme(int eventCount)
{
  std::vector<TEventShape> events;
  int individual = 0;
  int relay = 0;
  int sprints = 0;
  while (int(events.size()) < eventCount) {
    if (events.size() % 6 == 5) {
      const TRace race = RelayRaces[relay % RelayRaces.size()];
      const TSex sex = std::array{TSex::Female, TSex::Male, TSex::Mixed}[relay % 3];
      events.push_back({race.Stroke, race.Distance, 4, sex, "TIM"});
      ++relay;
      continue;
    }
    const TRace race = IndividualRaces[(individual / 2) % IndividualRaces.size()];
    const TSex sex = individual % 2 == 0 ? TSex::Female : TSex::Male;
    ++individual;
    const bool roomForFinal = int(events.size()) + 2 <= eventCount && events.size() % 6 != 4;
    if (IsSprint(race.Distance) && roomForFinal && sprints++ % 4 == 3) {
      events.push_back({race.Stroke, race.Distance, 1, sex, "PRE"});
      events.push_back({race.Stroke, race.Distance, 1, sex, "FIN"});
    } else {
      events.push_back({race.Stroke, race.Distance, 1, sex, "TIM"});
    }
  }
  return events;
}

// Seconds per 100 m of a fast adult man; women and young swimmers are slower.
double BaseSecondsPer100(const char *stroke)
{
  const QByteArrayView s(stroke);
  if (s == "BU")
    return 57.0;
  if (s == "BA")
    return 58.0;
  if (s == "BR")
    return 65.0;
  if (s == "IM")
    return 61.0;
  return 52.0;
}

double RaceSeconds(const char *stroke, int distance, bool female, double slowness)
{
  const double legs = distance / 100.0;
  const double endurance = 1.0 + 0.06 * std::log2(legs);
  return BaseSecondsPer100(stroke) * legs * endurance * (female ? 1.1 : 1.0) * slowness;
}

TChron SecondsToChron(double seconds)
{
  // Hundredths, in the chron unit of ten-thousandths.
  return TChron(std::lround(seconds * 100.0)) * 100;
}

// ---- The builder

struct TPersonInfo
{
  TAqnObject *Element;
  int Id;
  bool Female;
  int BirthYear;
  double Slowness;
};

struct TEventInfo
{
  TEventShape Shape;
  int Id;
  // Age groups as (earliest, latest) year of birth, -1 for an open bound.
  std::vector<std::pair<int, int>> Ages;
};

class TMeetBuilder
{
public:
  explicit TMeetBuilder(const TAqnMeetPlan &plan) : FPlan(plan), FRandom(plan.Seed) {}

  std::unique_ptr<TAqnObject> Build()
  {
    auto root = std::make_unique<TAqnObject>(aqtAQUON);
    root->SetText(aqtVERSION, QLatin1String(AqnWrittenVersion));
    auto *competitions = AddCollection(root.get(), aqtCOMPETITIONS);
    BuildCompetition(competitions->AddNew());
    return root;
  }

private:
  // Portable draws: std::mt19937's output is fixed by the standard, the library's
  // distributions are not.
  int Pick(int low, int high) { return low + int(FRandom() % std::uint32_t(high - low + 1)); }
  bool Chance(int percent) { return Pick(1, 100) <= percent; }
  template <class T> const T &PickOf(const std::vector<T> &items)
  {
    return items.at(Pick(0, int(items.size()) - 1));
  }

  static TAqnCollection *AddCollection(TAqnAbstractObject *parent, TAqnTag tag)
  {
    return parent->Add(std::make_unique<TAqnCollection>(tag, parent));
  }
  static TAqnObject *AddObject(TAqnAbstractObject *parent, TAqnTag tag)
  {
    return parent->Add(std::make_unique<TAqnObject>(tag, 0, parent));
  }
  static void SetDate(TAqnAbstractObject *element, TAqnTag tag, const QDate &date)
  {
    element->Child(tag, true)->SetAsDate(date);
  }
  static void SetTime(TAqnAbstractObject *element, TAqnTag tag, TAqnTimePrefix prefix, TChron time)
  {
    element->Child(tag, true)->SetTime(prefix, time);
  }

  void AddContact(TAqnAbstractObject *parent, const TNamePool &names, const QString &place)
  {
    auto *contact = AddObject(parent, aqtCONTACT);
    const bool female = Chance(50);
    const QString last = Utf8(female && !names.FemaleLast.empty() ? PickOf(names.FemaleLast)
                                                                  : PickOf(names.MaleLast));
    contact->SetText(aqtNAME, last);
    contact->SetText(aqtFNAME, Utf8(female ? PickOf(names.FemaleFirst) : PickOf(names.MaleFirst)));
    contact->SetText(aqtSTREET, QStringLiteral("Badstraße %1").arg(Pick(1, 120)));
    contact->SetText(aqtZIP, QString::number(Pick(10000, 99999)));
    contact->SetText(aqtPLACE, place);
    contact->SetText(aqtPHONE, QStringLiteral("%1 %2 %3")
                                   .arg(QLatin1String(DialCode(names.Nation)))
                                   .arg(Pick(30, 999))
                                   .arg(Pick(100000, 999999)));
    contact->SetText(aqtEMAIL, QStringLiteral("meldung%1@example.org").arg(Pick(1, 999)));
  }

  void BuildCompetition(TAqnObject *competition)
  {
    const TClubTemplate &host = PickOf(ClubTemplates());
    FYear = 2027;
    FFirstDay = QDate(FYear, 5, 1).addDays(Pick(0, 40));
    FPoolLength = Chance(70) ? 50 : 25;
    competition->SetText(aqtNAME,
                         QStringLiteral("%1 Frühjahrsmeeting %2").arg(Utf8(host.Place)).arg(FYear));
    competition->SetText(aqtPLACE, Utf8(host.Place));
    competition->SetInt(aqtPL, FPoolLength);
    competition->SetText(aqtPM, QLatin1String(AqnCodes::DefaultPoolMeasure));
    competition->SetText(aqtTI, Chance(50) ? QStringLiteral("A") : QStringLiteral("M3"));
    SetDate(competition, aqtDEADLINE, FFirstDay.addDays(-10));
    AddContact(competition, PoolOf(host.Nation), Utf8(host.Place));
    BuildPeriods(AddCollection(competition, aqtPERIODS));
    BuildClubs(AddCollection(competition, aqtCLUBS));
  }

  void BuildPeriods(TAqnCollection *periods)
  {
    const std::vector<TEventShape> programme = EventProgramme(FPlan.Events);
    const int eventCount = int(programme.size());
    const int periodCount = std::max(1, (eventCount + 11) / 12);
    const std::array<const char *, 2> startTimes = {"0900", "1530"};
    const int individualFee = 400 + 50 * Pick(0, 4);
    const int relayFee = 2 * individualFee + 200;
    for (int p = 0; p < periodCount; ++p) {
      auto *period = periods->AddNew();
      period->SetInt(aqtNUM, p + 1);
      SetDate(period, aqtDATE, FFirstDay.addDays(p / 2));
      period->SetText(aqtTIME, QLatin1String(startTimes[p % 2]));
      auto *events = AddCollection(period, aqtEVENTS);
      const int first = p * eventCount / periodCount;
      const int last = (p + 1) * eventCount / periodCount;
      for (int e = first; e < last; ++e)
        AddEvent(events, programme[e], e + 1, programme[e].Swimmers > 1 ? relayFee : individualFee);
    }
  }

  void AddEvent(TAqnCollection *events, const TEventShape &shape, int number, int fee)
  {
    TEventInfo info{shape, 100 + number, {}};
    auto *event = events->AddNew();
    event->Id = info.Id;
    event->SetInt(aqtNUM, number);
    event->SetInt(aqtDIS, shape.Distance);
    event->SetInt(aqtDISCNT, shape.Swimmers);
    event->SetText(aqtSTR, QLatin1String(shape.Stroke));
    event->SetText(aqtSEX, QLatin1String(SexCode(shape.Sex)));
    event->SetText(aqtTYPE, QLatin1String(shape.Type));
    auto *feeElement = event->Child(aqtFEE, true);
    feeElement->SetAsInteger(fee);
    feeElement->SetAttribute(aqaCURRENCY, QStringLiteral("EUR"));

    struct TAgeGroup
    {
      const char *Name;
      int Earliest; // years before the meet, -1 open
      int Latest;
      double Slowness;
    };
    static const std::array<TAgeGroup, 3> individualGroups = {
        {{"Offene Klasse", -1, 15, 1.25}, {"Jugend B", 14, 13, 1.45}, {"Jugend C", 12, -1, 1.7}}};
    static const std::array<TAgeGroup, 1> relayGroups = {{{"Offene Klasse", -1, -1, 1.3}}};
    auto *cats = AddCollection(event, aqtCATS);
    int catId = 0;
    const auto addGroups = [&](const auto &groups) {
      for (const TAgeGroup &group : groups) {
        auto *cat = cats->AddNew();
        cat->Id = ++catId;
        const int earliest = group.Earliest < 0 ? -1 : FYear - group.Earliest;
        const int latest = group.Latest < 0 ? -1 : FYear - group.Latest;
        cat->SetText(aqtNAME, Utf8(group.Name));
        cat->SetInt(aqtMIN, earliest);
        cat->SetInt(aqtMAX, latest);
        const double seconds =
            RaceSeconds(shape.Stroke, shape.Distance, shape.Sex == TSex::Female, group.Slowness) *
            (shape.Swimmers > 1 ? shape.Swimmers : 1);
        SetTime(cat, aqtLCT, aqpLimit, SecondsToChron(seconds));
        SetTime(cat, aqtSCT, aqpLimit, SecondsToChron(seconds * 0.97));
        info.Ages.emplace_back(earliest, latest);
      }
    };
    if (shape.Swimmers > 1)
      addGroups(relayGroups);
    else
      addGroups(individualGroups);
    FEvents.push_back(std::move(info));
  }

  void BuildClubs(TAqnCollection *clubs)
  {
    const auto &templates = ClubTemplates();
    int nextPersonId = 0;
    for (int c = 0; c < FPlan.Clubs; ++c) {
      const TClubTemplate &base = templates[c % templates.size()];
      const int round = c / int(templates.size());
      QString name = Utf8(base.Name);
      if (round > 0)
        name += QStringLiteral(" %1").arg(round + 1);
      auto *club = clubs->AddNew();
      club->SetText(aqtNAME, name);
      club->SetText(aqtCODE, QString::number(10000 + c * 37 + Pick(0, 36)));
      club->SetText(aqtNATION, QLatin1String(base.Nation));
      club->SetText(aqtLSC, QLatin1String(base.Region));
      AddContact(club, PoolOf(base.Nation), Utf8(base.Place));

      const int members = FPlan.Persons / FPlan.Clubs + (c < FPlan.Persons % FPlan.Clubs ? 1 : 0);
      std::vector<TPersonInfo> persons;
      persons.reserve(members);
      auto *personList = AddCollection(club, aqtPERSONS);
      for (int i = 0; i < members; ++i)
        persons.push_back(AddPerson(personList, ++nextPersonId, base.Nation));
      AddRelays(club, persons, name);
    }
  }

  const TNamePool &PoolOf(const char *nation) const
  {
    for (const TNamePool &pool : NamePools())
      if (QByteArrayView(pool.Nation) == QByteArrayView(nation))
        return pool;
    return NamePools().front();
  }

  TPersonInfo AddPerson(TAqnCollection *persons, int id, const char *clubNation)
  {
    const TNamePool &names = Chance(85) ? PoolOf(clubNation) : PickOf(NamePools());
    const bool female = Chance(50);
    const int age = Chance(70) ? Pick(10, 18) : Pick(19, 45);
    const int birthYear = FYear - age;
    auto *person = persons->AddNew();
    person->Id = id;
    person->SetText(aqtNAME, Utf8(female && !names.FemaleLast.empty() ? PickOf(names.FemaleLast)
                                                                      : PickOf(names.MaleLast)));
    person->SetText(aqtFNAME, Utf8(female ? PickOf(names.FemaleFirst) : PickOf(names.MaleFirst)));
    person->SetText(aqtSEX, female ? QStringLiteral("F") : QStringLiteral("M"));
    person->SetInt(aqtYOB, birthYear);
    SetDate(person, aqtBIRTHDATE, QDate(birthYear, 1, 1).addDays(Pick(0, 364)));
    person->SetText(aqtNATION, QLatin1String(names.Nation));
    person->SetText(aqtLICENSE, QString::number(100000 + id * 13 + Pick(0, 12)));

    const double youth = age >= 19 ? 1.0 : 1.0 + 0.05 * (19 - age);
    TPersonInfo info{person, id, female, birthYear, youth * (1.1 + Pick(0, 30) / 100.0)};
    AddIndividualEntries(info);
    return info;
  }

  static bool TakesEntries(const TEventShape &shape)
  {
    return QByteArrayView(AqnCodes::EntryEventTypes).contains(QByteArrayView(shape.Type));
  }
  static bool SexFits(TSex eventSex, bool female)
  {
    return eventSex == TSex::Mixed || (eventSex == TSex::Female) == female;
  }
  static bool AgeFits(const TEventInfo &event, int birthYear)
  {
    return std::any_of(event.Ages.begin(), event.Ages.end(), [birthYear](const auto &range) {
      return (range.first < 0 || range.first <= birthYear) &&
             (range.second < 0 || range.second >= birthYear);
    });
  }

  void AddIndividualEntries(const TPersonInfo &person)
  {
    std::vector<const TEventInfo *> open;
    for (const TEventInfo &event : FEvents)
      if (event.Shape.Swimmers == 1 && TakesEntries(event.Shape) &&
          SexFits(event.Shape.Sex, person.Female) && AgeFits(event, person.BirthYear))
        open.push_back(&event);
    const int wanted = std::min(int(open.size()), Pick(1, 6));
    if (wanted == 0)
      return;
    auto *entries = AddCollection(person.Element, aqtENTRIES);
    for (int i = 0; i < wanted; ++i) {
      std::swap(open[i], open[Pick(i, int(open.size()) - 1)]);
      const TEventInfo &event = *open[i];
      auto *entry = entries->AddNew();
      entry->SetInt(aqtEID, event.Id);
      const double seconds =
          RaceSeconds(event.Shape.Stroke, event.Shape.Distance, person.Female, person.Slowness);
      SetTime(entry, aqtTIME, aqpEntry, SecondsToChron(seconds));
    }
  }

  // Relay teams of one club: up to two teams per gender, each entered in every relay
  // of its gender with four distinct swimmers of the club on the legs.
  void AddRelays(TAqnObject *club, const std::vector<TPersonInfo> &persons, const QString &clubName)
  {
    std::vector<const TPersonInfo *> women, men;
    for (const TPersonInfo &p : persons)
      (p.Female ? women : men).push_back(&p);
    TAqnCollection *relays = nullptr;
    for (TSex sex : {TSex::Female, TSex::Male, TSex::Mixed}) {
      const int teams = sex == TSex::Mixed
                            ? std::min({int(women.size()) / 2, int(men.size()) / 2, 1})
                            : std::min(int((sex == TSex::Female ? women : men).size()) / 4, 2);
      for (int team = 1; team <= teams; ++team) {
        std::vector<const TEventInfo *> races;
        for (const TEventInfo &event : FEvents)
          if (event.Shape.Swimmers > 1 && event.Shape.Sex == sex && TakesEntries(event.Shape))
            races.push_back(&event);
        if (races.empty())
          continue;
        if (!relays)
          relays = AddCollection(club, aqtRELAYS);
        auto *relay = relays->AddNew();
        relay->Id = ++FRelayId;
        relay->SetInt(aqtNUM, team);
        if (team > 1)
          relay->SetText(aqtNAME, QStringLiteral("%1 II").arg(clubName));
        relay->SetText(aqtSEX, QLatin1String(SexCode(sex)));
        auto *entries = AddCollection(relay, aqtENTRIES);
        for (const TEventInfo *race : races)
          AddRelayEntry(entries, *race, Swimmers(sex, women, men));
      }
    }
  }

  std::vector<const TPersonInfo *> Swimmers(TSex sex, std::vector<const TPersonInfo *> women,
                                            std::vector<const TPersonInfo *> men)
  {
    const auto draw = [this](std::vector<const TPersonInfo *> &from, int count,
                             std::vector<const TPersonInfo *> &into) {
      for (int i = 0; i < count; ++i) {
        std::swap(from[i], from[Pick(i, int(from.size()) - 1)]);
        into.push_back(from[i]);
      }
    };
    std::vector<const TPersonInfo *> legs;
    if (sex == TSex::Mixed) {
      draw(women, 2, legs);
      draw(men, 2, legs);
      std::swap(legs[1], legs[2]); // alternate the genders over the legs
    } else {
      draw(sex == TSex::Female ? women : men, 4, legs);
    }
    return legs;
  }

  void AddRelayEntry(TAqnCollection *entries, const TEventInfo &event,
                     const std::vector<const TPersonInfo *> &legs)
  {
    auto *entry = entries->AddNew();
    entry->SetInt(aqtEID, event.Id);
    double seconds = 0;
    for (const TPersonInfo *swimmer : legs)
      seconds +=
          RaceSeconds(event.Shape.Stroke, event.Shape.Distance, swimmer->Female, swimmer->Slowness);
    SetTime(entry, aqtTIME, aqpEntry, SecondsToChron(seconds));
    auto *positions = AddCollection(entry, aqtPOSITIONS);
    for (int leg = 0; leg < int(legs.size()); ++leg) {
      auto *position = positions->AddNew();
      position->SetInt(aqtNUM, leg + 1);
      position->SetInt(aqtPID, legs[leg]->Id);
    }
  }

  const TAqnMeetPlan FPlan;
  std::mt19937 FRandom;
  int FYear = 0;
  QDate FFirstDay;
  int FPoolLength = 50;
  int FRelayId = 0;
  std::vector<TEventInfo> FEvents;
};

} // namespace

QString MeetPlanProblem(const TAqnMeetPlan &plan)
{
  using namespace AqnMeetLimits;
  if (plan.Clubs < 1 || plan.Clubs > MaxClubs)
    return QStringLiteral("the number of clubs must be between 1 and %1").arg(MaxClubs);
  if (plan.Persons < 0 || plan.Persons > MaxPersons)
    return QStringLiteral("the number of persons must be between 0 and %1").arg(MaxPersons);
  if (plan.Events < 1 || plan.Events > MaxEvents)
    return QStringLiteral("the number of events must be between 1 and %1").arg(MaxEvents);
  return {};
}

std::unique_ptr<TAqnObject> GenerateMeet(const TAqnMeetPlan &plan)
{
  const QString problem = MeetPlanProblem(plan);
  if (!problem.isEmpty())
    throw EGvkAssertion(QStringLiteral("Meet plan refused: %1").arg(problem));
  return TMeetBuilder(plan).Build();
}
