#include "foundation/widgets/gvkLookupListbox.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int CheckBoxWidth = 20;
constexpr int ScrollBarWidth = 20;

} // namespace

TGvkLookupListbox::TGvkLookupListbox(bool multiSel, const QString &title, QWidget *parent)
    : TGvkForm(parent), FMultiSel(multiSel)
{
  setWindowFlags(Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  SetAutoSave(false);
  SetAutoAccelerators(false);
  SetAlwaysInScreen(true);
  SetSnapAtScreenBorder(false);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  if (!title.isEmpty()) {
    FTitle = new QLabel(title, this);
    FTitle->setObjectName(QStringLiteral("lblTitle"));
    FTitle->setAutoFillBackground(true);
    FTitle->setBackgroundRole(QPalette::Highlight);
    FTitle->setForegroundRole(QPalette::HighlightedText);
    FTitle->setContentsMargins(2, 1, 2, 1);
    layout->addWidget(FTitle);
  }
  FList = new QListWidget(this);
  FList->setObjectName(QStringLiteral("lbxList"));
  FList->setUniformItemSizes(true);
  FList->setSelectionMode(QAbstractItemView::SingleSelection);
  FList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FList->installEventFilter(this);
  layout->addWidget(FList);
  connect(FList, &QListWidget::itemClicked, this, &TGvkLookupListbox::RowClicked);
}

TGvkLookupListbox::~TGvkLookupListbox() = default;

int TGvkLookupListbox::RowHeight() const
{
  // The design's rows suit a small system font; a larger one needs its own height.
  return std::max(DesignRowHeight, FList->fontMetrics().height() + 2);
}

void TGvkLookupListbox::SetItems(const QStringList &items)
{
  FList->clear();
  FKeys.clear();
  for (const QString &line : items) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    const QString key = equals < 0 ? line : line.left(equals);
    const QString display = equals < 0 ? line : line.mid(equals + 1).left(MaxDisplayLength);
    FKeys.append(key);
    auto *item = new QListWidgetItem(display, FList);
    // Checks are toggled by the row click, not by the platform's own check handling.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (FMultiSel)
      item->setCheckState(Qt::Unchecked);
  }
  ApplySize();
}

void TGvkLookupListbox::ApplySize()
{
  const QFontMetrics metrics = FList->fontMetrics();
  int inner = FTitle ? FTitle->fontMetrics().horizontalAdvance(FTitle->text()) : 0;
  int widest = 0;
  for (int i = 0; i < FList->count(); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(FList->item(i)->text()));
  if (FMultiSel)
    widest += CheckBoxWidth;
  // The platform's rows add margins (and the check box) of their own around the text.
  for (int i = 0; i < FList->count(); ++i)
    FList->item(i)->setSizeHint(QSize());
  const int rowWidth = FList->sizeHintForColumn(0) + 2 * FList->frameWidth();
  inner = std::max({inner, widest, rowWidth});
  const int rowHeight = RowHeight();
  for (int i = 0; i < FList->count(); ++i)
    FList->item(i)->setSizeHint(QSize(inner, rowHeight));
  int rowsHeight = rowHeight * FList->count();
  const QScreen *current = screen() ? screen() : QGuiApplication::primaryScreen();
  const int limit = current ? current->availableGeometry().height() * 8 / 10 : rowsHeight;
  if (rowsHeight > limit) {
    rowsHeight = std::max(limit / rowHeight, 1) * rowHeight;
    inner += ScrollBarWidth;
  }
  const int titleHeight = FTitle ? FTitle->sizeHint().height() : 0;
  setFixedSize(inner + 8, rowsHeight + titleHeight + 2);
}

void TGvkLookupListbox::Preselect(const QString &value)
{
  FPreselection = value;
  if (FMultiSel) {
    const QStringList words =
        value.split(QRegularExpression(QStringLiteral("[,; ]")), Qt::SkipEmptyParts);
    for (int i = 0; i < FList->count(); ++i) {
      const bool checked = std::any_of(words.begin(), words.end(), [&](const QString &word) {
        return word.compare(FKeys.at(i), Qt::CaseInsensitive) == 0;
      });
      FList->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
    return;
  }
  FList->clearSelection();
  FList->setCurrentRow(-1);
  for (int i = 0; i < FKeys.size(); ++i)
    if (FKeys.at(i).compare(value, Qt::CaseInsensitive) == 0) {
      FList->setCurrentRow(i);
      FList->scrollToItem(FList->item(i));
      break;
    }
}

QString TGvkLookupListbox::Result() const
{
  if (!FMultiSel) {
    const QListWidgetItem *item = FList->currentItem();
    return item && item->isSelected() ? FKeys.at(FList->row(item)) : QString();
  }
  QStringList checked;
  for (int i = 0; i < FList->count(); ++i)
    if (FList->item(i)->checkState() == Qt::Checked)
      checked.append(FKeys.at(i));
  return checked.join(QLatin1Char(','));
}

void TGvkLookupListbox::Popup(const QPoint &topLeft)
{
  move(topLeft);
  show();
  activateWindow();
  FList->setFocus(Qt::PopupFocusReason);
}

void TGvkLookupListbox::ClosePopup()
{
  hide();
}

void TGvkLookupListbox::hideEvent(QHideEvent *event)
{
  TGvkForm::hideEvent(event);
  if (FClosed)
    return;
  FClosed = true;
  if (FOnClosed)
    FOnClosed(Result());
}

bool TGvkLookupListbox::event(QEvent *event)
{
  if (event->type() == QEvent::WindowDeactivate && isVisible())
    ClosePopup();
  return TGvkForm::event(event);
}

void TGvkLookupListbox::RestorePreselection()
{
  Preselect(FPreselection);
}

void TGvkLookupListbox::RowClicked(QListWidgetItem *item)
{
  if (!FMultiSel) {
    FList->setCurrentItem(item);
    ClosePopup();
    return;
  }
  item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

bool TGvkLookupListbox::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == FList && event->type() == QEvent::KeyPress) {
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!FMultiSel && !(FList->currentItem() && FList->currentItem()->isSelected()))
        RestorePreselection();
      ClosePopup();
      return true;
    case Qt::Key_Escape:
      RestorePreselection();
      ClosePopup();
      return true;
    case Qt::Key_Space:
      if (FMultiSel && FList->currentItem()) {
        RowClicked(FList->currentItem());
        return true;
      }
      break;
    default:
      break;
    }
  }
  return TGvkForm::eventFilter(watched, event);
}
