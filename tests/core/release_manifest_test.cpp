// The release manifest: reading it (bounds, duplicates, unknown keys, file entries, the
// signature line) and checking its signature over exactly the bytes before that line.
#include <gtest/gtest.h>

#include <string>

#include "updater/release_crypto.h"
#include "updater/release_manifest.h"
#include "updater/text_codec.h"

namespace orvane {
namespace {

// Signed with tools/release-key-DEVELOPMENT-ONLY by "openssl dgst -sha256 -sign".
const std::string kSignedBody =
    "version=1.2.0\n"
    "win32.path=/gamehome/mirab/release/1.2.0/Orvane.exe\n"
    "win32.size=1234\n"
    "win32.sha256=ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad\n"
    "linux-x86_64.path=/gamehome/mirab/release/1.2.0/orvane\n"
    "linux-x86_64.size=5678\n"
    "linux-x86_64.sha256=e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855\n"
    "notes=later manifests may say more\n";
const std::string kSignatureLine =
    "signature=nwTrvWl+AUlTS8oPAZ1VSJ1y6mpOek1/+QdgC/"
    "EFp+Sv+ob+MRVKh9I0eQiAfAlOONwDlVpFttXWQLcMv3rPjQ==";
constexpr const char* kDevelopmentKey =
    "04d0573c64d4aa58b9c7bc32b317808dd81bd749a2408e28239445b0acbe89b2889c1acf43ea2c620fb881c0e3a876"
    "14"
    "d3fd00f5e88101184a93b9befdd5360868";

// A body with a syntactically fine (not valid) signature, for the reader's own rules.
ManifestError ErrorOf(const std::string& body) {
  return ParseReleaseManifest(body + kSignatureLine + "\n").error;
}

TEST(ReleaseManifestTest, ReadsAWholeManifest) {
  const ManifestParse parse = ParseReleaseManifest(kSignedBody + kSignatureLine + "\n");
  ASSERT_EQ(parse.error, ManifestError::kNone);
  const ReleaseManifest& m = *parse.manifest;
  EXPECT_EQ(m.version, "1.2.0");
  EXPECT_EQ(m.signed_bytes, kSignedBody);
  const ReleaseFile* win = m.FileFor(kPlatformWin32);
  ASSERT_NE(win, nullptr);
  EXPECT_EQ(win->path, "/gamehome/mirab/release/1.2.0/Orvane.exe");
  EXPECT_EQ(win->size, 1234u);
  EXPECT_EQ(win->sha256[0], 0xba);
  EXPECT_EQ(win->sha256[31], 0xad);
  const ReleaseFile* linux = m.FileFor(kPlatformLinux);
  ASSERT_NE(linux, nullptr);
  EXPECT_EQ(linux->size, 5678u);
  EXPECT_EQ(m.FileFor("macos"), nullptr);
}

TEST(ReleaseManifestTest, LineEndsAndTheLastLine) {
  // CR LF throughout; the signed bytes keep their CRs.
  std::string crlf;
  for (const char c : kSignedBody) {
    if (c == '\n') {
      crlf += '\r';
    }
    crlf += c;
  }
  const ManifestParse parse = ParseReleaseManifest(crlf + kSignatureLine + "\r\n");
  ASSERT_EQ(parse.error, ManifestError::kNone);
  EXPECT_EQ(parse.manifest->signed_bytes, crlf);
  // No line end after the signature is fine; anything after it is not.
  EXPECT_EQ(ParseReleaseManifest(kSignedBody + kSignatureLine).error, ManifestError::kNone);
  EXPECT_EQ(ParseReleaseManifest(kSignedBody + kSignatureLine + "\n\n").error,
            ManifestError::kNoSignature);
  EXPECT_EQ(ParseReleaseManifest(kSignedBody + kSignatureLine + "\nversion=9.9.9\n").error,
            ManifestError::kNoSignature);
  EXPECT_EQ(ParseReleaseManifest(kSignedBody).error, ManifestError::kNoSignature);
  // A CR ends a line only before an LF: a lone CR at the very end is text, and no
  // signature holds a CR.
  EXPECT_EQ(ParseReleaseManifest(kSignedBody + kSignatureLine + "\r").error,
            ManifestError::kBadLine);
  EXPECT_EQ(ParseReleaseManifest(crlf + kSignatureLine + "\r").error, ManifestError::kBadLine);
}

TEST(ReleaseManifestTest, RefusesMalformedText) {
  EXPECT_EQ(ErrorOf("version=1.2.0\nversion=1.3.0\n"), ManifestError::kDuplicateKey);
  EXPECT_EQ(ErrorOf(kSignedBody + "win32.size=1\n"), ManifestError::kDuplicateKey);
  EXPECT_EQ(ParseReleaseManifest(kSignedBody + kSignatureLine + "\n" + kSignatureLine).error,
            ManifestError::kNoSignature);
  EXPECT_EQ(ErrorOf("version=1.2.0\njust words\n"), ManifestError::kBadLine);
  EXPECT_EQ(ErrorOf("version=1.2.0\n=value\n"), ManifestError::kBadLine);
  EXPECT_EQ(ErrorOf("version=1.2.0\nnotes=a\tb\n"), ManifestError::kBadLine);
  EXPECT_EQ(ErrorOf("version=1.2.0\nnotes=a\rb\n"), ManifestError::kBadLine);
  EXPECT_EQ(ErrorOf("notes=x\n"), ManifestError::kNoVersion);
  EXPECT_EQ(ErrorOf("version=\n"), ManifestError::kNoVersion);
  EXPECT_EQ(ErrorOf("version=1.2 beta\n"), ManifestError::kNoVersion);
  EXPECT_EQ(ParseReleaseManifest("version=1.2.0\nsignature=abc\n").error,
            ManifestError::kBadSignatureText);
  EXPECT_EQ(ParseReleaseManifest("version=1.2.0\nsignature=" + std::string(88, 'A') + "\n").error,
            ManifestError::kBadSignatureText);  // 66 bytes, not 64
}

TEST(ReleaseManifestTest, Bounds) {
  EXPECT_EQ(ErrorOf("version=1.2.0\nnotes=" + std::string(kMaxValueBytes + 1, 'x') + "\n"),
            ManifestError::kTooLarge);
  EXPECT_EQ(ErrorOf("version=1.2.0\nnotes=" + std::string(kMaxValueBytes, 'x') + "\n"),
            ManifestError::kNone);
  std::string many = "version=1.2.0\n";
  for (std::size_t i = 0; i < kMaxManifestLines; ++i) {
    many += "k" + std::to_string(i) + "=v\n";
  }
  EXPECT_EQ(ErrorOf(many), ManifestError::kTooLarge);
  EXPECT_EQ(ParseReleaseManifest(std::string(kMaxManifestBytes + 1, '\n')).error,
            ManifestError::kTooLarge);
}

TEST(ReleaseManifestTest, FileEntries) {
  const std::string sha = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
  const auto entry = [&](const std::string& path, const std::string& size,
                         const std::string& digest) {
    return ErrorOf("version=1.2.0\nlinux-x86_64.path=" + path + "\nlinux-x86_64.size=" + size +
                   "\nlinux-x86_64.sha256=" + digest + "\n");
  };
  EXPECT_EQ(entry("/r/orvane", "1", sha), ManifestError::kNone);
  EXPECT_EQ(entry("/r/orvane", "2147483647", sha), ManifestError::kNone);
  EXPECT_EQ(entry("/r/orvane", "2147483648", sha), ManifestError::kBadFileEntry);
  EXPECT_EQ(entry("/r/orvane", "0", sha), ManifestError::kBadFileEntry);
  EXPECT_EQ(entry("/r/orvane", "012", sha), ManifestError::kBadFileEntry);
  EXPECT_EQ(entry("/r/orvane", "-1", sha), ManifestError::kBadFileEntry);
  EXPECT_EQ(entry("/r/orvane", "12", sha.substr(2)), ManifestError::kBadFileEntry);
  EXPECT_EQ(entry("/r/orvane", "12", "zz" + sha.substr(2)), ManifestError::kBadFileEntry);
  EXPECT_EQ(entry("r/orvane", "12", sha), ManifestError::kBadFileEntry);
  EXPECT_EQ(entry("/r/../orvane", "12", sha), ManifestError::kBadFileEntry);
  EXPECT_EQ(entry("/r//orvane", "12", sha), ManifestError::kBadFileEntry);
  EXPECT_EQ(entry("/r/orvane?x=1", "12", sha), ManifestError::kBadFileEntry);
  EXPECT_EQ(entry("http://elsewhere/orvane", "12", sha), ManifestError::kBadFileEntry);
  // Part of an entry is no entry.
  EXPECT_EQ(ErrorOf("version=1.2.0\nlinux-x86_64.path=/r/orvane\n"), ManifestError::kBadFileEntry);
}

TEST(ReleaseManifestTest, SignatureCoversEveryByteBeforeItsLine) {
  const auto crypto = MakePlatformReleaseCrypto();
  const P256PublicKey key = *ParsePublicKey(kDevelopmentKey);
  const ManifestParse good = ParseReleaseManifest(kSignedBody + kSignatureLine + "\n");
  ASSERT_TRUE(good.manifest);
  const bool verifies = VerifyReleaseManifest(*good.manifest, key, *crypto);
#ifdef _WIN32
  if (!verifies) {
    GTEST_SKIP() << "this system's bcrypt.dll does not verify ECDSA P-256 signatures";
  }
#endif
  EXPECT_TRUE(verifies);
  // An unknown key's value changed, a CR added: both change the signed bytes.
  std::string changed = kSignedBody;
  changed.replace(changed.find("say more"), 8, "say less");
  EXPECT_FALSE(VerifyReleaseManifest(*ParseReleaseManifest(changed + kSignatureLine).manifest, key,
                                     *crypto));
  std::string with_cr = kSignedBody;
  with_cr.insert(with_cr.find('\n'), "\r");
  EXPECT_FALSE(VerifyReleaseManifest(*ParseReleaseManifest(with_cr + kSignatureLine).manifest, key,
                                     *crypto));
}

TEST(ReleaseManifestTest, PublicKeyText) {
  EXPECT_TRUE(ParsePublicKey(kDevelopmentKey));
  EXPECT_FALSE(ParsePublicKey(std::string(kDevelopmentKey).substr(2)));
  EXPECT_FALSE(ParsePublicKey("05" + std::string(kDevelopmentKey).substr(2)));
  EXPECT_FALSE(ParsePublicKey(""));
}

TEST(ReleaseVersionTest, OnlyAPlainLaterNumberIsNewer) {
  EXPECT_TRUE(IsNewerVersion("1.2.0", "1.1.0"));
  EXPECT_TRUE(IsNewerVersion("1.10.0", "1.9.0"));  // numbers, not text
  EXPECT_TRUE(IsNewerVersion("2", "1.9.9"));
  EXPECT_TRUE(IsNewerVersion("1.1.0.1", "1.1.0"));
  EXPECT_TRUE(IsNewerVersion("1.1.010", "1.1.9"));
  EXPECT_FALSE(IsNewerVersion("1.1.0", "1.1.0"));
  EXPECT_FALSE(IsNewerVersion("1.1", "1.1.0"));     // missing parts are 0
  EXPECT_FALSE(IsNewerVersion("01.1.0", "1.1.0"));  // leading zeros change nothing
  // Older releases: a replayed manifest must not take the player back.
  EXPECT_FALSE(IsNewerVersion("1.0.9", "1.1.0"));
  EXPECT_FALSE(IsNewerVersion("0.99.99", "1.1.0"));
  EXPECT_FALSE(IsNewerVersion("1.9.0", "1.10.0"));
  // What cannot be ordered is never installed.
  EXPECT_FALSE(IsNewerVersion("1.2.0-beta", "1.1.0"));
  EXPECT_FALSE(IsNewerVersion("1..2", "1.1.0"));
  EXPECT_FALSE(IsNewerVersion("1.2.", "1.1.0"));
  EXPECT_FALSE(IsNewerVersion("", "1.1.0"));
  EXPECT_FALSE(IsNewerVersion("9.9.9", "unknown"));
  EXPECT_TRUE(IsNewerVersion("99999999999999999999999.0", "1.1.0"));  // no overflow
}

TEST(TextCodecTest, Base64) {
  EXPECT_EQ(*DecodeBase64(""), std::vector<std::uint8_t>{});
  EXPECT_EQ(*DecodeBase64("Zm9vYg=="), (std::vector<std::uint8_t>{'f', 'o', 'o', 'b'}));
  EXPECT_EQ(*DecodeBase64("Zm9vYmE="), (std::vector<std::uint8_t>{'f', 'o', 'o', 'b', 'a'}));
  EXPECT_EQ(*DecodeBase64("+/+/"), (std::vector<std::uint8_t>{0xfb, 0xff, 0xbf}));
  EXPECT_FALSE(DecodeBase64("Zm9vYg="));    // length
  EXPECT_FALSE(DecodeBase64("Zm9vYh=="));   // bits hidden by the pad
  EXPECT_FALSE(DecodeBase64("Zg==Zm9v"));   // pad in the middle
  EXPECT_FALSE(DecodeBase64("Zm9v Yg=="));  // space
  EXPECT_FALSE(DecodeBase64("Z===="));
}

}  // namespace
}  // namespace orvane
