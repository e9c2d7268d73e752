#pragma once

#include <string_view>

namespace orvane::win32 {

// Where the window hooks write their error lines. The program writes them to the
// system's application event log; tests hand in a sink that records the lines.
class IEventLog {
 public:
  // One error entry; `line` is the complete text, e.g. "CSubclass.zAddMsg: ...".
  virtual void Error(std::string_view line) noexcept = 0;

 protected:
  ~IEventLog() = default;
};

// The application event log, under the product's name as the event source.
class ApplicationEventLog final : public IEventLog {
 public:
  static ApplicationEventLog& Instance() noexcept;
  void Error(std::string_view line) noexcept override;

 private:
  ApplicationEventLog() = default;
};

}  // namespace orvane::win32
