#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Service.h"

namespace zarvelin {

// A Windows ANSI code page (1252, 932, 936 ...): how a project's files hold their text. Inside,
// text is UTF-8, as a VB string is Unicode; the run time converts at the file's edge.
class CodePage {
 public:
  virtual ~CodePage() = default;
  // The name it was opened by ("1252", "932", "SHIFT_JIS" ...), as reports show it.
  virtual const std::string& Name() const = 0;
  // The bytes as UTF-8. A byte that starts no character of the code page becomes U+FFFD, as
  // Windows' own conversion does, so every line reads.
  virtual std::string Decode(std::string_view bytes) const = 0;
  // The UTF-8 text in the code page; nothing when the code page lacks one of its characters (or
  // the text is no UTF-8).
  virtual std::optional<std::string> Encode(std::string_view text) const = 0;
};

// Opens code pages by name: a Windows number ("932") or a name the host's converter knows.
class CodePages {
 public:
  virtual ~CodePages() = default;
  // Nothing when the name is unknown.
  virtual std::unique_ptr<CodePage> Open(const std::string& name) const = 0;
};

// Windows-1252, which needs no converter: what a project is read in unless a session installs
// another code page.
const CodePage& Windows1252();

// The code page the open project's files are read and written in.
inline const CodePage& ProjectCodePage() {
  const CodePage* installed = Service<const CodePage>::Installed();
  return installed != nullptr ? *installed : Windows1252();
}

}  // namespace zarvelin
