#include "format/aquon.h"

#include <QFileInfo>

TAquon::TAquon(std::unique_ptr<TAqnObject> root) : FRoot(std::move(root))
{
}

TAquon::~TAquon()
{
  Clear();
}

void TAquon::SetRoot(std::unique_ptr<TAqnObject> root)
{
  ResetIndex();
  FRoot = std::move(root);
}

std::unique_ptr<TAqnObject> TAquon::TakeRoot()
{
  ResetIndex();
  return std::move(FRoot);
}

void TAquon::Clear()
{
  FErrors.clear();
  FWarnings.clear();
  ResetIndex();
  FRoot.reset();
}

void TAquon::AddMessage(const QString &message, int line, bool isWarning)
{
  const QString text = line == 0 ? message : QStringLiteral("Line %1: %2").arg(line).arg(message);
  (isWarning ? FWarnings : FErrors).append(text);
}

void TAquon::LoadFromFile(const QString &fileName, const TAqnProgress &progress)
{
  FFileName = QFileInfo(fileName).fileName();
  Clear();
  TAqnParser parser(*this);
  FRoot = parser.Parse(fileName, progress);
  FIsDunelle = parser.Scrambled();
}

void TAquon::LoadFromDevice(QIODevice &device, const QString &fileName,
                            const TAqnProgress &progress)
{
  FFileName = QFileInfo(fileName).fileName();
  Clear();
  TAqnParser parser(*this);
  FRoot = parser.Parse(device, progress);
  FIsDunelle = false;
}
