// libFuzzer target for the journal, both ways. Text: whatever ParseJournal accepts,
// FormatJournal writes back byte for byte, and that reads back to the same entries. Entries:
// whatever FormatJournal accepts reads back to the same entries, and it refuses only the
// paths it must (empty, or holding NUL, CR or LF).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/journal.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckText(std::string_view text) {
  const auto entries = cli::ParseJournal(text);
  if (!entries) {
    Check(!entries.error().empty());
    return;
  }
  const auto written = cli::FormatJournal(*entries);
  Check(written.has_value() && *written == text);
  const auto again = cli::ParseJournal(*written);
  Check(again.has_value() && *again == *entries);
}

// Entries cut from raw bytes: 8+8+8+4 bytes of numbers, then a path up to the next 0xFF.
std::vector<cli::JournalEntry> EntriesFrom(std::string_view bytes) {
  std::vector<cli::JournalEntry> entries;
  while (bytes.size() >= 28) {
    cli::JournalEntry entry;
    std::memcpy(&entry.creation, bytes.data(), 8);
    std::memcpy(&entry.access, bytes.data() + 8, 8);
    std::memcpy(&entry.modification, bytes.data() + 16, 8);
    std::memcpy(&entry.attributes, bytes.data() + 24, 4);
    bytes.remove_prefix(28);
    const std::size_t end = std::min(bytes.find('\xFF'), bytes.size());
    entry.path = std::string(bytes.substr(0, end));
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    entries.push_back(std::move(entry));
  }
  return entries;
}

void CheckEntries(std::string_view bytes) {
  const auto entries = EntriesFrom(bytes);
  bool writable = true;
  for (const auto& entry : entries) {
    writable =
        writable && !entry.path.empty() && entry.path.find_first_of(std::string_view("\0\r\n", 3)) == std::string::npos;
  }
  const auto written = cli::FormatJournal(entries);
  Check(written.has_value() == writable);
  if (!written) return;
  const auto again = cli::ParseJournal(*written);
  Check(again.has_value() && *again == entries);
}

}  // namespace

// The first byte picks the check. Text as it is; text behind a valid header; entry lines
// between a valid header and a matching "end" line, so the fuzzer spends its time on the
// entries rather than on finding the frame; or entries cut from raw bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string header = std::string(cli::kJournalHeader) + "\n";
  switch (data[0] & 3) {
    case 0:
      CheckText(rest);
      break;
    case 1:
      CheckText(header + std::string(rest));
      break;
    case 2: {
      const auto lines = static_cast<std::size_t>(std::count(rest.begin(), rest.end(), '\n'));
      CheckText(header + std::string(rest) + "end " + std::to_string(lines) + "\n");
      break;
    }
    default:
      CheckEntries(rest);
  }
  return 0;
}
