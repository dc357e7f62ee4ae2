#pragma once

#include <string>

namespace zarvelin {

// The user's logon name, empty when the platform cannot tell it.
std::string CurrentUserName();
// The computer's name, empty when the platform cannot tell it.
std::string CurrentComputerName();

}  // namespace zarvelin
