// set, undo and show run in this process through the FileApi seam, for what real files here
// cannot show: other file systems, the order of the calls, links, failing calls.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "cli/program.h"
#include "cli/stop_request.h"
#include "core/system_error.h"
#include "tests/cli/captured_stream.h"
#include "tests/support/file_state.h"
#include "tests/support/hooked_file_api.h"
#include "tests/support/recording_file_api.h"
#include "tests/support/temp_folder.h"

namespace cli {
namespace {

using testing_support::CapturedStream;
using testing_support::PlatformForm;
using testing_support::ReadPathState;
using testing_support::RecordingFileApi;
using testing_support::TempFolder;
using Op = RecordingFileApi::Op;

struct InProcessRun {
  int status = 0;
  std::string out;
  std::string err;
};

InProcessRun RunHere(const std::vector<std::string>& args) {
  CapturedStream out, err;
  InProcessRun run;
  run.status = RunProgram(args, Streams{out, err});
  run.out = out.text;
  run.err = err.text;
  return run;
}

std::vector<std::string> PathsOf(const RecordingFileApi& api, Op op) {
  std::vector<std::string> paths;
  for (const auto& call : api.CallsOf(op)) paths.push_back(call.path);
  return paths;
}

std::size_t FirstIndexOf(const std::vector<Op>& ops, Op op) {
  return static_cast<std::size_t>(std::find(ops.begin(), ops.end(), op) - ops.begin());
}

// top\a.txt, top\sub\b.txt, top\Z.txt: two levels, names in mixed case.
struct SmallTree {
  TempFolder folder;
  std::string top = folder.MakeFolder("top");
  std::string sub = folder.MakeFolder("top\\sub");
  std::string a = folder.MakeFile("top\\a.txt");
  std::string b = folder.MakeFile("top\\sub\\b.txt");
  std::string z = folder.MakeFile("top\\Z.txt");
};

// A volume that keeps modification times in 2-second steps, as FAT does, and names its file
// system as asked.
class RoundingVolume : public RecordingFileApi {
 public:
  explicit RoundingVolume(const wchar_t* fileSystem) { AnswerFileSystemName(fileSystem); }
  BOOL SetBasicInfo(HANDLE file, const FILE_BASIC_INFO& info) override {
    FILE_BASIC_INFO rounded = info;
    rounded.LastWriteTime.QuadPart -= info.LastWriteTime.QuadPart % 20'000'000;
    return RecordingFileApi::SetBasicInfo(file, rounded);
  }
};

TEST(SetVerification, TheVolumesFileSystemDecidesOnceWhetherARoundedTimeWasKept) {
  const struct {
    const wchar_t* fileSystem;
    int status;
  } cases[] = {{L"FAT32", kExitDone}, {L"FAT", kExitDone}, {L"exFAT", kExitFailed}, {L"NTFS", kExitFailed},
               {L"", kExitFailed}};
  for (const auto& c : cases) {
    SmallTree tree;
    RoundingVolume volume(c.fileSystem);

    const InProcessRun run = RunHere({"set", "-m", "2021-01-01T00:00:01.5Z", "-r", tree.top});

    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.err.find("not kept by the file system: modified") != std::string::npos, c.status != kExitDone)
        << run.err;
    EXPECT_EQ(volume.CallsOf(Op::QueryFileSystemName).size(), 1u);  // once for the whole tree
  }
}

TEST(SetOrder, EntriesAreWrittenBeforeTheirFolderInNameOrder) {
  SmallTree tree;
  RecordingFileApi api;

  const InProcessRun run = RunHere({"set", "-m", "2020-01-01T00:00:00Z", "-r", tree.top});

  EXPECT_EQ(run.status, kExitDone) << run.err;
  EXPECT_EQ(PathsOf(api, Op::SetBasicInfo), (std::vector<std::string>{PlatformForm(tree.a), PlatformForm(tree.b),
                                                                   PlatformForm(tree.sub), PlatformForm(tree.z),
                                                                   PlatformForm(tree.top)}));
}

TEST(SetOrder, PathsReachedTwiceAreStampedOnce) {
  SmallTree tree;
  RecordingFileApi api;

  const InProcessRun run = RunHere({"set", "-m", "2020-01-01T00:00:00Z", "-r", tree.sub, tree.top, tree.b});

  EXPECT_EQ(run.out, "5 stamped, 0 failed\n");
  const auto written = PathsOf(api, Op::SetBasicInfo);
  EXPECT_EQ(std::count(written.begin(), written.end(), PlatformForm(tree.b)), 1);
}

// Marks every entry named "link", "junction" or "cloud" as a reparse point of that kind: a
// symbolic link, a junction, a cloud drive's placeholder folder.
class LinkMarkingApi : public RecordingFileApi {
 public:
  HANDLE FindFirst(const wchar_t* pattern, WIN32_FIND_DATAW* data) override {
    const HANDLE search = RecordingFileApi::FindFirst(pattern, data);
    if (search != INVALID_HANDLE_VALUE) Mark(*data);
    return search;
  }
  BOOL FindNext(HANDLE search, WIN32_FIND_DATAW* data) override {
    const BOOL found = RecordingFileApi::FindNext(search, data);
    if (found) Mark(*data);
    return found;
  }
  BOOL QueryAttributes(const wchar_t* path, WIN32_FILE_ATTRIBUTE_DATA* data) override {
    const BOOL found = RecordingFileApi::QueryAttributes(path, data);
    const wchar_t* name = std::wcsrchr(path, L'\\');
    if (found && name && TagOf(name + 1)) data->dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    return found;
  }

