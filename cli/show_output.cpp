#include "cli/show_output.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "cli/text_width.h"
#include "core/digit_grouping.h"

namespace cli {
namespace {

constexpr std::array<std::string_view, 8> kTableTitles = {"Path",     "Size",       "Created", "Modified",
                                                          "Accessed", "Attributes", "Taken",   "Taken from"};
constexpr std::array<std::string_view, 9> kKeys = {"path",       "size",  "created",    "modified", "accessed",
                                                   "attributes", "taken", "taken_from", "error"};
// Columns without the two of --taken.
constexpr std::size_t kPlainColumns = 6;
constexpr std::string_view kColumnGap = "  ";

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Text safe to print on a terminal: control characters (C0, DEL, C1) become `replacement`,
// so an escape sequence in a file name cannot act on the console.
std::string ForTerminal(std::string_view text, char replacement) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    const char32_t c = NextCodePoint(text, pos);
    if (IsControl(c)) {
      out += replacement;
    } else {
      out.append(text.substr(start, pos - start));
    }
  }
  return out;
}

void TrimEnd(std::string& line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
}

std::string TableTime(const std::optional<LocalStamp>& stamp) {
  return stamp ? FormatShortTime(stamp->local) : std::string();
}

std::string IsoTime(const std::optional<LocalStamp>& stamp) {
  return stamp ? FormatIso8601(stamp->local, stamp->offset) : std::string();
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    const char32_t c = NextCodePoint(text, pos);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
          out += escape;
        } else if (c >= kStrayByteBase) {
          AppendUtf8(out, 0xFFFD);
        } else {
          out.append(text.substr(start, pos - start));
        }
    }
  }
  out += '"';
  return out;
}

std::string JsonTime(const std::optional<LocalStamp>& stamp) {
  return stamp ? JsonString(FormatIso8601(stamp->local, stamp->offset)) : "null";
}

}  // namespace

std::string FormatTable(const std::vector<ShowRow>& rows, bool withTaken) {
  const std::size_t columns = withTaken ? kTableTitles.size() : kPlainColumns;
  using Cells = std::array<std::string, kTableTitles.size()>;
  std::vector<Cells> cells;
  cells.reserve(rows.size());
  std::array<std::size_t, kTableTitles.size()> widths{};
  for (std::size_t c = 0; c < columns; ++c) widths[c] = DisplayWidth(kTableTitles[c]);

  for (const ShowRow& row : rows) {
    Cells& cell = cells.emplace_back();
    cell[0] = ForTerminal(row.path, '?');
    if (row.error) {
      cell[1] = "error: " + ForTerminal(*row.error, ' ');
      TrimEnd(cell[1]);
      widths[0] = std::max(widths[0], DisplayWidth(cell[0]));
      continue;  // the error spans the other columns, so it sets none of their widths
    }
    cell[1] = row.size ? core::GroupDigits(*row.size) : std::string();
    cell[2] = TableTime(row.creation);
    cell[3] = TableTime(row.modification);
    cell[4] = TableTime(row.access);
    cell[5] = row.attributes ? AttributeLetters(*row.attributes) : std::string();
    cell[6] = TableTime(row.taken);
    cell[7] = ForTerminal(row.takenSource, '?');
    for (std::size_t c = 0; c < columns; ++c) widths[c] = std::max(widths[c], DisplayWidth(cell[c]));
  }

  // Pads a cell to its column's width; sizes align right, everything else left.
  const auto fit = [&](std::string_view value, std::size_t column) {
    const std::size_t width = DisplayWidth(value);
    const std::string fill(widths[column] > width ? widths[column] - width : 0, ' ');
    return column == 1 ? fill + std::string(value) : std::string(value) + fill;
  };
  const auto appendLine = [&](std::string& out, const auto& line, bool spansError) {
    std::string text = fit(line[0], 0);
    if (spansError) {
      text += kColumnGap;
      text += line[1];
    } else {
      for (std::size_t c = 1; c < columns; ++c) text += std::string(kColumnGap) + fit(line[c], c);
    }
    TrimEnd(text);
    out += text;
    out += '\n';
  };

  std::string out;
  Cells titles;
  std::copy(kTableTitles.begin(), kTableTitles.end(), titles.begin());
  appendLine(out, titles, false);
  for (std::size_t r = 0; r < rows.size(); ++r) appendLine(out, cells[r], rows[r].error.has_value());
  return out;
}

// The keys in order, without taken and taken_from unless asked for.
std::vector<std::size_t> KeyIndexes(bool withTaken) {
  std::vector<std::size_t> keys;
  for (std::size_t k = 0; k < kKeys.size(); ++k) {
    if (withTaken || (kKeys[k] != "taken" && kKeys[k] != "taken_from")) keys.push_back(k);
  }
  return keys;
}

std::string FormatCsv(const std::vector<ShowRow>& rows, bool withTaken) {
  const std::vector<std::size_t> keys = KeyIndexes(withTaken);
  std::string out;
  for (std::size_t k = 0; k < keys.size(); ++k) {
    if (k > 0) out += ',';
    out += kKeys[keys[k]];
  }
  out += "\r\n";
  for (const ShowRow& row : rows) {
    const std::array<std::string, kKeys.size()> fields = {
        CsvField(row.path),
        row.size ? std::to_string(*row.size) : std::string(),
        IsoTime(row.creation),
        IsoTime(row.modification),
        IsoTime(row.access),
        row.attributes ? AttributeLetters(*row.attributes) : std::string(),
        IsoTime(row.taken),
        CsvField(row.takenSource),
        row.error ? CsvField(*row.error) : std::string(),
    };
    for (std::size_t k = 0; k < keys.size(); ++k) {
      if (k > 0) out += ',';
      out += fields[keys[k]];
    }
    out += "\r\n";
  }
  return out;
}

std::string FormatJson(const std::vector<ShowRow>& rows, bool withTaken) {
  if (rows.empty()) return "[]\n";
  const std::vector<std::size_t> keys = KeyIndexes(withTaken);
  std::string out = "[\n";
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const ShowRow& row = rows[r];
    const std::array<std::string, kKeys.size()> values = {
        JsonString(row.path),
        row.size ? std::to_string(*row.size) : "null",
        JsonTime(row.creation),
        JsonTime(row.modification),
        JsonTime(row.access),
        row.attributes ? JsonString(AttributeLetters(*row.attributes)) : "null",
        JsonTime(row.taken),
        row.takenSource.empty() ? "null" : JsonString(row.takenSource),
        row.error ? JsonString(*row.error) : "null",
    };
    out += "  {";
    for (std::size_t k = 0; k < keys.size(); ++k) {
      if (k > 0) out += ", ";
      out += '"';
      out += kKeys[keys[k]];
      out += "\": ";
      out += values[keys[k]];
    }
    out += r + 1 < rows.size() ? "},\n" : "}\n";
  }
  out += "]\n";
  return out;
}

}  // namespace cli
