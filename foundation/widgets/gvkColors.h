#pragma once
// The colours the library's edit controls use in each of their states.
#include <QColor>
#include <QObject>

class TColors
{
  Q_GADGET
  Q_PROPERTY(QColor NormalText MEMBER NormalText)
  Q_PROPERTY(QColor NormalBG MEMBER NormalBG)
  Q_PROPERTY(QColor ReadOnlyText MEMBER ReadOnlyText)
  Q_PROPERTY(QColor ReadOnlyBG MEMBER ReadOnlyBG)
  Q_PROPERTY(QColor DisabledText MEMBER DisabledText)
  Q_PROPERTY(QColor DisabledBG MEMBER DisabledBG)
  Q_PROPERTY(QColor FocusedText MEMBER FocusedText)
  Q_PROPERTY(QColor FocusedBG MEMBER FocusedBG)

public:
  // A new object holds the system colours of the application's palette.
  TColors();

  QColor NormalText;
  QColor NormalBG;
  QColor ReadOnlyText;
  QColor ReadOnlyBG;
  QColor DisabledText;
  QColor DisabledBG;
  QColor FocusedText;
  QColor FocusedBG;

  bool operator==(const TColors &other) const = default;
};
