#pragma once
// Small shared classes: column divisions of a report line, a name=value string list,
// the start-up status hook and the operating system's version text.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

// Alignment of a column: 3 is decimal, anchored two digit widths left of the right edge.
enum TColAlign : std::uint8_t
{
  caLeft = 0,
  caRight = 1,
  caCenter = 2,
  caDecimal = 3
};

// The column divisions of a printed line, in thousandths of the line width. The text form
// is a letter (L, R, C, D), the width and ";" per column: "L250;R100;C650;". The list
// always fills the line: widths beyond 1000 are cut, a missing rest becomes a left column.
class TColDivList
{
public:
  TColDivList() = default;
  explicit TColDivList(const QString &text) { FromText(text); }

  void FromText(const QString &text);
  QString ToText() const;

  int Count() const { return static_cast<int>(FEntries.size()); }
  // Index from 0; an index outside the list raises EGvkAssertion.
  TColAlign Align(int index) const { return Entry(index).Align; }
  int Start(int index) const { return Entry(index).Start; }
  int Width(int index) const { return Entry(index).Width; }

private:
  struct TColDiv
  {
    int Start = 0;
    int Width = 0;
    TColAlign Align = caLeft;
  };
  const TColDiv &Entry(int index) const;
  std::vector<TColDiv> FEntries;
};

// A list of name=value lines.
class TGvkStringList : public QStringList
{
public:
  using QStringList::QStringList;
  TGvkStringList(const QStringList &lines) : QStringList(lines) {}

  // The index of the first line whose part after the first "=" equals text without regard
  // to case; lines without "=" never match; -1 if none.
  qsizetype IndexOfValue(const QString &text) const;
  // The first line whose part before the first "=" equals name without regard to case;
  // lines without "=" never match; -1 if none.
  qsizetype IndexOfName(const QString &name) const;
  // The parts of line index before and after its first "=" (the whole line is the name
  // of a line without "=").
  QString NameAt(qsizetype index) const;
  QString ValueAt(qsizetype index) const;
};

// Hands a progress text to the start-up screen while it is shown; does nothing when no
// receiver is set. An empty text clears the line.
void ShowStatus(const QString &text);
// The start-up screen sets its receiver while it is shown; an empty function clears it.
void SetShowStatusReceiver(std::function<void(const QString &)> receiver);

// The running operating system, for example
// "Debian GNU/Linux 12 (bookworm), Kernel 6.1.0-18-amd64".
QString OsVersionText();
