#include "foundation/gvkIniFiles.h"
#include "foundation/widgets/gvkForm.h"
#include "tests/foundation/widgets/testForms.h"
#include "tests/foundation/widgets/widgetTestHelpers.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

const QString Windows = QStringLiteral("Windows");

class TSizeableForm : public TGvkForm
{
public:
  TSizeableForm()
  {
    setObjectName(QStringLiteral("FSizeable"));
    resize(400, 300);
  }
};

class TFixedForm : public TGvkForm
{
public:
  TFixedForm()
  {
    setObjectName(QStringLiteral("FFixed"));
    setFixedSize(300, 200);
  }
};

class PlacementTest : public ::testing::Test
{
protected:
  void SetUp() override { SettingsFile().EraseSection(Windows); }
  void TearDown() override { SettingsFile().EraseSection(Windows); }

  static void Store(const QString &name, const QString &record)
  {
    SettingsFile().WriteString(Windows, name, record);
  }
  static QString Stored(const QString &name)
  {
    return SettingsFile().ReadString(Windows, name, QString());
  }
};

TEST_F(PlacementTest, FormWithoutRecordOpensCentredAndSavesItsLastNormalBounds)
{
  {
    TSizeableForm form;
    form.show();
    EXPECT_EQ(form.geometry(), CenteredBounds(QSize(400, 300), form.ScreenArea()));
    form.setGeometry(50, 60, 420, 310);
  }
  EXPECT_EQ(Stored(QStringLiteral("FSizeable")), QStringLiteral("50,60,420,310,0"));

  TSizeableForm again;
  again.show();
  EXPECT_EQ(again.geometry(), QRect(50, 60, 420, 310));
}

TEST_F(PlacementTest, RecordsOffTheScreenOrMalformedCentreTheForm)
{
  const QString records[] = {
      QStringLiteral("3000,3000,400,300,0"), // far right and below
      QStringLiteral("3000,100,400,300,0"),  // far right only: clamping would leave a strip
      QStringLiteral("-500,100,400,300,0"),  // left of the screen
      QStringLiteral("100,-400,400,300,0"),  // above the screen
      QStringLiteral("abc,100,400,300,0"),   // not a number
      QStringLiteral("100,100,400"),         // too few fields
  };
  for (const QString &record : records) {
    SCOPED_TRACE(record.toStdString());
    Store(QStringLiteral("FSizeable"), record);
    TSizeableForm form;
    form.show();
    EXPECT_EQ(form.geometry(), CenteredBounds(form.size(), form.ScreenArea()));
  }
}

TEST_F(PlacementTest, FixedSizeDialogRestoresOnlyItsPosition)
{
  Store(QStringLiteral("FFixed"), QStringLiteral("100,80,500,350,0"));
  TFixedForm fixed;
  fixed.show();
  EXPECT_EQ(fixed.geometry(), QRect(100, 80, 300, 200));

  Store(QStringLiteral("FSizeable"), QStringLiteral("100,80,500,350,0"));
  TSizeableForm sizeable;
  sizeable.show();
  EXPECT_EQ(sizeable.geometry(), QRect(100, 80, 500, 350));
}

TEST_F(PlacementTest, MaximisedStateIsRestoredAndSavedWithTheNormalBounds)
{
  Store(QStringLiteral("FSizeable"), QStringLiteral("100,80,500,350,2"));
  {
    TSizeableForm form;
    form.show();
    EXPECT_TRUE(form.isMaximized());
  }
  EXPECT_EQ(Stored(QStringLiteral("FSizeable")), QStringLiteral("100,80,500,350,2"));

  {
    TSizeableForm form;
    form.show();
    form.showNormal();
    EXPECT_FALSE(form.isMaximized());
    EXPECT_EQ(form.geometry(), QRect(100, 80, 500, 350));
  }
  EXPECT_EQ(Stored(QStringLiteral("FSizeable")), QStringLiteral("100,80,500,350,0"));
}

TEST_F(PlacementTest, MinimisedRecordOpensTheFormVisible)
{
  Store(QStringLiteral("FSizeable"), QStringLiteral("100,80,500,350,1"));
  TSizeableForm form;
  form.show();
  EXPECT_FALSE(form.isMinimized());
  EXPECT_EQ(form.geometry(), QRect(100, 80, 500, 350));
}

TEST_F(PlacementTest, FormThatWasNeverShownKeepsTheRecord)
{
  Store(QStringLiteral("FSizeable"), QStringLiteral("100,80,500,350,0"));
  {
    TSizeableForm unused;
  }
  EXPECT_EQ(Stored(QStringLiteral("FSizeable")), QStringLiteral("100,80,500,350,0"));
}

TEST_F(PlacementTest, FormWithoutNameIsKeyedByItsClassName)
{
  {
    TFUnnamed form;
    form.resize(200, 100);
    form.show();
    EXPECT_EQ(form.objectName(), QStringLiteral("FUnnamed"));
  }
  EXPECT_FALSE(Stored(QStringLiteral("FUnnamed")).isEmpty());
}

TEST_F(PlacementTest, CenterOnScreenReturnsToTheRememberedCentre)
{
  Store(QStringLiteral("FSizeable"), QStringLiteral("100,80,400,300,0"));
  TSizeableForm form;
  form.show();
  form.CenterOnScreen();
  EXPECT_EQ(form.geometry(), CenteredBounds(QSize(400, 300), form.ScreenArea()));
}

