#include "ui/batch/batch_window.h"

namespace ui::batch {

void BatchWindow::RunBatch() {}

}  // namespace ui::batch
