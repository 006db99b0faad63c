#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "TtfTestSupport.h"
#include "model/UserError.h"
#include "truetype/TtfImport.h"

namespace pixmere::test {
namespace {

const char* const kDejaVuFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

TEST(TtfFace, OnlyTheChosenFaceAndStyleDrawAndWhatCannotBeUsedIsRefused) {
    EXPECT_THROW(TtfFace::Installed("No Such Face 1234", false, false), UserError);
    EXPECT_THROW(TtfFace::FromFile("/nonexistent/face.ttf", false, false), UserError);
    EXPECT_THROW(TtfFace::FromFile(PIXMERE_TESTS_DIR "/truetype/main.cpp", false, false),
                 UserError);  // not a font
    const TtfFace face = DejaVu();
    EXPECT_FALSE(face.Outline("A").IsEmpty());
    EXPECT_TRUE(face.Outline(" ").IsEmpty());
    // Codes are Windows-1252 characters (the mapping is the model's); its unassigned ones, and
    // characters the face lacks, draw nothing rather than a box.
    EXPECT_EQ(AnsiCharacter(0x80), QString(QChar(0x20AC)));  // euro sign
    EXPECT_TRUE(face.Outline(AnsiCharacter(0x81)).IsEmpty());
    EXPECT_TRUE(face.Outline(QString(QChar(0x4E00))).IsEmpty());
    EXPECT_TRUE(face.Outline(QString(QChar(0xD800)) + QChar(0x100)).IsEmpty());  // a lone half
    // The soft hyphen of code AD is drawn as the face draws it, not dropped.
    EXPECT_FALSE(face.Outline(AnsiCharacter(0xAD)).IsEmpty());
    // Read from its file, the face gives the same outlines, whatever text the application drew
    // in it before (its glyphs at sub-pixel positions, as the editor's windows draw).
    QImage image(129, 41, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        painter.drawText(QRect(0, 0, 129, 41), Qt::AlignLeft | Qt::AlignTop, "1.00E+00");
    }
    const TtfFace file = TtfFace::FromFile(kDejaVuFile, false, false);
    for (const char* c : {"X", "g", "1"}) {
        EXPECT_EQ(DejaVu().Outline(c).path.boundingRect(), file.Outline(c).path.boundingRect())
            << c;
    }
    // Bold and italic use the face's own styles, or are synthesised for a file of one style.
    const QRectF plain = DejaVu().Outline("l").path.boundingRect();
    EXPECT_EQ(DejaVu(true, false).Outline("l").emboldenShift, 0);  // the face's own bold
    const TtfFace synthesised = TtfFace::FromFile(kDejaVuFile, true, true);
    EXPECT_GT(synthesised.Outline("l").emboldenShift, 0);
    EXPECT_GT(synthesised.Outline("l").path.boundingRect().width(), plain.width() * 2);
}

TEST(TtfImport, SettingsChangedBetweenCharactersApplyToTheNextOnes) {
    TtfConverter c = Loaded(DejaVu(), Cell(16, 16, 3, 0x4F, 0x50));
    std::vector<int> shiftCounts;
    std::vector<std::string> converted;
    const TtfImportResult r = c.FullAuto_Click([&](const TtfProgress&) {
        shiftCounts.push_back(c.state.ShiftCount);
        converted.push_back(Joined(ResultPicture(c.state)));
        c.state.ShiftMode = 1;            // "8 decalages" picked during the first character
        c.Fit_Change(TtfFit::WholeFace);  // and a preview converted with another fitting
        return true;
    });
    ASSERT_EQ(r.status, TtfImportResult::Status::Done);
    EXPECT_EQ(shiftCounts, (std::vector<int>{4, 8}));
    // Each character is the one the range converted, not the preview converted after it.
    ASSERT_EQ(converted.size(), 2u);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(Joined(GlyphPicture(r.font.glyphs[i], 16)), converted[i]);
}

TEST(TtfImport, FailureEndsTheImportWithoutAFont) {
    // Without an "X" the reference fit leaves a zero step, and the fitting divides by it.
    const TtfImportResult r = ImportTtfRange(ShapesFace(false), Cell(16, 16, 0, 0x41, 0x5A));
    EXPECT_EQ(r.status, TtfImportResult::Status::Failed);
    EXPECT_EQ(r.message, "Datas Extraction Failure.");
    EXPECT_TRUE(r.font.glyphs.empty());
}

TEST(TtfImport, RefusesParametersTheDialogRefuses) {
    for (const FontParams& bad :
         {Cell(8, 8, 9), Cell(16, 8, 0, 0x50, 0x40), Cell(16, 0, 0), Cell(0, 8, 0)}) {
        EXPECT_THROW(ImportTtfRange(DejaVu(), bad), std::invalid_argument);
    }
}

// How far p lies from the square of pixel (c, r).
double Distance(OutlinePoint p, int c, int r) {
    const double dx = std::max({c - p.x, 0.0f, p.x - (c + 1.0f)});
    const double dy = std::max({r - p.y, 0.0f, p.y - (r + 1.0f)});
    return std::hypot(dx, dy);
}

// The outline kept for an imported "O" lies on the edge of its ink: most points within a pixel
// of an ink pixel and of a background one, and its extent that of the ink, at several cell sizes
// and with both fittings; without ink an outline is empty. (Fitted by "X" in a cell much wider than
// 16, the "O" can run past the cell's right edge; the outline then shows what was cut, so such
// cells are not used here.)
TEST(SourceOutline, TheOutlineOfAnImportedOLiesOnItsInk) {
    const struct {
        int size, downstroke;
        TtfFit fit;
    } cells[] = {{16, 3, TtfFit::XHeight}, {24, 5, TtfFit::WholeFace}, {48, 10, TtfFit::WholeFace}};
    for (const auto& cell : cells) {
        SCOPED_TRACE(cell.size);
        const TtfImportResult r = ImportTtfRange(
            DejaVu(), Cell(cell.size, cell.size, cell.downstroke, 'O', 'O'), {.Fit = cell.fit});
        ASSERT_EQ(r.status, TtfImportResult::Status::Done);
        ASSERT_EQ(r.outlines.size(), 1u);
        const CarObject& glyph = r.font.glyphs[0];
        const auto ink = [&](int c, int row) {
            return c >= 0 && row >= 0 && c < cell.size && row < cell.size && glyph.pixel(c, row);
        };
        const Extent e = InkExtent(cell.size, cell.size, ink);
        ASSERT_GE(e.top, 0);
        int points = 0, onEdge = 0;
        float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
        for (const auto& contour : r.outlines[0].contours) {
            for (const OutlinePoint& p : contour) {
                ++points;
                left = std::min(left, p.x), right = std::max(right, p.x);
                top = std::min(top, p.y), bottom = std::max(bottom, p.y);
                bool nearInk = false, nearPaper = false;
                for (int row = static_cast<int>(p.y) - 2; row <= p.y + 2; ++row) {
                    for (int c = static_cast<int>(p.x) - 2; c <= p.x + 2; ++c) {
                        if (Distance(p, c, row) > 1.0) continue;
                        (ink(c, row) ? nearInk : nearPaper) = true;
                    }
                }
                onEdge += nearInk && nearPaper;
            }
        }
        EXPECT_EQ(r.outlines[0].contours.size(), 2u);  // the ring's outer and inner edges
        EXPECT_GE(onEdge, points * 9 / 10) << onEdge << " of " << points;
        EXPECT_NEAR(left, e.left, 1.0);
        EXPECT_NEAR(right, e.right + 1, 1.0);
        EXPECT_NEAR(top, e.top, 1.0);
        EXPECT_NEAR(bottom, e.bottom + 1, 1.0);
    }
}

}  // namespace
}  // namespace pixmere::test
