#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/history_store.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/temp_folder.h"

namespace testing_support {

// A history of the test's own while it lives: LOCALAPPDATA names a fresh temporary folder
// (the programs the test starts inherit it) and recording is on.
class TestHistory {
 public:
  std::vector<core::HistoryEntry> Entries() const { return core::ListHistory(core::HistoryFolder()); }

  // Creates the empty history folder (for a test that then locks it); returns its path.
  std::string MakeFolder() const {
    appData_.MakeFolder("FileStamp");
    appData_.MakeFolder("FileStamp\\history");
    return core::HistoryFolder();
  }

 private:
  TempFolder appData_;
  ScopedVariable localAppData_{L"LOCALAPPDATA", appData_.path()};
  ScopedVariable recording_{L"FILESTAMP_NO_HISTORY", std::nullopt};
};

}  // namespace testing_support
