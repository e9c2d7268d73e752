// Release checks over the system's BCrypt (bcrypt.dll): SHA-256 hashes and ECDSA P-256
// verification with the key imported from an ECC public blob.
#include <windows.h>
#include <bcrypt.h>

#include <cstring>
#include <vector>

#include "base/win32/unique_handle.h"
#include "updater/release_crypto.h"

namespace orvane {
namespace {

inline void CloseAlgorithm(BCRYPT_ALG_HANDLE handle) {
  ::BCryptCloseAlgorithmProvider(handle, 0);
}
inline void DestroyHash(BCRYPT_HASH_HANDLE handle) {
  ::BCryptDestroyHash(handle);
}
inline void DestroyKey(BCRYPT_KEY_HANDLE handle) {
  ::BCryptDestroyKey(handle);
}

using UniqueAlgorithm = win32::UniqueHandle<BCRYPT_ALG_HANDLE, CloseAlgorithm>;
using UniqueHash = win32::UniqueHandle<BCRYPT_HASH_HANDLE, DestroyHash>;
using UniqueKey = win32::UniqueHandle<BCRYPT_KEY_HANDLE, DestroyKey>;

bool Succeeded(NTSTATUS status) {
  return status >= 0;
}

UniqueAlgorithm OpenAlgorithm(LPCWSTR name) {
  UniqueAlgorithm algorithm;
  if (!Succeeded(::BCryptOpenAlgorithmProvider(algorithm.put(), name, nullptr, 0))) {
    return {};
  }
  return algorithm;
}

// The algorithm is opened before the hash and outlives it: members are destroyed in
// reverse order of declaration.
class BCryptSha256 final : public Sha256Stream {
 public:
  BCryptSha256() : algorithm_(OpenAlgorithm(BCRYPT_SHA256_ALGORITHM)) {
    ok_ = algorithm_ &&
          Succeeded(::BCryptCreateHash(algorithm_.get(), hash_.put(), nullptr, 0, nullptr, 0, 0));
  }
  bool Update(std::span<const std::uint8_t> bytes) override {
    // BCryptHashData takes a ULONG count; feed large spans in pieces.
    while (ok_ && !bytes.empty()) {
      const std::size_t piece = bytes.size() < (1u << 30) ? bytes.size() : (1u << 30);
      ok_ = Succeeded(::BCryptHashData(hash_.get(), const_cast<PUCHAR>(bytes.data()),
                                       static_cast<ULONG>(piece), 0));
      bytes = bytes.subspan(piece);
    }
    return ok_;
  }
  bool Finish(Sha256Digest& digest) override {
    ok_ = ok_ && Succeeded(::BCryptFinishHash(hash_.get(), digest.data(),
                                              static_cast<ULONG>(digest.size()), 0));
    return ok_;
  }

 private:
  UniqueAlgorithm algorithm_;
  UniqueHash hash_;
  bool ok_ = false;
};

class BCryptReleaseCrypto final : public ReleaseCrypto {
 public:
  std::unique_ptr<Sha256Stream> NewSha256() override { return std::make_unique<BCryptSha256>(); }

  bool VerifyUncompressedP256Sha256(const P256PublicKey& key, std::span<const std::uint8_t> message,
                                    const P256Signature& signature) override {
    BCryptSha256 hash;
    Sha256Digest digest{};
    if (!hash.Update(message) || !hash.Finish(digest)) {
      return false;
    }
    const UniqueAlgorithm algorithm = OpenAlgorithm(BCRYPT_ECDSA_P256_ALGORITHM);
    if (!algorithm) {
      return false;
    }
    // BCRYPT_ECCPUBLIC_BLOB: the header, then X and Y without the leading 0x04.
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + 64);
    BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
    std::memcpy(blob.data(), &header, sizeof header);
    std::memcpy(blob.data() + sizeof header, key.data() + 1, 64);
    UniqueKey handle;
    if (!Succeeded(::BCryptImportKeyPair(algorithm.get(), nullptr, BCRYPT_ECCPUBLIC_BLOB,
                                         handle.put(), blob.data(), static_cast<ULONG>(blob.size()),
                                         0))) {
      return false;
    }
    // BCrypt takes the signature as r and s side by side, as the manifest carries it.
    P256Signature copy = signature;
    return ::BCryptVerifySignature(handle.get(), nullptr, digest.data(),
                                   static_cast<ULONG>(digest.size()), copy.data(),
                                   static_cast<ULONG>(copy.size()), 0) == 0;
  }
};

}  // namespace

std::unique_ptr<ReleaseCrypto> MakePlatformReleaseCrypto() {
  return std::make_unique<BCryptReleaseCrypto>();
}

}  // namespace orvane
