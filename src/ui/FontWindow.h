#pragma once

#include <QWidget>

#include "edit/PointerHit.h"
#include "model/Font.h"
#include "ui/FontLayout.h"
#include "ui/ScrolledPicture.h"
#include "ui/Twips.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QProgressBar;
class QScrollBar;

namespace pixmere {

class FontCanvas;

// The font window: the cell canvas FontSupport in its viewport FontPic with the scroll bars
// VScroll1 and HScroll1, all inside this widget, which fills the room its owner gives it, and
// the controls that go with it elsewhere in the document window: the zoom selector ZoomFactor
// in its "Zoom Font" frame, the size label SizeKo and the progress bar of a full refresh with
// its "0%" and "100%" labels. The wheel scrolls the canvas, Ctrl+wheel steps the zoom.
class FontWindow : public QWidget {
    Q_OBJECT
public:
    // controls: the widget the controls are made in; its owner places them.
    FontWindow(QWidget* controls, QWidget* parent);

    FontCanvas* canvas() const { return FontSupport_; }
    QGroupBox* zoomFrame() const { return ZoomFrame_; }
    QComboBox* zoomFactor() const { return ZoomFactor_; }
    QLabel* sizeLabel() const { return SizeKo_; }
    QLabel* progressMin() const { return min_; }
    QProgressBar* progressBar() const { return ProgressBar1_; }
    QLabel* progressMax() const { return max_; }

    void SetFont(const Font* font);
    // Z: screen pixels per glyph pixel, the zoom selector's item when it was last chosen.
    int zoom() const { return Z_; }
    // Selects an item of the zoom selector ("1", "2", "4", "8"); false when there is none such.
    bool SelectZoom(const QString& text);
    // Takes the zoom selector's item as the zoom.
    void TakeChosenZoom();

    const FontLayout& layout() const { return layout_; }
    CellLayout cellLayout() const;

    // The full refresh: lays the canvas out for the font at the zoom in the room this window
    // has, scrolls to the origin, paints the cells in view and shows the printer memory the
    // font needs.
    void Refresh();
    // Scrolls as little as needed to bring cell index into view.
    void EnsureVisible(int index);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // An item of the zoom selector was chosen, by the user or by Ctrl+wheel.
    void ZoomChosen();
    // The cells were laid out again for a new size of the window.
    void Relaid();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void BuildControls(QWidget* controls);
    void BuildStrip();
    // Lays the cells out for the current size; the scroll positions stay where they can.
    void Relayout();
    void ApplyLayout();
    void ShowProgress(bool shown);
    // Chooses the zoom item steps places further (larger zooms first), as the user would.
    void StepZoom(int steps);

    Twips twips_;
    int Z_ = 2;
    const Font* font_ = nullptr;
    FontLayout layout_;
    WheelTurns wheel_;

    QLabel* SizeKo_;
    QLabel* min_;
    QProgressBar* ProgressBar1_;
    QLabel* max_;
    QGroupBox* ZoomFrame_;
    QComboBox* ZoomFactor_;
    QFrame* FontPic_;
    FontCanvas* FontSupport_;
    QScrollBar* VScroll1_;
    QScrollBar* HScroll1_;
};

// A label in the blue of the document window's file name and size labels.
QLabel* BlueLabel(const QString& text, QWidget* parent);

}  // namespace pixmere
