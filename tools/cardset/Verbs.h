// The tool's commands; each takes the arguments after its own name and returns the exit status.
#pragma once

#include <ostream>

#include <QString>
#include <QStringList>

namespace velmo::tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // an error, or check found a problem
inline constexpr int kExitUsage = 2;

QString UsageText();

// Args are the command-line arguments without the program name: the verb, then its arguments.
int RunCommand(const QStringList& Args, std::ostream& Out, std::ostream& Err);

int RunPack(const QStringList& Args, std::ostream& Out, std::ostream& Err);
int RunInfo(const QStringList& Args, std::ostream& Out, std::ostream& Err);
int RunExtract(const QStringList& Args, std::ostream& Out, std::ostream& Err);
int RunCheck(const QStringList& Args, std::ostream& Out, std::ostream& Err);

// Writes Text and a line break as UTF-8.
void PrintLine(std::ostream& Stream, const QString& Text);
// Writes "velmo-cardset : Message" on the error stream.
void PrintError(std::ostream& Err, const QString& Message);

}  // namespace velmo::tool
