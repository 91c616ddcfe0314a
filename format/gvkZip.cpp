#include "format/gvkZip.h"

#include "foundation/gvkErrors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int BlockSize = 8192;
constexpr int ScrambleBlockSize = 1024;
constexpr uLong FlagEncrypted = 0x1;
constexpr uLong FlagUtf8Name = 0x800;
constexpr ZPOS64_T MaxPlainEntrySize = 0xFFFFFFFEu; // beyond this an entry needs Zip64

// minizip reads and writes through these callbacks, so archives live in any QIODevice
// (a QSaveFile for atomic saves, a QBuffer for tests and fuzzing). The "file name"
// handed to minizip is the device (or its reading cache); the caller opens and closes it.
QIODevice *Device(voidpf stream)
{
  return static_cast<QIODevice *>(stream);
}

voidpf ZCALLBACK DeviceOpen(voidpf, const void *device, int)
{
  return const_cast<void *>(device);
}

uLong ZCALLBACK DeviceRead(voidpf, voidpf stream, void *buf, uLong size)
{
  const qint64 n = Device(stream)->read(static_cast<char *>(buf), qint64(size));
  return n < 0 ? 0 : uLong(n);
}

uLong ZCALLBACK DeviceWrite(voidpf, voidpf stream, const void *buf, uLong size)
{
  const qint64 n = Device(stream)->write(static_cast<const char *>(buf), qint64(size));
  return n < 0 ? 0 : uLong(n);
}

ZPOS64_T ZCALLBACK DeviceTell(voidpf, voidpf stream)
{
  return ZPOS64_T(Device(stream)->pos());
}

long ZCALLBACK DeviceSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
  QIODevice *device = Device(stream);
  qint64 base = 0;
  if (origin == ZLIB_FILEFUNC_SEEK_CUR)
    base = device->pos();
  else if (origin == ZLIB_FILEFUNC_SEEK_END)
    base = device->size();
  const qint64 target = base + qint64(offset);
  return target >= 0 && device->seek(target) ? 0 : -1;
}

int ZCALLBACK DeviceClose(voidpf, voidpf)
{
  return 0;
}
int ZCALLBACK DeviceError(voidpf, voidpf)
{
  return 0;
}

zlib_filefunc64_def DeviceFunctions()
{
  zlib_filefunc64_def functions{};
  functions.zopen64_file = DeviceOpen;
  functions.zread_file = DeviceRead;
  functions.zwrite_file = DeviceWrite;
  functions.ztell64_file = DeviceTell;
  functions.zseek64_file = DeviceSeek;
  functions.zclose_file = DeviceClose;
  functions.zerror_file = DeviceError;
  return functions;
}

// Reading goes through a cache of its own: minizip reads headers byte by byte and seeks
// often, and each seek would discard a QIODevice buffer.
struct TArchiveSource
{
  static constexpr qint64 CacheSize = 65536;
  QIODevice &Device;
  qint64 Size; // minizip may read far past the end of a damaged archive
  qint64 Position = 0;
  qint64 CacheStart = 0;
  QByteArray Cache = {};
};

TArchiveSource &Source(voidpf stream)
{
  return *static_cast<TArchiveSource *>(stream);
}

uLong ZCALLBACK SourceRead(voidpf, voidpf stream, void *buf, uLong size)
{
  TArchiveSource &source = Source(stream);
  char *out = static_cast<char *>(buf);
  uLong done = 0;
  while (done < size && source.Position < source.Size) {
    const qint64 offset = source.Position - source.CacheStart;
    if (offset < 0 || offset >= source.Cache.size()) {
      source.CacheStart = source.Position;
      source.Cache.resize(TArchiveSource::CacheSize);
      const qint64 n = source.Device.seek(source.Position)
                           ? source.Device.read(source.Cache.data(), TArchiveSource::CacheSize)
                           : -1;
      source.Cache.resize(n > 0 ? n : 0);
      if (n <= 0)
        break;
      continue;
    }
    const qint64 n = std::min<qint64>(source.Cache.size() - offset, qint64(size - done));
    memcpy(out + done, source.Cache.constData() + offset, size_t(n));
    done += uLong(n);
    source.Position += n;
  }
  return done;
}

