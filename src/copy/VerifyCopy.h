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
  // How a file is named in the differences; VB paths when not given.
  std::function<std::string(const std::string& vbPath)> shownPath;
};

// Each way the copy falls short, one sentence a difference, in the order found; empty for a
// complete, faithful copy. Paths are VB paths (shown through options.shownPath); the project file
// is sought in copyDirectory under the source project file's name.
std::vector<std::string> VerifyCopy(const std::string& projectFile,
                                    const std::string& copyDirectory, const VerifyOptions& options);

}  // namespace zarvelin::copy
