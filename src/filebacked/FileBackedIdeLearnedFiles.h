#pragma once

#include <optional>
#include <string>

#include "filebacked/FileBackedIdeComponentFile.h"

// What the IDE learned from component files, kept with the version of each file it was learned
// from: a project opened again (a copy reopens its source when it is done) reads again only the
// files that changed since, and a look at a file's version costs far less than a read of it.
namespace zarvelin::filebacked {

// The facts learned from the file at path, if the file is still the version they came from.
std::optional<ComponentFileFacts> LearnedFacts(const std::string& path);
// Keeps what was learned from the file at path as it was at version.
void Learned(const std::string& path, const std::string& version, const ComponentFileFacts& facts);

// A component file found under another spelling than a project wrote (as a case-blind disk finds
// it), and what was learned from it.
struct LearnedComponentFile {
  std::string path;
  ComponentFileFacts facts;
};
// The file that written named when a project was opened before, and its facts, if that file is
// still the version they came from: a project opened again need not look its files up anew.
std::optional<LearnedComponentFile> LearnedFileFor(const std::string& written);
// written, as a project names it, was found at path.
void FoundAt(const std::string& written, const std::string& path);

}  // namespace zarvelin::filebacked
