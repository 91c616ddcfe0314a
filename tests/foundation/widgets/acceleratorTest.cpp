#include "foundation/widgets/gvkAccelerators.h"
#include "foundation/widgets/gvkButtons.h"
#include "foundation/widgets/gvkForm.h"
#include "tests/foundation/widgets/widgetTestHelpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

TEST(AcceleratorCaptions, ExistingCandidatesAndInsertion)
{
  struct TCase
  {
    const char16_t *Caption;
    QChar Existing;
    const char16_t *Candidates;
  } cases[] = {
      {u"&Datei", u'D', u"DATEI"},      {u"O&ptionen", u'P', u"OPTINE"},
      {u"Name", QChar(), u"NAME"},      {u"Nachname", QChar(), u"NACHME"},
      {u"A&&B", QChar(), u"AB"},        {u"&&&Übung", u'Ü', u"ÜBUNG"},
      {u"Übung 2", QChar(), u"ÜBUNG2"}, {u"&-", QChar(), u""},
      {u"Straße", QChar(), u"STRAE"},   {u"", QChar(), u""},
  };
  for (const TCase &c : cases) {
    const QString caption = QString::fromUtf16(c.Caption);
    SCOPED_TRACE(caption.toStdString());
    EXPECT_EQ(ExistingAccelerator(caption), c.Existing);
    EXPECT_EQ(AcceleratorCandidates(caption), QString::fromUtf16(c.Candidates));
  }
  EXPECT_EQ(WithAccelerator(QStringLiteral("Optionen"), u'P'), QStringLiteral("O&ptionen"));
  EXPECT_EQ(WithAccelerator(QStringLiteral("A&&B"), u'B'), QStringLiteral("A&&&B"));
  EXPECT_EQ(WithAccelerator(QString::fromUtf16(u"übung"), u'Ü'), QString::fromUtf16(u"&übung"));
}

class AcceleratorTest : public ::testing::Test
{
protected:
  QPushButton *Button(const QString &caption, QWidget *parent = nullptr)
  {
    return new QPushButton(caption, parent ? parent : &Form);
  }
  QLabel *Label(const QString &caption, QWidget *parent = nullptr)
  {
    QWidget *owner = parent ? parent : &Form;
    auto *label = new QLabel(caption, owner);
    label->setBuddy(new QLineEdit(owner));
    return label;
  }
  TGvkCheckBox *Check(const QString &caption, QWidget *parent = nullptr)
  {
    return new TGvkCheckBox(caption, parent ? parent : &Form);
  }
  void Menu(const QString &caption)
  {
    if (!MenuBar)
      MenuBar = new QMenuBar(&Form);
    MenuBar->addMenu(caption);
  }

  TGvkForm Form;
  QMenuBar *MenuBar = nullptr;
};

TEST_F(AcceleratorTest, DefaultButtonIsNoCandidateAndMenuCharactersAreTaken)
{
  Menu(QStringLiteral("&Objekt"));
  QPushButton *ok = Button(QStringLiteral("OK"));
  ok->setDefault(true);
  QPushButton *options = Button(QStringLiteral("Optionen"));
  QPushButton *cancel = Button(QStringLiteral("Abbrechen"));
  Form.SetCancelButton(cancel);
  AssignAccelerators(Form);
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));
  EXPECT_EQ(options->text(), QStringLiteral("O&ptionen"));
  EXPECT_EQ(cancel->text(), QStringLiteral("Abbrechen"));
}

TEST_F(AcceleratorTest, FewerCandidatesAreServedFirstWithinAKind)
{
  TGvkCheckBox *surname = Check(QStringLiteral("Nachname"));
  TGvkCheckBox *name = Check(QStringLiteral("Name"));
  AssignAccelerators(Form);
  EXPECT_EQ(name->text(), QStringLiteral("&Name"));
  EXPECT_EQ(surname->text(), QStringLiteral("N&achname"));
}

TEST_F(AcceleratorTest, KindsGoByPrecedenceAndExistingAcceleratorsAreKept)
{
  TGvkCheckBox *check = Check(QStringLiteral("S"));
  QLabel *label = Label(QStringLiteral("Start"));
  QPushButton *stop = Button(QStringLiteral("Stop"));
  QPushButton *test = Button(QStringLiteral("Test"));
  QLabel *day = Label(QStringLiteral("&Tag"));
  QLabel *plain = new QLabel(QStringLiteral("Ohne Ziel"), &Form); // no focus control
  AssignAccelerators(Form);
  EXPECT_EQ(stop->text(), QStringLiteral("&Stop"));
  EXPECT_EQ(test->text(), QStringLiteral("T&est"));
  EXPECT_EQ(day->text(), QStringLiteral("&Tag"));
  EXPECT_EQ(label->text(), QStringLiteral("St&art"));
  EXPECT_EQ(check->text(), QStringLiteral("S")); // no free character left
  EXPECT_EQ(plain->text(), QStringLiteral("Ohne Ziel"));

  // A second pass (after a translation) keeps every assigned character.
  AssignAccelerators(Form);
  EXPECT_EQ(label->text(), QStringLiteral("St&art"));
}

