#include "foundation/widgets/gvkButtons.h"

#include "foundation/gvkIniFiles.h"

#include <QEvent>
#include <QGridLayout>
#include <QStyleOptionButton>

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString LineAt(const QStringList &lines, int index)
{
  return index >= 0 && index < lines.size() ? lines.at(index) : QString();
}

// The bounds of a button's caption in the coordinates of target.
QRect CaptionBounds(const QAbstractButton &button, QStyle::SubElement contents, QWidget &target)
{
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const QRect inButton = button.style()->subElementRect(contents, &option, &button);
  // One pixel lower than the control and as high as it, over the caption only.
  const QRect local(inButton.x(), 1, button.width() - inButton.x(), button.height());
  return QRect(button.mapTo(&target, local.topLeft()), local.size());
}

QString ExportCaptionAndHint(const QAbstractButton &button)
{
  QString text = button.text();
  if (!button.toolTip().isEmpty())
    text += CrLf + button.toolTip();
  return text;
}

} // namespace

QString WithoutAccelerator(const QString &caption)
{
  QString result;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
      ++i;
    else if (caption.at(i) == QLatin1Char('&'))
      continue;
    result += caption.at(i);
  }
  return result;
}

void SetControlHint(QWidget &control, const QString &hint)
{
  control.setToolTip(hint);
  control.setStatusTip(hint);
}

// --- TGvkReadOnlyDisplay

TGvkReadOnlyDisplay::TGvkReadOnlyDisplay(QWidget &control, TCaptions captions,
                                         TSetEnabled setEnabled, bool labelsInControl)
    : FControl(control), FCaptions(std::move(captions)), FSetEnabled(std::move(setEnabled)),
      FLabelsInControl(labelsInControl)
{
  control.installEventFilter(this);
}

TGvkReadOnlyDisplay::~TGvkReadOnlyDisplay()
{
  for (const QPointer<QLabel> &label : FLabels)
    delete label.data();
}

void TGvkReadOnlyDisplay::SetReadOnly(bool value)
{
  FReadOnly = value;
  Update();
}

void TGvkReadOnlyDisplay::SetEnabled(bool value)
{
  FEnabled = value;
  Update();
}

std::vector<QLabel *> TGvkReadOnlyDisplay::Labels() const
{
  std::vector<QLabel *> labels;
  for (const QPointer<QLabel> &label : FLabels)
    if (label)
      labels.push_back(label.data());
  return labels;
}

QWidget *TGvkReadOnlyDisplay::LabelParent() const
{
  return FLabelsInControl ? &FControl : FControl.parentWidget();
}

void TGvkReadOnlyDisplay::Update()
{
  if (FUpdating)
    return;
  FUpdating = true;
  for (const QPointer<QLabel> &label : FLabels)
    delete label.data();
  FLabels.clear();
  QWidget *parent = LabelParent();
  const bool shown = FReadOnly && FEnabled && !FControl.isHidden() && parent;
  FSetEnabled(FEnabled && !shown);
  if (shown) {
    for (const TCaption &caption : FCaptions()) {
      auto *label = new QLabel(WithoutAccelerator(caption.Text), parent);
      label->setFont(FControl.font());
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      label->setAutoFillBackground(true);
      label->setGeometry(caption.Bounds);
      label->show();
      label->raise();
      FLabels.emplace_back(label);
    }
  }
  FUpdating = false;
}

bool TGvkReadOnlyDisplay::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == &FControl) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::ParentChange:
    case QEvent::FontChange:
    case QEvent::LayoutRequest:
      if (FReadOnly)
        Update();
      break;
    default:
      break;
    }
  }
  return QObject::eventFilter(watched, event);
}

// --- TGvkCheckBox

TGvkCheckBox::TGvkCheckBox(const QString &caption, QWidget *parent) : QCheckBox(caption, parent)
{
  FDisplay = std::make_unique<TGvkReadOnlyDisplay>(
      *this,
      [this] {
        return std::vector<TGvkReadOnlyDisplay::TCaption>{
            {CaptionBounds(*this, QStyle::SE_CheckBoxContents, *parentWidget()), text()}};
      },
      [this](bool enabled) { setEnabled(enabled); }, false);
}

TGvkCheckBox::~TGvkCheckBox() = default;

void TGvkCheckBox::SetCaption(const QString &caption)
{
  setText(caption);
  FDisplay->Update();
}

void TGvkCheckBox::nextCheckState()
{
  QCheckBox::nextCheckState();
  if (FOnToggle)
    FOnToggle(*this);
}

void TGvkCheckBox::LoadFromIni(TGvkCustomIniFile &ini, const QString &section)
{
  if (!isTristate()) {
    setChecked(ini.ReadBool(section, objectName(), isChecked()));
    return;
  }
  // Stored as unchecked 0, checked 1, grey 2.
  const int current =
      checkState() == Qt::Checked ? 1 : (checkState() == Qt::PartiallyChecked ? 2 : 0);
  const int stored = ini.ReadInteger(section, objectName(), current);
  setCheckState(stored == 1 ? Qt::Checked : (stored == 2 ? Qt::PartiallyChecked : Qt::Unchecked));
}

