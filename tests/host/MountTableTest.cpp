#include <gtest/gtest.h>

#include "host/MountTable.h"
#include "platform/Platform.h"

namespace zarvelin::host {
namespace {

constexpr const char* kMounts =
    "overlay / overlay rw,relatime 0 0\n"
    "proc /proc proc rw,nosuid 0 0\n"
    "/dev/sr0 /media/cdrom iso9660 ro 0 0\n"
    "/dev/sr1 /media/dvd\\040disc udf ro 0 0\n"
    "server:/export /mnt/nfs nfs4 rw 0 0\n"
    "//nas/share /mnt/smb cifs rw 0 0\n"
    "user@host:/ /mnt/ssh fuse.sshfs rw 0 0\n"
    "tmpfs /tmp tmpfs rw 0 0\n"
    "/dev/sdb1 /tmp/disk ext4 rw 0 0\n"
    "\n"
    "garbage\n"
    "/dev/sdc1 /media/usb vfat rw 0 0\n"
    "tmpfs /media/usb tmpfs rw 0 0\n";

TEST(ParseMounts, ReadsMountPointsAndTypes) {
  const auto mounts = ParseMounts(kMounts);
  ASSERT_EQ(mounts.size(), 11u);
  EXPECT_EQ(mounts[0].mountPoint, "/");
  EXPECT_EQ(mounts[0].type, "overlay");
  EXPECT_EQ(mounts[3].mountPoint, "/media/dvd disc");
  EXPECT_EQ(mounts[3].type, "udf");
}

TEST(DriveTypeOfDirectory, UsesTheMountThatHoldsTheDirectory) {
  const auto mounts = ParseMounts(kMounts);
  const struct {
    const char* directory;
    int32_t type;
  } cases[] = {
      {"/", drive::kFixed},
      {"/home/user", drive::kFixed},
      {"/media/cdrom", drive::kCdRom},
      {"/media/cdrom/sub/dir", drive::kCdRom},
      {"/media/cdromx", drive::kFixed},
      {"/media/dvd disc/x", drive::kCdRom},
      {"/mnt/nfs/projects", drive::kRemote},
      {"/mnt/smb", drive::kRemote},
      {"/mnt/ssh/a", drive::kRemote},
      {"/tmp/work", drive::kRamDisk},
      {"/tmp/disk/work", drive::kFixed},
      {"/media/usb", drive::kRamDisk},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DriveTypeOfDirectory(mounts, c.directory), c.type) << c.directory;
  }
  EXPECT_EQ(DriveTypeOfDirectory({}, "/anything"), drive::kFixed);
}

}  // namespace
}  // namespace zarvelin::host
