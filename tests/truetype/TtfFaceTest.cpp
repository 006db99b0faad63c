#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "TtfTestSupport.h"
#include "model/UserError.h"
#include "truetype/TtfFace.h"
#include "truetype/TtfImport.h"

namespace pixmere::test {
namespace {

const char* const kDejaVuFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

TEST(TtfFace, OnlyTheChosenFaceDrawsAndWhatCannotBeUsedIsRefused) {
    EXPECT_THROW(TtfFace::Installed("No Such Face 1234", false, false), UserError);
    EXPECT_THROW(TtfFace::Installed("", false, false), UserError);
    EXPECT_THROW(TtfFace::FromFile("/nonexistent/face.ttf", false, false), UserError);
    EXPECT_THROW(TtfFace::FromFile(PIXMERE_TESTS_DIR "/truetype/TtfFaceTest.cpp", false, false),
                 UserError);  // not a font
    const TtfFace face = DejaVu();
    EXPECT_EQ(face.FamilyName(), "DejaVu Sans");
    EXPECT_FALSE(face.Outline("A").IsEmpty());
    EXPECT_TRUE(face.Outline(" ").IsEmpty());
    EXPECT_TRUE(face.Outline("").IsEmpty());
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
}

TEST(TtfFace, BoldAndItalicUseTheFaceStylesOrAreSynthesised) {
    const QRectF plain = DejaVu().Outline("l").path.boundingRect();
    const TtfFace boldFace = DejaVu(true, false);
    const GlyphOutline& bold = boldFace.Outline("l");
    EXPECT_GT(bold.path.boundingRect().width(), plain.width() * 1.5);  // the face's own bold
    EXPECT_EQ(bold.emboldenShift, 0);
    EXPECT_GT(DejaVu(false, true).Outline("l").path.boundingRect().width(),
              plain.width() * 2);  // slanted
    // A file of a regular style gets both synthesised.
    const TtfFace file = TtfFace::FromFile(kDejaVuFile, true, true);
    EXPECT_GT(file.Outline("l").emboldenShift, 0);
    EXPECT_GT(file.Outline("l").path.boundingRect().width(), plain.width() * 2);
}

}  // namespace
}  // namespace pixmere::test
