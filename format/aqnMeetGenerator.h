#pragma once
// Synthetic but realistic meets for the command line, the benchmarks, the tests and the
// bundled sample: one competition with periods, events of every stroke with age groups
// and fees, clubs with persons, individual entries and relay teams. Everything is drawn
// from a seeded generator and no clock, so the same plan always gives the same tree.
#include "format/aqnElements.h"

#include <cstdint>
#include <memory>

struct TAqnMeetPlan
{
  int Clubs = 10;
  int Persons = 200; // in all, spread evenly over the clubs
  int Events = 30;
  std::uint32_t Seed = 1;
};

// The limits a plan must keep; the command line refuses plans outside them.
namespace AqnMeetLimits {
inline constexpr int MaxClubs = 100000;
inline constexpr int MaxPersons = 5000000;
inline constexpr int MaxEvents = 999;
} // namespace AqnMeetLimits

// An empty text when the plan is within the limits, otherwise what is wrong with it.
QString MeetPlanProblem(const TAqnMeetPlan &plan);

// A new AQUON root with VERSION and COMPETITIONS (no creator record: the caller adds the
// one of the program that saves it). Throws EGvkAssertion for a plan outside the limits.
std::unique_ptr<TAqnObject> GenerateMeet(const TAqnMeetPlan &plan);
