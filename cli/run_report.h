#pragma once

#include <cstddef>
#include <string_view>

#include "cli/console.h"
#include "cli/progress.h"

namespace cli {

// What a run prints while it works: results on stdout, one line per failed path on stderr,
// and the progress line, kept apart so that none garbles another on a shared console. Counts
// the failed paths.
class RunReport {
 public:
  explicit RunReport(const Streams& streams, ProgressLine::Clock clock = {});
  ~RunReport();
  RunReport(const RunReport&) = delete;
  RunReport& operator=(const RunReport&) = delete;

  void Out(std::string_view text);
  // "fstamp: <path>: <reason>" on stderr; counts the path as failed.
  void Failed(std::string_view shown, std::string_view reason);
  // "fstamp: <message>" on stderr, for what is wrong with the command as a whole.
  void Error(std::string_view message);
  void Progress(std::size_t done, std::size_t total, std::string_view path) { progress_.Update(done, total, path); }
  // Clears the progress line and hands over everything written.
  void Finish();

  std::size_t failures() const { return failures_; }

 private:
  Streams streams_;
  ProgressLine progress_;
  std::size_t failures_ = 0;
};

}  // namespace cli
