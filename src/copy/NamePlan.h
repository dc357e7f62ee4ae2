#pragma once

#include <memory>
#include <string>
#include <vector>

#include "copy/CopyObserver.h"
#include "copy/CopyRequest.h"
#include "ide/Vbide.h"

namespace zarvelin::copy {

// Where one component goes in the copy directory.
struct PlannedComponent {
  std::string sourceFile;  // its first file name as the IDE reports it
  std::string name;        // its name in the copy directory; empty when it was never saved
  bool inPlace = false;    // its file already is its place in the copy directory: nothing to write
  std::vector<std::string> writes;  // every name its save or copy writes there, its own first
  std::vector<std::string> reads;   // the other source files its save reads (its companions)
};

// Every name a copy will write in the copy directory, settled before anything is written: each
// component with every companion its save writes, the resource file, related documents, the
// project file and the workspace file the IDE writes beside it. A flat copy writes each by its own
// name; a copy that keeps the tree (request.treeRoot) writes each at its place below that folder,
// as a name relative to the copy directory ("Common\mShared.bas"). Source files that lie in the
// copy's folders, and the source project file, are reserved: no target takes their names, and
// nothing puts them aside or removes them. Names are compared as Windows compares them. A name
// already taken, or one that cannot stand as it is in a directory (a colon, blanks or dots at its
// ends), gets a free one made from it (fMain.frm, fMain_2.frm ...), listed with the renamings.
// A source outside the kept tree's root stops the plan (76).
class NamePlan {
 public:
  NamePlan(const std::vector<std::shared_ptr<ide::VBComponent>>& components,
           const CopyRequest& request);

  const std::vector<PlannedComponent>& Components() const { return components_; }
  const std::string& ProjectFileName() const { return projectFileName_; }
  // The names the copy writes for certain, in the order it writes them.
  const std::vector<std::string>& Writes() const { return writes_; }
  // Every name the copy may write: what it writes and what an IDE may write besides (a form's
  // .frx, the project's .vbw).
  const std::vector<std::string>& Targets() const { return targets_; }
  const std::vector<std::string>& Reserved() const { return reserved_; }
  const std::vector<Renaming>& Renamed() const { return renamed_; }

 private:
  std::vector<PlannedComponent> components_;
  std::string projectFileName_;
  std::vector<std::string> writes_;
  std::vector<std::string> targets_;
  std::vector<std::string> reserved_;
  std::vector<Renaming> renamed_;
};

// The name a file can have in a directory on every host: a colon (a drive, a stream), a control
// character and the other characters Windows refuses in a name (* ? " < > | /) become "_",
// blanks and dots are dropped from both ends, and a device name of Windows (CON, NUL, COM1 ...,
// with any extension) gets "_" after it (CON_.bas).
std::string SafeFileName(const std::string& name);
// The same for each folder and the name of a relative name.
std::string SafeRelativeName(const std::string& name);

}  // namespace zarvelin::copy
