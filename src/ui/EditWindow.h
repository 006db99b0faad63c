#pragma once

#include <QWidget>
#include <array>

#include "edit/PointerHit.h"
#include "model/Font.h"
#include "ui/ScrolledPicture.h"
#include "ui/Twips.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QScrollBar;
class QToolButton;

namespace pixmere {

class EditCanvas;

// The edit window: the enlarged glyph ZoomPic in its viewport ZoomPicSupport with the scroll
// bars VScroll2 and HScroll2, all inside this widget, which fills the room its owner gives it,
// and the controls that go with it elsewhere in the document window: the magnifier buttons
// ZoomPicMOINS and ZoomPicPLUS in their "Zoom Character" frame, the check boxes EnabMagnif
// ("Show Magnification") and ShowOutline ("Show Outline") and the label of the character being
// edited. It keeps the edit zoom
// and the zoom the last automatic fit chose. The wheel scrolls the picture, Ctrl+wheel presses
// the magnifier buttons.
class EditWindow : public QWidget {
    Q_OBJECT
public:
    // controls: the widget the controls are made in; its owner places them.
    EditWindow(QWidget* controls, QWidget* parent);

    EditCanvas* canvas() const { return ZoomPic_; }
    QGroupBox* zoomFrame() const { return ZoomCharFrame_; }
    QToolButton* zoomOut() const { return ZoomPicMOINS_; }
    QToolButton* zoomIn() const { return ZoomPicPLUS_; }
    QCheckBox* magnifier() const { return EnabMagnif_; }
    QCheckBox* outline() const { return ShowOutline_; }
    QLabel* carInfo() const { return CarInfo_; }

    void SetFont(const Font* font);
    int zoom() const { return editZoom_; }
    // EditMagnif: the font's magnification while "Show Magnification" is checked, else 1.
    uint8_t EditMagnif(const FontParams& params) const;
    EditView view() const;
    // Whether the magnifier buttons may zoom further.
    bool CanZoomIn() const { return !zoomInStopped_; }
    bool CanZoomOut() const;

    // Within a full refresh, and when the window's size changes: a fresh automatic fit when
    // autoZoom is set, else the picture keeps its zoom; the scroll bars follow the picture.
    void Refit(const FontParams& params, bool autoZoom);
    // Sizes the picture for the zoom and the row factor.
    void ResizePicture(const FontParams& params);
    void ScrollToOrigin();
    // The magnifier buttons: the picture cleared at twice or half the zoom, scrolled to its
    // origin. The caller shows the current glyph again.
    void ZoomIn(const FontParams& params);
    void ZoomOut(const FontParams& params);
    // Zoom to Fit: the zoom at which the whole picture fits the window, scrolled to its origin;
    // the fitted zoom, the zoom-out limit, stays.
    void ZoomToFit(const FontParams& params);
    // "Show Magnification" changed: a fresh automatic fit for the new row factor, showing
    // glyph current.
    void Remagnify(const FontParams& params, int current);
    // Shows which character the picture holds: its code, the character where it has a picture
    // of its own, and the cell size.
    void ShowCarInfo(const FontParams& params, int index);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The window's size changed: the owner fits the picture again.
    void Resized();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void BuildControls(QWidget* controls);
    void BuildStrip();
    void AutomaticFit(const FontParams& params);
    // Shows the scroll bars the picture needs and gives the viewport the rest of the window.
    void PlaceScrollBars();

    Twips twips_;
    int editZoom_ = 3;
    int fittedZoom_ = 3;
    bool zoomInStopped_ = false;
    WheelTurns wheel_;
    std::array<int, 3> carInfoShown_{-1, 0, 0};  // code, width and height the label shows

    QGroupBox* ZoomCharFrame_;
    QToolButton* ZoomPicMOINS_;
    QToolButton* ZoomPicPLUS_;
    QCheckBox* EnabMagnif_;
    QCheckBox* ShowOutline_;
    QLabel* CarInfo_;
    QFrame* ZoomPicSupport_;
    EditCanvas* ZoomPic_;
    QScrollBar* VScroll2_;
    QScrollBar* HScroll2_;
};

}  // namespace pixmere
