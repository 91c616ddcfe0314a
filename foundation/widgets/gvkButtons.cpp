#include "foundation/widgets/gvkButtons.h"

#include "foundation/gvkIniFiles.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QStyleOptionButton>

namespace {

const QString CrLf = QStringLiteral("\r\n");

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

// Enables or disables a button; a disabled button whose caption a label covers draws its
// own caption invisibly, so only the label's text shows (its box keeps its marks).
void ShowDisabled(QAbstractButton &button, bool enabled, bool covered)
{
  button.setEnabled(enabled);
  QPalette palette = button.palette();
  const QPalette inherited =
      button.parentWidget() ? button.parentWidget()->palette() : QGuiApplication::palette();
  for (const auto role : {QPalette::WindowText, QPalette::ButtonText})
    palette.setColor(QPalette::Disabled, role,
                     covered ? QColor(Qt::transparent) : inherited.color(QPalette::Disabled, role));
  button.setPalette(palette);
}

std::unique_ptr<TGvkReadOnlyDisplay> ButtonDisplay(QAbstractButton &button,
                                                   QStyle::SubElement contents)
{
  return std::make_unique<TGvkReadOnlyDisplay>(
      button,
      [&button, contents] {
        return std::vector<TGvkReadOnlyDisplay::TCaption>{
            {CaptionBounds(button, contents, *button.parentWidget()), button.text()}};
      },
      [&button](bool enabled, bool covered) { ShowDisabled(button, enabled, covered); }, false);
}

void ImportCaptionAndHint(QAbstractButton &button, TGvkReadOnlyDisplay &display,
                          const QStringList &lines, int first, int count)
{
  button.setText(LanguageLine(lines, first));
  display.Update();
  if (count >= 2)
    SetControlHint(button, LanguageLine(lines, first + 1));
}

QString ExportCaptionAndHint(const QAbstractButton &button)
{
  QString text = button.text();
  if (!button.toolTip().isEmpty())
    text += CrLf + button.toolTip();
  return text;
}

} // namespace

QString LanguageLine(const QStringList &lines, int index)
{
  return index >= 0 && index < lines.size() ? lines.at(index) : QString();
}

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
    if (label && !label->isHidden())
      labels.push_back(label.data());
  return labels;
}

QWidget *TGvkReadOnlyDisplay::LabelParent() const
{
  return FLabelsInControl ? &FControl : FControl.parentWidget();
}

bool TGvkReadOnlyDisplay::IsActive() const
{
  return FReadOnly && FEnabled && !FControl.isHidden() && LabelParent();
}

void TGvkReadOnlyDisplay::Update()
{
  QWidget *parent = LabelParent();
  const bool active = IsActive();
  const std::vector<TCaption> captions = active ? FCaptions() : std::vector<TCaption>();
  // Labels are made and freed here only, never while the platform walks the children of a
  // parent being shown (the event filter only moves and shows them).
  while (FLabels.size() > captions.size()) {
    delete FLabels.back().data();
    FLabels.pop_back();
  }
  for (std::size_t i = 0; i < FLabels.size(); ++i)
    if (!FLabels[i] || FLabels[i]->parentWidget() != parent) {
      delete FLabels[i].data();
      FLabels[i] = nullptr;
    }
  while (FLabels.size() < captions.size())
    FLabels.emplace_back(nullptr);
  for (std::size_t i = 0; i < captions.size(); ++i)
    if (!FLabels[i]) {
      auto *label = new QLabel(parent);
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      FLabels[i] = label;
    }
  Refresh();
}

void TGvkReadOnlyDisplay::Refresh()
{
  const bool active = IsActive();
  FSetEnabled(FEnabled && !active, active);
  const std::vector<TCaption> captions = active ? FCaptions() : std::vector<TCaption>();
  for (std::size_t i = 0; i < FLabels.size(); ++i) {
    QLabel *label = FLabels[i].data();
    if (!label)
      continue;
    if (i >= captions.size()) {
      label->hide();
      continue;
    }
    label->setText(WithoutAccelerator(captions[i].Text));
    label->setFont(FControl.font());
    label->setGeometry(captions[i].Bounds);
    label->show();
  }
}

bool TGvkReadOnlyDisplay::eventFilter(QObject *watched, QEvent *event)
{
  if (watched == &FControl && FReadOnly) {
    switch (event->type()) {
    case QEvent::ParentChange:
      Update();
      break;
    case QEvent::ShowToParent:
      if (FLabels.empty())
        Update();
      else
        Refresh();
      break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::HideToParent:
    case QEvent::FontChange:
    case QEvent::LayoutRequest:
      Refresh();
      break;
    default:
      break;
    }
  }
  return QObject::eventFilter(watched, event);
}

// --- TGvkCheckBox

TGvkCheckBox::TGvkCheckBox(const QString &caption, QWidget *parent)
    : QCheckBox(caption, parent), FDisplay(ButtonDisplay(*this, QStyle::SE_CheckBoxContents))
{
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
  ImportCaptionAndHint(*this, *FDisplay, lines, first, count);
}

// --- TGvkRadioButton

TGvkRadioButton::TGvkRadioButton(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent), FDisplay(ButtonDisplay(*this, QStyle::SE_RadioButtonContents))
{
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
  ImportCaptionAndHint(*this, *FDisplay, lines, first, count);
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
      [this](bool enabled, bool covered) {
        for (QRadioButton *button : FButtons)
          ShowDisabled(*button, enabled, covered);
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
  const QString caption = LanguageLine(lines, first);
  if (caption != QLatin1String("."))
    setTitle(caption);
  if (count >= 2 && LanguageLine(lines, first + 1) != QLatin1String("."))
    SetControlHint(*this, LanguageLine(lines, first + 1));
  QStringList items;
  for (int i = 2; i < count; ++i)
    items.append(LanguageLine(lines, first + i));
  while (!items.isEmpty() && items.last().isEmpty())
    items.removeLast();
  const int selected = ItemIndex();
  SetItems(items);
  SetItemIndex(selected < ItemCount() ? selected : -1);
}
