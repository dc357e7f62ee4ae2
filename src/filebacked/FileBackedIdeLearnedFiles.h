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

}  // namespace zarvelin::filebacked
