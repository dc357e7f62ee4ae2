#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "runtime/Strings.h"

namespace zarvelin {

// Hashing and comparing of string keys that accepts any string_view, so that a lookup by a
// piece of a path or a name as written needs no string made for it: a copy looks up thousands.

struct StringHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// Keys equal without regard to letter case, as EqualNoCase compares them.
struct NoCaseHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return NoCaseHashOf(text); }
};

struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return EqualNoCase(a, b); }
};

template <typename Value>
using StringMap = std::unordered_map<std::string, Value, StringHash, std::equal_to<>>;
template <typename Value>
using NoCaseMap = std::unordered_map<std::string, Value, NoCaseHash, NoCaseEqual>;
using NoCaseSet = std::unordered_set<std::string, NoCaseHash, NoCaseEqual>;

}  // namespace zarvelin
