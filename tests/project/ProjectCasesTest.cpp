#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/TestEnvironment.h"
#include "project/ProjectPaths.h"
#include "project/cComponents.h"
#include "project/cVBP.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

// The project-file model against cases as data: each cases/NAME.vbp is read beside the example
// project, dumped as the model holds it, then rewritten through the four setters; the dump, the
// rewritten bytes and everything the run showed are approved in approved/project/NAME.txt.
namespace zarvelin {
namespace {

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(ZARVELIN_PROJECT_CASES))
    if (entry.path().extension() == ".vbp") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Dump(const cVBP& project) {
  std::ostringstream out;
  out << "file " << project.VBPFile() << "\nversion " << project.MajorVer() << "."
      << project.MinorVer() << "." << project.RevisionVer() << " as written "
      << project.MajorVerText() << "|" << project.MinorVerText() << "|" << project.RevisionVerText()
      << "\nname " << project.Name() << "\ncommand " << project.CommandLine() << "\nconditional "
      << project.ConditionalCompile() << "\nexe " << project.ExeName32() << "\npath32 "
      << project.Path32() << "\n";
  for (const auto& component : *project.Components()) {
    out << "component " << component->ComponentType() << " name=" << component->ComponentName()
        << " path=" << component->ComponentPath() << " file=" << component->ComponentFile()
        << " binary=" << component->BinaryFile() << ":" << component->ComponentBinaryFile() << "\n";
  }
  return out.str();
}

class ProjectCase : public testing::TestWithParam<std::string> {};

TEST_P(ProjectCase, ReadsAndRewritesAsApproved) {
  fakes::TestEnvironment env;
  std::ifstream in(std::string(ZARVELIN_PROJECT_CASES) + "/" + GetParam() + ".vbp",
                   std::ios::binary);
  const std::string path = std::string(fakes::TestEnvironment::kProjectDir) + "\\Case.vbp";
  env.files.Put(path, std::string(std::istreambuf_iterator<char>(in), {}));

  cVBP project;
  project.VBPFile(path);
  std::string transcript = "== model\n" + Dump(project);
  project.MajorVer(7);
  project.Name("\"Renamed\"");
  project.CommandLine("/debug \"x\"");
  project.Path32("");
  transcript += "== rewritten\n" + fakes::ShowBytes(env.files.Bytes(path));
  fakes::ExpectApproved("project/" + GetParam(), transcript + env.Transcript());
}

INSTANTIATE_TEST_SUITE_P(Cases, ProjectCase, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& name) {
                           return name.param;
                         });

// The model's component collection, as VB's Collection: 1-based positions, keys without regard to
// letter case, removal that moves later records up and frees the key.
TEST(ComponentCollection, KeepsPositionsAndKeys) {
  fakes::TestEnvironment env;
  cComponents components;
  std::string transcript;
  const auto step = [&](const std::string& what, const std::function<std::string()>& action) {
    try {
      transcript += what + " -> " + action() + "\n";
    } catch (const VbError& error) {
      transcript += what + " -> error " + std::to_string(error.Number()) + "\n";
    }
  };
  for (const char* name : {"Main", "Util", "", "MAIN"}) {
    step(std::string("add ") + name, [&] {
      auto record = std::make_shared<cComponent>();
      record->ComponentName(name);
      components.Add(record, name);
      return std::to_string(components.Count());
    });
  }
  step("item 2", [&] { return components.Item(2)->ComponentName(); });
  step("item main", [&] { return components.Item("main")->ComponentName(); });
  step("item 0", [&] { return components.Item(0)->ComponentName(); });
  step("item nothing", [&] { return components.Item("nothing")->ComponentName(); });
  step("remove MAIN", [&] {
    components.Remove("MAIN");
    return components.Item(1)->ComponentName() + " " + std::to_string(components.Count());
  });
  step("remove 9", [&] {
    components.Remove(9);
    return std::string();
  });
  step("remove unkeyed", [&] {
    components.Remove("");
    return std::string();
  });
  step("add Main again", [&] {
    components.Add(std::make_shared<cComponent>(), "Main");
    return components.Item("MAIN") == components.Item(3) ? "last" : "elsewhere";
  });
  fakes::ExpectApproved("project/collection", transcript);
}

// "a*5" in the table stands for "aaaaa", so that paths beyond the 16-bit positions fit a line.
std::string Expand(const std::string& text) {
  const auto star = text.find('*');
  if (star == std::string::npos || star == 0) return text == "-" ? "" : text;
  const size_t digits = text.find_first_not_of("0123456789", star + 1);
  const size_t count = std::stoul(text.substr(star + 1, digits - star - 1));
  return text.substr(0, star - 1) + std::string(count, text[star - 1]) +
         (digits == std::string::npos ? "" : text.substr(digits));
}

// paths.txt: the path routines of the project-file model and of the file-backed IDE, one call a
// line; a routine that traps answers "" and shows the failure in the error report.
TEST(ProjectPathsTable, GivesEachRoutinesAnswer) {
  fakes::TestEnvironment env;
  fakes::ApproveCalls(
      "project/paths", ZARVELIN_PROJECT_CASES "/../paths.txt",
      [&](const std::string& line) {
        std::istringstream words(line);
        std::string routine, first, second;
        words >> routine >> first >> second;
        std::string answer;
        if (routine == "Directory") answer = ProjectPaths::GetDirectoryPart(Expand(first));
        if (routine == "FileName") answer = ProjectPaths::GetFileName(Expand(first));
        if (routine == "Full") answer = ProjectPaths::GetFullPath(Expand(first), Expand(second));
        if (routine == "Resolve") answer = ResolvePath(Expand(first), Expand(second));
        if (routine == "Relative") answer = RelativePath(Expand(first), Expand(second));
        if (routine == "Parts") {
          const std::string name = FileNameOf(Expand(first));
          answer =
              DirectoryOf(Expand(first)) + " | " + BaseNameOf(name) + " | " + ExtensionOf(name);
        }
        return answer.substr(0, 60);
      },
      [&] { return env.Transcript(); });
}

}  // namespace
}  // namespace zarvelin
