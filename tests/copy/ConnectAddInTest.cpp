#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CopyRoad.h"
#include "copy/ConnectAddIn.h"

namespace zarvelin::copy {
namespace {

struct AddInCase {
  std::vector<fakes::FakeIde::AddInScript> installed;
  bool connect;
  bool result;
  std::vector<std::string> calls;
};

TEST_F(CopyRoad, ConnectAddInAnswersAndSwitchesOnlyTheFirstMatchInAnyLetterCase) {
  const AddInCase cases[] = {
      {{}, false, false, {}},
      {{{"Other.Connect", true}}, false, false, {}},
      {{{"vbscc", true}}, false, true, {"Connect vbscc 0"}},
      {{{"vbscc", false}}, false, true, {"Connect vbscc 0"}},
      {{{"vbscc", false}}, true, false, {"Connect vbscc -1"}},
      {{{"vbscc", true}}, true, true, {"Connect vbscc -1"}},
      {{{"Other", true}, {"VBSCC", true}}, false, true, {"Connect VBSCC 0"}},
      {{{"vbscc", true}, {"VbScc", true}}, false, true, {"Connect vbscc 0"}},
  };
  for (const AddInCase& c : cases) {
    SCOPED_TRACE("case " + std::to_string(&c - cases));
    fakes::FakeIde vbe;
    for (const auto& addIn : c.installed) vbe.InstallAddIn(addIn.progId, addIn.connected);
    EXPECT_EQ(ConnectAddIn(vbe, "vbscc", c.connect), c.result);
    EXPECT_EQ(vbe.Calls(), c.calls);
  }
  EXPECT_TRUE(failures.empty());
}

}  // namespace
}  // namespace zarvelin::copy
