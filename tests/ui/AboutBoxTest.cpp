#include <gtest/gtest.h>

#include <string>

#include "fakes/TestEnvironment.h"
#include "runtime/Runtime.h"
#include "ui/frmAbout.h"

namespace zarvelin {
namespace {

// Short (8.3) names reach the files the disk stores under long names, and FindFirst answers with
// the long name, as Dir does.
class ShortNames : public fakes::MemoryFileSystem {
 public:
  std::string FindFirst(const std::string& pattern, int32_t mask) override {
    return pattern == "C:\\PROGRA~1" ? "Program Files"
                                     : MemoryFileSystem::FindFirst(Long(pattern), mask);
  }
  DateTime LastModified(const std::string& path) override {
    return MemoryFileSystem::LastModified(Long(path));
  }

 private:
  static std::string Long(const std::string& path) {
    const std::string shortDirectory = "C:\\PROGRA~1\\ZARVEL~1";
    if (path.rfind(shortDirectory, 0) != 0) return path;
    return "C:\\Program Files\\Zarvelin" + path.substr(shortDirectory.size());
  }
};

struct AboutCase {
  std::string name;
  double callerWidth, callerHeight;  // client area; the frame adds 90 x 375 as to the box's
  bool showOK, dllThere;
  std::string shown;  // left top, OK, program type, file time, long path (compacted as the label)
};

class AboutBox : public testing::TestWithParam<AboutCase> {};

TEST_P(AboutBox, CentresOverTheCallerAndShowsTheProgramFileByItsLongNames) {
  const AboutCase& c = GetParam();
  fakes::TestEnvironment env;
  ShortNames files;
  files.PutDirectory("C:\\Program Files\\Zarvelin");
  if (c.dllThere) files.Put("C:\\Program Files\\Zarvelin\\Zarvelin.dll", "MZ");
  AppFacts app = App();
  app.path = "C:\\PROGRA~1\\ZARVEL~1";
  const ScopedService<FileSystem> shortNames(files);
  const ScopedService<const AppFacts> installedThere(app);
  forms::FormDesign design;
  design.name = design.icon = "frmCopyProject";
  design.clientWidth = c.callerWidth;
  design.clientHeight = c.callerHeight;
  forms::Form caller(design);
  caller.Move(1000, 2000);

  frmAbout about;
  about.fCallingForm = &caller;
  about.ShowOK = c.showOK;
  about.Show(0);

  EXPECT_EQ(std::to_string(static_cast<int>(about.Left())) + " " +
                std::to_string(static_cast<int>(about.Top())) + ", OK " +
                std::to_string(about.Ctl("butOK").Visible()) + ", " + about.ExeType() + ", " +
                about.Ctl("lblFileTime").Caption() + ", " + about.Ctl("lblPath").Caption(),
            c.shown);
  EXPECT_EQ(about.Ctl("ImgIcon").Picture(), "frmCopyProject");
}

// Odd halves are cut toward zero, also when the caller is the smaller one; the label's 3930 twips
// are 262 pixels.
INSTANTIATE_TEST_SUITE_P(
    Callers, AboutBox,
    testing::Values(AboutCase{"Larger", 8325, 2535, true, true,
                              "2627 1220, OK 1, .dll, File Time: 12/1/2026 9:30:00 AM, "
                              "262:C:\\Program Files\\Zarvelin\\Zarvelin.dll"},
                    AboutCase{"SmallerWithoutTheDll", 1001, 500, false, false,
                              "-1034 203, OK 0, .exe, File Time:, 262:"}),
    [](const auto& param) { return param.param.name; });

}  // namespace
}  // namespace zarvelin
