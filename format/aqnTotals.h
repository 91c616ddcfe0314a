#pragma once
// The counts and fees of all entries of a competition, as the main window totals them:
// every club of the selected competition, persons' entries as individual entries and
// relay entries as relay entries, each entry costing the FEE of its event. Entries
// whose event is unknown are counted but cost nothing.
#include <QString>
#include <QtGlobal>

class TAquon;

struct TAqnTotals
{
  int IndividualCount = 0;
  qint64 IndividualFee = 0; // hundredths of the currency unit
  int RelayCount = 0;
  qint64 RelayFee = 0;
  QString Currency; // of the first event met that has a FEE element

  qint64 TotalFee() const { return IndividualFee + RelayFee; }

  // The main window's label texts: a count, or "-" for 0; an amount with two decimals
  // and the given decimal separator, or "-" for 0; the total with the currency in front.
  static QString CountText(int count);
  static QString AmountText(qint64 hundredths, QChar decimalPoint);
  QString TotalText(QChar decimalPoint) const;
};

// The totals of the document's selected competition (SelectCompetition after
// BuildIndex); all zero when none is selected.
TAqnTotals ComputeTotals(const TAquon &document);
