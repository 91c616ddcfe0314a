#pragma once
// The per-competition index of an Aquon document: persons, events and age groups by
// their id texts. The maps hold references; the tree owns the elements.
#include <QMap>
#include <QString>

class TAqnObject;

// A map from id text to element, kept in the order of the key texts compared without
// regard to case (so "10" comes before "9"); a key is held once.
class TAqnIdMap
{
public:
  // False, and nothing changes, when the key is present already.
  bool Add(const QString &key, TAqnObject *element);
  TAqnObject *Find(const QString &key) const;
  void Remove(const QString &key);
  int Count() const { return int(FMap.size()); }

  // Walk in key order.
  auto begin() const { return FMap.cbegin(); }
  auto end() const { return FMap.cend(); }

private:
  static QString Folded(const QString &key) { return key.toCaseFolded(); }
  QMap<QString, TAqnObject *> FMap;
};

struct TAqnCompetitionIndex
{
  TAqnIdMap Persons;
  TAqnIdMap Events;
  TAqnIdMap Cats; // key: event id text + "=" + age group id text
  int MaxPersonId = 0;
};
