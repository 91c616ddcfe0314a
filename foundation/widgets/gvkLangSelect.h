#pragma once
// The language selection dialog: the screen, printout and help languages of the language
// manager, each chosen from the languages whose files lie beside the program.
#include "foundation/widgets/gvkForm.h"

#include <QList>
#include <QPixmap>

class QLabel;
class QPushButton;
class TGvkListBox;
class TLanguage;

// The flag of a language index (0 .. 23), 18 by 12 pixels; empty for other indexes.
QPixmap LanguageFlag(int index);

class TgvkFLangSelect : public TGvkForm
{
  Q_OBJECT

public:
  static constexpr int FlagWidth = 18;
  static constexpr int FlagHeight = 12;
  static constexpr int LanguageRole = Qt::UserRole; // the language index of a list entry

  TgvkFLangSelect(TLanguage &language, bool withHelp, QWidget *parent = nullptr);
  ~TgvkFLangSelect() override;

  TGvkListBox *LanguageList() const { return lbxLanguage; }
  TGvkListBox *PrintLanguageList() const { return lbxPrnLanguage; }
  TGvkListBox *HelpLanguageList() const { return lbxHlpLanguage; }
  QWidget *ButtonPanel() const { return PnlButtons; }
  // One image per language index (the form's image list).
  const QList<QPixmap> &LangImages() const { return FLangImages; }

  void btnOkClick();

private:
  TGvkListBox *AddList(const QString &name, const QString &label, int left);
  void FillLists();

  TLanguage &FLanguage;
  QList<QPixmap> FLangImages;
  // Children of the form.
  TGvkListBox *lbxLanguage = nullptr;
  TGvkListBox *lbxPrnLanguage = nullptr;
  TGvkListBox *lbxHlpLanguage = nullptr;
  QLabel *lblHlpLanguage = nullptr;
  QWidget *PnlButtons = nullptr;
  QPushButton *btnOk = nullptr;
  QPushButton *btnCancel = nullptr;
};

// Runs the dialog; unless always is set, only while no screen language has been chosen
// (Config/lbxLanguage of the settings file is -1 or missing). The help column is shown with
// withHelp.
void ShowLanguageSelect(bool always, bool withHelp);
void ShowLanguageSelect(TLanguage &language, bool always, bool withHelp);
