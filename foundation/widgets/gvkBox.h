#pragma once
// The library's list box, combo box and font combo box. The combo box can be shown
// read-only: an empty, read-only edit that shows the selected item's text, while its items
// and selection are kept aside and given back when it becomes editable again.
#include "foundation/gvkLanguage.h"
#include "foundation/widgets/gvkColors.h"
#include "foundation/widgets/gvkForm.h"

#include <QComboBox>
#include <QListWidget>

class TGvkListBox : public QListWidget, public IIniPersistent
{
  Q_OBJECT

public:
  explicit TGvkListBox(QWidget *parent = nullptr);

  QStringList Items() const;
  void SetItems(const QStringList &items);
  int ItemIndex() const { return currentRow(); }
  void SetItemIndex(int index);

  void LoadFromIni(TGvkCustomIniFile &ini, const QString &section) override;
  void SaveToIni(TGvkCustomIniFile &ini, const QString &section) override;
};

enum TComboStyle
{
  csDropDown,    // an edit with a list
  csDropDownList // a list only
};

class TGvkComboBox : public QComboBox, public IIniPersistent, public ILanguageTexts
{
  Q_OBJECT

public:
  explicit TGvkComboBox(QWidget *parent = nullptr);

  // Items, ItemIndex and Style work also while read-only, on the values kept aside.
  QStringList Items() const;
  void SetItems(const QStringList &items);
  int ItemIndex() const;
  void SetItemIndex(int index);
  TComboStyle Style() const;
  void SetStyle(TComboStyle style);
  // Selects the last item equal to text (case-sensitive), or none.
  void SelectText(const QString &text);

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  const TColors &Colors() const { return FColors; }
  void SetColors(const TColors &colors);

  void LoadFromIni(TGvkCustomIniFile &ini, const QString &section) override;
  void SaveToIni(TGvkCustomIniFile &ini, const QString &section) override;
  QString GetTexts() const override;
  void SetTexts(const QStringList &lines, int first, int count) override;

  void showPopup() override;

protected:
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  void changeEvent(QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void wheelEvent(QWheelEvent *event) override;

  void UpdateColors();

private:
  void ShowKeptItem();

  bool FReadOnly = false;
  bool FFocused = false;
  TColors FColors;
  // Kept aside while read-only.
  Qt::FocusPolicy FKeptFocusPolicy = Qt::StrongFocus;
  QStringList FKeptItems;
  int FKeptIndex = -1;
  TComboStyle FKeptStyle = csDropDownList;
  QString FKeptText;
};

enum TFontComboOption
{
  tfcVarPitch = 0x1,
  tfcFixedPitch = 0x2,
  tfcOnlyTrueType = 0x4
};
using TFontComboOptions = int;

// The fonts of an output device. Every device of this platform uses the same font database;
// the device is named (an empty name is the screen) so the list follows a change of printer.
// TrueType fonts are the scalable ones; they carry a mark in the list.
class TGvkFontComboBox : public TGvkComboBox
{
  Q_OBJECT

public:
  static constexpr TFontComboOptions DefaultOptions = tfcVarPitch | tfcOnlyTrueType;

  explicit TGvkFontComboBox(QWidget *parent = nullptr);

  QString Device() const { return FDevice; }
  void SetDevice(const QString &device);
  TFontComboOptions Options() const { return FOptions; }
  void SetOptions(TFontComboOptions options);
  // The selected font's name; setting picks the last item with that name.
  QString Text() const;
  void SetText(const QString &name);
  bool IsTrueTypeItem(int index) const;
  // Refills the list, keeping the selected name.
  void Fill();

private:
  QString FDevice;
  TFontComboOptions FOptions = DefaultOptions;
};
