#include <gtest/gtest.h>

#include "TtfTestSupport.h"
#include "support/GlyphPicture.h"
#include "truetype/TtfImport.h"

namespace pixmere {
namespace {

using test::Cell;

TEST(TtfImport, PacksEachResultIntoTheMatrixMostSignificantBitFirst) {
    for (const int width : {8, 9, 13}) {
        TtfConverter c(test::DejaVu(), Cell(12, width, 2, 0x41, 0x44));
        c.Load();
        std::vector<std::vector<std::string>> results;
        const TtfImportResult r = c.FullAuto_Click([&](const TtfProgress&) {
            results.push_back(test::ResultPicture(c.state));
            return true;
        });
        ASSERT_EQ(r.status, TtfImportResult::Status::Done) << r.message;
        const int bytes = width <= 8 ? 1 : 2;
        EXPECT_EQ(r.font.matrix.bytesPerRow(), bytes);
        EXPECT_EQ(r.font.matrix.rows(), 12);
        EXPECT_EQ(r.font.matrix.chars(), 4);
        EXPECT_EQ(r.font.params.NbCar, 4);
        EXPECT_EQ(r.font.params.NbByteMatrix(), bytes);
        ASSERT_EQ(results.size(), 4u);
        const Font font = BuildTtfFont(r.font);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(test::GlyphPicture(font.glyphs[i], width), results[i])
                << test::Joined(results[i]);
            // Padding bits stay clear.
            for (int y = 0; y < 12; ++y) {
                const int used = width % 8 == 0 ? 0xFF : (0xFF00 >> (width % 8)) & 0xFF;
                EXPECT_EQ(font.glyphs[i].carbitmap(bytes - 1, y) & ~used, 0);
            }
        }
        // "A" has ink, so the packing is not trivially empty.
        EXPECT_NE(test::InkRows(c.state).first, -1);
    }
}

TEST(TtfImport, CreateObjectTTFBuildsTheGlyphArray) {
    FontParams p = Cell(3, 10, 1, 0x30, 0x31);
    ByteMatrix m(2, 3, 2);
    m.at(0, 0, 0) = 0x81;
    m.at(1, 2, 1) = 0xC0;
    const std::vector<CarObject> glyphs = CreateObjectTTF(10, 3, m, 0x30, 0x31);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[1].ByteWidth(), 1);
    EXPECT_EQ(glyphs[1].bitwidth(), 9);
    EXPECT_EQ(glyphs[1].Height(), 2);
    EXPECT_EQ(glyphs[1].NbCars(), 1);
    EXPECT_EQ(glyphs[1].NumCar(), 1);
    EXPECT_EQ(glyphs[1].CarColor(), 0);
    EXPECT_EQ(glyphs[0].carbitmap(0, 0), 0x81);
    EXPECT_EQ(glyphs[1].carbitmap(1, 2), 0xC0);
    EXPECT_THROW(CreateObjectTTF(10, 4, m, 0x30, 0x31), std::invalid_argument);

    p.NbCar = 99;
    BeginProgFNT(p);
    EXPECT_EQ(p.NbCar, 2);
}

TEST(TtfImport, OneCharacterRangeGivesOneGlyph) {
    TtfImportRequest request;
    request.height = 16;
    request.width = 16;
    request.downstroke = 3;
    request.first = request.last = 0x20;
    const TtfImportResult r = ImportTtfRange(test::DejaVu(), request);
    ASSERT_EQ(r.status, TtfImportResult::Status::Done);
    const Font font = BuildTtfFont(r.font);
    ASSERT_EQ(font.glyphs.size(), 1u);
    EXPECT_EQ(font.params.firstcar, 0x20);
    EXPECT_EQ(font.params.jambon, 3);
    // The space is an empty glyph.
    for (const uint8_t b : font.glyphData()) EXPECT_EQ(b, 0);
}

