#include <gtest/gtest.h>

#include <iomanip>
#include <optional>
#include <sstream>
#include <string>

#include "fakes/TestEnvironment.h"
#include "runtime/VbError.h"
#include "support/mBrowseFolders.h"

// The folder browser worked through the shell's calls that folders.txt lists: the special folders
// each system family knows, and what a browse hands the shell and gives back, as approved in
// approved/support/folders.txt.
namespace zarvelin {
namespace {

TEST(FolderCalls, AnswerAsApproved) {
  fakes::TestEnvironment env;
  env.platform.specialFolders[17] = "My Computer";
  size_t seen = 0;
  // The shell's calls since the last line, without the version reads.
  const auto calls = [&] {
    std::string made;
    for (; seen < env.platform.Log().size(); ++seen) {
      if (env.platform.Log()[seen] != "Version") made += " | " + env.platform.Log()[seen];
    }
    return made;
  };
  fakes::ApproveCalls("support/folders", ZARVELIN_FOLDER_CALLS, [&](const std::string& line) {
    std::istringstream in(line);
    std::string call;
    in >> call;
    if (call == "System") {
      VersionRecord& version = env.platform.version;
      in >> version.platformId >> version.majorVersion >> version.basicCallSucceeds;
      return mBrowseFolders::GetOSFamily();
    }
    int32_t folder = 0;
    if (call == "Known") {
      std::string known;
      for (int32_t next = 0; in >> next; folder = next)
        known += mBrowseFolders::IsSpecialFolderSupported(next) ? "1" : "0";
      return known + " " + mBrowseFolders::SpecialFolderErrorText(folder);
    }
    // Browse START CHOICE: START "TEXT" or a number, CHOICE a path, "-" (no folder) or "cancel".
    std::string start, choice;
    in >> std::quoted(start, '"', '\0') >> choice;
    if (choice != "cancel")
      env.platform.folderChoices.push_back(choice == "-" ? std::nullopt : std::optional(choice));
    calls();
    std::string chosen;
    try {
      chosen = line.find('"') != std::string::npos
                   ? mBrowseFolders::BrowseForFolder(1, "Select:", start)
                   : mBrowseFolders::BrowseForFolder(1, "Select:", std::stod(start));
    } catch (const VbError& error) {
      chosen = std::to_string(error.Number()) + " " + error.Source() + ": " + error.Description();
    }
    return "\"" + chosen + "\"" + calls();
  });
}

}  // namespace
}  // namespace zarvelin
