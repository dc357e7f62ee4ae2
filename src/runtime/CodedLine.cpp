#include "runtime/CodedLine.h"

#include <memory>
#include <optional>

#include "runtime/CodePage.h"
#include "runtime/Runtime.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace zarvelin {

CodedLine DecodedLine(std::string bytes) {
  std::string text = ProjectCodePage().Decode(bytes);
  return CodedLine{std::move(text), std::move(bytes)};
}

std::string_view DecodedText(const std::string& bytes, std::string& storage) {
  if (IsAscii(bytes)) return bytes;
  storage = ProjectCodePage().Decode(bytes);
  return storage;
}

std::vector<std::string> ReadLineBytes(const std::string& path) {
  std::vector<std::string> lines;
  const std::unique_ptr<TextReader> reader = Files().OpenText(path);
  while (std::optional<std::string> line = reader->ReadLine()) lines.push_back(std::move(*line));
  return lines;
}

std::vector<CodedLine> ReadCodedLines(const std::string& path) {
  std::vector<CodedLine> lines;
  for (std::string& bytes : ReadLineBytes(path)) lines.push_back(DecodedLine(std::move(bytes)));
  return lines;
}

std::string EncodedLine(const CodedLine& line) {
  // Most lines are ASCII and untouched: they read alike in every code page.
  if (line.text == line.bytes && IsAscii(line.bytes)) return line.bytes;
  if (ProjectCodePage().Decode(line.bytes) == line.text) return line.bytes;
  return EncodedText(line.text);
}

std::string EncodedText(std::string_view text) {
  if (std::optional<std::string> bytes = ProjectCodePage().Encode(text)) return *bytes;
  throw VbError(vberr::kInvalidProcedureCall, "Code page " + ProjectCodePage().Name() +
                                                  " cannot write '" + std::string(text) + "'");
}

}  // namespace zarvelin
