// The typed edit driven by real key and mouse events on the offscreen platform.
#include "foundation/gvkErrors.h"
#include "foundation/gvkIniFiles.h"
#include "foundation/widgets/gvkEdit.h"
#include "foundation/widgets/gvkLookupListbox.h"
#include "tests/foundation/widgets/widgetTestHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// A window with an edit between two plain edits, so the typed edit is entered and left
// with Tab as a user does.
class EditFixture : public ::testing::Test
{
protected:
  void SetUp() override
  {
    Form.resize(400, 120);
    Before = new QLineEdit(&Form);
    Before->setGeometry(5, 5, 80, 24);
    Edit = new TGvkEdit(&Form);
    Edit->setObjectName(QStringLiteral("edtValue"));
    Edit->setGeometry(95, 5, 100, 24);
    After = new QLineEdit(&Form);
    After->setGeometry(5, 60, 80, 24);
    Form.show();
    QApplication::setActiveWindow(&Form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
  }

  void Enter()
  {
    Before->setFocus();
    QTest::keyClick(Before, Qt::Key_Tab);
    ASSERT_TRUE(Edit->hasFocus());
  }
  void Leave() { QTest::keyClick(Edit, Qt::Key_Tab); }
  QString Field() const { return Edit->text(); }

  QWidget Form;
  QLineEdit *Before = nullptr;
  TGvkEdit *Edit = nullptr;
  QLineEdit *After = nullptr;
};

using ChronEntry = EditFixture;

TEST_F(ChronEntry, TypedKeyByKey)
{
  struct TCase
  {
    const char *Keys;
    const char *WhileTyping;
    TChron Value;
    const char *AfterLeaving;
  } cases[] = {
      {"010234", "01:02.34", 623040, "_1:02.34"},  {" 10234", " 1:02.34", 623040, "_1:02.34"},
      {"10234", "10:23.4_", 6234000, "10:23.40"},  {"005912", "00:59.12", 591020, "__:59.12"},
      {"1:5.34", "1_:5_.34", 653040, "_1:05.34"},  {"102345", "10:23.45", 6234050, "10:23.45"},
      {"1:02.34", "1_:02..3", 603000, "_1:00.30"},
  };
  Edit->SetEditType(etChron);
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Keys);
    Edit->SetAsChron(0);
    ASSERT_EQ(Field(), QStringLiteral("__:__.__"));
    Enter();
    QTest::keyClicks(Edit, QString::fromLatin1(c.Keys));
    EXPECT_EQ(Field(), QString::fromLatin1(c.WhileTyping));
    EXPECT_EQ(Edit->AsChron(), c.Value);
    Leave();
    EXPECT_FALSE(Edit->hasFocus());
    EXPECT_EQ(Field(), QString::fromLatin1(c.AfterLeaving));
    EXPECT_EQ(Edit->AsChron(), c.Value);
  }
}

TEST_F(ChronEntry, WithoutTensOfMinutesTheFirstPositionIsFixed)
{
  Edit->SetEditType(etChron);
  Edit->SetOptions(eoSaveMaskChars | eoZeroAsBlanks);
  EXPECT_EQ(Field(), QStringLiteral(" _:__.__"));
  Enter();
  QTest::keyClicks(Edit, QStringLiteral("10234"));
  EXPECT_EQ(Field(), QStringLiteral(" 1:02.34"));
  Leave();
  EXPECT_EQ(Edit->AsChron(), 623040);
}

TEST_F(ChronEntry, ValuesWrittenAndReadBack)
{
  struct TCase
  {
    TEditOptions Options;
    TChron Value;
    const char *Field;
    TChron ReadBack;
  } cases[] = {
      {eoSaveMaskChars, 6000000, "10:00.00", 6000000}, // switches to the mask with tens
      {TGvkEdit::DefaultOptions, 0, "__:__.__", 0},
      {TGvkEdit::DefaultOptions, 623100, "_1:02.3*", 623100}, // known to the tenth
      {TGvkEdit::DefaultOptions, -5, "__:__.__", 0},
      {TGvkEdit::DefaultOptions | eoHasChronPool, 623040, "_1:02.34 _", 623040},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Value);
    TGvkEdit edit;
    edit.SetEditType(etChron);
    edit.SetOptions(c.Options);
    edit.SetAsChron(c.Value);
    EXPECT_EQ(edit.text(), QString::fromLatin1(c.Field));
    EXPECT_EQ(edit.AsChron(), c.ReadBack);
  }
}

