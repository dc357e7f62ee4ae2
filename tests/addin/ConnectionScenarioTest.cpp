#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "addin/CallFrame.h"
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
  // The add-in's code on the stack, as an event handler or a copy's yield puts it there.
  std::vector<std::unique_ptr<CallFrame>> frames;
  int finished = 0;
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
      connect.OnDisconnection(std::stoi(first), {}, [&] { ++finished; });
    else if (verb == "shutdown")
      connect.OnBeginShutdown({});
    else if (verb == "enter")
      frames.push_back(std::make_unique<CallFrame>());
    else if (verb == "return")
      frames.pop_back();
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
                 "\npending " + std::to_string(connect.DisconnectionPending()) + " shutting " +
                 std::to_string(connect.ShuttingDown()) + " finished " + std::to_string(finished) +
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

// The add-in's bitmaps as the Windows build links them: the entries' face (16 x 16, 16 colours)
// and the about box's title band, sized as its picture (3015 x 495 twips at 96 dpi).
struct Bitmap {
  const char* file;
  const char* resource;
  int32_t width;
  int32_t height;
  uint16_t bitsPerPixel;
};

class AddInBitmap : public testing::TestWithParam<Bitmap> {};

TEST_P(AddInBitmap, IsLinkedWithItsSizeAndDepth) {
  const Bitmap& bitmap = GetParam();
  std::ifstream file(std::string(ZARVELIN_ADDIN_RESOURCES "/") + bitmap.file, std::ios::binary);
  const std::string bmp{std::istreambuf_iterator<char>(file), {}};
  const auto rowBytes = static_cast<size_t>((bitmap.width * bitmap.bitsPerPixel + 31) / 32 * 4);
  const size_t palette = bitmap.bitsPerPixel <= 8 ? 4u << bitmap.bitsPerPixel : 0;
  ASSERT_EQ(bmp.size(), 14 + 40 + palette + rowBytes * static_cast<size_t>(bitmap.height));
  int32_t width = 0;
  int32_t height = 0;
  uint16_t bits = 0;
  bmp.copy(reinterpret_cast<char*>(&width), 4, 18);
  bmp.copy(reinterpret_cast<char*>(&height), 4, 22);
  bmp.copy(reinterpret_cast<char*>(&bits), 2, 28);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(std::tuple(width, height, bits),
            std::tuple(bitmap.width, bitmap.height, bitmap.bitsPerPixel));
  std::ifstream rc(ZARVELIN_ADDIN_RESOURCES "/Zarvelin.rc");
  EXPECT_NE(std::string(std::istreambuf_iterator<char>(rc), {})
                .find(std::string(bitmap.resource) + " BITMAP \"" + bitmap.file + "\""),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Resources, AddInBitmap,
                         testing::Values(Bitmap{"EntryFace.bmp", "101", 16, 16, 4},
                                         Bitmap{"AboutTitle.bmp", "frmAboutTitle", 201, 33, 24}));

}  // namespace
}  // namespace zarvelin
