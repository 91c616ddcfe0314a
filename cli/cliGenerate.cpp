#include "cli/cliArguments.h"
#include "cli/cliCommands.h"
#include "cli/cliCommon.h"
#include "cli/cliSave.h"
#include "format/aqnMeetGenerator.h"

#include <limits>

int RunGenerate(const QStringList &args)
{
  TCliArguments arguments(args, 1,
                          {{QStringLiteral("clubs"), true},
                           {QStringLiteral("persons"), true},
                           {QStringLiteral("events"), true},
                           {QStringLiteral("seed"), true}});
  TAqnMeetPlan plan;
  if (arguments.Problem().isEmpty()) {
    using namespace AqnMeetLimits;
    plan.Clubs = int(arguments.Number(QStringLiteral("clubs"), 1, MaxClubs).value_or(0));
    plan.Persons = int(arguments.Number(QStringLiteral("persons"), 0, MaxPersons).value_or(0));
    plan.Events = int(arguments.Number(QStringLiteral("events"), 1, MaxEvents).value_or(0));
    plan.Seed = std::uint32_t(
        arguments
            .Number(QStringLiteral("seed"), 0, std::numeric_limits<std::uint32_t>::max(), plan.Seed)
            .value_or(0));
  }
  if (const auto refused = RefusedArguments(
          arguments, QStringLiteral("generate OUT --clubs N --persons M --events E [--seed S]"),
          false))
    return *refused;

  TAquon document(GenerateMeet(plan));
  Out() << "wrote " << SaveMeet(document, arguments.Positional(0)) << '\n';
  return cliOk;
}
