#pragma once

#include <QWidget>

#include "edit/PointerHit.h"
#include "model/Font.h"
#include "ui/Twips.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QScrollBar;
class QToolButton;

namespace pixmere {

class EditCanvas;

// The edit window: the enlarged glyph ZoomPic in its viewport ZoomPicSupport with the scroll
// bars VScroll2 and HScroll2, all inside this widget, and the controls that go with it
// elsewhere in the document window: the magnifier buttons ZoomPicMOINS and ZoomPicPLUS in their
// "Zoom Character" frame and the check box EnabMagnif ("Show Magnification"). It keeps the
// edit zoom and the zoom the last automatic fit chose.
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

    void SetFont(const Font* font);
    int zoom() const { return editZoom_; }
    // EditMagnif: the font's magnification while "Show Magnification" is checked, else 1.
    uint8_t EditMagnif(const FontParams& params) const;
    EditView view() const;
    // Whether the magnifier buttons may zoom further.
    bool CanZoomIn() const { return !zoomInStopped_; }
    bool CanZoomOut() const;

    void ApplyNominalLayout();
    // Within a full refresh: a fresh automatic fit when autoZoom is set, else the picture keeps
    // its zoom; the scroll bars follow the picture's size.
    void Refit(const FontParams& params, bool autoZoom);
    // Sizes the picture for the zoom and the row factor.
    void ResizePicture(const FontParams& params);
    void ScrollToOrigin();
    // The magnifier buttons: the picture cleared at twice or half the zoom, scrolled to its
    // origin. The caller shows the current glyph again.
    void ZoomIn(const FontParams& params);
    void ZoomOut(const FontParams& params);
    // "Show Magnification" changed: a fresh automatic fit for the new row factor, showing
    // glyph current.
    void Remagnify(const FontParams& params, int current);

private:
    void BuildControls(QWidget* controls);
    void BuildStrip();
    void AutomaticFit(const FontParams& params);
    void PlaceScrollBars();
    // Makes this widget just large enough for the viewport and its scroll bars.
    void FitChildren();

    Twips twips_;
    int editZoom_ = 3;
    int fittedZoom_ = 3;
    bool zoomInStopped_ = false;

    QGroupBox* ZoomCharFrame_;
    QToolButton* ZoomPicMOINS_;
    QToolButton* ZoomPicPLUS_;
    QCheckBox* EnabMagnif_;
    QFrame* ZoomPicSupport_;
    EditCanvas* ZoomPic_;
    QScrollBar* VScroll2_;
    QScrollBar* HScroll2_;
};

}  // namespace pixmere
