#include "core/folder_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace core {
namespace {

using testing_support::TempFolder;

struct Listing {
  DWORD error;
  std::vector<std::string> names;
};

Listing List(const std::string& folder) {
  Listing listing{};
  listing.error = ListFolder(folder, [&](const FolderEntry& entry) { listing.names.push_back(entry.name); });
  std::sort(listing.names.begin(), listing.names.end());
  return listing;
}

// A walk takes 0 for "listed": only a folder that is there may give it, an empty one too.
TEST(FolderListing, OnlyAFolderThatIsThereListsEvenWhenEmpty) {
  TempFolder dir;
  dir.MakeFolder("empty");
  dir.MakeFolder("full");
  dir.MakeFile("full\\one.txt");
  dir.MakeFolder("full\\two");
  dir.MakeFile("file.txt");
  const struct {
    std::string path;
    bool listed;
    std::vector<std::string> names;
  } cases[] = {
      {dir.Child("empty"), true, {}},
      {dir.Child("full"), true, {"one.txt", "two"}},
      {dir.Child("full") + "\\", true, {"one.txt", "two"}},
      {dir.Child("missing"), false, {}},
      {dir.Child("missing\\deeper"), false, {}},
      {dir.Child("file.txt"), false, {}},
      {"", false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const Listing listing = List(c.path);
    EXPECT_EQ(listing.error == 0, c.listed) << listing.error;
    EXPECT_EQ(listing.names, c.names);
  }
}

}  // namespace
}  // namespace core
