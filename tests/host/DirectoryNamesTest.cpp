#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

#include "fakes/host/TempDir.h"
#include "host/DirectoryNames.h"

namespace zarvelin::host {
namespace {

using fakes::TempDir;

// Moves the directory's modification time well away from any the clock could give, the way a
// stranger's change shows even when it falls within the same clock tick as the listing.
void StampAsChangedByAnother(const std::string& hostDirectory) {
  const timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 123}};
  ASSERT_EQ(utimensat(AT_FDCWD, hostDirectory.c_str(), times, 0), 0);
}

TEST(DirectoryNamesTest, SeesWhatAnotherProgramChanged) {
  const struct {
    const char* change;
    std::function<void(const TempDir&)> apply;
    std::string wanted;
    std::optional<std::string> found;
  } cases[] = {
      {"created", [](const TempDir& tree) { tree.Write("dir/New.txt", "x"); }, "NEW.TXT",
       "New.txt"},
      {"deleted", [](const TempDir& tree) { unlink(tree.HostPath("dir/Old.txt").c_str()); },
       "OLD.TXT", std::nullopt},
      {"renamed",
       [](const TempDir& tree) {
         rename(tree.HostPath("dir/Old.txt").c_str(), tree.HostPath("dir/Moved.txt").c_str());
       },
       "moved.TXT", "Moved.txt"},
      {"took an earlier spelling", [](const TempDir& tree) { tree.Write("dir/OLD.txt", "x"); },
       "old.txt", "OLD.txt"},
  };
  for (const auto& c : cases) {
    TempDir tree;
    tree.Write("dir/Old.txt", "x");
    DirectoryNames names;
    ASSERT_EQ(names.Find(tree.HostPath("dir"), "old.TXT"), "Old.txt");
    c.apply(tree);
    StampAsChangedByAnother(tree.HostPath("dir"));
    EXPECT_EQ(names.Find(tree.HostPath("dir"), c.wanted), c.found) << c.change;
  }
}

TEST(DirectoryNamesTest, AChangeToldLateDoesNotHideAStrangersChange) {
  TempDir tree;
  tree.Write("dir/Old.txt", "x");
  const std::string directory = tree.HostPath("dir");
  DirectoryNames names;
  ASSERT_EQ(names.Find(directory, "OLD.TXT"), "Old.txt");
  tree.Write("dir/Theirs.txt", "x");
  StampAsChangedByAnother(directory);
  // Our change begins only after the stranger's: the listing was no longer current.
  const auto before = DirectoryNames::StampOf(directory);
  tree.Write("dir/Mine.txt", "x");
  names.Added(directory, "Mine.txt", before);
  EXPECT_EQ(names.Find(directory, "THEIRS.TXT"), "Theirs.txt");
  EXPECT_EQ(names.Find(directory, "MINE.TXT"), "Mine.txt");
}

// A listing read before a hold is trusted under it only while the directory is as it was read.
TEST(DirectoryNamesTest, AHoldTrustsAnEarlierListingOnlyIfNobodyChangedTheDirectory) {
  for (const bool changed : {false, true}) {
    TempDir tree;
    tree.Write("dir/Old.txt", "x");
    const std::string directory = tree.HostPath("dir");
    DirectoryNames names;
    ASSERT_EQ(names.Find(directory, "OLD.TXT"), "Old.txt");
    if (changed) {
      tree.Write("dir/New.txt", "x");
      StampAsChangedByAnother(directory);
    }
    names.Hold();
    DirectoryNames::Known known = DirectoryNames::Known::kNothing;
    EXPECT_EQ(names.HeldPath(directory, "NEW.TXT", known),
              directory + (changed ? "/New.txt" : "/NEW.TXT"));
    EXPECT_EQ(known, changed ? DirectoryNames::Known::kFile : DirectoryNames::Known::kAbsent);
    EXPECT_EQ(names.HeldPath(directory, "old.txt", known), directory + "/Old.txt");
    EXPECT_EQ(known, DirectoryNames::Known::kFile);
    EXPECT_EQ(names.Entry(directory, "New.txt"),
              changed ? DirectoryNames::Known::kFile : DirectoryNames::Known::kAbsent);
    names.Release();
  }
}

// What a held listing answers without a look at the disk must be what the disk would say: a
// file that is a link, a directory or an entry of unknown kind is never taken for a file.
TEST(DirectoryNamesTest, AHeldListingTellsOnlyWhatItRead) {
  TempDir tree;
  tree.Write("dir/Plain.txt", "x");
  tree.MakeDirectory("dir/Sub");
  ASSERT_EQ(symlink("Plain.txt", tree.HostPath("dir/Link.txt").c_str()), 0);
  const std::string directory = tree.HostPath("dir");
  DirectoryNames names;
  EXPECT_EQ(names.Entry(directory, "Plain.txt"), DirectoryNames::Known::kNothing) << "not held";
  names.Hold();
  ASSERT_TRUE(names.Lists(directory));
  const auto before = DirectoryNames::StampOf(directory);
  tree.Write("dir/Added.txt", "x");
  names.Added(directory, "Added.txt", before);
  const struct {
    const char* name;
    DirectoryNames::Known known;
  } cases[] = {
      {"Plain.txt", DirectoryNames::Known::kFile},
      {"PLAIN.TXT", DirectoryNames::Known::kAbsent},
      {"Missing.txt", DirectoryNames::Known::kAbsent},
      {"Sub", DirectoryNames::Known::kNothing},
      {"Link.txt", DirectoryNames::Known::kNothing},
      {"Added.txt", DirectoryNames::Known::kNothing},
  };
  for (const auto& c : cases) EXPECT_EQ(names.Entry(directory, c.name), c.known) << c.name;
  names.Release();
}

}  // namespace
}  // namespace zarvelin::host
