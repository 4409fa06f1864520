#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/exact_stamp.h"
#include "core/folder_listing.h"

namespace cli {

// One path a command works on.
struct WalkItem {
  std::string shown;                // as given, or the folder as given joined with an entry's name
  std::wstring platform;            // the form the file calls get (see core::PlatformPath)
  core::PathState stamp;            // the path's record (see WalkOptions::freshReads)
  std::size_t root = 0;             // PathWalker::roots()[root] is the folder of the PATH it came from
  std::optional<DWORD> reparseTag;  // the kind of reparse point, as a listing gave it
};

struct WalkOptions {
  // Levels below each folder: 0 none, 1 its entries, and so on; kUnlimitedDepth every level.
  int depth = 0;
  // A folder comes after everything in it (set: its own times are written last, so stamping
  // its entries cannot disturb them), or before (show: a listing reads top-down).
  bool entriesFirst = false;
  // Every entry's record is read from the path itself, a folder's before it is listed;
  // otherwise an entry's record is the one its folder's listing returned. A PATH itself is
  // always read.
  bool freshReads = false;
  // Visit a path reached twice (by overlapping PATHs) only the first time.
  bool once = false;
  // End the walk early when a stop is requested (see StopRequested).
  bool stoppable = false;
};

// Expands PATHs and walks below them. A last path part holding '*' or '?' is matched against
// the names in its folder, in name order; entries below a folder come in name order too.
// Symbolic links, junctions and mount points (name-surrogate reparse points, and a reparse
// point whose kind cannot be read) are items themselves and never entered; other reparse
// folders, such as a cloud drive's placeholders, are walked like any folder.
class PathWalker {
 public:
  using Found = std::function<void(WalkItem&&)>;
  // A path that could not be read or listed, or a pattern that matched nothing, with the
  // reason in words.
  using Failed = std::function<void(const std::string& shown, const std::string& reason)>;

  PathWalker(const WalkOptions& options, Found found, Failed failed);

  // Walks one PATH as the user gave it.
  void Walk(const std::string& path);

  // The folders that hold the PATHs walked (in platform form, ending in '\'): everything
  // below one lies on the same volume, since no link is entered.
  const std::vector<std::wstring>& roots() const { return roots_; }

  // Whether the walk ended early on a stop request.
  bool stopped() const { return stopped_; }

  // Link folders that were not entered although the depth asked for their entries.
  std::size_t linksNotEntered() const { return linksNotEntered_; }

 private:
  void WalkPattern(const std::string& path);
  void Visit(WalkItem&& item, int levelsLeft);
  // The entry's stamp: from the listing, or read afresh (a failure is reported; false).
  bool TakeStamp(WalkItem& item, const core::FolderEntry& entry);

  WalkOptions options_;
  Found found_;
  Failed failed_;
  std::vector<std::wstring> roots_;
  std::unordered_set<std::wstring> seen_;
  std::size_t linksNotEntered_ = 0;
  bool stopped_ = false;
};

// The folder of a platform path, ending in '\' (a root is its own folder).
std::wstring FolderOf(const std::wstring& platformPath);

}  // namespace cli
