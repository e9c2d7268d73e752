// Entry point of the Linux client. The start-up sequence is not wired in yet: the
// program says so and ends.
#include <cstdio>

#include "base/product.h"

int main() {
  std::fprintf(stderr, "%s %s: the client windows are not built yet.\n",
               orvane::kProductName.data(), orvane::kVersionText.data());
  return 0;
}
