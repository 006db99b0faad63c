#pragma once

#include <QWidget>
#include <memory>

#include "edit/FontDocument.h"
#include "model/Font.h"
#include "ui/FileCommands.h"
#include "ui/FontLayout.h"
#include "ui/Twips.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QScrollBar;
class QToolButton;

namespace pixmere {

class EditCanvas;
class FontCanvas;
class MDIForm1;
struct AppState;

// One font document window: the font window (every glyph as a captioned cell), the edit window
// (one glyph enlarged), the move and zoom controls and the document's own menus, which the
// frame shows while this document is active. Its slots carry the handler names of the controls;
// each translates the event, calls the FontDocument and repaints what it reports.
class form1 : public QWidget {
    Q_OBJECT
public:
    form1(MDIForm1& frame, AppState& app, QWidget* parent = nullptr);
    ~form1() override;

    // Number (1-based) of this document's slot.
    uint8_t index = 0;
    bool FlagAutoZoom = true;
    // The file the font was opened from or last written to, and the format Save writes it in.
    QString FileName;
    SaveFormat saveFormat = SaveFormat::None;

    MDIForm1& frame() const { return frame_; }

    // The document, once a font command has given it a font.
    FontDocument* document() { return doc_.get(); }
    const FontDocument* document() const { return doc_.get(); }
    // Font parameters: the font's, or before it has one those a dialog stored.
    const FontParams& params() const { return doc_ ? doc_->params() : pending_; }
    bool FlagModified() const { return doc_ && doc_->FlagModified(); }
    bool UndoEnabled() const { return UndoEnabled_; }
    bool RedoEnabled() const { return RedoEnabled_; }

    // ---- font commands ----

    // A font command chosen in this window's menu: handed to the frame, which runs it in a
    // fresh window.
    void RequestFontCommand(FontCommand command);
    // Runs a font command in this (fresh, hidden) window.
    void RunFontCommand(FontCommand command);
    void New_Click();
    // Opens the parameters dialog in a mode (1 new, 2 TrueType, 4 C file) for this window.
    void ShowPropertyDialog(uint8_t mode);
    // Ok of the parameters dialog: a new blank font (mode 1), or the import's values (2, 4).
    void NewOk(const FontParams& params);
    void SetImportParameters(const FontParams& params);
    void StartImport(FontCommand command);
    // Ok of Font Properties: the downstroke and magnification of the open font.
    void ApplyFontProperties(uint8_t jambon, uint8_t magnification);
    // Gives this window its font and runs the first full refresh, which shows the window.
    // Loaders call it with the font they built.
    void SetFont(Font font, bool modified);
    // Closes a window that never received a font (a dismissed or failed font command).
    void CloseEmpty();
    // The title label above the font window (a file name, or a library's font).
    void SetTitleFon(const QString& text);

    // ---- views ----

    void InitFont();
    void RefreshFontWindow();
    void LockCommands();
    // Selects an item of the font zoom list ("1", "2", "4", "8"), which runs the zoom change.
    void SetZoomFactorText(const QString& text);
    int fontZoom() const { return Z_; }
    const FontLayout& fontLayout() const { return layout_; }
    CellLayout cellLayout() const;
    EditView editView() const;
    int editZoom() const { return editZoom_; }
    int fittedZoom() const { return fittedZoom_; }
    uint8_t EditMagnif() const;

    // ---- state the frame sets ----

    QList<QMenu*> Menus() const;
    void SetFontCommandsEnabled(bool enabled);
    void SetPasteEnabled(bool enabled);
    void SetSaveEnabled(bool enabled);
    // Activation: applies this document's Undo and Redo states to the frame's buttons.
    void ApplyUndoRedoToFrame();

    // Controls, for the frame and for tests.
    FontCanvas* fontSupport() const { return FontSupport_; }
    EditCanvas* zoomPic() const { return ZoomPic_; }
    QAction* action(const QString& objectName) const;

public slots:
    // Font window pointer handlers (canvas coordinates).
    void fontsupport_MouseDown(int Button, int Shift, double x, double y);
    void FontSupport_MouseMove(int Button, int Shift, double x, double y);
    void fontsupport_MouseUp(int Button, int Shift, double x, double y);
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
    void Save_Click();
    void SaveAs_Click();

    void ZoomFactor_Click();
    void ZoomPicPLUS_Click();
    void ZoomPicMOINS_Click();
    void EnabMagnif_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void ApplyNominalLayout();
    void RefitEditWindow();
    void AutomaticFit();
    void PlaceEditScrollBars();
    void ResizeZoomPic();
    void Apply(const EditResult& result);
    void ApplyUndoRedo(bool undo, bool redo);
    void UpdateGeometryItems();
    void Geometry(EditResult (FontDocument::*command)());
    void ReselectLastClick();

    MDIForm1& frame_;
    AppState& app_;
    Twips twips_;
    std::unique_ptr<FontDocument> doc_;
    FontParams pending_;
    bool UndoEnabled_ = false;
    bool RedoEnabled_ = false;
    bool emptyClose_ = false;

    int Z_ = 2;
    FontLayout layout_;
    int editZoom_ = 3;
    int fittedZoom_ = 3;

    QLabel* TitleFon_;
    QLabel* SizeKo_;
    QLabel* min_;
    QLabel* max_;
    QProgressBar* ProgressBar1_;
    QGroupBox* ZoomFrame_;
    QComboBox* ZoomFactor_;
    QGroupBox* Frame2_;
    QToolButton* Up_;
    QToolButton* Leeeft_;
    QToolButton* Right_;
    QToolButton* Down_;
    QGroupBox* ZoomCharFrame_;
    QToolButton* ZoomPicMOINS_;
    QToolButton* ZoomPicPLUS_;
    QCheckBox* EnabMagnif_;
    QFrame* FontPic_;
    FontCanvas* FontSupport_;
    QScrollBar* VScroll1_;
    QScrollBar* HScroll1_;
    QFrame* ZoomPicSupport_;
    EditCanvas* ZoomPic_;
    QScrollBar* VScroll2_;
    QScrollBar* HScroll2_;

    QMenu* fileMenu_;
    QMenu* editMenu_;
    QMenu* modifyMenu_;
    QMenu* windowsMenu_;
    QMenu* helpMenu_;
    QMenu* openedWindows_;
};

}  // namespace pixmere
