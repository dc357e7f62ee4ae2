#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "addin/Connect.h"
#include "fakes/TestEnvironment.h"
#include "filebacked/FileBackedIde.h"

// Runs the add-in's connections of connections.txt in the file-backed IDE over the example
// project and compares each transcript with its approved file.
namespace zarvelin {
namespace {

using Scenario = fakes::Case;

// Our entries on one bar as "BAR POSITION CAPTION STYLE TEMPORARY FACE"; clicks them when asked.
std::string Entries(ide::VBE& ide, const std::string& bar, const std::string& act = {}) {
  std::string entries;
  ide::CommandBarControls& controls = ide.Bars().Item(bar)->Controls();
  for (int32_t i = controls.Count(); i >= 1; --i) {
    auto& control = dynamic_cast<filebacked::FileBackedCommandBarControl&>(*controls.Item(i));
    if (control.Caption().rfind("Zarvelin", 0) != 0) continue;
    entries = bar + " " + std::to_string(i) + " " + control.Caption() + " " +
              std::to_string(control.Style()) + " " + std::to_string(control.Temporary()) + " " +
              control.Face().value_or("-") + "\n" + entries;
    if (act == "click") control.Click();
    if (act == "delete") control.Delete();
  }
  return entries;
}

class ConnectionScenario : public testing::TestWithParam<Scenario> {};

TEST_P(ConnectionScenario, MatchesItsApprovedTranscript) {
  fakes::TestEnvironment env;
  const auto ide = filebacked::OpenFileBackedIde(fakes::TestEnvironment::kProject, {});
  const auto addIn = std::make_shared<filebacked::FileBackedAddIn>(
      filebacked::AddInEntry{"Zarvelin.Connect", true});
  Connect connect;
  std::string outcome;
  for (const std::string& step : GetParam().steps) {
    std::istringstream in(step);
    std::string verb, first, second;
    in >> verb >> first;
    std::getline(in >> std::ws, second);
    if (verb == "clipboard")
      env.platform.clipboard = first;
    else if (verb == "bitmap")
      env.platform.clipboardBitmap = std::stoi(first);
    else if (verb == "platformfail")
      env.platform.failing[first] = std::stoi(second);
    else if (verb == "setting")
      env.platform.settings[first] = second;
    else if (verb == "connect")
      connect.OnConnection(ide.get(), std::stoi(first), addIn, {});
    else if (verb == "startup")
      connect.OnStartupComplete({});
    else if (verb == "click" || verb == "delete")
      Entries(*ide, first, verb);
    else if (verb == "dialog")
      connect.Dialog()->Click(first);
    else if (verb == "disconnect")
      connect.OnDisconnection(0, {});
    else if (verb == "state") {
      outcome += "-- after " + std::to_string(&step - &GetParam().steps.front()) + " steps\n";
      for (const char* bar : {"File", "Add-Ins", "Standard"}) outcome += Entries(*ide, bar);
      outcome += "clipboard " + env.platform.clipboard.value_or("-") + " bitmap " +
                 (env.platform.clipboardBitmap ? std::to_string(*env.platform.clipboardBitmap)
                                               : std::string("-")) +
                 "\nconnected " + std::to_string(connect.Connected()) + " dialog " +
                 (connect.Dialog() == nullptr  ? std::string("none")
                  : connect.Dialog()->Loaded() ? "shown"
                                               : "hidden") +
                 "\n";
    } else
      ADD_FAILURE() << "unknown step: " << step;
  }
  fakes::ExpectApproved("addin/" + GetParam().name, "== outcome\n" + outcome + env.Transcript());
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ConnectionScenario,
                         testing::ValuesIn(fakes::LoadCases(ZARVELIN_CONNECTIONS)),
                         [](const testing::TestParamInfo<Scenario>& scenario) {
                           return scenario.param.name;
                         });

// Bitmap 101, the entries' face, as the Windows build links it: 16 x 16 pixels, 4 bits each.
TEST(EntryFace, IsA16By16PictureIn16Colours) {
  std::ifstream file(ZARVELIN_ADDIN_RESOURCES "/EntryFace.bmp", std::ios::binary);
  const std::string bmp{std::istreambuf_iterator<char>(file), {}};
  ASSERT_EQ(bmp.size(), 14u + 40 + 16 * 4 + 16 * 16 / 2);
  EXPECT_EQ(bmp.substr(0, 2) + bmp.substr(18, 1) + bmp.substr(22, 1) + bmp.substr(28, 1),
            std::string("BM\x10\x10\x04"));
  std::ifstream rc(ZARVELIN_ADDIN_RESOURCES "/Zarvelin.rc");
  EXPECT_NE(
      std::string(std::istreambuf_iterator<char>(rc), {}).find("101 BITMAP \"EntryFace.bmp\""),
      std::string::npos);
}

}  // namespace
}  // namespace zarvelin
