#include "app/line_reader.h"

#include <utility>

namespace orvane {
namespace {

constexpr std::size_t kReadBlock = 512;

}  // namespace

CrLineReader::CrLineReader(std::unique_ptr<ByteSource> source)
    : source_(std::move(source)), buffer_(kReadBlock) {}

bool CrLineReader::Fill() {
  if (position_ < filled_) {
    return true;
  }
  if (at_end_ || !source_) {
    return false;
  }
  position_ = 0;
  filled_ = source_->Read(buffer_);
  if (filled_ == 0) {
    at_end_ = true;
    return false;
  }
  return true;
}

std::optional<std::string> CrLineReader::ReadLine() {
  if (!Fill()) {
    return std::nullopt;
  }
  std::string line;
  while (Fill()) {
    const char c = buffer_[position_++];
    if (c == '\r') {
      // A line feed right after the carriage return belongs to the same line end, also
      // when it only arrives with the next block.
      if (Fill() && buffer_[position_] == '\n') {
        ++position_;
      }
      return line;
    }
    line.push_back(c);
  }
  return line;
}

}  // namespace orvane
