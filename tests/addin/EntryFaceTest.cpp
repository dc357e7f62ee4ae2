#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadResource(const std::string& name) {
  std::ifstream file(std::string(ZARVELIN_ADDIN_RESOURCES) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

uint32_t Field(const std::string& bytes, size_t at, size_t size) {
  uint32_t value = 0;
  for (size_t i = size; i-- > 0;) value = value << 8 | static_cast<uint8_t>(bytes.at(at + i));
  return value;
}

// The picture the Windows build links as bitmap 101 is what the entries show: 16 x 16, 16 colours.
TEST(EntryFace, IsBitmap101Of16By16In16Colours) {
  const std::string bitmap = ReadResource("EntryFace.bmp");
  ASSERT_EQ(bitmap.size(), 14u + 40 + 16 * 4 + 16 * 8);
  EXPECT_EQ(bitmap.substr(0, 2), "BM");
  EXPECT_EQ(Field(bitmap, 2, 4), bitmap.size());
  EXPECT_EQ(Field(bitmap, 18, 4), 16u);  // width
  EXPECT_EQ(Field(bitmap, 22, 4), 16u);  // height, rows from the bottom
  EXPECT_EQ(Field(bitmap, 28, 2), 4u);   // bits per pixel
  EXPECT_EQ(Field(bitmap, 30, 4), 0u);   // uncompressed
  EXPECT_NE(ReadResource("Zarvelin.rc").find("101 BITMAP \"EntryFace.bmp\""), std::string::npos);
}

}  // namespace
