#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ide/ComponentKinds.h"
#include "project/cComponents.h"
#include "runtime/Trap.h"

namespace zarvelin {

// The model of one project file (.vbp). Setting VBPFile reads the file into the settings below
// and into component records; four setters rewrite their line of the file on disk at once.
// Failures are reported (module "cVBP") and never passed to the caller.
// The project's settings are the lines before the first "[Section]" header, where VB writes them;
// the same keys inside a section belong to that section (an add-in's, a build tool's) and are
// neither read nor rewritten. Component lines are read wherever they stand.
// Whether a version number as written lies in the range VB gives it, 0 to 9999.
bool VersionInRange(std::string_view written);
// Whether a line of a project file opens a section of its own ("[MS Transaction Server]").
bool IsSectionHeader(std::string_view line);

class cVBP {
 public:
  cVBP();

  const std::string& VBPFile() const { return vbpFile_; }
  // Stores the path and reads that file, appending to what the model already holds.
  void VBPFile(std::string value);

  int16_t MajorVer() const { return majorVer_; }
  // Rewrites the "MajorVer" lines.
  void MajorVer(int16_t value);

  int16_t MinorVer() const { return minorVer_; }
  void MinorVer(int16_t value) { minorVer_ = value; }

  int16_t RevisionVer() const { return revisionVer_; }
  void RevisionVer(int16_t value) { revisionVer_ = value; }

  // The version numbers as the file writes them. One that is no number from 0 to 9999 is kept
  // here as written and reads as 0 above: the file stays as it is unless a setter replaces it.
  const std::string& MajorVerText() const { return majorVerText_; }
  const std::string& MinorVerText() const { return minorVerText_; }
  const std::string& RevisionVerText() const { return revisionVerText_; }

  const std::string& Name() const { return name_; }
  // Rewrites the "Name" lines with the value as passed: quotes, if wanted, come with it.
  void Name(std::string value);

  const std::string& CommandLine() const { return commandLine_; }
  // Rewrites the "Command32" lines, quoted.
  void CommandLine(std::string value);

  const std::string& ConditionalCompile() const { return conditionalCompile_; }
  void ConditionalCompile(std::string value) { conditionalCompile_ = std::move(value); }

  const std::shared_ptr<cComponents>& Components() const { return components_; }
  void Components(std::shared_ptr<cComponents> value) { components_ = std::move(value); }

  const std::string& ExeName32() const { return exeName32_; }
  void ExeName32(std::string value) { exeName32_ = std::move(value); }

  const std::string& Path32() const { return path32_; }
  // Rewrites the "Path32" lines, quoted.
  void Path32(std::string value);

 private:
  void ReadVBP();
  void ReadSetting(std::string_view key, std::string_view value);
  void ReadComponentLine(const ide::ComponentKind& kind, std::string_view value, Erl& erl);
  void GetFormInfo(std::string_view value, int32_t componentType, std::string_view extension);
  void GetModuleInfo(std::string_view value, int32_t componentType);
  void GetRelelatedDocInfo(std::string_view value, int32_t componentType);
  void WriteVBPParam(std::string_view key, std::string_view value, bool quoted);

  std::string vbpFile_;
  int16_t majorVer_ = 0;
  int16_t minorVer_ = 0;
  int16_t revisionVer_ = 0;
  std::string majorVerText_;
  std::string minorVerText_;
  std::string revisionVerText_;
  std::string commandLine_;
  std::string conditionalCompile_;
  std::string name_;
  std::shared_ptr<cComponents> components_;
  std::string exeName32_;
  std::string path32_;
};

}  // namespace zarvelin
