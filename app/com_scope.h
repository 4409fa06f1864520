#pragma once

#include <objbase.h>
#include <ole2.h>

namespace app {

// COM for the duration of one piece of shell work; uninitialised only if it succeeded
// (S_FALSE, already initialised on this thread, counts as success and still needs the pair).
// Header-only: fstamp.exe, which links nothing of app/, uses it too.
class ComScope {
 public:
  ComScope() noexcept : hr_(CoInitialize(nullptr)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  bool ok() const noexcept { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};

// OLE for the life of the UI thread: drag and drop needs OLE, not just COM.
class OleScope {
 public:
  OleScope() noexcept : hr_(OleInitialize(nullptr)) {}
  ~OleScope() {
    if (SUCCEEDED(hr_)) OleUninitialize();
  }
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;

 private:
  HRESULT hr_;
};

}  // namespace app
