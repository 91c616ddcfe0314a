#include "foundation/widgets/gvkPageControls.h"

#include <QMouseEvent>
#include <QShortcutEvent>
#include <QTabBar>

TGvkPageControl::TGvkPageControl(QWidget *parent) : QTabWidget(parent)
{
  tabBar()->installEventFilter(this);
}

bool TGvkPageControl::ChangeAllowed()
{
  bool allow = true;
  if (FOnChanging)
    FOnChanging(*this, allow);
  return allow;
}

bool TGvkPageControl::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == tabBar()) {
    if (event->type() == QEvent::Shortcut) {
      // The tab bar's own accelerator handling, limited to visible, enabled tabs.
      const int tab = TabOfKeys(static_cast<QShortcutEvent *>(event)->key());
      if (tab >= 0) {
        if (tab != currentIndex() && isTabVisible(tab) && isTabEnabled(tab) && ChangeAllowed())
          setCurrentIndex(tab);
        return true;
      }
    } else if (event->type() == QEvent::MouseButtonPress) {
      const auto *mouse = static_cast<QMouseEvent *>(event);
      const int tab = tabBar()->tabAt(mouse->position().toPoint());
      if (tab >= 0 && tab != currentIndex() && !ChangeAllowed())
        return true;
    }
  }
  return QTabWidget::eventFilter(watched, event);
}

int TGvkPageControl::TabOfKeys(const QKeySequence &keys) const
{
  for (int i = 0; i < count(); ++i)
    if (QKeySequence::mnemonic(tabText(i)) == keys)
      return i;
  return -1;
}

QString TGvkPageControl::GetTexts() const
{
  QStringList captions;
  for (int i = 0; i < count(); ++i)
    captions.append(tabText(i));
  return captions.join(QStringLiteral("\r\n"));
}

void TGvkPageControl::SetTexts(const QStringList &lines, int first, int count)
{
  for (int i = 0; i < count && i < this->count(); ++i)
    if (first + i >= 0 && first + i < lines.size())
      setTabText(i, lines.at(first + i));
}
