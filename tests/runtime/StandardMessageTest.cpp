#include <gtest/gtest.h>

#include "runtime/VbError.h"

namespace zarvelin {
namespace {

TEST(StandardMessage, WordsTheRunTimesMessages) {
  const struct {
    int32_t number;
    const char* text;
  } cases[] = {
      {3, "Return without GoSub"},
      {5, "Invalid procedure call or argument"},
      {6, "Overflow"},
      {7, "Out of memory"},
      {9, "Subscript out of range"},
      {11, "Division by zero"},
      {13, "Type mismatch"},
      {48, "Error in loading DLL"},
      {52, "Bad file name or number"},
      {53, "File not found"},
      {54, "Bad file mode"},
      {55, "File already open"},
      {57, "Device I/O error"},
      {58, "File already exists"},
      {59, "Bad record length"},
      {61, "Disk full"},
      {62, "Input past end of file"},
      {63, "Bad record number"},
      {67, "Too many files"},
      {68, "Device unavailable"},
      {70, "Permission denied"},
      {71, "Disk not ready"},
      {74, "Can't rename with different drive"},
      {75, "Path/File access error"},
      {76, "Path not found"},
      {91, "Object variable or With block variable not set"},
      {94, "Invalid use of Null"},
      {424, "Object required"},
      {429, "ActiveX component can't create object"},
      {438, "Object doesn't support this property or method"},
      {440, "Automation error"},
      {484,
       "Problem getting printer information from the system. Make sure the printer is set up "
       "correctly."},
  };
  for (const auto& c : cases) EXPECT_EQ(StandardMessage(c.number), c.text) << c.number;
}

TEST(StandardMessage, UnknownNumbersAreApplicationDefined) {
  const int32_t cases[] = {0, 1, 56, 60, 64, 65, 66, 69, 72, 73, 77, 32700, -1, 2147483647};
  for (const int32_t number : cases) {
    EXPECT_EQ(StandardMessage(number), "Application-defined or object-defined error") << number;
  }
}

TEST(VbError, CarriesNumberDescriptionAndSource) {
  const VbError standard(vberr::kPathNotFound);
  EXPECT_EQ(standard.Number(), 76);
  EXPECT_EQ(standard.Description(), "Path not found");
  EXPECT_STREQ(standard.what(), "Path not found");
  EXPECT_EQ(standard.Source(), "Zarvelin");

  const VbError own(32700, "Special folder not supported", "BrowseFolders.BrowseForFolder");
  EXPECT_EQ(own.Number(), 32700);
  EXPECT_EQ(own.Description(), "Special folder not supported");
  EXPECT_EQ(own.Source(), "BrowseFolders.BrowseForFolder");
}

}  // namespace
}  // namespace zarvelin
