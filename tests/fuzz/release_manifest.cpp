// The release manifest: its reader and the signature check over the bytes it signs.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/release_samples.h"
#include "updater/release_crypto.h"
#include "updater/release_manifest.h"

namespace {

bool Printable(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::unique_ptr<orvane::ReleaseCrypto> crypto = orvane::MakePlatformReleaseCrypto();
  static const orvane::P256PublicKey key = *orvane::ParsePublicKey(orvane::fuzz::kDevelopmentKey);

  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const orvane::ManifestParse parse = orvane::ParseReleaseManifest(text);
  FUZZ_CHECK(parse.manifest.has_value() == (parse.error == orvane::ManifestError::kNone));
  if (!parse.manifest) {
    return 0;
  }
  const orvane::ReleaseManifest& manifest = *parse.manifest;
  FUZZ_CHECK(size <= orvane::kMaxManifestBytes);
  // The signed bytes are the text's beginning, up to a line start.
  FUZZ_CHECK(text.starts_with(manifest.signed_bytes));
  FUZZ_CHECK(manifest.signed_bytes.empty() || manifest.signed_bytes.back() == '\n' ||
             manifest.signed_bytes.back() == '\r');
  // Nothing but the signature line (and its end) follows the signed bytes.
  const std::string_view last = text.substr(manifest.signed_bytes.size());
  FUZZ_CHECK(last.starts_with("signature="));
  const std::size_t end = last.find_first_of("\r\n");
  FUZZ_CHECK(end == std::string_view::npos || last.substr(end) == "\n" ||
             last.substr(end) == "\r\n");
  FUZZ_CHECK(!manifest.version.empty() && Printable(manifest.version));
  for (const auto& [platform, file] : manifest.files) {
    FUZZ_CHECK(platform == orvane::kPlatformWin32 || platform == orvane::kPlatformLinux);
    FUZZ_CHECK(file.path.starts_with("/") && Printable(file.path));
    FUZZ_CHECK(file.size <= orvane::kMaxReleaseFileBytes);
    FUZZ_CHECK(manifest.FileFor(platform) == &file);
  }
  // Only the publisher's signature over exactly these bytes is good.
  if (orvane::VerifyReleaseManifest(manifest, key, *crypto)) {
    FUZZ_CHECK(manifest.signed_bytes == orvane::fuzz::kSignedBody);
  }
  return 0;
}
