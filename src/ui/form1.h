#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "edit/FontDocument.h"
#include "formats/FontFile.h"
#include "model/Font.h"
#include "ui/FontCommand.h"
#include "ui/FontLayout.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QSplitter;

namespace pixmere {

class DocumentActions;
class EditCanvas;
class EditWindow;
class FontCanvas;
class FontWindow;
class MDIForm1;
class SamplePreview;

// One font document window: the font window (every glyph as a captioned cell), the edit window
// (one glyph enlarged), the sample text view (text set in the font as printed), the "Move
// characters" frame and the document's own menus, which the frame shows while this document is
// active. It owns the document and places and wires its
// views and actions; its slots carry the handler names of the controls, and each translates
// the event, calls the FontDocument and repaints what it reports. Every event it handles ends
// with one StateChanged.
class form1 : public QWidget {
    Q_OBJECT
public:
    // index: the number (1-based) of the document's slot; font: what a font command gave.
    form1(MDIForm1& frame, uint8_t index, OpenedFont font, QWidget* parent = nullptr);
    ~form1() override;

    uint8_t index() const { return index_; }
    MDIForm1& frame() const { return frame_; }

    // The first full refresh, which shows the window.
    void Start();

    FontDocument* document() { return doc_.get(); }
    const FontDocument* document() const { return doc_.get(); }
    const FontParams& params() const { return doc_->params(); }
    bool FlagModified() const { return doc_->FlagModified(); }
    bool UndoEnabled() const { return doc_->UndoEnabled(); }
    bool RedoEnabled() const { return doc_->RedoEnabled(); }
    // Every full refresh fits the edit zoom while this is set.
    bool FlagAutoZoom() const { return FlagAutoZoom_; }

    // ---- the document's file ----

    // The file the font was opened from or last written to; empty while it has none.
    const QString& FileName() const { return FileName_; }
    // The type Save writes; none yet makes Save ask for a file and a type.
    std::optional<FontFileType> saveFormat() const { return saveFormat_; }
    // The layout Save writes a C file or a GFX font in.
    const CLayout& saveLayout() const { return saveLayout_; }
    // The document now belongs to path, saved as format; the path shows as its name.
    void SetFile(const QString& path, std::optional<FontFileType> format,
                 const CLayout& layout = {});
    // Shows name in the window title and in the label above the font window.
    void ShowName(const QString& name);
    // The window title alone; a changed document shows it there too.
    void SetTitle(const QString& title);
    // The window title as set, without the changed mark.
    const QString& Title() const { return title_; }
    // Windows of the same title are numbered: "name", "name (2)", ... in the title bar and in
    // the window list.
    int TitleNumber() const { return titleNumber_; }
    QString NumberedTitle() const;
    // The label above the font window alone (a library's font under the library's path).
    void SetTitleFon(const QString& text);

    // Ok of Font Properties: the downstroke and magnification of the open font.
    void ApplyFontProperties(uint8_t jambon, uint8_t magnification);

    // ---- views ----

    void InitFont();
    void RefreshFontWindow();
    // Selects an item of the font zoom list ("1", "2", "4", "8"), which runs the zoom change.
    void SetZoomFactorText(const QString& text);
    int fontZoom() const;
    const FontLayout& fontLayout() const;
    CellLayout cellLayout() const;
    EditView editView() const;
    int editZoom() const;
    uint8_t EditMagnif() const;

    FontWindow& fontWindow() const { return *fontWindow_; }
    EditWindow& editWindow() const { return *editWindow_; }
    SamplePreview& preview() const { return *preview_; }
    FontCanvas* fontSupport() const;
    EditCanvas* zoomPic() const;

    // ---- menus and actions ----

