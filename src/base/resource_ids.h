#pragma once
// Numbers of the resources the program carries. Plain #defines: the Windows resource
// script includes this header too. Each resource type has its own numbering, so the
// same number may name a picture and an icon file.

// Normal icon resource: the program's own icon (Explorer, taskbar before a window sets one).
#define ORVANE_ICON_APPLICATION 1

// Custom type "PNG".
#define ORVANE_PNG_LOGIN_BACKGROUND 101  // 1191 x 700 with alpha, login background window
#define ORVANE_PNG_SPLASH 102            // 356 x 122 with alpha, splash window

// Custom type "ICON": the complete icon file, written to "mirab.ico" at login.
#define ORVANE_ICONFILE_MIRAB 101

// Custom type "UPDATE": the updater program, written to "Update.exe".
#define ORVANE_UPDATE_PROGRAM 101

// BITMAP. Button strips hold their looks side by side in equal cells.
#define ORVANE_BITMAP_MIN_BUTTON 101          // 72 x 18, three 24 x 18 cells
#define ORVANE_BITMAP_MAXRESTORE_BUTTON 102   // 150 x 18, six 25 x 18 cells
#define ORVANE_BITMAP_CLOSE_BUTTON 103        // 129 x 18, three 43 x 18 cells
#define ORVANE_BITMAP_MENU_BUTTON 104         // 72 x 18, three 24 x 18 cells
#define ORVANE_BITMAP_LOGO 105                // 29 x 29, 32 bits
#define ORVANE_BITMAP_TAB_SKIN_0 106          // 415 x 25, tab style 0
#define ORVANE_BITMAP_TAB_SKIN_1 107          // 421 x 28, other tab styles
#define ORVANE_BITMAP_CAPTION_SKIN 108        // 94 x 85, caption bar and window frame
#define ORVANE_BITMAP_LOGIN_MIN 109           // 34 x 35, login window's minimise picture
#define ORVANE_BITMAP_LOGIN_CLOSE 110         // 40 x 41, login window's close picture
#define ORVANE_BITMAP_ANSWER_YES 111          // 225 x 22, three 75 x 22 cells ("是")
#define ORVANE_BITMAP_ANSWER_NO 112           // 225 x 22, three 75 x 22 cells ("否")
#define ORVANE_BITMAP_LINK_GAME_SITE 113      // 13 x 22, three 4 x 22 cells ("游戏官网")
#define ORVANE_BITMAP_LINK_OTHER_ACCOUNT 114  // 13 x 22, three 4 x 22 cells ("登录其他帐号")
