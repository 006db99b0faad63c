#include "ui/SamplePreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSettings>
#include <QWheelEvent>
#include <algorithm>
#include <cstring>

#include "truetype/PrintedTextImage.h"
#include "ui/PainterCanvas.h"

namespace pixmere {

namespace {

// The application's settings under this group.
const QString kTextKey = QStringLiteral("SamplePreview/text");
const QString kZoomKey = QStringLiteral("SamplePreview/zoom");
const QString kBaselineKey = QStringLiteral("SamplePreview/baseline");

const QStringList kZooms = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"),
                            QStringLiteral("8")};

// Lines of text the box shows before it scrolls.
constexpr int kTextLines = 2;

}  // namespace

// ---------------------------------------------------------------- the canvas

SampleCanvas::SampleCanvas(QWidget* parent) : ScrolledPicture(parent) {
    setObjectName(QStringLiteral("SamplePicture"));
    setToolTip(QStringLiteral("The text as the printer prints it"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SampleCanvas::Show(const Font* font, const PrintedText* text, int zoom, bool baseline) {
    font_ = font;
    text_ = text;
    zoom_ = std::max(zoom, 1);
    baseline_ = baseline;
    update();
}

QSize SampleCanvas::PictureSize() const {
    if (!text_) return QSize(0, 0);
    return QSize(text_->width() * zoom_, text_->height() * zoom_ + 1);
}

void SampleCanvas::UpdateDots(const DotRect& dots) {
    update(QRect(dots.x * zoom_ - hOffset_, dots.y * zoom_ - vOffset_, dots.width * zoom_,
                 dots.height * zoom_));
}

QRegion SampleCanvas::TakePainted() { return std::exchange(painted_, QRegion()); }

void SampleCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painted_ += event->region();
    for (const QRect& part : event->region()) PaintPart(painter, part);
}

void SampleCanvas::PaintPart(QPainter& painter, const QRect& part) {
    const QRect whole = text_ && font_ ? QRect(-hOffset_, -vOffset_, text_->width() * zoom_,
                                               text_->height() * zoom_)
                                       : QRect();
    const QRect inside = part & whole;
    for (const QRect& beyond : QRegion(part).subtracted(inside)) {
        painter.fillRect(beyond, palette().color(QPalette::Window));
    }
    if (inside.isEmpty()) return;
    // The dots the part touches, painted whole into a picture of their own.
    const QRect p = inside.translated(hOffset_, vOffset_);
    const DotRect dots{p.left() / zoom_, p.top() / zoom_, p.right() / zoom_ - p.left() / zoom_ + 1,
                       p.bottom() / zoom_ - p.top() / zoom_ + 1};
    QImage image(dots.width * zoom_, dots.height * zoom_, QImage::Format_RGB32);
    if (image.isNull()) return;
    PaintPrintedText(image, *font_, *text_, zoom_, dots, QPoint(dots.x, dots.y));
    painter.drawImage(dots.x * zoom_ - hOffset_, dots.y * zoom_ - vOffset_, image);
    if (!baseline_) return;
    for (const int row : text_->BaselineRows()) {
        painter.fillRect(QRect(-hOffset_, row * zoom_ - vOffset_, whole.width(), 1) & part,
                         ToQColor(kLightRed));
    }
}

// ---------------------------------------------------------------- the view

SamplePreview::SamplePreview(QWidget* controls, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SamplePreview"));
    twips_ = Twips::Of(this);
    BuildControls(controls);

    SampleText_ = new QPlainTextEdit(this);
    SampleText_->setObjectName(QStringLiteral("SampleText"));
    SampleText_->setToolTip(QStringLiteral("Text to print in the font; Enter starts a new line"));
    SampleText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    SampleText_->setTabChangesFocus(true);
    connect(SampleText_, &QPlainTextEdit::textChanged, this, &SamplePreview::TextChanged);

    SampleSupport_ = new QFrame(this);
    SampleSupport_->setObjectName(QStringLiteral("SampleSupport"));
    SamplePicture_ = new SampleCanvas(SampleSupport_);
    std::tie(VScroll3_, HScroll3_) = PictureScrollBars(SamplePicture_, 3, this);
}

void SamplePreview::BuildControls(QWidget* controls) {
    const Twips& t = twips_;
    const QSettings settings;
    ZoomFrame_ = new QGroupBox(QStringLiteral("Zoom Text"), controls);
    SampleZoom_ = new QComboBox(ZoomFrame_);
    SampleZoom_->setObjectName(QStringLiteral("SampleZoom"));
    SampleZoom_->addItems(kZooms);
    SampleZoom_->setToolTip(QStringLiteral("Screen pixels a printed dot takes in the text below"));
    SampleZoom_->setGeometry(t.X(480), t.Y(240), t.X(1095), t.Y(315));
    const qsizetype remembered = kZooms.indexOf(settings.value(kZoomKey).toString());
    SampleZoom_->setCurrentIndex(remembered >= 0 ? static_cast<int>(remembered) : 1);
    zoom_ = SampleZoom_->currentText().toInt();
    connect(SampleZoom_, &QComboBox::activated, this, &SamplePreview::ZoomChosen);

    ShowBaseline_ = new QCheckBox(QStringLiteral("Show Baseline"), controls);
    ShowBaseline_->setObjectName(QStringLiteral("ShowBaseline"));
    ShowBaseline_->setToolTip(
        QStringLiteral("Mark the baseline of each line above the downstroke rows"));
    ShowBaseline_->setChecked(settings.value(kBaselineKey, false).toBool());
    connect(ShowBaseline_, &QCheckBox::toggled, this, &SamplePreview::BaselineToggled);
}

QSize SamplePreview::sizeHint() const { return QSize(twips_.X(9015), twips_.Y(2100)); }

QSize SamplePreview::minimumSizeHint() const { return QSize(twips_.X(1500), twips_.Y(1200)); }

void SamplePreview::SetFont(const Font* font) {
    font_ = font;
    // A text typed and then cleared gives the next window the font's own again.
    QString text = QSettings().value(kTextKey).toString();
    if (text.isEmpty()) text = QString::fromStdU32String(DefaultSampleText(font->params));
    {
        const QSignalBlocker block(SampleText_);
        SampleText_->setPlainText(text.left(kMaxSampleText));
    }
    Relayout();
}

void SamplePreview::Relayout() {
    if (!font_) return;
    printed_.emplace(font_->params, SampleText_->toPlainText().toStdU32String());
    RememberPainted();
    SamplePicture_->Show(font_, &*printed_, zoom_, ShowBaseline_->isChecked());
    Place();
}

void SamplePreview::RememberPainted() {
    painted_.assign(font_->glyphs.size(), {});
    for (const PrintedCell& cell : printed_->cells()) {
        if (cell.glyph < 0) continue;
        std::vector<uint8_t>& rows = painted_[static_cast<std::size_t>(cell.glyph)];
        if (rows.empty()) rows = font_->glyphs[static_cast<std::size_t>(cell.glyph)].bytes();
    }
}

void SamplePreview::Follow(std::span<const int32_t> glyphs) {
    if (!font_ || !printed_) return;
    const int H = font_->params.FormatHeightCar;
    const int M = font_->params.Magnification;
    for (const int32_t g : glyphs) {
        if (g < 0 || static_cast<std::size_t>(g) >= painted_.size()) continue;
        std::vector<uint8_t>& was = painted_[static_cast<std::size_t>(g)];
        if (was.empty()) continue;  // not in the text
        const CarObject& glyph = font_->glyphs[static_cast<std::size_t>(g)];
        const std::size_t rowBytes = glyph.ByteWidth() + 1u;
        // Glyphs of another size than painted: the cells are painted again whole.
        const bool resized = was.size() != glyph.bytes().size();
        const auto changed = [&](int j) {
            return resized || std::memcmp(glyph.row(j), was.data() + j * rowBytes, rowBytes) != 0;
        };
        // Each run of changed rows, in every cell showing the glyph.
        for (int j = 0; j < H;) {
            if (!changed(j)) {
                ++j;
                continue;
            }
            const int first = j;
            while (j < H && changed(j)) ++j;
            for (const std::size_t cell : printed_->CellsShowing(g)) {
                const DotRect rect = printed_->CellRect(cell);
                SamplePicture_->UpdateDots(
                    {rect.x, rect.y + first * M, rect.width, (j - first) * M});
            }
        }
        was = glyph.bytes();
    }
}

void SamplePreview::TextChanged() {
    QString text = SampleText_->toPlainText();
    if (text.size() > kMaxSampleText) {
        // A paste past the limit keeps its beginning.
        text.truncate(kMaxSampleText);
        const QSignalBlocker block(SampleText_);
        SampleText_->setPlainText(text);
        SampleText_->moveCursor(QTextCursor::End);
    }
    QSettings().setValue(kTextKey, text);
    Relayout();
}

void SamplePreview::ZoomChosen() {
    zoom_ = SampleZoom_->currentText().toInt();
    QSettings().setValue(kZoomKey, SampleZoom_->currentText());
    Relayout();
}

void SamplePreview::BaselineToggled(bool shown) {
    QSettings().setValue(kBaselineKey, shown);
    if (printed_) SamplePicture_->Show(font_, &*printed_, zoom_, shown);
}

void SamplePreview::StepZoom(int steps) {
    const int item = std::clamp(SampleZoom_->currentIndex() + steps, 0, SampleZoom_->count() - 1);
    if (steps == 0 || item == SampleZoom_->currentIndex()) return;
    SampleZoom_->setCurrentIndex(item);
    ZoomChosen();
}

void SamplePreview::Place() {
    // The box's lines, its frame and its document's margins above and below them.
    const int textHeight = SampleText_->fontMetrics().lineSpacing() * kTextLines +
                           2 * SampleText_->frameWidth() +
                           2 * static_cast<int>(SampleText_->document()->documentMargin()) + 2;
    SampleText_->setGeometry(0, 0, width(), textHeight);
    const int top = textHeight + twips_.Y(60);
    const int cellWidth = printed_ ? printed_->cellWidth() : 1;
    const int cellHeight = printed_ ? printed_->cellHeight() : 1;
    PlaceScrollBars(SampleSupport_, SamplePicture_, VScroll3_, HScroll3_,
                    QRect(0, top, width(), std::max(height() - top, 0)),
                    SamplePicture_->PictureSize(), QSize(twips_.X(255), twips_.Y(255)),
                    QSize(cellWidth * zoom_, cellHeight * zoom_));
}

void SamplePreview::resizeEvent(QResizeEvent*) { Place(); }

void SamplePreview::wheelEvent(QWheelEvent* event) {
    StepZoom(wheel_.Take(*event, VScroll3_, HScroll3_));
}

}  // namespace pixmere
