#pragma once

#include <QString>

#include <cstdio>

namespace tarvilo {

// Writes text to a standard stream in the system's encoding.
void Print(std::FILE *stream, const QString &text);

// "tarvilo: <problem>" and the pointer to the help, for a command line
// that cannot be carried out as given (exit status 2).
void PrintUsageProblem(const QString &problem);

} // namespace tarvilo