TEST_F(ChronEntry, CourseLetterIsTypedUpperCaseAndKeptByValueWrites)
{
  Edit->SetEditType(etChron);
  Edit->SetOptions(TGvkEdit::DefaultOptions | eoHasChronPool);
  EXPECT_EQ(Edit->Mask(), QStringLiteral("@#:##.#@ $"));
  Enter();
  QTest::keyClicks(Edit, QStringLiteral("010234l"));
  EXPECT_EQ(Field(), QStringLiteral("01:02.34 L"));
  EXPECT_EQ(Edit->ChronPool(), cpLong);
  Leave();
  EXPECT_EQ(Field(), QStringLiteral("_1:02.34 L"));
  Edit->SetAsChron(591020);
  EXPECT_EQ(Field(), QStringLiteral("__:59.12 L"));
  Edit->SetChronPool(cpYards);
  EXPECT_EQ(Edit->ChronPool(), cpYards);
  Edit->SetChronPool(cpNone);
  EXPECT_EQ(Field(), QStringLiteral("__:59.12 _"));
}

TEST(EditMasks, MaskOfEachType)
{
  struct TCase
  {
    TEditType Type;
    TEditOptions Options;
    QString Mask;
  } cases[] = {
      {etChron, TGvkEdit::DefaultOptions, QStringLiteral("@#:##.#@")},
      {etChron, eoSaveMaskChars, QStringLiteral(" #:##.#@")},
      {etChron, eoSaveMaskChars | eoHasChronPool, QStringLiteral(" #:##.#@ $")},
      {etTime, TGvkEdit::DefaultOptions, QStringLiteral("##:##")},
      {etDate, TGvkEdit::DefaultOptions, DateMask(UserDateFormat())},
      {etInteger, TGvkEdit::DefaultOptions, QString()},
      {etFloat, TGvkEdit::DefaultOptions, QString()},
      {etString, TGvkEdit::DefaultOptions, QString()},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Mask.toStdString());
    TGvkEdit edit;
    edit.SetEditType(c.Type);
    edit.SetOptions(c.Options);
    EXPECT_EQ(edit.Mask(), c.Mask);
    QString empty = c.Mask;
    for (QChar &ch : empty)
      if (IsMaskInput(ch))
        ch = QLatin1Char('_');
    EXPECT_EQ(edit.text(), empty);
  }
  TGvkEdit edit;
  edit.SetEditType(etTime);
  edit.SetOptions(TGvkEdit::DefaultOptions | eoHasChronPool | eoHasUpDown);
  EXPECT_EQ(edit.Options(), TGvkEdit::DefaultOptions | eoHasUpDown);
  edit.SetEditType(etFloat);
  EXPECT_EQ(edit.Options(), TGvkEdit::DefaultOptions);
  edit.SetEditType(etString);
  edit.SetEditMask(QStringLiteral("$$-###"));
  EXPECT_EQ(edit.text(), QStringLiteral("__-___"));
}

