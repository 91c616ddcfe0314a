#include "foundation/widgets/gvkAccelerators.h"

#include "foundation/widgets/gvkCaptions.h"
#include "foundation/widgets/gvkForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <algorithm>

namespace {

bool IsUsable(QChar upper)
{
  const char16_t code = upper.unicode();
  return (code >= u'0' && code <= u'9') || (code >= u'A' && code <= u'Z') || code == u'Ä' ||
         code == u'Ö' || code == u'Ü';
}

// A page of a notebook: a stacked widget that is not the inside of a tab widget.
bool IsNotebookPage(const QObject *object)
{
  const auto *widget = qobject_cast<const QWidget *>(object);
  if (!widget)
    return false;
  auto *stack = qobject_cast<QStackedWidget *>(widget->parentWidget());
  return stack && !qobject_cast<QTabWidget *>(stack->parentWidget());
}

bool IsContainer(const QObject *object)
{
  return TabWidgetOfPage(*object) || IsNotebookPage(object);
}

bool IsRadioItem(const QObject *object)
{
  const auto *radio = qobject_cast<const QRadioButton *>(object);
  return radio && radio->parent() && radio->parent()->inherits("TGvkRadioGroup");
}

std::optional<TGvkAcceleratorKind> KindOf(const QObject *component)
{
  if (TabWidgetOfPage(*component))
    return TGvkAcceleratorKind::TabSheet;
  if (IsRadioItem(component))
    return TGvkAcceleratorKind::RadioItem;
  if (component->inherits("TGvkCheckBox"))
    return TGvkAcceleratorKind::CheckBox;
  if (component->inherits("TGvkRadioButton"))
    return TGvkAcceleratorKind::RadioButton;
  if (const auto *label = qobject_cast<const QLabel *>(component))
    return label->buddy() ? std::optional(TGvkAcceleratorKind::Label) : std::nullopt;
  if (const auto *button = qobject_cast<const QPushButton *>(component))
    if (!button->isDefault() && !TGvkForm::IsCancelButton(button))
      return TGvkAcceleratorKind::Button;
  return std::nullopt;
}

QString MenuCharacters(QWidget &form)
{
  QString taken;
  if (auto *menu = form.findChild<QMenuBar *>())
    for (const QAction *action : menu->actions()) {
      const QChar character = ExistingAccelerator(action->text());
      if (!character.isNull())
        taken += character;
    }
  return taken;
}

} // namespace

QChar ExistingAccelerator(const QString &caption)
{
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&'))
      continue;
    const QChar next = caption[i + 1].toUpper();
    if (next == QLatin1Char('&')) {
      ++i;
      continue;
    }
    if (IsUsable(next))
      return next;
  }
  return QChar();
}

QString AcceleratorCandidates(const QString &caption)
{
  QString candidates;
  for (const QChar character : caption) {
    const QChar upper = character.toUpper();
    if (IsUsable(upper) && !candidates.contains(upper))
      candidates += upper;
  }
  return candidates;
}

QString WithAccelerator(const QString &caption, QChar character)
{
  for (qsizetype i = 0; i < caption.size(); ++i)
    if (caption[i].toUpper() == character) {
      QString result = caption;
      result.insert(i, QLatin1Char('&'));
      return result;
    }
  return caption;
}

bool TGvkAcceleratorGroup::IsTaken(QChar character) const
{
  if (Reserved.contains(character))
    return true;
  for (const TGvkAcceleratorItem &item : Items)
    if (item.Accelerator == character)
      return true;
  return Parent && Parent->IsTaken(character);
}

TGvkAccelerator::TGvkAccelerator(QWidget &form) : FForm(form)
{
  FRoot.Container = &form;
  FRoot.Reserved = MenuCharacters(form);
  FGroups.emplace_back(&form, &FRoot);
  // Components in creation order (parents before their children).
  for (QObject *component : form.findChildren<QObject *>()) {
    if (IsContainer(component))
      GroupFor(qobject_cast<QWidget *>(component));
    if (const auto kind = KindOf(component))
      AddItem(component, *kind);
  }
}

TGvkAcceleratorGroup &TGvkAccelerator::GroupFor(QWidget *container)
{
  for (const auto &[widget, group] : FGroups)
    if (widget == container)
      return *group;
  TGvkAcceleratorGroup &parent = GroupOfNearestContainer(container);
  auto group = std::make_unique<TGvkAcceleratorGroup>();
  group->Container = container;
  group->Parent = &parent;
  FGroups.emplace_back(container, group.get());
  parent.Children.push_back(std::move(group));
  return *parent.Children.back();
}

TGvkAcceleratorGroup &TGvkAccelerator::GroupOfNearestContainer(QObject *component)
{
  for (QObject *object = component->parent(); object && object != &FForm; object = object->parent())
    if (IsContainer(object))
      return GroupFor(qobject_cast<QWidget *>(object));
  return FRoot;
}

void TGvkAccelerator::AddItem(QObject *control, TGvkAcceleratorKind kind)
{
  TGvkAcceleratorItem item;
  item.Control = control;
  item.Kind = kind;
  const QString caption = CaptionOf(*control);
  item.Accelerator = ExistingAccelerator(caption);
  if (item.Accelerator.isNull())
    item.Candidates = AcceleratorCandidates(caption);
  GroupOfNearestContainer(control).Items.push_back(item);
}

void TGvkAccelerator::Assign()
{
  AssignGroup(FRoot);
}

void TGvkAccelerator::AssignGroup(TGvkAcceleratorGroup &group)
{
  std::vector<TGvkAcceleratorItem *> order;
  for (TGvkAcceleratorItem &item : group.Items)
    order.push_back(&item);
  std::stable_sort(order.begin(), order.end(),
                   [](const auto *a, const auto *b) { return a->SortKey() < b->SortKey(); });
  for (TGvkAcceleratorItem *item : order) {
    if (!item->Accelerator.isNull())
      continue;
    for (const QChar candidate : item->Candidates)
      if (!group.IsTaken(candidate)) {
        item->Accelerator = candidate;
        SetCaption(*item->Control, WithAccelerator(CaptionOf(*item->Control), candidate));
        break;
      }
  }
  for (auto &child : group.Children)
    AssignGroup(*child);
}

void AssignAccelerators(QWidget &form)
{
  TGvkAccelerator accelerator(form);
  accelerator.Assign();
}
