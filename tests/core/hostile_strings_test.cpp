// Hostile strings: addresses handed over by other programs or pages and titles of pages
// may be any bytes and any length. Only http(s) addresses that are well-formed text are
// opened; captions are drawn well-formed and cut to what a tab can show.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/shown_text.h"
#include "core/tab_painter_rig.h"
#include "login/page_commands.h"
#include "mainwin/hand_over.h"
#include "support/recording_hand_over_owner.h"

namespace orvane {
namespace {

using namespace std::string_literals;

constexpr std::size_t kMegabyte = 1024 * 1024;
const std::string kReplacement = "\xEF\xBF\xBD";
const std::string kEllipsis = "\xE2\x80\xA6";

using RecordingOwner = orvane::testing::RecordingHandOverOwner;

// --- the game-address rule --------------------------------------------------------------

TEST(HostileAddressTest, AMegabyteHttpAddressIsHandedOverWholeOnce) {
  const std::string address = "http://s1.test/play?pad=" + std::string(kMegabyte, 'a');
  RecordingOwner owner;
  EXPECT_TRUE(HandOverAddress(address, owner));
  ASSERT_EQ(owner.opened.size(), 1u);
  EXPECT_EQ(owner.opened[0], address);
  EXPECT_EQ(owner.presented, 1);
}

TEST(HostileAddressTest, AMegabyteOfAnythingElseIsRefused) {
  RecordingOwner owner;
  const std::string pad(kMegabyte, 'a');
  EXPECT_FALSE(HandOverAddress(pad, owner));
  EXPECT_FALSE(HandOverAddress("javascript:" + pad, owner));
  EXPECT_FALSE(HandOverAddress("http://s1.test/" + pad + " ", owner));
  EXPECT_FALSE(HandOverAddress("http://s1.test/" + pad + "\xFF", owner));
  EXPECT_TRUE(owner.opened.empty());
  EXPECT_EQ(owner.presented, 0);
}

class RefusedAddressTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RefusedAddressTest, IsNeitherOpenedNorBringsTheWindowForward) {
  RecordingOwner owner;
  EXPECT_FALSE(IsGameAddress(GetParam()));
  EXPECT_FALSE(HandOverAddress(GetParam(), owner));
  EXPECT_TRUE(owner.opened.empty());
  EXPECT_EQ(owner.presented, 0);
  // Nor from the login page.
  const PageCommand command = ParsePageCommand("app://loadgame|" + GetParam());
  EXPECT_EQ(command.kind, PageCommandKind::kLoadGame);
  EXPECT_FALSE(command.game_address.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Tricks, RefusedAddressTest,
    ::testing::Values(
        // Embedded NULs: what follows the NUL must not ride along, nor what precedes it.
        "http://s1.test/\0javascript:alert(1)"s, "file:///etc/passwd\0http://s1.test/"s,
        "\0http://s1.test/"s, "http://s1.test\0"s,
        // Ill-formed UTF-8: a stray byte, a cut sequence, an overlong slash, a surrogate,
        // beyond U+10FFFF.
        "http://s1.test/\xFF"s, "http://s1.test/\xE6\xB8"s, "http://s1.test/\xC0\xAF"s,
        "http://s1.test/\xED\xA0\x80"s, "http://s1.test/\xF4\x90\x80\x80"s, "http://s1.test\xC3/"s,
        // Characters that reorder the address when its tab shows it.
        "http://s1.test/\xE2\x80\xAEgpj.exe"s, "http://s1.test/\xE2\x80\x8F"s,
        "http://\xE2\x80\x8Es1.test/"s, "https://s1.test/\xE2\x81\xA6x\xE2\x81\xA9"s,
        "http://s1.test/\xD8\x9C"s,
        // Other schemes, however dressed up.
        "javascript:alert(1)"s, "JAVASCRIPT:alert(1)"s, " javascript:alert(1)"s,
        "\tjavascript:alert(1)"s, "java\tscript:alert(1)"s, "\x01http://s1.test/"s,
        " http://s1.test/"s, "\xE2\x80\x8Fhttp://s1.test/"s, "\xEF\xBB\xBFhttp://s1.test/"s,
        "FILE:///etc/passwd"s, "file:/etc/passwd"s, "Data:text/html,<script>x</script>"s,
        "data:text/html;base64,PHNjcmlwdD4="s, "vbscript:msgbox(1)"s,
        // "http" without its slashes, or without a host.
        "http:s1.test"s, "http:/s1.test/"s, "https:\\\\evil.test"s, "http:\\\\evil.test"s, "HTTP:"s,
        "http://"s, "http:///etc/passwd"s,
        // Controls inside an otherwise good address.
        "http://s1.test/\x7F"s, "http://s1.test/\r\nHost: evil"s, "http://s1.test/\x1B[2J"s));

TEST(HostileAddressTest, WellFormedHttpAddressesOfAnyScriptAndCaseAreOpened) {
  for (const std::string& address :
       {"HTTPS://S1.TEST/PLAY"s, "http://s1.test/游戏?名=值"s, "http://s1.test/%00%FF%E2%80%AE"s,
        "http://s1.test/עברית"s, "http://s1.test/مرحبا"s}) {
    RecordingOwner owner;
    EXPECT_TRUE(HandOverAddress(address, owner)) << address;
    EXPECT_EQ(owner.opened, std::vector<std::string>{address});
  }
}

// --- text fit to show ------------------------------------------------------------------------

TEST(ShownTextTest, WellFormedTextUpToTheLimitIsShownAsItIs) {
  for (const std::string& text :
       {""s, "Mirab - 风之旅人 - 游戏大厅"s, "\xE2\x80\x8F\xE2\x80\xAEmixed עברית text"s,
        "\xEF\xBF\xBD already replaced"s, "\xF0\x9F\x8E\xAE U+1F3AE"s,
        std::string(kLongestShownCaption, 'x')}) {
    EXPECT_EQ(ShownText(text), text);
    EXPECT_TRUE(IsShowableUtf8(text));
  }
}

TEST(ShownTextTest, EachIllFormedPartAndEveryNulBecomesOneReplacementCharacter) {
  EXPECT_EQ(ShownText("a\xFF"
                      "b"),
            "a" + kReplacement + "b");
  EXPECT_EQ(ShownText("a\xFF\xFE"
                      "b"),
            "a" + kReplacement + kReplacement + "b");
  // A cut sequence is one part; the byte that cut it starts afresh.
  EXPECT_EQ(ShownText("\xE6\xB8"
                      "b"),
            kReplacement + "b");
  EXPECT_EQ(ShownText("\xE6\xB8\xE6\xB8\xB8"), kReplacement + "\xE6\xB8\xB8");
  EXPECT_EQ(ShownText("end\xF0\x9F\x8E"), "end" + kReplacement);
  // Overlong forms and surrogates are no sequences at all: their bytes go one by one.
  EXPECT_EQ(ShownText("\xC0\xAF"), kReplacement + kReplacement);
  EXPECT_EQ(ShownText("\xED\xA0\x80"), kReplacement + kReplacement + kReplacement);
  EXPECT_EQ(ShownText("\xF4\x90\x80\x80"),
            kReplacement + kReplacement + kReplacement + kReplacement);
  EXPECT_EQ(ShownText("a\0b"s), "a" + kReplacement + "b");
  for (const std::string& bad : {"\xFF"s, "\xC0\xAF"s, "a\0"s, "\xED\xA0\x80"s, "\xE6\xB8"s}) {
    EXPECT_FALSE(IsShowableUtf8(bad));
    EXPECT_TRUE(IsShowableUtf8(ShownText(bad)));
  }
}

TEST(ShownTextTest, ALongTextIsCutAtACharacterAndEndsInAnEllipsis) {
  std::string title;
  for (int i = 0; i < 10000; ++i) {
    title += "游";
  }
  std::string expected;
  for (std::size_t i = 0; i < kLongestShownCaption; ++i) {
    expected += "游";
  }
  EXPECT_EQ(ShownText(title), expected + kEllipsis);
  EXPECT_EQ(ShownText(std::string(kLongestShownCaption + 1, 'x')),
            std::string(kLongestShownCaption, 'x') + kEllipsis);
  EXPECT_EQ(ShownText("abcdef", 3), "abc" + kEllipsis);

  // A megabyte of garbage costs no more to show than its first characters.
  const std::string shown = ShownText(std::string(kMegabyte, '\xFF'));
  EXPECT_EQ(shown.size(), kLongestShownCaption * kReplacement.size() + kEllipsis.size());
  EXPECT_TRUE(IsShowableUtf8(shown));
}

// --- captions on the tab strip -------------------------------------------------------------

TEST(HostileCaptionTest, ATenThousandCharacterTitleIsMeasuredAndDrawnCutWithAnEllipsis) {
  test::TabPainterRig rig;
  rig.scene.SetStyle(0);
  rig.scene.width = 400;
  rig.scene.LayOut({150, 150});
  rig.scene.tabs[0].caption = std::string(10000, 'T');
  rig.scene.tabs[1].caption = "short";
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter->DrawAll(true);

  const std::string shown = std::string(kLongestShownCaption, 'T') + kEllipsis;
  EXPECT_THAT(test::LinesStartingWith(rig.log, "measure tabarea \"T"),
              ::testing::ElementsAre("measure tabarea \"" + shown + "\""));
  // Wider than its box (150 - 38 pixels), so drawn left-aligned with the end ellipsis.
  EXPECT_THAT(test::LinesStartingWith(rig.log, "text tabarea \"T"),
              ::testing::ElementsAre("text tabarea \"" + shown + "\" (14,4,112,25) format 32768"));
}

TEST(HostileCaptionTest, IllFormedTitlesAreDrawnWellFormed) {
  test::TabPainterRig rig;
  rig.scene.SetStyle(1);
  rig.scene.width = 600;
  rig.scene.LayOut({180, 180, 180});
  rig.scene.tabs[0].caption = "bad \xFF\xFE end";
  rig.scene.tabs[1].caption = "nul \0 inside"s;
  rig.scene.tabs[2].caption =
      "\xE2\x80\x8F\xE2\x80\xAE"
      "rtl";
  rig.MakePainter();
  rig.MakeBuffers();
  rig.painter->DrawAll(true);

  const std::vector<std::string> drawn = test::LinesStartingWith(rig.log, "text tabarea");
  ASSERT_EQ(drawn.size(), 3u);
  for (const std::string& line : drawn) {
    EXPECT_TRUE(IsShowableUtf8(line)) << line;
  }
  EXPECT_THAT(drawn, ::testing::Contains(
                         ::testing::HasSubstr("\"bad " + kReplacement + kReplacement + " end\"")));
  EXPECT_THAT(drawn,
              ::testing::Contains(::testing::HasSubstr("\"nul " + kReplacement + " inside\"")));
  // Marks that reorder are text like any other: kept, and laid out by the platform.
  EXPECT_THAT(drawn, ::testing::Contains(::testing::HasSubstr("\"\xE2\x80\x8F\xE2\x80\xAE"
                                                              "rtl\"")));
}

}  // namespace
}  // namespace orvane