 private:
  static std::optional<DWORD> TagOf(const wchar_t* name) {
    if (std::wcscmp(name, L"link") == 0) return IO_REPARSE_TAG_SYMLINK;
    if (std::wcscmp(name, L"junction") == 0) return IO_REPARSE_TAG_MOUNT_POINT;
    if (std::wcscmp(name, L"cloud") == 0) return IO_REPARSE_TAG_CLOUD_6;
    return std::nullopt;
  }
  static void Mark(WIN32_FIND_DATAW& data) {
    if (const auto tag = TagOf(data.cFileName)) {
      data.dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
      data.dwReserved0 = *tag;
    }
  }
};

TEST(SetOrder, ALinkIsStampedItselfAndNeverEntered) {
  TempFolder folder;
  const std::string top = folder.MakeFolder("top");
  const std::string link = folder.MakeFolder("top\\link");
  const std::string inside = folder.MakeFile("top\\link\\inside.txt");
  LinkMarkingApi api;

  const InProcessRun run = RunHere({"set", "-m", "2020-01-01T00:00:00Z", "-r", top});

  EXPECT_EQ(run.status, kExitDone) << run.err;
  EXPECT_EQ(PathsOf(api, Op::SetBasicInfo), (std::vector<std::string>{PlatformForm(link), PlatformForm(top)}));
  for (const std::string& pattern : PathsOf(api, Op::FindFirst)) {
    EXPECT_EQ(pattern.find(PlatformForm(link)), std::string::npos) << pattern;
  }
}

TEST(SetOrder, ACloudFolderIsWalkedWhileAJunctionIsStampedItselfAndCounted) {
  TempFolder folder;
  const std::string top = folder.MakeFolder("top");
  const std::string cloud = folder.MakeFolder("top\\cloud"), junction = folder.MakeFolder("top\\junction");
  const std::string inCloud = folder.MakeFile("top\\cloud\\a.txt"),
                    inJunction = folder.MakeFile("top\\junction\\a.txt");
  const auto untouched = ReadPathState(inJunction);
  LinkMarkingApi api;

  const InProcessRun run = RunHere({"set", "-m", "2020-01-01T00:00:00Z", "-r", top});
  const InProcessRun given = RunHere({"set", "-a", "2020-01-01T00:00:00Z", "-r", cloud, junction});

  EXPECT_EQ(run.status, kExitDone) << run.err;
  EXPECT_EQ(given.status, kExitDone) << given.err;
  const std::uint64_t written = testing_support::Ticks(testing_support::UtcTime(2020, 1, 1, 0, 0, 0));
  for (const std::string& path : {top, cloud, inCloud, junction}) EXPECT_EQ(ReadPathState(path).modification, written) << path;
  EXPECT_EQ(ReadPathState(inCloud).access, written);
  EXPECT_EQ(ReadPathState(inJunction), untouched);
  EXPECT_EQ(run.out, "4 stamped, 0 failed, 1 link not entered\n");
}

TEST(SetFailures, AFolderThatCannotBeListedFailsAndIsLeftWhileTheRestIsDone) {
  SmallTree tree;
  RecordingFileApi api;
  api.Fail(Op::FindFirst, 2);  // the first is top, the second sub

  const InProcessRun run = RunHere({"set", "-m", "2020-01-01T00:00:00Z", "-r", tree.top});

  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_EQ(run.err,
            "fstamp: " + tree.sub + ": cannot list its entries: " + core::SystemErrorText(ERROR_ACCESS_DENIED) + "\n");
  EXPECT_EQ(PathsOf(api, Op::SetBasicInfo),
            (std::vector<std::string>{PlatformForm(tree.a), PlatformForm(tree.z), PlatformForm(tree.top)}));
  EXPECT_EQ(run.out, "3 stamped, 1 failed\n");
}

// Clears a stop request a test raised, however the test ends.
struct StopRequestCleared {
  ~StopRequestCleared() { ClearStopRequest(); }
};

TEST(SetStop, AStopEndsTheRunAfterThePathInHandAndTheJournalUndoesExactlyWhatWasDone) {
  SmallTree tree;
  const std::vector<std::string> paths = {tree.a, tree.b, tree.sub, tree.z, tree.top};  // the order of writing
  std::vector<testing_support::PathState> before;
  for (const std::string& path : paths) before.push_back(ReadPathState(path));
  const std::string journal = tree.folder.Child("j.journal");
  InProcessRun run;
  {
    const StopRequestCleared cleared;
    testing_support::HookedFileApi api([&](const std::string& path) {
      if (path == PlatformForm(tree.b)) RequestStop();  // as Ctrl+C would, while b is in hand
    });
    run = RunHere({"set", "-m", "2020-01-01T00:00:00Z", "-r", "--journal", journal, tree.top});
  }

  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_EQ(run.out, "2 stamped, 0 failed\n");
  const std::uint64_t written = testing_support::Ticks(testing_support::UtcTime(2020, 1, 1, 0, 0, 0));
  for (std::size_t i = 0; i < paths.size(); ++i) {
    EXPECT_EQ(ReadPathState(paths[i]).modification == written, i < 2) << paths[i];
  }
  const InProcessRun undo = RunHere({"undo", journal});
  EXPECT_EQ(undo.status, kExitDone) << undo.err;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    // (Listing a folder here moves its access time, which set never wrote.)
    EXPECT_EQ(ReadPathState(paths[i]).modification, before[i].modification) << paths[i];
    EXPECT_EQ(ReadPathState(paths[i]).attributes, before[i].attributes) << paths[i];
  }
}

