#pragma once

#include <optional>
#include <string>

#include "model/Font.h"

namespace pixmere {

// The texts of the font parameters dialog, as typed.
struct FontParameterTexts {
    std::string width;
    std::string height;
    std::string first = "20";  // hexadecimal
    std::string last = "FF";   // hexadecimal
    std::string magnification = "1";
    std::string downstroke = "0";
};

enum class ParameterRefusal {
    None,
    EmptyOrWrong,        // empty field, zero size, range below 20h or reversed, bad number
    OutOfRange,          // a character code above FF
    DownstrokeTooLarge,  // downstroke above the height
};

// The exact message of each refusal ("" for None).
const char* RefusalMessage(ParameterRefusal refusal);

// The texts of the dialog, each the subject of a refusal's rule.
enum class ParameterField { None, Width, Height, First, Last, Downstroke, Magnification };

struct ParameterCheck {
    ParameterRefusal refusal = ParameterRefusal::None;
    // With a refusal: the text it is about and the rule that text broke ("codes below 20h are
    // printer control codes"), which the refusal's message does not say.
    ParameterField field = ParameterField::None;
    std::string rule;
    FontParameterTexts corrected;  // texts after the >255 size corrections
    FontParams params;             // filled when accepted: sizes, first, last, downstroke,
                                   // magnification, NbCar = last - first + 1
};

// The checks run on Ok when a font is created or imported, in the dialog's order: refusal 1,
// size correction to 255, refusal 2, refusal 3. The rules on values are CheckParams's.
ParameterCheck CheckFontParameters(const FontParameterTexts& texts);

// The refusal the dialog shows for a broken rule of CheckParams.
ParameterRefusal RefusalFor(ParamsFault fault);

// The Font Properties checks: the downstroke and magnification texts applied to a font's
// parameters. `changed` receives the new parameters when accepted.
ParameterRefusal CheckFontProperties(const FontParams& current, const std::string& downstroke,
                                     const std::string& magnification, FontParams& changed);

// Decimal and hexadecimal values of the dialog's texts: nullopt when empty or not a number;
// values beyond 65535 saturate there, which is all the checks need to tell them apart.
std::optional<int> DecimalValue(const std::string& text);
std::optional<int> HexValue(const std::string& text);

// A value in upper-case hexadecimal, zero-padded to at least `digits` digits ("7E", "0A").
std::string HexText(int value, int digits = 2);

// Change rules applied while typing: return the text the field must show instead.
std::string WidthChangeRule(const std::string& text);      // 256 or more becomes "255"
std::string HeightChangeRule(const std::string& text);     // likewise
std::string FirstCharChangeRule(const std::string& text);  // 0Ah..1Fh becomes "20"

// Key filters: whether a typed character is kept, and as what (0 when discarded).
char DecimalKeyFilter(char key);
char HexKeyFilter(char key);

}  // namespace pixmere
