#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zarvelin {

// The run-time error numbers this system meets; the names follow the VB6 run time's own wording.
namespace vberr {
inline constexpr int32_t kReturnWithoutGoSub = 3;
inline constexpr int32_t kInvalidProcedureCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kDivisionByZero = 11;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kBadFileNameOrNumber = 52;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kBadFileMode = 54;
inline constexpr int32_t kFileAlreadyOpen = 55;
inline constexpr int32_t kDeviceIoError = 57;
inline constexpr int32_t kFileAlreadyExists = 58;
inline constexpr int32_t kBadRecordLength = 59;
inline constexpr int32_t kDiskFull = 61;
inline constexpr int32_t kInputPastEndOfFile = 62;
inline constexpr int32_t kTooManyFiles = 67;
inline constexpr int32_t kDeviceUnavailable = 68;
inline constexpr int32_t kPermissionDenied = 70;
inline constexpr int32_t kDiskNotReady = 71;
inline constexpr int32_t kCantRenameWithDifferentDrive = 74;
inline constexpr int32_t kPathFileAccessError = 75;
inline constexpr int32_t kPathNotFound = 76;
inline constexpr int32_t kObjectVariableNotSet = 91;
inline constexpr int32_t kInvalidUseOfNull = 94;
inline constexpr int32_t kObjectRequired = 424;
inline constexpr int32_t kObjectDoesntSupportProperty = 438;
inline constexpr int32_t kAutomationError = 440;
inline constexpr int32_t kUnsupportedSpecialFolder = 32700;

// 52 to 76: the file and device errors that the copy engine answers with its own messages.
constexpr bool IsFileOrDeviceError(int32_t number) {
  return number >= 52 && number <= 76;
}
}  // namespace vberr

// The run time's standard message for an error number, worded as the VB6 run time words it;
// "Application-defined or object-defined error" for numbers it does not know.
std::string StandardMessage(int32_t number);

// A run-time failure: what VB's Err object carries.
class VbError : public std::runtime_error {
 public:
  VbError(int32_t number, std::string description, std::string source = "Zarvelin");
  // A failure with the standard message of its number.
  explicit VbError(int32_t number);

  int32_t Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }
  const std::string& Source() const noexcept { return source_; }

 private:
  int32_t number_;
  std::string description_;
  std::string source_;
};

}  // namespace zarvelin
