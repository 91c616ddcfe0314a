// The library's controls on the offscreen platform: read-only displays, combo boxes, the
// font list, the file edit with scripted dialogs, the page control and the action list.
#include "foundation/gvkIniFiles.h"
#include "foundation/widgets/gvkActions.h"
#include "foundation/widgets/gvkBox.h"
#include "foundation/widgets/gvkButtons.h"
#include "foundation/widgets/gvkDialogs.h"
#include "foundation/widgets/gvkFileCtrls.h"
#include "foundation/widgets/gvkFormTranslator.h"
#include "foundation/widgets/gvkPageControls.h"
#include "tests/foundation/widgets/widgetTestHelpers.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class ShownForm : public ::testing::Test
{
protected:
  void Show()
  {
    Form.resize(500, 300);
    Form.show();
    QApplication::setActiveWindow(&Form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
  }
  void TearDown() override { TGvkDialogScript::Clear(); }
  QWidget Form;
};

using ReadOnlyDisplay = ShownForm;

TEST_F(ReadOnlyDisplay, CheckBoxRoundTrip)
{
  auto *box = new TGvkCheckBox(QStringLiteral("&Name"), &Form);
  box->setGeometry(10, 10, 150, 22);
  int toggles = 0;
  box->SetOnToggle([&](TGvkCheckBox &) { ++toggles; });
  // Read-only before the form is first shown: the labels are placed as it appears.
  auto *early = new TGvkCheckBox(QStringLiteral("Früh"), &Form);
  early->setGeometry(10, 40, 150, 22);
  early->SetReadOnly(true);
  auto *earlyGroup = new TGvkRadioGroup(QStringLiteral("Gruppe"), &Form);
  earlyGroup->setGeometry(10, 70, 200, 80);
  earlyGroup->SetItems({QStringLiteral("a"), QStringLiteral("b")});
  earlyGroup->SetReadOnly(true);
  Show();
  ASSERT_EQ(early->Display().Labels().size(), 1u);
  EXPECT_TRUE(early->Display().Labels().front()->isVisible());
  EXPECT_EQ(early->Display().Labels().front()->y(), early->y() + 1);
  ASSERT_EQ(earlyGroup->Display().Labels().size(), 2u);
  EXPECT_TRUE(earlyGroup->ItemButton(1)->geometry().intersects(
      earlyGroup->Display().Labels()[1]->geometry()));

  box->SetReadOnly(true);
  EXPECT_FALSE(box->isEnabled());
  ASSERT_EQ(box->Display().Labels().size(), 1u);
  QLabel *label = box->Display().Labels().front();
  EXPECT_TRUE(label->isEnabled()); // drawn in the normal text colour
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), QStringLiteral("Name"));
  EXPECT_EQ(label->y(), box->y() + 1);
  EXPECT_EQ(label->height(), box->height());
  EXPECT_GT(label->x(), box->x());
  EXPECT_EQ(label->geometry().right(), box->geometry().right());
  QTest::mouseClick(box, Qt::LeftButton);
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(toggles, 0);

  box->SetCaption(QStringLiteral("Nachname"));
  EXPECT_EQ(box->Display().Labels().front()->text(), QStringLiteral("Nachname"));
  // Disabled or hidden, the box shows itself greyed as any control.
  box->SetEnabled(false);
  EXPECT_TRUE(box->Display().Labels().empty());
  EXPECT_FALSE(box->isEnabled());
  box->SetEnabled(true);
  EXPECT_EQ(box->Display().Labels().size(), 1u);
  box->hide();
  EXPECT_TRUE(box->Display().Labels().empty());
  box->show();
  EXPECT_EQ(box->Display().Labels().size(), 1u);

  box->SetReadOnly(false);
  EXPECT_TRUE(box->Display().Labels().empty());
  EXPECT_TRUE(box->isEnabled());
  EXPECT_EQ(box->text(), QStringLiteral("Nachname"));
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(toggles, 1);
}