TEST(SetJournal, TheJournalReachesTheDiskBeforeTheFirstChange) {
  TempFolder folder;
  const std::string path = folder.MakeFile("a.txt");
  RecordingFileApi api;

  const InProcessRun run =
      RunHere({"set", "--attrib", "+H", "-m", "now", "--journal", folder.Child("j.journal"), path});

  EXPECT_EQ(run.status, kExitDone) << run.err;
  const std::vector<Op> ops = api.Ops();
  const std::size_t flushed = FirstIndexOf(ops, Op::FlushFile);
  ASSERT_LT(flushed, ops.size());
  EXPECT_LT(FirstIndexOf(ops, Op::WriteBytes), flushed);
  EXPECT_LT(flushed, FirstIndexOf(ops, Op::SetBasicInfo));
}

TEST(SetJournal, AJournalThatCannotBeWrittenStopsBeforeAnyChange) {
  TempFolder folder;
  const std::string path = folder.MakeFile("a.txt");
  const auto before = ReadPathState(path);
  RecordingFileApi api;
  api.Fail(Op::WriteBytes);

  const InProcessRun run = RunHere({"set", "-m", "2020-01-01T00:00:00Z", "--journal", folder.Child("j.journal"), path});

  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_EQ(run.err, "fstamp: --journal '" + folder.Child("j.journal") +
                         "': " + core::SystemErrorText(ERROR_ACCESS_DENIED) + " Nothing was changed.\n");
  EXPECT_TRUE(api.CallsOf(Op::SetBasicInfo).empty());
  EXPECT_EQ(ReadPathState(path), before);
  EXPECT_EQ(GetFileAttributesW(testing_support::WidePath(folder.Child("j.journal")).c_str()),
            INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace cli