TEST(EditMasks, NormalisedDateFormats)
{
  struct TCase
  {
    const char *Format;
    char Separator;
    const char *Normalised;
    const char *Mask;
  } cases[] = {
      {"d.M.yy", '.', "dd.mm.yyyy", "##.##.####"},
      {"dd/MM/yyyy", '/', "dd/mm/yyyy", "##/##/####"},
      {"M/d/yy", '/', "mm/dd/yyyy", "##/##/####"},
      {"yyyy-MM-dd", '-', "yyyy-mm-dd", "####-##-##"},
      {"d. M. yyyy", '.', "dd.mm.yyyy", "##.##.####"},
      {"d MMM yyyy", '.', "dd.mm.yyyy", "##.##.####"},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Format);
    const QString normalised =
        NormalisedDateFormat(QString::fromLatin1(c.Format), QLatin1Char(c.Separator));
    EXPECT_EQ(normalised, QString::fromLatin1(c.Normalised));
    EXPECT_EQ(DateMask(normalised), QString::fromLatin1(c.Mask));
  }
  EXPECT_EQ(ReadDate(QStringLiteral("10.05.2024"), QStringLiteral("dd.mm.yyyy")),
            QDate(2024, 5, 10));
  EXPECT_EQ(ReadDate(QStringLiteral("1 .5 .2024"), QStringLiteral("dd.mm.yyyy")),
            QDate(2024, 5, 1));
  EXPECT_EQ(ReadDate(QStringLiteral("05/10/2024"), QStringLiteral("mm/dd/yyyy")),
            QDate(2024, 5, 10));
  EXPECT_FALSE(ReadDate(QStringLiteral("31.02.2024"), QStringLiteral("dd.mm.yyyy")).isValid());
  EXPECT_FALSE(ReadDate(QStringLiteral("  .  .    "), QStringLiteral("dd.mm.yyyy")).isValid());
  EXPECT_EQ(WriteDate(QDate(2024, 5, 1), QStringLiteral("dd.mm.yyyy")),
            QStringLiteral("01.05.2024"));
}

using EditTyping = EditFixture;

TEST_F(EditTyping, DeletingInsideARunOfInputPositions)
{
  struct TCase
  {
    int Start;
    int Length; // selected characters from Start; 0 puts the caret at Start
    Qt::Key Key;
    const char *Field;
    int Caret;
  } cases[] = {
      {4, 0, Qt::Key_Backspace, "12:4_", 3}, {3, 0, Qt::Key_Delete, "12:4_", 3},
      {0, 0, Qt::Key_Delete, "2_:34", 0},    {3, 0, Qt::Key_Backspace, "12:34", 2},
      {0, 0, Qt::Key_Backspace, "12:34", 0}, {1, 3, Qt::Key_Delete, "1_:_4", 1},
      {1, 3, Qt::Key_Backspace, "1_:_4", 1}, {5, 0, Qt::Key_Delete, "12:34", 5},
  };
  Edit->SetEditType(etTime);
  for (const TCase &c : cases) {
    SCOPED_TRACE(::testing::Message() << c.Start << "/" << c.Length << " " << c.Field);
    Edit->SetText(QStringLiteral("12:34"));
    if (c.Length > 0)
      Edit->setSelection(c.Start, c.Length);
    else
      Edit->setCursorPosition(c.Start);
    QTest::keyClick(Edit, c.Key);
    EXPECT_EQ(Field(), QString::fromLatin1(c.Field));
    EXPECT_EQ(Edit->cursorPosition(), c.Caret);
  }
}

