#pragma once
// ZIP containers: file lists filled from the disk or from an archive, packed into and
// unpacked from ZIP archives (deflate through zlib and minizip), and the reader for the
// older scrambled container form.
//
// Paths inside a file list are relative to BaseDir() and use "/" as delimiter, as do the
// entry names inside an archive (an archive's backslashes are read as "/").
//
// Reading an Aquon container, everything removed when `container` goes out of scope:
//
//   TGvkCryptedZipFileReader container(fileName); // throws EGvkFileError
//   TGvkFileList list;
//   if (list.ListArchive(container.FileName(), container.WorkDir() + "*.aqe") != zrOk)
//     fail(list.LastError());
//   if (list.Count() != 1)
//     fail(...);
//   if (list.Extract(container.FileName()) != zrOk)
//     fail(list.LastError());
//   read(container.WorkDir() + list.Name(0));
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// Result codes of Compress, Extract, ListArchive and DeleteFiles.
enum TGvkZipResult : int
{
  zrOk = 0,
  zrStopped = 1,     // the callback asked to stop
  zrReadFailed = 2,  // the archive cannot be opened, or an entry cannot be read or is refused
  zrWriteFailed = 3, // the archive cannot be created, a source cannot be read, or a write fails
  zrDeleteFailed = 4 // at least one file could not be deleted
};

// Called before each file with the user data, the file's path in the list and its size;
// returning true stops the operation.
using TGvkFileCallback = std::function<bool(void *userData, const QString &path, qint64 size)>;

class TGvkFileList
{
public:
  static constexpr qint64 DefaultMaxEntrySize = qint64(1) << 30; // 1 GiB

  TGvkFileList() = default;
  // BaseDir := directory part of fileMask; lists the files (not directories) whose names
  // match the name part, case-insensitively, and with `recurse` those of every
  // sub-directory too, depth first. Symbolic links to directories are not followed.
  TGvkFileList(const QString &fileMask, bool recurse);

  // One line per file: relative path, ";", size in bytes.
  QStringList &Files() { return FFiles; }
  const QStringList &Files() const { return FFiles; }
  // Ends in "/" unless empty (the current directory).
  const QString &BaseDir() const { return FBaseDir; }
  void SetBaseDir(const QString &dir);

  int Count() const { return FFiles.size(); }
  // The path part of line i (before the last ";", as a path may itself hold ";").
  QString Name(int i) const;
  // The size part of line i; -1 when it is not a number.
  qint64 Size(int i) const;

  // BaseDir := directory part of fileMask; Files := the archive's file entries whose name
  // part matches the name part of fileMask ("*.*" when empty), case-insensitively.
  int ListArchive(const QString &archiveName, const QString &fileMask);
  int ListArchive(QIODevice &archive, const QString &fileMask);

  // Writes a new archive holding every listed file, read from BaseDir + path. The archive
  // replaces archiveName only when complete; on failure any previous file stays intact.
  int Compress(const QString &archiveName, const TGvkFileCallback &callback = {},
               void *userData = nullptr);

  // Writes every listed entry of the archive to BaseDir + path. An entry whose path is
  // absolute or has a ".." component, one that is larger than MaxEntrySize(), encrypted,
  // damaged (its data does not match its CRC or size) or named twice is refused with
  // zrReadFailed; a partly written file is removed. Listed entries missing from the
  // archive are skipped.
  int Extract(const QString &archiveName, const TGvkFileCallback &callback = {},
              void *userData = nullptr);
  int Extract(QIODevice &archive, const TGvkFileCallback &callback = {}, void *userData = nullptr);

  // Deletes BaseDir + path of every line.
  int DeleteFiles();

  // Largest uncompressed entry that Extract writes.
  qint64 MaxEntrySize() const { return FMaxEntrySize; }
  void SetMaxEntrySize(qint64 bytes) { FMaxEntrySize = bytes; }

  // Why the last operation failed; empty after a success.
  const QString &LastError() const { return FLastError; }

private:
  int Fail(int result, const QString &message);
  int ListArchiveFrom(QIODevice &archive, const QString &displayName, const QString &fileMask);
  int ExtractFrom(QIODevice &archive, const QString &displayName, const TGvkFileCallback &callback,
                  void *userData);
  void AddDiskFiles(const QString &relativeDir, const QString &nameMask, bool recurse);

  QStringList FFiles;
  QString FBaseDir;
  qint64 FMaxEntrySize = DefaultMaxEntrySize;
  QString FLastError;
};

// Opens a container that may be in the scrambled form. Owns a private temporary folder
// (mode 0700) that holds the plain copy of a scrambled archive and is the place to
// extract entries to (WorkDir()); the folder and everything in it are removed when the
// reader is destroyed, also when its constructor throws.
class TGvkCryptedZipFileReader
{
public:
  // Throws EGvkFileError when the private folder cannot be made, the file cannot be read,
  // or a scrambled file cannot be unscrambled (shorter than 1024 bytes). A file that does
  // not exist is passed on unchanged (opening it as an archive then fails).
  explicit TGvkCryptedZipFileReader(const QString &fileName);
  TGvkCryptedZipFileReader(const TGvkCryptedZipFileReader &) = delete;
  TGvkCryptedZipFileReader &operator=(const TGvkCryptedZipFileReader &) = delete;

  bool IsScrambled() const { return FIsScrambled; }
  // The archive to read: the given file, or the plain copy when IsScrambled().
  const QString &FileName() const { return FFileName; }
  // The private folder to extract into, ending in "/".
  const QString &WorkDir() const { return FWorkDir; }

private:
  std::unique_ptr<QTemporaryDir> FTempDir;
  bool FIsScrambled = false;
  QString FFileName;
  QString FWorkDir;
};

// Scrambled archives begin with AF B5 (a plain archive's "PK" transformed). Throws
// EGvkFileError when the file cannot be opened.
bool IsScrambledFile(const QString &fileName);
// Applies the scrambling transformation in place (it is its own inverse). Throws
// EGvkFileError when the file cannot be opened, read or written or is shorter than 1024
// bytes.
void ScrambleFile(const QString &fileName);
// The system's temporary directory, ending in "/".
QString TempDir();
// Creates path and every missing parent; an empty path counts as existing. Returns whether
// the directory exists afterwards.
bool ForceDirectories(const QString &path);
// Case-insensitive match with "*" and "?"; the mask "*.*" matches every name.
bool MatchesFileMask(const QString &name, const QString &mask);
