#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "cli/console.h"

namespace cli {

// One line on a console that tells how far a long run has got: "fstamp: 1,234/10,000 <path>".
// Drawn only when the stream is a console and the run has lasted a second, redrawn at most
// ten times a second, cut to the console's width (so it never wraps), and cleared before
// other text and at the end. A redirected stream never gets it.
class ProgressLine {
 public:
  // Milliseconds from any fixed point.
  using Clock = std::function<std::uint64_t()>;

  static constexpr std::uint64_t kDelayMs = 1000;
  static constexpr std::uint64_t kIntervalMs = 100;

  explicit ProgressLine(TextStream& stream, Clock clock = {});
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // `done` paths of `total` are finished and `path` is the current one; total 0 means it is
  // not known yet (while paths are still being found).
  void Update(std::size_t done, std::size_t total, std::string_view path);
  // Takes the line away, if one is shown.
  void Clear();

 private:
  TextStream& stream_;
  Clock clock_;
  bool enabled_;
  std::uint64_t start_;
  std::uint64_t drawnAt_ = 0;
  std::size_t shownWidth_ = 0;  // columns the line takes now; 0: none shown
};

}  // namespace cli
