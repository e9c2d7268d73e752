#pragma once
// A Canvas that draws nothing and writes down every call made on it and on its
// surfaces, one line of text per call, for tests of the code that drives a Canvas.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/canvas.h"

namespace orvane::test {

class RecordingCanvas : public Canvas {
 public:
  // The log may be shared with other recorders so that the order across them shows.
  explicit RecordingCanvas(std::vector<std::string>& log) : log_(log) {}

  std::unique_ptr<Surface> CreateSurface(int width, int height) override;
  std::unique_ptr<Surface> LoadSkin(int bitmap_id) override;
  std::unique_ptr<Font> CreateGuiFont(int weight) override;

  // Gives a surface a name for the log; surfaces without one are logged as "scratch".
  void Name(const Surface* surface, std::string name);
  std::string NameOf(const Surface* surface) const;
  void Forget(const Surface* surface) { names_.erase(surface); }

  // Text extent of MeasureText; by default 7 pixels per byte and 16 high.
  std::function<Size(std::string_view)> measure = [](std::string_view text) {
    return Size{7 * static_cast<int>(text.size()), 16};
  };

  // Surfaces alive now.
  int live_surfaces = 0;
  std::vector<std::string>& log() { return log_; }

 private:
  std::vector<std::string>& log_;
  std::map<const Surface*, std::string> names_;
};

// The lines of `log` that start with `prefix`.
std::vector<std::string> LinesStartingWith(const std::vector<std::string>& log,
                                           const std::string& prefix);
// The lines of `log` that contain `part`.
std::vector<std::string> LinesContaining(const std::vector<std::string>& log,
                                         const std::string& part);

}  // namespace orvane::test
