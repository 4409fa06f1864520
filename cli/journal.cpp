#include "cli/journal.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace cli {
namespace {

constexpr std::string_view kMagic = "fstamp-journal";
constexpr std::string_view kEndWord = "end ";

std::string LinePrefix(std::size_t lineNumber) { return "line " + std::to_string(lineNumber) + ": "; }

// A decimal number as FormatJournal writes it: digits only, no leading zero, fits 64 bits.
std::optional<std::uint64_t> ReadDecimal(std::string_view text) {
  if (text.empty() || (text.size() > 1 && text[0] == '0')) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<AttributeWord> ReadHexWord(std::string_view text) {
  if (text.size() != 8) return std::nullopt;
  AttributeWord value = 0;
  for (const char c : text) {
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    value = (value << 4) | static_cast<AttributeWord>(digit);
  }
  return value;
}

// Cuts the text up to the next blank off the front of `rest`.
std::optional<std::string_view> TakeField(std::string_view& rest) {
  const std::size_t blank = rest.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  const std::string_view field = rest.substr(0, blank);
  rest.remove_prefix(blank + 1);
  return field;
}

Result<JournalEntry> ParseEntry(std::string_view line, std::size_t lineNumber) {
  JournalEntry entry;
  std::string_view rest = line;
  std::uint64_t* const times[] = {&entry.creation, &entry.access, &entry.modification};
  static constexpr std::string_view kTimeNames[] = {"created", "accessed", "modified"};
  for (std::size_t i = 0; i < 3; ++i) {
    const auto field = TakeField(rest);
    const auto value = field ? ReadDecimal(*field) : std::nullopt;
    if (!value) {
      return Error{LinePrefix(lineNumber) + "the " + std::string(kTimeNames[i]) +
                   " time is not a plain decimal number of ticks"};
    }
    *times[i] = *value;
  }
  const auto field = TakeField(rest);
  const auto attributes = field ? ReadHexWord(*field) : std::nullopt;
  if (!attributes) return Error{LinePrefix(lineNumber) + "the attributes are not eight lowercase hex digits"};
  entry.attributes = *attributes;
  if (rest.empty()) return Error{LinePrefix(lineNumber) + "the path is missing"};
  entry.path = std::string(rest);
  return entry;
}

}  // namespace

Result<std::string> FormatJournal(const std::vector<JournalEntry>& entries) {
  std::string text(kJournalHeader);
  text += '\n';
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const JournalEntry& entry = entries[i];
    if (entry.path.empty()) return Error{"entry " + std::to_string(i + 1) + " has an empty path"};
    if (entry.path.find_first_of(std::string_view("\0\r\n", 3)) != std::string::npos) {
      return Error{"the path '" + entry.path.substr(0, entry.path.find_first_of(std::string_view("\0\r\n", 3))) +
                   "...' holds a line break or NUL and cannot be journaled"};
    }
    char attributes[16];
    std::snprintf(attributes, sizeof attributes, "%08x", static_cast<unsigned>(entry.attributes));
    text += std::to_string(entry.creation) + ' ' + std::to_string(entry.access) + ' ' +
            std::to_string(entry.modification) + ' ' + attributes + ' ' + entry.path + '\n';
  }
  text += std::string(kEndWord) + std::to_string(entries.size()) + '\n';
  return text;
}

Result<std::vector<JournalEntry>> ParseJournal(std::string_view text) {
  if (text.empty()) return Error{"the journal is empty"};
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
    return Error{"the journal holds a NUL byte (it is not a text file written by fstamp)"};
  }

  // Split into lines; the text must end with LF, since every line FormatJournal writes does.
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  const bool endsWithNewline = text.back() == '\n';

  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find('\r') != std::string_view::npos) {
      return Error{LinePrefix(i + 1) + "holds a carriage return (was the file converted to CRLF?)"};
    }
  }

  const std::string_view header = lines.front();
  if (header.substr(0, kMagic.size() + 1) != std::string(kMagic) + ' ') {
    return Error{"not an fstamp journal: the first line should be '" + std::string(kJournalHeader) + "'"};
  }
  if (header != kJournalHeader) {
    const std::string_view afterMagic = header.substr(kMagic.size() + 1);
    const std::string_view version = afterMagic.substr(0, afterMagic.find(' '));
    if (version != "1") {
      return Error{"journal version '" + std::string(version) + "' is not supported (this program reads version 1)"};
    }
    return Error{"line 1: damaged header (expected '" + std::string(kJournalHeader) + "')"};
  }

  std::vector<JournalEntry> entries;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::size_t lineNumber = i + 1;
    if (line.substr(0, kEndWord.size()) == kEndWord) {
      const auto count = ReadDecimal(line.substr(kEndWord.size()));
      if (!count) return Error{LinePrefix(lineNumber) + "the 'end' line does not give a plain count"};
      if (i + 1 != lines.size()) return Error{LinePrefix(lineNumber + 1) + "text after the 'end' line"};
      if (!endsWithNewline) return Error{"the journal is truncated: its last line has no line end"};
      if (*count != entries.size()) {
        return Error{"the journal is damaged: its 'end' line counts " + std::to_string(*count) + " entries, but " +
                     std::to_string(entries.size()) + " are present"};
      }
      return entries;
    }
    auto entry = ParseEntry(line, lineNumber);
    if (!entry) {
      // A cut-off last line is the usual reason a line breaks off; say so.
      if (i + 1 == lines.size() && !endsWithNewline) {
        return Error{"the journal is truncated: no 'end' line (" + entry.error() + ")"};
      }
      return Error{entry.error()};
    }
    entries.push_back(std::move(*entry));
  }
  return Error{"the journal is truncated: no 'end' line after " + std::to_string(entries.size()) + " entries"};
}

}  // namespace cli
