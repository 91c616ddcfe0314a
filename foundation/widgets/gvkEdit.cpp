#include "foundation/widgets/gvkEdit.h"

#include "foundation/gvkClasses.h"
#include "foundation/gvkErrors.h"
#include "foundation/gvkIniFiles.h"
#include "foundation/widgets/gvkButtonImages.h"
#include "foundation/widgets/gvkLookupListbox.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTextBlock>
#include <QToolButton>

namespace {

bool IsAsciiLetter(QChar c)
{
  return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
         (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool IsAsciiDigit(QChar c)
{
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsDateField(QChar c)
{
  return QStringLiteral("dhmnsy").contains(c);
}

bool IsJumpSeparator(QChar c)
{
  return QStringLiteral(",.:;").contains(c);
}

// The user's number format without group separators, as "0.##" patterns write numbers.
QLocale NumberLocale()
{
  QLocale locale = QLocale::system();
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale;
}

QString FormatFloat(double value, int precision)
{
  QString text = NumberLocale().toString(value, 'f', std::max(precision, 0));
  if (precision > 0) {
    const QString point = NumberLocale().decimalPoint();
    while (text.endsWith(QLatin1Char('0')))
      text.chop(1);
    if (text.endsWith(point))
      text.chop(point.size());
  }
  return text.trimmed();
}

// The decimal text of a float as the settings file keeps it: "." and up to 13 decimals.
QString StoredFloat(double value)
{
  QString text = QString::number(value, 'f', 13);
  while (text.endsWith(QLatin1Char('0')))
    text.chop(1);
  if (text.endsWith(QLatin1Char('.')))
    text.chop(1);
  return text;
}

int DesignWidth(TEditType type, TEditOptions options)
{
  switch (type) {
  case etChron:
    return (options & eoHasChronPool) ? 60 : 50;
  case etTime:
    return 35;
  case etDate:
    return 65;
  default:
    return 0;
  }
}

int ExpandTwoDigitYear(int year)
{
  if (year >= 100)
    return year;
  // The century that puts the year within 50 years of today.
  const int now = QDate::currentDate().year();
  int full = now / 100 * 100 + year;
  if (full > now + 50)
    full -= 100;
  else if (full <= now - 50)
    full += 100;
  return full;
}

} // namespace

// --- Masks

bool IsMaskInput(QChar maskChar)
{
  return maskChar == QLatin1Char('#') || maskChar == QLatin1Char('$') ||
         maskChar == QLatin1Char('@');
}

bool FitsMask(QChar typed, QChar maskChar)
{
  if (typed == maskChar)
    return true;
  if (IsAsciiDigit(typed) || typed == QLatin1Char('.'))
    return maskChar == QLatin1Char('#') || maskChar == QLatin1Char('@');
  if (IsAsciiLetter(typed))
    return maskChar == QLatin1Char('$') || maskChar == QLatin1Char('@');
  return maskChar == QLatin1Char('@') || typed == QLatin1Char(' ');
}

QString ApplyMask(const QString &text, const QString &mask)
{
  if (mask.isEmpty())
    return text;
  QString result = text.leftJustified(mask.size(), QLatin1Char(' '), true);
  for (qsizetype i = 0; i < mask.size(); ++i) {
    const QChar m = mask.at(i);
    const QChar c = result.at(i);
    if (m == QLatin1Char('#'))
      result[i] = IsAsciiDigit(c) ? c : QLatin1Char('_');
    else if (m == QLatin1Char('$'))
      result[i] = IsAsciiLetter(c) ? c : QLatin1Char('_');
    else if (m == QLatin1Char('@'))
      result[i] = c == QLatin1Char(' ') ? QLatin1Char('_') : c;
    else
      result[i] = m;
  }
  return result;
}

QString FillMask(const QString &text, const QString &mask)
{
  QString result;
  qsizetype next = 0;
  for (const QChar m : mask) {
    if (!IsMaskInput(m))
      result += m;
    else
      result += next < text.size() ? text.at(next++) : QLatin1Char('_');
  }
  return result;
}

QString NormalisedDateFormat(const QString &shortFormat, QChar separator)
{
  QString format = shortFormat.toLower();
  // Names of months or days cannot be typed into digit positions: they become numbers.
  format.replace(QRegularExpression(QStringLiteral("m{3,}")), QStringLiteral("mm"));
  format.replace(QRegularExpression(QStringLiteral("d{3,}")), QStringLiteral("dd"));
  for (QChar &c : format)
    if (!IsDateField(c))
      c = separator;
  format = separator + format + separator;
  for (const QChar field : QStringLiteral("dmshn")) {
    const QString single = QString(separator) + field + separator;
    const QString doubled = QString(separator) + field + field + separator;
    // Each replacement consumes the closing separator of a field the next one needs.
    while (format.contains(single))
      format.replace(single, doubled);
  }
  const QString yy = QString(separator) + QStringLiteral("yy") + separator;
  while (format.contains(yy))
    format.replace(yy, QString(separator) + QStringLiteral("yyyy") + separator);
  const QString twice = QString(separator) + separator;
  while (format.contains(twice))
    format.replace(twice, QString(separator));
  while (format.startsWith(separator))
    format.remove(0, 1);
  while (format.endsWith(separator))
    format.chop(1);
  return format;
}

QString UserDateFormat()
{
  // Taken once: the regional settings stay as they were when the program started.
  static const QString format = NormalisedDateFormat(
      QLocale::system().dateFormat(QLocale::ShortFormat), DateSeparator().at(0));
  return format;
}

QString DateMask(const QString &normalisedFormat)
{
  QString mask = normalisedFormat;
  for (QChar &c : mask)
    if (IsDateField(c))
      c = QLatin1Char('#');
  return mask;
}

QDate ReadDate(const QString &text, const QString &normalisedFormat)
{
  QString compact = text;
  compact.remove(QLatin1Char(' '));
  // The order of the fields in the format, and the texts between the separators.
  QString order;
  for (const QChar c : normalisedFormat)
    if ((c == QLatin1Char('d') || c == QLatin1Char('m') || c == QLatin1Char('y')) &&
        !order.contains(c))
      order += c;
  QStringList fields;
  QString current;
  for (const QChar c : compact) {
    if (IsAsciiDigit(c)) {
      current += c;
    } else if (!current.isEmpty()) {
      fields.append(current);
      current.clear();
    }
  }
  if (!current.isEmpty())
    fields.append(current);
  if (order.size() != 3 || fields.size() != 3)
    return {};
  int day = 0, month = 0, year = 0;
  for (int i = 0; i < 3; ++i) {
    const int value = fields.at(i).toInt();
    if (order.at(i) == QLatin1Char('d'))
      day = value;
    else if (order.at(i) == QLatin1Char('m'))
      month = value;
    else
      year = fields.at(i).size() <= 2 ? ExpandTwoDigitYear(value) : value;
  }
  return QDate(year, month, day);
}

QString WriteDate(const QDate &date, const QString &normalisedFormat)
{
  // Every run of a field letter is the field as a number of that many digits.
  QString text;
  for (qsizetype i = 0; i < normalisedFormat.size();) {
    const QChar c = normalisedFormat.at(i);
    qsizetype run = 1;
    while (i + run < normalisedFormat.size() && normalisedFormat.at(i + run) == c)
      ++run;
    int value = -1;
    if (c == QLatin1Char('d'))
      value = date.day();
    else if (c == QLatin1Char('m'))
      value = date.month();
    else if (c == QLatin1Char('y'))
      value = run <= 2 ? date.year() % 100 : date.year();
    text +=
        value < 0 ? QString(run, c) : QString::number(value).rightJustified(run, QLatin1Char('0'));
    i += run;
  }
  return text;
}

QString ChronMask(TEditOptions options)
{
  QString mask = (options & eoAllowZMinuten) ? QStringLiteral("@") : QStringLiteral(" ");
  mask += QStringLiteral("#:##.#@");
  if (options & eoHasChronPool)
    mask += QStringLiteral(" $");
  return mask;
}

QDate ZeroDay()
{
  return QDate(1899, 12, 30);
}

bool IsZeroDateTime(const QDateTime &value)
{
  return !value.isValid() || value == QDateTime(ZeroDay(), QTime(0, 0));
}

void ApplyStateColors(QWidget &control, const TColors &colors, bool readOnly, bool focused)
{
  QColor background = colors.NormalBG;
  QColor text = colors.NormalText;
  if (!control.isEnabled()) {
    background = colors.DisabledBG;
    text = colors.DisabledText;
  } else if (readOnly) {
    background = colors.ReadOnlyBG;
    text = colors.ReadOnlyText;
  } else if (focused) {
    background = colors.FocusedBG;
    text = colors.FocusedText;
  }
  QPalette palette = control.palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, background);
    palette.setColor(group, QPalette::Text, text);
  }
  control.setPalette(palette);
}

// --- TLookup

TLookup::TLookup(TGvkEdit &edit) : QObject(&edit), FEdit(edit)
{
  edit.installEventFilter(this);
}

TLookup::~TLookup()
{
  delete FLabel.data();
}

void TLookup::SetShowDispLabel(bool value)
{
  FShowDispLabel = value;
  Rebuild();
}

void TLookup::SetItems(const QStringList &items)
{
  FItems = items;
  Rebuild();
}

void TLookup::Add(const QString &key, const QString &display)
{
  const qsizetype index = TGvkStringList(FItems).IndexOfName(key);
  if (display.isEmpty()) {
    if (index >= 0)
      FItems.removeAt(index);
  } else if (index >= 0) {
    FItems[index] = key + QLatin1Char('=') + display;
  } else {
    FItems.append(key + QLatin1Char('=') + display);
  }
  Rebuild();
}

void TLookup::Clear()
{
  FItems.clear();
  Rebuild();
}

std::optional<QString> TLookup::DisplayOf(const QString &key) const
{
  const TGvkStringList items(FItems);
  const qsizetype index = items.IndexOfName(key);
  if (index < 0)
    return std::nullopt;
  return items.ValueAt(index);
}

bool TLookup::Refresh()
{
  const std::optional<QString> display = DisplayOf(FEdit.Text());
  if (FLabel) {
    FLabel->setText(display.value_or(QString()));
    FLabel->adjustSize();
    Place();
  }
  return display.has_value();
}

void TLookup::Rebuild()
{
  if (FItems.isEmpty()) {
    FButton.reset();
    FEdit.setTextMargins(0, 0, 0, 0);
  } else if (!FButton) {
    FButton = std::make_unique<QToolButton>(&FEdit);
    FButton->setObjectName(QStringLiteral("LookupButton"));
    FButton->setIcon(ButtonBitmap(QStringLiteral("POPUPBUTTON")));
    FButton->setFocusPolicy(Qt::NoFocus);
    FButton->setCursor(Qt::ArrowCursor);
    connect(FButton.get(), &QToolButton::clicked, this, &TLookup::Open);
  }
  // A label without items could never show a text, so it waits for the first item.
  const bool wantLabel = FShowDispLabel && !FItems.isEmpty() && FEdit.parentWidget();
  if (!wantLabel || (FLabel && FLabel->parentWidget() != FEdit.parentWidget())) {
    delete FLabel.data();
    FLabel = nullptr;
  }
  if (wantLabel && !FLabel) {
    FLabel = new QLabel(FEdit.parentWidget());
    FLabel->setObjectName(FEdit.objectName() + QStringLiteral("DispLabel"));
  }
  Refresh();
  Place();
}

void TLookup::Place()
{
  const int height = FEdit.height();
  if (FButton) {
    const int side = std::max(height - 2, 1);
    FButton->setGeometry(FEdit.width() - side - 1, 1, side, side);
    FEdit.setTextMargins(0, 0, side + 1, 0);
    FButton->setEnabled(FEdit.isEnabled() && !FEdit.isReadOnly());
    FButton->setVisible(true);
  }
  if (FLabel) {
    const QRect edit = FEdit.geometry();
    FLabel->move(edit.right() + 1 + 5, edit.y() + (edit.height() - FLabel->height()) / 2 + 1);
    FLabel->setVisible(!FEdit.isHidden());
  }
}

bool TLookup::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == &FEdit) {
    switch (event->type()) {
    case QEvent::ParentChange:
      Rebuild();
      break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::EnabledChange:
      Place();
      break;
    default:
      break;
    }
  }
  return QObject::eventFilter(watched, event);
}

