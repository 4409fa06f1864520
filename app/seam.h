#pragma once

#include <utility>

namespace app {

// One place where the program calls out to something a test cannot drive (a modal dialog,
// a shell window): the caller asks Seam::Current() and uses the platform when it is empty;
// a test installs a stand-in for the lifetime of a Seam object. Tag keeps seams with the
// same function type apart.
template <typename Tag, typename Function>
class Seam {
 public:
  explicit Seam(Function replacement) : previous_(std::exchange(Slot(), std::move(replacement))) {}
  ~Seam() { Slot() = std::move(previous_); }
  Seam(const Seam&) = delete;
  Seam& operator=(const Seam&) = delete;

  static const Function& Current() { return Slot(); }

 private:
  static Function& Slot() {
    static Function current;
    return current;
  }
  Function previous_;
};

}  // namespace app
