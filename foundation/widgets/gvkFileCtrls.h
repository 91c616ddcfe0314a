#pragma once
// TGvkFileEdit: a plain text edit for a file or folder name with a button that opens the
// fitting file or folder dialog. Several chosen files are written relative to StartDir,
// separated by "; ".
#include "foundation/gvkLanguage.h"
#include "foundation/widgets/gvkEdit.h"

class QToolButton;

enum TFileEditType
{
  fetNormal,
  fetFile,
  fetImgFile,
  fetMultiFile,
  fetDirectory,
  fetWriteFile
};

// A filter of "description|patterns" pairs ("HTML files (*.htm)|*.htm;*.html") as the
// platform's file dialogs take it ("HTML files (*.htm);;...").
QString PlatformFileFilter(const QString &filter);

class TGvkFileEdit : public TGvkEdit, public ILanguageTexts
{
  Q_OBJECT

public:
  explicit TGvkFileEdit(QWidget *parent = nullptr);
  ~TGvkFileEdit() override;

  TFileEditType FileEditType() const { return FFileEditType; }
  void SetFileEditType(TFileEditType type);
  // With a trailing separator; empty while none is set.
  QString StartDir() const;
  void SetStartDir(const QString &folder) { FStartDir = folder; }
  QString Filter() const { return FFilter; }
  void SetFilter(const QString &filter) { FFilter = filter; }
  // Kept for the forms that set them; the dialogs decide these themselves.
  bool OnlyExisting() const { return FOnlyExisting; }
  void SetOnlyExisting(bool value) { FOnlyExisting = value; }
  bool ConfirmOverride() const { return FConfirmOverride; }
  void SetConfirmOverride(bool value) { FConfirmOverride = value; }

  // The names separated by ";" in the text, empty ones not counted.
  int FileCount() const;
  // One name: the name as typed; several: StartDir and the i-th name (from 0).
  QString FileNames(int index) const;

  QToolButton *Button() const { return FButton.get(); }
  void ButtonClick();

  QString GetTexts() const override;
  void SetTexts(const QStringList &lines, int first, int count) override;

protected:
  void resizeEvent(QResizeEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  // The control is a plain text edit: the typed-edit settings are not offered.
  using TGvkEdit::AddLookup;
  using TGvkEdit::ClearLookup;
  using TGvkEdit::Lookup;
  using TGvkEdit::SetEditMask;
  using TGvkEdit::SetEditType;
  using TGvkEdit::SetMaxValue;
  using TGvkEdit::SetMinValue;
  using TGvkEdit::SetOptions;
  using TGvkEdit::SetPrecision;

  QStringList Names() const;
  QString StartFolderOfText() const;
  void PlaceButton();

  TFileEditType FFileEditType = fetNormal;
  QString FStartDir;
  QString FFilter;
  bool FOnlyExisting = false;
  bool FConfirmOverride = false;
  std::unique_ptr<QToolButton> FButton; // a child of the edit
};
