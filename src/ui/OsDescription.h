#pragma once

#include <string>
#include <string_view>

namespace zarvelin {

// One line naming the operating system from the platform's version record, for example
// "Microsoft Windows 2000 Workstation 5.0 Service Pack 2 (Build 2195)" with the separator " ".
// The separator stands between the name and the version numbers (" " in the error report,
// " Version " in the about box).
std::string GetOSDescription(std::string_view separator);

// The text up to, not including, its first NUL character.
std::string StripNull(std::string_view text);

}  // namespace zarvelin
