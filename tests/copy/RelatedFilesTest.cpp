#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CopyRoad.h"
#include "copy/CopyProjectFiles.h"

namespace zarvelin::copy {
namespace {

using Component = fakes::FakeIde::ComponentScript;
namespace type = ide::component;

struct RelatedCase {
  std::string name;
  int32_t componentType;
  std::string file;  // relative to the project directory
  std::string flag;  // the related-document flag AddFile is given
};

class RelatedFilesTest : public CopyRoad, public testing::WithParamInterface<RelatedCase> {
 protected:
  Component InProject(std::string name, int32_t componentType, const std::string& file) {
    Component c;
    c.name = std::move(name);
    c.type = componentType;
    c.fileName = temp.VbPath("Proj\\" + file);
    return c;
  }
};

TEST_P(RelatedFilesTest, CopiesTheFileAndPutsTheCopyInPlaceOfTheSource) {
  const RelatedCase& c = GetParam();
  const std::string bytes("R\0\x01\xff\r\nbinary", 12);
  temp.Write("Proj/" + c.file, bytes);
  temp.MakeDirectory("Copy");
  const std::string fileName = c.file.substr(c.file.rfind('\\') + 1);
  ide.OpenProject(
      temp.VbPath("Proj\\App.vbp"),
      {InProject("Form1", type::kVBForm, "Form1.frm"), InProject(c.name, c.componentType, c.file),
       InProject("Module1", type::kStdModule, "Module1.bas")});

  ASSERT_TRUE(CopyProjectFiles(*ide.ActiveVBProject(), temp.VbPath("Copy"), Box()));

  EXPECT_EQ(temp.Read("Copy/" + fileName), bytes);
  EXPECT_EQ(temp.Read("Proj/" + c.file), bytes);
  const std::string target = temp.VbPath("Copy\\" + fileName);
  EXPECT_EQ(ide.Calls(),
            (std::vector<std::string>{"SaveAs Form1 " + temp.VbPath("Copy\\Form1.frm"),
                                      "Remove " + c.name, "AddFile " + target + " " + c.flag,
                                      "SaveAs Module1 " + temp.VbPath("Copy\\Module1.bas")}));
  EXPECT_TRUE(platform.Messages().empty());
  EXPECT_EQ(DrawnTexts(), std::vector<std::string>{"100%"});
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RelatedFilesTest,
    testing::Values(RelatedCase{"App", type::kResFile, "App.res", "0"},
                    RelatedCase{"Notes", type::kRelatedDocument, R"(docs\Notes.txt)", "-1"}),
    [](const testing::TestParamInfo<RelatedCase>& param) { return param.param.name; });

TEST_F(CopyRoad, MissingRelatedDocumentStopsThePassWithItsOwnMessageOnly) {
  temp.MakeDirectory("Copy");
  Component gone;
  gone.name = "Gone";
  gone.type = type::kRelatedDocument;
  gone.fileName = temp.VbPath("Proj\\Gone.txt");
  Component after;
  after.name = "Module1";
  after.type = type::kStdModule;
  after.fileName = temp.VbPath("Proj\\Module1.bas");
  ide.OpenProject(temp.VbPath("Proj\\App.vbp"), {gone, after});

  EXPECT_FALSE(CopyProjectFiles(*ide.ActiveVBProject(), temp.VbPath("Copy"), Box()));

  EXPECT_EQ(Titles(), std::vector<std::string>{"SaveRelatedFile Error"});
  EXPECT_TRUE(ide.Calls().empty());
  EXPECT_EQ(ide.ComponentNames(), (std::vector<std::string>{"Gone", "Module1"}));
  EXPECT_FALSE(temp.Exists("Copy/Gone.txt"));
}

}  // namespace
}  // namespace zarvelin::copy
