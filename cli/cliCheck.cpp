#include "cli/cliArguments.h"
#include "cli/cliCommands.h"
#include "cli/cliCommon.h"

namespace {

QString Counted(qsizetype n, const char *singular, const char *plural)
{
  return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? singular : plural));
}

} // namespace

int RunCheck(const QStringList &args)
{
  TCliArguments arguments(args, 1, {});
  if (const auto refused = RefusedArguments(arguments, QStringLiteral("check FILE"), true))
    return *refused;
  const QString fileName = arguments.Positional(0);

  TAquon document;
  LoadMeet(document, fileName);
  PrintMessages(document, Out());
  const qsizetype errors = document.Errors().size();
  Out() << fileName << ": " << Counted(errors, "error", "errors") << ", "
        << Counted(document.Warnings().size(), "warning", "warnings") << '\n';
  Out().flush();
  return errors == 0 ? cliOk : cliFailed;
}
