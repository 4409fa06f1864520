#include "program/window_wiring.h"

#include <string>
#include <utility>
#include <vector>

#include "app/window_switch.h"
#include "ui/batch/batch_window.h"

namespace program {

void ConnectBatchWindow() {
  app::ConnectBatchWindow({
      .isOpen = [] { return ui::batch::OpenBatchWindow() != nullptr; },
      .open = [] { return ui::batch::OpenNewBatchWindow(); },
      .addPaths =
          [](std::vector<std::string> paths) {
            if (ui::batch::BatchWindow* window = ui::batch::OpenBatchWindow()) window->AddPaths(std::move(paths));
          },
  });
}

}  // namespace program
