#pragma once
// Automatic accelerator keys ("&" in captions, Qt's mnemonics) for the captions of a form.
// Controls on different tab sheets may share a character; none reuses a character taken on
// the form itself or by the main menu's top-level items.
#include <QChar>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

class QObject;
class QWidget;
class TGvkForm;

// In order of precedence.
enum class TGvkAcceleratorKind
{
  TabSheet = 1,
  Button = 2,
  Label = 3,
  CheckBox = 4,    // TGvkCheckBox
  RadioButton = 5, // TGvkRadioButton
  RadioItem = 6    // a radio item of a TGvkRadioGroup
};

// One caption that may get an accelerator.
struct TGvkAcceleratorItem
{
  QObject *Control = nullptr; // for a tab sheet the page, for a radio item its button
  TGvkAcceleratorKind Kind = TGvkAcceleratorKind::Button;
  QChar Accelerator;  // the existing or assigned character; null if none
  QString Candidates; // distinct usable characters of the caption, upper case, in order

  int SortKey() const { return static_cast<int>(Kind) * 100 + Candidates.size(); }
};

// A container (the form, a tab sheet or a notebook page) with its items and child groups.
struct TGvkAcceleratorGroup
{
  QWidget *Container = nullptr;
  TGvkAcceleratorGroup *Parent = nullptr;
  std::vector<TGvkAcceleratorItem> Items;
  std::vector<std::unique_ptr<TGvkAcceleratorGroup>> Children;
  QString Reserved; // of the root: the characters of the main menu

  // Whether the character is used in this group or taken by one of its parents.
  bool IsTaken(QChar character) const;
};

// One pass over one form.
class TGvkAccelerator
{
public:
  explicit TGvkAccelerator(QWidget &form);
  void Assign();

  const TGvkAcceleratorGroup &Root() const { return FRoot; }

private:
  TGvkAcceleratorGroup &GroupFor(QWidget *container);
  TGvkAcceleratorGroup &GroupOfNearestContainer(QObject *component);
  void AddItem(QObject *control, TGvkAcceleratorKind kind);
  void AssignGroup(TGvkAcceleratorGroup &group);

  QWidget &FForm;
  TGvkAcceleratorGroup FRoot;
  std::vector<std::pair<QWidget *, TGvkAcceleratorGroup *>> FGroups;
};

void AssignAccelerators(QWidget &form);

// The character after a single "&" if it is a digit, A-Z, "Ä", "Ö" or "Ü" (upper case);
// null otherwise. "&&" is a literal ampersand.
QChar ExistingAccelerator(const QString &caption);
// The distinct usable characters of the caption, upper case, in order of first appearance.
QString AcceleratorCandidates(const QString &caption);
// The caption with "&" before the first occurrence of the character (without regard to case).
QString WithAccelerator(const QString &caption, QChar character);
