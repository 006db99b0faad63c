#pragma once

#include <QList>
#include <array>
#include <utility>

#include "edit/FontGeometry.h"
#include "edit/GlyphTransforms.h"
#include "ui/FileMenu.h"

class QAction;
class QMenu;
class QString;
class QWidget;

namespace pixmere {

class MDIForm1;

// A document window's commands, one named action each, and the menu bar the frame shows while
// the document is active. The document window connects them to its handlers; which of them
// are enabled is decided in one place, MDIForm1::UpdateCommands.
class DocumentActions {
public:
    // The menus and actions belong to window.
    DocumentActions(QWidget* window, MDIForm1& frame);

    FileActions file;

    QMenu* editMenu;
    QAction* undo;
    QAction* redo;
    QAction* copy;
    QAction* paste;
    QAction* Dele;
    QAction* goTo;       // "Go to Character…", Ctrl+G
    QAction* zoomToFit;  // "Zoom to Fit", Ctrl+0

    QMenu* modifyMenu;
    QAction* Atop;
    QAction* Abottom;
    QAction* Aleft;
    QAction* Aright;
    QAction* Rtop;
    QAction* Rbottom;
    QAction* Rleft;
    QAction* Rright;
    QAction* fontparam;

    QMenu* transformMenu;
    QAction* FlipHorizontal;
    QAction* FlipVertical;
    QAction* Rotate180;
    QAction* Invert;
    QAction* Bold;
    QAction* Italic;
    QAction* Slant;

    QMenu* windowsMenu;
    QAction* Cascade;
    QAction* ArrangeIcons;
    QMenu* openedWindows;
    QAction* closeWindow;
    QAction* nextWindow;
    QAction* previousWindow;
    QAction* showSample;  // checked while the sample text view is open

    QMenu* helpMenu;
    QAction* help;
    QAction* about;

    // The arrows of the "Move characters" frame.
    QAction* Up;
    QAction* Down;
    QAction* Leeeft;
    QAction* Right;

    QList<QMenu*> Menus() const;
    // The Modify Font > Add and Remove items with their commands.
    QList<std::pair<QAction*, GeometryCommand>> GeometryItems() const;
    // The Transform items with their transforms, Slant… aside.
    QList<std::pair<QAction*, GlyphTransform>> TransformItems() const;
    // A menu item or menu by object name, nullptr when there is none.
    QAction* Find(const QString& objectName) const;

private:
    void BuildEditMenu(QWidget* window);
    void BuildTransformMenu(QWidget* window);
    void BuildWindowsMenu(QWidget* window);
    void BuildMoveActions(QWidget* window);
};

// "Modify Font", for a document and for the frame: "Add" and "Remove", each with "Line" (Top,
// Bottom) and "Column" (Left, Right), then "Font Properties". items receives Atop, Abottom,
// Aleft, Aright, Rtop, Rbottom, Rleft, Rright and fontparam, in that order.
QMenu* BuildModifyMenu(QWidget* parent, std::array<QAction*, 9>& items);

// Tooltip of the move buttons and of their frame.
inline const char* const kMoveTip = "Move one or several Characters inside the defined definition";

}  // namespace pixmere
