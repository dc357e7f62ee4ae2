#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Trap.h"

namespace zarvelin {

class frmError;

// Shows the error report window for one failure, modally and topmost, and returns when the user
// has left it. Module and procedure name where the failure happened, the line marker and the
// error number; the category defaults to "Visual Basic Error". Never fails itself.
void ErrMsg(std::string_view sMN, std::string_view sPN, int16_t iLine, int32_t lErr,
            std::optional<std::string> vErrCat = std::nullopt);

// The report window while ErrMsg shows it; nothing otherwise (each failure gets a fresh window).
frmError* ErrorWindow();

// Sends every failure that a trapping procedure reports to ErrMsg, once installed as the
// FailureReporter service.
class ErrorReport : public FailureReporter {
 public:
  void Report(std::string_view module, std::string_view procedure, int16_t line,
              int32_t number) override {
    ErrMsg(module, procedure, line, number);
  }
};

}  // namespace zarvelin
