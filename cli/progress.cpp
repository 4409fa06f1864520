#include "cli/progress.h"

#include <windows.h>

#include <string>
#include <vector>

#include "cli/path_text.h"
#include "cli/text_width.h"
#include "core/digit_grouping.h"

namespace cli {
namespace {

// The end of the text that fits in `columns`, with "..." in front when something was cut.
std::string TailThatFits(std::string_view text, std::size_t columns) {
  if (DisplayWidth(text) <= columns) return std::string(text);
  if (columns <= 3) return std::string(columns, '.');
  std::vector<std::pair<std::size_t, int>> points;  // byte offset and width of each code point
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    points.emplace_back(start, CodePointWidth(NextCodePoint(text, pos)));
  }
  std::size_t used = 0;
  std::size_t cut = text.size();
  for (auto point = points.rbegin(); point != points.rend(); ++point) {
    if (used + static_cast<std::size_t>(point->second) > columns - 3) break;
    used += static_cast<std::size_t>(point->second);
    cut = point->first;
  }
  return "..." + std::string(text.substr(cut));
}

}  // namespace

ProgressLine::ProgressLine(TextStream& stream, Clock clock)
    : stream_(stream),
      clock_(clock ? std::move(clock) : Clock([] { return static_cast<std::uint64_t>(GetTickCount64()); })),
      enabled_(stream.IsConsole()),
      start_(enabled_ ? clock_() : 0) {}

ProgressLine::~ProgressLine() { Clear(); }

void ProgressLine::Update(std::size_t done, std::size_t total, std::string_view path) {
  if (!enabled_) return;
  const std::uint64_t now = clock_();
  if (now - start_ < kDelayMs) return;
  if (shownWidth_ > 0 && now - drawnAt_ < kIntervalMs) return;
  drawnAt_ = now;

  std::string line = total > 0 ? "fstamp: " + core::GroupDigits(done) + "/" + core::GroupDigits(total) + " "
                               : "fstamp: reading, " + core::GroupDigits(done) + " found ";
  // One column short of the width: a line that fills the last column wraps on some consoles.
  const auto columns = static_cast<std::size_t>(stream_.Columns() > 1 ? stream_.Columns() - 1 : 1);
  const std::size_t prefixWidth = DisplayWidth(line);
  line += prefixWidth < columns ? TailThatFits(PrintableLine(path), columns - prefixWidth) : std::string();
  const std::size_t width = DisplayWidth(line);
  // Blanks over the rest of a longer line drawn before.
  const std::string padding(shownWidth_ > width ? shownWidth_ - width : 0, ' ');
  stream_.Write("\r" + line + padding);
  shownWidth_ = width + padding.size();
}

void ProgressLine::Clear() {
  if (shownWidth_ == 0) return;
  std::string blank(shownWidth_ + 2, ' ');
  blank.front() = blank.back() = '\r';
  stream_.Write(blank);
  shownWidth_ = 0;
}

}  // namespace cli
