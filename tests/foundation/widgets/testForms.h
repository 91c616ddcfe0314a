#pragma once
// Form classes of the widget tests. They carry Q_OBJECT because the form base and the
// translation go by the class chain of the meta-object system.
#include "foundation/widgets/gvkForm.h"

class TFUnnamed : public TGvkForm
{
  Q_OBJECT

public:
  using TGvkForm::TGvkForm;
};

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

// A base dialog and a form derived from it, built in German as the program's forms are.
class TFBaseDialog : public TGvkForm
{
  Q_OBJECT

public:
  explicit TFBaseDialog(QWidget *parent = nullptr) : TGvkForm(parent)
  {
    setWindowTitle(QStringLiteral("Basis"));
    auto *layout = new QVBoxLayout(this);
    lblName = Named(new QLabel(QStringLiteral("Name"), this), "lblName");
    edtName = Named(new QLineEdit(this), "edtName");
    lblName->setBuddy(edtName);
    btnNext = Named(new QPushButton(QStringLiteral("Weiter"), this), "btnNext");
    btnOk = Named(new QPushButton(QStringLiteral("OK"), this), "btnOk");
    btnOk->setDefault(true);
    btnCancel = Named(new QPushButton(QStringLiteral("Abbrechen"), this), "btnCancel");
    SetCancelButton(btnCancel);
    for (QWidget *widget :
         std::initializer_list<QWidget *>{lblName, edtName, btnNext, btnOk, btnCancel})
      layout->addWidget(widget);
  }

  template <class T> static T *Named(T *object, const char *name)
  {
    object->setObjectName(QLatin1String(name));
    return object;
  }

  QLabel *lblName;
  QLineEdit *edtName;
  QPushButton *btnNext;
  QPushButton *btnOk;
  QPushButton *btnCancel;
};

class TFDerivedDialog : public TFBaseDialog
{
  Q_OBJECT

public:
  explicit TFDerivedDialog(QWidget *parent = nullptr) : TFBaseDialog(parent)
  {
    auto *menuBar = new QMenuBar(this);
    layout()->setMenuBar(menuBar);
    mnuFile = Named(menuBar->addMenu(QStringLiteral("Datei")), "mnuFile");
    actSave = Named(mnuFile->addAction(QStringLiteral("Speichern")), "actSave");
    cbxKind = Named(new QComboBox(this), "cbxKind");
    cbxKind->addItems({QStringLiteral("Einzel"), QStringLiteral("Staffel")});
    cbxKind->setCurrentIndex(1);
    lbxList = Named(new QListWidget(this), "lbxList");
    lbxList->setToolTip(QStringLiteral("Liste"));
    memNote = Named(new QPlainTextEdit(QStringLiteral("Notiz"), this), "memNote");
    chkActive = Named(new QCheckBox(QStringLiteral("Aktiv"), this), "chkActive");
    grpData = Named(new QGroupBox(QStringLiteral("Daten"), this), "grpData");
    tabs = new QTabWidget(this);
    tabMain = Named(new QWidget, "tabMain");
    tabs->addTab(tabMain, QStringLiteral("Allgemein"));
    lblLast = Named(new QLabel(QStringLiteral("Ende"), this), "lblLast");
    for (QWidget *widget : std::initializer_list<QWidget *>{cbxKind, lbxList, memNote, chkActive,
                                                            grpData, tabs, lblLast})
      layout()->addWidget(widget);
  }

  QMenu *mnuFile;
  QAction *actSave;
  QComboBox *cbxKind;
  QListWidget *lbxList;
  QPlainTextEdit *memNote;
  QCheckBox *chkActive;
  QGroupBox *grpData;
  QTabWidget *tabs;
  QWidget *tabMain;
  QLabel *lblLast;
};

// A small form whose export file is predictable.
class TFExport : public TGvkForm
{
  Q_OBJECT

public:
  TFExport()
  {
    SetAutoSave(false);
    setWindowTitle(QStringLiteral("Meldung"));
    auto *layout = new QVBoxLayout(this);
    auto *name = TFBaseDialog::Named(new QLabel(QStringLiteral("Name"), this), "lblName");
    name->setToolTip(QStringLiteral("Familienname"));
    auto *edit = TFBaseDialog::Named(new QLineEdit(this), "edtName");
    name->setBuddy(edit);
    auto *city = TFBaseDialog::Named(new QLineEdit(this), "edtCity");
    city->setToolTip(QStringLiteral("Ort"));
    auto *ok = TFBaseDialog::Named(new QPushButton(QStringLiteral("OK"), this), "btnOk");
    auto *go = TFBaseDialog::Named(new QPushButton(QStringLiteral("Los"), this), "btnGo");
    auto *kind = TFBaseDialog::Named(new QComboBox(this), "cbxKind");
    kind->addItems({QStringLiteral("Einzel"), QStringLiteral("Staffel")});
    auto *note = TFBaseDialog::Named(new QPlainTextEdit(this), "memNote");
    auto *number = TFBaseDialog::Named(new QLabel(QStringLiteral("123"), this), "lblNumber");
    auto *unnamed = new QLabel(QStringLiteral("Ohne Namen"), this);
    for (QWidget *widget :
         std::initializer_list<QWidget *>{name, edit, city, ok, go, kind, note, number, unnamed})
      layout->addWidget(widget);
  }
};
