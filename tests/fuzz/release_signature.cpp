// The signature check's own input: any public key, signature and message reach the
// platform's cryptography (OpenSSL) without harm, and none of them verifies by chance.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/release_samples.h"
#include "updater/release_crypto.h"
#include "updater/release_manifest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::unique_ptr<orvane::ReleaseCrypto> crypto = orvane::MakePlatformReleaseCrypto();

  // The key's text as the build configuration gives it.
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto parsed = orvane::ParsePublicKey(text)) {
    FUZZ_CHECK(size == 130 && (*parsed)[0] == 0x04);
  }

  // Raw input: 65 bytes of key, 64 of signature, the rest the message.
  orvane::P256PublicKey key{};
  orvane::P256Signature signature{};
  const std::size_t key_bytes = std::min(size, key.size());
  std::copy_n(data, key_bytes, key.begin());
  const std::size_t signature_bytes = std::min(size - key_bytes, signature.size());
  std::copy_n(data + key_bytes, signature_bytes, signature.begin());
  const std::span<const std::uint8_t> message(data + key_bytes + signature_bytes,
                                              size - key_bytes - signature_bytes);
  // A key off the curve, a zero or oversized r or s: refused, never taken as good. A
  // valid signature cannot come out of mutation: only the seed's own triple verifies.
  if (crypto->VerifyP256Sha256(key, message, signature)) {
    static const orvane::P256PublicKey development =
        *orvane::ParsePublicKey(orvane::fuzz::kDevelopmentKey);
    const std::string_view body(reinterpret_cast<const char*>(message.data()), message.size());
    FUZZ_CHECK(key == development && body == orvane::fuzz::kSignedBody);
  }

  auto sha = crypto->NewSha256();
  FUZZ_CHECK(sha != nullptr);
  orvane::Sha256Digest one{};
  FUZZ_CHECK(sha->Update(message) && sha->Finish(one));
  return 0;
}
