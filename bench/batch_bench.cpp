// Measures how the batch window scales with the size of a folder: adding the folder to a real
// window and one batch run over its rows, each beside a bare loop of the file-system calls
// that work cannot do without (its floor), timed in the same process so that ratios hold on
// a busy machine; the run with the history of its change off and on. tools/bench runs it once
// per folder size and builds the table.
//
// Usage: batch_bench <folder>
// Prints its figures on stdout as name=value lines, each as soon as it is measured.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/event_pump.h"
#include "app/message_boxes.h"
#include "core/file_api.h"
#include "core/history_store.h"
#include "core/local_date_time.h"
#include "ui/batch/batch_design.h"
#include "ui/batch/batch_list.h"
#include "ui/batch/batch_window.h"

namespace {

class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double Milliseconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_;
  LARGE_INTEGER start_;
};

struct Entry {
  std::string path;
  bool isFolder;
};

std::string FolderPrefix(const std::string& folder) {
  return !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
}

// The rows adding the folder gives, in the window's order: the folder, its subfolders, its
// files. Untimed; it also warms the file system's caches for both measurements.
std::vector<Entry> ListRows(const std::string& folder) {
  std::vector<Entry> folders{{folder, true}};
  std::vector<Entry> files;
  const std::string prefix = FolderPrefix(folder);
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((prefix + "*.*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return folders;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    (isFolder ? folders : files).push_back({prefix + name, isFolder});
  } while (FindNextFileA(search, &data));
  FindClose(search);
  folders.insert(folders.end(), files.begin(), files.end());
  return folders;
}

// The floors the targets are set against: the calls the first version of adding made (the
// folder's attribute query, two enumeration passes and one size search per file) ...
double AddFloor(const std::string& folder) {
  const Stopwatch watch;
  GetFileAttributesA(folder.c_str());
  const std::string prefix = FolderPrefix(folder);
  const std::string pattern = prefix + "*.*";
  for (const bool wantFolders : {true, false}) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      if (isFolder || wantFolders) continue;
      WIN32_FIND_DATAA sizeData;
      HANDLE sizeSearch = FindFirstFileA((prefix + data.cFileName).c_str(), &sizeData);
      if (sizeSearch != INVALID_HANDLE_VALUE) FindClose(sizeSearch);
    } while (FindNextFileA(search, &data));
    FindClose(search);
  }
  return watch.Milliseconds();
}

