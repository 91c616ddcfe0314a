#include "foundation/gvkStrings.h"

#include "foundation/gvkErrors.h"

#include <QLocale>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

struct TokenRange
{
  qsizetype Start = -1; // -1: no such token
  qsizetype End = -1;
};

bool IsDelimiter(QChar c, const QString &delimiters)
{
  return delimiters.contains(c);
}

// The n-th token (1-based) of text; fieldMode makes every delimiter end a field.
TokenRange FindToken(const QString &text, const QString &delimiters, int n, bool fieldMode)
{
  if (text.isEmpty())
    return {};
  if (n < 1)
    n = 1;
  int index = 0;
  qsizetype i = 0;
  const qsizetype len = text.size();
  if (fieldMode) {
    qsizetype start = 0;
    for (i = 0; i <= len; ++i) {
      if (i == len || IsDelimiter(text.at(i), delimiters)) {
        if (++index == n)
          return {start, i};
        start = i + 1;
      }
    }
    return {};
  }
  while (i < len) {
    while (i < len && IsDelimiter(text.at(i), delimiters))
      ++i;
    if (i == len)
      break;
    const qsizetype start = i;
    while (i < len && !IsDelimiter(text.at(i), delimiters))
      ++i;
    if (++index == n)
      return {start, i};
  }
  return {};
}

} // namespace

int TokenCount(const QString &text, const QString &delimiters, bool countEmpty)
{
  if (text.isEmpty())
    return 0;
  int count = 0;
  if (countEmpty) {
    count = 1;
    for (QChar c : text)
      if (IsDelimiter(c, delimiters))
        ++count;
    return count;
  }
  bool inWord = false;
  for (QChar c : text) {
    const bool delimiter = IsDelimiter(c, delimiters);
    if (!delimiter && !inWord)
      ++count;
    inWord = !delimiter;
  }
  return count;
}

QString GetToken(const QString &text, const QString &delimiters, int n, bool everyDelimiter)
{
  const TokenRange range = FindToken(text, delimiters, n, everyDelimiter);
  if (range.Start < 0)
    return {};
  return text.mid(range.Start, range.End - range.Start);
}

QString ChronToText(TChron value, bool withHundredths)
{
  if (value / 1000 == 0 && (value % 100) / 10 == 0)
    return {};
  QString text = QStringLiteral("%1:%2.%3")
                     .arg(value / 600000, 2, 10, QLatin1Char(' '))
                     .arg((value % 600000) / 10000, 2, 10, QLatin1Char('0'))
                     .arg((value % 10000) / 1000);
  if (withHundredths) {
    const int hundredths = (value % 1000) / 10;
    text += hundredths > 9 ? QStringLiteral("*") : QString::number(hundredths);
  }
  if (text.startsWith(QLatin1String(" 0:")))
    text = QStringLiteral("   ") + text.mid(3);
  return text;
}

namespace {

// A trimmed field as an integer: 0 when it is not a number; an overflow error when it
// is a number too large to hold.
qint64 ChronField(const QString &field)
{
  const QString trimmed = field.trimmed();
  bool ok = false;
  const qint64 value = trimmed.toLongLong(&ok);
  if (ok)
    return value;
  static const QString digits = QStringLiteral("0123456789");
  const QString unsignedPart = trimmed.startsWith(QLatin1Char('-')) ? trimmed.mid(1) : trimmed;
  const bool allDigits =
      !unsignedPart.isEmpty() && std::all_of(unsignedPart.begin(), unsignedPart.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
      });
  if (allDigits)
    throw EGvkOverflow(QStringLiteral("The time \"%1\" is too large.").arg(field));
  return 0;
}

int DigitOr(const QString &text, qsizetype pos, int fallback)
{
  if (pos < text.size() && text.at(pos) >= QLatin1Char('0') && text.at(pos) <= QLatin1Char('9'))
    return text.at(pos).unicode() - '0';
  return fallback;
}

} // namespace

