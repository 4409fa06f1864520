#pragma once

#include <string>
#include <string_view>

#include "cli/console.h"

namespace testing_support {

// A stream that keeps what is written to it, as a console (to see progress) or not.
class CapturedStream : public cli::TextStream {
 public:
  explicit CapturedStream(bool console = false, int columns = 80) : console_(console), columns_(columns) {}
  void Write(std::string_view utf8) override { text += utf8; }
  bool IsConsole() const override { return console_; }
  int Columns() const override { return columns_; }

  std::string text;

 private:
  bool console_;
  int columns_;
};

}  // namespace testing_support