    QList<QMenu*> Menus() const;
    DocumentActions& actions() const { return *actions_; }
    // A menu item by object name ("undo", "Atop", ...), nullptr when there is none.
    QAction* action(const QString& objectName) const;

public slots:
    // Font window pointer handlers (canvas coordinates).
    void fontsupport_MouseDown(int Button, int Shift, double x, double y);
    void FontSupport_MouseMove(int Button, int Shift, double x, double y);
    void fontsupport_MouseUp(int Button, int Shift, double x, double y);
    // A key that moves the current character; Shift (1) extends the selection.
    void FontSupport_KeyDown(CarKey KeyCode, int Shift);
    // A character typed in the font window: selected as a click on its cell would, when the
    // font holds it.
    void FontSupport_CharacterTyped(char32_t character);
    // Edit window pointer handlers (picture coordinates).
    void ZoomPic_MouseDown(int Button, int Shift, double x, double y);
    void ZoomPic_MouseMove(int Button, int Shift, double x, double y);
    void ZoomPic_MouseUp(int Button, int Shift, double x, double y);

    void Atop_Click();
    void Abottom_Click();
    void Aleft_Click();
    void Aright_Click();
    void Rtop_Click();
    void Rbottom_Click();
    void Rleft_Click();
    void Rright_Click();
    void Up_Click();
    void Down_Click();
    void Leeeft_Click();
    void Right_Click();
    void copy_Click();
    void paste_Click();
    void Dele_Click();
    void undo_Click();
    void redo_Click();
    void fontparam_Click();
    // The Transform menu on the selected characters; Italic with the slant Slant… set.
    void Transform_Click(GlyphTransform transform);
    void Slant_Click();
    void GoTo_Click();
    void ZoomToFit_Click();
    void Save_Click();
    void SaveAs_Click();

    void ZoomFactor_Click();
    void ZoomPicPLUS_Click();
    void ZoomPicMOINS_Click();
    void EnabMagnif_Click();
    void ShowOutline_Click();
    // Windows > "Show Sample Text": the sample text view closed or opened again, as the
    // splitter's handle does.
    void ShowSample_Click();
    // The splitter moved: the menu item follows whether the sample text view is open.
    void ViewSplitter_Moved();
    // The edit window's size changed: the picture is fitted again.
    void ZoomPicSupport_Resize();

    QSize sizeHint() const override;

signals:
    // The document's state, which the frame's commands follow, may have changed.
    void StateChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMoveFrame();
    void PlaceControls();
    void SetTabOrder();
    // Keeps how the views share the window for the next windows, also of the next run.
    void RememberSplitter();
    void Wire();
    void WireViews();
    void WireMenus();
    // Connects a command's action to its handler.
    void Command(QAction* action, void (form1::*handler)());
    // Runs a handler; the outermost one ends with StateChanged.
    void Handle(const std::function<void()>& handler);
    void Apply(const EditResult& result);
    // Runs one of the document's row, column, move or Delete commands and shows its result.
    void RunEditCommand(EditResult (FontDocument::*command)());
    void ReselectLastClick();
    // After a change of layout: the current character stays the one selected, shown and in view.
    void ReselectCurrentCar();
    void KeepCurrentCarInView();
    // Character i picked as a click on the middle of its cell picks it, and brought into view.
    void PickCharacter(int32_t i);

    MDIForm1& frame_;
    const uint8_t index_;
    std::unique_ptr<FontDocument> doc_;
    bool pickFirst_ = false;
    bool FlagAutoZoom_ = true;
    QString title_;
    int titleNumber_ = 1;
    QString FileName_;
    std::optional<FontFileType> saveFormat_;
    CLayout saveLayout_;
    int handling_ = 0;

    QLabel* TitleFon_;
    FontWindow* fontWindow_;
    QGroupBox* Frame2_;
    QSplitter* Splitter_;
    EditWindow* editWindow_;
    SamplePreview* preview_;
    int previewHeight_ = 0;  // the sample text view's height before it was closed
    std::unique_ptr<DocumentActions> actions_;
};

}  // namespace pixmere
