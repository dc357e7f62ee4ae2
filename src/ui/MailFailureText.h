#pragma once

#include <cstdint>
#include <string>

namespace zarvelin {

// What the user is told when the shell answers a mail request with a failure code (32 or less).
// Codes without a message of their own give empty text.
std::string MailFailureText(int32_t shellCode);

}  // namespace zarvelin
