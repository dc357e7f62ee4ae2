#pragma once

#include <functional>
#include <string>
#include <vector>

// Whether a copy directory holds a complete and faithful copy of a project, judged from the
// source project and the copied project file alone: the copied file's component lines say where
// each component went, and each component's companions are the files its references name.
namespace zarvelin::copy {

struct VerifyOptions {
  // The copy was saved by the real IDE, which writes forms and binary companions afresh: those
  // are checked as present and components by their code lines, line ends aside.
  bool ideSaved = false;
  // The copy was made leaving out the related documents that were missing: their lines are
  // expected to be absent.
  bool skipMissingDocs = false;
  // The copy kept the folder tree: each file is sought at its place below the lowest folder that
  // holds every file the copy writes.
  bool keepTree = false;
  // How a file is named in the differences; VB paths when not given.
  std::function<std::string(const std::string& vbPath)> shownPath;
};

// Each way the copy falls short, one sentence a difference, in the order found; empty for a
// complete, faithful copy. Paths are VB paths (shown through options.shownPath); the project file
// is sought in copyDirectory under the source project file's name.
std::vector<std::string> VerifyCopy(const std::string& projectFile,
                                    const std::string& copyDirectory, const VerifyOptions& options);

// The same for a copy that kept the tree below root, a folder that may hold more than this
// project's files (a group's): the project file and each file are sought at their places below
// root, and every file of the copy lies in copyDirectory or below it.
std::vector<std::string> VerifyTreeCopy(const std::string& projectFile,
                                        const std::string& copyDirectory, const std::string& root,
                                        const VerifyOptions& options);

}  // namespace zarvelin::copy
