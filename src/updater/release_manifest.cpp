#include "updater/release_manifest.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <set>
#include <vector>

#include "updater/text_codec.h"

namespace orvane {
namespace {

constexpr std::string_view kSignatureKey = "signature";

struct Line {
  std::string_view text;  // without its line end
  std::size_t start = 0;  // offset of the line in the manifest
  bool has_end = false;   // ended by LF (or CR LF) rather than the end of the text
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t lf = text.find('\n', start);
    Line line;
    line.start = start;
    if (lf == std::string_view::npos) {
      line.text = text.substr(start);
      start = text.size();
    } else {
      line.text = text.substr(start, lf - start);
      line.has_end = true;
      start = lf + 1;
    }
    // Only a CR before the LF belongs to the line end; a CR anywhere else (also at the
    // very end of the text) stays in the line, which makes it unreadable.
    if (line.has_end && !line.text.empty() && line.text.back() == '\r') {
      line.text.remove_suffix(1);
    }
    lines.push_back(line);
  }
  return lines;
}

bool Printable(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x20 && u != 0x7F;
  });
}

// A path on the static server made only of characters that need no escaping, with no
// "." or ".." segment: the updater builds the address from it by plain concatenation.
bool ValidServerPath(std::string_view path) {
  if (path.size() < 2 || path.front() != '/') {
    return false;
  }
  for (const char c : path) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '/' || c == '.' || c == '-' || c == '_';
    if (!ok) {
      return false;
    }
  }
  std::size_t start = 1;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string_view::npos) {
      end = path.size();
    }
    const std::string_view segment = path.substr(start, end - start);
    if (segment.empty() || segment == "." || segment == "..") {
      return false;
    }
    start = end + 1;
  }
  return true;
}

std::optional<std::uint64_t> ParseSize(std::string_view text) {
  if (text.empty() || text.size() > 10 || (text.size() > 1 && text.front() == '0')) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value == 0 || value > kMaxReleaseFileBytes) {
    return std::nullopt;
  }
  return value;
}

bool ValidVersion(std::string_view text) {
  if (text.empty() || text.size() > 32) {
    return false;
  }
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
           c == '-' || c == '_';
  });
}

// The dotted parts of a version as numbers without leading zeros; nothing when a part is
// empty or holds anything but digits.
std::optional<std::vector<std::string_view>> NumericParts(std::string_view text) {
  std::vector<std::string_view> parts;
  while (true) {
    const std::size_t dot = text.find('.');
    std::string_view part = text.substr(0, dot);
    if (part.empty() ||
        !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      return std::nullopt;
    }
    while (part.size() > 1 && part.front() == '0') {
      part.remove_prefix(1);
    }
    parts.push_back(part);
    if (dot == std::string_view::npos) {
      return parts;
    }
    text.remove_prefix(dot + 1);
  }
}

ManifestParse Fail(ManifestError error) {
  return {std::nullopt, error};
}

}  // namespace

const ReleaseFile* ReleaseManifest::FileFor(std::string_view platform) const {
  const auto found = files.find(platform);
  return found == files.end() ? nullptr : &found->second;
}

ManifestParse ParseReleaseManifest(std::string_view text) {
  if (text.size() > kMaxManifestBytes) {
    return Fail(ManifestError::kTooLarge);
  }
  const std::vector<Line> lines = SplitLines(text);
  if (lines.size() > kMaxManifestLines) {
    return Fail(ManifestError::kTooLarge);
  }

  std::map<std::string, std::string, std::less<>> values;
  std::optional<std::size_t> signature_line;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i].text;
    if (signature_line) {
      // Only an empty last line (the end of the signature line's own LF) may follow.
      return Fail(ManifestError::kNoSignature);
    }
    if (line.empty()) {
      continue;
    }
    if (!Printable(line)) {
      return Fail(ManifestError::kBadLine);
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) {
      return Fail(ManifestError::kBadLine);
    }
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    if (key.size() > 64 || value.size() > kMaxValueBytes) {
      return Fail(ManifestError::kTooLarge);
    }
    if (key == kSignatureKey) {
      signature_line = i;
    }
    if (!values.emplace(std::string(key), std::string(value)).second) {
      return Fail(ManifestError::kDuplicateKey);
    }
  }
  if (!signature_line) {
    return Fail(ManifestError::kNoSignature);
  }

  ReleaseManifest manifest;
  manifest.signed_bytes = std::string(text.substr(0, lines[*signature_line].start));
  const std::optional<std::vector<std::uint8_t>> signature =
      DecodeBase64(values.find(kSignatureKey)->second);
  if (!signature || signature->size() != manifest.signature.size()) {
    return Fail(ManifestError::kBadSignatureText);
  }
  std::copy(signature->begin(), signature->end(), manifest.signature.begin());

  const auto version = values.find("version");
  if (version == values.end() || !ValidVersion(version->second)) {
    return Fail(ManifestError::kNoVersion);
  }
  manifest.version = version->second;

  for (const std::string_view platform : {kPlatformWin32, kPlatformLinux}) {
    const std::string prefix = std::string(platform) + ".";
    const auto path = values.find(prefix + "path");
    const auto size = values.find(prefix + "size");
    const auto sha = values.find(prefix + "sha256");
    const bool any = path != values.end() || size != values.end() || sha != values.end();
    if (!any) {
      continue;
    }
    if (path == values.end() || size == values.end() || sha == values.end()) {
      return Fail(ManifestError::kBadFileEntry);
    }
    ReleaseFile file;
    const std::optional<std::uint64_t> bytes = ParseSize(size->second);
    const std::optional<std::vector<std::uint8_t>> digest = DecodeHex(sha->second);
    if (!ValidServerPath(path->second) || !bytes || !digest ||
        digest->size() != file.sha256.size()) {
      return Fail(ManifestError::kBadFileEntry);
    }
    file.path = path->second;
    file.size = *bytes;
    std::copy(digest->begin(), digest->end(), file.sha256.begin());
    manifest.files.emplace(std::string(platform), std::move(file));
  }
  return {std::move(manifest), ManifestError::kNone};
}

bool VerifyReleaseManifest(const ReleaseManifest& manifest, const P256PublicKey& key,
                           ReleaseCrypto& crypto) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(manifest.signed_bytes.data());
  return crypto.VerifyP256Sha256(key, {bytes, manifest.signed_bytes.size()}, manifest.signature);
}

std::optional<P256PublicKey> ParsePublicKey(std::string_view hex) {
  const std::optional<std::vector<std::uint8_t>> bytes = DecodeHex(hex);
  P256PublicKey key{};
  if (!bytes || bytes->size() != key.size() || bytes->front() != 0x04) {
    return std::nullopt;
  }
  std::copy(bytes->begin(), bytes->end(), key.begin());
  return key;
}

bool IsNewerVersion(std::string_view candidate, std::string_view running) {
  const auto newer = NumericParts(candidate);
  const auto older = NumericParts(running);
  if (!newer || !older) {
    return false;
  }
  const std::size_t count = std::max(newer->size(), older->size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view a = i < newer->size() ? (*newer)[i] : std::string_view("0");
    const std::string_view b = i < older->size() ? (*older)[i] : std::string_view("0");
    // Without leading zeros, the longer number is the larger one.
    if (a.size() != b.size()) {
      return a.size() > b.size();
    }
    if (a != b) {
      return a > b;
    }
  }
  return false;
}

}  // namespace orvane
