#pragma once
// The one signed release text the seed corpora carry: signed with the development key
// in tools/release-key-DEVELOPMENT-ONLY.

#include <string_view>

namespace orvane::fuzz {

inline constexpr std::string_view kDevelopmentKey =
    "04d0573c64d4aa58b9c7bc32b317808dd81bd749a2408e28239445b0acbe89b2889c1acf43ea2c620fb881c0e3a876"
    "14d3fd00f5e88101184a93b9befdd5360868";

inline constexpr std::string_view kSignedBody =
    "version=1.2.0\n"
    "win32.path=/gamehome/mirab/release/1.2.0/Orvane.exe\n"
    "win32.size=1234\n"
    "win32.sha256=ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad\n"
    "linux-x86_64.path=/gamehome/mirab/release/1.2.0/orvane\n"
    "linux-x86_64.size=5678\n"
    "linux-x86_64.sha256=e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855\n"
    "notes=later manifests may say more\n";

inline constexpr std::string_view kSignatureBase64 =
    "nwTrvWl+AUlTS8oPAZ1VSJ1y6mpOek1/+QdgC/EFp+Sv+ob+MRVKh9I0eQiAfAlOONwDlVpFttXWQLcMv3rPjQ==";

}  // namespace orvane::fuzz
