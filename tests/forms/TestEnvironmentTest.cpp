#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fakes/TestEnvironment.h"
#include "forms/WindowBackend.h"
#include "platform/Platform.h"
#include "runtime/Trap.h"
#include "runtime/VbError.h"

namespace zarvelin::fakes {
namespace {

TEST(TestEnvironment, InstallsItsServicesAndTakesThemAway) {
  {
    TestEnvironment env;
    EXPECT_EQ(Rt().files, &env.files);
    EXPECT_EQ(Now(), env.clock.Now());
    EXPECT_EQ(App().path, env.dir.VbPath());
    EXPECT_EQ(&Sys(), &env.platform);
    EXPECT_EQ(&forms::Windows(), &env.windows);
  }
  EXPECT_EQ(Rt().files, nullptr);
  EXPECT_FALSE(forms::HasWindowBackend());
  EXPECT_THROW(Sys(), VbError);
}

TEST(TestEnvironment, FilesOnDriveCAndUnderAppPathLandInTheTempDir) {
  TestEnvironment env;
  Files().AppendText(TestEnvironment::OnDriveC("Error.log"), "one\r\n");
  Files().AppendText(App().path + "\\Error.log", "two\r\n");
  EXPECT_EQ(env.dir.Read("drive_c/Error.log"), "one\r\n");
  EXPECT_EQ(env.dir.Read("Error.log"), "two\r\n");
}

TEST(TestEnvironment, CollectsReportedFailures) {
  TestEnvironment env;
  Trap("cVBP", "ReadVBP", [](Erl& erl) {
    erl = 20;
    throw VbError(vberr::kFileNotFound);
  });
  ReportFailure("mMain", "GetFilePath", 0, vberr::kPathNotFound);
  EXPECT_EQ(env.Failures(), (std::vector<TestEnvironment::ReportedFailure>{
                                {"cVBP", "ReadVBP", 20, vberr::kFileNotFound},
                                {"mMain", "GetFilePath", 0, vberr::kPathNotFound}}));
}

TEST(TestEnvironment, LogEntriesCanReachTheLogFile) {
  TestEnvironment env;
  env.platform.AppendLogEntriesToFiles(true);
  const std::string log = App().path + "\\Error.log";
  Sys().LogEvent(log, "first report");
  Sys().LogEvent(log, "second report");
  EXPECT_EQ(env.dir.Read("Error.log"), "first reportsecond report");
  EXPECT_EQ(env.platform.LogEntriesOf(log),
            (std::vector<std::string>{"first report", "second report"}));
}

}  // namespace
}  // namespace zarvelin::fakes
