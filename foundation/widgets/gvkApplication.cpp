#include "foundation/widgets/gvkApplication.h"

#include "foundation/gvkErrors.h"
#include "foundation/widgets/gvkDialogs.h"

TGvkApplication::TGvkApplication(int &argc, char **argv) : QApplication(argc, argv)
{
}

bool TGvkApplication::notify(QObject *receiver, QEvent *event)
{
  try {
    return QApplication::notify(receiver, event);
  } catch (const EGvkError &error) {
    ShowErrorMessage(error.Message());
  } catch (const std::exception &error) {
    ShowErrorMessage(QString::fromLocal8Bit(error.what()));
  }
  return false;
}
