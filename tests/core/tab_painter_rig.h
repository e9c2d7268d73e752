#pragma once
// The tab painter over a recording canvas and a scripted strip: every drawing call and
// every host event lands, in order, in one log.

#include <memory>
#include <string>
#include <vector>

#include "support/canvas_recording.h"
#include "support/canvas_tab_scene.h"
#include "tabstrip/tab_painter.h"

namespace orvane::test {

struct TabPainterRig {
  std::vector<std::string> log;
  RecordingCanvas canvas{log};
  TabScene scene;
  std::unique_ptr<TabPainter> painter;

  TabPainterRig() { scene.log = &log; }

  void MakePainter() { painter = std::make_unique<TabPainter>(canvas, scene, scene); }

  // Buffers for the scene's current size, named for the log; the log starts afresh.
  void MakeBuffers() {
    try {
      painter->CreateBuffers();
    } catch (const DrawingError&) {
      // A strip too narrow for some buffer simply goes without it.
    }
    if (painter->BackBuffer())
      canvas.Name(painter->BackBuffer(), "back");
    if (painter->BackgroundBuffer())
      canvas.Name(painter->BackgroundBuffer(), "background");
    if (painter->TabAreaBuffer())
      canvas.Name(painter->TabAreaBuffer(), "tabarea");
    log.clear();
  }
};

}  // namespace orvane::test
