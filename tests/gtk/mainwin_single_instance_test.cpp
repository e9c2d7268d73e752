// Single instance on Linux: two real processes on the private session bus. The first
// start keeps running; later starts hand their address (or nothing) to it and end.
#include <gio/gio.h>
#include <glib/gstdio.h>
#include <signal.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!g_getenv("DBUS_SESSION_BUS_ADDRESS")) {
      GTEST_SKIP() << "no session bus (tools/testenv.sh orvane_start_session_bus starts one)";
    }
    gchar* dir = g_dir_make_tmp("orvane-single-XXXXXX", nullptr);
    ASSERT_NE(dir, nullptr);
    folder = dir;
    g_free(dir);
    log = folder + "/log";
    id = "com.orvane.ClientTest" + std::to_string(getpid());
  }
  void TearDown() override {
    if (primary > 0) {
      kill(primary, SIGTERM);
      waitpid(primary, nullptr, 0);
    }
    if (!folder.empty()) {
      g_remove(log.c_str());
      g_rmdir(folder.c_str());
    }
  }

  std::vector<std::string> Command(const std::vector<std::string>& rest) const {
    std::vector<std::string> argv{ORVANE_SINGLE_INSTANCE_PROBE, id, log};
    argv.insert(argv.end(), rest.begin(), rest.end());
    return argv;
  }
  static std::vector<char*> Raw(std::vector<std::string>& argv) {
    std::vector<char*> raw;
    for (std::string& a : argv) {
      raw.push_back(a.data());
    }
    raw.push_back(nullptr);
    return raw;
  }

  void StartPrimary() {
    std::vector<std::string> argv = Command({"--hold"});
    std::vector<char*> raw = Raw(argv);
    GError* error = nullptr;
    ASSERT_TRUE(g_spawn_async(nullptr, raw.data(), nullptr, G_SPAWN_DO_NOT_REAP_CHILD, nullptr,
                              nullptr, &primary, &error))
        << (error ? error->message : "");
    // The first start presents its own window, as a plain start does.
    ASSERT_TRUE(WaitFor("primary\npresent\n"));
  }

  // Runs a later start to its end; its exit status.
  int Second(const std::vector<std::string>& args) {
    std::vector<std::string> argv = Command(args);
    std::vector<char*> raw = Raw(argv);
    int status = -1;
    GError* error = nullptr;
    if (!g_spawn_sync(nullptr, raw.data(), nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr,
                      nullptr, &status, &error)) {
      ADD_FAILURE() << (error ? error->message : "");
      g_clear_error(&error);
      return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  bool WaitFor(const std::string& text) const {
    for (int i = 0; i < 500; ++i) {
      if (ReadAll(log).find(text) != std::string::npos) {
        return true;
      }
      g_usleep(10000);
    }
    return false;
  }

  std::string folder;
  std::string log;
  std::string id;
  GPid primary = 0;
};

TEST_F(SingleInstanceTest, ALaterStartHandsItsAddressToTheRunningClient) {
  StartPrimary();
  const std::string address = "http://s1.orvane-game.com/game/mirab/play?user=7&server=2";
  EXPECT_EQ(Second({address}), 0);
  EXPECT_EQ(Second({address}), 0);
  ASSERT_TRUE(WaitFor("refused 0\npresent\nopen " + address + "\nrefused 0\n"));
  EXPECT_EQ(ReadAll(log), "primary\npresent\npresent\nopen " + address +
                              "\nrefused 0\npresent\nopen " + address + "\nrefused 0\n");
}

TEST_F(SingleInstanceTest, APlainLaterStartPresentsTheRunningClient) {
  StartPrimary();
  EXPECT_EQ(Second({}), 0);
  ASSERT_TRUE(WaitFor("primary\npresent\npresent\n"));
  EXPECT_EQ(ReadAll(log), "primary\npresent\npresent\n");
}

TEST_F(SingleInstanceTest, AnythingButAGameAddressIsRefusedAndNeverOpened) {
  StartPrimary();
  EXPECT_EQ(Second({"file:///etc/passwd"}), 0);
  ASSERT_TRUE(WaitFor("refused 1\n"));
  EXPECT_EQ(Second({"javascript:alert(1)"}), 0);
  ASSERT_TRUE(WaitFor("refused 2\n"));
  EXPECT_EQ(Second({"../../etc/hosts"}), 0);
  ASSERT_TRUE(WaitFor("refused 3\n"));
  EXPECT_EQ(ReadAll(log).find("open "), std::string::npos) << ReadAll(log);
}

// Hostile arguments: the running client must not crash, and opens nothing that is no
// well-formed http(s) address, however a later start or a program on the bus sends it.

TEST_F(SingleInstanceTest, ALongAddressOnTheCommandLineArrivesWhole) {
  StartPrimary();
  // As long as one argument of a program may be (128 KiB on Linux), nearly.
  const std::string address = "http://s1.orvane-game.com/play?pad=" + std::string(120000, 'a');
  EXPECT_EQ(Second({address}), 0);
  ASSERT_TRUE(WaitFor("open " + address + "\nrefused 0\n"));
}

TEST_F(SingleInstanceTest, AMegabyteAddressOnTheBusArrivesWholeAndJunkIsRefused) {
  StartPrimary();
  // What a later start sends, sent straight to the running client: an argument that long
  // cannot pass a command line.
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  ASSERT_NE(bus, nullptr);
  std::string path = "/" + id;
  for (char& c : path) {
    c = c == '.' ? '/' : c;
  }
  const auto open = [&](const std::string& uri) {
    const gchar* uris[] = {uri.c_str(), nullptr};
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(
        bus, id.c_str(), path.c_str(), "org.gtk.Application", "Open",
        g_variant_new("(^as@s@a{sv})", uris, g_variant_new_string(""),
                      g_variant_new_array(G_VARIANT_TYPE("{sv}"), nullptr, 0)),
        nullptr, G_DBUS_CALL_FLAGS_NONE, 60000, nullptr, &error);
    EXPECT_NE(reply, nullptr) << (error ? error->message : "");
    g_clear_error(&error);
    if (reply) {
      g_variant_unref(reply);
    }
  };
  const std::string address = "https://s1.orvane-game.com/" + std::string(1024 * 1024, 'p');
  open(address);
  ASSERT_TRUE(WaitFor("open " + address + "\nrefused 0\n"));
  open("javascript:" + std::string(1024 * 1024, 'j'));
  ASSERT_TRUE(WaitFor("refused 1\n"));
  open("http://s1.orvane-game.com/\u202Egpj.exe");
  ASSERT_TRUE(WaitFor("refused 2\n"));
  g_object_unref(bus);
  EXPECT_EQ(ReadAll(log).find("open javascript"), std::string::npos);
}

TEST_F(SingleInstanceTest, IllFormedArgumentsOfALaterStartOpenNothing) {
  StartPrimary();
  // A later start must not even complain about them: any warning of GLib ends it.
  g_setenv("G_DEBUG", "fatal-warnings", TRUE);
  for (const std::string& argument :
       {std::string("http://s1.orvane-game.com/\xFF\xFE"),
        std::string("http://s1.orvane-game.com/\xE6\xB8"), std::string("\xFF\xFEjavascript:x"),
        std::string("http://s1.orvane-game.com/\xE2\x80\xAEgpj.exe"),
        std::string("file:///etc/passwd%00http://s1.orvane-game.com/")}) {
    EXPECT_EQ(Second({argument}), 0) << argument;
  }
  g_unsetenv("G_DEBUG");
  // A later start whose address is well-formed still gets through afterwards: the running
  // client is alive and was not confused.
  const std::string address = "http://s1.orvane-game.com/play?nul=%00";
  EXPECT_EQ(Second({address}), 0);
  ASSERT_TRUE(WaitFor("open " + address + "\n"));
  const std::string all = ReadAll(log);
  EXPECT_EQ(all.find("open "), all.rfind("open ")) << all;
  EXPECT_EQ(all.find("\xFF"), std::string::npos);
  EXPECT_EQ(all.find("gpj"), std::string::npos);
  EXPECT_EQ(all.find("passwd"), std::string::npos);
}

}  // namespace
