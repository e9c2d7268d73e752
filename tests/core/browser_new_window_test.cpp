// A page's request for a new window: only web addresses leave for the system browser, and
// the client never opens a window of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/compositing.h"
#include "browser/new_window.h"

namespace orvane::browser {
namespace {

class RecordingSystemBrowser final : public SystemBrowser {
 public:
  void Open(const std::string& address) override { opened.push_back(address); }
  std::vector<std::string> opened;
};

TEST(NewWindow, WebAddressesGoToTheSystemBrowserUnchanged) {
  RecordingSystemBrowser system;
  for (const std::string address : {"http://127.0.0.1:8080/zt/mirab/#news",
                                    "https://example.com/pay?a=1&b=2", "HTTPS://Example.com/"}) {
    bool processed = false;
    HandNewWindowToSystemBrowser(address, processed, system);
    EXPECT_TRUE(processed) << address;
  }
  EXPECT_EQ(system.opened,
            (std::vector<std::string>{"http://127.0.0.1:8080/zt/mirab/#news",
                                      "https://example.com/pay?a=1&b=2", "HTTPS://Example.com/"}));
}

TEST(NewWindow, EveryOtherAddressIsDroppedAndStillProcessed) {
  RecordingSystemBrowser system;
  for (const std::string address :
       {"file:///etc/passwd", "C:\\Windows\\system32\\calc.exe", "javascript:alert(1)",
        "app://exitgame", "mailto:a@b.c", "ftp://host/file", "http://", "https:///path",
        "http://host/a b", "http://host/\n", "", "about:blank", "data:text/html,x", " http://host/",
        "http://:80/", "https://user@/x", "http://\\evil.test/"}) {
    bool processed = false;
    HandNewWindowToSystemBrowser(address, processed, system);
    EXPECT_TRUE(processed) << address;
    EXPECT_FALSE(MayOpenInSystemBrowser(address)) << address;
  }
  EXPECT_TRUE(system.opened.empty()) << ::testing::PrintToString(system.opened);
}

TEST(Compositing, MesaAndMicrosoftSoftwareRenderersAndNoRendererAreSoftware) {
  for (const char* name : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer",
                           "swrast", "GDI Generic", "LLVMPIPE", "", "  "}) {
    EXPECT_TRUE(IsSoftwareRenderer(name)) << name;
  }
}

TEST(Compositing, HardwareRenderersKeepCompositing) {
  for (const char* name : {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)",
                           "AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0)",
                           "NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", "virgl"}) {
    EXPECT_FALSE(IsSoftwareRenderer(name)) << name;
  }
}

}  // namespace
}  // namespace orvane::browser