TEST_F(EditTyping, CutAndPasteKeepTheMask)
{
  Edit->SetEditType(etTime);
  Edit->SetText(QStringLiteral("12:34"));
  Edit->setSelection(0, 2);
  QTest::keyClick(Edit, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Field(), QStringLiteral("__:34"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("12"));
  Edit->setCursorPosition(3);
  QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Field(), QStringLiteral("__:12"));
  Edit->setSelection(3, 2);
  QTest::keyClick(Edit, Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(Field(), QStringLiteral("__:__"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("12"));
  QGuiApplication::clipboard()->setText(QStringLiteral("0945"));
  Edit->setCursorPosition(0);
  QTest::keyClick(Edit, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(Field(), QStringLiteral("09:5_")); // inserted, then cut to the mask
  EXPECT_EQ(Edit->Mask().size(), Field().size());
}

TEST_F(EditTyping, CharactersThatFitNowhereChangeNothing)
{
  Edit->SetEditType(etTime);
  Enter();
  QTest::keyClicks(Edit, QStringLiteral("1x2"));
  EXPECT_EQ(Field(), QStringLiteral("12:__"));
  QTest::keyClicks(Edit, QStringLiteral("345"));
  EXPECT_EQ(Field(), QStringLiteral("12:34"));
  EXPECT_EQ(Edit->AsDateTime().time(), QTime(12, 34));
}

TEST_F(EditTyping, DatesTypedAndWrittenInTheUserFormat)
{
  Edit->SetEditType(etDate);
  const QString format = UserDateFormat();
  const QDate date(2024, 5, 10);
  Edit->SetAsDateTime(QDateTime(date, QTime(0, 0)));
  EXPECT_EQ(Field(), WriteDate(date, format));
  const QString typed = WriteDate(QDate(2023, 12, 24), format).remove(QRegularExpression("\\D"));
  Enter();
  QTest::keyClicks(Edit, typed);
  Leave();
  EXPECT_EQ(Edit->AsDateTime().date(), QDate(2023, 12, 24));
  Edit->SetAsDateTime(QDateTime());
  EXPECT_EQ(Edit->Text(), QString());
  EXPECT_FALSE(Edit->AsDateTime().isValid());
}

TEST_F(EditTyping, RangeRuleClampsOnLeaving)
{
  struct TCase
  {
    int Min, Max;
    const char *Keys;
    const char *Field;
  } cases[] = {
      {1, 100, "250", "100"}, {1, 100, "0", "1"}, {1, 100, "abc", "1"},
      {0, 0, "250", "250"},   {0, 0, "abc", ""},  {0, 10, "-3", "-3"},
  };
  Edit->SetEditType(etInteger);
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Keys);
    Edit->SetMinValue(c.Min);
    Edit->SetMaxValue(c.Max);
    Enter();
    QTest::keyClicks(Edit, QString::fromLatin1(c.Keys));
    Leave();
    EXPECT_EQ(Field(), QString::fromLatin1(c.Field));
  }
  Edit->SetText(QStringLiteral("abc"));
  EXPECT_EQ(Edit->AsInteger(), 0);
}

TEST(EditValues, NumbersWrittenByOptions)
{
  TGvkEdit edit;
  edit.SetEditType(etInteger);
  edit.SetAsInteger(0);
  EXPECT_EQ(edit.text(), QString());
  edit.SetOptions(eoSaveMaskChars);
  edit.SetAsInteger(0);
  EXPECT_EQ(edit.text(), QStringLiteral("0"));
  edit.SetAsInteger(42);
  EXPECT_EQ(edit.AsInteger(), 42);

  edit.SetEditType(etFloat);
  edit.SetPrecision(2);
  const QString point = QLocale::system().decimalPoint();
  edit.SetAsFloat(3.456);
  EXPECT_EQ(edit.text(), QStringLiteral("3") + point + QStringLiteral("46"));
  edit.SetAsFloat(2.5);
  EXPECT_EQ(edit.text(), QStringLiteral("2") + point + QStringLiteral("5"));
  edit.SetPrecision(0);
  edit.SetAsFloat(2.6);
  EXPECT_EQ(edit.text(), QStringLiteral("3"));
  edit.SetAsFloat(1234.5);
  EXPECT_EQ(edit.text(), QStringLiteral("1235"));
  // Bounds are kept only for numbers.
  edit.SetEditType(etChron);
  edit.SetMinValue(5);
  EXPECT_EQ(edit.MinValue(), 0);
}

TEST(EditValues, TextByType)
{
  TGvkEdit edit;
  edit.SetEditMask(QStringLiteral("$$-##"));
  edit.SetText(QStringLiteral("AB-1"));
  EXPECT_EQ(edit.Text(), QStringLiteral("AB-1 "));
  edit.SetOptions(eoTrimStrings);
  EXPECT_EQ(edit.Text(), QStringLiteral("AB1"));
  edit.SetText(QStringLiteral("XY12"));
  EXPECT_EQ(edit.text(), QStringLiteral("XY-12"));
  // Without a mask an underscore is the user's character.
  edit.SetEditMask(QString());
  edit.SetOptions(TGvkEdit::DefaultOptions);
  edit.SetText(QStringLiteral("my_file"));
  EXPECT_EQ(edit.Text(), QStringLiteral("my_file"));

  edit.SetEditType(etTime);
  EXPECT_EQ(edit.Text(), QString());
  edit.SetEditType(etDate);
  EXPECT_EQ(edit.Text(), QString());
}

using EditLeaving = EditFixture;

TEST_F(EditLeaving, ValidationThatRefusesKeepsTheFocus)
{
  int exits = 0;
  bool allow = false;
  Edit->SetOnExit([&](TGvkEdit &) { ++exits; });
  Edit->SetOnValidate([&](TGvkEdit &, bool, bool &canExit) { canExit = allow; });
  Enter();
  QTest::keyClicks(Edit, QStringLiteral("x"));
  Leave();
  EXPECT_TRUE(WaitFor([&] { return Edit->hasFocus(); }));
  EXPECT_EQ(exits, 0);
  allow = true;
  Leave();
  QTest::qWait(10);
  EXPECT_FALSE(Edit->hasFocus());
  EXPECT_EQ(exits, 1);
}

TEST_F(EditLeaving, DelayedChangeFiresAfterQuietTimeOrOnLeaving)
{
  int changes = 0;
  Edit->SetOnDelayChange([&](TGvkEdit &) { ++changes; });
  Edit->SetDelayInterval(20);
  Enter();
  QTest::keyClicks(Edit, QStringLiteral("ab"));
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(WaitFor([&] { return changes == 1; }));
  Edit->SetDelayInterval(60000);
  QTest::keyClicks(Edit, QStringLiteral("c"));
  EXPECT_TRUE(Edit->IsDelayPending());
  Leave();
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(Edit->IsDelayPending());
}

TEST_F(EditLeaving, StateColours)
{
  TColors colors;
  colors.NormalBG = Qt::white;
  colors.FocusedBG = Qt::yellow;
  colors.ReadOnlyBG = Qt::lightGray;
  colors.DisabledBG = Qt::darkGray;
  Edit->SetColors(colors);
  auto background = [&] { return Edit->palette().color(QPalette::Base); };
  EXPECT_EQ(background(), QColor(Qt::white));
  Enter();
  EXPECT_EQ(background(), QColor(Qt::yellow));
  Leave();
  EXPECT_EQ(background(), QColor(Qt::white));
  Edit->SetReadOnly(true);
  EXPECT_EQ(background(), QColor(Qt::lightGray));
  EXPECT_EQ(Edit->focusPolicy(), Qt::ClickFocus);
  Edit->SetTabStop(false);
  Edit->SetReadOnly(false);
  EXPECT_EQ(Edit->focusPolicy(), Qt::ClickFocus); // its own TabStop setting applies again
  Edit->SetTabStop(true);
  EXPECT_EQ(Edit->focusPolicy(), Qt::StrongFocus);
  Edit->setEnabled(false);
  EXPECT_EQ(background(), QColor(Qt::darkGray));
}

class EditLookup : public EditFixture
{
protected:
  void SetUp() override
  {
    EditFixture::SetUp();
    Edit->AddLookup(QStringLiteral("D"), QStringLiteral("Deutschland"));
    Edit->AddLookup(QStringLiteral("A"), QString::fromUtf8("Österreich"));
    Edit->AddLookup(QStringLiteral("B"), QStringLiteral("Belgien"));
  }
  TGvkLookupListbox *OpenWithF2()
  {
    Edit->setFocus();
    QTest::keyClick(Edit, Qt::Key_F2);
    TGvkLookupListbox *popup = Edit->Lookup().Popup();
    return popup && popup->isVisible() ? popup : nullptr;
  }
};

TEST_F(EditLookup, DisplayLabelButtonAndFound)
{
  bool found = false;
  Edit->SetOnValidate([&](TGvkEdit &, bool refFound, bool &) { found = refFound; });
  Edit->SetText(QStringLiteral("d"));
  ASSERT_NE(Edit->Lookup().DisplayLabel(), nullptr);
  EXPECT_EQ(Edit->Lookup().DisplayLabel()->text(), QStringLiteral("Deutschland"));
  Enter();
  Leave();
  EXPECT_TRUE(found);
  Edit->SetText(QStringLiteral("X"));
  EXPECT_EQ(Edit->Lookup().DisplayLabel()->text(), QString());

  QToolButton *button = Edit->Lookup().Button();
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->height(), Edit->height() - 2);
  EXPECT_EQ(button->geometry().right(), Edit->width() - 2);
  EXPECT_GT(Edit->Lookup().DisplayLabel()->x(), Edit->geometry().right() + 5);
  Edit->SetReadOnly(true);
  EXPECT_FALSE(button->isEnabled());
  Edit->SetReadOnly(false);
  EXPECT_TRUE(button->isEnabled());

  Edit->AddLookup(QStringLiteral("D"), QString());
  EXPECT_EQ(Edit->Lookup().Items().size(), 2);
  Edit->ClearLookup();
  EXPECT_EQ(Edit->Lookup().Button(), nullptr);
  EXPECT_EQ(Edit->Lookup().DisplayLabel(), nullptr);
}

