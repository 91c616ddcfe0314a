#include "foundation/widgets/gvkButtons.h"

#include <QVBoxLayout>

TGvkCheckBox::TGvkCheckBox(const QString &caption, QWidget *parent) : QCheckBox(caption, parent)
{
}

TGvkRadioButton::TGvkRadioButton(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent)
{
}

TGvkRadioGroup::TGvkRadioGroup(const QString &caption, QWidget *parent) : QGroupBox(caption, parent)
{
  new QVBoxLayout(this);
}

void TGvkRadioGroup::SetItems(const QStringList &items)
{
  const int selected = ItemIndex();
  while (FButtons.size() > items.size())
    delete FButtons.takeLast();
  for (qsizetype i = 0; i < items.size(); ++i) {
    if (i == FButtons.size()) {
      auto *button = new QRadioButton(this);
      layout()->addWidget(button);
      FButtons.append(button);
    }
    FButtons[i]->setText(items[i]);
  }
  if (selected < ItemCount())
    SetItemIndex(selected);
}

QStringList TGvkRadioGroup::Items() const
{
  QStringList items;
  for (const QRadioButton *button : FButtons)
    items.append(button->text());
  return items;
}

int TGvkRadioGroup::ItemIndex() const
{
  for (qsizetype i = 0; i < FButtons.size(); ++i)
    if (FButtons[i]->isChecked())
      return static_cast<int>(i);
  return -1;
}

void TGvkRadioGroup::SetItemIndex(int index)
{
  // Exclusive buttons refuse to be unchecked one by one.
  for (qsizetype i = 0; i < FButtons.size(); ++i) {
    FButtons[i]->setAutoExclusive(false);
    FButtons[i]->setChecked(i == index);
    FButtons[i]->setAutoExclusive(true);
  }
}
