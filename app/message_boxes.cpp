#include "app/message_boxes.h"

#include <iterator>
#include <utility>

#include "core/text_encoding.h"

namespace app {
namespace {

constexpr UINT kInformation = MB_OK | MB_ICONINFORMATION;
constexpr UINT kWarning = MB_OK | MB_ICONEXCLAMATION;
constexpr UINT kError = MB_OK | MB_ICONHAND;
constexpr UINT kQuestionNoDefault = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
constexpr UINT kQuestionYesDefault = MB_YESNO | MB_ICONQUESTION;

// One row per Message, in the enum's order.
constexpr MessageRow kRows[] = {
    {"文件不存在!", "错误", kError},
    {"确认修改文件时间及属性?", "询问", kQuestionYesDefault},
    {"修改完毕!", "提示", kInformation},
    {"修改失败!", "警告", kWarning},
    {"确认移除所选项目?", "询问", kQuestionNoDefault},
    {"确认清空所有项目?", "询问", kQuestionNoDefault},
    {"查看文件属性失败!", "警告", kWarning},
    {"定位文件失败!", "警告", kWarning},
    {"请先添加文件!", "提示", kInformation},
    {"请指定需设置的文件属性!", "提示", kInformation},
    {"确认执行批量修改吗?", "询问", kQuestionNoDefault},
    {"", "处理失败的文件", kWarning},
    {"批量处理完毕!", "提示", kInformation},
    {"Please Wait...", "Runing", kWarning},
    {"此版本的 Windows 过旧,无法以 Unicode 处理文件名。请在 Windows 10 1903 或更新的系统上运行本程序。", "错误",
     kError},
};
static_assert(std::size(kRows) == static_cast<std::size_t>(Message::kSystemTooOld) + 1);

// The lines that end a cut failure list.
constexpr char kUnlistedBefore[] = "……另有 ";
constexpr char kUnlistedAfter[] = " 个文件(夹)未列出";
constexpr char kListCopied[] = "完整列表已复制到剪贴板!";
constexpr char kListNotCopied[] = "完整列表未能复制到剪贴板!";

}  // namespace

const MessageRow& MessageRowOf(Message message) { return kRows[static_cast<std::size_t>(message)]; }

std::string FailedPathsTail(std::size_t unlisted, bool copiedToClipboard) {
  return kUnlistedBefore + std::to_string(unlisted) + kUnlistedAfter + "\r\n" +
         (copiedToClipboard ? kListCopied : kListNotCopied);
}

int ShowMessage(HWND owner, Message message, const std::string& text) {
  const MessageRow& row = MessageRowOf(message);
  const UINT flags = row.flags | MB_TASKMODAL;
  if (const auto& standIn = ScopedMessageBoxHandler::Current()) return standIn(owner, text, row.title, flags);
  // Wide, so the texts read right even where the process code page is not UTF-8.
  return MessageBoxW(owner, core::Utf8ToWide(text).c_str(), core::Utf8ToWide(row.title).c_str(), flags);
}

int ShowMessage(HWND owner, Message message) { return ShowMessage(owner, message, MessageRowOf(message).text); }

bool Ask(HWND owner, Message message) { return ShowMessage(owner, message) == IDYES; }

}  // namespace app