TChron TextToChron(const QString &input)
{
  QString text = input;
  if (text == QLatin1String("99:99.99") || text == QLatin1String("99:99,99"))
    text = QStringLiteral("59:59.99");
  static const QString delimiters = QStringLiteral(":.,");
  const int n = TokenCount(text, delimiters, true);
  if (n < 2)
    return 0;
  const qint64 minutes = n >= 3 ? ChronField(GetToken(text, delimiters, 1, true)) : 0;
  const qint64 seconds = ChronField(GetToken(text, delimiters, n - 1, true));
  const QString fraction = GetToken(text, delimiters, n, true).trimmed();
  const int tenths = DigitOr(fraction, 0, 0);
  const int hundredths = fraction.size() < 2 ? 0 : DigitOr(fraction, 1, 10);
  const qint64 result = minutes * 600000 + seconds * 10000 + tenths * 1000 + hundredths * 10;
  if (result > std::numeric_limits<TChron>::max() || result < std::numeric_limits<TChron>::min() ||
      minutes > std::numeric_limits<TChron>::max() ||
      seconds > std::numeric_limits<TChron>::max() ||
      minutes < std::numeric_limits<TChron>::min() || seconds < std::numeric_limits<TChron>::min())
    throw EGvkOverflow(QStringLiteral("The time \"%1\" is too large.").arg(input));
  return static_cast<TChron>(result);
}

QString Spaces(int n)
{
  return n > 0 ? QString(n, QLatin1Char(' ')) : QString();
}

QString PadRight(const QString &text, int width)
{
  if (width <= 0)
    return {};
  return text.size() >= width ? text.left(width) : text + Spaces(width - int(text.size()));
}

QString PadLeft(const QString &text, int width)
{
  if (width <= 0)
    return {};
  return text.size() >= width ? text.left(width) : Spaces(width - int(text.size())) + text;
}

