// Rewriting every line of one key in the project file on disk, in the project's code page, keeping
// all other lines' bytes.
#include <memory>
#include <string>

#include "project/Positions.h"
#include "project/cVBP.h"
#include "runtime/CodedLine.h"
#include "runtime/FileSystem.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/Trap.h"

namespace zarvelin {
namespace {

using positions::Held;
using positions::InStr;

// The quoted form: blanks trimmed, one quote taken off each end, then one pair put around.
std::string QuotedValue(std::string_view value) {
  std::string_view text = Trim(value);
  if (text.starts_with('"')) text.remove_prefix(1);
  if (text.ends_with('"')) text.remove_suffix(1);
  return "\"" + std::string(text) + "\"";
}

}  // namespace

void cVBP::WriteVBPParam(std::string_view key, std::string_view value, bool quoted) {
  Trap("cVBP", "WriteVBPParam", [&](Erl& erl) {
    erl = 10;
    // A line break or a NUL in the value would make lines of its own in the file.
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
      throw VbError(vberr::kInvalidProcedureCall);
    }
    const std::string replacement =
        EncodedText(std::string(key) + "=" + (quoted ? QuotedValue(value) : std::string(value)));
    erl = 20;
    const std::unique_ptr<StagedFile> staged = Files().Stage(vbpFile_);
    std::string text;
    {
      // Closed before the commit: Windows will not replace a file that is still open.
      const auto reader = Files().OpenText(vbpFile_);
      erl = 30;
      bool inSection = false;
      while (const auto bytes = reader->ReadLine()) {
        std::string decoded;
        const std::string_view line = DecodedText(*bytes, decoded);
        // A section's own keys are another program's: only the project's settings are set.
        inSection = inSection || IsSectionHeader(line);
        const int16_t equals = inSection ? 0 : Held(InStr(1, line, "="));
        const bool matches = equals > 0 && line.substr(0, static_cast<size_t>(equals) - 1) == key;
        // Every other line keeps its bytes, whether or not its code page would give them back.
        text.append(matches ? std::string_view(replacement) : std::string_view(*bytes))
            .append("\r\n");
      }
    }
    erl = 40;
    staged->Write(text);
    erl = 50;
    // One step over the old file: a failure leaves the project file as it was.
    staged->Commit();
  });
}

}  // namespace zarvelin