// ... and those the first version of the batch run made per row to write the times and the
// archive flag (a read-write open, a time query, the attribute writes).
double RunFloor(const std::vector<Entry>& rows) {
  SYSTEMTIME when{2021, 6, 2, 15, 12, 0, 0, 0};
  FILETIME newWrite;
  SystemTimeToFileTime(&when, &newWrite);
  const Stopwatch watch;
  for (const Entry& row : rows) {
    if (GetFileAttributesA(row.path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    HANDLE file = CreateFileA(row.path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              row.isFolder ? FILE_FLAG_BACKUP_SEMANTICS : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    FILETIME creation, access, write;
    GetFileTime(file, &creation, &access, &write);
    SetFileTime(file, &creation, &access, &newWrite);
    CloseHandle(file);
    SetFileAttributesA(row.path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  }
  return watch.Milliseconds();
}

std::wstring Wide(const std::string& path) { return core::PlatformPath(path); }

// The strict floors: only the calls the work makes now. Adding needs the folder's attribute
// query and one listing of it (which also gives every file's size), as the wide calls take them.
double ListingFloor(const std::string& folder) {
  const Stopwatch watch;
  WIN32_FILE_ATTRIBUTE_DATA data;
  GetFileAttributesExW(Wide(folder).c_str(), GetFileExInfoStandard, &data);
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileExW((Wide(folder) + L"\\*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search != INVALID_HANDLE_VALUE) {
    while (FindNextFileW(search, &entry)) {
    }
    FindClose(search);
  }
  return watch.Milliseconds();
}

// A batch run's calls per row to write a modification time and the archive flag (those of
// ApplyFileStamp: attribute access only, the flags written only when they differ).
double ApplyFloor(const std::vector<Entry>& rows) {
  SYSTEMTIME when{2021, 6, 2, 15, 12, 0, 0, 0};
  FILETIME newWrite;
  SystemTimeToFileTime(&when, &newWrite);
  const Stopwatch watch;
  for (const Entry& row : rows) {
    const std::wstring path = Wide(row.path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) continue;
    HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    const DWORD flags = (data.dwFileAttributes & ~0x27u & ~DWORD{FILE_ATTRIBUTE_NORMAL}) | FILE_ATTRIBUTE_ARCHIVE;
    if (flags != data.dwFileAttributes) {
      FILE_BASIC_INFO info{};
      info.FileAttributes = flags;
      SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info);
    }
    SetFileTime(file, nullptr, nullptr, &newWrite);
    CloseHandle(file);
  }
  return watch.Milliseconds();
}

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters;
}

// Checks the rows against the listing: same paths in the same order, and the count text.
std::string CheckAdded(const ui::batch::BatchWindow& window, const std::vector<Entry>& rows) {
  HWND list = window.control(ui::batch::超级列表框);
  const int count = app::LvRowCount(list);
  if (count != static_cast<int>(rows.size()))
    return "rows " + std::to_string(count) + " of " + std::to_string(rows.size());
  for (int i = 0; i < count; ++i) {
    if (app::LvGetText(list, i, ui::batch::kColumnPath) != rows[static_cast<std::size_t>(i)].path)
      return "path of row " + std::to_string(i);
  }
  if (app::SbGetText(window.control(ui::batch::状态条)) != ui::batch::RowCountText(count)) return "status text";
  return "ok";
}

std::string CheckRun(const ui::batch::BatchWindow& window, const std::vector<std::string>& shown) {
  if (shown.empty()) return "no run (nothing shown)";
  HWND list = window.control(ui::batch::超级列表框);
  const int count = app::LvRowCount(list);
  int succeeded = 0;
  for (int i = 0; i < count; ++i) succeeded += app::LvGetText(list, i, ui::batch::kColumnStatus) == "成功";
  const std::string totals = "已成功处理 " + std::to_string(count) + " 个文件(夹) ; 处理失败 0 个!";
  if (succeeded != count) return std::to_string(count - succeeded) + " rows not succeeded";
  if (app::SbGetText(window.control(ui::batch::状态条)) != totals) return "status text";
  if (shown.back() != "批量处理完毕!") return "last message: " + shown.back();
  return "ok";
}

// Prints "name=value" lines as each phase ends, so that a run cut short still reports what
// it measured.
void Report(const char* name, const std::string& value) {
  std::printf("%s=%s\n", name, value.c_str());
  std::fflush(stdout);
}

std::string Fixed(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

int Measure(const std::string& folder) {
  const std::vector<Entry> rows = ListRows(folder);
  const auto folders = std::count_if(rows.begin() + 1, rows.end(), [](const Entry& e) { return e.isFolder; });
  Report("files", std::to_string(rows.size() - 1 - static_cast<std::size_t>(folders)));
  Report("rows", std::to_string(rows.size()));
  Report("base_ws_bytes", std::to_string(Memory().WorkingSetSize));

  // Each floor is measured right before its work, so that both see the same load.
  Report("listing_floor_ms", Fixed(ListingFloor(folder)));
  Report("add_floor_ms", Fixed(AddFloor(folder)));

  ui::batch::BatchWindow window;
  if (!window.Create()) {
    std::fprintf(stderr, "the batch window could not be created\n");
    return 1;
  }
  window.Show();
  app::ProcessPendingEvents();

  {
    const Stopwatch watch;
    window.AddPaths({folder});
    app::ProcessPendingEvents();  // the paint the user waits for belongs to the add
    Report("add_ms", Fixed(watch.Milliseconds()));
  }
  Report("peak_ws_bytes", std::to_string(Memory().PeakWorkingSetSize));
  Report("images", std::to_string(ImageList_GetImageCount(window.images())));
  Report("add_check", CheckAdded(window, rows));

  // Clear the list and add the folder again: what the first add took must come back, so the
  // second add needs no more memory than the first.
  {
    const app::ScopedMessageBoxHandler answerYes([](HWND, const std::string&, const std::string&, UINT) { return IDYES; });
    SendMessageA(window.hwnd(), WM_COMMAND, ui::batch::菜单_清空所有项, 0);
  }
  Report("cleared_ws_bytes", std::to_string(Memory().WorkingSetSize));
  {
    const Stopwatch watch;
    window.AddPaths({folder});
    app::ProcessPendingEvents();
    Report("add_again_ms", Fixed(watch.Milliseconds()));
  }
  Report("peak_again_ws_bytes", std::to_string(Memory().PeakWorkingSetSize));
  Report("images_again", std::to_string(ImageList_GetImageCount(window.images())));

  Report("apply_floor_ms", Fixed(ApplyFloor(rows)));
  Report("run_floor_ms", Fixed(RunFloor(rows)));

  // The run with the history off and on, alternately, best of two each; every run sets a new
  // time, so every run writes every row (and the runs with the history on record them all).
  HWND archive = window.control(ui::batch::选择框_存档);
  if (!app::IsChecked(archive)) SendMessageA(archive, BM_CLICK, 0, 0);
  double best[2] = {0, 0};  // off, on
  std::string check = "ok";
  for (int run = 0; run < 4; ++run) {
    const bool history = run % 2 == 1;
    SetEnvironmentVariableW(L"FILESTAMP_NO_HISTORY", history ? nullptr : L"1");
    app::DtpSetTime(window.control(ui::batch::日期框_修改时间),
                    core::LocalDateTime::FromFields(2023, 3, 4, 5, 6, 7 + run));
    std::vector<std::string> shown;
    const app::ScopedMessageBoxHandler answer(
        [&shown](HWND, const std::string& text, const std::string&, UINT flags) {
          shown.push_back(text.size() > 80 ? text.substr(0, 80) : text);
          return (flags & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
        });
    const Stopwatch watch;
    window.RunBatch();
    app::ProcessPendingEvents();
    const double ms = watch.Milliseconds();
    if (best[history] == 0 || ms < best[history]) best[history] = ms;
    Report(history ? "run_history_ms" : "run_ms", Fixed(best[history]));
    if (check == "ok") check = !app::IsChecked(archive) ? "archive box not ticked" : CheckRun(window, shown);
  }
  const auto entries = core::ListHistory(core::HistoryFolder());
  if (check == "ok" && entries.size() < 2) check = "history entries: " + std::to_string(entries.size());
  core::ClearHistory(core::HistoryFolder());
  Report("final_peak_ws_bytes", std::to_string(Memory().PeakWorkingSetSize));
  Report("run_check", check);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: batch_bench <folder>\n");
    return 2;
  }
  const HRESULT ole = OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const int result = Measure(argv[1]);
  if (SUCCEEDED(ole)) OleUninitialize();
  return result;
}
