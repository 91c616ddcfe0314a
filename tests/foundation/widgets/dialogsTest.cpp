#include "foundation/gvkErrors.h"
#include "foundation/widgets/gvkDialogs.h"
#include "foundation/widgets/gvkForm.h"
#include "tests/foundation/widgets/testForms.h"
#include "tests/foundation/widgets/widgetTestHelpers.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class DialogScriptTest : public ::testing::Test
{
protected:
  void SetUp() override { TGvkDialogScript::Clear(); }
  void TearDown() override
  {
    EXPECT_EQ(TGvkDialogScript::Pending(), 0) << "answers left unused";
    TGvkDialogScript::Clear();
  }
};

TEST_F(DialogScriptTest, QuestionsTakeTheQueuedAnswersInOrder)
{
  TGvkDialogScript::AnswerYes();
  TGvkDialogScript::AnswerNo();
  TGvkDialogScript::AnswerNo();
  EXPECT_TRUE(AskYesNo(QStringLiteral("Speichern?")));
  EXPECT_FALSE(AskYesNo(QStringLiteral("Verwerfen?")));
  EXPECT_FALSE(ShowMessageBox(QStringLiteral("Weiter?"), true, true));
  EXPECT_EQ(TGvkDialogScript::Shown(), QStringList({"Speichern?", "Verwerfen?", "Weiter?"}));
}

TEST_F(DialogScriptTest, BoxWithOnlyOkNeedsNoAnswer)
{
  TGvkDialogScript::AnswerNo();
  EXPECT_TRUE(ShowMessageBox(QStringLiteral("Fertig")));
  EXPECT_FALSE(AskYesNo(QStringLiteral("Noch einmal?")));
  EXPECT_EQ(TGvkDialogScript::Shown(), QStringList({"Fertig", "Noch einmal?"}));
}

TEST_F(DialogScriptTest, MissingOrMismatchedAnswerFailsInsteadOfWaiting)
{
  EXPECT_THROW(AskYesNo(QStringLiteral("Ohne Antwort?")), EGvkAssertion);
  TGvkDialogScript::ChooseFile(QStringLiteral("/tmp/x.aqe"));
  EXPECT_THROW(AskYesNo(QStringLiteral("Falsche Art?")), EGvkAssertion);
}

TEST_F(DialogScriptTest, FileDialogsReturnTheChosenFileOrNothing)
{
  TGvkDialogScript::ChooseFile(QStringLiteral("/daten/meet.aqe"));
  TGvkDialogScript::ChooseFile(QString());
  TGvkDialogScript::ChooseFile(QStringLiteral("/daten"));
  EXPECT_EQ(AskOpenFileName(QStringLiteral("Öffnen"), {}, {}), "/daten/meet.aqe");
  EXPECT_EQ(AskSaveFileName(QStringLiteral("Speichern"), {}, {}), QString());
  EXPECT_EQ(AskFolderName(QStringLiteral("Ordner"), {}), "/daten");
  EXPECT_EQ(TGvkDialogScript::Shown(), QStringList({"Öffnen", "Speichern", "Ordner"}));
}

class TFAsk : public TFUnnamed
{
public:
  TFAsk()
  {
    Edit = new QLineEdit(this);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    Cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    SetCancelButton(Cancel);
    Ok = ok;
    Instances.append(this);
  }
  QLineEdit *Edit;
  QPushButton *Ok;
  QPushButton *Cancel;
  static inline QList<QPointer<TFAsk>> Instances;
};

TEST_F(DialogScriptTest, ModalFormIsDrivenByTheScriptAndFreedAfterwards)
{
  QString typed;
  TGvkDialogScript::AnswerForm([&](TGvkForm &form) {
    auto &ask = static_cast<TFAsk &>(form);
    EXPECT_TRUE(ask.IsFormLoaded());
    EXPECT_TRUE(ask.isVisible());
    QTest::keyClicks(ask.Edit, QStringLiteral("Meier"));
    typed = ask.Edit->text();
    ask.Ok->click();
    return ask.result();
  });
  TGvkDialogScript::AnswerForm([](TGvkForm &form) {
    QTest::keyClick(&form, Qt::Key_Escape); // clicks the cancel button
    return form.result() == QDialog::Rejected ? mrCancel : mrOk;
  });
  TFAsk::Instances.clear();
  EXPECT_EQ(ShowModalForm<TFAsk>(), mrOk);
  EXPECT_EQ(typed, QStringLiteral("Meier"));
  EXPECT_EQ(ShowModalForm<TFAsk>(), mrCancel);
  ASSERT_EQ(TFAsk::Instances.size(), 2);
  EXPECT_TRUE(TFAsk::Instances[0].isNull());
  EXPECT_TRUE(TFAsk::Instances[1].isNull());
}

TEST(CursorStack, PopRestoresTheCursorBeforeAndIgnoresAnEmptyStack)
{
  ASSERT_EQ(CursorStackDepth(), 0);
  PopCursor();
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  PushCursor(Qt::WaitCursor);
  PushCursor(Qt::IBeamCursor);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::IBeamCursor);
  PopCursor();
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  PopCursor();
  PopCursor();
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(CursorStackDepth(), 0);
}

TEST_F(DialogScriptTest, ErrorThrownInASlotIsShownAndTheProgramGoesOn)
{
  TGvkForm form;
  form.SetAutoSave(false);
  auto *button = new QPushButton(QStringLiteral("Los"), &form);
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, &form, [&clicks] {
    ++clicks;
    if (clicks == 1)
      throw EGvkFileError(QStringLiteral("Die Datei a.aqe kann nicht geschrieben werden."));
    throw std::runtime_error("bad allocation");
  });
  form.show();
  QTest::mouseClick(button, Qt::LeftButton);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(TGvkDialogScript::Shown(),
            QStringList({"Die Datei a.aqe kann nicht geschrieben werden.", "bad allocation"}));
}

TEST(FormLabels, ClickOnALabelFocusesItsControl)
{
  TGvkForm form;
  form.SetAutoSave(false);
  auto *label = new QLabel(QStringLiteral("Name"), &form);
  auto *edit = new QLineEdit(&form);
  auto *other = new QLineEdit(&form);
  label->setBuddy(edit);
  label->move(0, 0);
  edit->move(0, 30);
  other->move(0, 60);
  form.show();
  QApplication::setActiveWindow(&form);
  other->setFocus();
  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_TRUE(edit->hasFocus());
}

} // namespace
