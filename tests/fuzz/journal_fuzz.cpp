// libFuzzer target for the journal, both ways, in both versions. Text: whatever ParseJournal
// accepts, FormatJournal writes back byte for byte, and that reads back to the same journal.
// Entries: whatever FormatJournal accepts reads back to the same journal, and it refuses only
// the paths it must (empty, or holding NUL, CR or LF).
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
  const auto journal = cli::ParseJournal(text);
  if (!journal) {
    Check(!journal.error().empty());
    return;
  }
  const auto written = cli::FormatJournal(*journal);
  Check(written.has_value() && *written == text);
  const auto again = cli::ParseJournal(*written);
  Check(again.has_value() && *again == *journal);
}

template <typename T>
T Take(std::string_view& bytes) {
  T value{};
  std::memcpy(&value, bytes.data(), sizeof value);
  bytes.remove_prefix(sizeof value);
  return value;
}

// Entries cut from raw bytes: 8+8+8+4 bytes of the state before; in version 2 a byte whose
// low four bits say which parts were written, then 8+8+8+4 bytes of them; then a path up to
// the next 0xFF.
std::vector<cli::JournalEntry> EntriesFrom(int version, std::string_view bytes) {
  const std::size_t size = version == 1 ? 28 : 57;
  std::vector<cli::JournalEntry> entries;
  while (bytes.size() >= size) {
    cli::JournalEntry entry;
    entry.before.creation = Take<std::uint64_t>(bytes);
    entry.before.modification = Take<std::uint64_t>(bytes);
    entry.before.access = Take<std::uint64_t>(bytes);
    entry.before.attributes = Take<cli::AttributeWord>(bytes);
    if (version != 1) {
      const auto parts = Take<std::uint8_t>(bytes);
      cli::PlannedChange written;
      const auto creation = Take<std::uint64_t>(bytes), modification = Take<std::uint64_t>(bytes),
                 access = Take<std::uint64_t>(bytes);
      const auto flags = Take<cli::AttributeWord>(bytes);
      if (parts & 1) written.creation = creation;
      if (parts & 2) written.modification = modification;
      if (parts & 4) written.access = access;
      if (parts & 8) written.flags = flags;
      entry.written = written;
    }
    const std::size_t end = std::min(bytes.find('\xFF'), bytes.size());
    entry.path = std::string(bytes.substr(0, end));
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    entries.push_back(std::move(entry));
  }
  return entries;
}

void CheckEntries(int version, std::string_view bytes) {
  cli::Journal journal;
  journal.version = version;
  journal.entries = EntriesFrom(version, bytes);
  bool writable = true;
  for (const auto& entry : journal.entries) {
    writable =
        writable && !entry.path.empty() && entry.path.find_first_of(std::string_view("\0\r\n", 3)) == std::string::npos;
  }
  const auto written = cli::FormatJournal(journal);
  Check(written.has_value() == writable);
  if (!written) return;
  const auto again = cli::ParseJournal(*written);
  Check(again.has_value() && *again == journal);
}

}  // namespace

// The first byte picks the check and the version (bit 2). Text as it is; text behind a valid
// header; entry lines between a valid header and a matching "end" line, so the fuzzer spends
// its time on the entries rather than on finding the frame; or entries cut from raw bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const int version = (data[0] & 4) != 0 ? 1 : cli::kJournalVersion;
  const std::string header = std::string(version == 1 ? cli::kJournalHeaderV1 : cli::kJournalHeader) + "\n";
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
      CheckEntries(version, rest);
  }
  return 0;
}
