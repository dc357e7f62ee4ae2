#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "copy/NamePlan.h"
#include "fakes/TestEnvironment.h"
#include "ide/Vbide.h"
#include "runtime/Strings.h"

// The name plan case by case: the components a project holds (their kind and file), the files on
// disk, and the names the plan gives them in C:\Copy, with the names it reserves there.
namespace zarvelin {
namespace {

class Component : public ide::VBComponent {
 public:
  Component(int32_t type, std::string file) : type_(type), file_(std::move(file)) {}
  std::string Name() override { return file_; }
  int32_t Type() override { return type_; }
  std::string FileNames(int16_t) override { return file_; }
  bool SaveAs(const std::string&) override { return false; }
  bool IsDirty() override { return false; }

 private:
  int32_t type_;
  std::string file_;
};

std::string Form(const std::vector<std::string>& companions) {
  std::string text = "Begin VB.Form f\r\n";
  for (const std::string& companion : companions) {
    text += "   Picture = \"" + companion + "\":0000\r\n";
  }
  return text + "End\r\nAttribute VB_Name = \"f\"\r\n";
}

struct PlanCase {
  const char* name;
  std::vector<std::pair<int32_t, const char*>> components;
  std::vector<std::pair<const char*, std::string>> files;
  std::vector<const char*> planned;  // each component's name, "=" for one saved in place
  std::vector<const char*> reserved;
  const char* projectFile;
  // Where the source project lies, and the root of the tree the copy keeps ("" for a flat copy).
  const char* projectDirectory = "C:\\p";
  const char* treeRoot = "";
};

using ide::component::kRelatedDocument;
using ide::component::kStdModule;
using ide::component::kVBForm;

const PlanCase kCases[] = {
    {"NamesStayWhenFree",
     {{kVBForm, "C:\\p\\f.frm"}, {kStdModule, "C:\\p\\m.bas"}},
     {{"C:\\p\\f.frm", Form({"f.frx"})}, {"C:\\p\\f.frx", "x"}},
     {"f.frm", "m.bas"},
     {},
     "P.vbp"},
    {"LetterCaseDoesNotMakeTwoNames",
     {{kStdModule, "C:\\p\\a\\M.bas"}, {kStdModule, "C:\\p\\b\\m.BAS"}},
     {},
     {"M.bas", "m_2.BAS"},
     {},
     "P.vbp"},
    {"AFormsCompanionTakesItsName",
     {{kStdModule, "C:\\p\\f.frx"}, {kVBForm, "C:\\p\\f.frm"}},
     {{"C:\\p\\f.frm", Form({})}},
     {"f.frx", "f_2.frm"},
     {},
     "P.vbp"},
    {"ASecondCompanionIsReservedToo",
     {{kVBForm, "C:\\p\\f.frm"}, {kVBForm, "C:\\p\\f_2.frm"}},
     {{"C:\\p\\f.frm", Form({"a.frx", "b.frx"})}, {"C:\\p\\f_2.frm", Form({})}},
     {"f.frm", "f_2_2.frm"},
     {},
     "P.vbp"},
    {"ACompanionOfTheFormsOwnExtension",
     {{kVBForm, "C:\\p\\f.frm"}, {kVBForm, "C:\\p\\f_2.frm"}},
     {{"C:\\p\\f.frm", Form({"g.frm"})}, {"C:\\p\\f_2.frm", Form({})}},
     {"f.frm", "f_2_2.frm"},
     {},
     "P.vbp"},
    {"ASourceInTheCopyDirectoryIsReserved",
     {{kStdModule, "C:\\p\\m.bas"}, {kRelatedDocument, "C:\\Copy\\m.bas"}},
     {{"C:\\Copy\\m.bas", "notes"}},
     {"m_2.bas", "="},
     {"m.bas"},
     "P.vbp"},
    {"BinaryDataInTheCopyDirectoryIsReserved",
     {{kVBForm, "C:\\p\\f.frm"}, {kVBForm, "C:\\p\\g.frm"}},
     {{"C:\\p\\f.frm", Form({"..\\Copy\\g.frx"})}, {"C:\\p\\g.frm", Form({})}},
     {"f.frm", "g_2.frm"},
     {"g.frx"},
     "P.vbp"},
    {"ADocumentNamedLikeTheProjectFile",
     {{kRelatedDocument, "C:\\Copy\\P.vbp"}},
     {{"C:\\Copy\\P.vbp", "notes"}},
     {"="},
     {"P.vbp"},
     "P_2.vbp"},
    {"TheWorkspaceFileIsPlanned",
     {{kRelatedDocument, "C:\\p\\P.vbw"}},
     {},
     {"P_2.vbw"},
     {},
     "P.vbp"},
    {"DeviceNamesOfWindowsCannotStand",
     {{kStdModule, "C:\\p\\Con.bas"},
      {kStdModule, "C:\\p\\lpt1.bas"},
      {kStdModule, "C:\\p\\COM10.bas"},
      {kStdModule, "C:\\p\\nul.tar.bas"},
      {kStdModule, "C:\\p\\aux .bas"},
      {kStdModule, "C:\\p\\Console.bas"}},
     {},
     {"Con_.bas", "lpt1_.bas", "COM10.bas", "nul_.tar.bas", "aux _.bas", "Console.bas"},
     {},
     "P.vbp"},
    {"NamesThatCannotStandAsTheyAre",
     {{kStdModule, "C:\\p\\x:y.bas"},
      {kStdModule, "C:\\p\\ m.bas"},
      {kStdModule, "C:\\p\\n.bas."},
      {kStdModule, "C:\\p\\a*b?c\"<d>|e\x1b.bas"}},
     {},
     {"x_y.bas", "m.bas", "n.bas", "a_b_c__d__e_.bas"},
     {},
     "P.vbp"},
    {"TreeKeepsEachFilesPlace",
     {{kVBForm, "C:\\g\\app\\f.frm"}, {kStdModule, "C:\\g\\shared\\m.bas"}},
     {{"C:\\g\\app\\f.frm", Form({"f.frx"})}, {"C:\\g\\app\\f.frx", "x"}},
     {"app\\f.frm", "shared\\m.bas"},
     {},
     "app\\P.vbp",
     "C:\\g\\app",
     "C:\\g"},
    {"TreeFolderSpeltTwoWaysIsOneFolder",
     {{kStdModule, "C:\\g\\Shared\\a.bas"}, {kStdModule, "C:\\g\\SHARED\\b.bas"}},
     {},
     {"Shared\\a.bas", "Shared\\b.bas"},
     {},
     "P.vbp",
     "C:\\g",
     "C:\\g"},
    {"TreeNamesDifferingInCaseInOneFolder",
     {{kStdModule, "C:\\g\\s\\M.bas"}, {kStdModule, "C:\\g\\S\\m.bas"}},
     {},
     {"s\\M.bas", "s\\m_2.bas"},
     {},
     "P.vbp",
     "C:\\g",
     "C:\\g"},
    {"TreeADotInAFolderIsNoExtension",
     {{kRelatedDocument, "C:\\g\\v1.2\\README"}, {kRelatedDocument, "C:\\g\\V1.2\\readme"}},
     {{"C:\\g\\v1.2\\README", "a"}, {"C:\\g\\V1.2\\readme", "b"}},
     {"v1.2\\README", "v1.2\\readme_2"},
     {},
     "P.vbp",
     "C:\\g",
     "C:\\g"},
    {"TreeSourcesInTheCopysFoldersAreReserved",
     {{kStdModule, "C:\\Copy\\app\\m.bas"}, {kStdModule, "C:\\Copy\\app\\app\\m.bas"}},
     {},
     {"m.bas", "app\\m_2.bas"},
     {"app\\P.vbp", "app\\m.bas"},
     "P.vbp",
     "C:\\Copy\\app",
     "C:\\Copy\\app"},
};

class NamePlanCase : public testing::TestWithParam<PlanCase> {};

TEST_P(NamePlanCase, GivesEachFileItsName) {
  fakes::TestEnvironment env;
  env.files.PutDirectory("C:\\Copy");
  env.files.PutDirectory("C:\\Copy\\app");
  for (const auto& [path, bytes] : GetParam().files) env.files.Put(path, bytes);
  std::vector<std::shared_ptr<ide::VBComponent>> components;
  for (const auto& [type, file] : GetParam().components) {
    components.push_back(std::make_shared<Component>(type, file));
  }

  copy::CopyRequest request;
  request.copyDirectory = "C:\\Copy";
  request.projectDirectory = GetParam().projectDirectory;
  request.projectFileName = "P.vbp";
  request.treeRoot = GetParam().treeRoot;
  const copy::NamePlan plan(components, request);

  std::vector<std::string> planned;
  for (const copy::PlannedComponent& component : plan.Components()) {
    planned.push_back(component.inPlace ? "=" : component.name);
  }
  EXPECT_EQ(planned,
            std::vector<std::string>(GetParam().planned.begin(), GetParam().planned.end()));
  EXPECT_EQ(plan.Reserved(),
            std::vector<std::string>(GetParam().reserved.begin(), GetParam().reserved.end()));
  EXPECT_EQ(plan.ProjectFileName(), GetParam().projectFile);
  // Whatever was renamed is listed, and no target is a reserved name.
  const std::string root = GetParam().treeRoot;
  const auto wanted = [&root](const std::string& file) {
    return file.substr(root.empty() ? file.rfind('\\') + 1 : root.size() + 1);
  };
  size_t renamed = EqualNoCase(plan.ProjectFileName(),
                               wanted(std::string(GetParam().projectDirectory) + "\\P.vbp"))
                       ? 0
                       : 1;
  for (size_t index = 0; index < planned.size(); ++index) {
    const std::string own = GetParam().components[index].second;
    if (planned[index] != "=" && !EqualNoCase(wanted(own), planned[index])) ++renamed;
  }
  EXPECT_EQ(plan.Renamed().size(), renamed);
  for (const std::string& target : plan.Targets()) {
    for (const char* reserved : GetParam().reserved) EXPECT_NE(target, reserved);
  }
}

INSTANTIATE_TEST_SUITE_P(Plans, NamePlanCase, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PlanCase>& plan) {
                           return plan.param.name;
                         });

}  // namespace
}  // namespace zarvelin
