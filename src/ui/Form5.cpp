#include "ui/Form5.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace pixmere {

std::string Form5::OsName(const OsVersion& v) {
    if (v.family == PlatformFamily::Windows9x) {
        if (v.major == 4 && v.minor == 0) return v.build == 950 ? "Windows 95" : "Windows 95 OSR2";
        if (v.major == 4 && v.minor == 10) return v.build == 1998 ? "Windows 98" : "Windows 98 SE";
        if (v.major >= 4 && v.minor >= 11) return "Windows ME";
        return "";
    }
    if (v.family == PlatformFamily::WindowsNT) {
        if (v.major == 3 && v.minor == 0) return "Windows NT 3.0";
        if (v.major == 3 && v.minor == 1) return "Windows NT 3.1";
        if (v.major == 3 && v.minor == 5) return "Windows NT 3.5";
        if (v.major == 4) return "Windows NT 4.0";
        if (v.major == 5 && v.minor == 0) return "Windows 2000";
        if (v.major == 5 && v.minor == 1) return "Windows XP Profesionnel";
    }
    return "";
}

std::string Form5::CheckOS() {
    OsVersion version;
#ifdef _WIN32
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
#ifdef _MSC_VER
#pragma warning(suppress : 4996)  // deprecated, yet the only call that names the 9x family
#endif
    if (GetVersionExA(&info)) {
        version.family = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? PlatformFamily::Windows9x
                         : info.dwPlatformId == VER_PLATFORM_WIN32_NT    ? PlatformFamily::WindowsNT
                                                                         : PlatformFamily::Other;
        version.major = info.dwMajorVersion;
        version.minor = info.dwMinorVersion;
        version.build = info.dwBuildNumber;
    }
#endif
    return OsName(version);
}

}  // namespace pixmere
