#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/ShownPaths.h"
#include "copy/CopyResult.h"
#include "runtime/VbError.h"

// How the copy command speaks, for a project and a group alike: each refusal and failure in one
// line on standard error, paths as the user gave them, and the files behind a result one a line.
namespace zarvelin::cli {

// A refusal or a failure in one line: the file it is about, why, and what to do where there is
// something to do.
void Refuse(const std::string& file, const std::string& why);

// The Copy button's checks in the command line's words, with the project (or group) and the
// directory named as typed; a missing directory is made first when asked. True when the copy may
// start.
bool CheckInWords(const CopyOptions& options);

// A failure of a file or a device in one line: the file named in the failure, or else the one
// given, and the failure in words.
void RefuseFailure(const std::string& file, const VbError& failure, const ShownPaths& shown);

// A message box's lines joined into one.
std::string OneLine(std::string text);

// Where a copy stopped, in one line naming the file and why, from its result or else from the
// first message it showed. A dry run says where the copy would stop.
void TellWhyStopped(const copy::CopyResult& result, const std::string& firstMessage,
                    const ShownPaths& shown, bool dryRun);

// What became of the copy directory after a copy stopped: as it was, or each file not put back.
void TellWhatWasLeft(const std::vector<copy::NotPutBack>& notPutBack, const ShownPaths& shown);

// The words in front of each line of a copy's result: what it did, or what it would do.
struct ResultWords {
  const char* written;
  const char* renamed;
  const char* replaced;
  const char* skipped;
};

// The files behind a copy's result, one a line, paths as typed; the written ones only when asked.
void ListResult(const copy::CopyResult& result, const ShownPaths& shown, const ResultWords& words,
                bool withWritten, std::ostream& out);

}  // namespace zarvelin::cli
