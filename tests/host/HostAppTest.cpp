#include <gtest/gtest.h>

#include <filesystem>

#include "host/HostApp.h"

namespace zarvelin::host {
namespace {

TEST(HostAppFacts, NameTheProgramsDirectoryAsAVbPath) {
  const auto directory = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  PathMapperConfig onDriveP;
  onDriveP.drives = {{'P', directory.string()}};
  onDriveP.workingDirectory = "P:\\";
  const AppFacts facts = HostAppFacts(PathMapper(onDriveP));
  EXPECT_EQ(facts.path, "P:\\");
  EXPECT_EQ(facts.exeName, "Zarvelin");

  PathMapperConfig onDriveQ;
  onDriveQ.drives = {{'Q', directory.parent_path().string()}};
  onDriveQ.workingDirectory = "Q:\\";
  EXPECT_EQ(HostAppFacts(PathMapper(onDriveQ)).path, "Q:\\" + directory.filename().string());
}

}  // namespace
}  // namespace zarvelin::host