void TLookup::Open()
{
  if (FItems.isEmpty())
    return;
  bool showSelection = true;
  if (FEdit.BeforeLookup())
    FEdit.BeforeLookup()(FEdit, DisplayOf(FEdit.Text()).has_value(), showSelection);
  if (!showSelection || FItems.isEmpty()) {
    if (FEdit.AfterLookup())
      FEdit.AfterLookup()(FEdit, false);
    return;
  }
  FPopup.reset();
  FPopup = std::make_unique<TGvkLookupListbox>(FMultiSel, QString(), &FEdit);
  FPopup->SetItems(FItems);
  FPopup->Preselect(FEdit.Text());
  FPopup->SetOnClosed([this](const QString &result) { PopupClosed(result); });
  const QPoint corner =
      FButton ? FButton->mapToGlobal(QPoint(0, 0)) : FEdit.mapToGlobal(QPoint(FEdit.width(), 0));
  FPopup->Popup(corner);
}

void TLookup::PopupClosed(const QString &result)
{
  FEdit.SetText(result);
  FEdit.selectAll();
  FEdit.setFocus(Qt::PopupFocusReason);
  if (FEdit.AfterLookup())
    FEdit.AfterLookup()(FEdit, false);
}

// --- TGvkEdit

TGvkEdit::TGvkEdit(QWidget *parent) : QLineEdit(parent), FLookup(std::make_unique<TLookup>(*this))
{
  FDelayTimer.setSingleShot(true);
  FDelayTimer.setInterval(DefaultDelayInterval);
  connect(&FDelayTimer, &QTimer::timeout, this, &TGvkEdit::FireDelayChange);
  connect(this, &QLineEdit::textChanged, this, [this] { FDelayTimer.start(); });
  // Paste, cut, undo and drops of the platform edit: back into the mask.
  connect(this, &QLineEdit::textEdited, this, [this] {
    if (!FActiveMask.isEmpty() && !FMasking)
      ApplyMaskKeepingSelection();
  });
  UpdateColors();
}

