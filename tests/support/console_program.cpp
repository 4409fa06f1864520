#include "tests/support/console_program.h"

#include <stdexcept>
#include <thread>

#include "core/program_folder.h"
#include "core/text_encoding.h"
#include "core/win_handles.h"

namespace testing_support {
namespace {

constexpr DWORD kRunTimeoutMs = 120000;

struct Pipe {
  core::UniqueFileHandle read;
  core::UniqueFileHandle write;  // inherited by the program
};

Pipe MakePipe() {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) throw std::runtime_error("cannot create a pipe");
  Pipe pipe{core::UniqueFileHandle(read), core::UniqueFileHandle(write)};
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  return pipe;
}

// Reads until the writer is gone; run on a thread of its own so that neither pipe can fill
// up while the other is read.
void Drain(HANDLE pipe, std::string& bytes) {
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
}

}  // namespace

std::string FstampPath() { return core::ProgramFolder() + "\\fstamp.exe"; }

std::string QuoteArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote is escaped.
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  // Before the closing quote they are doubled too.
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

ConsoleRun RunConsoleProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& currentFolder) {
  std::string commandLine = QuoteArgument(program);
  for (const std::string& argument : arguments) commandLine += " " + QuoteArgument(argument);
  std::wstring line = core::Utf8ToWide(commandLine);
  const std::wstring folder = core::Utf8ToWide(currentFolder);

  Pipe out = MakePipe();
  Pipe err = MakePipe();
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const core::UniqueFileHandle nothing(
      CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nothing.get();
  startup.hStdOutput = out.write.get();
  startup.hStdError = err.write.get();
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info))
    throw std::runtime_error("cannot start " + commandLine + ", error " + std::to_string(GetLastError()));
  const core::UniqueKernelHandle process(info.hProcess);
  CloseHandle(info.hThread);
  // Only the program holds the write ends now, so reading ends when it does.
  out.write.reset();
  err.write.reset();

  ConsoleRun run;
  std::thread errReader(Drain, err.read.get(), std::ref(run.err));
  Drain(out.read.get(), run.out);
  errReader.join();
  if (WaitForSingleObject(process.get(), kRunTimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 99);
    throw std::runtime_error(commandLine + " did not end");
  }
  GetExitCodeProcess(process.get(), &run.exitCode);
  return run;
}

ConsoleRun RunFstamp(const std::vector<std::string>& arguments, const std::string& currentFolder) {
  return RunConsoleProgram(FstampPath(), arguments, currentFolder);
}

}  // namespace testing_support
