#include "cli/media_date.h"

#include <string>

#include "cli/exif_date.h"

namespace cli {
namespace {

constexpr int kMaxSegments = 256;  // JPEG markers before the image data
constexpr int kMaxChunks = 4096;   // PNG and WebP chunks
constexpr int kMaxBoxes = 4096;    // ISO base media boxes on one level
constexpr std::uint32_t kMaxKeys = 4096;
constexpr std::size_t kMaxKeyText = 256;
constexpr std::string_view kCreationDateKey = "com.apple.quicktime.creationdate";

bool HasExifPrefix(HeaderReader& reader, std::uint64_t at) {
  return reader.Matches(at, std::string_view("Exif\0\0", 6));
}

std::optional<FoundDate> FromJpeg(HeaderReader& reader) {
  std::uint64_t pos = 2;
  for (int i = 0; i < kMaxSegments; ++i) {
    auto byte = reader.U8(pos);
    if (!byte || *byte != 0xFF) return std::nullopt;
    std::optional<std::uint8_t> marker;
    // Any number of 0xFF fill bytes may come before a marker (bounded by the budget).
    while ((marker = reader.U8(++pos)) && *marker == 0xFF) {
    }
    if (!marker) return std::nullopt;
    ++pos;
    if (*marker == 0xDA || *marker == 0xD9) return std::nullopt;  // image data or the end: no more headers
    if ((*marker >= 0xD0 && *marker <= 0xD7) || *marker == 0x01) continue;
    const auto length = reader.U16(pos, true);
    if (!length || *length < 2) return std::nullopt;
    if (*marker == 0xE1 && *length >= 8 && HasExifPrefix(reader, pos + 2)) {
      if (auto found = ReadExifDate(reader, pos + 8)) return found;
    }
    pos += *length;
  }
  return std::nullopt;
}

std::optional<FoundDate> FromPng(HeaderReader& reader) {
  std::uint64_t pos = 8;
  for (int i = 0; i < kMaxChunks; ++i) {
    const auto length = reader.U32(pos, true);
    if (!length || *length > 0x7FFFFFFFu) return std::nullopt;
    if (reader.Matches(pos + 4, "eXIf")) {
      const std::uint64_t data = pos + 8;
      return ReadExifDate(reader, HasExifPrefix(reader, data) ? data + 6 : data);
    }
    if (reader.Matches(pos + 4, "IEND")) return std::nullopt;
    pos += 12ull + *length;
  }
  return std::nullopt;
}

std::optional<FoundDate> FromWebp(HeaderReader& reader) {
  std::uint64_t pos = 12;
  for (int i = 0; i < kMaxChunks; ++i) {
    const auto length = reader.U32(pos + 4, false);
    if (!length) return std::nullopt;
    if (reader.Matches(pos, "EXIF")) {
      const std::uint64_t data = pos + 8;
      return ReadExifDate(reader, HasExifPrefix(reader, data) ? data + 6 : data);
    }
    pos += 8ull + *length + (*length & 1);  // chunks are padded to an even size
  }
  return std::nullopt;
}

// One box of the ISO base media file format: where its contents begin and end.
struct Box {
  std::string type;
  std::uint64_t start = 0;    // the box's first byte
  std::uint64_t payload = 0;  // after size and type (and a 64-bit size)
  std::uint64_t end = 0;
};

// The boxes between begin and end, one at a time; stops at the first that does not fit.
class BoxWalk {
 public:
  BoxWalk(HeaderReader& reader, std::uint64_t begin, std::uint64_t end) : reader_(reader), pos_(begin), end_(end) {}

