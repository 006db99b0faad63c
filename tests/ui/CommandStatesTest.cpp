// Which commands are enabled, as a function of plain values: every command in every situation
// that changes it.
#include <gtest/gtest.h>

#include "support/SampleFonts.h"
#include "ui/CommandStates.h"

namespace pixmere::test {
namespace {

// Each command that is on as its letter, '-' (or '.') where it is off.
std::string Marks(const char* letters, std::initializer_list<bool> on, char off = '-') {
    std::string s;
    for (const bool b : on) s += b ? letters[s.size()] : off;
    return s;
}

// The frame: File menu, New and Open, Recent Files, Save, Copy, Paste, Undo, Redo.
std::string Letters(const FrameCommandStates& f) {
    return Marks("FNHSCPUR", {f.fileMenu, f.fontCommands, f.recentFiles, f.save, f.copy, f.paste,
                              f.undo, f.redo});
}

// A document: File menu, New/Open/Import, Recent Files, Paste, Undo, Redo; the items Add Top,
// Bottom, Left, Right and Remove Top, Bottom, Left, Right; Next/Previous Window, zoom in, zoom
// out, "Show Magnification", "Show Outline".
std::string Letters(const DocumentCommandStates& d) {
    const auto& g = d.geometry;
    return Marks("fnhpur", {d.fileMenu, d.fontCommands, d.recentFiles, d.paste, d.undo, d.redo}) +
           " " + Marks("tblrTBLR", {g[0], g[1], g[2], g[3], g[4], g[5], g[6], g[7]}) + " " +
           Marks("w+-mo", {d.otherWindows, d.zoomIn, d.zoomOut, d.magnifier, d.outline}, '.');
}

DocumentFacts Doc(int width, int height, int magnification, bool undo = false, bool redo = false,
                  bool zoomIn = true, bool zoomOut = false, bool outlines = false) {
    return {
        Shape(width, height, 0x20, 96, 0, magnification), undo, redo, zoomIn, zoomOut, outlines};
}

// The application's facts; flags: 'c' converting, 'p' something copied, 'r' files opened before,
// 'u' windows unlimited.
ApplicationFacts App(int documents, int active, const std::string& flags = "", int docMax = 20) {
    const auto has = [&](char flag) { return flags.find(flag) != std::string::npos; };
    return {documents, docMax, !has('u'), has('c'), has('p'), active, has('r')};
}

TEST(CommandStates, FollowTheDocumentsTheClipboardTheSlotsAndAConversion) {
    const DocumentFacts d = Doc(8, 8, 1);
    const std::vector<DocumentFacts> twenty(20, d);
    const struct {
        const char* situation;
        ApplicationFacts app;
        std::vector<DocumentFacts> docs;
        std::string frame;
        std::vector<std::string> documents;
    } cases[] = {
        {"no document", App(0, -1), {}, "FN------", {}},
        {"no document, something copied before", App(0, -1, "p"), {}, "FN------", {}},
        {"files opened before", App(1, 0, "r"), {d}, "FNHSC---", {"fnh--- tblrTBLR .+..."}},
        {"one document", App(1, 0), {d}, "FN-SC---", {"fn---- tblrTBLR .+..."}},
        {"one, something copied", App(1, 0, "p"), {d}, "FN-SCP--", {"fn-p-- tblrTBLR .+..."}},
        {"one magnified, at the edit zoom's limits",
         App(1, 0),
         {Doc(8, 8, 3, false, false, false, true)},
         "FN-SC---",
         {"fn---- tblrTBLR ..-m."}},
        {"undo and redo in the active one only",
         App(2, 1),
         {Doc(8, 8, 1, true, false), Doc(8, 8, 1, false, true)},
         "FN-SC--R",
         {"fn--u- tblrTBLR w+...", "fn---r tblrTBLR w+..."}},
        {"no active document",
         App(1, -1),
         {Doc(8, 8, 1, true, true)},
         "FN-SC---",
         {"fn--ur tblrTBLR .+..."}},
        {"the smallest and the largest cell",
         App(2, 0),
         {Doc(1, 1, 1), Doc(255, 255, 5)},
         "FN-SC---",
         {"fn---- tblr---- w+...", "fn---- ----TBLR w+.m."}},
        {"an imported TrueType font beside a new one",
         App(2, 0),
         {Doc(16, 16, 1, false, false, true, false, true), d},
         "FN-SC---",
         {"fn---- tblrTBLR w+..o", "fn---- tblrTBLR w+..."}},
        {"a TrueType conversion up",
         App(1, 0, "cp"),
         {Doc(8, 8, 1, true)},
         "----CPU-",
         {"---pu- tblrTBLR .+..."}},
        {"three of three slots", App(3, 2, "", 3), std::vector(3, d), "F--SC---",
         std::vector<std::string>(3, "f----- tblrTBLR w+...")},
        {"twenty, unlimited", App(20, 0, "u"), twenty, "FN-SC---",
         std::vector<std::string>(20, "fn---- tblrTBLR w+...")},
        {"twenty of twenty slots, files opened before", App(20, 0, "r"), twenty, "F--SC---",
         std::vector<std::string>(20, "f----- tblrTBLR w+...")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        const CommandStates states = DeriveCommandStates(c.app, c.docs);
        EXPECT_EQ(Letters(states.frame), c.frame);
        std::vector<std::string> documents;
        for (const DocumentCommandStates& d : states.documents) documents.push_back(Letters(d));
        EXPECT_EQ(documents, c.documents);
    }
}

}  // namespace
}  // namespace pixmere::test
