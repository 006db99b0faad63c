#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "TtfTestSupport.h"
#include "model/UserError.h"
#include "truetype/TtfFace.h"

namespace pixmere {
namespace {

TEST(TtfFace, RefusesWhatCannotBeUsed) {
    EXPECT_THROW(TtfFace::Installed("No Such Face 1234", false, false), UserError);
    EXPECT_THROW(TtfFace::Installed("", false, false), UserError);
    EXPECT_THROW(TtfFace::FromFile("/nonexistent/face.ttf", false, false), UserError);
    EXPECT_THROW(TtfFace::FromFile(__FILE__, false, false), UserError);  // not a font
}

TEST(TtfFace, OnlyTheChosenFaceDraws) {
    const TtfFace face = test::DejaVu();
    EXPECT_EQ(face.FamilyName(), "DejaVu Sans");
    EXPECT_FALSE(face.Outline("A").IsEmpty());
    EXPECT_TRUE(face.Outline(" ").IsEmpty());
    EXPECT_TRUE(face.Outline("").IsEmpty());
    // Unassigned code page positions and characters the face lacks draw nothing, not a box.
    EXPECT_TRUE(face.Outline(AnsiCharacter(0x81)).IsEmpty());
    EXPECT_TRUE(face.Outline(QString(QChar(0x4E00))).IsEmpty());
    // The soft hyphen of code AD is drawn as the face draws it, not dropped.
    EXPECT_FALSE(face.Outline(AnsiCharacter(0xAD)).IsEmpty());

    const TtfFace file =
        TtfFace::FromFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", false, false);
    EXPECT_EQ(file.Outline("g").path.boundingRect(), face.Outline("g").path.boundingRect());
}

TEST(TtfFace, BoldAndItalicUseTheFaceStylesOrAreSynthesised) {
    const QRectF plain = test::DejaVu().Outline("l").path.boundingRect();
    const QRectF bold = test::DejaVu(true, false).Outline("l").path.boundingRect();
    const QRectF italic = test::DejaVu(false, true).Outline("l").path.boundingRect();
    EXPECT_GT(bold.width(), plain.width() * 1.5);  // the face's own bold
    EXPECT_GT(italic.width(), plain.width() * 2);  // slanted
    EXPECT_EQ(test::DejaVu(true, false).Outline("l").emboldenShift, 0);

    // A file of a regular style gets both synthesised.
    const TtfFace file =
        TtfFace::FromFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", true, true);
    EXPECT_GT(file.Outline("l").emboldenShift, 0);
    EXPECT_GT(file.Outline("l").path.boundingRect().width(), plain.width() * 2);
}

TEST(TtfFace, OutlinesDoNotDependOnTextTheApplicationDrew) {
    const TtfFace file =
        TtfFace::FromFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", false, false);
    // Text in the same face, its glyphs at sub-pixel positions, as the editor's windows draw.
    QImage image(129, 41, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        painter.drawText(QRect(0, 0, 129, 41), Qt::AlignLeft | Qt::AlignTop, "1.00E+00");
    }
    const TtfFace installed = test::DejaVu();
    for (const char* c : {"X", "g", "1"}) {
        EXPECT_EQ(installed.Outline(c).path.boundingRect(), file.Outline(c).path.boundingRect())
            << c;
    }
}

}  // namespace
}  // namespace pixmere
