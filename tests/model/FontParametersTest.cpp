#include <gtest/gtest.h>

#include "model/FontParameters.h"
#include "support/SampleFonts.h"

namespace pixmere {
namespace {

using R = ParameterRefusal;

TEST(CheckParams, EachRuleOfAFontsParametersInOnePlace) {
    const std::pair<FontParams, ParamsFault> cases[] = {
        {test::Shape(1, 1), ParamsFault::None},
        {test::Shape(255, 255, 0, 256, 255, 5), ParamsFault::None},
        {test::Shape(0, 8), ParamsFault::Size},
        {test::Shape(8, 8, 0x20, 1, 0, 0), ParamsFault::Magnification},
        {test::Shape(8, 8, 0x20, 0), ParamsFault::Range},
        {test::Shape(8, 8, 0xF0, 17), ParamsFault::Range},  // would end at 100h
        {test::Shape(8, 8, 0xF0, 16, 8), ParamsFault::None},
        {test::Shape(8, 8, 0xF0, 16, 9), ParamsFault::Downstroke},
        // The first rule broken is the one named.
        {test::Shape(8, 8, 0xF0, 17, 9, 0), ParamsFault::Magnification},
    };
    for (const auto& [params, fault] : cases) {
        EXPECT_EQ(CheckParams(params), fault) << test::Describe(params);
    }
}

// The dialog's three refusals, as the user reads them.
const std::string kWrong =
    "One or several properties are empty or wrong, please fill it with the right value";
const std::string kRange =
    "One or several properties are empty or wrong. please fill it with the right value.";
const std::string kDown =
    "One or several properties are empty, please fill it with the right value";

TEST(CheckFontParameters, RefusalsInTheDialogsOrderAndCorrectionsTo255) {
    const struct {
        FontParameterTexts texts;  // width, height, first, last, magnification, downstroke
        std::string refusal;
        const char* corrected;  // width x height after the corrections
    } cases[] = {
        {{"9", "16", "20", "7F", "1", "3"}, "", "9x16"},
        {{"8", "8", "7e", "7e", "5", "8"}, "", "8x8"},  // either case, one character
        {{"300", "99999", "20", "FF", "1", "255"}, "", "255x255"},
        // Empty, not a number, zero sizes, a range below 20h or reversed, a bad magnification.
        {{"", "8", "20", "FF", "1", "0"}, kWrong, "x8"},
        {{" 8", "8", "20", "FF", "1", "0"}, kWrong, " 8x8"},
        {{"+8", "8", "20", "FF", "1", "0"}, kWrong, "+8x8"},
        {{"0", "8", "20", "FF", "1", "0"}, kWrong, "0x8"},
        {{"8", "8", "1F", "FF", "1", "0"}, kWrong, "8x8"},
        {{"8", "8", "30", "2F", "1", "0"}, kWrong, "8x8"},
        {{"8", "8", "20", "FF", "0", "0"}, kWrong, "8x8"},
        {{"8", "8", "20", "FF", "261", "0"}, kWrong, "8x8"},  // 5 in a byte
        // A code beyond FF comes after those and the corrections.
        {{"300", "8", "20", "100", "1", "0"}, kRange, "255x8"},
        {{"8", "8", "20", "100", "9", "0"}, kWrong, "8x8"},
        // The downstroke past the height, even beyond a byte, comes last.
        {{"8", "300", "20", "FF", "1", "256"}, kDown, "8x255"},
        {{"8", "10", "20", "100", "1", "12"}, kRange, "8x10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        const ParameterCheck check = CheckFontParameters(c.texts);
        EXPECT_EQ(RefusalMessage(check.refusal), c.refusal);
        EXPECT_EQ(check.corrected.width + "x" + check.corrected.height, c.corrected);
    }
    const FontParams p = CheckFontParameters({"9", "16", "20", "7F", "2", "3"}).params;
    EXPECT_EQ(test::Describe(p) + " count " + std::to_string(p.NbCar),
              "9x16 down 3 magnif 2 codes 32-127 count 96");
}

TEST(CheckFontProperties, TheDownstrokeAndMagnificationOfAFontKeepItsRules) {
    const FontParams current = test::Shape(8, 10, 0x41, 3, 2, 1);
    const std::tuple<const char*, const char*, R> cases[] = {{"3", "2", R::None},
                                                             {"10", "5", R::None},
                                                             {"11", "1", R::DownstrokeTooLarge},
                                                             {"", "1", R::EmptyOrWrong},
                                                             {"2", "0", R::EmptyOrWrong},
                                                             {"2", "6", R::EmptyOrWrong},
                                                             {"2", " 2", R::EmptyOrWrong}};
    for (const auto& [downstroke, magnification, refusal] : cases) {
        FontParams changed = current;
        EXPECT_EQ(CheckFontProperties(current, downstroke, magnification, changed), refusal)
            << downstroke << " " << magnification;
        EXPECT_EQ(test::Describe(changed), refusal == R::None
                                               ? "8x10 down " + std::string(downstroke) +
                                                     " magnif " + magnification + " codes 65-67"
                                               : test::Describe(current));
    }
}

TEST(ChangeRulesAndKeys, SizesStopAt255FirstCodesBelow20BecomeItAndKeysAreFiltered) {
    const std::pair<const char*, const char*> sizes[] = {
        {"", ""}, {"0", "0"}, {"255", "255"}, {"256", "255"}, {"99999", "255"}, {"12", "12"}};
    for (const auto& [typed, shown] : sizes) {
        EXPECT_EQ(WidthChangeRule(typed), shown) << typed;
        EXPECT_EQ(HeightChangeRule(typed), shown) << typed;
    }
    const std::pair<const char*, const char*> firsts[] = {
        {"", ""}, {"1", "1"}, {"9", "9"}, {"A", "20"}, {"1F", "20"}, {"20", "20"}, {"FF", "FF"}};
    for (const auto& [typed, shown] : firsts) EXPECT_EQ(FirstCharChangeRule(typed), shown) << typed;
    std::string decimal, hex;
    for (const char key : std::string("0159\babfgxAFG +-.")) {
        decimal += DecimalKeyFilter(key) ? DecimalKeyFilter(key) : '_';
        hex += HexKeyFilter(key) ? HexKeyFilter(key) : '_';
    }
    EXPECT_EQ(decimal, "0159\b____________");
    EXPECT_EQ(hex, "0159\bABF__AF_____");
    EXPECT_EQ(HexText(0x0A) + HexText(0x100) + HexText(0x2F, 1), "0A1002F");
}

}  // namespace
}  // namespace pixmere
