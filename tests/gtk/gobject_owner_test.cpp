// The one owner of the GTK front-end's widgets and objects: it sinks what it takes, and
// letting go disconnects its holder's handlers before a widget is destroyed, so that no
// signal of the destruction reaches a holder that is being taken apart.
#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include "base/gtk/gobject_owner.h"

namespace orvane::gtk {
namespace {

struct Holder {
  int destroy_signals = 0;
  static void OnDestroy(GtkWidget*, gpointer self) {
    ++static_cast<Holder*>(self)->destroy_signals;
  }
};

void Finalized(gpointer flag, GObject*) {
  *static_cast<bool*>(flag) = true;
}

class GObjectOwnerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }
};

TEST_F(GObjectOwnerTest, AFloatingWidgetIsSunkAndFinalizedWithItsOwner) {
  bool finalized = false;
  Holder holder;
  {
    GtkWidget* area = gtk_drawing_area_new();
    ASSERT_TRUE(g_object_is_floating(area));
    GObjectOwner<GtkWidget> owner(area, &holder, GObjectOwner<GtkWidget>::Release::kDestroyWidget);
    EXPECT_FALSE(g_object_is_floating(area));
    g_object_weak_ref(G_OBJECT(area), Finalized, &finalized);
    g_signal_connect(area, "destroy", G_CALLBACK(Holder::OnDestroy), &holder);
  }
  EXPECT_TRUE(finalized);
  // Disconnected before the destruction: the holder heard nothing of it.
  EXPECT_EQ(holder.destroy_signals, 0);
}

TEST_F(GObjectOwnerTest, AWidgetInAContainerIsDestroyedAndLeavesIt) {
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
  g_object_ref_sink(box);
  bool finalized = false;
  {
    GtkWidget* area = gtk_drawing_area_new();
    GObjectOwner<GtkWidget> owner(area, nullptr, GObjectOwner<GtkWidget>::Release::kDestroyWidget);
    gtk_container_add(GTK_CONTAINER(box), area);
    g_object_weak_ref(G_OBJECT(area), Finalized, &finalized);
  }
  EXPECT_TRUE(finalized);
  GList* children = gtk_container_get_children(GTK_CONTAINER(box));
  EXPECT_EQ(children, nullptr);
  g_list_free(children);
  g_object_unref(box);
}

TEST_F(GObjectOwnerTest, AnObjectOwnedElsewhereOnlyLosesTheOwnersReference) {
  GtkWidget* area = gtk_drawing_area_new();
  g_object_ref_sink(area);
  Holder holder;
  bool finalized = false;
  g_object_weak_ref(G_OBJECT(area), Finalized, &finalized);
  {
    GObjectOwner<GtkWidget> owner(area, &holder);
    g_signal_connect(area, "destroy", G_CALLBACK(Holder::OnDestroy), &holder);
  }
  EXPECT_FALSE(finalized);
  // The holder's handler went with the owner; the widget's own destruction is not heard.
  gtk_widget_destroy(area);
  EXPECT_EQ(holder.destroy_signals, 0);
  g_object_unref(area);
  EXPECT_TRUE(finalized);
}

TEST_F(GObjectOwnerTest, AnAdoptedReferenceIsDroppedOnceAndMovesWithTheOwner) {
  GtkWidget* area = gtk_drawing_area_new();
  g_object_ref_sink(area);
  bool finalized = false;
  g_object_weak_ref(G_OBJECT(area), Finalized, &finalized);
  GtkGesture* gesture = gtk_gesture_multi_press_new(area);
  bool gesture_finalized = false;
  g_object_weak_ref(G_OBJECT(gesture), Finalized, &gesture_finalized);
  {
    auto first = GObjectOwner<GtkGesture>::Adopt(gesture, nullptr);
    GObjectOwner<GtkGesture> second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), gesture);
  }
  EXPECT_TRUE(gesture_finalized);
  g_object_unref(area);
  EXPECT_TRUE(finalized);
}

}  // namespace
}  // namespace orvane::gtk
