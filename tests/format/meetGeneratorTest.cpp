#include "format/aqnMeetGenerator.h"
#include "foundation/gvkErrors.h"

#include <QSet>
#include <gtest/gtest.h>
#include <map>

namespace {

QStringList Lines(TAqnObject &root)
{
  QStringList lines;
  root.WriteXml(lines);
  return lines;
}

std::vector<TAqnObject *> Members(const TAqnAbstractObject *parent, TAqnTag collection)
{
  std::vector<TAqnObject *> result;
  if (auto *list = parent ? parent->FindChild(collection) : nullptr)
    for (const auto &child : list->AsObject()->Children())
      result.push_back(static_cast<TAqnObject *>(child.get()));
  return result;
}

TAqnObject *Competition(TAqnObject &root)
{
  return Members(&root, aqtCOMPETITIONS).at(0);
}

TEST(MeetGenerator, SameSeedSameTreeOtherSeedOtherTree)
{
  const TAqnMeetPlan plan{4, 60, 18, 7};
  auto first = GenerateMeet(plan);
  auto second = GenerateMeet(plan);
  EXPECT_EQ(Lines(*first), Lines(*second));
  TAqnMeetPlan other = plan;
  other.Seed = 8;
  EXPECT_NE(Lines(*first), Lines(*GenerateMeet(other)));
}

TEST(MeetGenerator, BuildsThePlannedNumbersOfEventsClubsAndPersons)
{
  for (const TAqnMeetPlan &plan :
       {TAqnMeetPlan{1, 0, 1, 1}, TAqnMeetPlan{3, 10, 7, 2}, TAqnMeetPlan{20, 333, 61, 3}}) {
    auto root = GenerateMeet(plan);
    TAqnObject *competition = Competition(*root);
    int events = 0;
    for (TAqnObject *period : Members(competition, aqtPERIODS)) {
      EXPECT_TRUE(period->Child(aqtDATE, false)->AsDate().isValid());
      events += int(Members(period, aqtEVENTS).size());
    }
    EXPECT_EQ(events, plan.Events);
    const auto clubs = Members(competition, aqtCLUBS);
    EXPECT_EQ(int(clubs.size()), plan.Clubs);
    int persons = 0;
    for (TAqnObject *club : clubs)
      persons += int(Members(club, aqtPERSONS).size());
    EXPECT_EQ(persons, plan.Persons);
  }
}

// Every entry must be one the entries and relay dialogs would accept: an entry-taking
// event of the right gender and age, relay legs swum by distinct persons of the club.
TEST(MeetGenerator, EntriesFitTheirEventsAndRelayLegsNameClubMembers)
{
  auto root = GenerateMeet({6, 300, 40, 11});
  TAqnObject *competition = Competition(*root);
  std::map<int, TAqnObject *> events;
  QSet<QString> strokes, types;
  for (TAqnObject *period : Members(competition, aqtPERIODS))
    for (TAqnObject *event : Members(period, aqtEVENTS)) {
      EXPECT_TRUE(events.emplace(event->Id, event).second) << "duplicate event id";
      strokes.insert(event->GetText(aqtSTR));
      types.insert(event->GetText(aqtTYPE));
      EXPECT_EQ(event->Child(aqtFEE, false)->GetAttribute(aqaCURRENCY), QStringLiteral("EUR"));
    }
  EXPECT_EQ(strokes, (QSet<QString>{"FR", "BU", "BA", "BR", "IM"}));
  EXPECT_EQ(types, (QSet<QString>{"TIM", "PRE", "FIN"}));

  int individual = 0, relayEntries = 0;
  const int year = 2027;
  for (TAqnObject *club : Members(competition, aqtCLUBS)) {
    std::map<int, TAqnObject *> members;
    for (TAqnObject *person : Members(club, aqtPERSONS)) {
      members.emplace(person->Id, person);
      const QString sex = person->GetText(aqtSEX);
      const int yob = person->GetInt(aqtYOB);
      EXPECT_EQ(person->Child(aqtBIRTHDATE, false)->AsDate().year(), yob);
      for (TAqnObject *entry : Members(person, aqtENTRIES)) {
        ++individual;
        TAqnObject *event = events.at(entry->GetInt(aqtEID));
        EXPECT_EQ(event->GetInt(aqtDISCNT), 1);
        EXPECT_TRUE(QStringLiteral("TIM@PRE").contains(event->GetText(aqtTYPE)));
        EXPECT_TRUE(event->GetText(aqtSEX) == sex || event->GetText(aqtSEX) == "X");
        bool ageFits = false;
        for (TAqnObject *cat : Members(event, aqtCATS)) {
          const int min = cat->GetInt(aqtMIN), max = cat->GetInt(aqtMAX);
          ageFits |= (min == -1 || min <= yob) && (max == -1 || max >= yob);
        }
        EXPECT_TRUE(ageFits) << yob << " in event " << event->GetInt(aqtNUM);
        EXPECT_GT(entry->Child(aqtTIME, false)->GetTime(aqpEntry), 0);
        EXPECT_LT(year - yob, 50);
      }
    }
    for (TAqnObject *relay : Members(club, aqtRELAYS))
      for (TAqnObject *entry : Members(relay, aqtENTRIES)) {
        ++relayEntries;
        TAqnObject *event = events.at(entry->GetInt(aqtEID));
        EXPECT_EQ(event->GetInt(aqtDISCNT), 4);
        EXPECT_EQ(event->GetText(aqtSEX), relay->GetText(aqtSEX));
        QSet<int> swimmers;
        int leg = 0;
        for (TAqnObject *position : Members(entry, aqtPOSITIONS)) {
          EXPECT_EQ(position->GetInt(aqtNUM), ++leg);
          TAqnObject *person = members.at(position->GetInt(aqtPID));
          if (relay->GetText(aqtSEX) != "X") {
            EXPECT_EQ(person->GetText(aqtSEX), relay->GetText(aqtSEX));
          }
          swimmers.insert(person->Id);
        }
        EXPECT_EQ(swimmers.size(), 4);
      }
  }
  EXPECT_GT(individual, 300);
  EXPECT_GT(relayEntries, 6);
}

TEST(MeetGenerator, RefusesPlansOutsideTheLimits)
{
  for (const TAqnMeetPlan &plan :
       {TAqnMeetPlan{0, 1, 1, 1}, TAqnMeetPlan{1, -1, 1, 1}, TAqnMeetPlan{1, 1, 0, 1},
        TAqnMeetPlan{1, 1, AqnMeetLimits::MaxEvents + 1, 1}}) {
    EXPECT_FALSE(MeetPlanProblem(plan).isEmpty());
    EXPECT_THROW(GenerateMeet(plan), EGvkAssertion);
  }
}

} // namespace
