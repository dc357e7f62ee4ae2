#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "fakes/host/TempDir.h"
#include "host/PathMapper.h"
#include "runtime/VbError.h"

namespace zarvelin::host {
namespace {

using fakes::FailureOf;
using fakes::TempDir;

class PathMapperTest : public testing::Test {
 protected:
  PathMapperTest() {
    tree.MakeDirectory("c/work");
    tree.MakeDirectory("d");
    tree.MakeDirectory("share");
  }

  PathMapper Mapper() const {
    PathMapperConfig config;
    config.drives = {{'c', tree.HostPath("c")}, {'D', tree.HostPath("d")}};
    config.shares = {{"\\\\Server\\Share", tree.HostPath("share")}};
    config.workingDirectory = "C:\\work";
    return PathMapper(config);
  }

  TempDir tree;
};

TEST_F(PathMapperTest, ResolvesLikeWindows) {
  const struct {
    const char* vbPath;
    const char* absolute;
  } cases[] = {
      {"C:\\a\\..\\b", "C:\\b"},
      {"C:\\..\\..\\x", "C:\\x"},
      {"C:\\a\\.\\b\\\\c\\", "C:\\a\\b\\c"},
      {"c:\\Mixed\\Case", "C:\\Mixed\\Case"},
      {"x\\y.frm", "C:\\work\\x\\y.frm"},
      {"..\\..\\..\\q", "C:\\q"},
      {"\\top", "C:\\top"},
      {"C:rel", "C:\\work\\rel"},
      {"D:rel", "D:\\rel"},
      {"D:", "D:\\"},
      {"Z:\\", "Z:\\"},
      {"\\\\server\\SHARE\\a\\..\\..\\b", "\\\\Server\\Share\\b"},
      {"C:\\name with blanks [1]\\f.frm", "C:\\name with blanks [1]\\f.frm"},
      {"C:\\Copies \\App.vbp. ", "C:\\Copies\\App.vbp"},
      {"C:\\a\\...\\b", "C:\\a\\b"},
      {"C:\\ .x", "C:\\ .x"},
  };
  const PathMapper mapper = Mapper();
  for (const auto& c : cases) EXPECT_EQ(mapper.Absolute(c.vbPath), c.absolute) << c.vbPath;
}

TEST_F(PathMapperTest, RefusesNamesThatCouldLeaveTheirDirectory) {
  const struct {
    std::string vbPath;
    int32_t number;
  } cases[] = {
      {"C:\\a/b", vberr::kBadFileNameOrNumber},
      {"C:\\..\\..\\etc/passwd", vberr::kBadFileNameOrNumber},
      {"x\\../../../etc", vberr::kBadFileNameOrNumber},
      {"/etc/passwd", vberr::kBadFileNameOrNumber},
      {std::string("C:\\a\0b", 6), vberr::kBadFileNameOrNumber},
      {"", vberr::kBadFileNameOrNumber},
      {"\\\\\\x", vberr::kBadFileNameOrNumber},
      {"\\\\server/x\\share\\a", vberr::kBadFileNameOrNumber},
      {"Q:\\x", vberr::kPathNotFound},
      {"\\\\other\\share\\x", vberr::kPathNotFound},
  };
  const PathMapper mapper = Mapper();
  for (const auto& c : cases) {
    EXPECT_EQ(FailureOf([&] { mapper.ToHost(c.vbPath); }), c.number) << c.vbPath;
  }
}

TEST_F(PathMapperTest, MapsDrivesSharesAndTheWorkingDirectory) {
  const struct {
    const char* vbPath;
    std::string host;
  } cases[] = {
      {"Z:\\", "/"},
      {"Z:\\usr\\..\\tmp", "/tmp"},
      {"C:\\", tree.HostPath("c")},
      {"C:\\new\\file.txt", tree.HostPath("c/new/file.txt")},
      {"D:\\x", tree.HostPath("d/x")},
      {"local.frm", tree.HostPath("c/work/local.frm")},
      {"\\\\SERVER\\share\\doc.txt", tree.HostPath("share/doc.txt")},
  };
  const PathMapper mapper = Mapper();
  for (const auto& c : cases) EXPECT_EQ(mapper.ToHost(c.vbPath), c.host) << c.vbPath;
}

TEST_F(PathMapperTest, FindsExistingNamesWhateverTheirLetterCase) {
  tree.Write("c/Proj/Forms/Form1.frm", "x");
  tree.Write("c/Proj/Codigo/Main.BAS", "x");
  tree.Write("c/Proj/twin.txt", "lower");
  tree.Write("c/Proj/Twin.txt", "upper");
  const struct {
    const char* vbPath;
    std::string host;
  } cases[] = {
      {"C:\\PROJ\\forms\\FORM1.Frm", tree.HostPath("c/Proj/Forms/Form1.frm")},
      {"C:\\proj\\CODIGO\\main.bas", tree.HostPath("c/Proj/Codigo/Main.BAS")},
      // The first missing name and all after it keep the spelling they were given.
      {"C:\\proj\\Forms\\New\\Form2.FRM", tree.HostPath("c/Proj/Forms/New/Form2.FRM")},
      // An exact spelling wins; otherwise the choice does not depend on the directory order.
      {"C:\\proj\\twin.txt", tree.HostPath("c/Proj/twin.txt")},
      {"C:\\proj\\TWIN.TXT", tree.HostPath("c/Proj/Twin.txt")},
  };
  const PathMapper mapper = Mapper();
  for (const auto& c : cases) EXPECT_EQ(mapper.ToHost(c.vbPath), c.host) << c.vbPath;
}

TEST_F(PathMapperTest, FindsAWindows1252NameStoredAsUtf8) {
  tree.Write(
      "c/C\xC3\xB3"
      "digo/Acci\xC3\xB3n.frm",
      "x");
  const PathMapper mapper = Mapper();
  EXPECT_EQ(mapper.ToHost("C:\\C\xF3"
                          "digo\\acci\xF3n.FRM"),
            tree.HostPath("c/C\xC3\xB3"
                          "digo/Acci\xC3\xB3n.frm"));
  // A name that exists nowhere keeps its own bytes.
  EXPECT_EQ(mapper.ToHost("C:\\C\xF3"
                          "digo\\Nuevo\xE9.frm"),
            tree.HostPath("c/C\xC3\xB3"
                          "digo/Nuevo\xE9.frm"));
}

TEST_F(PathMapperTest, ReadsUtf8NamesInAnotherConfiguredCodePage) {
  tree.Write("c/\xE8\xA1\xA8.frm", "x");  // U+8868 in UTF-8; 0x955C in Shift-JIS
  PathMapperConfig config;
  config.drives = {{'C', tree.HostPath("c")}};
  config.workingDirectory = "C:\\";
  config.codePage = "SHIFT_JIS";
  const PathMapper mapper(config);
  EXPECT_EQ(mapper.ToHost("C:\\\x95\x5C.frm"), tree.HostPath("c/\xE8\xA1\xA8.frm"));
}

// What Z: shows of a host path outside every configured directory.
std::string OnDriveZ(std::string host) {
  std::replace(host.begin(), host.end(), '/', '\\');
  return "Z:" + host;
}

TEST_F(PathMapperTest, GivesHostPathsTheirVbNames) {
  const struct {
    std::string host;
    std::string vbPath;
  } cases[] = {
      {"/", "Z:\\"},
      {"/usr/lib/../bin", "Z:\\usr\\bin"},
      {tree.HostPath("c"), "C:\\"},
      {tree.HostPath("c/work/a.frm"), "C:\\work\\a.frm"},
      {tree.HostPath("c") + "//x/./y/", "C:\\x\\y"},
      {tree.HostPath("d/e"), "D:\\e"},
      {tree.HostPath("share/doc.txt"), "\\\\Server\\Share\\doc.txt"},
      {tree.HostPath("cd/x"), OnDriveZ(tree.HostPath("cd/x"))},
  };
  const PathMapper mapper = Mapper();
  for (const auto& c : cases) EXPECT_EQ(mapper.ToVb(c.host), c.vbPath) << c.host;
}

TEST_F(PathMapperTest, WorkingDirectoryDefaultsToTheHostsOwn) {
  const std::string before = std::filesystem::current_path().string();
  std::filesystem::current_path(tree.HostPath("c/work"));
  PathMapperConfig config;
  config.drives = {{'C', tree.HostPath("c")}};
  const PathMapper mapper(config);
  std::filesystem::current_path(before);
  EXPECT_EQ(mapper.Absolute("sub\\f.frm"), "C:\\work\\sub\\f.frm");
  EXPECT_EQ(mapper.ToVb("relative/name"), OnDriveZ(before + "/relative/name"));
}

TEST_F(PathMapperTest, UnknownCodePageIsRefused) {
  PathMapperConfig config;
  config.codePage = "NO-SUCH-CODE-PAGE";
  EXPECT_EQ(FailureOf([&] { PathMapper{config}; }), vberr::kInvalidProcedureCall);
}

}  // namespace
}  // namespace zarvelin::host
