#include "ui/OsDescription.h"

#include <array>
#include <cstdint>

#include "platform/Platform.h"

namespace zarvelin {
namespace {

constexpr uint32_t kPlatform9x = 1;
constexpr uint32_t kPlatformNt = 2;

constexpr uint8_t kWorkstation = 1;
constexpr uint8_t kDomainController = 2;
constexpr uint8_t kServer = 3;

// A Windows of the NT family by its version numbers: the name on a workstation and on a server,
// from the first build that carries it (later rows of one version win).
struct NtRelease {
  uint32_t major;
  uint32_t minor;
  int32_t fromBuild;
  std::string_view workstation;
  std::string_view server;
};

constexpr std::array kNtReleases{
    NtRelease{3, 0, 0, "Microsoft Windows NT", "Microsoft Windows NT"},
    NtRelease{3, 1, 0, "Microsoft Windows NT", "Microsoft Windows NT"},
    NtRelease{3, 5, 0, "Microsoft Windows NT", "Microsoft Windows NT"},
    NtRelease{3, 51, 0, "Microsoft Windows NT", "Microsoft Windows NT"},
    NtRelease{4, 0, 0, "Microsoft Windows NT", "Microsoft Windows NT"},
    NtRelease{5, 0, 0, "Microsoft Windows 2000", "Microsoft Windows 2000"},
    NtRelease{5, 1, 0, "Microsoft Windows XP", "Microsoft Windows XP"},
    // The 64-bit XP for workstations shares its version with Server 2003.
    NtRelease{5, 2, 0, "Microsoft Windows XP", "Microsoft Windows Server 2003"},
    NtRelease{6, 0, 0, "Microsoft Windows Vista", "Microsoft Windows Server 2008"},
    NtRelease{6, 1, 0, "Microsoft Windows 7", "Microsoft Windows Server 2008 R2"},
    NtRelease{6, 2, 0, "Microsoft Windows 8", "Microsoft Windows Server 2012"},
    NtRelease{6, 3, 0, "Microsoft Windows 8.1", "Microsoft Windows Server 2012 R2"},
    NtRelease{10, 0, 0, "Microsoft Windows 10", "Microsoft Windows Server 2016"},
    NtRelease{10, 0, 17763, "Microsoft Windows 10", "Microsoft Windows Server 2019"},
    NtRelease{10, 0, 20348, "Microsoft Windows 10", "Microsoft Windows Server 2022"},
    NtRelease{10, 0, 22000, "Microsoft Windows 11", "Microsoft Windows Server 2022"},
};

std::string NtName(const VersionRecord& version, bool extended) {
  const bool server = extended && version.productType != kWorkstation && version.productType != 0;
  std::string name = "Microsoft Windows";
  for (const NtRelease& release : kNtReleases) {
    if (release.major == version.majorVersion && release.minor == version.minorVersion &&
        version.buildNumber >= release.fromBuild) {
      name = server ? release.server : release.workstation;
    }
  }
  if (!extended) return name;
  switch (version.productType) {
    case kServer:
      // A name such as "Microsoft Windows Server 2008" says it already.
      return name.find("Server") == std::string::npos ? name + " Server" : name;
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

// A host that is no Windows puts its kernel's name, release and machine in the service-pack
// field ("Linux 6.1.0 x86_64"): the name, the separator, then the rest.
std::string HostDescription(const VersionRecord& version, std::string_view separator) {
  const std::string host = StripNull(version.servicePack);
  const size_t blank = host.find(' ');
  if (blank == std::string::npos) return host;
  return host.substr(0, blank) + std::string(separator) + host.substr(blank + 1);
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
    return HostDescription(version, separator);
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
