// Lists and extracts an archive given as fuzz input, the way the reader opens a container:
// through the scrambled-container reader, into its private folder, with a small size
// limit. Whatever Extract accepts must be on disk with the listed size.
#include "format/gvkZip.h"
#include "foundation/gvkErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr qint64 FuzzMaxEntrySize = 1 << 20;

void CheckExtracted(const TGvkFileList &list)
{
  for (int i = 0; i < list.Count(); ++i) {
    const QFileInfo file(list.BaseDir() + list.Name(i));
    if (!file.isFile() || file.size() != list.Size(i) || file.size() > FuzzMaxEntrySize)
      std::abort();
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
  QTemporaryDir scratch; // holds the input, removed with it
  const QString input = scratch.filePath(QStringLiteral("input.zip"));
  QFile file(input);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
    std::abort();
  file.close();
  try {
    TGvkCryptedZipFileReader container(input);
    TGvkFileList list;
    list.SetMaxEntrySize(FuzzMaxEntrySize);
    if (list.ListArchive(container.FileName(), container.WorkDir() + QStringLiteral("*")) != zrOk)
      return 0;
    if (list.Extract(container.FileName()) == zrOk)
      CheckExtracted(list);
  } catch (const EGvkError &) {
    // a clear error is a correct outcome
  }
  return 0;
}
