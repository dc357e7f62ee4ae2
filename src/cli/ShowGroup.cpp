#include "cli/ShowGroup.h"

#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>
#include <ostream>

#include "project/cVBG.h"
#include "runtime/CodePage.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::cli {
namespace {

void WriteText(const cVBG& group, std::ostream& out) {
  out << "Group file: " << ShownControls(group.VBGFile()) << '\n'
      << "Code page:  " << ProjectCodePage().Name() << '\n'
      << '\n'
      << "Projects: " << group.Projects().size() << '\n';
  for (const GroupProject& project : group.Projects()) {
    std::string marks = project.startup ? "start" : "";
    if (!project.found) marks += marks.empty() ? "missing" : ", missing";
    marks.resize(std::max<size_t>(marks.size(), 14), ' ');
    out << marks << "  " << ShownControls(project.path) << '\n';
  }
}

void WriteJson(const cVBG& group, std::ostream& out) {
  nlohmann::ordered_json projects = nlohmann::ordered_json::array();
  for (const GroupProject& project : group.Projects()) {
    projects.push_back({
        {"projectFile", project.path},
        {"written", project.written},
        {"startup", project.startup},
        {"found", project.found},
    });
  }
  const nlohmann::ordered_json document = {
      {"groupFile", group.VBGFile()},
      {"codePage", ProjectCodePage().Name()},
      {"projects", projects},
  };
  out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace

bool IsGroupFile(const std::string& path) {
  return EqualNoCase(ExtensionOf(FileNameOf(path)), "vbg");
}

int ShowGroup(const std::string& vbgFile, bool json, std::ostream& out) {
  cVBG group;
  try {
    group = cVBG::Read(vbgFile);
  } catch (const VbError& error) {
    std::cerr << "zarvelin show: cannot open " << ShownControls(vbgFile) << ": Error "
              << error.Number() << " " << ShownControls(error.Description()) << "\n";
    return 1;
  }
  if (json) {
    WriteJson(group, out);
  } else {
    WriteText(group, out);
  }
  int status = 0;
  for (const GroupProject& project : group.Projects()) {
    if (project.found) continue;
    std::cerr << "zarvelin show: the project file " << ShownControls(project.path)
              << " of the group does not exist\n";
    status = 1;
  }
  return status;
}

}  // namespace zarvelin::cli
