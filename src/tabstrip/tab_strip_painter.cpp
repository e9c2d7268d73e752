#include "tabstrip/tab_strip_painter.h"

#include "tabstrip/utab.h"

namespace orvane {

TabStripPainter::TabStripPainter(Canvas& canvas, uTab& strip) : painter_(canvas, strip, strip) {}

}  // namespace orvane
