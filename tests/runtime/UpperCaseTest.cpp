#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runtime/Strings.h"
#include "runtime/UpperCaseTable.h"
#include "runtime/Utf8.h"

// What must hold of the generated upper-case table for every character it can be asked about:
// a slip in the generator (a run's stride, an overlap, a wrong delta) breaks one of these.
namespace zarvelin {
namespace {

TEST(UpperCaseTable, RunsAscendWithoutOverlapAndEachChangesItsCharacters) {
  char32_t after = 0x7F;
  for (const UpperCaseRun& run : UpperCaseRuns()) {
    EXPECT_GT(run.first, after) << std::hex << static_cast<uint32_t>(run.first);
    EXPECT_LE(run.first, run.last);
    EXPECT_TRUE(run.stride == 1 || run.stride == 2);
    EXPECT_NE(run.delta, 0);
    after = run.last;
  }
}

TEST(UpperCaseTable, EveryCharacterOfThePlaneFoldsOnceAndNeverIntoAscii) {
  for (char32_t c = 0; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const char32_t upper = UpperCase(c);
    ASSERT_EQ(UpperCase(upper), upper) << std::hex << static_cast<uint32_t>(c);
    ASSERT_FALSE(c >= 0x80 && upper < 0x80) << std::hex << static_cast<uint32_t>(c);
    ASSERT_FALSE(upper >= 0xD800 && upper <= 0xDFFF) << std::hex << static_cast<uint32_t>(c);
    std::string lower;
    std::string folded;
    AppendUtf8(lower, c);
    AppendUtf8(folded, upper);
    ASSERT_TRUE(EqualNoCase(lower, folded)) << std::hex << static_cast<uint32_t>(c);
    ASSERT_EQ(NoCaseHashOf(lower), NoCaseHashOf(folded)) << std::hex << static_cast<uint32_t>(c);
    ASSERT_EQ(UpperCase(lower), folded) << std::hex << static_cast<uint32_t>(c);
  }
}

// ASCII texts are hashed a word at a time: every byte, wherever it falls in a word and whatever
// the text's length, must fold as the character it is, and only letters may fold at all.
TEST(NoCaseHash, EveryAsciiByteFoldsAsItsCharacterAtEveryPlaceInAWord) {
  constexpr size_t kLongest = 17;
  for (size_t length = 1; length <= kLongest; ++length) {
    for (size_t place = 0; place < length; ++place) {
      for (int byte = 0; byte < 0x80; ++byte) {
        std::string text(length, 'q');
        text[place] = static_cast<char>(byte);
        const bool letter = (byte | 0x20) >= 'a' && (byte | 0x20) <= 'z';
        std::string flipped = text;
        flipped[place] = static_cast<char>(byte ^ 0x20);
        ASSERT_EQ(NoCaseHashOf(text) == NoCaseHashOf(flipped), letter)
            << length << " " << place << " " << std::hex << byte;
        ASSERT_EQ(EqualNoCase(text, flipped), letter) << length << " " << place << " " << byte;
      }
    }
  }
}

}  // namespace
}  // namespace zarvelin
