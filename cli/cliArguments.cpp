#include "cli/cliArguments.h"

#include <algorithm>

TCliArguments::TCliArguments(const QStringList &args, int positionalCount,
                             const QList<TCliOptionSpec> &options)
{
  for (int i = 0; i < args.size() && FProblem.isEmpty(); ++i) {
    const QString &arg = args.at(i);
    if (!arg.startsWith(QLatin1String("--")) || arg == QLatin1String("--")) {
      FPositional << arg;
      continue;
    }
    const QString name = arg.mid(2);
    const auto known = std::find_if(options.begin(), options.end(),
                                    [&name](const TCliOptionSpec &o) { return o.Name == name; });
    if (known == options.end())
      FProblem = QStringLiteral("unknown option %1").arg(arg);
    else if (FValues.contains(name))
      FProblem = QStringLiteral("option %1 given twice").arg(arg);
    else if (!known->TakesValue)
      FValues.insert(name, QString());
    else if (i + 1 >= args.size())
      FProblem = QStringLiteral("option %1 needs a value").arg(arg);
    else
      FValues.insert(name, args.at(++i));
  }
  if (FProblem.isEmpty() && FPositional.size() != positionalCount)
    FProblem = FPositional.size() < positionalCount
                   ? QStringLiteral("too few arguments")
                   : QStringLiteral("unexpected argument %1").arg(FPositional.at(positionalCount));
}

std::optional<qint64> TCliArguments::Number(const QString &name, qint64 low, qint64 high,
                                            std::optional<qint64> fallback)
{
  if (!FValues.contains(name)) {
    if (!fallback && FProblem.isEmpty())
      FProblem = QStringLiteral("option --%1 is required").arg(name);
    return fallback;
  }
  bool ok = false;
  const qint64 value = FValues.value(name).toLongLong(&ok);
  if (!ok || value < low || value > high) {
    if (FProblem.isEmpty())
      FProblem = QStringLiteral("option --%1 needs a whole number from %2 to %3, not \"%4\"")
                     .arg(name)
                     .arg(low)
                     .arg(high)
                     .arg(FValues.value(name));
    return std::nullopt;
  }
  return value;
}
