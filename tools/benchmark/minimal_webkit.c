/* The smallest WebKitGTK program that shows pages the way the client does: one window,
 * one web view per page (a notebook of them for several pages), one persistent web
 * context for all of them. tools/bench compares the client with it.
 *
 *   minimal_webkit [--trace FILE] [--size WxH] [--data DIR] [--no-accel] URL...
 *
 * --trace appends "process-start NS" at entry and "page-loaded I NS" when page I first
 * finishes loading, NS being CLOCK_MONOTONIC in nanoseconds. --no-accel turns accelerated
 * compositing off, as the client does on a software OpenGL renderer. */
#include <gtk/gtk.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <webkit2/webkit2.h>

static const char *trace_file;

static void trace(const char *what, int index) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  if (!trace_file) return;
  FILE *f = fopen(trace_file, "a");
  if (!f) return;
  long long ns = (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
  if (index >= 0)
    fprintf(f, "%s %d %lld\n", what, index, ns);
  else
    fprintf(f, "%s %lld\n", what, ns);
  fclose(f);
}

static void on_load_changed(WebKitWebView *view, WebKitLoadEvent event, gpointer index) {
  if (event != WEBKIT_LOAD_FINISHED) return;
  if (g_object_get_data(G_OBJECT(view), "loaded")) return;
  g_object_set_data(G_OBJECT(view), "loaded", GINT_TO_POINTER(1));
  trace("page-loaded", GPOINTER_TO_INT(index));
}

int main(int argc, char **argv) {
  int width = 1280, height = 1024, accel = 1;
  const char *data = NULL;
  int first_url = 1;
  for (; first_url < argc; ++first_url) {
    const char *a = argv[first_url];
    if (!strcmp(a, "--trace") && first_url + 1 < argc) {
      trace_file = argv[++first_url];
    } else if (!strcmp(a, "--size") && first_url + 1 < argc) {
      if (sscanf(argv[++first_url], "%dx%d", &width, &height) != 2) return 2;
    } else if (!strcmp(a, "--data") && first_url + 1 < argc) {
      data = argv[++first_url];
    } else if (!strcmp(a, "--no-accel")) {
      accel = 0;
    } else {
      break;
    }
  }
  trace("process-start", -1);
  if (first_url >= argc) {
    fprintf(stderr, "usage: minimal_webkit [--trace F] [--size WxH] [--data DIR] [--no-accel] URL...\n");
    return 2;
  }
  if (!gtk_init_check(&argc, &argv)) return 1;

  WebKitWebsiteDataManager *manager = NULL;
  if (data) {
    char *d = g_build_filename(data, "data", NULL), *c = g_build_filename(data, "cache", NULL);
    manager = webkit_website_data_manager_new("base-data-directory", d, "base-cache-directory", c, NULL);
    g_free(d);
    g_free(c);
  } else {
    manager = webkit_website_data_manager_new_ephemeral();
  }
  WebKitWebContext *context = webkit_web_context_new_with_website_data_manager(manager);
  g_object_unref(manager);
  webkit_web_context_set_cache_model(context, WEBKIT_CACHE_MODEL_WEB_BROWSER);

  GtkWidget *window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "minimal_webkit");
  gtk_window_set_default_size(GTK_WINDOW(window), width, height);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
  int pages = argc - first_url;
  GtkWidget *notebook = NULL;
  if (pages > 1) {
    notebook = gtk_notebook_new();
    gtk_container_add(GTK_CONTAINER(window), notebook);
  }
  for (int i = 0; i < pages; ++i) {
    WebKitSettings *settings = webkit_settings_new();
    if (!accel)
      webkit_settings_set_hardware_acceleration_policy(settings, WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    GtkWidget *view = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context, "settings", settings, NULL));
    g_object_unref(settings);
    g_signal_connect(view, "load-changed", G_CALLBACK(on_load_changed), GINT_TO_POINTER(i));
    if (notebook)
      gtk_notebook_append_page(GTK_NOTEBOOK(notebook), view, gtk_label_new(argv[first_url + i]));
    else
      gtk_container_add(GTK_CONTAINER(window), view);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), argv[first_url + i]);
  }
  gtk_widget_show_all(window);
  if (notebook) gtk_notebook_set_current_page(GTK_NOTEBOOK(notebook), pages - 1);
  gtk_main();
  g_object_unref(context);
  return 0;
}
