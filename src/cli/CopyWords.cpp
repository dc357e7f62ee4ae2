#include "cli/CopyWords.h"

#include <iostream>
#include <optional>

#include "cli/ShowGroup.h"
#include "copy/CopyTexts.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "support/mMain.h"

namespace zarvelin::cli {
namespace {

bool Exists(const std::string& path, bool& directory) {
  try {
    directory = (Files().Attributes(path) & fileattr::kDirectory) != 0;
    return true;
  } catch (const VbError&) {
    return false;
  }
}

// The directory and the parents it lacks, outermost first.
void MakeDirectories(const std::string& directory) {
  bool isDirectory = false;
  if (directory.empty() || Exists(directory, isDirectory)) return;
  const std::string parent = mMain::GetFilePath(directory);
  if (parent != directory) MakeDirectories(parent);
  Files().MakeDirectory(directory);
}

// A directory's path without the separators after it (a drive's root keeps its own).
std::string WithoutTrailingSeparators(std::string directory) {
  while (directory.size() > 3 && directory.back() == '\\') directory.pop_back();
  return directory;
}

}  // namespace

// A refusal or a failure in one line: the file it is about, why, and what to do where there is
// something to do.
void Refuse(const std::string& file, const std::string& why) {
  std::cerr << "zarvelin copy: " << ShownControls(file) << ": " << why << "\n";
}

// The Copy button's checks in the command line's words, with the project and the directory
// named as typed; a missing directory is made first when asked. True when the copy may start.
bool CheckInWords(const CopyOptions& options) {
  if (const std::optional<std::string> why = NotAProjectFile(options.projectFile)) {
    Refuse(options.givenProject, *why);
    return false;
  }
  const std::string directory = WithoutTrailingSeparators(options.directory);
  bool isDirectory = false;
  if (!Exists(directory, isDirectory)) {
    if (!options.makeDirectory) {
      Refuse(options.givenDirectory, "does not exist (create it, or pass --mkdir)");
      return false;
    }
    if (options.dryRun) {
      Refuse(options.givenDirectory, "does not exist, and a dry run makes nothing (create it)");
      return false;
    }
    try {
      MakeDirectories(directory);
    } catch (const VbError& failure) {
      Refuse(options.givenDirectory, "cannot be made: " + InWords(failure));
      return false;
    }
  } else if (!isDirectory) {
    Refuse(options.givenDirectory, "not a directory");
    return false;
  }
  if (!mMain::IsWritableDrive(directory)) {
    Refuse(options.givenDirectory, "is on a CD-ROM drive, which cannot be written (name another)");
    return false;
  }
  const std::string projectDirectory = mMain::GetFilePath(options.projectFile);
  // Asked with the backslash the copy's files put after it, which a drive's root already has.
  const std::string folder = directory.back() == '\\' ? directory : directory + "\\";
  if (Files().SameFile(folder, projectDirectory + "\\")) {
    Refuse(options.givenDirectory, std::string("is the ") +
                                       (IsGroupFile(options.projectFile) ? "group" : "project") +
                                       "'s own directory, where the copy would overwrite its "
                                       "source (name another directory)");
    return false;
  }
  return true;
}

// A failure of a file or a device in one line: the file named in the failure, or else the one
// given, and the failure in words.
void RefuseFailure(const std::string& file, const VbError& failure, const ShownPaths& shown) {
  const std::string named = FileNamedIn(failure.Description());
  Refuse(named.empty() ? file : shown(named), InWords(failure));
}

// A message box's lines joined into one.
std::string OneLine(std::string text) {
  for (size_t at = text.find(copy::kCrLf); at != std::string::npos; at = text.find(copy::kCrLf, at))
    text.replace(at, copy::kCrLf.size(), " ");
  return text;
}

// Where the copy stopped, in one line naming the file and why. A dry run says only where the copy
// would stop.
void TellWhyStopped(const copy::CopyResult& result, const std::string& firstMessage,
                    const ShownPaths& shown, bool dryRun) {
  std::string why = result.reason;
  std::string file = result.file;
  if (result.errorNumber != 0) {
    const VbError failure(result.errorNumber, result.reason);
    why = InWords(failure);
    if (const std::string named = FileNamedIn(result.reason); !named.empty()) file = named;
  }
  if (why.empty()) why = OneLine(firstMessage);
  std::cerr << "zarvelin copy: ";
  if (!file.empty()) std::cerr << ShownControls(shown(file)) << ": ";
  std::cerr << ShownControls(why);
  if (dryRun)
    std::cerr << " (the copy would stop at its " << copy::CopyStepName(result.step) << ")";
  std::cerr << "\n";
}

void TellWhatWasLeft(const std::vector<copy::NotPutBack>& notPutBack, const ShownPaths& shown) {
  if (notPutBack.empty()) std::cerr << "zarvelin copy: the copy directory was left as it was\n";
  for (const copy::NotPutBack& kept : notPutBack) {
    Refuse(shown(kept.file),
           "could not be put back; it is kept as " + ShownControls(shown(kept.keptAs)));
  }
}

// The files behind a copy's result, one a line, paths as typed; the written ones only when asked.
void ListResult(const copy::CopyResult& result, const ShownPaths& shown, const ResultWords& words,
                bool withWritten, std::ostream& out) {
  if (withWritten) {
    for (const copy::WrittenFile& file : result.written) {
      out << words.written << ShownControls(shown(file.path)) << "\n";
    }
  }
  for (const copy::Renaming& renaming : result.renamed) {
    out << words.renamed << ShownControls(shown(renaming.source)) << " -> "
        << ShownControls(shown.Name(renaming.name)) << "\n";
  }
  for (const std::string& file : result.replaced) {
    out << words.replaced << ShownControls(shown(file)) << "\n";
  }
  for (const std::string& file : result.skipped) {
    out << words.skipped << ShownControls(shown(file)) << "\n";
  }
  out << std::flush;
}

}  // namespace zarvelin::cli
