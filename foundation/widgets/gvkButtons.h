#pragma once
// The library's check box, radio button and radio group. Automatic accelerators treat them
// as candidates, unlike the plain platform controls.
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>

class TGvkCheckBox : public QCheckBox
{
  Q_OBJECT

public:
  explicit TGvkCheckBox(const QString &caption = QString(), QWidget *parent = nullptr);
};

class TGvkRadioButton : public QRadioButton
{
  Q_OBJECT

public:
  explicit TGvkRadioButton(const QString &caption = QString(), QWidget *parent = nullptr);
};

// A group box holding one radio button per item, in a column.
class TGvkRadioGroup : public QGroupBox
{
  Q_OBJECT

public:
  explicit TGvkRadioGroup(const QString &caption = QString(), QWidget *parent = nullptr);

  void SetItems(const QStringList &items);
  QStringList Items() const;
  int ItemCount() const { return static_cast<int>(FButtons.size()); }
  QRadioButton *ItemButton(int index) const { return FButtons.at(index); }
  // -1 when no item is selected; the index stays when the items are renamed.
  int ItemIndex() const;
  void SetItemIndex(int index);

private:
  QList<QRadioButton *> FButtons; // owned by the group as their Qt parent
};
