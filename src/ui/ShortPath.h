#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvelin {

// Shortens a path for a label of limited width: keeps the drive part (the first three characters)
// and drops whole directories from the front, one "...\" for each, until the rest fits iMaxLen.
// A path that cannot lose another directory stays longer than iMaxLen.
std::string ShortPath(std::string_view sPath, int32_t iMaxLen);

}  // namespace zarvelin
