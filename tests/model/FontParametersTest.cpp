#include <gtest/gtest.h>

#include "model/FontParameters.h"
#include "support/SampleFonts.h"

namespace pixmere {
namespace {

using R = ParameterRefusal;

TEST(CheckParams, EachRuleOfAFontsParametersInOnePlace) {
    struct Case {
        FontParams params;
        ParamsFault fault;
    };
    const Case cases[] = {
        {test::Shape(1, 1), ParamsFault::None},
        {test::Shape(255, 255, 0, 256, 255, 5), ParamsFault::None},
        {test::Shape(0, 8), ParamsFault::Size},
        {test::Shape(8, 0), ParamsFault::Size},
        {test::Shape(8, 8, 0x20, 1, 0, 0), ParamsFault::Magnification},
        {test::Shape(8, 8, 0x20, 1, 0, 6), ParamsFault::Magnification},
        {test::Shape(8, 8, 0x20, 0), ParamsFault::Range},
        {test::Shape(8, 8, 0, 257), ParamsFault::Range},
        {test::Shape(8, 8, 0xF0, 17), ParamsFault::Range},  // would end at 100h
        {test::Shape(8, 8, 0xF0, 16, 8), ParamsFault::None},
        {test::Shape(8, 8, 0xF0, 16, 9), ParamsFault::Downstroke},
        // The first rule broken is the one named.
        {test::Shape(0, 8, 0x20, 1, 9, 0), ParamsFault::Size},
        {test::Shape(8, 8, 0xF0, 17, 9, 0), ParamsFault::Magnification},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckParams(c.params), c.fault) << test::Describe(c.params);
    }
}

TEST(CheckFontParameters, RefusalsInTheDialogsOrderAndCorrectionsTo255) {
    struct Case {
        FontParameterTexts texts;  // width, height, first, last, magnification, downstroke
        R refusal;
        const char* corrected;  // width x height after the corrections
    };
    const Case cases[] = {
        {{"9", "16", "20", "7F", "1", "3"}, R::None, "9x16"},
        {{"8", "8", "7e", "7e", "5", "8"}, R::None, "8x8"},  // either case, one character
        {{"300", "99999", "20", "FF", "1", "255"}, R::None, "255x255"},
        // Refusal 1: empty, not a number, zero sizes, range below 20h or reversed, bad
        // magnification.
        {{"", "8", "20", "FF", "1", "0"}, R::EmptyOrWrong, "x8"},
        {{"8", "8", "20", "FF", "1", ""}, R::EmptyOrWrong, "8x8"},
        {{" 8", "8", "20", "FF", "1", "0"}, R::EmptyOrWrong, " 8x8"},
        {{"+8", "8", "20", "FF", "1", "0"}, R::EmptyOrWrong, "+8x8"},
        {{"0", "8", "20", "FF", "1", "0"}, R::EmptyOrWrong, "0x8"},
        {{"8", "0", "20", "FF", "1", "0"}, R::EmptyOrWrong, "8x0"},
        {{"8", "8", "1F", "FF", "1", "0"}, R::EmptyOrWrong, "8x8"},
        {{"8", "8", "30", "2F", "1", "0"}, R::EmptyOrWrong, "8x8"},
        {{"8", "8", "20", "FF", "0", "0"}, R::EmptyOrWrong, "8x8"},
        {{"8", "8", "20", "FF", "6", "0"}, R::EmptyOrWrong, "8x8"},
        {{"8", "8", "20", "FF", "261", "0"}, R::EmptyOrWrong, "8x8"},  // 5 in a byte
        {{"8", "8", "20", "FF", "x", "0"}, R::EmptyOrWrong, "8x8"},
        // Refusal 2: a code beyond FF; it comes after refusal 1 and the corrections.
        {{"300", "8", "20", "100", "1", "0"}, R::OutOfRange, "255x8"},
        {{"8", "8", "100", "100", "1", "0"}, R::OutOfRange, "8x8"},
        {{"8", "8", "20", "100", "9", "0"}, R::EmptyOrWrong, "8x8"},
        // Refusal 3: the downstroke passes the height, even beyond a byte; it comes last.
        {{"8", "10", "20", "FF", "1", "12"}, R::DownstrokeTooLarge, "8x10"},
        {{"8", "300", "20", "FF", "1", "256"}, R::DownstrokeTooLarge, "8x255"},
        {{"8", "10", "20", "100", "1", "12"}, R::OutOfRange, "8x10"},
    };
    for (const Case& c : cases) {
        const FontParameterTexts& t = c.texts;
        const ParameterCheck check = CheckFontParameters(t);
        SCOPED_TRACE(t.width + "|" + t.height + "|" + t.first + "|" + t.last + "|" +
                     t.magnification + "|" + t.downstroke);
        EXPECT_EQ(check.refusal, c.refusal);
        EXPECT_EQ(check.corrected.width + "x" + check.corrected.height, c.corrected);
    }
    const FontParams p = CheckFontParameters({"9", "16", "20", "7F", "2", "3"}).params;
    EXPECT_EQ((std::vector<int>{p.FormatLengthCar, p.FormatHeightCar, p.firstcar, p.lastcar,
                                p.NbCar, p.NbByteMatrix(), p.jambon, p.Magnification}),
              (std::vector<int>{9, 16, 0x20, 0x7F, 96, 2, 3, 2}));
}

TEST(CheckFontProperties, TheDownstrokeAndMagnificationOfAFontKeepItsRules) {
    const FontParams current = test::Shape(8, 10, 0x41, 3, 2, 1);
    struct Case {
        const char* downstroke;
        const char* magnification;
        R refusal;
    };
    const Case cases[] = {
        {"3", "2", R::None},
        {"10", "5", R::None},
        {"11", "1", R::DownstrokeTooLarge},
        {"300", "1", R::DownstrokeTooLarge},
        {"", "1", R::EmptyOrWrong},
        {"2", "", R::EmptyOrWrong},
        {"2", "0", R::EmptyOrWrong},
        {"2", "6", R::EmptyOrWrong},
        {"2", "261", R::EmptyOrWrong},
        {"2", " 2", R::EmptyOrWrong},
    };
    for (const Case& c : cases) {
        FontParams changed = current;
        EXPECT_EQ(CheckFontProperties(current, c.downstroke, c.magnification, changed), c.refusal)
            << c.downstroke << " " << c.magnification;
        if (c.refusal == R::None) {
            EXPECT_EQ(std::to_string(changed.jambon) + " " + std::to_string(changed.Magnification),
                      std::string(c.downstroke) + " " + c.magnification);
            EXPECT_EQ(changed.NbCar, current.NbCar);
        } else {
            EXPECT_EQ(changed.jambon, current.jambon);  // untouched
        }
    }
}

TEST(ChangeRules, SizesStopAt255AndFirstCodesBelow20BecomeIt) {
    const std::pair<const char*, const char*> sizes[] = {
        {"", ""}, {"0", "0"}, {"255", "255"}, {"256", "255"}, {"99999", "255"}, {"12", "12"}};
    for (const auto& [typed, shown] : sizes) {
        EXPECT_EQ(WidthChangeRule(typed), shown) << typed;
        EXPECT_EQ(HeightChangeRule(typed), shown) << typed;
    }
    const std::pair<const char*, const char*> firsts[] = {
        {"", ""},     {"1", "1"},   {"9", "9"},   {"A", "20"}, {"F", "20"},
        {"10", "20"}, {"1F", "20"}, {"20", "20"}, {"7", "7"},  {"FF", "FF"}};
    for (const auto& [typed, shown] : firsts) EXPECT_EQ(FirstCharChangeRule(typed), shown) << typed;
}

TEST(KeyFiltersAndHexText, DigitsAndBackspaceHexadecimalInUpperCaseZeroPadded) {
    std::string decimal, hex;
    for (const char key : std::string("0159\babfgxAFG +-.")) {
        decimal += DecimalKeyFilter(key) ? DecimalKeyFilter(key) : '_';
        hex += HexKeyFilter(key) ? HexKeyFilter(key) : '_';
    }
    EXPECT_EQ(decimal, "0159\b____________");
    EXPECT_EQ(hex, "0159\bABF__AF_____");
    EXPECT_EQ((std::vector{HexText(0x7E), HexText(0x0A), HexText(0x100), HexText(0, 1),
                           HexText(0x2F, 1)}),
              (std::vector<std::string>{"7E", "0A", "100", "0", "2F"}));
    EXPECT_EQ(HexValue(HexText(0xC3)), 0xC3);
}

}  // namespace
}  // namespace pixmere
