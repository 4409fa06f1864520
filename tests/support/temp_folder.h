#pragma once

#include <cstdint>
#include <string>

namespace testing_support {

// A fresh folder under the temp directory, removed with everything in it (flags cleared
// first) when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // path() + "\\" + name
  std::string Child(const std::string& name) const;
  // Creates (or overwrites) a file with the given content; returns its full path.
  std::string MakeFile(const std::string& name, const std::string& content = "data") const;
  std::string MakeFolder(const std::string& name) const;
  // A sparse file of the given size, without writing its bytes.
  std::string MakeSparseFile(const std::string& name, std::uint64_t size) const;

 private:
  std::string path_;
};

// Removes a file or folder tree, clearing read-only/hidden/system flags on the way.
void RemoveTree(const std::string& path);

}  // namespace testing_support