TGvkEdit::~TGvkEdit()
{
  // The lookup's widgets go before the edit they watch.
  removeEventFilter(FLookup.get());
  FLookup.reset();
}

void TGvkEdit::SetEditType(TEditType type)
{
  FEditType = type;
  if (type != etString)
    FCharCase = ecNormal;
  if (type != etInteger && type != etFloat) {
    FMinValue = 0;
    FMaxValue = 0;
  }
  if (type != etTime && type != etDate && type != etInteger)
    FOptions &= ~eoHasUpDown;
  if (type != etChron)
    FOptions &= ~eoHasChronPool;
  RebuildMask();
  SetWidthFor(DesignWidth(type, FOptions));
}

void TGvkEdit::SetOptions(TEditOptions options)
{
  if (FEditType != etTime && FEditType != etDate && FEditType != etInteger)
    options &= ~eoHasUpDown;
  if (FEditType != etChron)
    options &= ~eoHasChronPool;
  if (FEditType != etChron) {
    FOptions = options;
    RebuildMask();
    return;
  }
  const TChron value = AsChron();
  FOptions = options;
  RebuildMask();
  SetWidthFor(DesignWidth(FEditType, FOptions));
  SetText(QString());
  SetAsChron(value);
}

void TGvkEdit::SetEditMask(const QString &mask)
{
  FMask = mask;
  RebuildMask();
}

