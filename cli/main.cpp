// fstamp.exe: the console companion of filestamp.exe. Arguments arrive as UTF-16 (wmain) and
// are turned into UTF-8 here; every file call and every text for a console is wide, so the
// process code page never matters.
#include <windows.h>

#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/program.h"
#include "core/text_encoding.h"

int wmain(int argc, wchar_t** argv) {
  // DLLs only from the system folder, never from the current one.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(core::WideToUtf8(argv[i]));
  cli::HandleStream out(GetStdHandle(STD_OUTPUT_HANDLE));
  cli::HandleStream err(GetStdHandle(STD_ERROR_HANDLE));
  const int status = cli::RunProgram(args, cli::Streams{out, err});
  out.Flush();
  err.Flush();
  return status;
}
