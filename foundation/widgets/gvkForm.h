#pragma once
// TGvkForm, the base of every form of the program (modal dialogs and the main window alike):
// it restores and saves the form's placement, keeps the form inside the screen, routes help
// requests, translates the form and assigns accelerator keys when the form is loaded.
// Forms carry Q_OBJECT: translation and the export go by the class chain.
#include "foundation/widgets/gvkDialogs.h"

#include <QDialog>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>

class QPushButton;
class TGvkCustomIniFile;
class TLanguage;

// A control that keeps its value in a settings file, under its objectName as key.
class IIniPersistent
{
public:
  virtual ~IIniPersistent() = default;
  virtual void LoadFromIni(TGvkCustomIniFile &ini, const QString &section) = 0;
  virtual void SaveToIni(TGvkCustomIniFile &ini, const QString &section) = 0;
};

// A component's Tag is the dynamic property "Tag" (0 when unset); LoadControls and
// SaveControls select the controls by it.
int ComponentTag(const QObject *component);
void SetComponentTag(QObject *component, int tag);

// A form's placement record: left, top, width and height of the normal window, and the
// state (0 normal, 1 minimised, 2 maximised).
struct TGvkPlacement
{
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int State = 0;
  bool operator==(const TGvkPlacement &other) const = default;
};

// Five integers separated by ","; none for an empty or malformed value.
std::optional<TGvkPlacement> ParsePlacement(const QString &text);
QString PlacementText(const TGvkPlacement &placement);
// The bounds a record gives on the screen area; none when the form must be centred instead.
// A fixed-size form keeps its current size.
std::optional<QRect> RestoredBounds(const TGvkPlacement &placement, const QSize &currentSize,
                                    const QRect &screen, bool sizeable);
QRect CenteredBounds(const QSize &size, const QRect &screen);
// The bounds after a move or resize when the form keeps inside the screen or snaps to it.
QRect KeptInScreen(const QRect &bounds, const QRect &screen, bool maximised, bool alwaysInScreen,
                   bool snapAtBorder);

class TGvkForm : public QDialog
{
  Q_OBJECT
  Q_PROPERTY(bool AutoSave READ AutoSave WRITE SetAutoSave)
  Q_PROPERTY(bool AutoAccelerators READ AutoAccelerators WRITE SetAutoAccelerators)
  Q_PROPERTY(bool AlwaysInScreen READ AlwaysInScreen WRITE SetAlwaysInScreen)
  Q_PROPERTY(bool SnapAtScreenBorder READ SnapAtScreenBorder WRITE SetSnapAtScreenBorder)
  Q_PROPERTY(int HelpContext READ HelpContext WRITE SetHelpContext)

public:
  using THelpViewer = std::function<void(const QString &helpFile, int context)>;

  explicit TGvkForm(QWidget *parent = nullptr);
  ~TGvkForm() override;

  bool AutoSave() const { return FAutoSave; }
  void SetAutoSave(bool value) { FAutoSave = value; }
  bool AutoAccelerators() const { return FAutoAccelerators; }
  void SetAutoAccelerators(bool value) { FAutoAccelerators = value; }
  bool AlwaysInScreen() const { return FAlwaysInScreen; }
  void SetAlwaysInScreen(bool value) { FAlwaysInScreen = value; }
  bool SnapAtScreenBorder() const { return FSnapAtScreenBorder; }
  void SetSnapAtScreenBorder(bool value) { FSnapAtScreenBorder = value; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int value) { FHelpContext = value; }

  // The load steps: placement, export and translation of the texts, accelerators, label
  // clicks. They run once, before the form is first shown; a derived form that needs them
  // earlier calls this at the end of its constructor. A form without an objectName gets its
  // class name without the leading "T" (TFEditor is "FEditor").
  void FormLoaded();
  bool IsFormLoaded() const { return FLoaded; }

  // Placement record in section "Windows" of the settings file, keyed by objectName.
  void LoadPlacement();
  void SavePlacement();
  // Moves the form to the centred position remembered for its size when it was loaded.
  void CenterOnScreen();
  // The usable screen area the form is placed on.
  QRect ScreenArea() const;
  // A form with a fixed size restores only its position.
  bool IsSizeable() const;

  // Loads or saves every IIniPersistent component of the form whose Tag equals tag.
  void LoadControls(TGvkCustomIniFile &ini, const QString &section, int tag);
  void SaveControls(TGvkCustomIniFile &ini, const QString &section, int tag);

  // Escape clicks the cancel button (so its handler can ask before discarding); a cancel
  // button, like the default button, gets no automatic accelerator.
  void SetCancelButton(QPushButton *button);
  static bool IsCancelButton(const QObject *button);

  // Help (F1): the application's help file at the form's help context, or its contents for
  // context 0; nothing when the help file does not exist.
  void ShowHelp();
  void ShowHelpContents();
  // The help file of the help language (TLanguage::SetHelpLanguage).
  static QString HelpFile();
  // The program installs its help window; the default opens the file with the desktop.
  static void SetHelpViewer(THelpViewer viewer);

  void setVisible(bool visible) override;

protected:
  void moveEvent(QMoveEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void ExportTexts(const TLanguage &language);
  void KeepInScreen();
  void ConnectLabelClicks();
  void OpenHelp(int context);

  bool FAutoSave = true;
  bool FAutoAccelerators = true;
  bool FAlwaysInScreen = false;
  bool FSnapAtScreenBorder = true;
  int FHelpContext = 0;
  bool FLoaded = false;
  bool FKeeping = false;
  QRect FCentered;
};

// Shows the form modally: 1 (mrOk) when accepted, 2 (mrCancel) when cancelled, or the result
// the form set with done(). A scripted form answer (TGvkDialogScript) stands in for a person.
int RunModalForm(TGvkForm &form);

// Creates a form of the class, shows it modally, frees it and returns its modal result.
template <class TForm, class... TArgs> int ShowModalForm(TArgs &&...args)
{
  auto form = std::make_unique<TForm>(std::forward<TArgs>(args)...);
  return RunModalForm(*form);
}
