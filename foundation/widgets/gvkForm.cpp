#include "foundation/widgets/gvkForm.h"

#include "foundation/gvkErrors.h"
#include "foundation/gvkIniFiles.h"
#include "foundation/gvkLanguage.h"
#include "foundation/widgets/gvkAccelerators.h"
#include "foundation/widgets/gvkFormTranslator.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QUrl>

namespace {

const QString PlacementSection = QStringLiteral("Windows");
const char *const TagProperty = "Tag";
const char *const CancelProperty = "gvkCancelButton";
constexpr int SnapDistance = 20;

TGvkForm::THelpViewer &HelpViewerStore()
{
  static TGvkForm::THelpViewer viewer = [](const QString &helpFile, int) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile));
  };
  return viewer;
}

} // namespace

int ComponentTag(const QObject *component)
{
  return component->property(TagProperty).toInt();
}

void SetComponentTag(QObject *component, int tag)
{
  component->setProperty(TagProperty, tag);
}

std::optional<TGvkPlacement> ParsePlacement(const QString &text)
{
  const QStringList fields = text.split(QLatin1Char(','));
  if (fields.size() != 5)
    return std::nullopt;
  int values[5];
  for (int i = 0; i < 5; ++i) {
    bool ok = false;
    values[i] = fields[i].trimmed().toInt(&ok);
    if (!ok)
      return std::nullopt;
  }
  return TGvkPlacement{values[0], values[1], values[2], values[3], values[4]};
}

QString PlacementText(const TGvkPlacement &placement)
{
  return QStringLiteral("%1,%2,%3,%4,%5")
      .arg(placement.Left)
      .arg(placement.Top)
      .arg(placement.Width)
      .arg(placement.Height)
      .arg(placement.State);
}

std::optional<QRect> RestoredBounds(const TGvkPlacement &placement, const QSize &currentSize,
                                    const QRect &screen, bool sizeable)
{
  const int screenWidth = screen.width();
  const int screenHeight = screen.height();
  int width = currentSize.width();
  int height = currentSize.height();
  if (sizeable) {
    if (placement.Width > 0)
      width = std::min(placement.Width, screenWidth - 10);
    if (placement.Height > 0)
      height = std::min(placement.Height, screenHeight - 10);
  }
  // Judged on the stored position: after clamping, a form far to the right would keep a
  // 10-pixel strip on the screen instead of being centred.
  const int left = placement.Left - screen.x();
  const int top = placement.Top - screen.y();
  if (left > screenWidth - 10 || left + width < 10 || top > screenHeight - 30 || top + height < 10)
    return std::nullopt;
  return QRect(screen.x() + std::clamp(left, 0, screenWidth - 10),
               screen.y() + std::clamp(top, 0, screenHeight - 10), width, height);
}

QRect CenteredBounds(const QSize &size, const QRect &screen)
{
  return QRect(screen.x() + (screen.width() - size.width()) / 2,
               screen.y() + (screen.height() - size.height()) / 2, size.width(), size.height());
}

QRect KeptInScreen(const QRect &bounds, const QRect &screen, bool maximised, bool alwaysInScreen,
                   bool snapAtBorder)
{
  const int width = bounds.width();
  const int height = bounds.height();
  const int screenLeft = screen.x();
  const int screenTop = screen.y();
  const int screenRight = screen.x() + screen.width();
  const int usableBottom = screen.y() + screen.height();
  int left = bounds.x();
  int top = bounds.y();
  if (alwaysInScreen) {
    if (left > screenLeft && left + width > screenRight)
      left = screenRight - width;
    if (top > screenTop && top + height > usableBottom)
      top = usableBottom - height;
    if (!maximised) {
      left = std::max(left, screenLeft);
      top = std::max(top, screenTop);
    }
  }
  if (snapAtBorder && !maximised) {
    if (std::abs(left - screenLeft) < SnapDistance)
      left = screenLeft;
    if (std::abs(top - screenTop) < SnapDistance)
      top = screenTop;
    if (std::abs(left + width - screenRight) < SnapDistance)
      left = screenRight - width;
    if (std::abs(top + height - usableBottom) < SnapDistance)
      top = usableBottom - height;
  }
  return QRect(left, top, width, height);
}

TGvkForm::TGvkForm(QWidget *parent) : QDialog(parent)
{
  auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, &TGvkForm::ShowHelp);
}

TGvkForm::~TGvkForm()
{
  // Only a form that was loaded has a placement of its own; saving the size of a form that
  // was never shown would overwrite the user's record.
  if (FAutoSave && FLoaded) {
    try {
      SavePlacement();
    } catch (const EGvkError &error) {
      // A destructor must not throw; the user still learns that the settings were not saved.
      ShowErrorMessage(error.Message());
    }
  }
}

void TGvkForm::FormLoaded()
{
  if (FLoaded)
    return;
  FLoaded = true;
  if (objectName().isEmpty())
    setObjectName(QString::fromLatin1(metaObject()->className()).mid(1));
  if (!testAttribute(Qt::WA_Resized))
    adjustSize();
  if (FAutoSave)
    LoadPlacement();
  FCentered = CenteredBounds(size(), ScreenArea());
  TLanguage &language = FormLanguage();
  if (language.IsExporting())
    ExportTexts(language);
  TranslateForm(*this, language);
  if (FAutoAccelerators)
    AssignAccelerators(*this);
  ConnectLabelClicks();
}

