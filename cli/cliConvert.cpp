#include "cli/cliArguments.h"
#include "cli/cliCommands.h"
#include "cli/cliCommon.h"
#include "cli/cliSave.h"

int RunConvert(const QStringList &args)
{
  TCliArguments arguments(args, 2, {});
  if (const auto refused = RefusedArguments(arguments, QStringLiteral("convert IN OUT"), true))
    return *refused;
  const QString input = arguments.Positional(0);

  TAquon document;
  LoadMeet(document, input);
  if (!document.Errors().isEmpty() || !document.Root()) {
    PrintMessages(document, Err());
    return Fail(cliFailed, QStringLiteral("%1 has errors; nothing was written").arg(input));
  }
  Out() << "wrote " << SaveMeet(document, arguments.Positional(1)) << '\n';
  return cliOk;
}
