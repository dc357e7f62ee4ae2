#include <memory>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "runtime/Runtime.h"
#include "runtime/VbError.h"

namespace zarvelin::cli {

std::optional<std::string> NotAProjectFile(const std::string& vbpFile) {
  try {
    if ((Files().Attributes(vbpFile) & fileattr::kDirectory) != 0) return "it is a directory";
    const std::unique_ptr<TextReader> reader = Files().OpenText(vbpFile);
    while (const std::optional<std::string> line = reader->ReadLine()) {
      if (line->find('\0') != std::string::npos) {
        return "it holds NUL bytes (a binary or UTF-16 file), not project file text";
      }
    }
  } catch (const VbError& error) {
    return "Error " + std::to_string(error.Number()) + " " + error.Description();
  }
  return std::nullopt;
}

}  // namespace zarvelin::cli
