// The client's message boxes as real GTK message dialogs under Xvfb: the dialog is found
// while it runs modally, its title, text, icon and buttons are read back, and a button is
// pressed.
#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/gtk/gtk_message_boxes.h"
#include "base/product.h"

namespace orvane::gtk {
namespace {

struct SeenDialog {
  bool found = false;
  std::string title;
  std::string text;
  GtkMessageType type = GTK_MESSAGE_OTHER;
  std::vector<int> responses;  // OK, YES, NO buttons present
};

struct Inspector {
  SeenDialog seen;
  int press = GTK_RESPONSE_OK;
  int ticks = 0;
};

GtkWidget* FindDialog() {
  GList* toplevels = gtk_window_list_toplevels();
  GtkWidget* found = nullptr;
  for (GList* item = toplevels; item != nullptr; item = item->next) {
    GtkWidget* window = GTK_WIDGET(item->data);
    if (GTK_IS_MESSAGE_DIALOG(window) && gtk_widget_get_mapped(window)) {
      found = window;
    }
  }
  g_list_free(toplevels);
  return found;
}

gboolean Inspect(gpointer data) {
  auto& inspector = *static_cast<Inspector*>(data);
  GtkWidget* dialog = FindDialog();
  if (dialog == nullptr) {
    return ++inspector.ticks < 300 ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
  }
  SeenDialog& seen = inspector.seen;
  seen.found = true;
  seen.title = gtk_window_get_title(GTK_WINDOW(dialog));
  gchar* text = nullptr;
  g_object_get(dialog, "text", &text, "message-type", &seen.type, nullptr);
  seen.text = text ? text : "";
  g_free(text);
  GtkWidget* press = nullptr;
  for (int response : {GTK_RESPONSE_OK, GTK_RESPONSE_YES, GTK_RESPONSE_NO}) {
    GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), response);
    if (button != nullptr && gtk_widget_get_visible(button)) {
      seen.responses.push_back(response);
      if (response == inspector.press) {
        press = button;
      }
    }
  }
  if (press != nullptr) {
    gtk_button_clicked(GTK_BUTTON(press));
  } else {
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_DELETE_EVENT);
  }
  return G_SOURCE_REMOVE;
}

struct Shown {
  MessageAnswer answer;
  SeenDialog seen;
};

Shown ShowAndPress(const MessageBoxRequest& request, int press) {
  Inspector inspector;
  inspector.press = press;
  const guint source = g_timeout_add(20, Inspect, &inspector);
  GtkMessageBoxes boxes;
  const MessageAnswer answer = boxes.ShowMessageBox(request);
  g_source_remove_by_user_data(&inspector);
  (void)source;
  return {answer, inspector.seen};
}

class GtkMessageBoxesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }
};

TEST_F(GtkMessageBoxesTest, TheNoConnectionNoticeIsAWarningWithOneOkButton) {
  const Shown shown = ShowAndPress(
      {kNoConnectionMessage, kMessageTitle, MessageIcon::kWarning, MessageButtons::kOk},
      GTK_RESPONSE_OK);
  ASSERT_TRUE(shown.seen.found) << "no message dialog appeared";
  EXPECT_EQ(shown.seen.title, "提示");
  EXPECT_EQ(shown.seen.text, "未能连接到服务器，请检查网络连接是否正常！");
  EXPECT_EQ(shown.seen.type, GTK_MESSAGE_WARNING);
  EXPECT_EQ(shown.seen.responses, std::vector<int>{GTK_RESPONSE_OK});
  EXPECT_EQ(shown.answer, MessageAnswer::kOk);
}

TEST_F(GtkMessageBoxesTest, TheUpdateOfferIsAQuestionWhoseYesAndNoAreTheAnswers) {
  const MessageBoxRequest offer{kNewVersionMessage, kMessageTitle, MessageIcon::kQuestion,
                                MessageButtons::kYesNo};
  const Shown yes = ShowAndPress(offer, GTK_RESPONSE_YES);
  ASSERT_TRUE(yes.seen.found) << "no message dialog appeared";
  EXPECT_EQ(yes.seen.title, "提示");
  EXPECT_EQ(yes.seen.text, "发现有新版本，是否现在更新！");
  EXPECT_EQ(yes.seen.type, GTK_MESSAGE_QUESTION);
  EXPECT_EQ(yes.seen.responses, (std::vector<int>{GTK_RESPONSE_YES, GTK_RESPONSE_NO}));
  EXPECT_EQ(yes.answer, MessageAnswer::kYes);

  EXPECT_EQ(ShowAndPress(offer, GTK_RESPONSE_NO).answer, MessageAnswer::kNo);
}

TEST_F(GtkMessageBoxesTest, TheCacheNoticeIsAnInformationWithOneOkButton) {
  const Shown shown =
      ShowAndPress({"缓存已清理完毕！", "缓存清理", MessageIcon::kInformation, MessageButtons::kOk},
                   GTK_RESPONSE_OK);
  ASSERT_TRUE(shown.seen.found) << "no message dialog appeared";
  EXPECT_EQ(shown.seen.title, "缓存清理");
  EXPECT_EQ(shown.seen.text, "缓存已清理完毕！");
  EXPECT_EQ(shown.seen.type, GTK_MESSAGE_INFO);
  EXPECT_EQ(shown.seen.responses, std::vector<int>{GTK_RESPONSE_OK});
  EXPECT_EQ(shown.answer, MessageAnswer::kOk);
}

TEST_F(GtkMessageBoxesTest, AQuestionClosedWithoutAnAnswerCountsAsNo) {
  const Shown closed = ShowAndPress(
      {kNewVersionMessage, kMessageTitle, MessageIcon::kQuestion, MessageButtons::kYesNo},
      GTK_RESPONSE_DELETE_EVENT);
  ASSERT_TRUE(closed.seen.found);
  EXPECT_EQ(closed.answer, MessageAnswer::kNo);
}

TEST_F(GtkMessageBoxesTest, ATextWithPercentSignsIsShownAsItIs) {
  const Shown shown = ShowAndPress(
      {"100% %s %n", kMessageTitle, MessageIcon::kWarning, MessageButtons::kOk}, GTK_RESPONSE_OK);
  ASSERT_TRUE(shown.seen.found);
  EXPECT_EQ(shown.seen.text, "100% %s %n");
}

}  // namespace
}  // namespace orvane::gtk
