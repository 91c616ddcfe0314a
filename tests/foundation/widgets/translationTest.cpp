#include "foundation/gvkIniFiles.h"
#include "foundation/gvkLanguage.h"
#include "foundation/widgets/gvkFormTranslator.h"
#include "tests/foundation/widgets/testForms.h"
#include "tests/foundation/widgets/widgetTestHelpers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QLocale German(QLocale::German, QLocale::Germany);

const char *const GermanFile = "[G]\r\n"
                               "Erster Text\r\n"
                               "[TFBaseDialog]\r\n"
                               "Basisdialog\r\n"
                               ".@btnCancel$\r\n"
                               "Zurück\r\n"
                               "Ohne Speichern schließen\r\n"
                               ".@lblName\r\n"
                               "Name\r\n"
                               ".@missing\r\n"
                               "Niemand\r\n"
                               "[TFDerivedDialog]\r\n"
                               "Meldungen\r\n"
                               ".@lblName\r\n"
                               "Nachname\r\n"
                               "Familienname\r\n"
                               ".@noSuchComponent\r\n"
                               "x\r\n"
                               ".@cbxKind\r\n"
                               "Art der Meldung\r\n"
                               "Einzelstart\r\n"
                               "Staffelstart\r\n"
                               ".@lbxList\r\n"
                               ".\r\n"
                               "Eins\r\n"
                               "Zwei\r\n"
                               "Drei\r\n"
                               ".@memNote\r\n"
                               "Bemerkung\r\n"
                               "Zeile eins\r\n"
                               "Zeile zwei\r\n"
                               ".@edtName\r\n"
                               "Den Namen eingeben\r\n"
                               ".@chkActive\r\n"
                               "Nimmt teil\r\n"
                               ".@grpData\r\n"
                               "Stammdaten\r\n"
                               ".@tabMain\r\n"
                               "Haupt\r\n"
                               ".@mnuFile\r\n"
                               "Datei\r\n"
                               ".@actSave\r\n"
                               "Sichern\r\n"
                               "Die Datei sichern\r\n"
                               ".@lblLast\r\n"
                               "Letzte Zeile"; // no line break at the end of the file

const char *const EnglishFile = "[TFBaseDialog]\r\n"
                                "Base dialog\r\n"
                                ".@btnNext\r\n"
                                "Next\r\n"
                                ".@btnCancel\r\n"
                                "Cancel\r\n"
                                "[TFDerivedDialog]\r\n"
                                "Entries\r\n"
                                ".@lblName\r\n"
                                "Surname\r\n";

