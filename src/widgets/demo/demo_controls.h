#pragma once
// The controls of the widgets demo and what they show, the same on either platform: each
// demo program makes the platform's caption bar and buttons and hands them here.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "base/resource_ids.h"
#include "widgets/button_events.h"
#include "widgets/demo/demo_layout.h"
#include "widgets/picture.h"

namespace orvane::demo {

// A button's click, as the demo reacts to it.
class ClickAction final : public iButtonEvents {
 public:
  explicit ClickAction(std::function<void()> action) : action_(std::move(action)) {}
  void Click() override { action_(); }

 private:
  std::function<void()> action_;
};

// What the caption buttons do on this platform.
struct DemoActions {
  std::function<void()> minimise;
  std::function<void()> maximise;
  std::function<void()> close;
};

// `Bar` and `Button` are the platform's caption bar and skinned button.
template <typename Bar, typename Button>
struct DemoControls {
  // `make_button(place)` makes a button at `place`; `load(id)` loads one of the program's
  // bitmaps as a picture.
  template <typename MakeButton, typename Load>
  DemoControls(std::unique_ptr<Bar> new_bar, const DemoLayout& layout, MakeButton make_button,
               Load load, DemoActions actions)
      : bar(std::move(new_bar)) {
    bar->Logic().BackColor("14606046");
    bar->Logic().HasLogo(true);
    bar->Logic().Caption(kCaption);
    auto button = [&](const Rect& place, int strip, std::function<void()> action) {
      std::unique_ptr<Button> made = make_button(place);
      made->Logic().BackPicture(load(strip));
      handlers.push_back(std::make_unique<ClickAction>(std::move(action)));
      made->Logic().SetEvents(handlers.back().get());
      return made;
    };
    menu = button(layout.menu, ORVANE_BITMAP_MENU_BUTTON, [] {});
    minimise = button(layout.minimise, ORVANE_BITMAP_MIN_BUTTON, std::move(actions.minimise));
    maximise =
        button(layout.maximise, ORVANE_BITMAP_MAXRESTORE_BUTTON, std::move(actions.maximise));
    close = button(layout.close, ORVANE_BITMAP_CLOSE_BUTTON, std::move(actions.close));
    maximise->Logic().Style(1);
    link = button(layout.link, ORVANE_BITMAP_LINK_GAME_SITE, [] {});
    link->Logic().AutoSize(false);
    link->Logic().cForeColor(Rgb(255, 255, 255));
    link->Logic().Caption(kLinkCaption);
  }

  // On every size change: the bar across the top, the buttons at the right, the frame
  // painted on `canvas`.
  template <typename Canvas>
  void Place(const DemoLayout& layout, Canvas& canvas) {
    bar->Move(layout.bar);
    menu->Move(layout.menu);
    minimise->Move(layout.minimise);
    maximise->Move(layout.maximise);
    close->Move(layout.close);
    link->Move(layout.link);
    bar->Logic().Printform(canvas);
  }

  // Made in this order and taken apart in the reverse: the buttons before the actions
  // they call.
  std::unique_ptr<Bar> bar;
  std::vector<std::unique_ptr<ClickAction>> handlers;
  std::unique_ptr<Button> menu;
  std::unique_ptr<Button> minimise;
  std::unique_ptr<Button> maximise;
  std::unique_ptr<Button> close;
  std::unique_ptr<Button> link;
};

}  // namespace orvane::demo