void TGvkCheckBox::SaveToIni(TGvkCustomIniFile &ini, const QString &section)
{
  if (!isTristate()) {
    ini.WriteBool(section, objectName(), isChecked());
    return;
  }
  ini.WriteInteger(section, objectName(),
                   checkState() == Qt::Checked ? 1
                                               : (checkState() == Qt::PartiallyChecked ? 2 : 0));
}

QString TGvkCheckBox::GetTexts() const
{
  return ExportCaptionAndHint(*this);
}

void TGvkCheckBox::SetTexts(const QStringList &lines, int first, int count)
{
  SetCaption(LineAt(lines, first));
  if (count >= 2)
    SetControlHint(*this, LineAt(lines, first + 1));
}

// --- TGvkRadioButton

TGvkRadioButton::TGvkRadioButton(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent)
{
  FDisplay = std::make_unique<TGvkReadOnlyDisplay>(
      *this,
      [this] {
        return std::vector<TGvkReadOnlyDisplay::TCaption>{
            {CaptionBounds(*this, QStyle::SE_RadioButtonContents, *parentWidget()), text()}};
      },
      [this](bool enabled) { setEnabled(enabled); }, false);
}

TGvkRadioButton::~TGvkRadioButton() = default;

void TGvkRadioButton::SetCaption(const QString &caption)
{
  setText(caption);
  FDisplay->Update();
}

void TGvkRadioButton::LoadFromIni(TGvkCustomIniFile &ini, const QString &section)
{
  setChecked(ini.ReadBool(section, objectName(), isChecked()));
}

void TGvkRadioButton::SaveToIni(TGvkCustomIniFile &ini, const QString &section)
{
  ini.WriteBool(section, objectName(), isChecked());
}

QString TGvkRadioButton::GetTexts() const
{
  return ExportCaptionAndHint(*this);
}

void TGvkRadioButton::SetTexts(const QStringList &lines, int first, int count)
{
  SetCaption(LineAt(lines, first));
  if (count >= 2)
    SetControlHint(*this, LineAt(lines, first + 1));
}

// --- TGvkRadioGroup

TGvkRadioGroup::TGvkRadioGroup(const QString &caption, QWidget *parent) : QGroupBox(caption, parent)
{
  FLayout = new QGridLayout(this);
  FDisplay = std::make_unique<TGvkReadOnlyDisplay>(
      *this,
      [this] {
        std::vector<TGvkReadOnlyDisplay::TCaption> captions;
        for (QRadioButton *button : FButtons)
          captions.push_back(
              {CaptionBounds(*button, QStyle::SE_RadioButtonContents, *this), button->text()});
        return captions;
      },
      // The items are disabled, not the group, so its caption and the labels stay legible.
      [this](bool enabled) {
        for (QRadioButton *button : FButtons)
          button->setEnabled(enabled);
      },
      true);
}

TGvkRadioGroup::~TGvkRadioGroup() = default;

void TGvkRadioGroup::SetItems(const QStringList &items)
{
  const int selected = ItemIndex();
  while (FButtons.size() > items.size())
    delete FButtons.takeLast();
  for (qsizetype i = 0; i < items.size(); ++i) {
    if (i == FButtons.size())
      FButtons.append(new QRadioButton(this));
    FButtons[i]->setText(items[i]);
  }
  Arrange();
  if (selected < ItemCount())
    SetItemIndex(selected);
  FDisplay->Update();
}

void TGvkRadioGroup::SetColumns(int columns)
{
  FColumns = std::max(columns, 1);
  Arrange();
  FDisplay->Update();
}

void TGvkRadioGroup::Arrange()
{
  for (QRadioButton *button : FButtons)
    FLayout->removeWidget(button);
  const int count = ItemCount();
  const int rows = std::max((count + FColumns - 1) / FColumns, 1);
  for (int i = 0; i < count; ++i)
    FLayout->addWidget(FButtons[i], i % rows, i / rows);
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

void TGvkRadioGroup::LoadFromIni(TGvkCustomIniFile &ini, const QString &section)
{
  SetItemIndex(ini.ReadInteger(section, objectName(), ItemIndex()));
}

void TGvkRadioGroup::SaveToIni(TGvkCustomIniFile &ini, const QString &section)
{
  ini.WriteInteger(section, objectName(), ItemIndex());
}

QString TGvkRadioGroup::GetTexts() const
{
  QStringList lines{title().isEmpty() ? QStringLiteral(".") : title(),
                    toolTip().isEmpty() ? QStringLiteral(".") : toolTip()};
  lines.append(Items());
  return lines.join(CrLf);
}

void TGvkRadioGroup::SetTexts(const QStringList &lines, int first, int count)
{
  const QString caption = LineAt(lines, first);
  if (caption != QLatin1String("."))
    setTitle(caption);
  if (count >= 2 && LineAt(lines, first + 1) != QLatin1String("."))
    SetControlHint(*this, LineAt(lines, first + 1));
  QStringList items;
  for (int i = 2; i < count; ++i)
    items.append(LineAt(lines, first + i));
  while (!items.isEmpty() && items.last().isEmpty())
    items.removeLast();
  const int selected = ItemIndex();
  SetItems(items);
  SetItemIndex(selected < ItemCount() ? selected : -1);
}
