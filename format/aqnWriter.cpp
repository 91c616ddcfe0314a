#include "format/aqnWriter.h"

#include "format/aqnElements.h"
#include "format/gvkZip.h"
#include "foundation/gvkErrors.h"
#include "foundation/gvkStrings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringView>
#include <QTemporaryDir>

#include <cerrno>
#include <unistd.h>

namespace {

constexpr qint64 CopyBlockSize = 64 * 1024;
const QByteArray LineEnd = QByteArrayLiteral("\r\n");

[[noreturn]] void ThrowWriteError(const QString &fileName, const QString &reason)
{
  throw EGvkFileError(QStringLiteral("The file \"%1\" cannot be written: %2")
                          .arg(QDir::toNativeSeparators(fileName), reason));
}

bool IsWrittenAsByte(char32_t c)
{
  return c < 0x80 || (c >= 0xA0 && c <= 0xFF);
}

// `fileName` with its last extension (from the last "." of the name part) replaced.
QString WithExtension(const QString &fileName, const QString &extension)
{
  const qsizetype nameStart =
      std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\'))) + 1;
  const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  return (dot >= nameStart ? fileName.left(dot) : fileName) + extension;
}

void WriteAll(QIODevice &device, const QByteArray &bytes, const QString &displayName)
{
  if (device.write(bytes) != bytes.size())
    ThrowWriteError(displayName, device.errorString());
}

// Writes `target` through a temporary file in its folder, renamed into place once the
// content is written and synced to disk; `write` puts the content on the given device.
void SaveAtomically(const QString &target, const TAqnOutputFilter &filter,
                    const std::function<void(QIODevice &)> &write)
{
  QSaveFile file(target);
  if (!file.open(QIODevice::WriteOnly))
    ThrowWriteError(target, file.errorString());
  if (filter) {
    const std::unique_ptr<QIODevice> device = filter(file);
    write(*device);
  } else {
    write(file);
  }
  // The content must be on disk before the rename makes it the target.
  if (!file.flush())
    ThrowWriteError(target, file.errorString());
  if (::fsync(file.handle()) != 0)
    ThrowWriteError(target, qt_error_string(errno));
  if (!file.commit())
    ThrowWriteError(target, file.errorString());
}

void CopyFile(const QString &source, QIODevice &device, const QString &displayName)
{
  QFile input(source);
  if (!input.open(QIODevice::ReadOnly))
    ThrowWriteError(displayName, input.errorString());
  while (!input.atEnd()) {
    const QByteArray block = input.read(CopyBlockSize);
    if (block.isEmpty() && input.error() != QFileDevice::NoError)
      ThrowWriteError(displayName, input.errorString());
    WriteAll(device, block, displayName);
  }
}

QString SavePlain(TAqnObject &root, const QString &fileName, const TAqnOutputFilter &filter)
{
  const QString target = AquonPlainName(fileName);
  SaveAtomically(target, filter, [&](QIODevice &device) { SaveAquonFile(root, device, target); });
  return target;
}

// The text goes to a private temporary folder, is packed there and the archive is then
// copied into place atomically; a failing step raises.
QString SaveZipped(TAqnObject &root, const QString &fileName, int format,
                   const TAqnOutputFilter &filter)
{
  const QString target = AquonContainerName(fileName, format);
  const QTemporaryDir work;
  if (!work.isValid())
    ThrowWriteError(target, work.errorString());
  const QString entry = AquonEntryName(QFileInfo(AquonPlainName(fileName)).fileName());
  const QString plainPath = work.filePath(entry);
  {
    QFile plain(plainPath);
    if (!plain.open(QIODevice::WriteOnly))
      ThrowWriteError(target, plain.errorString());
    if (filter) {
      const std::unique_ptr<QIODevice> device = filter(plain);
      SaveAquonFile(root, *device, target);
    } else {
      SaveAquonFile(root, plain, target);
    }
    if (!plain.flush())
      ThrowWriteError(target, plain.errorString());
  }
  TGvkFileList list;
  list.SetBaseDir(work.path());
  list.Files().append(QStringLiteral("%1;%2").arg(entry).arg(QFileInfo(plainPath).size()));
  const QString archive = work.filePath(QStringLiteral("container.zip"));
  if (list.Compress(archive) != zrOk)
    ThrowWriteError(target, list.LastError());
  SaveAtomically(target, filter, [&](QIODevice &device) { CopyFile(archive, device, target); });
  return target;
}

} // namespace

void AppendAquonLine(QByteArray &bytes, const QString &line)
{
  const qsizetype size = line.size();
  for (qsizetype i = 0; i < size; ++i) {
    char32_t c = line.at(i).unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < size && line.at(i + 1).isLowSurrogate())
      c = QChar::surrogateToUcs4(char16_t(c), line.at(++i).unicode());
    else if (QChar::isSurrogate(c))
      c = QChar::ReplacementCharacter; // a lone half of a pair is no character
    if (IsWrittenAsByte(c)) {
      bytes.append(char(c));
    } else {
      bytes.append("&#");
      bytes.append(QByteArray::number(quint32(c)));
      bytes.append(';');
    }
  }
}

QString AquonPlainName(const QString &fileName)
{
  return WithExtension(fileName, QStringLiteral(".aqe"));
}

QString AquonContainerName(const QString &fileName, int format)
{
  return WithExtension(fileName,
                       format == AqnBaseDataFile ? QStringLiteral(".aqb") : QStringLiteral(".aqz"));
}

QString AquonEntryName(const QString &plainName)
{
  return ToPlainAscii(plainName, true).remove(QLatin1Char(' '));
}

void SaveAquonFile(TAqnObject &root, QIODevice &device, const QString &displayName)
{
  QByteArray bytes;
  const auto writeLine = [&](const QString &line) {
    bytes.resize(0); // keeps the capacity from line to line
    AppendAquonLine(bytes, line);
    bytes.append(LineEnd);
    WriteAll(device, bytes, displayName);
  };
  writeLine(QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>")
                .arg(QLatin1String(AqnWrittenEncoding)));
  root.RemoveEmpty();
  root.WriteXml(writeLine);
}

QString SaveAquonFile(TAqnObject &root, const QString &fileName, int format,
                      const TAqnOutputFilter &filter)
{
  GVK_ASSERT(format == AqnPlainFile || format == AqnZippedFile || format == AqnBaseDataFile,
             "Invalid Aquon file format!", "aquon");
  if (format == AqnPlainFile)
    return SavePlain(root, fileName, filter);
  return SaveZipped(root, fileName, format, filter);
}
