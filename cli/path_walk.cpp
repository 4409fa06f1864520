#include "cli/path_walk.h"

#include <algorithm>

#include "cli/arguments.h"
#include "cli/drive_relative.h"
#include "cli/path_text.h"
#include "cli/stop_request.h"
#include "cli/wildcard.h"
#include "core/file_api.h"
#include "core/folder_listing.h"
#include "core/system_error.h"
#include "core/text_encoding.h"

namespace cli {
namespace {

bool IsFolder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
// A reparse point that names another place; one whose kind is unknown counts as one.
bool IsLink(const WalkItem& item) {
  if ((item.stamp.attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return false;
  return !item.reparseTag || IsReparseTagNameSurrogate(*item.reparseTag);
}

std::wstring Child(const std::wstring& folder, const std::string& name) {
  std::wstring path = folder;
  if (path.empty() || path.back() != L'\\') path += L'\\';
  path += core::Utf8ToWide(name);
  return path;
}

// The folder's entries in name order, or the system's error.
DWORD ListSorted(const std::wstring& folder, std::vector<core::FolderEntry>& entries) {
  const DWORD error =
      core::ListFolder(core::WideToUtf8(folder), [&](const core::FolderEntry& entry) { entries.push_back(entry); });
  std::sort(entries.begin(), entries.end(),
            [](const core::FolderEntry& a, const core::FolderEntry& b) { return NameLess(a.name, b.name); });
  return error;
}

}  // namespace

std::wstring FolderOf(const std::wstring& platformPath) {
  if (!platformPath.empty() && platformPath.back() == L'\\') return platformPath;
  const std::size_t cut = platformPath.find_last_of(L'\\');
  return cut == std::wstring::npos ? platformPath : platformPath.substr(0, cut + 1);
}

PathWalker::PathWalker(const WalkOptions& options, Found found, Failed failed)
    : options_(options), found_(std::move(found)), failed_(std::move(failed)) {}

void PathWalker::Walk(const std::string& path) {
  if (HasWildcard(SplitLastPart(path).lastPart)) {
    WalkPattern(path);
    return;
  }
  WalkItem item;
  item.shown = path;
  item.platform = core::PlatformPath(WithDriveFolder(path));
  const core::ExactRead read = core::ReadExactStampAt(item.platform);
  if (!read.stamp) {
    failed_(path, core::SystemErrorText(read.error));
    return;
  }
  item.stamp = *read.stamp;
  if ((item.stamp.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
    item.reparseTag = core::ReadReparseTag(item.platform);
  roots_.push_back(FolderOf(item.platform));
  item.root = roots_.size() - 1;
  Visit(std::move(item), options_.depth);
}

void PathWalker::WalkPattern(const std::string& path) {
  const PathParts parts = SplitLastPart(path);
  // "*.txt" lists the current folder; "C:*.txt" the current folder of drive C.
  const std::wstring folder =
      core::PlatformPath(parts.folder.empty() ? std::string(".") : WithDriveFolder(std::string(parts.folder)));
  std::vector<core::FolderEntry> entries;
  if (const DWORD error = ListSorted(folder, entries)) {
    failed_(path, core::SystemErrorText(error));
    return;
  }
  roots_.push_back(!folder.empty() && folder.back() == L'\\' ? folder : folder + L'\\');
  const std::size_t root = roots_.size() - 1;
  bool matched = false;
  for (const core::FolderEntry& entry : entries) {
    if (!MatchesWildcard(entry.name, parts.lastPart)) continue;
    matched = true;
    WalkItem item;
    item.shown = std::string(parts.folder) + entry.name;
    item.platform = Child(folder, entry.name);
    item.root = root;
    if (!TakeStamp(item, entry)) continue;
    Visit(std::move(item), options_.depth);
  }
  if (!matched) failed_(path, "no file or folder matches");
}

bool PathWalker::TakeStamp(WalkItem& item, const core::FolderEntry& entry) {
  item.reparseTag = entry.reparseTag;
  if (!options_.freshReads) {
    item.stamp = entry.state;
    return true;
  }
  const core::ExactRead read = core::ReadExactStampAt(item.platform);
  if (!read.stamp) {
    failed_(item.shown, core::SystemErrorText(read.error));
    return false;
  }
  item.stamp = *read.stamp;
  return true;
}

void PathWalker::Visit(WalkItem&& item, int levelsLeft) {
  if (options_.stoppable && StopRequested()) {
    stopped_ = true;
    return;
  }
  if (options_.once && !seen_.insert(item.platform).second) return;
  const bool isFolder = IsFolder(item.stamp.attributes), isLink = IsLink(item);
  if (!isFolder || isLink || levelsLeft == 0) {
    if (isFolder && isLink && levelsLeft != 0) ++linksNotEntered_;
    found_(std::move(item));
    return;
  }
  const std::wstring folder = item.platform;
  const std::string shown = item.shown;
  const std::size_t root = item.root;
  if (!options_.entriesFirst) found_(std::move(item));

  std::vector<core::FolderEntry> entries;
  if (const DWORD error = ListSorted(folder, entries)) {
    failed_(shown, "cannot list its entries: " + core::SystemErrorText(error));
    return;
  }
  const int below = levelsLeft == kUnlimitedDepth ? kUnlimitedDepth : levelsLeft - 1;
  for (const core::FolderEntry& entry : entries) {
    WalkItem child;
    child.shown = JoinPath(shown, entry.name);
    child.platform = Child(folder, entry.name);
    child.root = root;
    if (!TakeStamp(child, entry)) continue;
    Visit(std::move(child), below);
  }
  entries.clear();
  if (options_.entriesFirst) found_(std::move(item));
}

}  // namespace cli
