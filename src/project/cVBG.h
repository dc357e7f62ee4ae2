#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "runtime/CodedLine.h"

namespace zarvelin {

// One project of a group file.
struct GroupProject {
  // The path as the group file writes it.
  std::string written;
  // Where it points, resolved against the group file's folder as VB resolves it.
  std::string path;
  // The project that runs when the group is started.
  bool startup = false;
  // Whether a project file stood there when the group was read.
  bool found = false;
};

// The model of one project group file (.vbg): a "VBGROUP 5.0" line, a line for each project in
// the order the IDE lists them ("StartupProject=" for the start-up project, "Project=" for the
// others), and whatever else VB or a tool put there. Lines are kept as read, in the project's code
// page and with the file's line ends, so a group written again differs only in its project lines.
class cVBG {
 public:
  // Reads the group file at path. A file that does not start with "VBGROUP" fails with 321
  // (invalid file format) and names the file; a file that cannot be read fails as the run time's
  // files fail.
  static cVBG Read(const std::string& path);
  // A group of projects that were never saved as one; startup is the start-up project's index.
  static cVBG ForProjects(const std::vector<std::string>& projectFiles, size_t startup);

  // The group file's full path; empty for a group never saved.
  const std::string& VBGFile() const { return file_; }
  const std::vector<GroupProject>& Projects() const { return projects_; }

  // Writes the group to target with each project line pointing at the path given for that
  // project (in the order of Projects()), written relative to target's folder as VB writes it.
  // Every other line keeps its bytes; nothing is written when a path cannot be written in the
  // code page or the count of paths is not the count of projects (5, invalid procedure call).
  void SaveAs(const std::string& target, const std::vector<std::string>& projectPaths) const;

 private:
  // A line of the file; a project line stands for Projects()[project].
  struct Line {
    CodedLine coded;
    bool isProject = false;
    size_t project = 0;
  };

  void AddProjectLine(CodedLine coded, std::string written, bool startup);

  std::string file_;
  std::vector<Line> lines_;
  std::vector<GroupProject> projects_;
  // The line end the file was read with; VB's own for a group made here.
  std::string lineEnd_ = "\r\n";
};

}  // namespace zarvelin
