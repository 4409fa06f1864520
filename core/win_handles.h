#pragma once

#include <windows.h>

#include "core/unique_resource.h"

namespace core {

struct FileHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }  // what CreateFileA fails with
  static void Close(Type h) noexcept { ::CloseHandle(h); }
};
struct FindHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }  // what FindFirstFileA fails with
  static void Close(Type h) noexcept { ::FindClose(h); }
};
// Handles whose failure value is null (process handles, events).
struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ::CloseHandle(h); }
};

using UniqueFileHandle = UniqueResource<FileHandleTraits>;
using UniqueFindHandle = UniqueResource<FindHandleTraits>;
using UniqueKernelHandle = UniqueResource<KernelHandleTraits>;

}  // namespace core
