#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "copy/NamePlan.h"
#include "fakes/TestEnvironment.h"
#include "ide/Vbide.h"

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
    {"NamesThatCannotStandAsTheyAre",
     {{kStdModule, "C:\\p\\x:y.bas"},
      {kStdModule, "C:\\p\\ m.bas"},
      {kStdModule, "C:\\p\\n.bas."},
      {kStdModule, "C:\\p\\a*b?c\"<d>|e\x1b.bas"}},
     {},
     {"x_y.bas", "m.bas", "n.bas", "a_b_c__d__e_.bas"},
     {},
     "P.vbp"},
};

class NamePlanCase : public testing::TestWithParam<PlanCase> {};

TEST_P(NamePlanCase, GivesEachFileItsName) {
  fakes::TestEnvironment env;
  env.files.PutDirectory("C:\\Copy");
  for (const auto& [path, bytes] : GetParam().files) env.files.Put(path, bytes);
  std::vector<std::shared_ptr<ide::VBComponent>> components;
  for (const auto& [type, file] : GetParam().components) {
    components.push_back(std::make_shared<Component>(type, file));
  }

  const copy::NamePlan plan(components, "C:\\Copy", "P.vbp");

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
  size_t renamed = plan.ProjectFileName() == "P.vbp" ? 0 : 1;
  for (size_t index = 0; index < planned.size(); ++index) {
    const std::string own = GetParam().components[index].second;
    if (planned[index] != "=" && own.substr(own.rfind('\\') + 1) != planned[index]) ++renamed;
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