TEST_F(ReadOnlyDisplay, RadioGroupItemsAndColumns)
{
  auto *group = new TGvkRadioGroup(QStringLiteral("Geschlecht"), &Form);
  group->setGeometry(10, 10, 300, 120);
  group->SetColumns(2);
  group->SetItems(
      {QStringLiteral("männlich"), QStringLiteral("weiblich"), QStringLiteral("mixed")});
  group->SetItemIndex(1);
  Show();
  // Filled column by column: two rows.
  EXPECT_EQ(group->ItemButton(0)->x(), group->ItemButton(1)->x());
  EXPECT_GT(group->ItemButton(2)->x(), group->ItemButton(0)->x());
  EXPECT_EQ(group->ItemButton(2)->y(), group->ItemButton(0)->y());

  group->SetReadOnly(true);
  EXPECT_TRUE(group->isEnabled());
  const auto labels = group->Display().Labels();
  ASSERT_EQ(labels.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(group->ItemButton(i)->isEnabled());
    EXPECT_TRUE(labels[i]->isEnabled());
    EXPECT_EQ(labels[i]->text(), group->Items().at(i));
    EXPECT_TRUE(group->ItemButton(i)->geometry().intersects(labels[i]->geometry()));
  }
  QTest::mouseClick(group->ItemButton(0), Qt::LeftButton);
  EXPECT_EQ(group->ItemIndex(), 1);
  group->SetReadOnly(false);
  EXPECT_TRUE(group->Display().Labels().empty());
  QTest::mouseClick(group->ItemButton(0), Qt::LeftButton);
  EXPECT_EQ(group->ItemIndex(), 0);
}

TEST(ButtonTexts, ExportAndImport)
{
  TGvkCheckBox box(QStringLiteral("Name"));
  EXPECT_EQ(box.GetTexts(), QStringLiteral("Name"));
  box.setToolTip(QStringLiteral("Der Name"));
  EXPECT_EQ(box.GetTexts(), QStringLiteral("Name\r\nDer Name"));
  const QStringList lines{"x", "Surname", "The surname", "Only caption"};
  box.SetTexts(lines, 1, 2);
  EXPECT_EQ(box.text(), QStringLiteral("Surname"));
  EXPECT_EQ(box.toolTip(), QStringLiteral("The surname"));
  box.SetTexts(lines, 3, 1);
  EXPECT_EQ(box.text(), QStringLiteral("Only caption"));
  EXPECT_EQ(box.toolTip(), QStringLiteral("The surname"));

  TGvkRadioGroup group;
  group.SetItems({QStringLiteral("eins"), QStringLiteral("zwei")});
  group.SetItemIndex(1);
  EXPECT_EQ(group.GetTexts(), QStringLiteral(".\r\n.\r\neins\r\nzwei"));
  const QStringList block{"Sex", ".", "male", "female", "mixed", "", ""};
  group.SetTexts(block, 0, int(block.size()));
  EXPECT_EQ(group.title(), QStringLiteral("Sex"));
  EXPECT_EQ(group.toolTip(), QString());
  EXPECT_EQ(group.Items(), (QStringList{"male", "female", "mixed"}));
  EXPECT_EQ(group.ItemIndex(), 1);
}

