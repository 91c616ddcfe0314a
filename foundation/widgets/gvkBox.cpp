#include "foundation/widgets/gvkBox.h"

#include "foundation/gvkIniFiles.h"
#include "foundation/widgets/gvkButtons.h"
#include "foundation/widgets/gvkEdit.h"

#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Two bold letters "T", grey at the corner and blue a little right and down.
QIcon TrueTypeMark(bool trueType, int height)
{
  QPixmap pixmap(13, std::max(height, 10));
  pixmap.fill(Qt::transparent);
  if (trueType) {
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(Qt::gray);
    painter.drawText(QRect(0, 0, 9, 9), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("T"));
    painter.setPen(Qt::blue);
    painter.drawText(QRect(4, 2, 9, 9), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("T"));
  }
  return QIcon(pixmap);
}

} // namespace

// --- TGvkListBox

TGvkListBox::TGvkListBox(QWidget *parent) : QListWidget(parent)
{
}

QStringList TGvkListBox::Items() const
{
  QStringList items;
  for (int i = 0; i < count(); ++i)
    items.append(item(i)->text());
  return items;
}

void TGvkListBox::SetItems(const QStringList &items)
{
  const int selected = ItemIndex();
  clear();
  addItems(items);
  SetItemIndex(selected < count() ? selected : -1);
}

void TGvkListBox::SetItemIndex(int index)
{
  setCurrentRow(index >= 0 && index < count() ? index : -1);
  if (index < 0 || index >= count())
    clearSelection();
}

void TGvkListBox::LoadFromIni(TGvkCustomIniFile &ini, const QString &section)
{
  SetItemIndex(ini.ReadInteger(section, objectName(), ItemIndex()));
}

void TGvkListBox::SaveToIni(TGvkCustomIniFile &ini, const QString &section)
{
  ini.WriteInteger(section, objectName(), ItemIndex());
}

// --- TGvkComboBox

TGvkComboBox::TGvkComboBox(QWidget *parent) : QComboBox(parent)
{
  UpdateColors();
}

QStringList TGvkComboBox::Items() const
{
  if (FReadOnly)
    return FKeptItems;
  QStringList items;
  for (int i = 0; i < count(); ++i)
    items.append(itemText(i));
  return items;
}

void TGvkComboBox::SetItems(const QStringList &items)
{
  if (FReadOnly) {
    FKeptItems = items;
    if (FKeptIndex >= items.size())
      FKeptIndex = -1;
    ShowKeptItem();
    return;
  }
  const int selected = currentIndex();
  const QString text = currentText();
  clear();
  addItems(items);
  setCurrentIndex(selected < count() ? selected : -1);
  if (isEditable())
    setEditText(text);
}

int TGvkComboBox::ItemIndex() const
{
  return FReadOnly ? FKeptIndex : currentIndex();
}

void TGvkComboBox::SetItemIndex(int index)
{
  if (!FReadOnly) {
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
    return;
  }
  FKeptIndex = index >= 0 && index < FKeptItems.size() ? index : -1;
  ShowKeptItem();
}

void TGvkComboBox::ShowKeptItem()
{
  if (lineEdit())
    lineEdit()->setText(FKeptIndex >= 0 ? FKeptItems.at(FKeptIndex) : QString());
}

TComboStyle TGvkComboBox::Style() const
{
  if (FReadOnly)
    return FKeptStyle;
  return isEditable() ? csDropDown : csDropDownList;
}

void TGvkComboBox::SetStyle(TComboStyle style)
{
  if (FReadOnly)
    FKeptStyle = style;
  else
    setEditable(style == csDropDown);
}

void TGvkComboBox::SelectText(const QString &text)
{
  const QStringList items = Items();
  SetItemIndex(int(items.lastIndexOf(text)));
}

void TGvkComboBox::SetReadOnly(bool value)
{
  if (value == FReadOnly)
    return;
  if (value) {
    FKeptFocusPolicy = focusPolicy();
    FKeptItems = Items();
    FKeptIndex = currentIndex();
    FKeptStyle = Style();
    FKeptText = currentText();
    setFocusPolicy(Qt::ClickFocus);
    setEditable(true);
    clear();
    lineEdit()->setReadOnly(true);
    FReadOnly = true;
    // A list shows its selected item; an edit keeps its own text.
    if (FKeptStyle == csDropDownList)
      ShowKeptItem();
    else
      lineEdit()->setText(FKeptText);
  } else {
    FReadOnly = false;
    const QString text = lineEdit() ? lineEdit()->text() : QString();
    if (lineEdit())
      lineEdit()->setReadOnly(false);
    setFocusPolicy(FKeptFocusPolicy);
    setEditable(FKeptStyle == csDropDown);
    addItems(FKeptItems);
    if (FKeptStyle == csDropDownList) {
      setCurrentIndex(FKeptIndex);
    } else {
      setCurrentIndex(-1);
      setEditText(text);
    }
    FKeptItems.clear();
  }
  UpdateColors();
}

