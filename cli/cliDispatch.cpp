#include "cli/cliCommands.h"
#include "cli/cliCommon.h"

#include "foundation/gvkErrors.h"

#include <exception>

int PrintUsage(int code)
{
  QTextStream &stream = code == cliOk ? Out() : Err();
  stream << "Usage: quillet-cli COMMAND ARGUMENTS\n"
            "\n"
            "  check FILE             load and index an Aquon file, list its errors and warnings\n"
            "  info FILE [--json]     creator, competitions, counts and entry fees\n"
            "  convert IN OUT         save IN as the program does; OUT ending in .aqz is zipped\n"
            "  generate OUT --clubs N --persons M --events E [--seed S]\n"
            "                         write a synthetic meet (M persons in all)\n"
            "\n"
            "Exit codes: 0 success, 1 errors in the file or a failed save, 2 wrong arguments\n"
            "or a file that cannot be opened.\n";
  stream.flush();
  return code;
}

int RunCommand(const QStringList &args)
{
  if (args.isEmpty())
    return PrintUsage(cliUsage);
  const QString command = args.first();
  const QStringList rest = args.mid(1);
  try {
    if (command == QLatin1String("check"))
      return RunCheck(rest);
    if (command == QLatin1String("info"))
      return RunInfo(rest);
    if (command == QLatin1String("convert"))
      return RunConvert(rest);
    if (command == QLatin1String("generate"))
      return RunGenerate(rest);
    if (command == QLatin1String("help") || command == QLatin1String("--help") ||
        command == QLatin1String("-h"))
      return PrintUsage(cliOk);
  } catch (const EGvkError &error) {
    return Fail(cliFailed, error.Message());
  } catch (const std::bad_alloc &) {
    return Fail(cliFailed, QStringLiteral("out of memory"));
  } catch (const std::exception &error) {
    return Fail(cliFailed, QString::fromLocal8Bit(error.what()));
  }
  Fail(cliUsage, QStringLiteral("unknown command \"%1\"").arg(command));
  return PrintUsage(cliUsage);
}
