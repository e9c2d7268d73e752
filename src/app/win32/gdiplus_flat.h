#pragma once
// GDI+ for the flat-interface code: its headers expect min and max in scope, and the
// project builds with NOMINMAX.
#include <windows.h>
#include <objidl.h>

#include <algorithm>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
