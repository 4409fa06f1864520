#pragma once

#include <cstdint>

namespace core {

// A path's attribute word, with the platform's own bit values.
using AttributeSet = std::int32_t;

inline constexpr AttributeSet kReadOnly = 0x01;
inline constexpr AttributeSet kHidden = 0x02;
inline constexpr AttributeSet kSystem = 0x04;
inline constexpr AttributeSet kDirectory = 0x10;  // reported by reads, never written
inline constexpr AttributeSet kArchive = 0x20;

// Reads keep the four flags and the directory bit; writes only the four flags.
inline constexpr AttributeSet kReadMask = 0x37;
inline constexpr AttributeSet kWriteMask = 0x27;

// Handed to ApplyFileStamp: leave the flags as they are. Returned by ReadAttributes: the
// query failed.
inline constexpr AttributeSet KeepAttributes = -1;

}  // namespace core