TEST(PlacementRules, RestoredBoundsOnA1024By768Screen)
{
  const QRect screen(0, 0, 1024, 768);
  struct TCase
  {
    TGvkPlacement Record;
    bool Sizeable;
    std::optional<QRect> Expected;
  } cases[] = {
      {{3000, 3000, 400, 300, 0}, true, std::nullopt},
      {{100, 50, 400, 300, 0}, true, QRect(100, 50, 400, 300)},
      {{100, 50, 400, 300, 0}, false, QRect(100, 50, 250, 150)},
      {{-5, -8, 400, 300, 0}, true, QRect(0, 0, 400, 300)},        // clamped onto the screen
      {{100, 50, 5000, 5000, 0}, true, QRect(100, 50, 1014, 758)}, // at most screen - 10
      {{100, 740, 400, 300, 0}, true, std::nullopt},               // top > height - 30
      {{100, 50, 0, -3, 0}, true, QRect(100, 50, 250, 150)},       // no usable size: keep own
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(PlacementText(c.Record).toStdString());
    EXPECT_EQ(RestoredBounds(c.Record, QSize(250, 150), screen, c.Sizeable), c.Expected);
  }
  // With the usable area below a panel the rules count from its edge.
  EXPECT_EQ(RestoredBounds({100, 10, 400, 300, 0}, QSize(), QRect(0, 27, 1024, 741), true),
            QRect(100, 27, 400, 300));
}

TEST(PlacementRules, PlacementTextRoundTrip)
{
  const TGvkPlacement placement{-4, 12, 640, 480, 2};
  EXPECT_EQ(PlacementText(placement), QStringLiteral("-4,12,640,480,2"));
  EXPECT_EQ(ParsePlacement(PlacementText(placement)), placement);
  EXPECT_EQ(ParsePlacement(QString()), std::nullopt);
}

TEST(ScreenKeeping, SnapAndKeepInsideTheScreen)
{
  const QRect screen(0, 0, 1024, 768);
  struct TCase
  {
    QRect Bounds;
    bool Maximised, Always, Snap;
    QRect Expected;
  } cases[] = {
      {QRect(15, -12, 300, 200), false, false, true, QRect(0, 0, 300, 200)},
      {QRect(710, 555, 300, 200), false, false, true, QRect(724, 568, 300, 200)}, // right, bottom
      {QRect(300, 300, 300, 200), false, false, true, QRect(300, 300, 300, 200)},
      {QRect(15, 15, 300, 200), true, false, true, QRect(15, 15, 300, 200)}, // maximised
      {QRect(900, 700, 300, 200), false, true, false, QRect(724, 568, 300, 200)},
      {QRect(-50, -40, 300, 200), false, true, false, QRect(0, 0, 300, 200)},
      {QRect(-50, -40, 300, 200), true, true, false, QRect(-50, -40, 300, 200)},
      {QRect(900, 700, 300, 200), false, false, false, QRect(900, 700, 300, 200)},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(testing::Message() << c.Bounds.x() << "," << c.Bounds.y());
    EXPECT_EQ(KeptInScreen(c.Bounds, screen, c.Maximised, c.Always, c.Snap), c.Expected);
  }
}

TEST_F(PlacementTest, MovedFormSnapsToTheScreenEdge)
{
  TSizeableForm form;
  form.show();
  form.move(form.ScreenArea().x() + 12, form.ScreenArea().y() + 200);
  EXPECT_EQ(form.geometry().x(), form.ScreenArea().x());
}

// A control of the kind the library's edit controls are: it keeps its text in a section.
class TPersistentEdit : public QLineEdit, public IIniPersistent
{
public:
  using QLineEdit::QLineEdit;
  void LoadFromIni(TGvkCustomIniFile &ini, const QString &section) override
  {
    setText(ini.ReadString(section, objectName(), QString()));
  }
  void SaveToIni(TGvkCustomIniFile &ini, const QString &section) override
  {
    ini.WriteString(section, objectName(), text());
  }
};

TEST(FormControls, LoadAndSaveOnlyTheControlsWithTheTag)
{
  TGvkForm form;
  auto *tagged = new TPersistentEdit(&form);
  tagged->setObjectName(QStringLiteral("edtTagged"));
  SetComponentTag(tagged, 101);
  auto *other = new TPersistentEdit(&form);
  other->setObjectName(QStringLiteral("edtOther"));
  auto *plain = new QLineEdit(&form);
  SetComponentTag(plain, 101);

  TGvkMemIniFile ini;
  ini.WriteString(QStringLiteral("main"), QStringLiteral("edtTagged"), QStringLiteral("A"));
  ini.WriteString(QStringLiteral("main"), QStringLiteral("edtOther"), QStringLiteral("B"));
  form.LoadControls(ini, QStringLiteral("main"), 101);
  EXPECT_EQ(tagged->text(), QStringLiteral("A"));
  EXPECT_EQ(other->text(), QString());

  tagged->setText(QStringLiteral("C"));
  other->setText(QStringLiteral("D"));
  form.SaveControls(ini, QStringLiteral("main"), 101);
  EXPECT_EQ(ini.ReadString(QStringLiteral("main"), QStringLiteral("edtTagged"), {}), "C");
  EXPECT_EQ(ini.ReadString(QStringLiteral("main"), QStringLiteral("edtOther"), {}), "B");
}

} // namespace
