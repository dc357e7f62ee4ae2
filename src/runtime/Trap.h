#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>

#include "runtime/VbError.h"

namespace zarvelin {

// The line marker of a trapping procedure (VB's Erl): the procedure sets it before each numbered
// statement, and the trap reads it when a failure arrives.
struct Erl {
  int16_t value = 0;
  void operator=(int16_t line) { value = line; }
};

// Where trapped failures go: ErrMsg of the error report window once the program has installed it
// (as a Service), a recorder in tests.
class FailureReporter {
 public:
  virtual ~FailureReporter() = default;
  virtual void Report(std::string_view module, std::string_view procedure, int16_t line,
                      int32_t number) = 0;
};

// Reports a failure; the same failure (module, procedure, line and number) again in one round is
// counted but not shown again.
void ReportFailure(std::string_view module, std::string_view procedure, int16_t line,
                   int32_t number);
// Starts a round of reports: one user action (a copy, a command).
void StartReportRound();
// How many failures ReportFailure has been given since the program started: lets a command-line
// run end with a failing exit status when any step reported a failure.
int32_t FailuresReported();

// Tells whether a failure was reported while it was held: a step whose callees report their own
// failures and go on (reading a project model) can still tell that one of them failed. Notes
// nest; each one held sees every report.
class FailureNote {
 public:
  FailureNote();
  ~FailureNote();
  FailureNote(const FailureNote&) = delete;
  FailureNote& operator=(const FailureNote&) = delete;

  bool Noted() const { return noted_; }

 private:
  friend void ReportFailure(std::string_view, std::string_view, int16_t, int32_t);

  FailureNote* outer_;
  bool noted_ = false;
};

// Turns anything a procedure body can throw into the run-time error it stands for.
VbError AsVbError(std::exception_ptr failure);

// The trap convention: runs body(erl); on any failure the handler, if given, may answer the
// failure itself (returning true), otherwise it is reported with the module, the procedure, the
// line marker and the error number. Nothing escapes. Callers keep their result in a local that
// the body sets, so the procedure returns whatever its result held at the failure.
template <class Body>
void Trap(std::string_view module, std::string_view procedure, Body&& body,
          const std::function<bool(const VbError&, int16_t line)>& handler = {}) {
  Erl erl;
  try {
    std::forward<Body>(body)(erl);
  } catch (...) {
    const VbError error = AsVbError(std::current_exception());
    if (error.Number() == 0) return;
    if (handler && handler(error, erl.value)) return;
    ReportFailure(module, procedure, erl.value, error.Number());
  }
}

}  // namespace zarvelin
