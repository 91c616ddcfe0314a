// The language selection dialog over a temporary program folder with real language files.
#include "foundation/gvkIniFiles.h"
#include "foundation/gvkLanguage.h"
#include "foundation/widgets/gvkBox.h"
#include "foundation/widgets/gvkDialogs.h"
#include "foundation/widgets/gvkLangSelect.h"
#include "tests/foundation/widgets/widgetTestHelpers.h"

#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int German = 1;
constexpr int French = 2;
constexpr int Italian = 4;
constexpr int English = 23;

class LanguageSelect : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Folder.isValid());
    SettingsFile().EraseSection(TLanguage::ConfigSection);
  }
  void TearDown() override
  {
    TGvkDialogScript::Clear();
    SettingsFile().EraseSection(TLanguage::ConfigSection);
  }

  QString Base() const { return Folder.path() + QStringLiteral("/quillet"); }
  // Our English language file under the code of the index.
  void AddLanguageFile(int index)
  {
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLET_BIN_DIR "/quillet.xuk"),
                            Base() + QStringLiteral(".x") + TLanguage::LanguageCode(index)));
  }
  void AddHelpFile(int index)
  {
    QFile file(Base() + TLanguage::LanguageCode(index) + QStringLiteral(".rtf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1 help}");
  }
  std::unique_ptr<TLanguage> Manager()
  {
    return std::make_unique<TLanguage>(Base(), QLocale(QLocale::English, QLocale::UnitedKingdom));
  }
  static int Stored(const QString &key)
  {
    return SettingsFile().ReadInteger(TLanguage::ConfigSection, key, -1);
  }
  static QList<int> Languages(const TGvkListBox &list)
  {
    QList<int> languages;
    for (int i = 0; i < list.count(); ++i)
      languages.append(list.item(i)->data(TgvkFLangSelect::LanguageRole).toInt());
    return languages;
  }
  static int Selected(const TGvkListBox &list)
  {
    const auto items = list.selectedItems();
    return items.isEmpty() ? -1 : items.first()->data(TgvkFLangSelect::LanguageRole).toInt();
  }
  static void Click(TGvkListBox &list, int language)
  {
    for (int i = 0; i < list.count(); ++i)
      if (list.item(i)->data(TgvkFLangSelect::LanguageRole).toInt() == language)
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(i)).center());
  }
  static void ClickOk(TGvkForm &form)
  {
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
  }
  // Runs the dialog through the program's entry, the answer doing what a user does.
  void Run(TLanguage &language, bool always, bool withHelp,
           std::function<void(TgvkFLangSelect &)> user)
  {
    TGvkDialogScript::AnswerForm([user](TGvkForm &form) {
      user(static_cast<TgvkFLangSelect &>(form));
      return form.result();
    });
    ShowLanguageSelect(language, always, withHelp);
    EXPECT_EQ(TGvkDialogScript::Pending(), 0);
  }

  QTemporaryDir Folder;
};

TEST_F(LanguageSelect, WithoutLanguageFilesOkChangesNothing)
{
  auto language = Manager();
  QSignalSpy loads(language.get(), &TLanguage::Changed);
  Run(*language, false, true, [](TgvkFLangSelect &form) {
    EXPECT_EQ(form.LanguageList()->count(), 0);
    EXPECT_EQ(form.PrintLanguageList()->count(), 0);
    EXPECT_EQ(form.HelpLanguageList()->count(), 0);
    ClickOk(form);
  });
  EXPECT_EQ(loads.count(), 0);
  EXPECT_EQ(language->Language(), English);
  EXPECT_EQ(Stored(TLanguage::KeyLanguage), -1); // asked again at the next start
}

TEST_F(LanguageSelect, ListsTheLanguagesWhoseFilesExist)
{
  AddLanguageFile(English);
  AddLanguageFile(German);
  AddLanguageFile(French);
  AddHelpFile(German);
  AddHelpFile(Italian); // a help file without a language file
  auto language = Manager();
  QSignalSpy loads(language.get(), &TLanguage::Changed);
  Run(*language, true, true, [&](TgvkFLangSelect &form) {
    // Sorted by name: English, French, German.
    EXPECT_EQ(Languages(*form.LanguageList()), (QList<int>{English, French, German}));
    EXPECT_EQ(Languages(*form.PrintLanguageList()), (QList<int>{English, French, German}));
    EXPECT_EQ(Languages(*form.HelpLanguageList()), (QList<int>{German, Italian}));
    EXPECT_EQ(Selected(*form.LanguageList()), English);
    EXPECT_EQ(Selected(*form.PrintLanguageList()), English);
    EXPECT_EQ(Selected(*form.HelpLanguageList()), -1); // English has no help file
    Click(*form.LanguageList(), German);
    Click(*form.PrintLanguageList(), French);
    Click(*form.HelpLanguageList(), Italian);
    ClickOk(form);
  });
  EXPECT_EQ(Stored(TLanguage::KeyLanguage), German);
  EXPECT_EQ(Stored(TLanguage::KeyPrintLanguage), French);
  EXPECT_EQ(Stored(TLanguage::KeyHelpLanguage), Italian);
  EXPECT_EQ(language->Language(), German);
  EXPECT_EQ(language->PrintLanguage(), French);
  EXPECT_EQ(language->HelpLanguage(), Italian);
  EXPECT_EQ(loads.count(), 1);
}

TEST_F(LanguageSelect, TheCurrentLanguageIsStoredWithoutReloading)
{
  AddLanguageFile(English);
  AddLanguageFile(German);
  auto language = Manager();
  QSignalSpy loads(language.get(), &TLanguage::Changed);
  Run(*language, false, false, [](TgvkFLangSelect &form) { ClickOk(form); });
  EXPECT_EQ(Stored(TLanguage::KeyLanguage), English);
  EXPECT_EQ(loads.count(), 0);

  // Stored now: without always the dialog does not appear (the strict script would fail).
  ShowLanguageSelect(*language, false, false);
  Run(*language, true, false, [](TgvkFLangSelect &form) {
    Click(*form.LanguageList(), German);
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("btnCancel")), Qt::LeftButton);
  });
  EXPECT_EQ(Stored(TLanguage::KeyLanguage), English);
  EXPECT_EQ(language->Language(), English);
}

TEST_F(LanguageSelect, HelpColumnAndLayout)
{
  auto language = Manager();
  for (const bool withHelp : {false, true}) {
    SCOPED_TRACE(withHelp);
    TgvkFLangSelect form(*language, withHelp);
    form.show();
    EXPECT_EQ(form.width(), withHelp ? 550 : 370);
    EXPECT_EQ(form.HelpLanguageList()->isVisible(), withHelp);
    EXPECT_EQ(form.ButtonPanel()->x(), (form.width() - form.ButtonPanel()->width()) / 2);
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Sprache auswählen"));
    EXPECT_FALSE(form.AutoSave());
  }
  EXPECT_EQ(LanguageFlag(0).size(), QSize(18, 12));
  EXPECT_EQ(LanguageFlag(23).size(), QSize(18, 12));
  EXPECT_TRUE(LanguageFlag(24).isNull());
  // Every flag is drawn, and no two are alike.
  for (int i = 0; i < 24; ++i)
    for (int j = i + 1; j < 24; ++j)
      EXPECT_NE(LanguageFlag(i).toImage(), LanguageFlag(j).toImage()) << i << " " << j;
}

} // namespace