QString IntToZeroPadded(int value, int width)
{
  // The minus sign stays where the number puts it: -5 at width 3 gives "0-5".
  return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

bool IsToken(const QString &list, const QString &delimiters, const QString &word)
{
  if (list.isEmpty())
    return true;
  const int count = TokenCount(list, delimiters, false);
  for (int i = 1; i <= count; ++i)
    if (GetToken(list, delimiters, i, false) == word)
      return true;
  return false;
}

namespace {
const QString FieldDelimiter = QStringLiteral(";");
}

int FieldCount(const QString &text)
{
  return TokenCount(text, FieldDelimiter, true);
}

QString GetFields(const QString &text, int first, int count)
{
  QStringList fields;
  const int available = FieldCount(text);
  const qint64 start = std::max(first, 1); // wide, so first + count cannot overflow
  for (qint64 n = start; n < start + count; ++n)
    fields.append(n <= available ? GetToken(text, FieldDelimiter, int(n), true) : QString());
  return JoinFields(fields);
}

bool IsInList(const QString &value, const QString &list)
{
  return (FieldDelimiter + list + FieldDelimiter).contains(FieldDelimiter + value + FieldDelimiter);
}

QString JoinFields(const QStringList &texts)
{
  return texts.join(FieldDelimiter);
}

QString ReplaceAll(const QString &text, const QString &oldText, const QString &newText)
{
  if (oldText.isEmpty())
    return text; // nothing to find; an empty pattern would match between every character
  QString result = text;
  return result.replace(oldText, newText, Qt::CaseSensitive);
}

namespace {

// The plain letter of an accented one, or 0 when the character has none.
char16_t PlainLetter(QChar c)
{
  struct TGroup
  {
    const char16_t *Characters;
    char16_t Plain;
  };
  static const TGroup groups[] = {{u"ÀÁÂ", u'A'}, {u"Ç", u'C'},    {u"ÈÉÊË", u'E'}, {u"ÌÍÎ", u'I'},
                                  {u"Ñ", u'N'},   {u"ÒÓÔ", u'O'},  {u"ÙÚÛ", u'U'},  {u"àáâ", u'a'},
                                  {u"ç", u'c'},   {u"èéêë", u'e'}, {u"ìíî", u'i'},  {u"ñ", u'n'},
                                  {u"òóô", u'o'}, {u"ùúû", u'u'}};
  for (const TGroup &group : groups)
    for (const char16_t *p = group.Characters; *p; ++p)
      if (c.unicode() == *p)
        return group.Plain;
  return 0;
}

} // namespace

QString ToPlainAscii(const QString &text, bool blankOthers)
{
  static const std::pair<QString, QString> umlauts[] = {
      {QStringLiteral("Ä"), QStringLiteral("AE")}, {QStringLiteral("Ö"), QStringLiteral("OE")},
      {QStringLiteral("Ü"), QStringLiteral("UE")}, {QStringLiteral("ä"), QStringLiteral("ae")},
      {QStringLiteral("ö"), QStringLiteral("oe")}, {QStringLiteral("ü"), QStringLiteral("ue")}};
  QString result = text;
  for (const auto &[umlaut, letters] : umlauts)
    result.replace(umlaut, letters);
  for (QChar &c : result) {
    if (c.unicode() >= 32 && c.unicode() <= 127)
      continue;
    if (const char16_t plain = PlainLetter(c))
      c = QChar(plain);
    else if (blankOthers)
      c = QLatin1Char(' ');
  }
  return result;
}

// ---------------------------------------------------------------------------------------
// Dates

namespace {

struct TDateNames
{
  QStringList LongMonths, ShortMonths, LongDays, ShortDays; // empty: the locale's names
};

TDateNames &DateNames()
{
  static TDateNames names;
  return names;
}

// dayOfWeek is Qt's 1 (Monday) .. 7 (Sunday); the name lists begin with Sunday.
QString DayName(int dayOfWeek, bool longName)
{
  const QStringList &names = longName ? DateNames().LongDays : DateNames().ShortDays;
  if (!names.isEmpty())
    return names.at(dayOfWeek % 7);
  return QLocale::system().dayName(dayOfWeek,
                                   longName ? QLocale::LongFormat : QLocale::ShortFormat);
}

QString MonthName(int month, bool longName)
{
  const QStringList &names = longName ? DateNames().LongMonths : DateNames().ShortMonths;
  if (!names.isEmpty())
    return names.at(month - 1);
  return QLocale::system().monthName(month, longName ? QLocale::LongFormat : QLocale::ShortFormat);
}

QString Quoted(const QString &text)
{
  QString escaped = text;
  escaped.replace(QLatin1Char('\''), QLatin1String("''"));
  return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

// The date format with every month and day name written out as quoted text, so the
// names set by SetDateNames take the place of the locale's.
QString WithNamesFilledIn(const QString &format, const QDate &date)
{
  QString result;
  qsizetype i = 0;
  while (i < format.size()) {
    const QChar c = format.at(i);
    if (c == QLatin1Char('\'')) { // quoted literal text, '' inside stands for a quote
      qsizetype end = i + 1;
      while (end < format.size()) {
        if (format.at(end) == QLatin1Char('\'')) {
          if (end + 1 < format.size() && format.at(end + 1) == QLatin1Char('\''))
            end += 2;
          else
            break;
        } else {
          ++end;
        }
      }
      result += format.mid(i, end + 1 - i);
      i = end + 1;
      continue;
    }
    qsizetype run = 1;
    while (i + run < format.size() && format.at(i + run) == c)
      ++run;
    if ((c == QLatin1Char('M') || c == QLatin1Char('d')) && run >= 3) {
      const bool longName = run >= 4;
      result += c == QLatin1Char('M') ? Quoted(MonthName(date.month(), longName))
                                      : Quoted(DayName(date.dayOfWeek(), longName));
      i += std::min<qsizetype>(run, 4);
      continue;
    }
    result += format.mid(i, run);
    i += run;
  }
  return result;
}

// The first character between two fields of a locale format that is no letter, no
// digit and no quote; fallback when there is none or it is a blank.
QString FormatSeparator(const QString &format, const QString &fallback)
{
  bool seenField = false;
  for (QChar c : format) {
    if (c.isLetter()) {
      seenField = true;
    } else if (seenField && c != QLatin1Char('\'')) {
      return c.isSpace() ? fallback : QString(c);
    }
  }
  return fallback;
}

} // namespace

QString DateToText(bool longFormat, const QDate &date)
{
  const QLocale locale = QLocale::system();
  return FormatDateText(locale.dateFormat(longFormat ? QLocale::LongFormat : QLocale::ShortFormat),
                        date);
}

QString FormatDateText(const QString &format, const QDate &date)
{
  if (!date.isValid())
    return {};
  return QLocale::system().toString(date, WithNamesFilledIn(format, date));
}

void SetDateNames(const QStringList &longMonths, const QStringList &shortMonths,
                  const QStringList &longDays, const QStringList &shortDays)
{
  // A list of the wrong length cannot serve every date: the locale's names stand in.
  auto checked = [](const QStringList &names, qsizetype size) {
    return names.size() == size ? names : QStringList();
  };
  DateNames() = {checked(longMonths, 12), checked(shortMonths, 12), checked(longDays, 7),
                 checked(shortDays, 7)};
}

QString TimeSeparator()
{
  return FormatSeparator(QLocale::system().timeFormat(QLocale::ShortFormat), QStringLiteral(":"));
}

QString DateSeparator()
{
  return FormatSeparator(QLocale::system().dateFormat(QLocale::ShortFormat), QStringLiteral("."));
}
