#pragma once
// Small helpers shared by the widget tests.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <functional>

// Processes events until the condition holds or the time is up; returns the condition.
inline bool WaitFor(const std::function<bool()> &condition, int timeoutMs = 2000)
{
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeoutMs)
      return false;
    QTest::qWait(5);
  }
  return true;
}

#include <QString>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
  *out << '"' << text.toStdString() << '"';
}
