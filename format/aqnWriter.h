#pragma once
// The writer of Aquon files, plain or zipped. Every save goes to a temporary file beside
// the target that replaces the target only when it is complete and on disk, so a failed
// save leaves the previous file as it was.
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QIODevice;
class TAqnObject;

// The formats of SaveAquonFile.
inline constexpr int AqnPlainFile = 0;    // ".aqe"
inline constexpr int AqnZippedFile = 1;   // ".aqz" holding one ".aqe"
inline constexpr int AqnBaseDataFile = 4; // ".aqb" holding one ".aqe"

// The encoding the files declare: code page 1252 is taken as the ANSI code page.
inline constexpr char AqnWrittenEncoding[] = "ISO-8859-1";

// Appends the bytes of one line of Aquon text: characters of ISO-8859-1 as they are, every other
// one (also the C1 controls, which windows-1252 readers take for other characters) as a
// numeric character reference, so that nothing is lost.
void AppendAquonLine(QByteArray &bytes, const QString &line);

// `fileName` with the extension ".aqe".
QString AquonPlainName(const QString &fileName);
// `fileName` with the extension ".aqb" for AqnBaseDataFile, else ".aqz".
QString AquonContainerName(const QString &fileName, int format);
// The entry name inside a container: the name part in plain ASCII ("ü" becomes "ue",
// "é" "e", other characters outside 32..127 a blank), then without blanks.
QString AquonEntryName(const QString &plainName);

// Drops the empty values from the tree (they are removed from the tree itself) and writes
// it to a device open for writing: the XML declaration, then one element per line, each
// line ended by CR LF. Throws EGvkFileError naming `displayName` when a write fails.
void SaveAquonFile(TAqnObject &root, QIODevice &device, const QString &displayName);

// Gives the device to write an output file through: the result forwards to `file` (tests
// interpose a device that fails on purpose). Called for every file a save writes.
using TAqnOutputFilter = std::function<std::unique_ptr<QIODevice>(QIODevice &file)>;

// Saves the tree as AqnPlainFile (to AquonPlainName), AqnZippedFile or AqnBaseDataFile
// (to AquonContainerName) and returns the name written. Throws EGvkFileError naming the
// file when it cannot be written; the previous file is then unchanged.
QString SaveAquonFile(TAqnObject &root, const QString &fileName, int format,
                      const TAqnOutputFilter &filter = {});
