#pragma once
// Readable failure messages for Qt texts. Every test file of the program that compares
// QStrings includes it, so all instances of the printer templates agree.
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
  *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList &list, std::ostream *os)
{
  *os << '{';
  for (qsizetype i = 0; i < list.size(); ++i)
    *os << (i ? ", " : "") << '"' << list.at(i).toStdString() << '"';
  *os << '}';
}
