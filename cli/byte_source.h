#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace cli {

// Random reads from the start of a file whose contents are not trusted. The date readers see
// a file only through this, so every offset they follow is checked against its size and every
// read against a budget.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // The file's size in bytes.
  virtual std::uint64_t size() const = 0;
  // Reads up to into.size() bytes at offset; returns how many were read.
  virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) = 0;
};

// A file held in memory (tests, the fuzz targets, and a segment already read).
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override;

 private:
  std::span<const std::uint8_t> bytes_;
};

// What one reading of a file may cost: the bytes fetched and the pieces it asks for. A reader
// that runs out stops and finds nothing, so a crafted file cannot make it read forever.
struct ReadBudget {
  std::uint64_t bytes = 4u << 20;
  int reads = 2000;
};

// Wraps a source: reads ahead in blocks and keeps the last few, counts against a budget, and
// answers the little-endian / big-endian number reads the formats are made of.
class HeaderReader {
 public:
  static constexpr std::size_t kBlockSize = 64 * 1024;

  HeaderReader(ByteSource& source, ReadBudget budget = {});

  std::uint64_t size() const { return size_; }
  // Exactly count bytes at offset (count at most 1 MiB), or nothing.
  std::optional<std::vector<std::uint8_t>> Bytes(std::uint64_t offset, std::size_t count);
  std::optional<std::uint8_t> U8(std::uint64_t offset);
  std::optional<std::uint16_t> U16(std::uint64_t offset, bool bigEndian);
  std::optional<std::uint32_t> U32(std::uint64_t offset, bool bigEndian);
  std::optional<std::uint64_t> U64(std::uint64_t offset, bool bigEndian);
  // Whether the bytes at offset are `text`.
  bool Matches(std::uint64_t offset, std::string_view text);

 private:
  bool Fill(std::uint64_t offset, std::size_t count, std::uint8_t* into);

  struct Block {
    std::uint64_t start = 0;
    std::vector<std::uint8_t> data;
  };
  ByteSource& source_;
  std::uint64_t size_;
  ReadBudget budget_;
  std::vector<Block> blocks_;  // most recently used last
};

}  // namespace cli
