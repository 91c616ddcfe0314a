#include "foundation/widgets/gvkColors.h"

#include <QGuiApplication>
#include <QPalette>

TColors::TColors()
{
  const QPalette palette = QGuiApplication::palette();
  NormalText = palette.color(QPalette::Active, QPalette::Text);
  NormalBG = palette.color(QPalette::Active, QPalette::Base);
  ReadOnlyText = palette.color(QPalette::Active, QPalette::ButtonText);
  ReadOnlyBG = palette.color(QPalette::Active, QPalette::Button);
  DisabledText = palette.color(QPalette::Disabled, QPalette::Text);
  DisabledBG = palette.color(QPalette::Active, QPalette::Light);
  FocusedText = NormalText;
  FocusedBG = NormalBG;
}
