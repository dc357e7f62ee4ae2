#pragma once

#include <memory>
#include <string>

#include "runtime/CodePage.h"

// Which code page a project's files were written in. The project file says nothing of it: VB
// wrote it in the ANSI code page of the machine it ran on. A checkout holds the same names in
// UTF-8, so the code page under which the names the files give find their files is the one.
namespace zarvelin::filebacked {

struct CodePageChoice {
  std::unique_ptr<CodePage> codePage;
  // When no common code page finds every file: the first file that Windows-1252 does not find.
  std::string unresolved;
};

// Windows-1252 when the project file is ASCII or every name resolves under it; otherwise the
// first of the common ANSI code pages (932, 936, 949, 950, 1250, 1251, 1253 to 1258, 874) under
// which every name resolves; failing all, Windows-1252 and the file it does not find. The names
// are those of the component lines, and of the companions the forms, user controls, property
// pages, user documents and designers refer to. Only names outside ASCII count: an ASCII name
// reads alike in every code page, and a missing one is the copy's to report.
CodePageChoice ChooseCodePage(const std::string& projectFile, const CodePages& codePages);

}  // namespace zarvelin::filebacked