void TGvkEdit::SetMinValue(int value)
{
  if (FEditType == etInteger || FEditType == etFloat)
    FMinValue = value;
}

void TGvkEdit::SetMaxValue(int value)
{
  if (FEditType == etInteger || FEditType == etFloat)
    FMaxValue = value;
}

void TGvkEdit::SetDelayInterval(int milliseconds)
{
  FDelayTimer.setInterval(std::max(milliseconds, 0));
}

void TGvkEdit::SetReadOnly(bool value)
{
  setReadOnly(value);
  setFocusPolicy(!value && FTabStop ? Qt::StrongFocus : Qt::ClickFocus);
  FLookup->Place();
  UpdateColors();
}

void TGvkEdit::SetTabStop(bool value)
{
  FTabStop = value;
  if (!isReadOnly())
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TGvkEdit::SetColors(const TColors &colors)
{
  FColors = colors;
  UpdateColors();
}

void TGvkEdit::RebuildMask()
{
  switch (FEditType) {
  case etString:
    FActiveMask = FMask;
    break;
  case etChron:
    FActiveMask = ChronMask(FOptions);
    if (FOptions & eoHasChronPool)
      FCharCase = ecUpperCase;
    break;
  case etTime:
    FActiveMask = QStringLiteral("##:##");
    break;
  case etDate:
    FActiveMask = DateMask(UserDateFormat());
    break;
  case etInteger:
  case etFloat:
    FActiveMask.clear();
    break;
  }
  if (!FActiveMask.isEmpty())
    ApplyMaskKeepingSelection();
}

void TGvkEdit::SetWidthFor(int designWidth)
{
  if (designWidth <= 0)
    return;
  // The design widths suit a small system font; a larger font gets the room its text needs.
  QString sample = FActiveMask;
  for (QChar &c : sample)
    if (IsMaskInput(c))
      c = QLatin1Char('0');
  const int needed =
      fontMetrics().horizontalAdvance(sample) + 2 * fontMetrics().averageCharWidth() + 6;
  setFixedWidth(std::max(designWidth, needed));
}

void TGvkEdit::ApplyMaskKeepingSelection()
{
  const bool selected = hasSelectedText();
  const int start = selected ? selectionStart() : cursorPosition();
  const int length = selected ? int(selectedText().size()) : 0;
  FMasking = true;
  setText(ApplyMask(text(), FActiveMask));
  FMasking = false;
  if (selected)
    setSelection(start, length);
  else
    setCursorPosition(start);
}

QString TGvkEdit::Text() const
{
  QString text = QLineEdit::text();
  if (!FActiveMask.isEmpty())
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
  switch (FEditType) {
  case etString:
    if (!HasOption(eoSaveMaskChars) && !FActiveMask.isEmpty()) {
      QString inputs;
      for (qsizetype i = 0; i < text.size() && i < FActiveMask.size(); ++i)
        if (IsMaskInput(FActiveMask.at(i)))
          inputs += text.at(i);
      text = inputs;
    }
    return HasOption(eoTrimStrings) ? text.trimmed() : text;
  case etTime:
  case etDate:
    // Only the separators and the blanks between them: an empty field.
    text = text.trimmed();
    return std::none_of(text.begin(), text.end(),
                        [&](QChar c) { return c != QLatin1Char(' ') && !FActiveMask.contains(c); })
               ? QString()
               : text;
  case etInteger:
  case etFloat:
    return text.trimmed();
  case etChron:
    break;
  }
  return text;
}

void TGvkEdit::SetText(const QString &text)
{
  const QString placed =
      HasOption(eoSaveMaskChars) || FActiveMask.isEmpty() ? text : FillMask(text, FActiveMask);
  const bool selected = hasSelectedText();
  const int start = selected ? selectionStart() : cursorPosition();
  const int length = selected ? int(selectedText().size()) : 0;
  FMasking = true;
  setText(ApplyMask(placed, FActiveMask));
  FMasking = false;
  if (selected)
    setSelection(start, length);
  else
    setCursorPosition(std::min(start, int(QLineEdit::text().size())));
  FLookup->Refresh();
}

int TGvkEdit::AsInteger()
{
  RangeRule();
  return Text().trimmed().toInt();
}

void TGvkEdit::SetAsInteger(int value)
{
  SetText(value == 0 && HasOption(eoZeroAsBlanks) ? QString() : QString::number(value));
}

double TGvkEdit::AsFloat()
{
  RangeRule();
  return QLocale::system().toDouble(Text().trimmed());
}

void TGvkEdit::SetAsFloat(double value)
{
  SetText(value == 0 && HasOption(eoZeroAsBlanks) ? QString() : FormatFloat(value, FPrecision));
}

QDateTime TGvkEdit::AsDateTime() const
{
  if (FEditType == etTime) {
    const QStringList parts = Text().trimmed().split(QLatin1Char(':'));
    if (parts.size() != 2)
      return {};
    bool hoursOk = false, minutesOk = false;
    const int hours = parts.at(0).trimmed().toInt(&hoursOk);
    const int minutes = parts.at(1).trimmed().toInt(&minutesOk);
    const QTime time(hours, minutes);
    if (!hoursOk || !minutesOk || !time.isValid())
      return {};
    return QDateTime(ZeroDay(), time);
  }
  if (FEditType == etDate) {
    const QDate date = ReadDate(Text(), UserDateFormat());
    return date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
  }
  return {};
}

void TGvkEdit::SetAsDateTime(const QDateTime &value)
{
  if (IsZeroDateTime(value))
    SetText(QString());
  else if (FEditType == etTime)
    SetText(value.time().toString(QStringLiteral("hh:mm")));
  else if (FEditType == etDate)
    SetText(WriteDate(value.date(), UserDateFormat()));
  else
    SetText(QLocale::system().toString(value, QLocale::ShortFormat));
}

TChron TGvkEdit::AsChron() const
{
  try {
    return TextToChron(Text().left(8));
  } catch (const EGvkOverflow &) {
    return 0;
  }
}

void TGvkEdit::SetAsChron(TChron value)
{
  const TChronPool pool = ChronPool();
  if (value > 5999999 && !HasOption(eoAllowZMinuten)) {
    FOptions |= eoAllowZMinuten;
    RebuildMask();
  }
  SetText(value > 0 ? ChronToText(value, true) : QString());
  SetChronPool(pool);
}

TChronPool TGvkEdit::ChronPool() const
{
  if (!HasOption(eoHasChronPool))
    return cpNone;
  const QString text = Text();
  if (text.size() < 10)
    return cpNone;
  switch (text.at(9).toUpper().unicode()) {
  case 'S':
    return cpShort;
  case 'L':
    return cpLong;
  case 'Y':
    return cpYards;
  default:
    return cpNone;
  }
}

void TGvkEdit::SetChronPool(TChronPool pool)
{
  if (!HasOption(eoHasChronPool))
    return;
  static const QString letters = QStringLiteral(" SLY");
  QString text = Text().leftJustified(10, QLatin1Char(' '));
  text[9] = letters.at(pool);
  SetText(text);
}

void TGvkEdit::RangeRule()
{
  if (FEditType != etInteger && FEditType != etFloat)
    return;
  const QString text = Text().trimmed();
  bool ok = false;
  double number = FEditType == etInteger ? text.toInt(&ok) : QLocale::system().toDouble(text, &ok);
  if (!ok) {
    number = 0;
    if (!text.isEmpty())
      SetText(QString());
  }
  if (FMinValue != 0 && number < FMinValue)
    number = FMinValue;
  if (FMaxValue != 0 && number > FMaxValue)
    number = FMaxValue;
  if (FMinValue == 0 && FMaxValue == 0)
    return;
  if (FEditType == etInteger)
    SetAsInteger(static_cast<int>(number));
  else
    SetAsFloat(number);
}

QChar TGvkEdit::WithCharCase(QChar c) const
{
  if (FCharCase == ecUpperCase)
    return c.toUpper();
  if (FCharCase == ecLowerCase)
    return c.toLower();
  return c;
}

void TGvkEdit::TypeCharacter(QChar typed)
{
  const QChar c = WithCharCase(typed);
  const QString &mask = FActiveMask;
  const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
  if (IsJumpSeparator(c)) {
    const qsizetype found = QLineEdit::text().indexOf(c, caret);
    if (found >= 0) {
      setCursorPosition(int(found) + 1);
      return;
    }
  }
  qsizetype pos = caret;
  while (pos < mask.size() && !FitsMask(c, mask.at(pos)) && !IsMaskInput(mask.at(pos)))
    ++pos;
  if (pos >= mask.size() || !FitsMask(c, mask.at(pos))) {
    QApplication::beep();
    return;
  }
  if (hasSelectedText())
    BlankSelection();
  QString text = QLineEdit::text();
  if (pos < text.size())
    text[pos] = c;
  else
    text = text.leftJustified(pos, QLatin1Char(' ')) + c;
  qsizetype next = pos + 1;
  while (next < mask.size() && !IsMaskInput(mask.at(next)))
    ++next;
  FMasking = true;
  setText(text);
  FMasking = false;
  setCursorPosition(int(next));
}

void TGvkEdit::BlankSelection()
{
  const int start = selectionStart();
  QString text = QLineEdit::text();
  const qsizetype end = std::min<qsizetype>(start + selectedText().size(), text.size());
  for (qsizetype i = start; i < end; ++i)
    text[i] = QLatin1Char(' ');
  FMasking = true;
  setText(ApplyMask(text, FActiveMask));
  FMasking = false;
  setCursorPosition(start);
}

void TGvkEdit::CopySelection()
{
  if (hasSelectedText())
    QGuiApplication::clipboard()->setText(selectedText());
}

void TGvkEdit::DeleteAt(bool backspace)
{
  if (hasSelectedText()) {
    BlankSelection();
    return;
  }
  const int caret = cursorPosition();
  if (backspace && caret == 0)
    return;
  const int pos = backspace ? caret - 1 : caret;
  const QString &mask = FActiveMask;
  QString text = ApplyMask(QLineEdit::text(), mask);
  if (pos < mask.size() && IsMaskInput(mask.at(pos))) {
    int end = pos;
    while (end + 1 < mask.size() && IsMaskInput(mask.at(end + 1)))
      ++end;
    for (int i = pos; i < end; ++i)
      text[i] = text.at(i + 1);
    text[end] = QLatin1Char(' ');
  }
  FMasking = true;
  setText(ApplyMask(text, mask));
  FMasking = false;
  setCursorPosition(std::min(pos, int(mask.size())));
}

void TGvkEdit::keyPressEvent(QKeyEvent *event)
{
  const int key = event->key();
  const Qt::KeyboardModifiers modifiers =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (key == Qt::Key_F2 && !(modifiers & Qt::ShiftModifier)) {
    FLookup->Open();
    return;
  }
  const QString typed = event->text();
  const bool printable = !typed.isEmpty() && typed.at(0).isPrint() &&
                         !(modifiers & (Qt::ControlModifier | Qt::AltModifier));
  if (FActiveMask.isEmpty() || isReadOnly()) {
    if (printable && FCharCase != ecNormal && !isReadOnly()) {
      QString converted;
      for (const QChar c : typed)
        converted += WithCharCase(c);
      QKeyEvent changed(event->type(), key, event->modifiers(), converted, event->isAutoRepeat(),
                        ushort(event->count()));
      QLineEdit::keyPressEvent(&changed);
      return;
    }
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (key == Qt::Key_Delete && (modifiers & Qt::ShiftModifier)) {
    CopySelection();
    DeleteAt(false);
  } else if (key == Qt::Key_Delete) {
    DeleteAt(false);
  } else if (key == Qt::Key_Backspace) {
    DeleteAt(true);
  } else if ((key == Qt::Key_Insert && modifiers == Qt::ShiftModifier) ||
             (key == Qt::Key_V && modifiers == Qt::ControlModifier)) {
    FMasking = true;
    paste();
    FMasking = false;
    ApplyMaskKeepingSelection();
  } else if (key == Qt::Key_X && modifiers == Qt::ControlModifier) {
    CopySelection();
    if (hasSelectedText())
      BlankSelection();
  } else if (printable) {
    for (const QChar c : typed)
      TypeCharacter(c);
  } else {
    QLineEdit::keyPressEvent(event);
  }
}

void TGvkEdit::focusInEvent(QFocusEvent *event)
{
  QLineEdit::focusInEvent(event);
  FFocused = true;
  UpdateColors();
}

void TGvkEdit::focusOutEvent(QFocusEvent *event)
{
  QLineEdit::focusOutEvent(event);
  // A popup opening or another window becoming active does not leave the control.
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
    return;
  Leave();
}

void TGvkEdit::Leave()
{
  RangeRule();
  if (FEditType == etChron)
    SetAsChron(AsChron());
  FFocused = false;
  UpdateColors();
  const bool found = FLookup->Refresh();
  bool canExit = true;
  if (FOnValidate)
    FOnValidate(*this, found, canExit);
  if (!canExit) {
    QWidget *form = window();
    if (form->isVisible() && form->isEnabled())
      QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
    return;
  }
  if (FDelayTimer.isActive())
    FireDelayChange();
  if (FOnExit)
    FOnExit(*this);
}

void TGvkEdit::FireDelayChange()
{
  FDelayTimer.stop();
  if (FOnDelayChange)
    FOnDelayChange(*this);
  FLookup->Refresh();
}

void TGvkEdit::changeEvent(QEvent *event)
{
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::EnabledChange)
    UpdateColors();
}

void TGvkEdit::UpdateColors()
{
  ApplyStateColors(*this, FColors, isReadOnly(), FFocused);
}

QString TGvkEdit::StoredText()
{
  switch (FEditType) {
  case etChron:
    return QString::number(AsChron());
  case etTime: {
    const QDateTime value = AsDateTime();
    return IsZeroDateTime(value) ? QStringLiteral("0000")
                                 : value.time().toString(QStringLiteral("hhmm"));
  }
  case etDate: {
    const QDateTime value = AsDateTime();
    return (IsZeroDateTime(value) ? ZeroDay() : value.date()).toString(QStringLiteral("yyyyMMdd"));
  }
  case etFloat:
    return StoredFloat(AsFloat());
  default:
    return Text();
  }
}

void TGvkEdit::SetStoredText(const QString &stored)
{
  bool ok = false;
  switch (FEditType) {
  case etChron: {
    const int value = stored.trimmed().toInt(&ok);
    if (ok)
      SetAsChron(value);
    break;
  }
  case etTime: {
    const QTime time(stored.mid(0, 2).toInt(&ok), stored.mid(2, 2).toInt());
    ok = ok && stored.size() >= 4 && time.isValid();
    if (ok)
      SetAsDateTime(QDateTime(ZeroDay(), time));
    break;
  }
  case etDate: {
    const QDate date(stored.mid(0, 4).toInt(&ok), stored.mid(4, 2).toInt(),
                     stored.mid(6, 2).toInt());
    ok = ok && stored.size() >= 8 && date.isValid();
    if (ok)
      SetAsDateTime(QDateTime(date, QTime(0, 0)));
    break;
  }
  case etFloat: {
    const double value = QLocale::c().toDouble(stored.trimmed(), &ok);
    if (ok)
      SetAsFloat(value);
    break;
  }
  default:
    SetText(stored);
    ok = true;
    break;
  }
  if (!ok)
    SetText(QString());
}

void TGvkEdit::LoadFromIni(TGvkCustomIniFile &ini, const QString &section)
{
  SetStoredText(ini.ReadString(section, objectName(), StoredText()));
}

void TGvkEdit::SaveToIni(TGvkCustomIniFile &ini, const QString &section)
{
  ini.WriteString(section, objectName(), StoredText());
}

// --- TGvkMemo

namespace {

QStringList WithoutBlankLinesAtEnd(QStringList lines)
{
  while (!lines.isEmpty() && lines.last().isEmpty())
    lines.removeLast();
  return lines;
}

void CheckIniClass(const TGvkCustomIniFile &ini)
{
  if (!dynamic_cast<const TGvkIniFile *>(&ini) && !dynamic_cast<const TGvkMemIniFile *>(&ini))
    throw EGvkError(QStringLiteral("Invalid INI file class!"));
}

} // namespace

TGvkMemo::TGvkMemo(QWidget *parent) : QPlainTextEdit(parent)
{
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TGvkMemo::ShowCaretPos);
  connect(this, &QPlainTextEdit::textChanged, this, &TGvkMemo::ShowCaretPos);
  UpdateColors();
}

