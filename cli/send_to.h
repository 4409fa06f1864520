#pragma once

#include <string>

namespace cli {

// Explorer's Send To menu passes the selected files and folders as command-line arguments,
// which filestamp.exe already takes (one file: its main window; more, or a folder: the batch
// window). A shortcut in the user's own Send To folder is all it takes: nothing in the
// registry, no administrator rights.
inline constexpr char kSendToShortcutName[] = "FileStamp.lnk";

// Where the shortcut goes: the user's Send To folder; empty when the shell does not say.
std::string SendToFolder();

// Creates (or replaces) the shortcut to target, with the target's own icon. Returns 0 or the
// error (an HRESULT) the shell reported.
long CreateShortcut(const std::string& shortcut, const std::string& target, const std::string& description);

}  // namespace cli
