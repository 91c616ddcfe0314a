#pragma once
// One Aquon document in memory: it owns the element tree, loads it through the reader
// and keeps the errors and warnings found while loading.
#include "format/aqnElements.h"
#include "format/aqnParser.h"

#include <QString>
#include <QStringList>
#include <memory>

class QIODevice;

class TAquon
{
public:
  explicit TAquon(std::unique_ptr<TAqnObject> root = nullptr);
  ~TAquon();
  TAquon(const TAquon &) = delete;
  TAquon &operator=(const TAquon &) = delete;

  // The tree, or null; owned by the document.
  TAqnObject *Root() const { return FRoot.get(); }
  void SetRoot(std::unique_ptr<TAqnObject> root);
  std::unique_ptr<TAqnObject> TakeRoot() { return std::move(FRoot); }

  // The name part (no directory) of the last loaded file.
  const QString &FileName() const { return FFileName; }
  const QStringList &Errors() const { return FErrors; }
  const QStringList &Warnings() const { return FWarnings; }
  // The file came from a scrambled container.
  bool IsDunelle() const { return FIsDunelle; }

  // Empties the message lists and destroys the tree.
  void Clear();
  // "Line %d: %s", or the bare message for line 0.
  void AddMessage(const QString &message, int line, bool isWarning);
  // Replaces the tree by the file's; problems go to the message lists. The caller uses
  // the tree only when Errors is empty.
  void LoadFromFile(const QString &fileName, const TAqnProgress &progress = {});
  // The same for a plain Aquon text on a device open for reading.
  void LoadFromDevice(QIODevice &device, const QString &fileName,
                      const TAqnProgress &progress = {});

private:
  std::unique_ptr<TAqnObject> FRoot;
  QString FFileName;
  QStringList FWarnings;
  QStringList FErrors;
  bool FIsDunelle = false;
};
