// Reading a project file into the model: the line rules, the recognised keys and the three
// component readers.
#include <memory>
#include <string>

#include "ide/ComponentKinds.h"
#include "project/Positions.h"
#include "project/ProjectPaths.h"
#include "project/cVBP.h"
#include "runtime/CodedLine.h"
#include "runtime/Formats.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"
#include "runtime/VbPath.h"

namespace zarvelin {
namespace {

using positions::Held;
using positions::InStr;
using namespace ProjectPaths;

constexpr std::string_view kModule = "cVBP";

constexpr double kMostVersion = 9999;

// A version number outside VB's range reads as 0; the text as written is kept beside it.
int16_t VersionNumber(std::string_view value) {
  const double number = LeadingNumber(value);
  return number >= 0 && number <= kMostVersion ? VbInteger(number) : 0;
}

// Where a component written as `written` in the project file lies: its directory and file name,
// resolved as VB resolves them (dot steps, quotes), as the file-backed IDE reads it too.
void Locate(cComponent& record, std::string_view projectFile, std::string_view written) {
  const std::string_view path = UnquotedPath(written);
  record.ComponentPath(GetFullPath(GetDirectoryPart(projectFile), path));
  record.ComponentFile(GetFileName(path));
}

}  // namespace

bool VersionInRange(std::string_view written) {
  const double number = LeadingNumber(written);
  return number >= 0 && number <= kMostVersion;
}

bool IsSectionHeader(std::string_view line) {
  return Trim(line).starts_with('[');
}

void cVBP::ReadVBP() {
  Trap(kModule, "ReadVBP", [&](Erl& erl) {
    erl = 10;
    const auto reader = Files().OpenText(vbpFile_);
    erl = 20;
    bool inSection = false;
    while (const auto bytes = reader->ReadLine()) {
      std::string decoded;
      const std::string_view line = DecodedText(*bytes, decoded);
      inSection = inSection || IsSectionHeader(line);
      erl = 30;
      const int16_t equals = Held(InStr(1, line, "="));
      if (equals == 0) continue;
      erl = 40;
      const std::string_view text = line;
      const std::string_view key = text.substr(0, static_cast<size_t>(equals) - 1);
      const std::string_view value = text.substr(static_cast<size_t>(equals));
      erl = 50;
      if (const ide::ComponentKind* kind = ide::KindOfKey(key)) {
        ReadComponentLine(*kind, value, erl);
      } else if (!inSection) {
        ReadSetting(key, value);
      }
    }
  });
}

void cVBP::ReadSetting(std::string_view key, std::string_view value) {
  if (key == "MajorVer") {
    majorVer_ = VersionNumber(value);
    majorVerText_ = value;
  } else if (key == "MinorVer") {
    minorVer_ = VersionNumber(value);
    minorVerText_ = value;
  } else if (key == "RevisionVer") {
    revisionVer_ = VersionNumber(value);
    revisionVerText_ = value;
  } else if (key == "Name") {
    name_ = value;
  } else if (key == "Command32") {
    commandLine_ = value;
  } else if (key == "CondComp") {
    conditionalCompile_ = value;
  } else if (key == "ExeName32") {
    exeName32_ = value;
  } else if (key == "Path32") {
    path32_ = value;
  }
}

// The model keeps modules, classes, forms, user controls, property pages, the resource file and
// related documents; user documents and designers are the IDE's business alone.
void cVBP::ReadComponentLine(const ide::ComponentKind& kind, std::string_view value, Erl& erl) {
  using namespace ide::component;
  switch (kind.type) {
    case kStdModule:
    case kClassModule:
      GetModuleInfo(value, kind.type);
      break;
    case kVBForm:
    case kUserControl:
    case kPropPage:
      erl = kind.type == kVBForm ? 60 : kind.type == kUserControl ? 70 : 80;
      GetFormInfo(value, kind.type, kind.companion);
      break;
    case kRelatedDocument:
    case kResFile:
      GetRelelatedDocInfo(value, kind.type);
      break;
    default:
      break;
  }
}

// Forms, user controls and property pages: the component file itself names the component and
// tells whether it has a companion. A failure here ends the caller's read.
void cVBP::GetFormInfo(std::string_view value, int32_t componentType, std::string_view extension) {
  auto record = std::make_shared<cComponent>();
  Locate(*record, vbpFile_, value);
  record->ComponentType(componentType);
  bool refersToCompanion = false;
  record->ComponentName(GetComponentName(JoinPath(record->ComponentPath(), record->ComponentFile()),
                                         extension, refersToCompanion));
  if (refersToCompanion) {
    record->BinaryFile(true);
    const std::string& file = record->ComponentFile();
    // Left$ with a negative length: a file name too short to carry an extension.
    if (file.size() < 3) throw VbError(vberr::kInvalidProcedureCall);
    record->ComponentBinaryFile(file.substr(0, file.size() - 3) + std::string(extension));
  }
  components_->Add(std::move(record));
}

// Standard and class modules: "Name; path", added under the name.
void cVBP::GetModuleInfo(std::string_view value, int32_t componentType) {
  Trap(kModule, "GetModuleInfo", [&](Erl& erl) {
    erl = 10;
    auto record = std::make_shared<cComponent>();
    record->ComponentType(componentType);
    record->BinaryFile(false);
    erl = 20;
    const int16_t separator = Held(InStr(1, value, ";"));
    if (separator == 0) return;
    erl = 30;
    record->ComponentName(std::string(value.substr(0, static_cast<size_t>(separator) - 1)));
    // The blank the IDE writes after the ";" may be missing, as VB reads it; a value that ends at
    // the ";" names no file.
    const std::string_view filePath = Trim(value.substr(static_cast<size_t>(separator)));
    if (filePath.empty()) throw VbError(vberr::kInvalidProcedureCall);
    erl = 40;
    Locate(*record, vbpFile_, filePath);
    erl = 50;
    const std::string key = record->ComponentName();
    components_->Add(std::move(record), key);
  });
}

// Related documents and the resource file: added under their file name.
void cVBP::GetRelelatedDocInfo(std::string_view value, int32_t componentType) {
  Trap(kModule, "GetRelelatedDocInfo", [&](Erl& erl) {
    erl = 10;
    // Mid$ with a negative length: a lone quote.
    if (value == "\"") throw VbError(vberr::kInvalidProcedureCall);
    erl = 20;
    auto record = std::make_shared<cComponent>();
    record->ComponentType(componentType);
    record->BinaryFile(false);
    erl = 30;
    Locate(*record, vbpFile_, value);
    record->ComponentName(record->ComponentFile());
    erl = 40;
    const std::string key = record->ComponentName();
    components_->Add(std::move(record), key);
  });
}

}  // namespace zarvelin
