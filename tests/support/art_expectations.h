#pragma once
// What every suite that reads the program's art back expects of it: the bitmaps with
// their ids, files, sizes, depths and button-strip cells, and small readers.
#include <cstdint>
#include <string>
#include <vector>

#include "base/picture_headers.h"
#include "base/resource_ids.h"

namespace orvane::art {

struct BitmapCase {
  int id;
  const char* file;
  int width, height, bits;
  int cells;  // 0: not a button strip
  int cell_width;
};

inline constexpr BitmapCase kBitmaps[] = {
    {ORVANE_BITMAP_MIN_BUTTON, "min_button.bmp", 72, 18, 24, 3, 24},
    {ORVANE_BITMAP_MAXRESTORE_BUTTON, "maxrestore_button.bmp", 150, 18, 24, 6, 25},
    {ORVANE_BITMAP_CLOSE_BUTTON, "close_button.bmp", 129, 18, 24, 3, 43},
    {ORVANE_BITMAP_MENU_BUTTON, "menu_button.bmp", 72, 18, 24, 3, 24},
    {ORVANE_BITMAP_LOGO, "logo.bmp", 29, 29, 32, 0, 0},
    {ORVANE_BITMAP_TAB_SKIN_0, "tab_skin_0.bmp", 415, 25, 24, 0, 0},
    {ORVANE_BITMAP_TAB_SKIN_1, "tab_skin_1.bmp", 421, 28, 24, 0, 0},
    {ORVANE_BITMAP_CAPTION_SKIN, "caption_skin.bmp", 94, 85, 24, 0, 0},
    {ORVANE_BITMAP_LOGIN_MIN, "login_min.bmp", 34, 35, 24, 0, 0},
    {ORVANE_BITMAP_LOGIN_CLOSE, "login_close.bmp", 40, 41, 24, 0, 0},
    {ORVANE_BITMAP_ANSWER_YES, "answer_yes.bmp", 225, 22, 24, 3, 75},
    {ORVANE_BITMAP_ANSWER_NO, "answer_no.bmp", 225, 22, 24, 3, 75},
    {ORVANE_BITMAP_LINK_GAME_SITE, "link_game_site.bmp", 13, 22, 24, 3, 4},
    {ORVANE_BITMAP_LINK_OTHER_ACCOUNT, "link_other_account.bmp", 13, 22, 24, 3, 4},
};

// The bytes of a file in the source tree's resources folder (empty when missing).
std::vector<std::uint8_t> ReadArt(const std::string& name);

// How many of the first `cells` cells of a strip differ from every other one.
int CountDistinctCells(const DecodedBitmap& strip, int cells, int cell_width);

}  // namespace orvane::art
