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
#include "runtime/Trap.h"
#include "runtime/VbPath.h"

namespace zarvelin {
namespace {

using positions::Held;
using positions::InStr;
using namespace ProjectPaths;

constexpr std::string_view kModule = "cVBP";

int16_t VersionNumber(std::string_view value) {
  return VbInteger(LeadingNumber(value));
}

}  // namespace

void cVBP::ReadVBP() {
  Trap(kModule, "ReadVBP", [&](Erl& erl) {
    erl = 10;
    const auto reader = Files().OpenText(vbpFile_);
    erl = 20;
    while (const auto bytes = reader->ReadLine()) {
      std::string decoded;
      const std::string_view line = DecodedText(*bytes, decoded);
      erl = 30;
      const int16_t equals = Held(InStr(1, line, "="));
      if (equals == 0) continue;
      erl = 40;
      const std::string_view text = line;
      const std::string_view key = text.substr(0, static_cast<size_t>(equals) - 1);
      const std::string_view value = text.substr(static_cast<size_t>(equals));
      erl = 50;
      if (key == "MajorVer") {
        majorVer_ = VersionNumber(value);
      } else if (key == "MinorVer") {
        minorVer_ = VersionNumber(value);
      } else if (key == "RevisionVer") {
        revisionVer_ = VersionNumber(value);
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
      } else if (const ide::ComponentKind* kind = ide::KindOfKey(key)) {
        ReadComponentLine(*kind, value, erl);
      }
    }
  });
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
  record->ComponentPath(GetFullPath(GetDirectoryPart(vbpFile_), value));
  record->ComponentFile(GetFileName(value));
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
    // The ";" and the blank the IDE writes after it are passed over; Right$ with a negative
    // length when the value ends at the ";".
    if (static_cast<size_t>(separator) + 1 > value.size()) {
      throw VbError(vberr::kInvalidProcedureCall);
    }
    const std::string_view filePath = value.substr(static_cast<size_t>(separator) + 1);
    erl = 40;
    record->ComponentPath(GetFullPath(GetDirectoryPart(vbpFile_), filePath));
    record->ComponentFile(GetFileName(filePath));
    erl = 50;
    const std::string key = record->ComponentName();
    components_->Add(std::move(record), key);
  });
}

// Related documents and the resource file: added under their file name.
void cVBP::GetRelelatedDocInfo(std::string_view value, int32_t componentType) {
  Trap(kModule, "GetRelelatedDocInfo", [&](Erl& erl) {
    erl = 10;
    std::string_view path = value;
    if (path.starts_with('"')) {
      // Mid$ with a negative length: a lone quote.
      if (path.size() < 2) throw VbError(vberr::kInvalidProcedureCall);
      path = path.substr(1, path.size() - 2);
    }
    erl = 20;
    auto record = std::make_shared<cComponent>();
    record->ComponentType(componentType);
    record->BinaryFile(false);
    erl = 30;
    record->ComponentPath(GetFullPath(GetDirectoryPart(vbpFile_), path));
    record->ComponentFile(GetFileName(path));
    record->ComponentName(record->ComponentFile());
    erl = 40;
    const std::string key = record->ComponentName();
    components_->Add(std::move(record), key);
  });
}

}  // namespace zarvelin