void TGvkMemo::SetColors(const TColors &colors)
{
  FColors = colors;
  UpdateColors();
}

void TGvkMemo::SetReadOnly(bool value)
{
  setReadOnly(value);
  UpdateColors();
}

void TGvkMemo::SetNoBlankLines(bool value)
{
  FNoBlankLines = value;
}

void TGvkMemo::SetWordWrap(bool value)
{
  setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TGvkMemo::SetCaretPosControl(QLabel *label)
{
  FCaretPos = label;
  if (FCaretPos)
    FCaretPos->clear();
}

QStringList TGvkMemo::Lines() const
{
  const QString text = toPlainText();
  QStringList lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
  return FNoBlankLines ? WithoutBlankLinesAtEnd(lines) : lines;
}

void TGvkMemo::SetLines(const QStringList &lines)
{
  setPlainText((FNoBlankLines ? WithoutBlankLinesAtEnd(lines) : lines).join(QLatin1Char('\n')));
}

QString TGvkMemo::Text() const
{
  return Lines().join(QLatin1Char('\n'));
}

void TGvkMemo::SetText(const QString &text)
{
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  SetLines(lines.split(QLatin1Char('\n')));
}

QString TGvkMemo::CaretPosText() const
{
  const QTextCursor cursor = textCursor();
  const int line = cursor.blockNumber() + 1;
  const int column = cursor.positionInBlock() + 1;
  const int count = FNoBlankLines ? int(Lines().size()) : std::max(document()->blockCount(), line);
  return QStringLiteral("%1/%2 - %3").arg(line).arg(column).arg(count);
}

void TGvkMemo::ShowCaretPos()
{
  if (FCaretPos && FFocused)
    FCaretPos->setText(CaretPosText());
}

void TGvkMemo::LoadFromIni(TGvkCustomIniFile &ini, const QString &section)
{
  CheckIniClass(ini);
  SetText(ini.ReadText(section, objectName(), Text()));
}

void TGvkMemo::SaveToIni(TGvkCustomIniFile &ini, const QString &section)
{
  CheckIniClass(ini);
  ini.WriteText(section, objectName(), Text());
}

void TGvkMemo::keyPressEvent(QKeyEvent *event)
{
  // Escape goes on to the parent, so the dialog's cancel button works.
  if (event->key() == Qt::Key_Escape) {
    event->ignore();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TGvkMemo::focusInEvent(QFocusEvent *event)
{
  QPlainTextEdit::focusInEvent(event);
  FFocused = true;
  UpdateColors();
  ShowCaretPos();
}

void TGvkMemo::focusOutEvent(QFocusEvent *event)
{
  QPlainTextEdit::focusOutEvent(event);
  if (event->reason() == Qt::PopupFocusReason)
    return;
  FFocused = false;
  UpdateColors();
  if (FCaretPos)
    FCaretPos->clear();
}

void TGvkMemo::changeEvent(QEvent *event)
{
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::EnabledChange)
    UpdateColors();
}

void TGvkMemo::UpdateColors()
{
  ApplyStateColors(*this, FColors, isReadOnly(), FFocused);
}
