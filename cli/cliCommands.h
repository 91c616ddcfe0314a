#pragma once
// The commands of quillet-cli. Each takes the arguments after its name and returns the
// process exit code (TCliExit).
#include <QStringList>

int RunCheck(const QStringList &args);
int RunInfo(const QStringList &args);
int RunConvert(const QStringList &args);
int RunGenerate(const QStringList &args);

// The usage text on the given stream; code is returned so callers can end with it.
int PrintUsage(int code);
// Runs the command named by the first argument.
int RunCommand(const QStringList &args);