TEST_F(EditLookup, SingleSelectionPopupKeysAndClicks)
{
  int afterLookups = 0;
  Edit->SetAfterLookup([&](TGvkEdit &, bool keySelect) {
    EXPECT_FALSE(keySelect);
    ++afterLookups;
  });
  Edit->SetText(QStringLiteral("a"));
  TGvkLookupListbox *popup = OpenWithF2();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->List()->currentRow(), 1);
  EXPECT_EQ(popup->pos(), Edit->Lookup().Button()->mapToGlobal(QPoint(0, 0)));
  QTest::keyClick(popup->List(), Qt::Key_Down);
  QTest::keyClick(popup->List(), Qt::Key_Return);
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(Edit->Text(), QStringLiteral("B"));
  EXPECT_EQ(Edit->selectedText(), QStringLiteral("B"));
  EXPECT_EQ(afterLookups, 1);

  // Escape restores the preselection.
  popup = OpenWithF2();
  ASSERT_NE(popup, nullptr);
  QTest::keyClick(popup->List(), Qt::Key_Up);
  QTest::keyClick(popup->List(), Qt::Key_Escape);
  EXPECT_EQ(Edit->Text(), QStringLiteral("B"));
  EXPECT_EQ(afterLookups, 2);

  // A click on a row chooses it.
  popup = Edit->Lookup().Button()
              ? (QTest::mouseClick(Edit->Lookup().Button(), Qt::LeftButton), Edit->Lookup().Popup())
              : nullptr;
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(popup->isVisible());
  QListWidget *list = popup->List();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(Edit->Text(), QStringLiteral("D"));
  EXPECT_EQ(afterLookups, 3);

  // Enter without a selected row keeps the value.
  Edit->SetText(QStringLiteral("none"));
  popup = OpenWithF2();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->Result(), QString());
  QTest::keyClick(popup->List(), Qt::Key_Return);
  EXPECT_EQ(Edit->Text(), QString());
}

