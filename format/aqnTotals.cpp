#include "format/aqnTotals.h"

#include "format/aquon.h"

namespace {

// Adds the entries of one person or relay: each counts, and costs its event's fee.
void AddEntries(const TAquon &document, const TAqnAbstractObject &entrant, int &count, qint64 &fee,
                QString &currency)
{
  TAqnAbstractElement *entries = entrant.FindChild(aqtENTRIES);
  if (!entries || !entries->AsObject())
    return;
  for (const auto &entry : entries->AsObject()->Children()) {
    ++count;
    const TAqnAbstractObject *entryObject = entry->AsObject();
    if (!entryObject)
      continue;
    const TAqnObject *event = document.EventById(entryObject->GetInt(aqtEID));
    if (!event)
      continue;
    fee += event->GetInt(aqtFEE);
    if (currency.isEmpty())
      if (const TAqnAbstractElement *feeElement = event->FindChild(aqtFEE))
        currency = feeElement->GetAttribute(aqaCURRENCY);
  }
}

void AddMembers(const TAquon &document, const TAqnAbstractObject &club, TAqnTag collection,
                int &count, qint64 &fee, QString &currency)
{
  TAqnAbstractElement *members = club.FindChild(collection);
  if (!members || !members->AsObject())
    return;
  for (const auto &member : members->AsObject()->Children())
    if (const TAqnAbstractObject *entrant = member->AsObject())
      AddEntries(document, *entrant, count, fee, currency);
}

} // namespace

QString TAqnTotals::CountText(int count)
{
  return count == 0 ? QStringLiteral("-") : QString::number(count);
}

QString TAqnTotals::AmountText(qint64 hundredths, QChar decimalPoint)
{
  if (hundredths == 0)
    return QStringLiteral("-");
  const qint64 magnitude = hundredths < 0 ? -hundredths : hundredths;
  return QStringLiteral("%1%2%3%4")
      .arg(hundredths < 0 ? QStringLiteral("-") : QString())
      .arg(magnitude / 100)
      .arg(decimalPoint)
      .arg(int(magnitude % 100), 2, 10, QLatin1Char('0'));
}

QString TAqnTotals::TotalText(QChar decimalPoint) const
{
  const qint64 total = TotalFee();
  return total == 0 ? QStringLiteral("-")
                    : Currency + QLatin1Char(' ') + AmountText(total, decimalPoint);
}

TAqnTotals ComputeTotals(const TAquon &document)
{
  TAqnTotals totals;
  const TAqnObject *competition = document.Competition();
  if (!competition)
    return totals;
  TAqnAbstractElement *clubs = competition->FindChild(aqtCLUBS);
  if (!clubs || !clubs->AsObject())
    return totals;
  for (const auto &club : clubs->AsObject()->Children()) {
    const TAqnAbstractObject *clubObject = club->AsObject();
    if (!clubObject)
      continue;
    AddMembers(document, *clubObject, aqtPERSONS, totals.IndividualCount, totals.IndividualFee,
               totals.Currency);
    AddMembers(document, *clubObject, aqtRELAYS, totals.RelayCount, totals.RelayFee,
               totals.Currency);
  }
  return totals;
}
