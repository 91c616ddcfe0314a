#include "foundation/widgets/gvkCaptions.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>

QTabWidget *TabWidgetOfPage(const QObject &object)
{
  auto *page = qobject_cast<QWidget *>(const_cast<QObject *>(&object));
  auto *stack = page ? qobject_cast<QStackedWidget *>(page->parentWidget()) : nullptr;
  auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
  return tabs && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

QString CaptionOf(const QObject &component)
{
  if (const QTabWidget *tabs = TabWidgetOfPage(component))
    return tabs->tabText(tabs->indexOf(qobject_cast<QWidget *>(const_cast<QObject *>(&component))));
  if (const auto *label = qobject_cast<const QLabel *>(&component))
    return label->text();
  if (const auto *button = qobject_cast<const QAbstractButton *>(&component))
    return button->text();
  if (const auto *group = qobject_cast<const QGroupBox *>(&component))
    return group->title();
  if (const auto *action = qobject_cast<const QAction *>(&component))
    return action->text();
  if (const auto *menu = qobject_cast<const QMenu *>(&component))
    return menu->title();
  return QString();
}

void SetCaption(QObject &component, const QString &caption)
{
  if (QTabWidget *tabs = TabWidgetOfPage(component))
    tabs->setTabText(tabs->indexOf(qobject_cast<QWidget *>(&component)), caption);
  else if (auto *label = qobject_cast<QLabel *>(&component))
    label->setText(caption);
  else if (auto *button = qobject_cast<QAbstractButton *>(&component))
    button->setText(caption);
  else if (auto *group = qobject_cast<QGroupBox *>(&component))
    group->setTitle(caption);
  else if (auto *action = qobject_cast<QAction *>(&component))
    action->setText(caption);
  else if (auto *menu = qobject_cast<QMenu *>(&component))
    menu->setTitle(caption);
}
