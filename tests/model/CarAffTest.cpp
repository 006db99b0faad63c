#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CarObject.h"
#include "model/GlyphCanvas.h"
#include "support/GlyphPicture.h"

namespace pixmere {
namespace {

// A small image: '#' black, '.' white, 'b' light blue, '?' never painted.
class CharCanvas : public GlyphCanvas {
public:
    CharCanvas(int width, int height) : rows_(height, std::string(width, '?')) {}
    void FillBox(int x0, int y0, int x1, int y1, Rgb colour) override {
        ++fills;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) Set(x, y, colour);
    }
    void OutlinedBox(int x0, int y0, int x1, int y1, Rgb outline, Rgb interior) override {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                Set(x, y, x == x0 || x == x1 || y == y0 || y == y1 ? outline : interior);
    }
    std::vector<std::string> rows_;
    int fills = 0;

private:
    void Set(int x, int y, Rgb c) {
        ASSERT_TRUE(y >= 0 && y < static_cast<int>(rows_.size()) && x >= 0 &&
                    x < static_cast<int>(rows_[0].size()))
            << "painted outside the picture at " << x << "," << y;
        rows_[y][x] = c == kBlack ? '#' : c == kWhite ? '.' : c == kLightBlue ? 'b' : 'x';
    }
};

CarObject Glyph(int width, const std::vector<std::string>& picture) {
    CarObject glyph;
    const int bytes = BytesPerRow(width);
    glyph.setByteWidth(static_cast<uint8_t>(bytes - 1));
    glyph.setBitwidth(static_cast<uint8_t>(width - 1));
    glyph.setHeight(static_cast<uint8_t>(picture.size() - 1));
    glyph.bytes() = test::PictureBytes(picture, bytes);
    return glyph;
}

TEST(CarAff, OutlinesTheCellAndPaintsInkAtZoomAndMagnification) {
    const CarObject glyph = Glyph(3, {"#.#", ".#."});
    CharCanvas canvas(8, 10);
    glyph.CarAff(canvas, "blanc", 1, 1, 2, 2);
    // The outline runs from (1,1) to (1 + 3*2, 1 + 2*4); ink blocks of 2 x 4 cover it.
    EXPECT_EQ(test::Joined(canvas.rows_), test::Joined({
                                              "????????",
                                              "?#######",
                                              "?##..###",
                                              "?##..###",
                                              "?##..###",
                                              "?#.##..#",
                                              "?#.##..#",
                                              "?#.##..#",
                                              "?#.##..#",
                                              "?#######",
                                          }));
}

TEST(CarAff, SelectedCellIsLightBlueAndPaddingBitsStayHidden) {
    CarObject glyph = Glyph(5, {"#....", "....#"});
    glyph.setCarbitmap(0, 0, 0x80 | 0x07);  // three padding bits set past the width
    CharCanvas canvas(7, 4);
    glyph.CarAff(canvas, "bleu", 0, 0, 1, 1);
    EXPECT_EQ(test::Joined(canvas.rows_), test::Joined({
                                              "######?",
                                              "#bbb##?",
                                              "######?",
                                              "???????",
                                          }));
}

TEST(CarAff, RunsOfInkAreFilledTogether) {
    const CarObject glyph = Glyph(16, {"########.#######"});
    CharCanvas canvas(17, 4);
    glyph.CarAff(canvas, "blanc", 0, 0, 1, 3);
    EXPECT_EQ(canvas.fills, 2);
    EXPECT_EQ(canvas.rows_[1], "########.########");
}

TEST(LineRefresh, RepaintsOnlyItsRowInkAndBackgroundWithoutOutline) {
    const CarObject glyph = Glyph(4, {"####", "#..#", "####"});
    CharCanvas canvas(8, 10);
    glyph.LineRefresh(canvas, "blanc", 1, 0, 0, 2, 2);
    EXPECT_EQ(test::Joined(canvas.rows_), test::Joined({
                                              "????????",
                                              "????????",
                                              "????????",
                                              "????????",
                                              "##....##",
                                              "##....##",
                                              "##....##",
                                              "##....##",
                                              "????????",
                                              "????????",
                                          }));
}

}  // namespace
}  // namespace pixmere
