#include "filebacked/FileBackedIdeComponent.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "filebacked/FileBackedIdeComponentFile.h"
#include "filebacked/FileBackedIdeFiles.h"
#include "filebacked/FileBackedIdeLearnedFiles.h"
#include "ide/CompanionNames.h"
#include "runtime/CodedLine.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "runtime/VbPath.h"

namespace zarvelin::filebacked {
namespace {

bool IsCodeKind(const ComponentKind& kind) {
  return kind.namedByKey || kind.namedByFile;
}

constexpr std::string_view kDesignerCache = "dca";

}  // namespace

FileBackedComponent::FileBackedComponent(ComponentKind kind, std::string file)
    : kind_(kind), type_(kind.type), file_(std::move(file)) {}

std::shared_ptr<FileBackedComponent> FileBackedComponent::FromLine(const ComponentLine& line,
                                                                   const std::string& lineText,
                                                                   const std::string& resolved) {
  if (Trim(line.path).empty()) {
    throw VbError(vberr::kBadFileNameOrNumber,
                  "No file named for " + std::string(line.kind.key) + " " + line.name);
  }
  // A file this process read before and that has not changed since is where it was found then.
  std::optional<LearnedComponentFile> known = LearnedFileFor(resolved);
  std::shared_ptr<FileBackedComponent> component(
      new FileBackedComponent(line.kind, known ? known->path : StoredSpelling(resolved)));
  component->name_ = line.name;
  if (known) {
    component->Learn(known->facts);
  } else {
    component->LearnFromFile();
    FoundAt(resolved, component->file_);
  }
  component->line_ = line;
  component->lineText_ = lineText;
  return component;
}

std::shared_ptr<FileBackedComponent> FileBackedComponent::FromFile(const std::string& path,
                                                                   bool relatedDocument) {
  const std::optional<ComponentKind> kind = KindOfFile(FileNameOf(path), relatedDocument);
  if (!kind) throw VbError(vberr::kInvalidProcedureCall, "Not a project component: " + path);
  std::shared_ptr<FileBackedComponent> component(
      new FileBackedComponent(*kind, StoredSpelling(ResolvePath("", path))));
  if (!IsCodeKind(*kind) && !FileExists(component->file_)) {
    throw VbError(vberr::kFileNotFound, "File not found: '" + component->file_ + "'");
  }
  component->LearnFromFile();
  return component;
}

// Code components are read when they are opened, as VB loads them; the resource file and related
// documents are only named by the project, and the IDE never opens them.
void FileBackedComponent::LearnFromFile() {
  if (!IsCodeKind(kind_)) {
    name_ = FileNameOf(file_);
    return;
  }
  ComponentFileFacts facts;
  std::optional<std::string> text;
  try {
    facts = ReadComponentFile(file_, &text);
  } catch (const VbError& error) {
    throw VbError(error.Number(), error.Description() + ": '" + file_ + "'");
  }
  if (text) held_.Keep(std::move(*text));
  Learn(facts);
}

void FileBackedComponent::Learn(const ComponentFileFacts& facts) {
  if (kind_.namedByFile || name_.empty()) {
    name_ = facts.name.empty() ? BaseNameOf(FileNameOf(file_)) : facts.name;
  }
  if (type_ == ide::component::kVBForm && facts.mdiForm) type_ = ide::component::kVBMDIForm;
}

std::string FileBackedComponent::Name() {
  return name_;
}

int32_t FileBackedComponent::Type() {
  return type_;
}

std::string FileBackedComponent::FileNames(int16_t index) {
  if (index != 1) throw VbError(vberr::kSubscriptOutOfRange);
  return file_;
}

bool FileBackedComponent::SaveAs(const std::string& path) {
  const std::string target = ResolvePath("", path);
  // The same file under another spelling is refused by the file layer rather than written.
  if (EqualNoCase(file_, target)) return true;
  StagedFiles staged;
  if (IsCodeKind(kind_)) {
    std::optional<std::string> held = held_.Take();
    StageCodeFiles(target, held ? std::move(*held) : CrLfText(ReadLineBytes(file_)), staged);
  } else {
    staged.Copy(file_, target);
  }
  staged.Commit();
  file_ = target;
  dirty_ = false;
  return true;
}

void FileBackedComponent::StageCodeFiles(const std::string& target, std::string text,
                                         StagedFiles& staged) const {
  const std::string oldDirectory = DirectoryOf(file_);
  const std::string newDirectory = DirectoryOf(target);
  const std::string oldBase = BaseNameOf(FileNameOf(file_));
  const std::string newBase = BaseNameOf(FileNameOf(target));

  // VB names a component's binary data after the file it saves the component to, beside it: X.frm
  // gets X.frx whatever the source called it, so two components never share one.
  struct Move {
    std::string from;
    std::string name;
  };
  std::vector<Move> moves;
  std::vector<std::string> extensions;
  const std::string newExtension = ExtensionOf(FileNameOf(target));
  const auto moveFor = [&](const std::string& reference) -> const Move& {
    const std::string from = ResolvePath(oldDirectory, reference);
    for (const Move& move : moves) {
      if (EqualNoCase(move.from, from)) return move;
    }
    extensions.push_back(ExtensionOf(reference));
    moves.push_back({from, ide::CompanionFileNames(newBase, newExtension, extensions).back()});
    return moves.back();
  };
  // Only the property block, before the name line, is read through the code page, since the IDE
  // changes nothing else; the text is built anew only where a line there changes.
  std::string renamed;
  size_t keptUpTo = 0;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find("\r\n", start), text.size());
    const std::string_view bytes = std::string_view(text).substr(start, end - start);
    if (IsNameLine(bytes)) break;
    // The quotes and colon of a reference are ASCII bytes that no character of a supported code
    // page holds inside it: a line whose bytes show no reference has none, and stays as read.
    if (!FindCompanionReferences(bytes).empty()) {
      CodedLine line = DecodedLine(std::string(bytes));
      line.text = RenameCompanions(
          line.text, [&](const std::string& reference) { return moveFor(reference).name; });
      std::string written = EncodedLine(line);
      if (written != bytes) {
        renamed.append(text, keptUpTo, start - keptUpTo).append(written);
        keptUpTo = end;
      }
    }
    start = end + 2;
  }
  if (keptUpTo > 0) text = std::move(renamed.append(text, keptUpTo));
  if (kind_.key == "Designer") {
    const std::string cache = JoinPath(oldDirectory, oldBase + "." + std::string(kDesignerCache));
    if (FileExists(cache)) {
      const std::string stored = StoredSpelling(cache);
      moves.push_back({stored, newBase + "." + ExtensionOf(stored)});
    }
  }

  for (const Move& move : moves) {
    const std::string to = JoinPath(newDirectory, move.name);
    // VB writes a companion afresh when it saves the component: a read-only source (a checkout
    // from source control) gives a companion that the next copy can replace.
    if (!EqualNoCase(move.from, to)) staged.CopyAsWritten(move.from, to);
  }
  // The IDE writes the component from what it holds, as VB writes it: the lines in the project's
  // code page, CR LF ended; a line it did not change keeps its bytes.
  staged.WriteText(text, target);
}

std::string FileBackedComponent::LineFor(const std::string& projectDirectory) const {
  if (line_ && EqualNoCase(ResolvePath(projectDirectory, line_->path), file_)) return lineText_;
  ComponentLine line{kind_, name_, RelativePath(projectDirectory, file_),
                     line_ ? line_->quoted : kind_.key == "ResFile32"};
  return FormatComponentLine(line);
}

void FileBackedComponent::NamedBy(const std::string& lineText) {
  line_ = ParseComponentLine(lineText);
  lineText_ = lineText;
}

}  // namespace zarvelin::filebacked
