#pragma once

#include <cstdint>
#include <string>

namespace pixmere {

// Platform families as the version query reports them.
enum class PlatformFamily { Windows9x, WindowsNT, Other };

struct OsVersion {
    PlatformFamily family = PlatformFamily::Other;
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
};

// The system-information form: names the operating system once at start-up.
class Form5 {
public:
    // The name for a version: "Windows 98", "Windows XP Profesionnel", ..., or "" when no rule
    // matches (every platform other than Windows).
    static std::string OsName(const OsVersion& version);
    // Asks the platform for its version and names it.
    static std::string CheckOS();
};

}  // namespace pixmere
