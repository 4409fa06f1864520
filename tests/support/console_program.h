#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// What a console program left behind: its exit code and the bytes it wrote to stdout and
// stderr, exactly (no line-end conversion).
struct ConsoleRun {
  DWORD exitCode = 0;
  std::string out;
  std::string err;
};

// fstamp.exe, next to the test executable.
std::string FstampPath();

// Runs a console program with the arguments (quoted so that it gets each one exactly), in
// the given current folder (empty: this process's), with stdout and stderr each a pipe and
// stdin empty, and waits for it to end. Throws when it cannot start or does not end in time.
ConsoleRun RunConsoleProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& currentFolder = "");

// The same with fstamp.exe.
ConsoleRun RunFstamp(const std::vector<std::string>& arguments, const std::string& currentFolder = "");

// One argument as the C runtime's command-line parser reads it back: quotes and the
// backslashes before them escaped.
std::string QuoteArgument(const std::string& argument);

}  // namespace testing_support
