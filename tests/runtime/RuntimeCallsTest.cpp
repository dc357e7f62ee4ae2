#include <gtest/gtest.h>

#include <map>
#include <new>
#include <sstream>
#include <stdexcept>
#include <string>

#include "fakes/TestEnvironment.h"
#include "runtime/Formats.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"

// The run time's formats, conversions and error texts, called as calls.txt lists them; the
// answers are approved in approved/runtime/calls.txt.
namespace zarvelin {
namespace {

std::string Shown(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

int Int(std::istringstream& in) {
  int value = 0;
  in >> value;
  return value;
}

DateTime When(std::istringstream& in) {
  DateTime time;
  in >> time.year >> time.month >> time.day >> time.hour >> time.minute >> time.second;
  return time;
}

std::string Rest(std::istringstream& in) {
  std::string rest;
  std::getline(in >> std::ws, rest);
  return rest == "-" ? "" : rest;
}

std::string Call(const std::string& line) {
  std::istringstream in(line);
  std::string name;
  in >> name;
  if (name == "Str") return NumberText(Int(in));
  if (name == "Version") {
    const int major = Int(in), minor = Int(in);
    int revision = -1;
    in >> revision;
    return revision < 0 ? FormatVersion(major, minor) : FormatVersion(major, minor, revision);
  }
  if (name == "ReportTime") return FormatReportTime(When(in));
  if (name == "GeneralDate") return GeneralDateTime(When(in));
  if (name == "DayOfWeek") return std::to_string(When(in).DayOfWeek());
  if (name == "CInt") return std::to_string(VbInteger(std::stod(Rest(in))));
  if (name == "CLng") return std::to_string(VbLong(std::stod(Rest(in))));
  if (name == "Val") return Shown(LeadingNumber(Rest(in)));
  if (name == "Trim") return "[" + std::string(Trim(Rest(in))) + "]";
  if (name == "Message") return StandardMessage(Int(in));
  const std::string text = Rest(in);
  if (name == "Case")
    return LowerAscii(text) + " " + UpperAscii(text) + " " +
           std::to_string(EqualNoCase(LowerAscii(text), UpperAscii(text)));
  if (name == "Same") {
    // Two names, as Windows compares them: whether equal, whether their hashes agree, and each
    // upper-cased.
    const std::string a = text.substr(0, text.find(' '));
    const std::string b = text.substr(text.find(' ') + 1);
    return std::to_string(EqualNoCase(a, b)) + " " +
           std::to_string(NoCaseHashOf(a) == NoCaseHashOf(b)) + " " + UpperCase(a) + " " +
           UpperCase(b);
  }
  const VbError error(std::stoi(text));
  return error.Description() + " / " + error.Source();
}

TEST(RuntimeCalls, AnswerAsApproved) {
  fakes::TestEnvironment env;
  fakes::ApproveCalls("runtime/calls", ZARVELIN_RUNTIME_CALLS, Call, [&] {
    std::string transcript;
    // What a failure of the C++ library stands for in the run time's numbers.
    for (const auto& [name, failure] : std::map<std::string, std::exception_ptr>{
             {"bad_alloc", std::make_exception_ptr(std::bad_alloc())},
             {"out_of_range", std::make_exception_ptr(std::out_of_range("x"))},
             {"overflow_error", std::make_exception_ptr(std::overflow_error("x"))},
             {"runtime_error", std::make_exception_ptr(std::runtime_error("broken"))},
             {"int", std::make_exception_ptr(7)}}) {
      const VbError error = AsVbError(failure);
      transcript += "AsVbError " + name + " => " + std::to_string(error.Number()) + " " +
                    error.Description() + "\n";
    }
    // A trap with its own answer keeps the failure from the report; one without reports it.
    Trap(
        "modTest", "Answered",
        [](Erl& erl) {
          erl = 10;
          throw VbError(vberr::kDiskFull);
        },
        [&](const VbError& error, int16_t line) {
          transcript +=
              "answered " + std::to_string(error.Number()) + " at " + std::to_string(line) + "\n";
          return true;
        });
    Trap("modTest", "Zero", [](Erl&) { throw VbError(0, ""); });
    env.windows.OnModal("frmError", [](forms::Form& form) { form.Click("cmdContinue"); });
    env.platform.messageAnswers = {mb::kAnswerNo};
    const int32_t before = FailuresReported();
    Trap("modTest", "Reported", [](Erl& erl) {
      erl = 20;
      throw std::out_of_range("index");
    });
    transcript += "reported " + std::to_string(FailuresReported() - before) + "\n";
    return transcript + env.Transcript();
  });
}

}  // namespace
}  // namespace zarvelin
