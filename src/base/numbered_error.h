#pragma once

#include <stdexcept>
#include <string>

namespace orvane {

// A failure reported with a number and a message, as the tab collection and the
// drawing helpers report misuse (5: invalid argument, 9: position out of range).
class NumberedError : public std::runtime_error {
 public:
  NumberedError(int number, const std::string& message)
      : std::runtime_error(message), number_(number) {}
  int Number() const noexcept { return number_; }

 private:
  int number_;
};

inline constexpr int kErrInvalidArgument = 5;
inline constexpr int kErrOutOfRange = 9;
inline constexpr int kErrTypeMismatch = 13;

}  // namespace orvane