TEST(ButtonSettings, StoredValues)
{
  TGvkMemIniFile ini;
  TGvkCheckBox plain;
  plain.setObjectName(QStringLiteral("chkPlain"));
  plain.setChecked(true);
  plain.SaveToIni(ini, QStringLiteral("S"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("chkPlain"), {}),
            QStringLiteral("1"));
  TGvkCheckBox grey;
  grey.setObjectName(QStringLiteral("chkGrey"));
  grey.setTristate(true);
  grey.setCheckState(Qt::PartiallyChecked);
  grey.SaveToIni(ini, QStringLiteral("S"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("S"), QStringLiteral("chkGrey"), {}),
            QStringLiteral("2"));
  TGvkRadioGroup group;
  group.setObjectName(QStringLiteral("rgrSex"));
  group.SetItems({QStringLiteral("a"), QStringLiteral("b")});
  group.SetItemIndex(1);
  group.SaveToIni(ini, QStringLiteral("S"));

  TGvkCheckBox plainAgain, greyAgain;
  plainAgain.setObjectName(QStringLiteral("chkPlain"));
  greyAgain.setObjectName(QStringLiteral("chkGrey"));
  greyAgain.setTristate(true);
  plainAgain.LoadFromIni(ini, QStringLiteral("S"));
  greyAgain.LoadFromIni(ini, QStringLiteral("S"));
  EXPECT_TRUE(plainAgain.isChecked());
  EXPECT_EQ(greyAgain.checkState(), Qt::PartiallyChecked);
  TGvkRadioGroup groupAgain;
  groupAgain.setObjectName(QStringLiteral("rgrSex"));
  groupAgain.SetItems({QStringLiteral("a"), QStringLiteral("b")});
  groupAgain.LoadFromIni(ini, QStringLiteral("S"));
  EXPECT_EQ(groupAgain.ItemIndex(), 1);
}

using ComboBoxes = ShownForm;

TEST_F(ComboBoxes, ReadOnlyListRoundTrip)
{
  auto *combo = new TGvkComboBox(&Form);
  combo->SetItems({QStringLiteral("Anton"), QStringLiteral("Berta"), QStringLiteral("Cäsar")});
  combo->SetItemIndex(1);
  Show();
  ASSERT_EQ(combo->Style(), csDropDownList);
  const Qt::FocusPolicy policy = combo->focusPolicy();

  combo->SetReadOnly(true);
  EXPECT_EQ(combo->count(), 0);
  EXPECT_EQ(combo->currentText(), QStringLiteral("Berta"));
  EXPECT_TRUE(combo->lineEdit()->isReadOnly());
  EXPECT_EQ(combo->focusPolicy(), Qt::ClickFocus);
  EXPECT_EQ(combo->Items().size(), 3);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Style(), csDropDownList);
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->currentText(), QString::fromUtf8("Cäsar"));
  combo->SetItemIndex(-1);
  EXPECT_EQ(combo->currentText(), QString());
  combo->SetItemIndex(0);

  combo->SetReadOnly(false);
  EXPECT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->currentIndex(), 0);
  EXPECT_FALSE(combo->isEditable());
  EXPECT_EQ(combo->focusPolicy(), policy);
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(ComboBoxes, ReadOnlyEditKeepsItsText)
{
  auto *combo = new TGvkComboBox(&Form);
  combo->SetStyle(csDropDown);
  combo->SetItems({QStringLiteral("50"), QStringLiteral("100")});
  combo->setEditText(QStringLiteral("75"));
  Show();
  combo->SetReadOnly(true);
  EXPECT_EQ(combo->currentText(), QStringLiteral("75"));
  combo->SetReadOnly(false);
  EXPECT_EQ(combo->count(), 2);
  EXPECT_TRUE(combo->isEditable());
  EXPECT_EQ(combo->currentText(), QStringLiteral("75"));
}

TEST(ComboBoxTexts, SelectionByTextAndTranslation)
{
  TGvkComboBox combo;
  combo.SetItems({QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("X")});
  combo.SelectText(QStringLiteral("X"));
  EXPECT_EQ(combo.ItemIndex(), 2);
  combo.SelectText(QStringLiteral("x"));
  EXPECT_EQ(combo.ItemIndex(), -1);
  combo.SetItemIndex(1);
  EXPECT_EQ(combo.GetTexts(), QStringLiteral(".\r\nX\r\nY\r\nX"));
  const QStringList block{"Choose", "one", "two", "three", ".", ""};
  combo.SetTexts(block, 0, int(block.size()));
  EXPECT_EQ(combo.toolTip(), QStringLiteral("Choose"));
  EXPECT_EQ(combo.Items(), (QStringList{"one", "two", "three"}));
  EXPECT_EQ(combo.ItemIndex(), 1);
  combo.SetReadOnly(true);
  combo.SetTexts({".", "a", "b"}, 0, 3);
  EXPECT_EQ(combo.Items(), (QStringList{"a", "b"}));
  EXPECT_EQ(combo.currentText(), QStringLiteral("b"));
}

