#pragma once
// The figures of one competition that the info command prints.
#include "format/aqnTotals.h"

#include <QJsonObject>
#include <QString>

class TAquon;

struct TCompetitionInfo
{
  QString Name;
  QString Place;
  int PoolLength = 0;
  QString PoolMeasure;
  QString Deadline; // ISO date, empty when there is none
  int Periods = 0;
  int Events = 0;
  int Clubs = 0;
  int Persons = 0;
  TAqnTotals Totals;

  QJsonObject ToJson() const;
  QString ToText(int number) const;
};

// Selects each competition of an indexed document in turn and gathers its figures.
QList<TCompetitionInfo> CompetitionInfos(TAquon &document);
