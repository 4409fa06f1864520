#include "cli/run_report.h"

#include <string>

#include "cli/path_text.h"

namespace cli {

RunReport::RunReport(const Streams& streams, ProgressLine::Clock clock)
    : streams_(streams), progress_(streams.err, std::move(clock)) {}

RunReport::~RunReport() { Finish(); }

void RunReport::Out(std::string_view text) {
  if (streams_.out.IsConsole()) progress_.Clear();
  streams_.out.Write(text);
}

void RunReport::Failed(std::string_view shown, std::string_view reason) {
  ++failures_;
  Error(PrintableLine(shown) + ": " + PrintableLine(reason));
}

void RunReport::Error(std::string_view message) {
  progress_.Clear();
  // What stdout holds so far comes first, as it happened first.
  streams_.out.Flush();
  streams_.err.Write("fstamp: " + std::string(message) + "\n");
  streams_.err.Flush();
}

void RunReport::Finish() {
  progress_.Clear();
  streams_.out.Flush();
  streams_.err.Flush();
}

}  // namespace cli
