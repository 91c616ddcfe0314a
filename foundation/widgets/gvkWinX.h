#pragma once
// The one object that knows which program is running (names and version), and that runs
// the start-up screen and the information box.
#include "foundation/gvkVersion.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QTimer;
class TGvkFGorvikScreen;

class TGvkSystemX : public QObject
{
  Q_OBJECT

public:
  using TScreenFactory = std::function<std::unique_ptr<TGvkFGorvikScreen>()>;

  // Sets the application title to the product name, a blank and the first four characters
  // of the version.
  TGvkSystemX();
  ~TGvkSystemX() override;

  QString ProductName() const;
  QString InternalName() const;
  QString FileVersion() const;
  QString Version() const;
  QString CreatorVersionText() const;
  bool IsVersionAtLeast(const QString &version) const;
  QString ProgramBaseName() const;

  // Shows the start-up screen without waiting. It stays at least the given time and until
  // AllowStartupScreenClose was called, and goes within 50 ms after both.
  void ShowStartupScreen(double seconds, const TScreenFactory &factory = {});
  template <class TScreen> void ShowStartupScreen(double seconds)
  {
    ShowStartupScreen(seconds, [] { return std::make_unique<TScreen>(); });
  }
  void AllowStartupScreenClose();
  // The start-up screen while it is shown, else null.
  TGvkFGorvikScreen *StartupScreen() const { return FScreen.get(); }

  // The same form as a modal information box.
  void ShowInfoBox();

private:
  void TimerTick();
  void CloseStartupScreen();

  std::unique_ptr<TGvkFGorvikScreen> FScreen;
  bool FCloseAllowed = false;
  QTimer *FTimer; // owned as Qt child
};

// The single object, created on first use as a child of the application (freed with it).
TGvkSystemX &GetSystemX();
