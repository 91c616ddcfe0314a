#pragma once
// The start-up screen, which is also the program's information box.
#include "foundation/widgets/gvkForm.h"

class QFrame;
class QLabel;

// Base of the library's own forms.
class TGvkGorvikForm : public TGvkForm
{
  Q_OBJECT

public:
  explicit TGvkGorvikForm(QWidget *parent = nullptr);
};

class TGvkFGorvikScreen : public TGvkGorvikForm
{
  Q_OBJECT

public:
  explicit TGvkFGorvikScreen(QWidget *parent = nullptr);

  // No border, on top of other windows, the progress line shown and empty, no button bar,
  // the form reduced to the info panel.
  void MakeStartupScreen();
  // Puts the text into the progress line and repaints at once.
  void SetProgressText(const QString &text);

  QFrame *PnlInfo;
  QLabel *ImgLogo;
  QLabel *LAppVersion;
  QLabel *LProgressInfo;
  QFrame *PnlButton;
  QPushButton *BtnOk;
};
