#pragma once
// Saving a meet the way the program's save command does.
#include <QString>

class TAquon;

// Renumbers the relays, replaces the creator record by quillet's, sets the written
// format version and saves: zipped when fileName ends in ".aqz", otherwise plain (the
// writer then gives the name the extension ".aqe"). Returns the name written; throws
// EGvkError when the file cannot be written.
QString SaveMeet(TAquon &document, const QString &fileName);