  std::optional<Box> Next() {
    if (count_++ >= kMaxBoxes || pos_ >= end_ || end_ - pos_ < 8) return std::nullopt;
    const auto size32 = reader_.U32(pos_, true);
    const auto type = reader_.Bytes(pos_ + 4, 4);
    if (!size32 || !type) return std::nullopt;
    Box box;
    box.type.assign(type->begin(), type->end());
    box.start = pos_;
    box.payload = pos_ + 8;
    std::uint64_t size = *size32;
    if (size == 1) {
      const auto size64 = reader_.U64(pos_ + 8, true);
      if (!size64) return std::nullopt;
      size = *size64;
      box.payload += 8;
    } else if (size == 0) {
      size = end_ - pos_;  // the rest of its parent
    }
    if (size < box.payload - pos_ || size > end_ - pos_) return std::nullopt;
    box.end = pos_ + size;
    pos_ = box.end;  // sizes are at least the header: the walk always moves forward
    return box;
  }

  std::optional<Box> Find(std::string_view type) {
    while (auto box = Next()) {
      if (box->type == type) return box;
    }
    return std::nullopt;
  }

 private:
  HeaderReader& reader_;
  std::uint64_t pos_;
  std::uint64_t end_;
  int count_ = 0;
};

// An unsigned number of 0, 4 or 8 bytes (the field widths iloc declares).
std::optional<std::uint64_t> ReadSized(HeaderReader& reader, std::uint64_t& pos, unsigned width) {
  std::optional<std::uint64_t> value;
  if (width == 0) {
    value = 0;
  } else if (width == 4) {
    if (auto v = reader.U32(pos, true)) value = *v;
  } else if (width == 8) {
    value = reader.U64(pos, true);
  }
  pos += width;
  return value;
}

// The item id of the Exif item listed in iinf.
std::optional<std::uint32_t> FindExifItem(HeaderReader& reader, const Box& iinf) {
  const auto version = reader.U8(iinf.payload);
  if (!version) return std::nullopt;
  const std::uint64_t entries = iinf.payload + 4 + (*version == 0 ? 2 : 4);
  BoxWalk walk(reader, entries, iinf.end);
  while (auto infe = walk.Find("infe")) {
    const auto infeVersion = reader.U8(infe->payload);
    if (!infeVersion || *infeVersion < 2) continue;
    std::uint64_t pos = infe->payload + 4;
    std::optional<std::uint32_t> id;
    if (*infeVersion == 2) {
      if (auto v = reader.U16(pos, true)) id = *v;
      pos += 2;
    } else {
      id = reader.U32(pos, true);
      pos += 4;
    }
    if (id && reader.Matches(pos + 2, "Exif")) return id;
  }
  return std::nullopt;
}

// The file offset of the first extent of an item, by iloc (only items stored in the file itself).
std::optional<std::uint64_t> FindItemOffset(HeaderReader& reader, const Box& iloc, std::uint32_t item) {
  const auto version = reader.U8(iloc.payload);
  const auto sizes = reader.U16(iloc.payload + 4, true);
  if (!version || !sizes || *version > 2) return std::nullopt;
  const unsigned offsetSize = (*sizes >> 12) & 0xF, lengthSize = (*sizes >> 8) & 0xF;
  const unsigned baseSize = (*sizes >> 4) & 0xF, indexSize = *version >= 1 ? *sizes & 0xF : 0;
  std::uint64_t pos = iloc.payload + 6;
  std::optional<std::uint32_t> count;
  if (*version < 2) {
    if (auto v = reader.U16(pos, true)) count = *v;
    pos += 2;
  } else {
    count = reader.U32(pos, true);
    pos += 4;
  }
  if (!count) return std::nullopt;
  for (std::uint32_t i = 0; i < *count && i < kMaxBoxes && pos < iloc.end; ++i) {
    std::optional<std::uint32_t> id;
    if (*version < 2) {
      if (auto v = reader.U16(pos, true)) id = *v;
      pos += 2;
    } else {
      id = reader.U32(pos, true);
      pos += 4;
    }
    std::uint16_t method = 0;
    if (*version >= 1) {
      const auto m = reader.U16(pos, true);
      if (!m) return std::nullopt;
      method = *m & 0xF;
      pos += 2;
    }
    pos += 2;  // data_reference_index
    const auto base = ReadSized(reader, pos, baseSize);
    const auto extents = reader.U16(pos, true);
    pos += 2;
    if (!id || !base || !extents) return std::nullopt;
    std::optional<std::uint64_t> first;
    for (std::uint32_t e = 0; e < *extents && e < kMaxBoxes; ++e) {
      if (indexSize > 0 && !ReadSized(reader, pos, indexSize)) return std::nullopt;
      const auto offset = ReadSized(reader, pos, offsetSize);
      if (!ReadSized(reader, pos, lengthSize) || !offset) return std::nullopt;
      if (e == 0) first = *offset;
    }
    if (*id != item) continue;
    if (method != 0 || !first || *base > UINT64_MAX - *first) return std::nullopt;
    return *base + *first;
  }
  return std::nullopt;
}

std::optional<FoundDate> FromHeif(HeaderReader& reader, const Box& meta) {
  // meta is a full box: version and flags come before its children.
  BoxWalk iinfWalk(reader, meta.payload + 4, meta.end);
  const auto iinf = iinfWalk.Find("iinf");
  if (!iinf) return std::nullopt;
  const auto item = FindExifItem(reader, *iinf);
  if (!item) return std::nullopt;
  BoxWalk ilocWalk(reader, meta.payload + 4, meta.end);
  const auto iloc = ilocWalk.Find("iloc");
  if (!iloc) return std::nullopt;
  const auto offset = FindItemOffset(reader, *iloc, *item);
  if (!offset) return std::nullopt;
  // The item starts with the offset of the TIFF header past this field (usually past "Exif\0\0").
  const auto skip = reader.U32(*offset, true);
  if (!skip || *skip > 0xFFFF) return std::nullopt;
  return ReadExifDate(reader, *offset + 4 + *skip);
}

// The creationdate value from a QuickTime meta box (keys + ilst).
std::optional<FoundDate> FromKeys(HeaderReader& reader, const Box& meta) {
  // QuickTime's meta has no version field, the MP4 one has: tell them by where hdlr sits.
  const std::uint64_t children = reader.Matches(meta.payload + 4, "hdlr") ? meta.payload : meta.payload + 4;
  BoxWalk keysWalk(reader, children, meta.end);
  const auto keys = keysWalk.Find("keys");
  if (!keys) return std::nullopt;
  const auto count = reader.U32(keys->payload + 4, true);
  if (!count) return std::nullopt;
  std::uint64_t pos = keys->payload + 8;
  std::optional<std::uint32_t> index;
  for (std::uint32_t i = 1; i <= *count && i <= kMaxKeys && !index; ++i) {
    const auto size = reader.U32(pos, true);
    if (!size || *size < 8 || *size - 8 > kMaxKeyText || pos + *size > keys->end) return std::nullopt;
    if (*size - 8 == kCreationDateKey.size() && reader.Matches(pos + 8, kCreationDateKey)) index = i;
    pos += *size;
  }
  if (!index) return std::nullopt;
  BoxWalk ilstWalk(reader, children, meta.end);
  const auto ilst = ilstWalk.Find("ilst");
  if (!ilst) return std::nullopt;
  BoxWalk items(reader, ilst->payload, ilst->end);
  while (auto item = items.Next()) {
    const auto id = reader.U32(item->start + 4, true);
    if (!id || *id != *index) continue;
    BoxWalk dataWalk(reader, item->payload, item->end);
    const auto data = dataWalk.Find("data");
    if (!data || data->end - data->payload < 8 || data->end - data->payload - 8 > kMaxKeyText) return std::nullopt;
    const auto text = reader.Bytes(data->payload + 8, static_cast<std::size_t>(data->end - data->payload - 8));
    if (!text) return std::nullopt;
    auto found = ParseQuickTimeDate(std::string(text->begin(), text->end()));
    if (found) found->source = "QuickTime " + std::string(kCreationDateKey) + found->source;
    return found;
  }
  return std::nullopt;
}

// mvhd's creation time: seconds since 1904-01-01 UTC, 0 for none.
std::optional<FoundDate> FromMvhd(HeaderReader& reader, const Box& mvhd) {
  const auto version = reader.U8(mvhd.payload);
  if (!version) return std::nullopt;
  std::optional<std::uint64_t> seconds;
  if (*version == 1) {
    seconds = reader.U64(mvhd.payload + 4, true);
  } else if (auto v = reader.U32(mvhd.payload + 4, true)) {
    seconds = *v;
  }
  if (!seconds || *seconds == 0) return std::nullopt;
  const Ticks epoch = DaysFromCivil(1904, 1, 1) * kTicksPerDay;
  if (*seconds > static_cast<std::uint64_t>((kMaxTicks - epoch) / kTicksPerSecond)) return std::nullopt;
  return FoundDate{Instant{epoch + static_cast<Ticks>(*seconds) * kTicksPerSecond}, "QuickTime mvhd creation time"};
}

std::optional<FoundDate> FromMovie(HeaderReader& reader, const Box& moov) {
  std::optional<FoundDate> fromMvhd;
  BoxWalk walk(reader, moov.payload, moov.end);
  while (auto box = walk.Next()) {
    if (box->type == "mvhd" && !fromMvhd) {
      fromMvhd = FromMvhd(reader, *box);
    } else if (box->type == "meta") {
      if (auto found = FromKeys(reader, *box)) return found;
    } else if (box->type == "udta") {
      BoxWalk inner(reader, box->payload, box->end);
      if (const auto meta = inner.Find("meta")) {
        if (auto found = FromKeys(reader, *meta)) return found;
      }
    }
  }
  return fromMvhd;
}

bool IsBoxType(HeaderReader& reader, std::uint64_t at) {
  for (std::string_view type : {"ftyp", "moov", "mdat", "wide", "free", "skip", "pnot"}) {
    if (reader.Matches(at, type)) return true;
  }
  return false;
}

std::optional<FoundDate> FromBoxes(HeaderReader& reader) {
  BoxWalk walk(reader, 0, reader.size());
  while (auto box = walk.Next()) {
    if (box->type == "meta") return FromHeif(reader, *box);
    if (box->type == "moov") return FromMovie(reader, *box);
  }
  return std::nullopt;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<FoundDate> ParseQuickTimeDate(std::string_view text) {
  while (!text.empty() && (text.back() == '\0' || text.back() == ' ')) text.remove_suffix(1);
  // "+0200" at the end becomes "+02:00", the form ParseWhen reads.
  std::string normal(text);
  const std::size_t n = normal.size();
  if (n > 5 && (normal[n - 5] == '+' || normal[n - 5] == '-') && IsDigit(normal[n - 4]) && IsDigit(normal[n - 1])) {
    normal.insert(n - 2, ":");
  }
  if (normal.size() < 16 || normal[10] != 'T') return std::nullopt;
  auto when = ParseWhen(normal);
  if (!when) return std::nullopt;
  FoundDate found;
  if (const auto* local = std::get_if<LocalTime>(&*when)) {
    found.when = *local;
  } else if (const auto* instant = std::get_if<Instant>(&*when)) {
    found.when = *instant;
    const std::size_t sign = normal.find_last_of("+-Zz");
    if (sign != std::string::npos && sign > 10) found.source = " " + normal.substr(sign);
  } else {
    return std::nullopt;
  }
  return found;
}

std::optional<FoundDate> ReadMediaDate(ByteSource& source) {
  HeaderReader reader(source);
  if (reader.Matches(0, "\xFF\xD8")) return FromJpeg(reader);
  if (reader.Matches(0, "\x89PNG\r\n\x1A\n")) return FromPng(reader);
  if (reader.Matches(0, "RIFF") && reader.Matches(8, "WEBP")) return FromWebp(reader);
  if (reader.Matches(0, "II") || reader.Matches(0, "MM")) return ReadExifDate(reader, 0);
  if (IsBoxType(reader, 4)) return FromBoxes(reader);
  return std::nullopt;
}

}  // namespace cli
