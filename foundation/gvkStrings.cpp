#include "foundation/gvkStrings.h"

#include "foundation/gvkErrors.h"

#include <algorithm>
#include <limits>

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
  const bool allDigits = !unsignedPart.isEmpty() &&
                         std::all_of(unsignedPart.begin(), unsignedPart.end(),
                                     [](QChar c) { return c.isDigit(); });
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
  if (result > std::numeric_limits<TChron>::max() || result < std::numeric_limits<TChron>::min()
      || minutes > std::numeric_limits<TChron>::max() || seconds > std::numeric_limits<TChron>::max()
      || minutes < std::numeric_limits<TChron>::min() || seconds < std::numeric_limits<TChron>::min())
    throw EGvkOverflow(QStringLiteral("The time \"%1\" is too large.").arg(input));
  return static_cast<TChron>(result);
}
