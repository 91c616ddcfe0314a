#pragma once
// Text helpers shared by the whole system, and swim times ("chron" values).
//
// A chron value is minutes * 600000 + seconds * 10000 + tenths * 1000 + hundredths * 10;
// 100 in place of the hundredths term marks a time known only to the tenth; 0 is no time.
// Positions and counts are in characters (QString), numbered from 1.
#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>

using TChron = std::int32_t;

QString PadRight(const QString &text, int width);
QString PadLeft(const QString &text, int width);
QString Spaces(int n);
QString IntToZeroPadded(int value, int width);

// Word mode (countEmpty/everyDelimiter false): runs of delimiters separate words.
// Field mode (both true): every delimiter ends a field; empty fields count.
int TokenCount(const QString &text, const QString &delimiters, bool countEmpty);
QString GetToken(const QString &text, const QString &delimiters, int n, bool everyDelimiter);
bool IsToken(const QString &list, const QString &delimiters, const QString &word);

int FieldCount(const QString &text);
QString GetFields(const QString &text, int first, int count);
bool IsInList(const QString &value, const QString &list);
QString JoinFields(const QStringList &texts);
QString ReplaceAll(const QString &text, const QString &oldText, const QString &newText);
QString ToPlainAscii(const QString &text, bool blankOthers);

QString ChronToText(TChron value, bool withHundredths);
// Throws EGvkOverflow when the minutes carry the value out of the 32-bit range.
TChron TextToChron(const QString &text);

// The date in the system locale's long or short date format; empty for an invalid date.
QString DateToText(bool longFormat, const QDate &date);
// The date in a date format of QLocale's kind (d, dd, ddd, dddd, M .. MMMM, yy, yyyy,
// 'quoted text'), with the month and day names set by SetDateNames.
QString FormatDateText(const QString &format, const QDate &date);

// Month and day names used by every date text (12 months, 7 days beginning with Sunday).
// Until set, the system locale's names are used; the language manager replaces them.
// A list of another length (an empty one, say) leaves the locale's names for that kind.
void SetDateNames(const QStringList &longMonths, const QStringList &shortMonths,
                  const QStringList &longDays, const QStringList &shortDays);

// The separators between the parts of a time and of a short date in the system locale;
// ":" and "." where the locale would separate them by a blank.
QString TimeSeparator();
QString DateSeparator();