TEST(TtfImport, ProgressIsReportedPerCharacterAndCancelStopsAfterIt) {
    TtfImportRequest request;
    request.height = 10;
    request.width = 8;
    request.first = 0x41;
    request.last = 0x48;
    std::vector<int> codes;
    const TtfImportResult done = ImportTtfRange(test::DejaVu(), request, [&](const TtfProgress& p) {
        codes.push_back(p.code);
        EXPECT_EQ(p.count, 8);
        EXPECT_EQ(p.done, static_cast<int>(codes.size()));
        return true;
    });
    EXPECT_EQ(done.status, TtfImportResult::Status::Done);
    EXPECT_EQ(codes, (std::vector<int>{0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48}));

    int calls = 0;
    const TtfImportResult cancelled =
        ImportTtfRange(test::DejaVu(), request, [&](const TtfProgress&) { return ++calls < 3; });
    EXPECT_EQ(cancelled.status, TtfImportResult::Status::Cancelled);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(cancelled.font.matrix.data().size(), 0u);

    // The dialog's Cancel sets the closing flag between two characters.
    TtfConverter c(test::DejaVu(), Cell(10, 8, 0, 0x41, 0x48));
    c.Load();
    calls = 0;
    const TtfImportResult closed = c.FullAuto_Click([&](const TtfProgress&) {
        if (++calls == 2) c.state.ClosingFlag = true;
        return true;
    });
    EXPECT_EQ(closed.status, TtfImportResult::Status::Cancelled);
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(c.state.ClosingFlag);
}

TEST(TtfImport, SettingsChangedBetweenCharactersApplyToTheNextOnes) {
    TtfConverter c(test::DejaVu(), Cell(16, 16, 3, 0x4F, 0x50));
    c.Load();
    std::vector<int> shiftCounts;
    const TtfImportResult r = c.FullAuto_Click([&](const TtfProgress&) {
        shiftCounts.push_back(c.state.ShiftCount);
        c.state.ShiftMode = 1;  // "8 decalages" picked during the first character
        return true;
    });
    ASSERT_EQ(r.status, TtfImportResult::Status::Done);
    EXPECT_EQ(shiftCounts, (std::vector<int>{4, 8}));
}

TEST(TtfImport, FailureEndsTheImportWithoutAFont) {
    // Without an "X" the reference fit leaves a zero step, and the fitting divides by it.
    TtfImportRequest request;
    request.height = 16;
    request.width = 16;
    request.first = 0x41;
    request.last = 0x5A;
    const TtfImportResult r = ImportTtfRange(test::ShapesFace(false), request);
    EXPECT_EQ(r.status, TtfImportResult::Status::Failed);
    EXPECT_EQ(r.message, "Datas Extraction Failure.");
    EXPECT_EQ(r.font.matrix.data().size(), 0u);

    // With one, the same face converts.
    request.first = request.last = 0x58;
    const TtfImportResult x = ImportTtfRange(test::ShapesFace(true), request);
    ASSERT_EQ(x.status, TtfImportResult::Status::Done);
    const Font font = BuildTtfFont(x.font);
    EXPECT_EQ(test::GlyphPicture(font.glyphs[0], 16)[0], "################")
        << test::Joined(test::GlyphPicture(font.glyphs[0], 16));
}

TEST(TtfImport, RefusesParametersTheDialogRefuses) {
    TtfImportRequest request;
    request.height = 8;
    request.width = 8;
    request.downstroke = 9;
    EXPECT_THROW(ImportTtfRange(test::DejaVu(), request), std::invalid_argument);
    request.downstroke = 0;
    request.first = 0x50;
    request.last = 0x40;
    EXPECT_THROW(ImportTtfRange(test::DejaVu(), request), std::invalid_argument);
    request.first = 0x40;
    request.width = 0;
    EXPECT_THROW(ImportTtfRange(test::DejaVu(), request), std::invalid_argument);
}

TEST(TtfImport, CodesAbove7FAreWindows1252Characters) {
    EXPECT_EQ(AnsiCharacter(0x80), QString(QChar(0x20AC)));  // euro sign
    EXPECT_EQ(AnsiCharacter(0x9F), QString(QChar(0x0178)));
    EXPECT_EQ(AnsiCharacter(0x81), QString(QChar(0x0081)));  // unassigned: kept
    EXPECT_EQ(AnsiCharacter(0xE9), QString(QChar(0x00E9)));
}

}  // namespace
}  // namespace pixmere