TEST(FontComboBox, FontsByPitchAndScalability)
{
  TGvkFontComboBox fonts;
  ASSERT_GT(fonts.count(), 0) << "no scalable fonts installed";
  for (int i = 0; i < fonts.count(); ++i) {
    EXPECT_TRUE(fonts.IsTrueTypeItem(i));
    EXPECT_FALSE(QFontDatabase::isFixedPitch(fonts.itemText(i))) << fonts.itemText(i).toStdString();
  }
  const QString chosen = fonts.itemText(fonts.count() - 1);
  fonts.SetText(chosen);
  EXPECT_EQ(fonts.Text(), chosen);
  fonts.SetDevice(QStringLiteral("Printer"));
  EXPECT_EQ(fonts.Text(), chosen);
  fonts.SetOptions(tfcFixedPitch);
  for (int i = 0; i < fonts.count(); ++i)
    EXPECT_TRUE(QFontDatabase::isFixedPitch(fonts.itemText(i)));
  EXPECT_EQ(fonts.Text(), QString()); // a variable-pitch font is not in the list
}

class FileEdit : public ShownForm
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Folder.isValid());
    for (const char *name : {"x.txt", "y.txt"}) {
      QFile file(Folder.filePath(QLatin1String(name)));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    Edit = new TGvkFileEdit(&Form);
    Edit->setGeometry(10, 10, 300, 24);
    Show();
  }
  void Click() { QTest::mouseClick(Edit->Button(), Qt::LeftButton); }

  QTemporaryDir Folder;
  TGvkFileEdit *Edit = nullptr;
};

TEST_F(FileEdit, SeveralFilesRelativeToTheStartFolder)
{
  Edit->SetFileEditType(fetMultiFile);
  ASSERT_NE(Edit->Button(), nullptr);
  EXPECT_EQ(Edit->Button()->height(), Edit->height());
  TGvkDialogScript::ChooseFiles({Folder.filePath("x.txt"), Folder.filePath("y.txt")});
  Click();
  EXPECT_EQ(TGvkDialogScript::Pending(), 0);
  EXPECT_EQ(Edit->Text(), QStringLiteral("x.txt; y.txt"));
  EXPECT_EQ(Edit->StartDir(), Folder.path() + QLatin1Char('/'));
  EXPECT_EQ(Edit->FileCount(), 2);
  EXPECT_EQ(Edit->FileNames(1), Folder.filePath("y.txt"));
  EXPECT_EQ(Edit->selectedText(), Edit->text());

  // Empty names do not count, and one name stands as typed.
  Edit->SetText(QStringLiteral(" ;x.txt; ;"));
  EXPECT_EQ(Edit->FileCount(), 1);
  EXPECT_EQ(Edit->FileNames(0), QStringLiteral("x.txt"));
  EXPECT_EQ(Edit->FileNames(1), QString());
}

