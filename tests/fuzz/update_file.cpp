// The update file: lines split at CR and CR LF, read in chunks of any size, and the
// version line found among them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/line_reader.h"
#include "app/update_file.h"
#include "fuzz/fuzz_check.h"

namespace {

// The bytes of the input handed out in reads of at most `chunk` bytes.
class ChunkedSource final : public orvane::ByteSource {
 public:
  ChunkedSource(std::string_view text, std::size_t chunk) : text_(text), chunk_(chunk) {}
  std::size_t Read(std::span<char> buffer) override {
    const std::size_t n = std::min({buffer.size(), chunk_, text_.size() - position_});
    std::memcpy(buffer.data(), text_.data() + position_, n);
    position_ += n;
    return n;
  }

 private:
  std::string_view text_;
  std::size_t chunk_;
  std::size_t position_ = 0;
};

std::vector<std::string> AllLines(std::string_view text, std::size_t chunk) {
  orvane::CrLineReader reader(std::make_unique<ChunkedSource>(text, chunk));
  std::vector<std::string> lines;
  while (auto line = reader.ReadLine()) {
    lines.push_back(std::move(*line));
  }
  return lines;
}

// The same lines by the plain rule: CR or CR LF ends a line, an LF alone is text, and
// text after the last end is a line of its own.
std::vector<std::string> ReferenceLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      line += text[i];
      continue;
    }
    lines.push_back(std::move(line));
    line.clear();
    if (i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
    }
  }
  if (!line.empty()) {
    lines.push_back(std::move(line));
  }
  return lines;
}

bool HasEdgeSpace(const std::string& value) {
  return !value.empty() && (value.front() == ' ' || value.back() == ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  // The first byte chooses how the file arrives: in reads of 1 to 256 bytes.
  const std::size_t chunk = static_cast<std::size_t>(data[0]) + 1;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::vector<std::string> lines = AllLines(text, chunk);
  // Line ends are the same whatever the reads' sizes.
  FUZZ_CHECK(lines == ReferenceLines(text));
  FUZZ_CHECK(lines == AllLines(text, 1));
  FUZZ_CHECK(lines == AllLines(text, 1 << 16));
  std::size_t total = 0;
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.find('\r') == std::string::npos);
    total += line.size() + 1;
  }
  // Every line but possibly the last had an end of at least one byte.
  FUZZ_CHECK(total <= text.size() + 1);
  FUZZ_CHECK(text.empty() == lines.empty());

  // The published version is the value of the first version line.
  orvane::CrLineReader reader(std::make_unique<ChunkedSource>(text, chunk));
  const auto published = orvane::ReadPublishedVersion(reader);
  const auto first = std::find_if(lines.begin(), lines.end(),
                                  [](const std::string& l) { return orvane::IsVersionLine(l); });
  FUZZ_CHECK(published.has_value() == (first != lines.end()));
  if (published) {
    FUZZ_CHECK(*published == orvane::VersionValue(*first));
    FUZZ_CHECK(!HasEdgeSpace(*published));
    FUZZ_CHECK(!orvane::IsNewVersion(*published, *published));
    FUZZ_CHECK(orvane::IsNewVersion(*published, *published + "x"));
  }
  for (const std::string& line : lines) {
    FUZZ_CHECK(!HasEdgeSpace(orvane::VersionValue(line)));
  }
  return 0;
}
