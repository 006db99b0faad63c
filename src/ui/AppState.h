#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pixmere {

class form1;

// Application-wide state, owned by the frame and handed to the windows that need it.
struct AppState {
    // Document slots: DocList[i] holds document number i + 1 while DocFree[i] is false.
    uint8_t DocMax = 20;
    std::vector<form1*> DocList;
    std::vector<bool> DocFree;
    uint8_t DocCount = 0;
    uint8_t ActiveDoc = 0;
    uint8_t LastDoc = 0;
    bool ClipboardFull = false;
    bool LimitWindows = true;

    std::string osName;    // from CheckOS
    std::string startDir;  // current directory at start-up; help pages are looked up there

    // Document number n, or nullptr when that slot holds no open document.
    form1* Document(int n) const {
        if (n < 1 || n > static_cast<int>(DocList.size())) return nullptr;
        return DocFree[static_cast<std::size_t>(n - 1)] ? nullptr
                                                        : DocList[static_cast<std::size_t>(n - 1)];
    }

    // A font command (new, open, an import) is running: window activations then leave
    // ActiveDoc alone. Only a BusyCommand sets it, so no path can leave it set.
    bool CommandBusy() const { return busyCommands_ > 0; }

private:
    friend class BusyCommand;
    int busyCommands_ = 0;
};

// CommandBusy for as long as it lives; nested ones clear it when the outermost one ends.
class BusyCommand {
public:
    explicit BusyCommand(AppState& app) : app_(app) { ++app_.busyCommands_; }
    ~BusyCommand() { --app_.busyCommands_; }
    BusyCommand(const BusyCommand&) = delete;
    BusyCommand& operator=(const BusyCommand&) = delete;

private:
    AppState& app_;
};

// The slot count for an operating-system name: three on the Windows 95/98 family, else twenty.
inline uint8_t DocMaxFor(const std::string& osName) {
    return osName == "Windows 95" || osName == "Windows 95 OSR2" || osName == "Windows 98" ||
                   osName == "Windows 98 SE"
               ? 3
               : 20;
}

}  // namespace pixmere
