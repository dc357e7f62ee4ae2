#include "runtime/UpperCaseTable.h"

namespace zarvelin {
namespace {

constexpr UpperCaseRun kRuns[] = {
#include "runtime/UpperCaseTable.inc"
};

}  // namespace

std::span<const UpperCaseRun> UpperCaseRuns() {
  return kRuns;
}

}  // namespace zarvelin
