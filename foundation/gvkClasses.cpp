#include "foundation/gvkClasses.h"

#include "foundation/gvkErrors.h"
#include "foundation/gvkStrings.h"

#include <QSysInfo>

#include <algorithm>

namespace {

constexpr int FullWidth = 1000;

TColAlign AlignOfLetter(QChar letter)
{
  switch (letter.unicode()) {
  case 'C':
    return caCenter;
  case 'D':
    return caDecimal;
  case 'R':
    return caRight;
  default:
    return caLeft;
  }
}

QChar LetterOfAlign(TColAlign align)
{
  switch (align) {
  case caRight:
    return QLatin1Char('R');
  case caCenter:
    return QLatin1Char('C');
  case caDecimal:
    return QLatin1Char('D');
  default:
    return QLatin1Char('L');
  }
}

} // namespace

void TColDivList::FromText(const QString &text)
{
  FEntries.clear();
  qint64 total = 0; // wide, so a huge width cannot overflow the sum
  const int fields = FieldCount(text);
  for (int i = 1; i <= fields; ++i) {
    const QString field = GetToken(text, QStringLiteral(";"), i, true);
    if (field.isEmpty())
      continue;
    TColDiv entry;
    entry.Start = static_cast<int>(total);
    entry.Align = AlignOfLetter(field.at(0));
    // A negative width would move the following columns backwards and over the line.
    entry.Width = std::max(field.mid(1).trimmed().toInt(), 0);
    total += entry.Width;
    if (total > FullWidth) {
      entry.Width = FullWidth - entry.Start;
      total = FullWidth;
      FEntries.push_back(entry);
      break;
    }
    FEntries.push_back(entry);
  }
  if (total < FullWidth)
    FEntries.push_back({static_cast<int>(total), FullWidth - static_cast<int>(total), caLeft});
}

QString TColDivList::ToText() const
{
  QString text;
  for (const TColDiv &entry : FEntries)
    text += LetterOfAlign(entry.Align) + QString::number(entry.Width) + QLatin1Char(';');
  return text;
}

const TColDivList::TColDiv &TColDivList::Entry(int index) const
{
  GVK_ASSERT(index >= 0 && index < Count(), "Column index out of range", "gvkClasses");
  return FEntries[static_cast<std::size_t>(index)];
}

qsizetype TGvkStringList::IndexOfValue(const QString &text) const
{
  for (qsizetype i = 0; i < size(); ++i) {
    const qsizetype equals = at(i).indexOf(QLatin1Char('='));
    if (equals >= 0 && QStringView(at(i)).mid(equals + 1).compare(text, Qt::CaseInsensitive) == 0)
      return i;
  }
  return -1;
}

qsizetype TGvkStringList::IndexOfName(const QString &name) const
{
  for (qsizetype i = 0; i < size(); ++i) {
    const qsizetype equals = at(i).indexOf(QLatin1Char('='));
    if (equals >= 0 && QStringView(at(i)).left(equals).compare(name, Qt::CaseInsensitive) == 0)
      return i;
  }
  return -1;
}

QString TGvkStringList::NameAt(qsizetype index) const
{
  const QString &line = at(index);
  const qsizetype equals = line.indexOf(QLatin1Char('='));
  return equals < 0 ? line : line.left(equals);
}

QString TGvkStringList::ValueAt(qsizetype index) const
{
  const QString &line = at(index);
  const qsizetype equals = line.indexOf(QLatin1Char('='));
  return equals < 0 ? QString() : line.mid(equals + 1);
}

namespace {

std::function<void(const QString &)> &ShowStatusReceiver()
{
  static std::function<void(const QString &)> receiver;
  return receiver;
}

} // namespace

void ShowStatus(const QString &text)
{
  if (ShowStatusReceiver())
    ShowStatusReceiver()(text);
}

void SetShowStatusReceiver(std::function<void(const QString &)> receiver)
{
  ShowStatusReceiver() = std::move(receiver);
}

QString OsVersionText()
{
  QString product = QSysInfo::prettyProductName();
  if (product.isEmpty())
    product = QStringLiteral("Unknown system");
  const QString kernel = QSysInfo::kernelVersion();
  if (kernel.isEmpty())
    return product;
  return QStringLiteral("%1, Kernel %2").arg(product, kernel);
}
