// Reading the update file: where lines end, which line names the version, what its value
// is, and when it counts as a new version.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/update_file.h"

namespace orvane {
namespace {

// Serves a text in pieces of at most `piece` bytes, so that line ends can fall across
// the reader's block boundaries.
class TextSource final : public ByteSource {
 public:
  TextSource(std::string text, std::size_t piece) : text_(std::move(text)), piece_(piece) {}
  std::size_t Read(std::span<char> buffer) override {
    const std::size_t count = std::min({buffer.size(), piece_, text_.size() - offset_});
    std::copy_n(text_.begin() + static_cast<std::ptrdiff_t>(offset_), count, buffer.begin());
    offset_ += count;
    return count;
  }

 private:
  std::string text_;
  std::size_t piece_;
  std::size_t offset_ = 0;
};

std::vector<std::string> Lines(const std::string& text, std::size_t piece = 4096) {
  CrLineReader reader(std::make_unique<TextSource>(text, piece));
  std::vector<std::string> lines;
  while (std::optional<std::string> line = reader.ReadLine()) {
    lines.push_back(*line);
  }
  return lines;
}

using V = std::vector<std::string>;

// --- line ends --------------------------------------------------------------------------

TEST(UpdateFileLines, CarriageReturnAndCrLfEachEndOneLine) {
  EXPECT_EQ(Lines("a\rb\r\nc"), (V{"a", "b", "c"}));
  EXPECT_EQ(Lines("a\r\r\nb"), (V{"a", "", "b"}));
  EXPECT_EQ(Lines("a\r\n\r\nb\r\n"), (V{"a", "", "b"}));
}

TEST(UpdateFileLines, ALoneLineFeedIsPartOfTheText) {
  EXPECT_EQ(Lines("version=1.1.0\nnext\n"), (V{"version=1.1.0\nnext\n"}));
  EXPECT_EQ(Lines("a\n\rb"), (V{"a\n", "b"}));
  EXPECT_EQ(Lines("a\r\n\nb"), (V{"a", "\nb"}));
}

TEST(UpdateFileLines, EmptyTextHasNoLinesAndAFinalEndAddsNoEmptyLine) {
  EXPECT_EQ(Lines(""), V{});
  EXPECT_EQ(Lines("\r"), (V{""}));
  EXPECT_EQ(Lines("only"), (V{"only"}));
  EXPECT_EQ(Lines("only\r"), (V{"only"}));
  EXPECT_EQ(Lines("only\r\n"), (V{"only"}));
}

TEST(UpdateFileLines, ACrLfSplitAcrossReadsIsStillOneEnd) {
  const std::string text = "ab\r\ncd\r\r\nef\rgh\r\n";
  for (std::size_t piece = 1; piece <= 4; ++piece) {
    EXPECT_EQ(Lines(text, piece), (V{"ab", "cd", "", "ef", "gh"})) << "pieces of " << piece;
  }
  // Across the reader's own 512-byte blocks as well.
  const std::string long_line(511, 'x');
  EXPECT_EQ(Lines(long_line + "\r\nz"), (V{long_line, "z"}));
  EXPECT_EQ(Lines(long_line + "y\r\nz"), (V{long_line + "y", "z"}));
}

TEST(UpdateFileLines, KeepsEveryByteOfALongLine) {
  std::string line;
  for (int i = 0; i < 3000; ++i) {
    line.push_back(static_cast<char>('a' + i % 26));
  }
  EXPECT_EQ(Lines(line + "\r" + line), (V{line, line}));
}

// --- the version line and its value ------------------------------------------------------

TEST(UpdateFileVersionLine, IsTheFirstLineContainingVersionInAnyLetterCase) {
  EXPECT_TRUE(IsVersionLine("version=1.1.0"));
  EXPECT_TRUE(IsVersionLine("Version=1.1.0"));
  EXPECT_TRUE(IsVersionLine("VERSION=1.1.0"));
  EXPECT_TRUE(IsVersionLine("# the program's VerSion follows"));
  EXPECT_FALSE(IsVersionLine("versio=1.1.0"));
  EXPECT_FALSE(IsVersionLine("ver sion"));
  EXPECT_FALSE(IsVersionLine(""));
}

TEST(UpdateFileVersionLine, ValueStartsAtTheNinthCharacterWithOuterSpacesRemoved) {
  EXPECT_EQ(VersionValue("version=1.1.0"), "1.1.0");
  EXPECT_EQ(VersionValue("version:1.1.0"), "1.1.0");
  EXPECT_EQ(VersionValue("Version=1.1.0"), "1.1.0");
  EXPECT_EQ(VersionValue("version=  1.1.0   "), "1.1.0");
  EXPECT_EQ(VersionValue("version =1.1.0"), "=1.1.0");
  EXPECT_EQ(VersionValue("  version=1.1.0"), "n=1.1.0");
  EXPECT_EQ(VersionValue("version=1 .1.0"), "1 .1.0");
}

TEST(UpdateFileVersionLine, OnlySpacesAreTrimmed) {
  EXPECT_EQ(VersionValue("version=\t1.1.0\t"), "\t1.1.0\t");
  EXPECT_EQ(VersionValue("version=1.1.0\n"), "1.1.0\n");
}

TEST(UpdateFileVersionLine, EightCharactersOrFewerGiveTheEmptyValue) {
  EXPECT_EQ(VersionValue("version="), "");
  EXPECT_EQ(VersionValue("version"), "");
  EXPECT_EQ(VersionValue("version=    "), "");
  EXPECT_EQ(VersionValue(""), "");
}

TEST(UpdateFileVersionLine, CountsCharactersNotBytes) {
  // "版本" are two characters of three bytes each.
  EXPECT_EQ(VersionValue("版本version=1.1.0"), "n=1.1.0");
  EXPECT_EQ(VersionValue("version=版本1.1.0"), "版本1.1.0");
  EXPECT_EQ(VersionValue("version版1.1.0"), "1.1.0");
}

TEST(UpdateFileVersionLine, AFileWithOnlyLineFeedsIsOneLineRunningToTheEnd) {
  CrLineReader reader(std::make_unique<TextSource>("version=1.1.0\nnotes\n", 64));
  EXPECT_EQ(ReadPublishedVersion(reader), "1.1.0\nnotes\n");
}

TEST(UpdateFileVersionLine, TheFirstVersionLineWinsAndOtherLinesAreIgnored) {
  CrLineReader reader(
      std::make_unique<TextSource>("[mirab]\r\nversion=1.2.0\r\nversion=1.1.0\r\n", 64));
  EXPECT_EQ(ReadPublishedVersion(reader), "1.2.0");
}

TEST(UpdateFileVersionLine, NoVersionLineGivesNothing) {
  CrLineReader empty(std::make_unique<TextSource>("", 64));
  EXPECT_EQ(ReadPublishedVersion(empty), std::nullopt);
  CrLineReader other(std::make_unique<TextSource>("release=1.1.0\r\nbuild=7\r\n", 64));
  EXPECT_EQ(ReadPublishedVersion(other), std::nullopt);
}

// --- comparison --------------------------------------------------------------------------

TEST(UpdateFileComparison, AnyDifferenceIsANewVersionLowerAndLetterCaseIncluded) {
  EXPECT_FALSE(IsNewVersion("1.1.0", "1.1.0"));
  EXPECT_TRUE(IsNewVersion("1.2.0", "1.1.0"));
  EXPECT_TRUE(IsNewVersion("1.0.9", "1.1.0"));
  EXPECT_TRUE(IsNewVersion("1.1.0a", "1.1.0"));
  EXPECT_TRUE(IsNewVersion("1.1.0-RC", "1.1.0-rc"));
  EXPECT_TRUE(IsNewVersion("1.1", "1.1.0"));
  EXPECT_TRUE(IsNewVersion("", "1.1.0"));
}

}  // namespace
}  // namespace orvane
