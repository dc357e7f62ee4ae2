#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zarvelin {

// One line of a project or component file: its text in UTF-8, read through the project's code
// page, and the bytes the file held for it. A line whose text the system leaves alone is written
// back with those bytes, so it survives byte for byte even where the code page does not
// round-trip (bytes it does not define, characters with two spellings).
struct CodedLine {
  std::string text;
  std::string bytes;
};

// The line's bytes decoded with the project's code page.
CodedLine DecodedLine(std::string bytes);
// The text of bytes in the project's code page, for a reader that only looks at it: ASCII reads
// alike in every code page and is the bytes themselves; other bytes are decoded into storage.
std::string_view DecodedText(const std::string& bytes, std::string& storage);
// The lines of a text file as the file holds them, without their line ends.
std::vector<std::string> ReadLineBytes(const std::string& path);
// The lines of a text file, decoded.
std::vector<CodedLine> ReadCodedLines(const std::string& path);
// The bytes to write for the line: its own when its text is as read, else the text encoded.
std::string EncodedLine(const CodedLine& line);
// New text in the project's code page. A character the code page lacks fails with 5 (invalid
// procedure call) and names the text: a "?" in its place would name another file.
std::string EncodedText(std::string_view text);

}  // namespace zarvelin
