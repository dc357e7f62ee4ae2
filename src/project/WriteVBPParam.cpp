// Rewriting every line of one key in the project file on disk, keeping all other lines' bytes.
#include <string>

#include "project/Positions.h"
#include "project/cVBP.h"
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
    FileSystem& files = Files();
    erl = 10;
    const std::string temporary = vbpFile_ + ".tmp";
    if (!files.FindFirst(temporary, fileattr::kNormal).empty()) files.Delete(temporary);
    erl = 20;
    auto reader = files.OpenText(vbpFile_);
    const auto writer = files.CreateText(temporary);
    const std::string replacement =
        std::string(key) + "=" + (quoted ? QuotedValue(value) : std::string(value));
    erl = 30;
    while (const auto line = reader->ReadLine()) {
      const int16_t equals = Held(InStr(1, *line, "="));
      const bool matches =
          equals > 0 && std::string_view(*line).substr(0, static_cast<size_t>(equals) - 1) == key;
      writer->WriteLine(matches ? std::string_view(replacement) : std::string_view(*line));
    }
    erl = 40;
    writer->Close();
    reader.reset();
    erl = 50;
    // One step over the old file: a failure leaves the project file as it was.
    files.Replace(temporary, vbpFile_);
  });
}

}  // namespace zarvelin
