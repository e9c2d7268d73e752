#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace orvane {

// Bytes from hexadecimal text (either case, no separators); nothing for any other
// character or an odd number of digits.
std::optional<std::vector<std::uint8_t>> DecodeHex(std::string_view text);

// Bytes from standard base64 with "=" padding (RFC 4648); nothing for any other
// character, a missing or misplaced pad, or non-zero bits left over.
std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text);

}  // namespace orvane
