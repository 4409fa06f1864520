#include "core/journal.h"

#include <charconv>
#include <cstdio>

namespace core {
namespace {

constexpr std::string_view kMagic = "fstamp-journal";
constexpr std::string_view kEndWord = "end ";
constexpr std::string_view kByWord = "by ";
constexpr std::string_view kNotWritten = "-";
constexpr std::string_view kLineBreaks("\0\r\n", 3);

std::string LinePrefix(std::size_t lineNumber) { return "line " + std::to_string(lineNumber) + ": "; }

// A decimal number as FormatJournal writes it: digits only, no leading zero, fits 64 bits.
std::optional<std::uint64_t> ReadDecimal(std::string_view text) {
  if (text.empty() || (text.size() > 1 && text[0] == '0')) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::uint32_t> ReadHexWord(std::string_view text) {
  if (text.size() != 8) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : text) {
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  return value;
}

std::string HexWord(std::uint32_t word) {
  char text[16];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(word));
  return text;
}

// Cuts the text up to the next blank off the front of `rest`.
std::optional<std::string_view> TakeField(std::string_view& rest) {
  const std::size_t blank = rest.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  const std::string_view field = rest.substr(0, blank);
  rest.remove_prefix(blank + 1);
  return field;
}

// The fields of an entry line in the order of its version.
// Each has exactly one place to read into.
struct Field {
  std::string_view name;
  std::uint64_t* time = nullptr;                         // a time
  std::optional<std::uint64_t>* writtenTime = nullptr;   // a written time, or "-"
  std::uint32_t* word = nullptr;                         // the attribute word
  std::optional<std::uint32_t>* writtenFlags = nullptr;  // the written flags, or "-"
};

std::vector<Field> FieldsOf(int version, PathState& before, PathChange& written) {
  if (version == 1) {
    return {{"created", &before.creation},
            {"accessed", &before.access},
            {"modified", &before.modification},
            {"attributes", nullptr, nullptr, &before.attributes}};
  }
  return {{"created", &before.creation},
          {"modified", &before.modification},
          {"accessed", &before.access},
          {"attributes", nullptr, nullptr, &before.attributes},
          {"written created", nullptr, &written.creation},
          {"written modified", nullptr, &written.modification},
          {"written accessed", nullptr, &written.access},
          {"written flags", nullptr, nullptr, nullptr, &written.flags}};
}

// Reads one field into its place; false when the text is not in its exact form.
bool ReadField(const Field& field, std::string_view text) {
  const bool notWritten = text == kNotWritten;
  if (field.time || field.writtenTime) {
    const auto value = ReadDecimal(text);
    if (field.time && value) *field.time = *value;
    if (field.writtenTime && (value || notWritten)) *field.writtenTime = value;
    return value || (field.writtenTime && notWritten);
  }
  const auto value = ReadHexWord(text);
  if (field.word && value) *field.word = *value;
  if (field.writtenFlags && (value || notWritten)) *field.writtenFlags = value;
  return value || (field.writtenFlags && notWritten);
}

std::string FieldError(const Field& field) {
  const std::string orNotWritten = field.writtenTime || field.writtenFlags ? " or -" : "";
  if (field.time || field.writtenTime) {
    return "the " + std::string(field.name) + " time is not a plain decimal number of ticks" + orNotWritten;
  }
  return "the " + std::string(field.name) + " are not eight lowercase hex digits" + orNotWritten;
}

Result<JournalEntry> ParseEntry(int version, std::string_view line, std::size_t lineNumber) {
  JournalEntry entry;
  PathChange written;
  std::string_view rest = line;
  for (const Field& field : FieldsOf(version, entry.before, written)) {
    const auto text = TakeField(rest);
    if (!text || !ReadField(field, *text)) return Error{LinePrefix(lineNumber) + FieldError(field)};
  }
  if (rest.empty()) return Error{LinePrefix(lineNumber) + "the path is missing"};
  entry.path = std::string(rest);
  if (version >= 2) entry.written = written;
  return entry;
}

std::string EntryLine(int version, const JournalEntry& entry) {
  const PathState& before = entry.before;
  if (version == 1) {
    return std::to_string(before.creation) + ' ' + std::to_string(before.access) + ' ' +
           std::to_string(before.modification) + ' ' + HexWord(before.attributes) + ' ' + entry.path + '\n';
  }
  const auto time = [](const std::optional<std::uint64_t>& value) {
    return value ? std::to_string(*value) : std::string(kNotWritten);
  };
  const PathChange& written = *entry.written;
  return std::to_string(before.creation) + ' ' + std::to_string(before.modification) + ' ' +
         std::to_string(before.access) + ' ' + HexWord(before.attributes) + ' ' + time(written.creation) + ' ' +
         time(written.modification) + ' ' + time(written.access) + ' ' +
         (written.flags ? HexWord(*written.flags) : std::string(kNotWritten)) + ' ' + entry.path + '\n';
}

std::string_view HeaderOf(int version) { return version == 1 ? kJournalHeaderV1 : kJournalHeader; }

}  // namespace

Result<std::string> FormatJournal(const Journal& journal) {
  if (journal.version != 1 && journal.version != kJournalVersion) {
    return Error{"journal version " + std::to_string(journal.version) + " cannot be written"};
  }
  std::string text(HeaderOf(journal.version));
  text += '\n';
  if (journal.origin) {
    if (journal.version == 1) return Error{"a journal of version 1 has no 'by' line"};
    if (journal.origin->find_first_of(kLineBreaks) != std::string::npos) {
      return Error{"the 'by' line holds a line break or NUL"};
    }
    text += std::string(kByWord) + *journal.origin + '\n';
  }
  for (std::size_t i = 0; i < journal.entries.size(); ++i) {
    const JournalEntry& entry = journal.entries[i];
    if (entry.path.empty()) return Error{"entry " + std::to_string(i + 1) + " has an empty path"};
    if (const std::size_t cut = entry.path.find_first_of(kLineBreaks); cut != std::string::npos) {
      return Error{"the path '" + entry.path.substr(0, cut) + "...' holds a line break or NUL and cannot be journaled"};
    }
    if (entry.written.has_value() != (journal.version >= 2)) {
      return Error{
          "entry " + std::to_string(i + 1) +
          (entry.written ? " records what was written, which version 1 cannot" : " does not record what was written")};
    }
    text += EntryLine(journal.version, entry);
  }
  text += std::string(kEndWord) + std::to_string(journal.entries.size()) + '\n';
  return text;
}

Result<Journal> ParseJournal(std::string_view text) {
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
  Journal journal;
  const std::string_view afterMagic = header.substr(kMagic.size() + 1);
  const std::string_view version = afterMagic.substr(0, afterMagic.find(' '));
  if (version == "1" || version == "2") {
    journal.version = version[0] - '0';
  } else {
    return Error{"journal version '" + std::string(version) +
                 "' is not supported (this program reads versions 1 and 2)"};
  }
  if (header != HeaderOf(journal.version)) {
    return Error{"line 1: damaged header (expected '" + std::string(HeaderOf(journal.version)) + "')"};
  }

  std::size_t first = 1;
  if (journal.version >= 2 && lines.size() > 1 && lines[1].substr(0, kByWord.size()) == kByWord) {
    journal.origin = std::string(lines[1].substr(kByWord.size()));
    first = 2;
  }
  std::vector<JournalEntry>& entries = journal.entries;
  for (std::size_t i = first; i < lines.size(); ++i) {
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
      return journal;
    }
    auto entry = ParseEntry(journal.version, line, lineNumber);
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

}  // namespace core
