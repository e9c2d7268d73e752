// The notification-icon record, byte by byte: the 488-byte record of the 32-bit program
// and the same fields in the 504-byte layout of the 64-bit build.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "mainwin/notify_icon_record.h"

namespace orvane {
namespace {

template <class Record>
std::uint32_t Le32At(const Record& record, std::size_t offset) {
  const auto& b = record.Bytes();
  return static_cast<std::uint32_t>(b[offset]) | static_cast<std::uint32_t>(b[offset + 1]) << 8 |
         static_cast<std::uint32_t>(b[offset + 2]) << 16 |
         static_cast<std::uint32_t>(b[offset + 3]) << 24;
}

// The bytes of a record field as text, NULs included.
template <class Record>
std::string FieldBytes(const Record& record, std::size_t offset, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(record.data()) + offset, size);
}

// Lead bytes of the simplified-Chinese code page (GBK).
bool GbkLeadByte(std::uint8_t byte) {
  return byte >= 0x81 && byte <= 0xFE;
}

const std::string kTipUtf8 = "Orvane客户端";

TEST(NotifyIconRecord, StartsZeroed) {
  NotifyIconRecord record;
  for (std::uint8_t b : record.Bytes()) {
    ASSERT_EQ(b, 0);
  }
  EXPECT_EQ(sizeof(record.Bytes()), 488u);
}

TEST(NotifyIconRecord, AddFieldsLieAtTheirOffsetsAndNothingElseIsWritten) {
  NotifyIconRecord record;
  record.SetIcon(0x00012345, 0x0BADF00D, 0x1862, "Orvane");

  std::string expected(488, '\0');
  auto put = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      expected[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
  };
  put(0, 488);
  put(4, 0x00012345);
  put(8, 1000);
  put(12, 0x17);
  put(16, 0x1862);
  put(20, 0x0BADF00D);
  expected.replace(24, 6, "Orvane");
  EXPECT_EQ(FieldBytes(record, 0, 488), expected);
}

TEST(NotifyIconRecord, TheTipIsKeptByteForByte) {
  NotifyIconRecord record;
  record.SetIcon(1, 2, 0x1862, kTipUtf8);
  EXPECT_EQ(record.Text(notify_icon_field::kTip), kTipUtf8);
  EXPECT_EQ(record.Bytes()[24 + kTipUtf8.size()], 0);
}

TEST(NotifyIconRecord, ALongTipIsCutWithItsNulInsideTheField) {
  NotifyIconRecord record;
  // dwState follows the tip; it must stay untouched by any tip.
  record.SetIcon(1, 2, 0x1862, std::string(200, 'x'));
  EXPECT_EQ(FieldBytes(record, 24, 128), std::string(127, 'x') + '\0');
  EXPECT_EQ(Le32At(record, 152), 0u);
  EXPECT_EQ(Le32At(record, 156), 0u);

  record.SetIcon(1, 2, 0x1862, std::string(127, 'y'));
  EXPECT_EQ(FieldBytes(record, 24, 128), std::string(127, 'y') + '\0');
  record.SetIcon(1, 2, 0x1862, std::string(128, 'z'));
  EXPECT_EQ(FieldBytes(record, 24, 128), std::string(127, 'z') + '\0');
}

TEST(NotifyIconRecord, ACutNeverSplitsATwoByteCharacter) {
  // 126 single bytes and then one GBK character ("客" is C5 BF): the character would need
  // bytes 126 and 127, and byte 127 is the NUL's.
  const std::string tip = std::string(126, 'a') + "\xC5\xBF";
  NotifyIconRecord record;
  record.SetIcon(1, 2, 0x1862, tip, GbkLeadByte);
  EXPECT_EQ(record.Text(notify_icon_field::kTip), std::string(126, 'a'));
  EXPECT_EQ(FieldBytes(record, 24 + 126, 2), std::string(2, '\0'));

  // One byte shorter and it fits whole.
  const std::string fits = std::string(125, 'a') + "\xC5\xBF";
  record.SetIcon(1, 2, 0x1862, fits, GbkLeadByte);
  EXPECT_EQ(record.Text(notify_icon_field::kTip), fits);

  EXPECT_EQ(CutToTextField("\xC5\xBF\xBB\xA7", 4, GbkLeadByte), "\xC5\xBF");
  EXPECT_EQ(CutToTextField("abc", 0), "");
  EXPECT_EQ(CutToTextField("abc", 1), "");
}

TEST(NotifyIconRecord, BalloonFieldsLieAtTheirOffsetsAndLeaveTheRestAlone) {
  NotifyIconRecord record;
  record.SetIcon(7, 8, 0x1862, "tip");
  const auto before = record.Bytes();
  record.SetBalloon("Title", "Some text", 0x1);

  EXPECT_EQ(FieldBytes(record, 420, 6), std::string("Title") + '\0');
  EXPECT_EQ(FieldBytes(record, 160, 10), std::string("Some text") + '\0');
  EXPECT_EQ(Le32At(record, 484), 1u);
  EXPECT_EQ(Le32At(record, 416), 0u);  // the shell's own display time
  for (std::size_t i = 0; i < 160; ++i) {
    ASSERT_EQ(record.Bytes()[i], before[i]) << "byte " << i;
  }

  record.SetBalloon(std::string(300, 'i'), std::string(300, 'j'), 2);
  EXPECT_EQ(FieldBytes(record, 420, 64), std::string(63, 'i') + '\0');
  EXPECT_EQ(FieldBytes(record, 160, 256), std::string(255, 'j') + '\0');
  EXPECT_EQ(Le32At(record, 416), 0u);
  EXPECT_EQ(Le32At(record, 484), 2u);
}

TEST(NotifyIconRecord, ABalloonAfterAHiddenOneHoldsOnlyTheNewTexts) {
  NotifyIconRecord record;
  record.SetIcon(7, 8, 0x1862, "tip");
  record.SetBalloon("A long first title", "A long first balloon text", 1);
  record.ClearBalloon();
  EXPECT_EQ(FieldBytes(record, 420, 64), std::string(64, '\0'));
  EXPECT_EQ(FieldBytes(record, 160, 256), std::string(256, '\0'));

  record.SetBalloon("New", "Short", 3);
  EXPECT_EQ(FieldBytes(record, 420, 64), "New" + std::string(61, '\0'));
  EXPECT_EQ(FieldBytes(record, 160, 256), "Short" + std::string(251, '\0'));
  EXPECT_EQ(record.Text(notify_icon_field::kTip), "tip");
}

TEST(NotifyIconRecord, ASecondSetIconReplacesTheTipWhole) {
  NotifyIconRecord record;
  record.SetIcon(7, 8, 0x1862, "a much longer first tip");
  record.SetIcon(9, 10, 0x1862, "two");
  EXPECT_EQ(FieldBytes(record, 24, 128), "two" + std::string(125, '\0'));
  EXPECT_EQ(record.Number(notify_icon_field::kWindow), 9u);
  EXPECT_EQ(record.Number(notify_icon_field::kIcon), 10u);
}

TEST(NotifyIconRecord64, TheSameFieldsLieAtThe64BitOffsetsWithHandlesSignExtended) {
  NotifyIconRecord64 record;
  EXPECT_EQ(record.Bytes().size(), 504u);
  // A handle with its top bit set shows that the 32-bit value is widened the platform's
  // way (sign extension), not padded with zeros.
  record.SetIcon(0x00012345, 0x8BADF00D, 0x1862, "Orvane");

  std::string expected(504, '\0');
  auto put = [&](std::size_t at, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      expected[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
  };
  put(0, 504, 4);
  put(8, 0x00012345, 8);
  put(16, 1000, 4);
  put(20, 0x17, 4);
  put(24, 0x1862, 4);
  put(32, 0xFFFFFFFF8BADF00Dull, 8);
  expected.replace(40, 6, "Orvane");
  EXPECT_EQ(FieldBytes(record, 0, 504), expected);
  EXPECT_EQ(record.Number(notify_icon_field64::kWindow), 0x00012345u);
  EXPECT_EQ(record.Number(notify_icon_field64::kIcon), 0xFFFFFFFF8BADF00Dull);
}

TEST(NotifyIconRecord64, TipAndBalloonTextsAreCutInsideTheirFieldsAndLeaveTheRestAlone) {
  NotifyIconRecord64 record;
  record.SetIcon(7, 8, 0x1862, std::string(200, 'x'));
  EXPECT_EQ(FieldBytes(record, 40, 128), std::string(127, 'x') + '\0');
  EXPECT_EQ(Le32At(record, 168), 0u);  // dwState follows the tip
  const auto before = record.Bytes();

  record.SetBalloon(std::string(300, 'i'), std::string(300, 'j'), 2);
  EXPECT_EQ(FieldBytes(record, 436, 64), std::string(63, 'i') + '\0');
  EXPECT_EQ(FieldBytes(record, 176, 256), std::string(255, 'j') + '\0');
  EXPECT_EQ(Le32At(record, 432), 0u);  // the shell's own display time
  EXPECT_EQ(Le32At(record, 500), 2u);
  for (std::size_t i = 0; i < 176; ++i) {
    ASSERT_EQ(record.Bytes()[i], before[i]) << "byte " << i;
  }

  record.ClearBalloon();
  EXPECT_EQ(FieldBytes(record, 436, 64), std::string(64, '\0'));
  EXPECT_EQ(FieldBytes(record, 176, 256), std::string(256, '\0'));
  EXPECT_EQ(record.Text(notify_icon_field64::kTip), std::string(127, 'x'));
}

}  // namespace
}  // namespace orvane
