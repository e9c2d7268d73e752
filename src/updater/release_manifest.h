#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "updater/release_crypto.h"

namespace orvane {

// The publisher's description of one release: "/gamehome/mirab/release.txt".
//
//   version=1.2.0
//   win32.path=/gamehome/mirab/release/1.2.0/Orvane.exe
//   win32.size=4718592
//   win32.sha256=<64 hex digits>
//   linux-x86_64.path=...  .size=...  .sha256=...
//   signature=<base64 of r and s, 64 bytes>
//
// Lines end in LF or CR LF. The signature covers every byte before the "signature="
// line and that line is the last one. Unknown keys are ignored, so that a later
// manifest may say more; a key given twice is refused, since one of the two values
// would be taken without anyone having meant it.
inline constexpr std::size_t kMaxManifestBytes = 16 * 1024;
inline constexpr std::size_t kMaxManifestLines = 200;
inline constexpr std::size_t kMaxValueBytes = 512;
// The download's events count bytes in 32 bits.
inline constexpr std::uint64_t kMaxReleaseFileBytes = 0x7FFFFFFF;

inline constexpr std::string_view kPlatformWin32 = "win32";
inline constexpr std::string_view kPlatformLinux = "linux-x86_64";

struct ReleaseFile {
  std::string path;  // on the static server, starting with "/"
  std::uint64_t size = 0;
  Sha256Digest sha256{};
};

struct ReleaseManifest {
  std::string version;
  std::map<std::string, ReleaseFile, std::less<>> files;  // by platform name
  std::string signed_bytes;                               // everything before the signature line
  P256Signature signature{};

  const ReleaseFile* FileFor(std::string_view platform) const;
};

enum class ManifestError {
  kNone,
  kTooLarge,          // more bytes or lines than a manifest ever has
  kBadLine,           // a line that is not key=value, or a control character
  kDuplicateKey,      // a key given twice
  kNoVersion,         // no or an empty version
  kBadFileEntry,      // a platform entry with a missing or malformed path, size or hash
  kNoSignature,       // no signature line, or text after it
  kBadSignatureText,  // the signature is not base64 of 64 bytes
};

struct ManifestParse {
  std::optional<ReleaseManifest> manifest;
  ManifestError error = ManifestError::kNone;
};

// Reads the manifest's text. Says nothing about the signature's validity: see
// VerifyReleaseManifest.
ManifestParse ParseReleaseManifest(std::string_view text);

// True when `candidate` is a later release than `running`. Both must be plain dotted
// numbers ("1.2.0"); missing parts count as 0 ("1.2" is "1.2.0"). Anything else is never
// later, so an old signed manifest replayed to the updater cannot take a player back to a
// release with known faults, and a version the updater cannot order is not installed.
bool IsNewerVersion(std::string_view candidate, std::string_view running);

// True when the manifest's signature verifies under `key`.
bool VerifyReleaseManifest(const ReleaseManifest& manifest, const P256PublicKey& key,
                           ReleaseCrypto& crypto);

// The publisher's key from its hexadecimal text (the uncompressed point, 130 digits);
// nothing for anything else.
std::optional<P256PublicKey> ParsePublicKey(std::string_view hex);

}  // namespace orvane
