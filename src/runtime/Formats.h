#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/DateTime.h"

namespace zarvelin {

// Str(n): the decimal number with a blank in the sign position for zero and positive numbers
// (" 53") and "-" for negative ones ("-1").
std::string NumberText(int64_t number);

// Major by "#0." + Minor by "00." + Revision by "0000" (without a revision: "#0." + "00"):
// 1, 0, 1406 gives "1.00.1406"; 2, 5 gives "2.05".
std::string FormatVersion(int32_t major, int32_t minor, std::optional<int32_t> revision = {});

// The report's date pattern "dddd mmm dd,yyyy @ hh:mm:ss": "Saturday Dec 05,2026 @ 08:36:06".
std::string FormatReportTime(const DateTime& time);

// The locale's general date-and-time text (English settings: "12/5/2026 8:36:06 AM").
std::string GeneralDateTime(const DateTime& time);

// CInt: rounds half to even; outside -32768..32767 it fails with error 6 (overflow).
int16_t VbInteger(double value);
// CLng: the same for the 32-bit range.
int32_t VbLong(double value);

// Val: blanks are ignored and the longest leading decimal number (sign, digits, decimal point,
// exponent) is taken; no leading number gives 0.
double LeadingNumber(std::string_view text);

}  // namespace zarvelin
