#include "runtime/Trap.h"

#include <cstdio>
#include <new>
#include <set>
#include <string>
#include <tuple>

#include "runtime/Service.h"

namespace zarvelin {
namespace {

int32_t& ReportedCount() {
  static int32_t count = 0;
  return count;
}

// The failures shown in this round, by where and what: a failure met again on every line of a
// long file is one fault, and one report tells it.
std::set<std::tuple<std::string, std::string, int16_t, int32_t>>& ShownThisRound() {
  static std::set<std::tuple<std::string, std::string, int16_t, int32_t>> shown;
  return shown;
}

FailureNote*& HeldNote() {
  static FailureNote* held = nullptr;
  return held;
}

}  // namespace

FailureNote::FailureNote() : outer_(HeldNote()) {
  HeldNote() = this;
}

FailureNote::~FailureNote() {
  HeldNote() = outer_;
}

void ReportFailure(std::string_view module, std::string_view procedure, int16_t line,
                   int32_t number) {
  ++ReportedCount();
  for (FailureNote* note = HeldNote(); note != nullptr; note = note->outer_) note->noted_ = true;
  if (!ShownThisRound().emplace(std::string(module), std::string(procedure), line, number).second) {
    return;
  }
  if (FailureReporter* reporter = Service<FailureReporter>::Installed()) {
    reporter->Report(module, procedure, line, number);
    return;
  }
  // No report window yet: say it plainly rather than lose it.
  std::fprintf(stderr, "Zarvelin: error %d (%s) in %.*s.%.*s, line %d\n", number,
               StandardMessage(number).c_str(), static_cast<int>(module.size()), module.data(),
               static_cast<int>(procedure.size()), procedure.data(), line);
}

void StartReportRound() {
  ShownThisRound().clear();
}

int32_t FailuresReported() {
  return ReportedCount();
}

VbError AsVbError(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const VbError& error) {
    return error;
  } catch (const std::bad_alloc&) {
    return VbError(vberr::kOutOfMemory);
  } catch (const std::out_of_range&) {
    return VbError(vberr::kSubscriptOutOfRange);
  } catch (const std::overflow_error&) {
    return VbError(vberr::kOverflow);
  } catch (const std::exception& other) {
    return VbError(vberr::kAutomationError, other.what());
  } catch (...) {
    return VbError(vberr::kAutomationError);
  }
}

}  // namespace zarvelin
