#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "browser/browser.h"

namespace orvane::win32 {

// Makes the embedded browser that a window holds inside `parent`, raising its events to
// `events`. The program's windows use the system's WebBrowser control; a window built with
// another factory holds whatever browser that one makes.
using BrowserFactory =
    std::function<std::unique_ptr<browser::Browser>(HWND parent, browser::BrowserEvents& events)>;

// The system's WebBrowser control (WebBrowserHost).
BrowserFactory SystemBrowserFactory();

}  // namespace orvane::win32