TEST_F(EditLookup, MultiSelectionChecksAndJoinsKeys)
{
  Edit->Lookup().SetMultiSel(true);
  Edit->SetText(QStringLiteral("A, B"));
  TGvkLookupListbox *popup = OpenWithF2();
  ASSERT_NE(popup, nullptr);
  QListWidget *list = popup->List();
  EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
  EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
  EXPECT_EQ(list->item(2)->checkState(), Qt::Checked);
  EXPECT_EQ(popup->Result(), QStringLiteral("A,B"));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
  EXPECT_TRUE(popup->isVisible());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(2)).center());
  EXPECT_EQ(popup->Result(), QStringLiteral("D,A"));
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(Edit->Text(), QStringLiteral("D,A"));

  popup = OpenWithF2();
  ASSERT_NE(popup, nullptr);
  QTest::mouseClick(popup->List()->viewport(), Qt::LeftButton, {},
                    popup->List()->visualItemRect(popup->List()->item(2)).center());
  QTest::keyClick(popup->List(), Qt::Key_Escape);
  EXPECT_EQ(Edit->Text(), QStringLiteral("D,A"));
}

TEST_F(EditLookup, BeforeLookupCanRefuseThePopup)
{
  bool keyFound = false;
  int afterLookups = 0;
  Edit->SetBeforeLookup([&](TGvkEdit &, bool found, bool &showSelection) {
    keyFound = found;
    showSelection = false;
  });
  Edit->SetAfterLookup([&](TGvkEdit &, bool) { ++afterLookups; });
  Edit->SetText(QStringLiteral("D"));
  EXPECT_EQ(OpenWithF2(), nullptr);
  EXPECT_TRUE(keyFound);
  EXPECT_EQ(afterLookups, 1);
  QTest::keyClick(Edit, Qt::Key_F2, Qt::ShiftModifier);
  EXPECT_EQ(afterLookups, 1);
}