void TGvkComboBox::SetColors(const TColors &colors)
{
  FColors = colors;
  UpdateColors();
}

void TGvkComboBox::UpdateColors()
{
  ApplyStateColors(*this, FColors, FReadOnly, FFocused);
  // A list-only combo box paints its face with the button colours.
  QPalette palette = this->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Button, palette.color(group, QPalette::Base));
    palette.setColor(group, QPalette::ButtonText, palette.color(group, QPalette::Text));
  }
  setPalette(palette);
}

void TGvkComboBox::showPopup()
{
  if (!FReadOnly)
    QComboBox::showPopup();
}

void TGvkComboBox::focusInEvent(QFocusEvent *event)
{
  QComboBox::focusInEvent(event);
  FFocused = true;
  UpdateColors();
}

void TGvkComboBox::focusOutEvent(QFocusEvent *event)
{
  QComboBox::focusOutEvent(event);
  if (event->reason() == Qt::PopupFocusReason)
    return;
  FFocused = false;
  UpdateColors();
}

void TGvkComboBox::changeEvent(QEvent *event)
{
  QComboBox::changeEvent(event);
  if (event->type() == QEvent::EnabledChange)
    UpdateColors();
}

void TGvkComboBox::keyPressEvent(QKeyEvent *event)
{
  // A read-only box lets nothing choose an item.
  if (FReadOnly && event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab) {
    event->accept();
    return;
  }
  QComboBox::keyPressEvent(event);
}

void TGvkComboBox::wheelEvent(QWheelEvent *event)
{
  if (!FReadOnly)
    QComboBox::wheelEvent(event);
}

void TGvkComboBox::LoadFromIni(TGvkCustomIniFile &ini, const QString &section)
{
  SetItemIndex(ini.ReadInteger(section, objectName(), ItemIndex()));
}

void TGvkComboBox::SaveToIni(TGvkCustomIniFile &ini, const QString &section)
{
  ini.WriteInteger(section, objectName(), ItemIndex());
}

QString TGvkComboBox::GetTexts() const
{
  QStringList lines{toolTip().isEmpty() ? QStringLiteral(".") : toolTip()};
  lines.append(Items());
  return lines.join(CrLf);
}

void TGvkComboBox::SetTexts(const QStringList &lines, int first, int count)
{
  const QString hint = LanguageLine(lines, first);
  if (hint != QLatin1String("."))
    SetControlHint(*this, hint);
  QStringList items;
  for (int i = 1; i < count; ++i)
    items.append(LanguageLine(lines, first + i));
  while (!items.isEmpty() && (items.last().isEmpty() || items.last() == QLatin1String(".")))
    items.removeLast();
  const int selected = ItemIndex();
  SetItems(items);
  SetItemIndex(selected < items.size() ? selected : -1);
}

// --- TGvkFontComboBox

namespace {
constexpr int TrueTypeRole = Qt::UserRole + 1;
}

TGvkFontComboBox::TGvkFontComboBox(QWidget *parent) : TGvkComboBox(parent)
{
  setIconSize(QSize(13, fontMetrics().height()));
  Fill();
}

void TGvkFontComboBox::SetDevice(const QString &device)
{
  FDevice = device;
  Fill();
}

void TGvkFontComboBox::SetOptions(TFontComboOptions options)
{
  FOptions = options;
  Fill();
}

QString TGvkFontComboBox::Text() const
{
  const int index = ItemIndex();
  const QStringList items = Items();
  return index >= 0 && index < items.size() ? items.at(index) : QString();
}

void TGvkFontComboBox::SetText(const QString &name)
{
  SelectText(name);
}

bool TGvkFontComboBox::IsTrueTypeItem(int index) const
{
  return itemData(index, TrueTypeRole).toBool();
}

void TGvkFontComboBox::Fill()
{
  const QString selected = Text();
  const bool wasReadOnly = ReadOnly();
  SetReadOnly(false);
  clear();
  const QIcon mark = TrueTypeMark(true, iconSize().height());
  const QIcon blank = TrueTypeMark(false, iconSize().height());
  for (const QString &family : QFontDatabase::families()) {
    if (QFontDatabase::isPrivateFamily(family))
      continue;
    const bool fixed = QFontDatabase::isFixedPitch(family);
    const bool trueType = QFontDatabase::isScalable(family);
    const bool pitchWanted = fixed ? (FOptions & tfcFixedPitch) : (FOptions & tfcVarPitch);
    if (!pitchWanted || ((FOptions & tfcOnlyTrueType) && !trueType))
      continue;
    addItem(trueType ? mark : blank, family);
    setItemData(count() - 1, trueType, TrueTypeRole);
  }
  SelectText(selected);
  SetReadOnly(wasReadOnly);
}
