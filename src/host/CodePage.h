#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zarvelin::host {

// The system's strings are bytes in an ANSI code page (Windows-1252, Shift-JIS ...), named here
// as iconv names them. The host speaks UTF-8; these translate where the two meet.

// Which bytes of a code page start a two-byte character.
using LeadBytes = std::array<bool, 256>;

bool IsKnownCodePage(const std::string& codePage);
// The lead bytes of a code page: those that iconv finds incomplete on their own.
LeadBytes LeadBytesOf(const std::string& codePage);
// The text in UTF-8; nothing when it is not valid in the code page.
std::optional<std::string> ToUtf8(const std::string& codePage, std::string_view text);
// The UTF-8 text in the code page; nothing when it is not valid UTF-8 or the code page lacks one
// of its characters.
std::optional<std::string> FromUtf8(const std::string& codePage, std::string_view text);
// The text in UTF-8 for showing it; as it is when it does not convert.
std::string ShownAsUtf8(const std::string& codePage, std::string_view text);

}  // namespace zarvelin::host