// A folder with the language files of a program "quillet", and the form language set to a
// manager on it for the length of a test.
class FormTranslationTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    SettingsFile().EraseSection(TLanguage::ConfigSection);
    TGvkDialogScript::Clear();
    Write(QStringLiteral("quillet.xde"), GermanFile);
    Write(QStringLiteral("quillet.xuk"), EnglishFile);
  }
  void TearDown() override
  {
    SetFormLanguage(nullptr);
    TGvkDialogScript::Clear();
  }

  TLanguage &Language()
  {
    if (!FLanguage) {
      FLanguage = std::make_unique<TLanguage>(Dir.filePath(QStringLiteral("quillet")), German);
      SetFormLanguage(FLanguage.get());
    }
    return *FLanguage;
  }
  void Write(const QString &name, const QByteArray &content)
  {
    QFile file(Dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  QString Read(const QString &name)
  {
    QFile file(Dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

  QTemporaryDir Dir;
  std::unique_ptr<TLanguage> FLanguage;
};

TEST_F(FormTranslationTest, DerivedFormTakesItsBaseSectionFirstThenItsOwn)
{
  TFDerivedDialog form;
  TranslateForm(form, Language());
  EXPECT_EQ(form.windowTitle(), "Meldungen");
  EXPECT_EQ(form.btnCancel->text(), "Zurück"); // block named "btnCancel$"
  EXPECT_EQ(form.btnCancel->toolTip(), "Ohne Speichern schließen");
  EXPECT_EQ(form.btnCancel->statusTip(), "Ohne Speichern schließen");
  EXPECT_EQ(form.lblName->text(), "Nachname"); // the derived section wins
  EXPECT_EQ(form.lblName->toolTip(), "Familienname");
  EXPECT_EQ(form.btnNext->text(), "Weiter"); // no block: as built
  EXPECT_EQ(form.edtName->toolTip(), "Den Namen eingeben");
  EXPECT_EQ(form.grpData->title(), "Stammdaten");
  EXPECT_EQ(form.tabs->tabText(0), "Haupt");
  EXPECT_EQ(form.mnuFile->title(), "Datei");
  EXPECT_EQ(form.actSave->text(), "Sichern");
  EXPECT_EQ(form.actSave->statusTip(), "Die Datei sichern");
  EXPECT_EQ(form.lblLast->text(), "Letzte Zeile");
  // A plain check box is any other control: its line is the hint.
  EXPECT_EQ(form.chkActive->text(), "Aktiv");
  EXPECT_EQ(form.chkActive->toolTip(), "Nimmt teil");
}

TEST_F(FormTranslationTest, ListsAndMemosTakeTheirLinesAndKeepTheSelection)
{
  TFDerivedDialog form;
  TranslateForm(form, Language());
  EXPECT_EQ(form.cbxKind->toolTip(), "Art der Meldung");
  ASSERT_EQ(form.cbxKind->count(), 2);
  EXPECT_EQ(form.cbxKind->itemText(0), "Einzelstart");
  EXPECT_EQ(form.cbxKind->currentIndex(), 1);
  EXPECT_EQ(form.lbxList->toolTip(), "Liste"); // "." keeps the hint
  ASSERT_EQ(form.lbxList->count(), 3);
  EXPECT_EQ(form.lbxList->item(2)->text(), "Drei");
  EXPECT_EQ(form.memNote->toPlainText(), "Zeile eins\nZeile zwei");
  EXPECT_EQ(form.memNote->toolTip(), "Bemerkung");
}

TEST_F(FormTranslationTest, CaptionLineKeepsOrReplacesTheCaption)
{
  struct TCase
  {
    const char *Line;
    const char *Caption;
  } cases[] = {{".", "Vorher"}, {"$.", "."}, {"", "Vorher"}, {"Neu", "Neu"}, {"$Neu", "Neu"}};
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Line);
    Write(QStringLiteral("quillet.xde"), QByteArray("[TFUnnamed]\r\n") + c.Line + "\r\n");
    TLanguage language(Dir.filePath(QStringLiteral("quillet")), German);
    TFUnnamed form;
    form.setWindowTitle(QStringLiteral("Vorher"));
    TranslateForm(form, language);
    EXPECT_EQ(form.windowTitle(), QString::fromLatin1(c.Caption));
  }
}

TEST_F(FormTranslationTest, LoadedFormIsTranslatedAndFollowsLoadLanguageWithApply)
{
  Language();
  TFDerivedDialog form;
  form.SetAutoSave(false);
  form.show();
  EXPECT_EQ(form.windowTitle(), "Meldungen");
  EXPECT_EQ(form.lblName->text(), "&Nachname"); // translated, then an accelerator
  EXPECT_EQ(form.btnNext->text(), "&Weiter");
  EXPECT_EQ(form.btnCancel->text(), "Zurück"); // the cancel button gets none

  TFDerivedDialog notLoaded;
  ASSERT_TRUE(Language().LoadLanguage(TLanguage::DefaultLanguage, true));
  EXPECT_EQ(form.windowTitle(), "Entries");
  EXPECT_EQ(form.lblName->text(), "&Surname");
  EXPECT_EQ(form.btnNext->text(), "&Next");
  EXPECT_EQ(form.btnCancel->text(), "Cancel");
  EXPECT_EQ(notLoaded.windowTitle(), "Basis"); // translated when it is loaded

  // Without apply the open forms stay as they are.
  ASSERT_TRUE(Language().LoadLanguage(1, false));
  EXPECT_EQ(form.windowTitle(), "Entries");
}

TEST(FormExport, TextsOfEachKindOfComponent)
{
  QWidget owner;
  auto *separator = new QAction(&owner);
  separator->setSeparator(true);
  auto *save = new QAction(QStringLiteral("Sichern"), &owner);
  save->setStatusTip(QStringLiteral("Die Datei sichern"));
  auto *tool = new QToolButton(&owner);
  tool->setDefaultAction(save);
  tool->setToolTip(QStringLiteral("Vom Befehl"));
  auto *hintOnly = new QLabel(&owner);
  hintOnly->setToolTip(QStringLiteral("Nur Hinweis"));
  auto *memo = new QPlainTextEdit(QStringLiteral("A\nB"), &owner);
  auto *group = new QGroupBox(QStringLiteral("Daten"), &owner);
  struct TCase
  {
    const QObject *Component;
    const char *Text;
  } cases[] = {{separator, ""},
               {save, "Sichern\r\nDie Datei sichern"},
               {tool, ""}, // its texts come from its action
               {hintOnly, ".\r\nNur Hinweis"},
               {memo, ".\r\nA\r\nB"},
               {group, "Daten"}};
  for (const TCase &c : cases)
    EXPECT_EQ(ExportedTexts(*c.Component), QString::fromUtf8(c.Text)) << c.Text;
}

TEST_F(FormTranslationTest, ExportWritesEachFormClassOnce)
{
  Language().SetExportPrefix(Dir.filePath(QStringLiteral("out-")));
  {
    TFExport form;
    form.show();
  }
  EXPECT_EQ(TGvkDialogScript::Shown(), QStringList({"TFExport\nForm - Texte gespeichert"}));
  EXPECT_EQ(Read(QStringLiteral("out-TFExport.txt")), "[TFExport]\r\n"
                                                      "Meldung\r\n"
                                                      ".@lblName\r\n"
                                                      "Name\r\n"
                                                      "Familienname\r\n"
                                                      ".@edtCity\r\n"
                                                      "Ort\r\n"
                                                      ".@btnGo\r\n"
                                                      "Los\r\n"
                                                      ".@cbxKind\r\n"
                                                      ".\r\n"
                                                      "Einzel\r\n"
                                                      "Staffel\r\n");

  Write(QStringLiteral("out-TFExport.txt"), "kept");
  TGvkDialogScript::Clear();
  {
    TFExport again;
    again.show();
  }
  EXPECT_TRUE(TGvkDialogScript::Shown().isEmpty());
  EXPECT_EQ(Read(QStringLiteral("out-TFExport.txt")), "kept");
}

TEST_F(FormTranslationTest, ExportedTextsTranslateAFormBackToItsBuiltTexts)
{
  Language().SetExportPrefix(Dir.filePath(QStringLiteral("quillet-")));
  {
    TFDerivedDialog exported; // exported as built, before it is translated
    exported.SetAutoSave(false);
    exported.show();
  }
  Write(QStringLiteral("quillet.xuk"),
        Read(QStringLiteral("quillet-TFDerivedDialog.txt")).toUtf8());
  ASSERT_TRUE(Language().LoadLanguage(TLanguage::DefaultLanguage, false));

  const TFDerivedDialog built;
  TFDerivedDialog copy;
  for (QWidget *widget : copy.findChildren<QWidget *>())
    widget->setToolTip(QString());
  copy.setWindowTitle(QStringLiteral("x"));
  copy.lblName->setText(QStringLiteral("x"));
  copy.cbxKind->clear();
  copy.memNote->clear();
  copy.actSave->setText(QStringLiteral("x"));
  copy.grpData->setTitle(QStringLiteral("x"));
  TranslateForm(copy, Language());
  EXPECT_EQ(copy.windowTitle(), built.windowTitle());
  EXPECT_EQ(copy.lblName->text(), built.lblName->text());
  EXPECT_EQ(copy.cbxKind->itemText(1), built.cbxKind->itemText(1));
  EXPECT_EQ(copy.lbxList->toolTip(), built.lbxList->toolTip());
  EXPECT_EQ(copy.memNote->toPlainText(), built.memNote->toPlainText());
  EXPECT_EQ(copy.actSave->text(), built.actSave->text());
  EXPECT_EQ(copy.grpData->title(), built.grpData->title());
}

TEST_F(FormTranslationTest, F1OpensTheHelpFileAtTheFormContextOnlyWhenItExists)
{
  QList<QPair<QString, int>> opened;
  TGvkForm::SetHelpViewer([&opened](const QString &file, int context) {
    opened.append({file, context});
  });
  Language();
  const QString helpFile = TGvkForm::HelpFile();
  ASSERT_FALSE(helpFile.isEmpty());

  TGvkForm form;
  form.SetAutoSave(false);
  form.SetHelpContext(120);
  auto *edit = new QLineEdit(&form);
  form.show();
  QApplication::setActiveWindow(&form);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_F1);
  EXPECT_TRUE(opened.isEmpty()); // the help file does not exist yet

  Write(QFileInfo(helpFile).fileName(), "{\\rtf1 Hilfe}");
  QTest::keyClick(edit, Qt::Key_F1);
  form.SetHelpContext(0);
  QTest::keyClick(edit, Qt::Key_F1);
  form.ShowHelpContents();
  EXPECT_EQ(opened, (QList<QPair<QString, int>>{{helpFile, 120}, {helpFile, 0}, {helpFile, 0}}));
  TGvkForm::SetHelpViewer({});
}

} // namespace
