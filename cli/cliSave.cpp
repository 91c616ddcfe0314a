#include "cli/cliSave.h"

#include "cli/cliCommon.h"
#include "format/aqnWriter.h"
#include "format/aquon.h"

QString SaveMeet(TAquon &document, const QString &fileName)
{
  TAqnObject *root = document.Root();
  document.RenumberRelays();
  root->DeleteChild(aqtCONSTRUCTOR);
  root->Add(CreateCreatorRecord(ProductName(), ProductVersion()));
  root->SetText(aqtVERSION, QLatin1String(AqnWrittenVersion));
  const bool zipped = fileName.endsWith(QLatin1String(".aqz"), Qt::CaseInsensitive);
  return SaveAquonFile(*root, fileName, zipped ? AqnZippedFile : AqnPlainFile);
}