TEST_F(AcceleratorTest, PlainCheckBoxesAreNoCandidatesButLibraryRadioControlsAre)
{
  auto *plain = new QCheckBox(QStringLiteral("Aktiv"), &Form);
  auto *radio = new TGvkRadioButton(QStringLiteral("Alle"), &Form);
  auto *group = new TGvkRadioGroup(QStringLiteral("Geschlecht"), &Form);
  group->SetItems(
      {QStringLiteral("Männlich"), QStringLiteral("Weiblich"), QStringLiteral("Mixed")});
  AssignAccelerators(Form);
  EXPECT_EQ(plain->text(), QStringLiteral("Aktiv"));
  EXPECT_EQ(radio->text(), QStringLiteral("&Alle"));
  EXPECT_EQ(group->title(), QStringLiteral("Geschlecht"));
  EXPECT_EQ(group->Items(), QStringList({QStringLiteral("M&ännlich"), QStringLiteral("&Weiblich"),
                                         QStringLiteral("&Mixed")}));
}

TEST_F(AcceleratorTest, TabSheetsMayShareCharactersNotTakenOnTheForm)
{
  Menu(QStringLiteral("&Datei"));
  QPushButton *save = Button(QStringLiteral("Speichern"));
  auto *tabs = new QTabWidget(&Form);
  auto *person = new QWidget;
  auto *club = new QWidget;
  tabs->addTab(person, QStringLiteral("Person"));
  tabs->addTab(club, QStringLiteral("Verein"));
  TGvkCheckBox *active = Check(QStringLiteral("Aktiv"), person);
  TGvkCheckBox *date = Check(QStringLiteral("Datum"), person);
  TGvkCheckBox *old = Check(QStringLiteral("Alt"), club);
  TGvkCheckBox *lock = Check(QStringLiteral("Sperre"), club);
  // A notebook page is a group of its own too.
  auto *notebook = new QStackedWidget(&Form);
  auto *page = new QWidget;
  notebook->addWidget(page);
  TGvkCheckBox *extra = Check(QStringLiteral("Anzeige"), page);

  AssignAccelerators(Form);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("&Person"));
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("&Verein"));
  EXPECT_EQ(save->text(), QStringLiteral("&Speichern"));
  EXPECT_EQ(active->text(), QStringLiteral("&Aktiv"));
  EXPECT_EQ(old->text(), QStringLiteral("&Alt"));
  EXPECT_EQ(date->text(), QStringLiteral("Da&tum"));  // D by the menu, A on the sheet
  EXPECT_EQ(lock->text(), QStringLiteral("Sp&erre")); // S on the form, P by the tab
  EXPECT_EQ(extra->text(), QStringLiteral("&Anzeige"));
}

TEST_F(AcceleratorTest, NestedTabSheetsAvoidTheirOuterSheet)
{
  auto *outer = new QTabWidget(&Form);
  auto *sheet = new QWidget;
  outer->addTab(sheet, QStringLiteral("Meldung"));
  TGvkCheckBox *outerCheck = Check(QStringLiteral("Einzel"), sheet);
  auto *inner = new QTabWidget(sheet);
  auto *innerSheet = new QWidget;
  inner->addTab(innerSheet, QStringLiteral("Staffel"));
  TGvkCheckBox *innerCheck = Check(QStringLiteral("Einzeln"), innerSheet);
  AssignAccelerators(Form);
  EXPECT_EQ(outer->tabText(0), QStringLiteral("&Meldung"));
  EXPECT_EQ(outerCheck->text(), QStringLiteral("&Einzel"));
  EXPECT_EQ(inner->tabText(0), QStringLiteral("&Staffel"));
  EXPECT_EQ(innerCheck->text(), QStringLiteral("E&inzeln"));
}

TEST(AcceleratorForm, LoadedFormAssignsOnlyWithAutoAccelerators)
{
  for (const bool automatic : {true, false}) {
    TGvkForm form;
    form.SetAutoSave(false);
    form.SetAutoAccelerators(automatic);
    auto *button = new QPushButton(QStringLiteral("Weiter"), &form);
    form.FormLoaded();
    EXPECT_EQ(button->text(), automatic ? QStringLiteral("&Weiter") : QStringLiteral("Weiter"));
  }
}

} // namespace