TEST(LookupListbox, SizedToItsRows)
{
  for (const bool multi : {false, true}) {
    SCOPED_TRACE(multi);
    TGvkLookupListbox popup(multi, QString());
    popup.SetItems({QStringLiteral("1=One"), QStringLiteral("2=A much longer display text")});
    const int textWidth =
        popup.List()->fontMetrics().horizontalAdvance(QStringLiteral("A much longer display text"));
    EXPECT_EQ(popup.height(), 2 * popup.RowHeight() + 2);
    EXPECT_GE(popup.width(), textWidth + (multi ? 20 : 0) + 8);
  }
  TGvkLookupListbox popup(false, QString());
  QStringList many;
  for (int i = 0; i < 500; ++i)
    many.append(QStringLiteral("%1=Item %1").arg(i));
  popup.SetItems(many);
  const int limit = QGuiApplication::primaryScreen()->availableGeometry().height() * 8 / 10;
  EXPECT_LE(popup.height() - 2, limit);
  EXPECT_EQ((popup.height() - 2) % popup.RowHeight(), 0);
  EXPECT_GT(popup.height() - 2 + popup.RowHeight(), limit);
  TGvkLookupListbox shorter(false, QString());
  shorter.SetItems(many.mid(497, 3));
  EXPECT_EQ(popup.width(), shorter.width() + 20); // room for the scroll bar
}

TEST(EditSettings, StoredFormsByType)
{
  struct TCase
  {
    TEditType Type;
    const char *Stored;
    const char *Field; // after loading
    const char *SavedAgain;
  } cases[] = {
      {etChron, "623040", "_1:02.34", "623040"},
      {etChron, "abc", "__:__.__", "0"},
      {etTime, "0930", "09:30", "0930"},
      {etTime, "0000", "__:__", "0000"},
      {etTime, "9x", "__:__", "0000"},
      {etDate, "20240510", nullptr, "20240510"},
      {etDate, "2024", nullptr, "18991230"},
      {etFloat, "3.25", nullptr, "3.25"},
      {etFloat, "x", "", "0"},
      {etString, "any text", "any text", "any text"},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Stored);
    TGvkMemIniFile ini;
    ini.WriteString(QStringLiteral("S"), QStringLiteral("edtValue"), QString::fromLatin1(c.Stored));
    TGvkEdit edit;
    edit.setObjectName(QStringLiteral("edtValue"));
    edit.SetEditType(c.Type);
    edit.SetOptions(TGvkEdit::DefaultOptions & ~eoZeroAsBlanks);
    edit.SetPrecision(2);
    edit.LoadFromIni(ini, QStringLiteral("S"));
    if (c.Field) {
      EXPECT_EQ(edit.text(), QString::fromLatin1(c.Field));
    }
    TGvkMemIniFile saved;
    edit.SaveToIni(saved, QStringLiteral("S"));
    EXPECT_EQ(saved.ReadString(QStringLiteral("S"), QStringLiteral("edtValue"), QString()),
              QString::fromLatin1(c.SavedAgain));
  }
}

