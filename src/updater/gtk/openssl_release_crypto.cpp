// Release checks over OpenSSL's libcrypto (EVP): the key is built from the raw point,
// the raw r and s are wrapped in the DER form EVP expects.
#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>

#include <memory>
#include <vector>

#include "updater/release_crypto.h"

namespace orvane {
namespace {

template <auto Free>
struct Deleter {
  template <typename T>
  void operator()(T* p) const {
    Free(p);
  }
};
using UniqueMdCtx = std::unique_ptr<EVP_MD_CTX, Deleter<EVP_MD_CTX_free>>;
using UniquePkey = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY_free>>;
using UniquePkeyCtx = std::unique_ptr<EVP_PKEY_CTX, Deleter<EVP_PKEY_CTX_free>>;
using UniqueParamBld = std::unique_ptr<OSSL_PARAM_BLD, Deleter<OSSL_PARAM_BLD_free>>;
using UniqueParams = std::unique_ptr<OSSL_PARAM, Deleter<OSSL_PARAM_free>>;
using UniqueEcdsaSig = std::unique_ptr<ECDSA_SIG, Deleter<ECDSA_SIG_free>>;
using UniqueBignum = std::unique_ptr<BIGNUM, Deleter<BN_free>>;

class OpenSslSha256 final : public Sha256Stream {
 public:
  OpenSslSha256() : ctx_(EVP_MD_CTX_new()) {
    ok_ = ctx_ && EVP_DigestInit_ex(ctx_.get(), EVP_sha256(), nullptr) == 1;
  }
  bool Update(std::span<const std::uint8_t> bytes) override {
    ok_ = ok_ && EVP_DigestUpdate(ctx_.get(), bytes.data(), bytes.size()) == 1;
    return ok_;
  }
  bool Finish(Sha256Digest& digest) override {
    unsigned int length = 0;
    ok_ = ok_ && EVP_DigestFinal_ex(ctx_.get(), digest.data(), &length) == 1 &&
          length == digest.size();
    return ok_;
  }

 private:
  UniqueMdCtx ctx_;
  bool ok_ = false;
};

UniquePkey ImportKey(const P256PublicKey& key) {
  UniqueParamBld builder(OSSL_PARAM_BLD_new());
  if (!builder ||
      OSSL_PARAM_BLD_push_utf8_string(builder.get(), OSSL_PKEY_PARAM_GROUP_NAME, "prime256v1", 0) !=
          1 ||
      OSSL_PARAM_BLD_push_octet_string(builder.get(), OSSL_PKEY_PARAM_PUB_KEY, key.data(),
                                       key.size()) != 1) {
    return nullptr;
  }
  UniqueParams params(OSSL_PARAM_BLD_to_param(builder.get()));
  UniquePkeyCtx ctx(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
  if (!params || !ctx || EVP_PKEY_fromdata_init(ctx.get()) != 1) {
    return nullptr;
  }
  EVP_PKEY* made = nullptr;
  if (EVP_PKEY_fromdata(ctx.get(), &made, EVP_PKEY_PUBLIC_KEY, params.get()) != 1) {
    return nullptr;
  }
  UniquePkey pkey(made);
  // fromdata takes any bytes; a point off the curve must not pass as a key.
  UniquePkeyCtx check(EVP_PKEY_CTX_new_from_pkey(nullptr, pkey.get(), nullptr));
  if (!check || EVP_PKEY_public_check(check.get()) != 1) {
    return nullptr;
  }
  return pkey;
}

std::vector<unsigned char> DerSignature(const P256Signature& signature) {
  UniqueBignum r(BN_bin2bn(signature.data(), 32, nullptr));
  UniqueBignum s(BN_bin2bn(signature.data() + 32, 32, nullptr));
  UniqueEcdsaSig sig(ECDSA_SIG_new());
  if (!r || !s || !sig || ECDSA_SIG_set0(sig.get(), r.get(), s.get()) != 1) {
    return {};
  }
  // The signature object owns r and s now.
  (void)r.release();
  (void)s.release();
  const int length = i2d_ECDSA_SIG(sig.get(), nullptr);
  if (length <= 0) {
    return {};
  }
  std::vector<unsigned char> der(static_cast<std::size_t>(length));
  unsigned char* out = der.data();
  if (i2d_ECDSA_SIG(sig.get(), &out) != length) {
    return {};
  }
  return der;
}

class OpenSslReleaseCrypto final : public ReleaseCrypto {
 public:
  std::unique_ptr<Sha256Stream> NewSha256() override { return std::make_unique<OpenSslSha256>(); }

  bool VerifyUncompressedP256Sha256(const P256PublicKey& key, std::span<const std::uint8_t> message,
                                    const P256Signature& signature) override {
    const UniquePkey pkey = ImportKey(key);
    const std::vector<unsigned char> der = DerSignature(signature);
    UniqueMdCtx ctx(EVP_MD_CTX_new());
    if (!pkey || der.empty() || !ctx ||
        EVP_DigestVerifyInit(ctx.get(), nullptr, EVP_sha256(), nullptr, pkey.get()) != 1) {
      return false;
    }
    return EVP_DigestVerify(ctx.get(), der.data(), der.size(), message.data(), message.size()) == 1;
  }
};

}  // namespace

std::unique_ptr<ReleaseCrypto> MakePlatformReleaseCrypto() {
  return std::make_unique<OpenSslReleaseCrypto>();
}

}  // namespace orvane
