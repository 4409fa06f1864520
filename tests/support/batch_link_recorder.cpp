#include "tests/support/batch_link_recorder.h"

#include "app/window_switch.h"

namespace testing_support {

BatchLinkRecorder::BatchLinkRecorder(bool isOpen, bool opens) : isOpen_(isOpen), opens_(opens) {
  app::ConnectBatchWindow({
      .isOpen = [this] { return isOpen_; },
      .open =
          [this] {
            ++opened_;
            isOpen_ = opens_;
            return opens_;
          },
      .addPaths = [this](std::vector<std::string> paths) { handed_.push_back(std::move(paths)); },
  });
}

BatchLinkRecorder::~BatchLinkRecorder() { app::ConnectBatchWindow({}); }

}  // namespace testing_support
