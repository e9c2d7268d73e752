// One download with the update check's downloader (CNxDownLoadFile over the libcurl
// session), as the client runs it: chunks of CNxDownLoadFile::kChunkSize, the event pump
// between chunks at its usual pace, the body written to a part file renamed at the end.
//   download_bench URL FILE
// Prints "ok BYTES SECONDS" (the transfer alone, steady clock) or "failed".
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/download_file.h"
#include "app/gtk/curl_http_session.h"
#include "app/gtk/glib_event_pump.h"
#include "app/gtk/posix_files.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: download_bench URL FILE\n");
    return 2;
  }
  orvane::gtk::CurlHttpClient http;
  orvane::gtk::PosixOutputFiles files;
  orvane::gtk::GlibEventPump pump;
  orvane::CNxDownLoadFile downloader(http, files, pump);
  const auto start = std::chrono::steady_clock::now();
  const bool ok = downloader.DownLoadFile(argv[1], argv[2], false, false);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (!ok) {
    std::printf("failed\n");
    return 1;
  }
  std::error_code error;
  const auto bytes = std::filesystem::file_size(argv[2], error);
  std::printf("ok %llu %.6f\n", static_cast<unsigned long long>(error ? 0 : bytes), took.count());
  return 0;
}