void TGvkForm::ExportTexts(const TLanguage &language)
{
  try {
    if (ExportFormTexts(*this, language))
      ShowMessageBox(QString::fromLatin1(metaObject()->className()) +
                     QStringLiteral("\nForm - Texte gespeichert"));
  } catch (const EGvkError &error) {
    // The form still opens; the developer learns why its texts are missing.
    ShowErrorMessage(error.Message());
  }
}

void TGvkForm::LoadPlacement()
{
  const QRect screen = ScreenArea();
  const auto placement =
      ParsePlacement(SettingsFile().ReadString(PlacementSection, objectName(), QString()));
  const auto bounds =
      placement ? RestoredBounds(*placement, size(), screen, IsSizeable()) : std::nullopt;
  if (!bounds) {
    setGeometry(CenteredBounds(size(), screen));
    return;
  }
  setGeometry(*bounds);
  // A form restored minimised would be invisible, and a modal one would block the program.
  if (placement->State == 2)
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TGvkForm::SavePlacement()
{
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  const int state = isMaximized() ? 2 : (isMinimized() ? 1 : 0);
  SettingsFile().WriteString(
      PlacementSection, objectName(),
      PlacementText({normal.x(), normal.y(), normal.width(), normal.height(), state}));
}

void TGvkForm::CenterOnScreen()
{
  if (!FCentered.isValid())
    FCentered = CenteredBounds(size(), ScreenArea());
  move(FCentered.topLeft() + (pos() - geometry().topLeft()));
}

QRect TGvkForm::ScreenArea() const
{
  const QScreen *current = screen();
  return current ? current->availableGeometry() : QRect();
}

bool TGvkForm::IsSizeable() const
{
  if (layout() && layout()->sizeConstraint() == QLayout::SetFixedSize)
    return false;
  return minimumSize() != maximumSize();
}

void TGvkForm::LoadControls(TGvkCustomIniFile &ini, const QString &section, int tag)
{
  for (QObject *component : findChildren<QObject *>())
    if (ComponentTag(component) == tag)
      if (auto *persistent = dynamic_cast<IIniPersistent *>(component))
        persistent->LoadFromIni(ini, section);
}

void TGvkForm::SaveControls(TGvkCustomIniFile &ini, const QString &section, int tag)
{
  for (QObject *component : findChildren<QObject *>())
    if (ComponentTag(component) == tag)
      if (auto *persistent = dynamic_cast<IIniPersistent *>(component))
        persistent->SaveToIni(ini, section);
}

void TGvkForm::SetCancelButton(QPushButton *button)
{
  for (QPushButton *other : findChildren<QPushButton *>())
    other->setProperty(CancelProperty, QVariant());
  if (button)
    button->setProperty(CancelProperty, true);
}

bool TGvkForm::IsCancelButton(const QObject *button)
{
  return button->property(CancelProperty).toBool();
}

void TGvkForm::ShowHelp()
{
  OpenHelp(FHelpContext);
}

void TGvkForm::ShowHelpContents()
{
  OpenHelp(0);
}

void TGvkForm::OpenHelp(int context)
{
  const QString file = HelpFile();
  if (file.isEmpty() || !QFileInfo(file).isFile())
    return;
  HelpViewerStore()(file, context);
}

QString TGvkForm::HelpFile()
{
  return FormLanguage().HelpFile();
}

void TGvkForm::SetHelpViewer(THelpViewer viewer)
{
  HelpViewerStore() = std::move(viewer);
}

void TGvkForm::setVisible(bool visible)
{
  if (visible && !FLoaded)
    FormLoaded();
  QDialog::setVisible(visible);
}

void TGvkForm::moveEvent(QMoveEvent *event)
{
  QDialog::moveEvent(event);
  KeepInScreen();
}

void TGvkForm::resizeEvent(QResizeEvent *event)
{
  QDialog::resizeEvent(event);
  KeepInScreen();
}

void TGvkForm::KeepInScreen()
{
  if (FKeeping || !isVisible() || (!FAlwaysInScreen && !FSnapAtScreenBorder))
    return;
  const QRect kept =
      KeptInScreen(geometry(), ScreenArea(), isMaximized(), FAlwaysInScreen, FSnapAtScreenBorder);
  if (kept == geometry())
    return;
  FKeeping = true;
  setGeometry(kept);
  FKeeping = false;
}

void TGvkForm::keyPressEvent(QKeyEvent *event)
{
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    for (QPushButton *button : findChildren<QPushButton *>())
      if (IsCancelButton(button) && button->isVisible() && button->isEnabled()) {
        button->click();
        return;
      }
  }
  QDialog::keyPressEvent(event);
}

void TGvkForm::ConnectLabelClicks()
{
  for (QLabel *label : findChildren<QLabel *>())
    if (label->buddy())
      label->installEventFilter(this);
}

bool TGvkForm::eventFilter(QObject *watched, QEvent *event)
{
  if (event->type() == QEvent::MouseButtonPress)
    if (auto *label = qobject_cast<QLabel *>(watched))
      if (QWidget *buddy = label->buddy())
        buddy->setFocus(Qt::MouseFocusReason);
  return QDialog::eventFilter(watched, event);
}

int RunModalForm(TGvkForm &form)
{
  if (auto answer =
          TGvkDialogScript::NextFormAnswer(QString::fromLatin1(form.metaObject()->className()))) {
    form.show();
    const int result = (*answer)(form);
    form.hide();
    return result;
  }
  const int result = form.exec();
  return result == QDialog::Rejected ? mrCancel : result;
}
