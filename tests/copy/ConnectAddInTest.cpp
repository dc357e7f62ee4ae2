#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CopyRoad.h"
#include "copy/ConnectAddIn.h"

namespace zarvelin::copy {
namespace {

struct AddInCase {
  std::string name;
  std::vector<fakes::FakeIde::AddInScript> installed;
  std::string progId;
  bool connect;
  bool result;
  std::vector<std::string> calls;
};

class ConnectAddInTest : public CopyRoad, public testing::WithParamInterface<AddInCase> {};

TEST_P(ConnectAddInTest, AnswersAndChangesTheFirstMatchOnly) {
  const AddInCase& c = GetParam();
  for (const auto& addIn : c.installed) ide.InstallAddIn(addIn.progId, addIn.connected);

  EXPECT_EQ(ConnectAddIn(ide, c.progId, c.connect), c.result);
  EXPECT_EQ(ide.Calls(), c.calls);
  EXPECT_TRUE(failures.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConnectAddInTest,
    testing::Values(
        AddInCase{"NoneInstalled", {}, "vbscc", false, false, {}},
        AddInCase{"OtherOnly", {{"Other.Connect", true}}, "vbscc", false, false, {}},
        AddInCase{
            "DisconnectConnected", {{"vbscc", true}}, "vbscc", false, true, {"Connect vbscc 0"}},
        AddInCase{
            "DisconnectUnconnected", {{"vbscc", false}}, "vbscc", false, true, {"Connect vbscc 0"}},
        AddInCase{"ConnectAnswersStateBefore",
                  {{"vbscc", false}},
                  "vbscc",
                  true,
                  false,
                  {"Connect vbscc -1"}},
        AddInCase{"ConnectConnected", {{"vbscc", true}}, "vbscc", true, true, {"Connect vbscc -1"}},
        AddInCase{"LetterCaseIgnored",
                  {{"Other", true}, {"VBSCC", true}},
                  "vbscc",
                  false,
                  true,
                  {"Connect VBSCC 0"}},
        AddInCase{"FirstMatchOnly",
                  {{"vbscc", true}, {"VbScc", true}},
                  "vbscc",
                  false,
                  true,
                  {"Connect vbscc 0"}}),
    [](const testing::TestParamInfo<AddInCase>& param) { return param.param.name; });

}  // namespace
}  // namespace zarvelin::copy
