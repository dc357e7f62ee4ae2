#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "fakes/TestEnvironment.h"
#include "ui/LogonNames.h"
#include "ui/MailFailureText.h"
#include "ui/OsDescription.h"
#include "ui/ShortPath.h"

// The facts the error report shows, computed from the platform's answers that facts.txt lists;
// the results are approved in approved/ui/facts.txt.
namespace zarvelin {
namespace {

// One word of the line; "-" is empty and "+" stands for a blank.
std::string Field(std::istringstream& in) {
  std::string field;
  in >> field;
  std::replace(field.begin(), field.end(), '+', ' ');
  return field == "-" ? "" : field;
}

TEST(ReportFacts, AnswerAsApproved) {
  fakes::TestEnvironment env;
  fakes::ApproveCalls("ui/facts", ZARVELIN_REPORT_FACTS, [&](const std::string& line) {
    std::istringstream in(line);
    const std::string call = Field(in);
    std::string answer;
    if (call == "Os") {
      VersionRecord& v = env.platform.version;
      int product = 0;
      in >> v.extendedCallSucceeds >> v.basicCallSucceeds >> v.majorVersion >> v.minorVersion >>
          v.buildNumber >> v.platformId >> product;
      v.productType = static_cast<uint8_t>(product);
      v.servicePack = Field(in);
      if (v.servicePack == "NUL") v.servicePack = std::string("SP1\0junk", 8);
      answer = GetOSDescription(" ");
    } else if (call == "User" || call == "Computer") {
      NameAnswer& name = call == "User" ? env.platform.userName : env.platform.computerName;
      in >> name.succeeded >> name.size;
      name.buffer = Field(in);
      answer = call == "User" ? CurrentUserName() : CurrentComputerName();
    } else if (call == "ShortPath") {
      const std::string path = Field(in);
      answer = ShortPath(path, std::stoi(Field(in)));
    } else if (call == "MailFailure") {
      answer = MailFailureText(std::stoi(Field(in)));
    }
    return answer;
  });
}

}  // namespace
}  // namespace zarvelin
