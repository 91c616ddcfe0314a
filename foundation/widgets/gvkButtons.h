#pragma once
// The library's check box, radio button and radio group. Automatic accelerators treat them
// as candidates, unlike the plain platform controls. All three can be shown read-only yet
// legible: the control is disabled and its captions are drawn by plain labels over it.
#include "foundation/gvkLanguage.h"
#include "foundation/widgets/gvkForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QGridLayout;

// Line index of a language file's lines; empty outside them.
QString LanguageLine(const QStringList &lines, int index);
// A caption without its accelerator marks ("&&" is a literal ampersand).
QString WithoutAccelerator(const QString &caption);
// The hint of a control: its tool tip, also shown in the status bar.
void SetControlHint(QWidget &control, const QString &hint);

// The read-only display of a control: while read-only, enabled and not hidden, the control
// (or its items) is disabled and a plain label stands over each caption. Enabled is the
// control's own setting, combined with ReadOnly for the platform control.
class TGvkReadOnlyDisplay : public QObject
{
  Q_OBJECT

public:
  struct TCaption
  {
    QRect Bounds; // in the coordinates of the labels' parent
    QString Text;
  };
  using TCaptions = std::function<std::vector<TCaption>()>;
  // Enables the control (or its items); covered tells that labels stand over the captions.
  using TSetEnabled = std::function<void(bool enabled, bool covered)>;

  // The labels are children of labelParent (the control's parent for a check box, the
  // group itself for a radio group, whose items are disabled instead of the group).
  TGvkReadOnlyDisplay(QWidget &control, TCaptions captions, TSetEnabled setEnabled,
                      bool labelsInControl);
  ~TGvkReadOnlyDisplay() override;

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  // The labels standing over the captions now.
  std::vector<QLabel *> Labels() const;
  // Makes the labels the captions need and places them.
  void Update();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QWidget *LabelParent() const;
  bool IsActive() const;
  // Enables the control and places, fills, shows or hides the labels there are.
  void Refresh();

  QWidget &FControl;
  TCaptions FCaptions;
  TSetEnabled FSetEnabled;
  bool FLabelsInControl;
  bool FReadOnly = false;
  bool FEnabled = true;
  std::vector<QPointer<QLabel>> FLabels; // owned by their Qt parent
};

class TGvkCheckBox : public QCheckBox, public IIniPersistent, public ILanguageTexts
{
  Q_OBJECT

public:
  using TToggleEvent = std::function<void(TGvkCheckBox &box)>;

  explicit TGvkCheckBox(const QString &caption = QString(), QWidget *parent = nullptr);
  ~TGvkCheckBox() override;

  bool ReadOnly() const { return FDisplay->ReadOnly(); }
  void SetReadOnly(bool value) { FDisplay->SetReadOnly(value); }
  bool Enabled() const { return FDisplay->Enabled(); }
  void SetEnabled(bool value) { FDisplay->SetEnabled(value); }
  // Sets the caption of the box and of its read-only label.
  void SetCaption(const QString &caption);
  void SetOnToggle(TToggleEvent handler) { FOnToggle = std::move(handler); }
  TGvkReadOnlyDisplay &Display() { return *FDisplay; }

  void LoadFromIni(TGvkCustomIniFile &ini, const QString &section) override;
  void SaveToIni(TGvkCustomIniFile &ini, const QString &section) override;
  QString GetTexts() const override;
  void SetTexts(const QStringList &lines, int first, int count) override;

protected:
  void nextCheckState() override;

private:
  std::unique_ptr<TGvkReadOnlyDisplay> FDisplay;
  TToggleEvent FOnToggle;
};

class TGvkRadioButton : public QRadioButton, public IIniPersistent, public ILanguageTexts
{
  Q_OBJECT

public:
  explicit TGvkRadioButton(const QString &caption = QString(), QWidget *parent = nullptr);
  ~TGvkRadioButton() override;

  bool ReadOnly() const { return FDisplay->ReadOnly(); }
  void SetReadOnly(bool value) { FDisplay->SetReadOnly(value); }
  bool Enabled() const { return FDisplay->Enabled(); }
  void SetEnabled(bool value) { FDisplay->SetEnabled(value); }
  void SetCaption(const QString &caption);
  TGvkReadOnlyDisplay &Display() { return *FDisplay; }

  void LoadFromIni(TGvkCustomIniFile &ini, const QString &section) override;
  void SaveToIni(TGvkCustomIniFile &ini, const QString &section) override;
  QString GetTexts() const override;
  void SetTexts(const QStringList &lines, int first, int count) override;

private:
  std::unique_ptr<TGvkReadOnlyDisplay> FDisplay;
};

// A group box holding one radio button per item, in Columns columns (filled column by
// column).
class TGvkRadioGroup : public QGroupBox, public IIniPersistent, public ILanguageTexts
{
  Q_OBJECT

public:
  explicit TGvkRadioGroup(const QString &caption = QString(), QWidget *parent = nullptr);
  ~TGvkRadioGroup() override;

  void SetItems(const QStringList &items);
  QStringList Items() const;
  int ItemCount() const { return static_cast<int>(FButtons.size()); }
  QRadioButton *ItemButton(int index) const { return FButtons.at(index); }
  // -1 when no item is selected; the index stays when the items are renamed.
  int ItemIndex() const;
  void SetItemIndex(int index);
  int Columns() const { return FColumns; }
  void SetColumns(int columns);

  bool ReadOnly() const { return FDisplay->ReadOnly(); }
  void SetReadOnly(bool value) { FDisplay->SetReadOnly(value); }
  bool Enabled() const { return FDisplay->Enabled(); }
  void SetEnabled(bool value) { FDisplay->SetEnabled(value); }
  TGvkReadOnlyDisplay &Display() { return *FDisplay; }

  void LoadFromIni(TGvkCustomIniFile &ini, const QString &section) override;
  void SaveToIni(TGvkCustomIniFile &ini, const QString &section) override;
  QString GetTexts() const override;
  void SetTexts(const QStringList &lines, int first, int count) override;

private:
  void Arrange();

  QList<QRadioButton *> FButtons; // owned by the group as their Qt parent
  QGridLayout *FLayout = nullptr;
  int FColumns = 1;
  std::unique_ptr<TGvkReadOnlyDisplay> FDisplay;
};
