#include "foundation/gvkClasses.h"
#include "foundation/widgets/gvkGorvikScreen.h"
#include "foundation/widgets/gvkJpeg.h"
#include "foundation/widgets/gvkWinX.h"
#include "tests/foundation/widgets/widgetTestHelpers.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(VersionTexts, FromFileVersionToCreatorVersionAndNumbers)
{
  EXPECT_EQ(VersionFromFileVersion(QStringLiteral("2011.0.0.27")), "2011.27");
  EXPECT_EQ(VersionFromFileVersion(QString()), ".");
  EXPECT_EQ(CreatorVersionOf(QStringLiteral("2011.27")), "11.00.0027");
  struct TCase
  {
    const char *Text;
    int Number;
  } cases[] = {{"2011.27", 2011027}, {"2011.9", 2011009}, {"2012.1", 2012001}, {".", 0},
               {"x.5", 5},           {"3", 3000},         {"1.2.3", 1002}};
  for (const TCase &c : cases)
    EXPECT_EQ(VersionNumber(QString::fromLatin1(c.Text)), c.Number) << c.Text;
}

TEST(SystemX, NamesVersionAndApplicationTitle)
{
  TGvkSystemX &system = GetSystemX();
  EXPECT_EQ(&system, &GetSystemX());
  EXPECT_EQ(system.ProductName(), "Quillet");
  EXPECT_EQ(system.InternalName(), "quillet");
  EXPECT_EQ(system.FileVersion(), QStringLiteral(QUILLET_VERSION));
  EXPECT_EQ(system.FileVersion().split('.').size(), 4);
  EXPECT_EQ(system.Version(), VersionFromFileVersion(QStringLiteral(QUILLET_VERSION)));
  EXPECT_EQ(system.CreatorVersionText(), CreatorVersionOf(system.Version()));
  EXPECT_EQ(system.ProgramBaseName(), "test_widgets");
  const int major = system.Version().section('.', 0, 0).toInt();
  EXPECT_TRUE(system.IsVersionAtLeast(system.Version()));
  EXPECT_TRUE(system.IsVersionAtLeast(QStringLiteral("%1.0").arg(major)));
  EXPECT_FALSE(system.IsVersionAtLeast(QStringLiteral("%1.0").arg(major + 1)));
  EXPECT_EQ(ApplicationTitle(), "Quillet " + system.Version().left(4));
}

TEST(Logo, ResourceDecodesWithLibjpegAndBadDataGivesNoPicture)
{
  const QImage logo = JpegResource(QStringLiteral("GVK_LOGO_IMAGE"));
  ASSERT_FALSE(logo.isNull());
  EXPECT_EQ(logo.size(), QSize(580, 240));
  EXPECT_TRUE(JpegResource(QStringLiteral("NO_SUCH_IMAGE")).isNull());
  EXPECT_TRUE(DecodeJpeg(QByteArray("not a picture at all")).isNull());
  EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());

  QFile file(QStringLiteral(":/JPGFILE/GVK_LOGO_IMAGE"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray whole = file.readAll();
  // A cut-off picture decodes as far as it goes (libjpeg fills the rest), never crashes.
  const QImage cut = DecodeJpeg(whole.left(whole.size() / 3));
  EXPECT_EQ(cut.size(), logo.size());
  EXPECT_TRUE(DecodeJpeg(whole.left(100)).isNull()); // header incomplete
}

class StartupScreenTest : public ::testing::Test
{
protected:
  void TearDown() override
  {
    GetSystemX().AllowStartupScreenClose();
    WaitFor([] { return GetSystemX().StartupScreen() == nullptr; });
  }
  static bool Shown() { return GetSystemX().StartupScreen() != nullptr; }
};

TEST_F(StartupScreenTest, ShowsAsABorderlessPanelAndTakesTheStatusTexts)
{
  TGvkSystemX &system = GetSystemX();
  system.ShowStartupScreen(0.05);
  TGvkFGorvikScreen *screen = system.StartupScreen();
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(screen->isVisible());
  EXPECT_TRUE(screen->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(screen->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(screen->size(), QSize(625, 353));
  EXPECT_FALSE(screen->PnlButton->isVisible());
  EXPECT_TRUE(screen->LProgressInfo->isVisible());
  EXPECT_EQ(screen->LProgressInfo->text(), QString());
  ShowStatus(QStringLiteral("Loading file meet.aqe"));
  EXPECT_EQ(screen->LProgressInfo->text(), "Loading file meet.aqe");
  ShowStatus(QString());
  EXPECT_EQ(screen->LProgressInfo->text(), QString());

  system.AllowStartupScreenClose();
  ASSERT_TRUE(WaitFor([] { return !Shown(); }));
  ShowStatus(QStringLiteral("after the screen")); // no receiver any more: nothing happens
}

TEST_F(StartupScreenTest, StaysTheMinimumTimeWhenTheProgramIsReadyEarly)
{
  QElapsedTimer clock;
  clock.start();
  GetSystemX().ShowStartupScreen(0.3);
  QTimer::singleShot(50, [] { GetSystemX().AllowStartupScreenClose(); });
  ASSERT_TRUE(WaitFor([] { return !Shown(); }));
  EXPECT_GE(clock.elapsed(), 300); // not at the first look after the program was ready
}

TEST_F(StartupScreenTest, ClosesSoonAfterTheProgramIsReadyLate)
{
  GetSystemX().ShowStartupScreen(0.6);
  QTest::qWait(700);
  EXPECT_TRUE(Shown()); // past the minimum time, but not allowed yet
  QElapsedTimer clock;
  clock.start();
  GetSystemX().AllowStartupScreenClose();
  ASSERT_TRUE(WaitFor([] { return !Shown(); }));
  // Within a few 50 ms ticks (with room for a busy machine), not a whole minimum time later.
  EXPECT_LT(clock.elapsed(), 400);
}

TEST(InfoBox, ShowsCaptionVersionAndOkButNoProgressLine)
{
  TGvkDialogScript::Clear();
  TGvkDialogScript::AnswerForm([](TGvkForm &form) {
    auto &info = static_cast<TGvkFGorvikScreen &>(form);
    EXPECT_EQ(info.windowTitle(), "Info");
    EXPECT_EQ(info.size(), QSize(719, 436));
    EXPECT_EQ(info.LAppVersion->text(), "Release " + GetSystemX().Version());
    EXPECT_FALSE(info.LProgressInfo->isVisible());
    EXPECT_TRUE(info.BtnOk->isVisible());
    EXPECT_TRUE(info.BtnOk->isDefault());
    EXPECT_FALSE(info.ImgLogo->pixmap().isNull());
    info.BtnOk->click();
    return info.result();
  });
  GetSystemX().ShowInfoBox();
  EXPECT_EQ(TGvkDialogScript::Pending(), 0);
  TGvkDialogScript::Clear();
}

} // namespace
