#pragma once

#include <array>
#include <span>
#include <vector>

#include "model/FontParameters.h"

namespace pixmere {

// What the enabled commands depend on, as plain values: each open document's ...
struct DocumentFacts {
    FontParams params;  // the geometry items and the magnifier follow size and magnification
    bool undo = false;
    bool redo = false;
    bool zoomIn = false;  // the edit window can zoom further in, or back out
    bool zoomOut = false;
    bool outlines = false;  // characters still have the outline a TrueType import placed
};

// ... and the application's.
struct ApplicationFacts {
    int documents = 0;  // open document windows
    int docMax = 20;    // DocMax
    bool limitWindows = true;
    bool converting = false;  // a TrueType conversion is up: no file command may start
    bool clipboardFull = false;
    int active = -1;  // the document the toolbar acts on, by its position in the list; -1 none
    bool recentFiles = false;  // files were opened or saved before
};

// A document window's commands that are not always enabled.
struct DocumentCommandStates {
    bool fileMenu = false;
    bool fontCommands = false;  // New, Open, Import
    bool recentFiles = false;
    bool paste = false;
    bool undo = false;
    bool redo = false;
    std::array<bool, 8> geometry{};  // Atop ... Rright, in GeometryCommand's order
    bool otherWindows = false;       // Next and Previous
    bool zoomIn = false;
    bool zoomOut = false;
    bool magnifier = false;
    bool outline = false;  // "Show Outline"
};

// The toolbar's buttons and the frame's File menu.
struct FrameCommandStates {
    bool fileMenu = false;
    bool fontCommands = false;  // New and Open, the File menu's and the Import menu
    bool recentFiles = false;
    bool save = false;
    bool copy = false;
    bool paste = false;
    bool undo = false;
    bool redo = false;
};

struct CommandStates {
    FrameCommandStates frame;
    std::vector<DocumentCommandStates> documents;  // in the order of the facts
};

// The one rule for which commands are enabled.
CommandStates DeriveCommandStates(const ApplicationFacts& app,
                                  std::span<const DocumentFacts> documents);

}  // namespace pixmere
