#pragma once
// What the commands of quillet-cli share: exit codes, output streams, argument checks
// and loading a meet the way the program does.
#include "cli/cliArguments.h"
#include "format/aquon.h"

#include <optional>

#include <QString>
#include <QStringList>
#include <QTextStream>

// Exit codes: 0 success, 1 the file has errors or the work failed, 2 wrong arguments or
// a file that cannot be opened.
enum TCliExit : int
{
  cliOk = 0,
  cliFailed = 1,
  cliUsage = 2
};

QTextStream &Out();
QTextStream &Err();

// Prints "quillet-cli: " and the message to standard error and returns code.
int Fail(TCliExit code, const QString &message);

// An empty text when fileName names a readable file, otherwise why it cannot be opened.
QString UnreadableFileProblem(const QString &fileName);

// The exit code cliUsage, after the message, when the arguments are wrong (the message
// ends with the synopsis, such as "check FILE") or when inputFile is set and the first
// positional value names no readable file; nothing when the command may go on.
std::optional<int> RefusedArguments(const TCliArguments &arguments, const QString &synopsis,
                                    bool inputFile);

// Loads and indexes as the program's open command does: LoadFromFile, then, without
// errors, BuildIndex. The caller inspects the document's message lists.
void LoadMeet(TAquon &document, const QString &fileName);

// The message lines of a document as the check command prints them.
void PrintMessages(const TAquon &document, QTextStream &stream);

// The program name and version written into the creator record of saved files.
QString ProductName();
QString ProductVersion();
