#pragma once
// What the program file says of itself: product names and the version texts derived from
// the four-number file version. Non-GUI, so the command line writes the same creator
// record as the program.
#include <QString>

QString ProgramProductName();  // "Quillet"
QString ProgramInternalName(); // "quillet"
QString ProgramFileVersion();  // the build's four numbers, e.g. "2026.0.0.1"

// The version text of a file version: its first and fourth field joined with "."
// ("2011.0.0.27" gives "2011.27"; an empty file version gives ".").
QString VersionFromFileVersion(const QString &fileVersion);
// "a.b" gives a * 1000 + b; a part that is not a number counts 0, further parts are ignored.
int VersionNumber(const QString &version);
// Characters 3-4 of the version, ".00.", characters 6-9 as a 4-digit number:
// "2011.27" gives "11.00.0027".
QString CreatorVersionOf(const QString &version);
