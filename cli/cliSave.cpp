#include "cli/cliSave.h"

#include "cli/cliCommon.h"
#include "format/aquon.h"

#include <QFileInfo>

namespace {

constexpr int PlainFormat = 0;
constexpr int ZippedFormat = 1;

bool IsZippedName(const QString &fileName)
{
  return fileName.endsWith(QLatin1String(".aqz"), Qt::CaseInsensitive);
}

// The writer replaces the extension of a plain file's name by ".aqe".
QString PlainName(const QString &fileName)
{
  const QFileInfo info(fileName);
  const QString suffix = info.suffix();
  if (suffix.isEmpty())
    return fileName + QLatin1String(".aqe");
  return fileName.left(fileName.size() - suffix.size()) + QLatin1String("aqe");
}

} // namespace

QString SaveMeet(TAquon &document, const QString &fileName)
{
  TAqnObject *root = document.Root();
  document.RenumberRelays();
  root->DeleteChild(aqtCONSTRUCTOR);
  root->Add(CreateCreatorRecord(ProductName(), ProductVersion()));
  root->SetText(aqtVERSION, QLatin1String(AqnWrittenVersion));
  const bool zipped = IsZippedName(fileName);
  SaveAquonFile(*root, fileName, zipped ? ZippedFormat : PlainFormat);
  return zipped ? fileName : PlainName(fileName);
}
