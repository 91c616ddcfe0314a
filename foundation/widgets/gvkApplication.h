#pragma once
// The program's application object. Its one addition is the standard error display: an
// error thrown while an event is handled is shown in a message box titled with the
// application title, and the event loop goes on.
#include <QApplication>

class TGvkApplication : public QApplication
{
  Q_OBJECT

public:
  TGvkApplication(int &argc, char **argv);

  bool notify(QObject *receiver, QEvent *event) override;
};
