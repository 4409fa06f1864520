#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace cli {

// Where fstamp's text goes. All text is UTF-8; a stream decides how it reaches its target.
class TextStream {
 public:
  virtual ~TextStream() = default;
  virtual void Write(std::string_view utf8) = 0;
  // Hands over what is buffered.
  virtual void Flush() {}
  // True when a person watches the stream on a console: only then is progress drawn.
  virtual bool IsConsole() const = 0;
  // Columns of the console's window; only asked when IsConsole().
  virtual int Columns() const { return 80; }
};

// One of the process's standard handles. A console gets UTF-16 through WriteConsoleW, so any
// script shows whatever the console's code page; a pipe or file gets the UTF-8 bytes exactly
// as written (CSV's CRLF stays CRLF). Text for a pipe or file is buffered until Flush or
// until the buffer is large; a console's is written at once.
class HandleStream : public TextStream {
 public:
  explicit HandleStream(HANDLE handle);
  ~HandleStream() override;
  HandleStream(const HandleStream&) = delete;
  HandleStream& operator=(const HandleStream&) = delete;

  void Write(std::string_view utf8) override;
  void Flush() override;
  bool IsConsole() const override { return console_; }
  int Columns() const override;

 private:
  void WriteBytes(std::string_view bytes);
  void WriteConsoleText(std::string_view utf8);

  HANDLE handle_;
  bool console_ = false;
  bool broken_ = false;  // the reader has gone (a closed pipe): further text is dropped
  std::string buffer_;
};

// The two streams a run writes to: results on `out`, failures and progress on `err`.
struct Streams {
  TextStream& out;
  TextStream& err;
};

}  // namespace cli
