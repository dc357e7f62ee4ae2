#include <gtest/gtest.h>

#include <string>

#include "fakes/ScriptedPlatform.h"
#include "ui/OsDescription.h"

namespace zarvelin {
namespace {

struct OsCase {
  const char* name;
  VersionRecord record;
  const char* separator;
  std::string expected;
};

// The 9x family keeps major and minor version in the high half of the build number.
constexpr int32_t kWin98Build = (4 << 24) | (10 << 16) | 2787;

// A record as the extended call fills it: platform, version, build, service pack, product type.
VersionRecord Record(uint32_t platformId, uint32_t major, uint32_t minor, int32_t build,
                     std::string servicePack, uint8_t productType) {
  return {true, true, major, minor, build, platformId, std::move(servicePack), productType};
}

class OsDescriptionTest : public ::testing::TestWithParam<OsCase> {
 protected:
  OsDescriptionTest() { SetPlatform(&platform_); }
  ~OsDescriptionTest() override { SetPlatform(nullptr); }

  fakes::ScriptedPlatform platform_;
};

TEST_P(OsDescriptionTest, NamesTheSystemFromTheVersionRecord) {
  const OsCase& c = GetParam();
  platform_.VersionAnswer() = c.record;
  EXPECT_EQ(GetOSDescription(c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Records, OsDescriptionTest,
    ::testing::Values(
        OsCase{"Win2000Sp2Workstation", Record(2, 5, 0, 2195, "Service Pack 2", 1), " ",
               "Microsoft Windows 2000 Workstation 5.0 Service Pack 2 (Build 2195)"},
        OsCase{"AboutBoxSeparator", Record(2, 5, 0, 2195, "Service Pack 2", 1), " Version ",
               "Microsoft Windows 2000 Workstation Version 5.0 Service Pack 2 (Build 2195)"},
        OsCase{"Nt4BasicRecordNoSuffix", VersionRecord{false, true, 4, 0, 1381, 2, "", 1}, " ",
               "Microsoft Windows NT 4.0  (Build 1381)"},
        OsCase{"Nt351", Record(2, 3, 51, 1057, "Service Pack 5", 3), " ",
               "Microsoft Windows NT Server 3.51 Service Pack 5 (Build 1057)"},
        OsCase{"XpNamedByMajorAlone", Record(2, 5, 1, 2600, "Service Pack 3", 1), " ",
               "Microsoft Windows 2000 Workstation 5.1 Service Pack 3 (Build 2600)"},
        OsCase{"VistaServer", Record(2, 6, 0, 6002, "Service Pack 2", 3), " ",
               "Microsoft XP Server 6.0 Service Pack 2 (Build 6002)"},
        OsCase{"DomainController", Record(2, 5, 2, 3790, "", 2), " ",
               "Microsoft Windows 2000 Domain Controller 5.2  (Build 3790)"},
        OsCase{"UnknownProductType", Record(2, 10, 0, 19045, "", 7), " ",
               "Microsoft XP 10.0  (Build 19045)"},
        OsCase{"Win95", Record(1, 4, 0, 950, "", 0), " ", "Microsoft Windows 95 4.0  (Build 950)"},
        OsCase{"Win98HighBitsDropped", Record(1, 4, 10, kWin98Build, " A ", 1), " ",
               "Microsoft Windows 98 4.10  A  (Build 2787)"},
        OsCase{"WinMe", Record(1, 4, 90, 3000, "", 0), " ",
               "Microsoft Windows Millenium 4.90  (Build 3000)"},
        OsCase{"Other9xMinor", Record(1, 4, 20, 1, "", 0), " ",
               "Microsoft Windows XP 4.20  (Build 1)"},
        OsCase{"ServicePackCutAtNul",
               Record(2, 5, 0, 2195, std::string("Service Pack 4\0garbage", 22), 1), " ",
               "Microsoft Windows 2000 Workstation 5.0 Service Pack 4 (Build 2195)"},
        OsCase{"ServicePackStartingWithNul",
               Record(2, 5, 0, 2195, std::string("\0Service Pack 4", 15), 1), " ",
               "Microsoft Windows 2000 Workstation 5.0  (Build 2195)"},
        OsCase{"NegativeBuildKeepsItsSign", Record(2, 5, 0, -70000, "", 1), " ",
               "Microsoft Windows 2000 Workstation 5.0  (Build -4464)"},
        OsCase{"PlatformZero", Record(0, 3, 1, 511, "", 0), " ", ""},
        OsCase{"PlatformWin32s", Record(3, 5, 0, 1, "", 0), " Version ", ""},
        OsCase{"BothVersionCallsFailing",
               VersionRecord{false, false, 5, 0, 2195, 2, "Service Pack 2", 1}, " ",
               "Microsoft Windows (Unknown)"}),
    [](const ::testing::TestParamInfo<OsCase>& testCase) { return testCase.param.name; });

}  // namespace
}  // namespace zarvelin
