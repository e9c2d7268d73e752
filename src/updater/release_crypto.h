#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace orvane {

using Sha256Digest = std::array<std::uint8_t, 32>;
// An uncompressed P-256 point: 0x04, then X and Y, 32 bytes each, big-endian.
using P256PublicKey = std::array<std::uint8_t, 65>;
// An ECDSA signature as r and s side by side, 32 bytes each, big-endian.
using P256Signature = std::array<std::uint8_t, 64>;

// A SHA-256 computed piece by piece, so that a large file never sits in memory whole.
class Sha256Stream {
 public:
  virtual ~Sha256Stream() = default;
  // False when the platform refused the data; the digest is then unusable.
  virtual bool Update(std::span<const std::uint8_t> bytes) = 0;
  // The digest of everything given; nothing when any step failed.
  virtual bool Finish(Sha256Digest& digest) = 0;
};

// The platform's own cryptography, as far as the updater needs it to trust a release.
class ReleaseCrypto {
 public:
  virtual ~ReleaseCrypto() = default;
  // Nothing when the platform offers no SHA-256.
  virtual std::unique_ptr<Sha256Stream> NewSha256() = 0;
  // True only when `signature` is a valid ECDSA P-256 signature of SHA-256(`message`)
  // under `key`. Any failure of the platform (no such algorithm, key refused) is false:
  // a signature that cannot be checked is never taken as good. Only the uncompressed form
  // (0x04, X, Y) is a key, on every platform alike: one library would also take the same
  // point in its hybrid form (0x06/0x07), another would read X and Y whatever came first.
  bool VerifyP256Sha256(const P256PublicKey& key, std::span<const std::uint8_t> message,
                        const P256Signature& signature) {
    return key[0] == 0x04 && VerifyUncompressedP256Sha256(key, message, signature);
  }

 protected:
  // The platform's check of a key already known to be in the uncompressed form.
  virtual bool VerifyUncompressedP256Sha256(const P256PublicKey& key,
                                            std::span<const std::uint8_t> message,
                                            const P256Signature& signature) = 0;
};

// The platform's implementation: BCrypt on Windows, OpenSSL libcrypto on Linux.
std::unique_ptr<ReleaseCrypto> MakePlatformReleaseCrypto();

}  // namespace orvane