uLong ZCALLBACK SourceWrite(voidpf, voidpf, const void *, uLong)
{
  return 0;
}

ZPOS64_T ZCALLBACK SourceTell(voidpf, voidpf stream)
{
  return ZPOS64_T(Source(stream).Position);
}

long ZCALLBACK SourceSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
  TArchiveSource &source = Source(stream);
  qint64 base = 0;
  if (origin == ZLIB_FILEFUNC_SEEK_CUR)
    base = source.Position;
  else if (origin == ZLIB_FILEFUNC_SEEK_END)
    base = source.Size;
  const qint64 target = base + qint64(offset);
  if (target < 0)
    return -1;
  source.Position = target;
  return 0;
}

// Closes the archive on every path.
struct TUnzCloser
{
  void operator()(void *archive) const { unzClose(archive); }
};
using TUnzHandle = std::unique_ptr<void, TUnzCloser>;

TUnzHandle OpenArchive(TArchiveSource &source)
{
  zlib_filefunc64_def functions{};
  functions.zopen64_file = DeviceOpen;
  functions.zread_file = SourceRead;
  functions.zwrite_file = SourceWrite;
  functions.ztell64_file = SourceTell;
  functions.zseek64_file = SourceSeek;
  functions.zclose_file = DeviceClose;
  functions.zerror_file = DeviceError;
  return TUnzHandle(unzOpen2_64(&source, &functions));
}

