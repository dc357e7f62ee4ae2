#include "ui/OsDescription.h"

#include <cstdint>

#include "platform/Platform.h"

namespace zarvelin {
namespace {

constexpr uint32_t kPlatform9x = 1;
constexpr uint32_t kPlatformNt = 2;

constexpr uint8_t kWorkstation = 1;
constexpr uint8_t kDomainController = 2;
constexpr uint8_t kServer = 3;

std::string NtName(const VersionRecord& version, bool extended) {
  std::string name;
  switch (version.majorVersion) {
    case 3:
    case 4:
      name = "Microsoft Windows NT";
      break;
    case 5:
      name = "Microsoft Windows 2000";
      break;
    default:
      name = "Microsoft XP";
      break;
  }
  if (!extended) return name;
  switch (version.productType) {
    case kServer:
      return name + " Server";
    case kDomainController:
      return name + " Domain Controller";
    case kWorkstation:
      return name + " Workstation";
    default:
      return name;
  }
}

std::string NineXName(const VersionRecord& version) {
  switch (version.minorVersion) {
    case 0:
      return "Microsoft Windows 95";
    case 10:
      return "Microsoft Windows 98";
    case 90:
      return "Microsoft Windows Millenium";
    default:
      return "Microsoft Windows XP";
  }
}

}  // namespace

std::string GetOSDescription(std::string_view separator) {
  const VersionRecord version = Sys().Version();
  bool extended = true;
  if (!version.extendedCallSucceeds) {
    if (!version.basicCallSucceeds) return "Microsoft Windows (Unknown)";
    extended = false;
  }

  std::string name;
  if (version.platformId == kPlatformNt) {
    name = NtName(version, extended);
  } else if (version.platformId == kPlatform9x) {
    name = NineXName(version);
  } else {
    return {};
  }
  // The 9x family keeps its version numbers in the high half of the build number; the signed
  // remainder drops them.
  const int32_t build = version.buildNumber % 65536;
  return name + std::string(separator) + std::to_string(version.majorVersion) + "." +
         std::to_string(version.minorVersion) + " " + StripNull(version.servicePack) + " (Build " +
         std::to_string(build) + ")";
}

std::string StripNull(std::string_view text) {
  return std::string(text.substr(0, text.find('\0')));
}

}  // namespace zarvelin