TEST_F(FileEdit, OneFileFolderCancelAndRefusal)
{
  Edit->SetFileEditType(fetFile);
  TGvkDialogScript::ChooseFile(Folder.filePath("y.txt"));
  Click();
  EXPECT_EQ(Edit->Text(), Folder.filePath("y.txt"));
  EXPECT_EQ(Edit->FileNames(0), Folder.filePath("y.txt"));
  TGvkDialogScript::ChooseFile(QString());
  Click();
  EXPECT_EQ(Edit->Text(), Folder.filePath("y.txt"));

  Edit->SetFileEditType(fetDirectory);
  EXPECT_EQ(Edit->StartDir(), QString());
  TGvkDialogScript::ChooseFile(Folder.path());
  Click();
  EXPECT_EQ(Edit->Text(), Folder.path());

  int afterLookups = 0;
  Edit->SetBeforeLookup([](TGvkEdit &, bool keyFound, bool &showSelection) {
    EXPECT_FALSE(keyFound);
    showSelection = false;
  });
  Edit->SetAfterLookup([&](TGvkEdit &, bool) { ++afterLookups; });
  Click(); // the strict script fails the test if a dialog asks
  EXPECT_EQ(afterLookups, 0);

  Edit->SetReadOnly(true);
  EXPECT_FALSE(Edit->Button()->isEnabled());
  Edit->SetFileEditType(fetNormal);
  EXPECT_EQ(Edit->Button(), nullptr);
}

TEST(FileEditTexts, FilterAndTranslation)
{
  EXPECT_EQ(PlatformFileFilter(QStringLiteral("All files (*.*)|*.*|HTML files|*.htm;*.html")),
            QStringLiteral("All files (*.*);;HTML files (*.htm *.html)"));
  EXPECT_EQ(PlatformFileFilter(QString()), QString());
  TGvkFileEdit edit;
  EXPECT_EQ(edit.GetTexts(), QStringLiteral("."));
  edit.SetFilter(QStringLiteral("Texte|*.txt"));
  edit.setToolTip(QStringLiteral("Datei"));
  EXPECT_EQ(edit.GetTexts(), QStringLiteral("Datei\r\nTexte|*.txt"));
  edit.SetTexts({".", "Texts|*.txt"}, 0, 2);
  EXPECT_EQ(edit.toolTip(), QStringLiteral("Datei"));
  EXPECT_EQ(edit.Filter(), QStringLiteral("Texts|*.txt"));
}

using PageControl = ShownForm;

TEST_F(PageControl, AltWithATabsAccelerator)
{
  auto *pages = new TGvkPageControl(&Form);
  pages->setGeometry(0, 0, 400, 200);
  for (const char *caption : {"&Allgemein", "&Bilder", "&Cache"})
    pages->addTab(new QWidget, QString::fromLatin1(caption));
  bool allow = true;
  int asked = 0;
  pages->SetOnChanging([&](TGvkPageControl &, bool &allowChange) {
    ++asked;
    allowChange = allow;
  });
  QSignalSpy changes(pages, &QTabWidget::currentChanged);
  Show();

  QTest::keyClick(&Form, Qt::Key_B, Qt::AltModifier);
  EXPECT_EQ(pages->currentIndex(), 1);
  EXPECT_EQ(changes.count(), 1);
  allow = false;
  QTest::keyClick(&Form, Qt::Key_C, Qt::AltModifier);
  EXPECT_EQ(pages->currentIndex(), 1);
  QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(0).center());
  EXPECT_EQ(pages->currentIndex(), 1);
  EXPECT_EQ(asked, 3);
  allow = true;
  pages->setTabVisible(2, false);
  QTest::keyClick(&Form, Qt::Key_C, Qt::AltModifier);
  EXPECT_EQ(pages->currentIndex(), 1);
  QTest::keyClick(&Form, Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(pages->currentIndex(), 0);
  EXPECT_EQ(changes.count(), 2);

  EXPECT_EQ(pages->GetTexts(), QStringLiteral("&Allgemein\r\n&Bilder\r\n&Cache"));
  pages->SetTexts({"&General", "&Pictures"}, 0, 2);
  EXPECT_EQ(pages->tabText(1), QStringLiteral("&Pictures"));
  EXPECT_EQ(pages->tabText(2), QStringLiteral("&Cache"));
}

