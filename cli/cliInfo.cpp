#include "cli/cliInfo.h"

#include "cli/cliArguments.h"
#include "cli/cliCommands.h"
#include "cli/cliCommon.h"
#include "format/aquon.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// The members of a collection child, or none when there is no such collection.
const TAqnAbstractObject::TChildren &Members(const TAqnAbstractObject &parent, TAqnTag tag)
{
  static const TAqnAbstractObject::TChildren none;
  TAqnAbstractElement *child = parent.FindChild(tag);
  return child && child->AsObject() ? child->AsObject()->Children() : none;
}

// How many members the collections named by inner hold, over all members of outer.
int CountBelow(const TAqnAbstractObject &parent, TAqnTag outer, TAqnTag inner)
{
  int count = 0;
  for (const auto &member : Members(parent, outer))
    if (const TAqnAbstractObject *object = member->AsObject())
      count += int(Members(*object, inner).size());
  return count;
}

TCompetitionInfo GatherInfo(TAquon &document, const TAqnObject &competition)
{
  TCompetitionInfo info;
  info.Name = competition.GetText(aqtNAME);
  info.Place = competition.GetText(aqtPLACE);
  info.PoolLength = competition.GetInt(aqtPL);
  info.PoolMeasure = competition.GetText(aqtPM);
  if (auto *deadline = competition.FindChild(aqtDEADLINE); deadline && deadline->AsData())
    info.Deadline = deadline->AsData()->AsDate().toString(Qt::ISODate);
  info.Periods = int(Members(competition, aqtPERIODS).size());
  info.Events = CountBelow(competition, aqtPERIODS, aqtEVENTS);
  info.Clubs = int(Members(competition, aqtCLUBS).size());
  info.Persons = CountBelow(competition, aqtCLUBS, aqtPERSONS);
  info.Totals = ComputeTotals(document);
  return info;
}

QString Amount(qint64 hundredths)
{
  // Zero is shown as an amount here, not as the main window's "-".
  return hundredths == 0 ? QStringLiteral("0.00")
                         : TAqnTotals::AmountText(hundredths, QLatin1Char('.'));
}

} // namespace

QList<TCompetitionInfo> CompetitionInfos(TAquon &document)
{
  QList<TCompetitionInfo> infos;
  if (!document.HasCompetitions())
    return infos;
  const auto &competitions = Members(*document.Root(), aqtCOMPETITIONS);
  for (int i = 0; i < int(competitions.size()); ++i) {
    document.SelectCompetition(i);
    if (const TAqnObject *competition = document.Competition())
      infos << GatherInfo(document, *competition);
  }
  return infos;
}

QJsonObject TCompetitionInfo::ToJson() const
{
  return QJsonObject{
      {"name", Name},
      {"place", Place},
      {"poolLength", PoolLength},
      {"poolMeasure", PoolMeasure},
      {"deadline", Deadline},
      {"periods", Periods},
      {"events", Events},
      {"clubs", Clubs},
      {"persons", Persons},
      {"individualEntries", Totals.IndividualCount},
      {"individualFee", Totals.IndividualFee},
      {"relayEntries", Totals.RelayCount},
      {"relayFee", Totals.RelayFee},
      {"totalFee", Totals.TotalFee()},
      {"currency", Totals.Currency},
  };
}

QString TCompetitionInfo::ToText(int number) const
{
  QString text;
  QTextStream stream(&text);
  stream << "Competition " << number << ": " << Name << '\n'
         << "  Place:              " << Place << '\n'
         << "  Pool:               " << PoolLength << ' ' << PoolMeasure << '\n'
         << "  Entry deadline:     " << (Deadline.isEmpty() ? QStringLiteral("-") : Deadline)
         << '\n'
         << "  Periods:            " << Periods << '\n'
         << "  Events:             " << Events << '\n'
         << "  Clubs:              " << Clubs << '\n'
         << "  Persons:            " << Persons << '\n'
         << "  Individual entries: " << Totals.IndividualCount << ", fees "
         << Amount(Totals.IndividualFee) << '\n'
         << "  Relay entries:      " << Totals.RelayCount << ", fees " << Amount(Totals.RelayFee)
         << '\n'
         << "  Total fees:         "
         << (Totals.Currency.isEmpty() ? QString() : Totals.Currency + QLatin1Char(' '))
         << Amount(Totals.TotalFee()) << '\n';
  return text;
}

int RunInfo(const QStringList &args)
{
  TCliArguments arguments(args, 1, {{QStringLiteral("json"), false}});
  if (const auto refused = RefusedArguments(arguments, QStringLiteral("info FILE [--json]"), true))
    return *refused;
  const QString fileName = arguments.Positional(0);

  TAquon document;
  LoadMeet(document, fileName);
  if (!document.Errors().isEmpty()) {
    PrintMessages(document, Err());
    return Fail(cliFailed, QStringLiteral("%1 has errors").arg(fileName));
  }
  const QString fileInfo = document.FileInfoText().replace(QLatin1String("\r\n"), "\n");
  const QList<TCompetitionInfo> infos = CompetitionInfos(document);
  if (arguments.HasFlag(QStringLiteral("json"))) {
    QJsonArray competitions;
    for (const TCompetitionInfo &info : infos)
      competitions.append(info.ToJson());
    const QJsonObject result{
        {"file", fileName}, {"fileInfo", fileInfo}, {"competitions", competitions}};
    Out() << QJsonDocument(result).toJson(QJsonDocument::Indented);
  } else {
    Out() << fileInfo << '\n';
    if (infos.isEmpty())
      Out() << "No competitions.\n";
    for (int i = 0; i < infos.size(); ++i)
      Out() << '\n' << infos.at(i).ToText(i + 1);
  }
  Out().flush();
  return cliOk;
}
