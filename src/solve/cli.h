#pragma once
// The command line of kvelta-solve.

#include <QStringList>

namespace kvelta {

// Runs the command with its arguments (without the program name); returns the exit status:
// 0 done, 1 the computation or a file failed, 2 wrong usage.
int RunSolveCommand(const QStringList& arguments);

}  // namespace kvelta
