// quillet-cli: the headless command line of Quillet (check, info, convert, generate).
#include "cli/cliCommands.h"

#include "foundation/gvkPaths.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
  QCoreApplication app(argc, argv);
  // Uses the program's settings and installation files, not files of its own.
  SetProgramBaseName(QStringLiteral("quillet"));
  return RunCommand(app.arguments().mid(1));
}
