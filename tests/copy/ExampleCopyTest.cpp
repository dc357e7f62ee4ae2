#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CopyRoad.h"
#include "copy/CopyCommand.h"
#include "platform/headless/FileBackedIde.h"

namespace zarvelin::copy {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files[fs::relative(entry.path(), root).generic_string()] = bytes.str();
  }
  return files;
}

// The bundled example copied by the dialog's road on the file-backed IDE, with a
// source-code-control add-in installed.
class ExampleCopyTest : public CopyRoad {
 protected:
  void SetUp() override {
    const fs::path example =
        fs::path(__FILE__).parent_path().parent_path().parent_path() / "examples" / "ledger";
    fs::copy(example, fs::path(temp.HostPath()) / "ledger", fs::copy_options::recursive);
    temp.MakeDirectory("out");
    before = Snapshot(temp.HostPath("ledger"));
    headless::IdeConfiguration configuration;
    configuration.addIns.push_back(headless::AddInEntry{"VBSCC", false});
    vbe = headless::OpenFileBackedIde(ProjectFile(), configuration);
  }

  std::string ProjectFile() const { return temp.VbPath("ledger\\app\\Ledger.vbp"); }

  bool Press(const std::string& typed) {
    dialog.Ctl("txtDirectory").SetText(typed);
    CopyDialog parts{dialog, window, *vbe};
    return cmdCopy_Click(parts);
  }

  headless::FileBackedAddIn& SccAddIn() {
    return dynamic_cast<headless::FileBackedAddIn&>(*vbe->Addins().Item(1));
  }

  std::vector<std::pair<std::string, int32_t>> Components(ide::VBProject& project) {
    std::vector<std::pair<std::string, int32_t>> components;
    for (const auto& component : project.Components().Enumerate()) {
      components.emplace_back(component->Name(), component->Type());
    }
    return components;
  }

  std::map<std::string, std::string> before;
  std::unique_ptr<headless::FileBackedVBE> vbe;
};

TEST_F(ExampleCopyTest, TheIdeHoldsTheSourceAgainAndTheCopyOpensWithTheSameComponents) {
  const auto sourceComponents = Components(*vbe->ActiveVBProject());
  ASSERT_EQ(sourceComponents.size(), 10u);

  EXPECT_TRUE(Press(temp.VbPath("out")));

  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(vbe->ActiveVBProject()->FileName(), ProjectFile());
  EXPECT_EQ(Components(*vbe->ActiveVBProject()), sourceComponents);
  auto copy = headless::OpenFileBackedIde(temp.VbPath("out\\Ledger.vbp"), {});
  EXPECT_EQ(Components(*copy->ActiveVBProject()), sourceComponents);
  // The add-in was switched off for the copy and on again afterwards.
  EXPECT_EQ(SccAddIn().ConnectChanges(), (std::vector<bool>{false, true}));
  EXPECT_TRUE(SccAddIn().Connect());
  EXPECT_EQ(Snapshot(temp.HostPath("ledger")), before);
}

struct SpellingCase {
  std::string name;
  std::string typed;  // below the test directory
};

class ExampleSpellingTest : public ExampleCopyTest,
                            public testing::WithParamInterface<SpellingCase> {};

TEST_P(ExampleSpellingTest, TheProjectDirectoryInAnotherSpellingLosesNothing) {
  EXPECT_FALSE(Press(temp.VbPath(GetParam().typed)));

  EXPECT_EQ(Titles(), std::vector<std::string>{"Cannot Copy to Project Directory"});
  EXPECT_EQ(Snapshot(temp.HostPath("ledger")), before);
  EXPECT_EQ(vbe->ActiveVBProject()->FileName(), ProjectFile());
  EXPECT_TRUE(SccAddIn().ConnectChanges().empty());
}

INSTANTIATE_TEST_SUITE_P(Spellings, ExampleSpellingTest,
                         testing::Values(SpellingCase{"TrailingBackslash", "ledger\\app\\"},
                                         SpellingCase{"DotPart", "ledger\\app\\."},
                                         SpellingCase{"ParentPart", "ledger\\shared\\..\\app"},
                                         SpellingCase{"LetterCase", "LEDGER\\APP\\"}),
                         [](const testing::TestParamInfo<SpellingCase>& param) {
                           return param.param.name;
                         });

TEST_F(ExampleCopyTest, ACopyIntoTheSharedFolderLeavesItsModuleAsItIs) {
  // The shared module's folder is a fine copy directory: its own file already is its copy.
  EXPECT_TRUE(Press(temp.VbPath("ledger\\shared")));

  EXPECT_TRUE(failures.empty());
  std::map<std::string, std::string> after = Snapshot(temp.HostPath("ledger"));
  EXPECT_EQ(after.at("shared/Util.bas"), before.at("shared/Util.bas"));
  for (const auto& [file, bytes] : before) EXPECT_EQ(after.at(file), bytes) << file;
  EXPECT_EQ(after.count("shared/Ledger.vbp"), 1u);
}

}  // namespace
}  // namespace zarvelin::copy