TEST(ActionList, AfterExecuteAndTexts)
{
  TgvkActionList list;
  QStringList calls;
  auto *save = list.AddAction(new QAction(QStringLiteral("&Speichern")), [&] { calls << "save"; });
  save->setObjectName(QStringLiteral("ActSaveFile"));
  save->setStatusTip(QStringLiteral("Datei speichern"));
  auto *plain = list.AddAction(new QAction(QStringLiteral("Ohne")));
  plain->setObjectName(QStringLiteral("ActPlain"));
  auto *empty = list.AddAction(new QAction);
  empty->setObjectName(QStringLiteral("ActEmpty"));
  list.SetOnAfterExecute([&](QAction &action) { calls << "after " + action.objectName(); });
  save->trigger();
  plain->trigger();
  EXPECT_EQ(calls, (QStringList{"save", "after ActSaveFile"}));

  EXPECT_EQ(list.GetTexts(), QStringLiteral("@ActSaveFile\r\n&Speichern\r\nDatei speichern\r\n"
                                            "@ActPlain\r\nOhne\r\n."));
  const QStringList block{"@actsavefile$", "&Save", "Save the file", "@ActPlain", ".", "Plain"};
  list.SetTexts(block, 0, int(block.size()));
  EXPECT_EQ(save->text(), QStringLiteral("&Save"));
  EXPECT_EQ(save->statusTip(), QStringLiteral("Save the file"));
  EXPECT_EQ(plain->text(), QStringLiteral("Ohne"));
  EXPECT_EQ(plain->statusTip(), QStringLiteral("Plain"));
}

// The controls take their texts from a form section through their own interface.
TEST(ControlTexts, TranslatedWithTheForm)
{
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QFile file(folder.filePath(QStringLiteral("quillet.xuk")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[G]\r\n"
             "G1=x\r\n"
             "[TGvkForm]\r\n"
             ".\r\n"
             ".@chkRelay\r\n"
             "Relay\r\n"
             "Relay team\r\n"
             ".@cbxCourse$\r\n"
             ".\r\n"
             "Short course\r\n"
             "Long course\r\n"
             ".@pgcPages\r\n"
             "&General\r\n"
             ".@actList\r\n"
             "@ActSave\r\n"
             "&Save\r\n"
             ".\r\n");
  file.close();
  TLanguage language(folder.filePath(QStringLiteral("quillet")),
                     QLocale(QLocale::English, QLocale::UnitedKingdom));
  ASSERT_EQ(language.Language(), 23);

  TGvkForm form;
  auto *box = new TGvkCheckBox(QStringLiteral("Staffel"), &form);
  box->setObjectName(QStringLiteral("chkRelay"));
  auto *combo = new TGvkComboBox(&form);
  combo->setObjectName(QStringLiteral("cbxCourse"));
  combo->SetItems({QStringLiteral("Kurzbahn"), QStringLiteral("Langbahn")});
  combo->SetItemIndex(1);
  auto *pages = new TGvkPageControl(&form);
  pages->setObjectName(QStringLiteral("pgcPages"));
  pages->addTab(new QWidget, QStringLiteral("&Allgemein"));
  auto *actions = new TgvkActionList(&form);
  actions->setObjectName(QStringLiteral("actList"));
  auto *save = actions->AddAction(new QAction(QStringLiteral("&Speichern")));
  save->setObjectName(QStringLiteral("ActSave"));
  TranslateForm(form, language);
  EXPECT_EQ(box->text(), QStringLiteral("Relay"));
  EXPECT_EQ(box->toolTip(), QStringLiteral("Relay team"));
  EXPECT_EQ(combo->Items(), (QStringList{"Short course", "Long course"}));
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(pages->tabText(0), QStringLiteral("&General"));
  EXPECT_EQ(save->text(), QStringLiteral("&Save"));
  EXPECT_EQ(ExportedTexts(*box), QStringLiteral("Relay\r\nRelay team"));
}

} // namespace
