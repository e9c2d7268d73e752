#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvane {

// A readable stream of bytes (an open file). Closed when destroyed.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Fills the start of `buffer`; returns the number of bytes read, 0 at the end.
  virtual std::size_t Read(std::span<char> buffer) = 0;
};

// Text lines read one at a time, so that a reader can stop as soon as it has what it
// needs. Closed when destroyed.
class TextLineSource {
 public:
  virtual ~TextLineSource() = default;
  // The next line without its end, or nothing at the end of the text.
  virtual std::optional<std::string> ReadLine() = 0;
};

// Lines as the update file writes them: a line ends at a carriage return or at a
// carriage return followed by a line feed (one end); a line feed on its own is part of
// the text. Text after the last end is a line of its own; an empty text has no lines.
class CrLineReader final : public TextLineSource {
 public:
  explicit CrLineReader(std::unique_ptr<ByteSource> source);
  std::optional<std::string> ReadLine() override;

 private:
  // Makes sure at least one unread byte is buffered; false at the end of the source.
  bool Fill();

  std::unique_ptr<ByteSource> source_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  bool at_end_ = false;
};

}  // namespace orvane
