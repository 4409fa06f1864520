#include "ui/batch/batch_window.h"

namespace ui::batch {

void BatchWindow::OnListRightClick() {}
void BatchWindow::OnMenuCommand(int) {}
void BatchWindow::RemoveSelectedRows() {}
void BatchWindow::ClearRows() {}
void BatchWindow::LocateSelectedFile() {}
void BatchWindow::ShowSelectedFileProperties() {}
void BatchWindow::OnLabelPressed(int) {}

}  // namespace ui::batch
