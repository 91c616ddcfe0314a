#pragma once
// The caption of a component, whichever kind of control carries it: label, button, group
// box, menu, action, or the tab of a tab sheet. Shared by the translation and the
// automatic accelerators.
#include <QString>

class QObject;
class QTabWidget;

// The tab widget whose page (tab sheet) the object is, or null.
QTabWidget *TabWidgetOfPage(const QObject &object);
// Empty for a component without a caption.
QString CaptionOf(const QObject &component);
// Does nothing for a component without a caption.
void SetCaption(QObject &component, const QString &caption);