// A settings class of its own, which the memo does not accept.
class TOtherIniFile : public TGvkCustomIniFile
{
public:
  TOtherIniFile() : TGvkCustomIniFile(QString()) {}

protected:
  // Holds nothing: every read gives the default, every write is dropped.
  void Read(const std::function<void(const TIniText &)> &) const override {}
  void Change(const std::function<bool(TIniText &)> &) override {}
};

TEST(Memo, LinesCaretPositionAndSettings)
{
  QWidget form;
  auto *memo = new TGvkMemo(&form);
  memo->setObjectName(QStringLiteral("memNote"));
  auto *other = new QLineEdit(&form);
  other->move(0, 150);
  auto *label = new QLabel(&form);
  memo->SetCaretPosControl(label);
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

  memo->setFocus();
  QTest::keyClicks(memo, QStringLiteral("ab"));
  QTest::keyClick(memo, Qt::Key_Return);
  QTest::keyClicks(memo, QStringLiteral("cde"));
  QTest::keyClick(memo, Qt::Key_Return);
  QTest::keyClick(memo, Qt::Key_Return);
  EXPECT_EQ(label->text(), QStringLiteral("4/1 - 4"));
  QTest::keyClick(memo, Qt::Key_Up);
  EXPECT_EQ(label->text(), QStringLiteral("3/1 - 4"));
  QTest::keyClick(memo, Qt::Key_Up);
  QTest::keyClick(memo, Qt::Key_End);
  EXPECT_EQ(label->text(), QStringLiteral("2/4 - 4"));
  EXPECT_EQ(memo->Lines(), (QStringList{"ab", "cde", "", ""}));
  memo->SetNoBlankLines(true);
  EXPECT_EQ(memo->Lines(), (QStringList{"ab", "cde"}));
  QTest::keyClick(memo, Qt::Key_Left);
  EXPECT_EQ(label->text(), QStringLiteral("2/3 - 2"));
  QStringList copy = memo->Lines();
  copy.append(QStringLiteral("more"));
  EXPECT_EQ(memo->Lines().size(), 2);
  other->setFocus();
  EXPECT_EQ(label->text(), QString());

  TGvkMemIniFile ini;
  memo->SaveToIni(ini, QStringLiteral("S"));
  auto *loaded = new TGvkMemo(&form);
  loaded->setObjectName(QStringLiteral("memNote"));
  loaded->LoadFromIni(ini, QStringLiteral("S"));
  EXPECT_EQ(loaded->Lines(), (QStringList{"ab", "cde"}));
  loaded->SetNoBlankLines(true);
  loaded->SetText(QStringLiteral("x\r\ny\r\n\r\n"));
  EXPECT_EQ(loaded->Text(), QStringLiteral("x\ny"));

  TOtherIniFile foreign;
  try {
    memo->SaveToIni(foreign, QStringLiteral("S"));
    ADD_FAILURE() << "no error";
  } catch (const EGvkError &error) {
    EXPECT_EQ(error.Message(), QStringLiteral("Invalid INI file class!"));
  }
  EXPECT_THROW(memo->LoadFromIni(foreign, QStringLiteral("S")), EGvkError);
}

TEST(Memo, EscapeReachesTheDialogsCancelButton)
{
  TGvkForm form;
  form.SetAutoSave(false);
  auto *memo = new TGvkMemo(&form);
  auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), &form);
  cancel->move(0, 120);
  form.SetCancelButton(cancel);
  int cancels = 0;
  QObject::connect(cancel, &QPushButton::clicked, [&] { ++cancels; });
  form.show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  memo->setFocus();
  QTest::keyClicks(memo, QStringLiteral("text"));
  QTest::keyClick(memo, Qt::Key_Escape);
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(memo->Text(), QStringLiteral("text"));
}

} // namespace
