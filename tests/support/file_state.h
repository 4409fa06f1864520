#pragma once

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "core/path_state.h"

namespace core {
// How a failing comparison prints a path's state.
std::ostream& operator<<(std::ostream& out, const PathState& state);
}  // namespace core

namespace testing_support {

// File-time helpers for tests, written against the wide Win32 calls with extended paths, so
// that they reach every path the program does.

// 100-ns ticks since 1601-01-01 UTC.
std::uint64_t Ticks(const FILETIME& time);
FILETIME FromTicks(std::uint64_t ticks);
// A UTC instant built from calendar fields, plus extra ticks for a sub-second part.
FILETIME UtcTime(int year, int month, int day, int hour, int minute, int second, std::uint64_t extraTicks = 0);

// UTF-8 path -> the wide, extended form the program's file calls use.
std::wstring WidePath(const std::string& path);

// A path's three times, attribute word and size, read here with the platform's own calls
// rather than the program's.
using core::PathState;

// Throws when the path cannot be read.
PathState ReadPathState(const std::string& path);

// Sets the times given (a null pointer leaves that one); throws on failure.
void SetPathTimes(const std::string& path, const FILETIME* creation, const FILETIME* access, const FILETIME* write);
void SetPathAttributes(const std::string& path, DWORD attributes);

}  // namespace testing_support
