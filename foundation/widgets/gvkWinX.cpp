#include "foundation/widgets/gvkWinX.h"

#include "foundation/gvkClasses.h"
#include "foundation/gvkErrors.h"
#include "foundation/gvkPaths.h"
#include "foundation/gvkStrings.h"
#include "foundation/widgets/gvkDialogs.h"
#include "foundation/widgets/gvkGorvikScreen.h"

#include <QApplication>
#include <QTimer>

namespace {

// Interval of the start-up screen's timer once the minimum time has passed.
constexpr int ClosePollMs = 50;

} // namespace

TGvkSystemX::TGvkSystemX() : FTimer(new QTimer(this))
{
  // A coarse timer may fire early, and the screen must stay the full minimum time.
  FTimer->setTimerType(Qt::PreciseTimer);
  connect(FTimer, &QTimer::timeout, this, &TGvkSystemX::TimerTick);
  SetApplicationTitle(ProductName() + QLatin1Char(' ') + Version().left(4));
}

TGvkSystemX::~TGvkSystemX() = default;

QString TGvkSystemX::ProductName() const
{
  return ProgramProductName();
}

QString TGvkSystemX::InternalName() const
{
  return ProgramInternalName();
}

QString TGvkSystemX::FileVersion() const
{
  return ProgramFileVersion();
}

QString TGvkSystemX::Version() const
{
  return VersionFromFileVersion(FileVersion());
}

QString TGvkSystemX::CreatorVersionText() const
{
  return CreatorVersionOf(Version());
}

bool TGvkSystemX::IsVersionAtLeast(const QString &version) const
{
  return VersionNumber(Version()) >= VersionNumber(version);
}

QString TGvkSystemX::ProgramBaseName() const
{
  return ::ProgramBaseName();
}

void TGvkSystemX::ShowStartupScreen(double seconds, const TScreenFactory &factory)
{
  CloseStartupScreen();
  FCloseAllowed = false;
  FScreen = factory ? factory() : std::make_unique<TGvkFGorvikScreen>();
  FScreen->MakeStartupScreen();
  FScreen->show();
  FScreen->repaint();
  SetShowStatusReceiver([this](const QString &text) {
    if (FScreen)
      FScreen->SetProgressText(text);
  });
  FTimer->start(std::max(0, static_cast<int>(seconds * 1000)));
}

void TGvkSystemX::AllowStartupScreenClose()
{
  FCloseAllowed = true;
}

void TGvkSystemX::TimerTick()
{
  FTimer->setInterval(ClosePollMs);
  if (FCloseAllowed)
    CloseStartupScreen();
}

void TGvkSystemX::CloseStartupScreen()
{
  FTimer->stop();
  if (FScreen)
    SetShowStatusReceiver({});
  FScreen.reset();
}

void TGvkSystemX::ShowInfoBox()
{
  ShowModalForm<TGvkFGorvikScreen>();
}

TGvkSystemX &GetSystemX()
{
  static QPointer<TGvkSystemX> instance;
  if (!instance) {
    GVK_ASSERT(QCoreApplication::instance(), "The application object does not exist", "gvkWinX");
    instance = new TGvkSystemX;
    instance->setParent(QCoreApplication::instance());
  }
  return *instance;
}
