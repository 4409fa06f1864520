#include "cli/byte_source.h"

#include <algorithm>
#include <cstring>

namespace cli {
namespace {

constexpr std::size_t kMaxBytes = 1u << 20;
constexpr std::size_t kKeptBlocks = 8;

}  // namespace

std::size_t MemorySource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) {
  if (offset >= bytes_.size()) return 0;
  const std::size_t count = std::min<std::uint64_t>(into.size(), bytes_.size() - offset);
  std::memcpy(into.data(), bytes_.data() + offset, count);
  return count;
}

HeaderReader::HeaderReader(ByteSource& source, ReadBudget budget)
    : source_(source), size_(source.size()), budget_(budget) {}

bool HeaderReader::Fill(std::uint64_t offset, std::size_t count, std::uint8_t* into) {
  if (count > kMaxBytes || offset > size_ || count > size_ - offset) return false;
  while (count > 0) {
    const std::uint64_t start = offset - offset % kBlockSize;
    auto found = std::find_if(blocks_.begin(), blocks_.end(), [&](const Block& b) { return b.start == start; });
    if (found == blocks_.end()) {
      if (budget_.reads <= 0 || budget_.bytes < kBlockSize) return false;
      --budget_.reads;
      budget_.bytes -= kBlockSize;
      Block block;
      block.start = start;
      block.data.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, size_ - start)));
      if (source_.ReadAt(start, block.data) != block.data.size()) return false;
      if (blocks_.size() == kKeptBlocks) blocks_.erase(blocks_.begin());
      blocks_.push_back(std::move(block));
      found = blocks_.end() - 1;
    } else if (found != blocks_.end() - 1) {
      std::rotate(found, found + 1, blocks_.end());
      found = blocks_.end() - 1;
    }
    const std::size_t within = static_cast<std::size_t>(offset - start);
    const std::size_t take = std::min(count, found->data.size() - within);
    std::memcpy(into, found->data.data() + within, take);
    into += take;
    offset += take;
    count -= take;
  }
  return true;
}

std::optional<std::vector<std::uint8_t>> HeaderReader::Bytes(std::uint64_t offset, std::size_t count) {
  if (count > kMaxBytes) return std::nullopt;
  std::vector<std::uint8_t> bytes(count);
  if (!Fill(offset, count, bytes.data())) return std::nullopt;
  return bytes;
}

std::optional<std::uint8_t> HeaderReader::U8(std::uint64_t offset) {
  std::uint8_t byte = 0;
  if (!Fill(offset, 1, &byte)) return std::nullopt;
  return byte;
}

std::optional<std::uint16_t> HeaderReader::U16(std::uint64_t offset, bool bigEndian) {
  std::uint8_t b[2];
  if (!Fill(offset, 2, b)) return std::nullopt;
  return static_cast<std::uint16_t>(bigEndian ? (b[0] << 8) | b[1] : (b[1] << 8) | b[0]);
}

std::optional<std::uint32_t> HeaderReader::U32(std::uint64_t offset, bool bigEndian) {
  std::uint8_t b[4];
  if (!Fill(offset, 4, b)) return std::nullopt;
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = (value << 8) | b[bigEndian ? i : 3 - i];
  return value;
}

std::optional<std::uint64_t> HeaderReader::U64(std::uint64_t offset, bool bigEndian) {
  std::uint8_t b[8];
  if (!Fill(offset, 8, b)) return std::nullopt;
  std::uint64_t value = 0;
  for (int i = 0; i < 8; ++i) value = (value << 8) | b[bigEndian ? i : 7 - i];
  return value;
}

bool HeaderReader::Matches(std::uint64_t offset, std::string_view text) {
  if (text.size() > 64) return false;
  std::uint8_t b[64];
  if (!Fill(offset, text.size(), b)) return false;
  return std::memcmp(b, text.data(), text.size()) == 0;
}

}  // namespace cli
