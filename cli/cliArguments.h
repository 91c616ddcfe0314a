#pragma once
// The arguments of one command: positional values and "--name value" or "--flag"
// options, checked against what the command accepts.
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

struct TCliOptionSpec
{
  QString Name;    // without the leading "--"
  bool TakesValue; // "--name value" rather than a flag
};

class TCliArguments
{
public:
  // Splits args; Problem() tells what is wrong (an unknown option, a missing value, the
  // wrong number of positional values).
  TCliArguments(const QStringList &args, int positionalCount, const QList<TCliOptionSpec> &options);

  const QString &Problem() const { return FProblem; }
  const QString &Positional(int i) const { return FPositional.at(i); }
  bool HasFlag(const QString &name) const { return FValues.contains(name); }
  // The option's value as a number within [low, high]; fallback when the option is
  // absent; nothing (and Problem() set) when it is not such a number.
  std::optional<qint64> Number(const QString &name, qint64 low, qint64 high,
                               std::optional<qint64> fallback = std::nullopt);

private:
  QStringList FPositional;
  QMap<QString, QString> FValues;
  QString FProblem;
};