bool OpenForReading(QFile &file, QString &error)
{
  if (file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
    return true;
  error = QStringLiteral("Cannot open the archive %1: %2").arg(file.fileName(), file.errorString());
  return false;
}

QString DirectoryPart(const QString &path)
{
  const int slash = path.lastIndexOf(QLatin1Char('/'));
  return slash < 0 ? QString() : path.left(slash + 1);
}

QString NamePart(const QString &path)
{
  return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// "a/./b" and "a//b" name the file "a/b"; an absolute name stays as it is, to be refused.
QString CanonicalEntryName(const QString &name)
{
  if (name.startsWith(QLatin1Char('/')))
    return name;
  QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  parts.removeAll(QStringLiteral("."));
  QString canonical = parts.join(QLatin1Char('/'));
  if (name.endsWith(QLatin1Char('/')) && !canonical.isEmpty())
    canonical += QLatin1Char('/');
  return canonical;
}

// Names carry the UTF-8 flag or, from older programs, bytes of the writer's code page;
// UTF-8 without the flag is common too, so it is tried first.
QString DecodeEntryName(const QByteArray &raw, uLong flags)
{
  QString name;
  if (flags & FlagUtf8Name) {
    name = QString::fromUtf8(raw);
  } else {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    name = utf8(raw);
    if (utf8.hasError())
      name = QString::fromLatin1(raw);
  }
  name.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return CanonicalEntryName(name);
}

struct TZipEntry
{
  QString Name; // with "/" as delimiter
  unz64_file_pos Position{};
  unz_file_info64 Info{};
  bool IsDirectory() const { return Name.endsWith(QLatin1Char('/')); }
};

// Reads the central directory; false with a message when it is damaged.
bool ReadEntries(void *archive, std::vector<TZipEntry> &entries, QString &error)
{
  int status = unzGoToFirstFile(archive);
  while (status == UNZ_OK) {
    TZipEntry entry;
    if (unzGetCurrentFileInfo64(archive, &entry.Info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
      break;
    QByteArray raw(qsizetype(entry.Info.size_filename), Qt::Uninitialized);
    if (unzGetCurrentFileInfo64(archive, &entry.Info, raw.data(), uLong(raw.size()), nullptr, 0,
                                nullptr, 0) != UNZ_OK ||
        unzGetFilePos64(archive, &entry.Position) != UNZ_OK)
      break;
    entry.Name = DecodeEntryName(raw, entry.Info.flag);
    entries.push_back(std::move(entry));
    status = unzGoToNextFile(archive);
  }
  if (status == UNZ_END_OF_LIST_OF_FILE)
    return true;
  error = QStringLiteral("the list of its entries is damaged");
  return false;
}

bool IsUnsafePath(const QString &path)
{
  if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || path.contains(QChar(0)) ||
      (path.size() >= 2 && path.at(1) == QLatin1Char(':')))
    return true;
  const QStringList parts = path.split(QLatin1Char('/'));
  return parts.contains(QStringLiteral(".."));
}

// A symbolic link already under the base folder would lead a write elsewhere.
bool PassesSymbolicLink(const QString &baseDir, const QString &path)
{
  QString prefix = baseDir;
  const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  for (const QString &part : parts) {
    prefix += part;
    if (QFileInfo(prefix).isSymLink())
      return true;
    prefix += QLatin1Char('/');
  }
  return false;
}

uLong DosDateTime(const QDateTime &time)
{
  const QDateTime local = time.toLocalTime();
  const QDate date = local.date();
  const QTime clock = local.time();
  const uLong year = uLong(qBound(1980, date.year(), 2107) - 1980);
  return year << 25 | uLong(date.month()) << 21 | uLong(date.day()) << 16 |
         uLong(clock.hour()) << 11 | uLong(clock.minute()) << 5 | uLong(clock.second() / 2);
}

bool IsAscii(const QString &text)
{
  for (const QChar c : text)
    if (c.unicode() > 127)
      return false;
  return true;
}

} // namespace

// ---------------------------------------------------------------------------------------

TGvkFileList::TGvkFileList(const QString &fileMask, bool recurse)
{
  FBaseDir = DirectoryPart(fileMask);
  QString nameMask = NamePart(fileMask);
  if (nameMask.isEmpty())
    nameMask = QStringLiteral("*.*");
  AddDiskFiles(QString(), nameMask, recurse);
}

void TGvkFileList::AddDiskFiles(const QString &relativeDir, const QString &nameMask, bool recurse)
{
  QDir dir(FBaseDir.isEmpty() ? QStringLiteral(".") : FBaseDir + relativeDir);
  const QFileInfoList files =
      dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  for (const QFileInfo &file : files)
    if (MatchesFileMask(file.fileName(), nameMask))
      FFiles.append(QStringLiteral("%1;%2").arg(relativeDir + file.fileName()).arg(file.size()));
  if (!recurse)
    return;
  const QFileInfoList dirs =
      dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
  for (const QFileInfo &sub : dirs)
    if (!sub.isSymLink())
      AddDiskFiles(relativeDir + sub.fileName() + QLatin1Char('/'), nameMask, recurse);
}

void TGvkFileList::SetBaseDir(const QString &dir)
{
  FBaseDir = dir;
  if (!FBaseDir.isEmpty() && !FBaseDir.endsWith(QLatin1Char('/')))
    FBaseDir += QLatin1Char('/');
}

QString TGvkFileList::Name(int i) const
{
  const QString &line = FFiles.at(i);
  const int semicolon = line.lastIndexOf(QLatin1Char(';'));
  return semicolon < 0 ? line : line.left(semicolon);
}

qint64 TGvkFileList::Size(int i) const
{
  const QString &line = FFiles.at(i);
  const int semicolon = line.lastIndexOf(QLatin1Char(';'));
  if (semicolon < 0)
    return -1;
  bool ok = false;
  const qint64 size = line.mid(semicolon + 1).toLongLong(&ok);
  return ok ? size : -1;
}

int TGvkFileList::Fail(int result, const QString &message)
{
  FLastError = message;
  return result;
}

// ---------------------------------------------------------------------------------------
// Listing

int TGvkFileList::ListArchive(const QString &archiveName, const QString &fileMask)
{
  FFiles.clear();
  FBaseDir = DirectoryPart(fileMask);
  QFile file(archiveName);
  QString error;
  if (!OpenForReading(file, error))
    return Fail(zrReadFailed, error);
  return ListArchiveFrom(file, archiveName, fileMask);
}

int TGvkFileList::ListArchive(QIODevice &archive, const QString &fileMask)
{
  FFiles.clear();
  FBaseDir = DirectoryPart(fileMask);
  return ListArchiveFrom(archive, QStringLiteral("(data)"), fileMask);
}

int TGvkFileList::ListArchiveFrom(QIODevice &archive, const QString &displayName,
                                  const QString &fileMask)
{
  FLastError.clear();
  QString nameMask = NamePart(fileMask);
  if (nameMask.isEmpty())
    nameMask = QStringLiteral("*.*");
  TArchiveSource source{archive, archive.size()};
  TUnzHandle zip = OpenArchive(source);
  if (!zip)
    return Fail(zrReadFailed,
                QStringLiteral("%1 is not a ZIP archive or is damaged").arg(displayName));
  std::vector<TZipEntry> entries;
  QString error;
  if (!ReadEntries(zip.get(), entries, error))
    return Fail(zrReadFailed,
                QStringLiteral("The archive %1 is damaged: %2").arg(displayName, error));
  for (const TZipEntry &entry : entries)
    if (!entry.Name.isEmpty() && !entry.IsDirectory() &&
        MatchesFileMask(NamePart(entry.Name), nameMask))
      FFiles.append(QStringLiteral("%1;%2").arg(entry.Name).arg(entry.Info.uncompressed_size));
  return zrOk;
}

// ---------------------------------------------------------------------------------------
// Writing

namespace {

struct TZipCloser
{
  void operator()(void *archive) const { zipClose(archive, nullptr); }
};

// Adds one file as a deflated entry; false with a message on any failure.
bool AddEntry(void *zip, const QString &entryName, const QString &sourceName, QString &error)
{
  QFile source(sourceName);
  if (!source.open(QIODevice::ReadOnly)) {
    error = QStringLiteral("Cannot read %1: %2").arg(sourceName, source.errorString());
    return false;
  }
  if (ZPOS64_T(source.size()) > MaxPlainEntrySize) {
    error = QStringLiteral("The file %1 is too large for the archive").arg(sourceName);
    return false;
  }
  zip_fileinfo info{};
  info.dosDate = DosDateTime(QFileInfo(source).lastModified());
  const bool ascii = IsAscii(entryName);
  const QByteArray name = ascii ? entryName.toLatin1() : entryName.toUtf8();
  // The flags start as 0; minizip adds 2 (maximum compression) for level 9.
  if (zipOpenNewFileInZip4_64(zip, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                              Z_DEFLATED, 9, 0, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr, 0, 0,
                              ascii ? 0 : FlagUtf8Name, 0) != ZIP_OK) {
    error = QStringLiteral("Cannot add %1 to the archive").arg(entryName);
    return false;
  }
  std::array<char, BlockSize> buffer;
  bool ok = true;
  while (ok) {
    const qint64 n = source.read(buffer.data(), buffer.size());
    if (n < 0) {
      error = QStringLiteral("Cannot read %1: %2").arg(sourceName, source.errorString());
      ok = false;
    } else if (n == 0) {
      break;
    } else if (zipWriteInFileInZip(zip, buffer.data(), unsigned(n)) != ZIP_OK) {
      error = QStringLiteral("Cannot write %1 into the archive").arg(entryName);
      ok = false;
    }
  }
  if (zipCloseFileInZip(zip) != ZIP_OK && ok) {
    error = QStringLiteral("Cannot write %1 into the archive").arg(entryName);
    ok = false;
  }
  return ok;
}

} // namespace

int TGvkFileList::Compress(const QString &archiveName, const TGvkFileCallback &callback,
                           void *userData)
{
  FLastError.clear();
  QSaveFile target(archiveName);
  if (!target.open(QIODevice::WriteOnly))
    return Fail(
        zrWriteFailed,
        QStringLiteral("Cannot create the archive %1: %2").arg(archiveName, target.errorString()));
  zlib_filefunc64_def functions = DeviceFunctions();
  std::unique_ptr<void, TZipCloser> zip(
      zipOpen2_64(&target, APPEND_STATUS_CREATE, nullptr, &functions));
  if (!zip)
    return Fail(zrWriteFailed, QStringLiteral("Cannot create the archive %1").arg(archiveName));
  for (int i = 0; i < Count(); ++i) {
    const QString path = Name(i);
    if (callback && callback(userData, path, Size(i)))
      return Fail(zrStopped, QStringLiteral("Stopped"));
    QString entryName = path;
    entryName.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString error;
    if (!AddEntry(zip.get(), entryName, FBaseDir + path, error))
      return Fail(zrWriteFailed, error);
  }
  const int closed = zipClose(zip.release(), nullptr);
  if (closed != ZIP_OK || !target.commit())
    return Fail(
        zrWriteFailed,
        QStringLiteral("Cannot write the archive %1: %2").arg(archiveName, target.errorString()));
  return zrOk;
}

// ---------------------------------------------------------------------------------------
// Extracting

namespace {

struct TCurrentFileCloser
{
  void operator()(void *archive) const { unzCloseCurrentFile(archive); }
};

QString UnsafePathMessage(const QString &path)
{
  return QStringLiteral("The entry \"%1\" is refused: its path leads outside the target folder")
      .arg(path);
}

// Why an entry must not be written, or an empty text.
QString RefusalOf(const TZipEntry &entry, qint64 maxEntrySize)
{
  if (IsUnsafePath(entry.Name))
    return UnsafePathMessage(entry.Name);
  if (entry.Info.flag & FlagEncrypted)
    return QStringLiteral("The entry %1 is encrypted").arg(entry.Name);
  if (entry.Info.compression_method != 0 && entry.Info.compression_method != Z_DEFLATED)
    return QStringLiteral("The entry %1 uses an unsupported compression method (%2)")
        .arg(entry.Name)
        .arg(entry.Info.compression_method);
  if (entry.Info.uncompressed_size > ZPOS64_T(maxEntrySize))
    return QStringLiteral("The entry %1 is too large (%2 bytes; the limit is %3 bytes)")
        .arg(entry.Name)
        .arg(entry.Info.uncompressed_size)
        .arg(maxEntrySize);
  return {};
}

// Copies the current entry into target, checking its size limit, length and CRC.
bool CopyEntry(void *zip, const TZipEntry &entry, qint64 maxEntrySize, QIODevice &target,
               QString &error)
{
  if (unzOpenCurrentFile(zip) != UNZ_OK) {
    error = QStringLiteral("The entry %1 cannot be read").arg(entry.Name);
    return false;
  }
  std::unique_ptr<void, TCurrentFileCloser> current(zip);
  std::array<char, BlockSize> buffer;
  uLong crc = crc32(0, nullptr, 0);
  qint64 total = 0;
  for (;;) {
    const int n = unzReadCurrentFile(zip, buffer.data(), unsigned(buffer.size()));
    if (n < 0) {
      error = QStringLiteral("The entry %1 is damaged and cannot be read").arg(entry.Name);
      return false;
    }
    if (n == 0)
      break;
    total += n;
    if (total > maxEntrySize) {
      error = QStringLiteral("The entry %1 is too large (the limit is %2 bytes)")
                  .arg(entry.Name)
                  .arg(maxEntrySize);
      return false;
    }
    crc = crc32(crc, reinterpret_cast<const Bytef *>(buffer.data()), uInt(n));
    if (target.write(buffer.data(), n) != n) {
      error = QStringLiteral("Cannot write %1: %2").arg(entry.Name, target.errorString());
      return false;
    }
  }
  if (ZPOS64_T(total) != entry.Info.uncompressed_size || crc != entry.Info.crc ||
      unzCloseCurrentFile(current.release()) != UNZ_OK) {
    error = QStringLiteral("The entry %1 is damaged (its data do not match its CRC or size)")
                .arg(entry.Name);
    return false;
  }
  return true;
}

// The entry a list line names: the one of that exact name, else the only one that matches
// without regard to case. Null when there is none; error set when it is ambiguous.
const TZipEntry *FindEntry(const std::vector<TZipEntry> &entries, const QString &name,
                           QString &error)
{
  const TZipEntry *exact = nullptr;
  const TZipEntry *caseless = nullptr;
  int exactCount = 0;
  int caselessCount = 0;
  for (const TZipEntry &entry : entries) {
    if (entry.Name == name) {
      exact = &entry;
      ++exactCount;
    } else if (entry.Name.compare(name, Qt::CaseInsensitive) == 0) {
      caseless = &entry;
      ++caselessCount;
    }
  }
  if (exactCount > 1 || (exactCount == 0 && caselessCount > 1)) {
    error = QStringLiteral("The archive holds more than one entry named %1").arg(name);
    return nullptr;
  }
  return exact ? exact : caseless;
}

} // namespace

int TGvkFileList::Extract(const QString &archiveName, const TGvkFileCallback &callback,
                          void *userData)
{
  QFile file(archiveName);
  QString error;
  if (!OpenForReading(file, error))
    return Fail(zrReadFailed, error);
  return ExtractFrom(file, archiveName, callback, userData);
}

int TGvkFileList::Extract(QIODevice &archive, const TGvkFileCallback &callback, void *userData)
{
  return ExtractFrom(archive, QStringLiteral("(data)"), callback, userData);
}

int TGvkFileList::ExtractFrom(QIODevice &archive, const QString &displayName,
                              const TGvkFileCallback &callback, void *userData)
{
  FLastError.clear();
  TArchiveSource source{archive, archive.size()};
  TUnzHandle zip = OpenArchive(source);
  if (!zip)
    return Fail(zrReadFailed,
                QStringLiteral("%1 is not a ZIP archive or is damaged").arg(displayName));
  std::vector<TZipEntry> entries;
  QString error;
  if (!ReadEntries(zip.get(), entries, error))
    return Fail(zrReadFailed,
                QStringLiteral("The archive %1 is damaged: %2").arg(displayName, error));
  for (int i = 0; i < Count(); ++i) {
    QString path = Name(i);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const TZipEntry *entry = FindEntry(entries, path, error);
    if (!error.isEmpty())
      return Fail(zrReadFailed, error);
    if (!entry)
      continue;
    const QString refusal = RefusalOf(*entry, FMaxEntrySize);
    if (!refusal.isEmpty())
      return Fail(zrReadFailed, refusal);
    if (callback && callback(userData, path, qint64(entry->Info.uncompressed_size)))
      return Fail(zrStopped, QStringLiteral("Stopped"));
    if (IsUnsafePath(path))
      return Fail(zrReadFailed, UnsafePathMessage(path));
    if (PassesSymbolicLink(FBaseDir, path))
      return Fail(
          zrReadFailed,
          QStringLiteral("The entry \"%1\" is refused: its path passes a symbolic link").arg(path));
    const QString targetName = FBaseDir + path;
    if (path.endsWith(QLatin1Char('/'))) {
      if (!ForceDirectories(targetName))
        return Fail(zrReadFailed, QStringLiteral("Cannot create the folder %1").arg(targetName));
      continue;
    }
    if (!ForceDirectories(DirectoryPart(targetName)))
      return Fail(zrReadFailed,
                  QStringLiteral("Cannot create the folder %1").arg(DirectoryPart(targetName)));
    unz64_file_pos position = entry->Position;
    if (unzGoToFilePos64(zip.get(), &position) != UNZ_OK)
      return Fail(zrReadFailed, QStringLiteral("The entry %1 cannot be read").arg(entry->Name));
    // Written beside the target and renamed when complete: a refused or damaged entry
    // leaves neither a partial file nor a lost previous one.
    QTemporaryFile part(DirectoryPart(targetName) + QStringLiteral(".quillet-part-XXXXXX"));
    if (!part.open())
      return Fail(zrReadFailed,
                  QStringLiteral("Cannot create %1: %2").arg(targetName, part.errorString()));
    if (!CopyEntry(zip.get(), *entry, FMaxEntrySize, part, error))
      return Fail(zrReadFailed, error);
    if (!part.flush() || std::rename(QFile::encodeName(part.fileName()).constData(),
                                     QFile::encodeName(targetName).constData()) != 0)
      return Fail(zrReadFailed,
                  QStringLiteral("Cannot write %1: %2").arg(targetName, part.errorString()));
    part.setAutoRemove(false);
  }
  return zrOk;
}

// ---------------------------------------------------------------------------------------

int TGvkFileList::DeleteFiles()
{
  FLastError.clear();
  QStringList failed;
  for (int i = 0; i < Count(); ++i)
    if (!QFile::remove(FBaseDir + Name(i)))
      failed.append(FBaseDir + Name(i));
  if (failed.isEmpty())
    return zrOk;
  return Fail(zrDeleteFailed,
              QStringLiteral("Cannot delete %1").arg(failed.join(QStringLiteral(", "))));
}

// ---------------------------------------------------------------------------------------

TGvkCryptedZipFileReader::TGvkCryptedZipFileReader(const QString &fileName)
    : FTempDir(std::make_unique<QTemporaryDir>(TempDir() + QStringLiteral("quillet-XXXXXX")))
{
  if (!FTempDir->isValid())
    throw EGvkFileError(
        QStringLiteral("Cannot create a temporary folder: %1").arg(FTempDir->errorString()));
  // The entries go into a folder of their own, so that no entry name meets the copy.
  FWorkDir = FTempDir->filePath(QStringLiteral("files")) + QLatin1Char('/');
  if (!QDir().mkdir(FWorkDir))
    throw EGvkFileError(QStringLiteral("Cannot create the temporary folder %1").arg(FWorkDir));
  FFileName = fileName;
  if (!QFileInfo::exists(fileName))
    return;
  FIsScrambled = IsScrambledFile(fileName);
  if (!FIsScrambled)
    return;
  const QString copy = FTempDir->filePath(QStringLiteral("unscrambled.zip"));
  if (!QFile::copy(fileName, copy))
    throw EGvkFileError(QStringLiteral("Cannot copy %1 to %2").arg(fileName, copy));
  QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  ScrambleFile(copy);
  FFileName = copy;
}

bool IsScrambledFile(const QString &fileName)
{
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    throw EGvkFileError(
        QStringLiteral("Cannot open the file %1: %2").arg(fileName, file.errorString()));
  const QByteArray head = file.read(2);
  return head.size() == 2 && uchar(head[0]) == 0xAF && uchar(head[1]) == 0xB5;
}

namespace {

void ScrambleBlock(QFile &file, qint64 offset)
{
  QByteArray block;
  if (!file.seek(offset) || (block = file.read(ScrambleBlockSize)).size() != ScrambleBlockSize)
    throw EGvkFileError(QStringLiteral("Cannot read the file %1").arg(file.fileName()));
  for (int i = 0; i < ScrambleBlockSize; ++i)
    block[i] = char(uchar(block[i]) ^ uchar(255 - i % 256));
  if (!file.seek(offset) || file.write(block) != ScrambleBlockSize)
    throw EGvkFileError(
        QStringLiteral("Cannot write the file %1: %2").arg(file.fileName(), file.errorString()));
}

} // namespace

void ScrambleFile(const QString &fileName)
{
  QFile file(fileName);
  if (!file.open(QIODevice::ReadWrite))
    throw EGvkFileError(
        QStringLiteral("Cannot open the file %1: %2").arg(fileName, file.errorString()));
  if (file.size() < ScrambleBlockSize)
    throw EGvkFileError(
        QStringLiteral("The file %1 is too short (%2 bytes) to be a scrambled archive")
            .arg(fileName)
            .arg(file.size()));
  ScrambleBlock(file, 0);
  ScrambleBlock(file, file.size() - ScrambleBlockSize);
  if (!file.flush())
    throw EGvkFileError(
        QStringLiteral("Cannot write the file %1: %2").arg(fileName, file.errorString()));
}

QString TempDir()
{
  QString dir = QDir::tempPath();
  if (!dir.endsWith(QLatin1Char('/')))
    dir += QLatin1Char('/');
  return dir;
}

bool ForceDirectories(const QString &path)
{
  if (path.isEmpty())
    return true;
  return QDir().mkpath(path) && QFileInfo(path).isDir();
}

bool MatchesFileMask(const QString &name, const QString &mask)
{
  if (mask == QLatin1String("*.*") || mask == QLatin1String("*"))
    return true;
  // Iterative matching with one remembered star: linear in practice, never exponential.
  qsizetype n = 0, m = 0, starMask = -1, starName = 0;
  auto same = [](QChar a, QChar b) { return a.toCaseFolded() == b.toCaseFolded(); };
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == QLatin1Char('*')) {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == QLatin1Char('?') || same(mask[m], name[n]))) {
      ++n;
      ++m;
    } else if (starMask >= 0) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == QLatin1Char('*'))
    ++m;
  return m == mask.size();
}
