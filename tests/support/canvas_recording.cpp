#include "support/canvas_recording.h"

#include <cstdio>

namespace orvane::test {
namespace {

std::string Box(const Rect& r) {
  return "(" + std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) +
         "," + std::to_string(r.height) + ")";
}

std::string At(Point p) {
  return "@(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

std::string ColourText(Colour c) {
  return "rgb(" + std::to_string(RedOf(c)) + "," + std::to_string(GreenOf(c)) + "," +
         std::to_string(BlueOf(c)) + ")";
}

class RecordingFont : public Font {
 public:
  explicit RecordingFont(int weight) : weight_(weight) {}
  int Weight() const override { return weight_; }

 private:
  int weight_;
};

class RecordingSurface : public Surface {
 public:
  RecordingSurface(RecordingCanvas& canvas, int width, int height)
      : canvas_(canvas), width_(width), height_(height) {
    ++canvas_.live_surfaces;
  }
  ~RecordingSurface() override {
    Write("free " + Me());
    canvas_.Forget(this);
    --canvas_.live_surfaces;
  }

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Copy(const Rect& dest, const Surface& source, Point from) override {
    Write("copy " + Me() + " " + Box(dest) + " <- " + canvas_.NameOf(&source) + " " + At(from));
    return true;
  }
  bool Stretch(const Rect& dest, const Surface& source, const Rect& from, bool halftone) override {
    Write("stretch " + Me() + " " + Box(dest) + " <- " + canvas_.NameOf(&source) + " " + Box(from) +
          (halftone ? " halftone" : " plain"));
    return true;
  }
  bool CopyTransparent(const Rect& dest, const Surface& source, Point from, Colour key) override {
    Write("transparent " + Me() + " " + Box(dest) + " <- " + canvas_.NameOf(&source) + " " +
          At(from) + " key " + ColourText(key));
    return true;
  }
  bool FillRect(const Rect& area, Colour colour) override {
    Write("fill " + Me() + " " + Box(area) + " " + ColourText(colour));
    return true;
  }
  void SetFont(const Font& font) override {
    Write("font " + Me() + " " + std::to_string(font.Weight()));
  }
  void SetTextColour(Colour colour) override {
    Write("textcolour " + Me() + " " + ColourText(colour));
  }
  void SetTextBackground(std::optional<Colour> opaque) override {
    Write("textbackground " + Me() + " " + (opaque ? ColourText(*opaque) : "transparent"));
  }
  Size MeasureText(std::string_view text) override {
    Write("measure " + Me() + " \"" + std::string(text) + "\"");
    return canvas_.measure(text);
  }
  int DrawText(std::string_view text, const Rect& box, unsigned format) override {
    Write("text " + Me() + " \"" + std::string(text) + "\" " + Box(box) + " format " +
          std::to_string(format));
    return 16;
  }
  Colour GetPixel(Point) const override { return kInvalidColour; }

 private:
  std::string Me() const { return canvas_.NameOf(this); }
  void Write(std::string line) { canvas_.log().push_back(std::move(line)); }

  RecordingCanvas& canvas_;
  int width_;
  int height_;
};

}  // namespace

std::unique_ptr<Surface> RecordingCanvas::CreateSurface(int width, int height) {
  log_.push_back("create " + std::to_string(width) + "x" + std::to_string(height));
  if (width <= 0 || height <= 0)
    throw DrawingError(kErrCreateBitmapFailed);
  return std::make_unique<RecordingSurface>(*this, width, height);
}

std::unique_ptr<Surface> RecordingCanvas::LoadSkin(int bitmap_id) {
  log_.push_back("skin " + std::to_string(bitmap_id));
  auto skin = std::make_unique<RecordingSurface>(*this, bitmap_id == 106 ? 415 : 421,
                                                 bitmap_id == 106 ? 25 : 28);
  Name(skin.get(), "skin" + std::to_string(bitmap_id));
  return skin;
}

std::unique_ptr<Font> RecordingCanvas::CreateGuiFont(int weight) {
  log_.push_back("guifont " + std::to_string(weight));
  return std::make_unique<RecordingFont>(weight);
}

void RecordingCanvas::Name(const Surface* surface, std::string name) {
  names_[surface] = std::move(name);
}

std::string RecordingCanvas::NameOf(const Surface* surface) const {
  auto it = names_.find(surface);
  return it == names_.end() ? "scratch" : it->second;
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& log,
                                           const std::string& prefix) {
  std::vector<std::string> out;
  for (const auto& line : log) {
    if (line.rfind(prefix, 0) == 0)
      out.push_back(line);
  }
  return out;
}

std::vector<std::string> LinesContaining(const std::vector<std::string>& log,
                                         const std::string& part) {
  std::vector<std::string> out;
  for (const auto& line : log) {
    if (line.find(part) != std::string::npos)
      out.push_back(line);
  }
  return out;
}

}  // namespace orvane::test
