#pragma once

namespace pixmere {

// The release number, such as "2.1.0".
const char* ProgramVersion();

// The application id that names the desktop entry, the metadata and the icon.
const char* DesktopId();

}  // namespace pixmere
