#pragma once

#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/Font.h"
#include "model/PrintedText.h"
#include "ui/ScrolledPicture.h"
#include "ui/Twips.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QPlainTextEdit;
class QScrollBar;

namespace pixmere {

// The printed text's canvas (SamplePicture): as large as its viewport, showing the text at the
// scroll offsets. It paints only what is exposed, each dot as a zoom x zoom square straight from
// the glyphs, so the largest font's long text costs no picture of its own; beyond the text it
// shows the window's background.
class SampleCanvas : public ScrolledPicture {
    Q_OBJECT
public:
    explicit SampleCanvas(QWidget* parent = nullptr);

    // What to paint; the text and the font outlive the canvas's use of them.
    void Show(const Font* font, const PrintedText* text, int zoom, bool baseline);
    // Size of the whole picture: the text at the zoom, and a pixel row below it for the baseline
    // of a font without downstroke.
    QSize PictureSize() const;
    // Repaints the dot rectangle of the text.
    void UpdateDots(const DotRect& dots);
    // What the paint events painted since the last call (widget coordinates), and forgets it.
    QRegion TakePainted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintPart(QPainter& painter, const QRect& part);

    const Font* font_ = nullptr;
    const PrintedText* text_ = nullptr;
    int zoom_ = 2;
    bool baseline_ = false;
    QRegion painted_;
};

// The sample text view (SamplePreview), the third view of a document window: a text to type
// (SampleText) and, below it, that text set in the font as the printer prints it (each
// character in its cell, lines at the cell height, rows repeated by the magnification, a
// character the font lacks as a dotted empty cell), with its scroll bars VScroll3 and HScroll3.
// Its controls go elsewhere in the document window: the zoom selector SampleZoom ("1", "2",
// "4", "8" screen pixels a dot) in its "Zoom Text" frame and the check box ShowBaseline ("Show
// Baseline"). The text, the zoom and the baseline are remembered for the next window; a window
// without a remembered text starts with the font's own letters and digits. The wheel scrolls,
// Ctrl+wheel steps the zoom.
class SamplePreview : public QWidget {
    Q_OBJECT
public:
    // controls: the widget the controls are made in; its owner places them.
    SamplePreview(QWidget* controls, QWidget* parent);

    QGroupBox* zoomFrame() const { return ZoomFrame_; }
    QComboBox* zoomSelector() const { return SampleZoom_; }
    QCheckBox* baseline() const { return ShowBaseline_; }
    QPlainTextEdit* textBox() const { return SampleText_; }
    SampleCanvas* canvas() const { return SamplePicture_; }

    // The font to show, with the remembered text or its own.
    void SetFont(const Font* font);
    // The font's cell, magnification or downstroke changed: the text is laid out again.
    void Relayout();
    // Glyphs whose pixels may have changed: of the cells that show them, only the rows that did
    // change are painted again.
    void Follow(std::span<const int32_t> glyphs);

    int zoom() const { return zoom_; }
    const PrintedText* printed() const { return printed_ ? &*printed_ : nullptr; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void BuildControls(QWidget* controls);
    void TextChanged();
    void ZoomChosen();
    void BaselineToggled(bool shown);
    void StepZoom(int steps);
    void Place();
    // Remembers the rows of each glyph the text shows, as they were last painted.
    void RememberPainted();

    Twips twips_;
    const Font* font_ = nullptr;
    std::optional<PrintedText> printed_;
    std::vector<std::vector<uint8_t>> painted_;  // per glyph; empty for those not in the text
    int zoom_ = 2;
    WheelTurns wheel_;

    QGroupBox* ZoomFrame_;
    QComboBox* SampleZoom_;
    QCheckBox* ShowBaseline_;
    QPlainTextEdit* SampleText_;
    QFrame* SampleSupport_;
    SampleCanvas* SamplePicture_;
    QScrollBar* VScroll3_;
    QScrollBar* HScroll3_;
};

// The longest sample text, newlines included: its picture stays within the scroll bars' range
// at every zoom of the largest cell.
inline constexpr int kMaxSampleText = 1000;

}  // namespace pixmere
