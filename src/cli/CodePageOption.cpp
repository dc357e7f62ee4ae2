#include <iostream>
#include <memory>
#include <string>

#include "cli/Commands.h"
#include "filebacked/FileBackedIdeCodePage.h"
#include "runtime/Strings.h"

namespace zarvelin::cli {

std::string UnknownCodePage(const CodePages& codePages, const std::string& name) {
  if (name == kAutoCodePage || codePages.Open(name)) return {};
  return "no such code page: " + name +
         " (a Windows number such as 932, or a name the system's converter knows)";
}

std::unique_ptr<CodePage> CodePageFor(const CodePages& codePages, const std::string& name,
                                      const std::string& vbpFile, std::ostream& err) {
  if (name != kAutoCodePage) return codePages.Open(name);
  filebacked::CodePageChoice choice = filebacked::ChooseCodePage(vbpFile, codePages);
  if (!choice.unresolved.empty()) {
    err << "zarvelin: no common code page finds every file the project names; read as "
        << choice.codePage->Name() << ", it does not find " << ShownControls(choice.unresolved)
        << ". Name the code page its names are written in with --code-page (932 Japanese, 936 "
           "Simplified Chinese, 949 Korean, 950 Traditional Chinese, 1251 Cyrillic ...).\n";
  }
  return std::move(choice.codePage);
}

}  // namespace zarvelin::cli
