#include "model/FontParameters.h"

#include <algorithm>
#include <cctype>

namespace pixmere {

namespace {

std::optional<int> ParseDigits(const std::string& text, int base) {
    if (text.empty()) return std::nullopt;
    int value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c))) {
            digit = std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > 65535) value = 65535;
    }
    return value;
}

}  // namespace

std::optional<int> DecimalValue(const std::string& text) { return ParseDigits(text, 10); }
std::optional<int> HexValue(const std::string& text) { return ParseDigits(text, 16); }

std::string HexText(int value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned v = static_cast<unsigned>(value); v != 0 || digits > 0; v >>= 4, --digits) {
        text.insert(text.begin(), kDigits[v & 15]);
    }
    return text;
}

const char* RefusalMessage(ParameterRefusal refusal) {
    switch (refusal) {
        case ParameterRefusal::EmptyOrWrong:
            return "One or several properties are empty or wrong, please fill it with the right "
                   "value";
        case ParameterRefusal::OutOfRange:
            return "One or several properties are empty or wrong. please fill it with the right "
                   "value.";
        case ParameterRefusal::DownstrokeTooLarge:
            return "One or several properties are empty, please fill it with the right value";
        case ParameterRefusal::None:
            break;
    }
    return "";
}

ParameterRefusal RefusalFor(ParamsFault fault) {
    switch (fault) {
        case ParamsFault::None:
            return ParameterRefusal::None;
        case ParamsFault::Size:
        case ParamsFault::Magnification:
            return ParameterRefusal::EmptyOrWrong;
        case ParamsFault::Range:
            return ParameterRefusal::OutOfRange;
        case ParamsFault::Downstroke:
            return ParameterRefusal::DownstrokeTooLarge;
    }
    return ParameterRefusal::EmptyOrWrong;
}

namespace {

// Values beyond a byte cannot be stored; they become one that breaks the same rule.
uint8_t MagnificationByte(int value) { return static_cast<uint8_t>(value > 255 ? 0 : value); }

// A downstroke beyond a byte is above any height.
ParamsFault CheckWithDownstroke(FontParams& p, int downstroke) {
    p.jambon = static_cast<uint8_t>(std::min(downstroke, 255));
    const ParamsFault fault = CheckParams(p);
    return fault == ParamsFault::None && downstroke > 255 ? ParamsFault::Downstroke : fault;
}

}  // namespace

ParameterCheck CheckFontParameters(const FontParameterTexts& texts) {
    ParameterCheck check;
    check.corrected = texts;
    const auto refuse = [&](ParameterRefusal refusal, ParameterField field, std::string rule) {
        check.refusal = refusal;
        check.field = field;
        check.rule = std::move(rule);
        return check;
    };
    const auto notNumber = [](const std::string& text, bool hexadecimal) {
        return text.empty()  ? "empty"
               : hexadecimal ? "not a hexadecimal number"
                             : "not a decimal number";
    };
    const auto magnification = DecimalValue(texts.magnification);
    const auto downstroke = DecimalValue(texts.downstroke);
    const auto first = HexValue(texts.first);
    const auto last = HexValue(texts.last);
    const auto width = DecimalValue(texts.width);
    const auto height = DecimalValue(texts.height);
    constexpr ParameterRefusal kWrong = ParameterRefusal::EmptyOrWrong;
    if (!magnification) {
        return refuse(kWrong, ParameterField::Magnification, notNumber(texts.magnification, false));
    }
    if (!downstroke) {
        return refuse(kWrong, ParameterField::Downstroke, notNumber(texts.downstroke, false));
    }
    if (!first) return refuse(kWrong, ParameterField::First, notNumber(texts.first, true));
    if (!last) return refuse(kWrong, ParameterField::Last, notNumber(texts.last, true));
    if (!width) return refuse(kWrong, ParameterField::Width, notNumber(texts.width, false));
    if (!height) return refuse(kWrong, ParameterField::Height, notNumber(texts.height, false));
    if (*first < 0x20) {
        return refuse(kWrong, ParameterField::First, "codes below 20h are printer control codes");
    }
    if (*last < *first) {
        return refuse(kWrong, ParameterField::Last,
                      "before the first code, " + HexText(*first) + "h");
    }
    if (*height > 255) check.corrected.height = "255";
    if (*width > 255) check.corrected.width = "255";
    FontParams& p = check.params;
    p.FormatHeightCar = static_cast<uint8_t>(std::min(*height, 255));
    p.FormatLengthCar = static_cast<uint8_t>(std::min(*width, 255));
    p.Magnification = MagnificationByte(*magnification);
    // A code beyond FF makes the range end past FF, which CheckParams refuses.
    p.firstcar = static_cast<uint8_t>(std::min(*first, 0xFF));
    p.lastcar = static_cast<uint8_t>(std::min(*last, 0xFF));
    p.NbCar = *last - p.firstcar + 1;
    const ParamsFault fault = CheckWithDownstroke(p, *downstroke);
    const ParameterRefusal refusal = RefusalFor(fault);
    switch (fault) {
        case ParamsFault::None:
            break;
        case ParamsFault::Size:
            return *width == 0
                       ? refuse(refusal, ParameterField::Width, "a font is 1 to 255 pixels wide")
                       : refuse(refusal, ParameterField::Height, "a font is 1 to 255 pixels high");
        case ParamsFault::Magnification:
            return refuse(refusal, ParameterField::Magnification,
                          "the magnification is 1 to " + std::to_string(kMaxMagnification));
        case ParamsFault::Range:
            return refuse(refusal, *first > 0xFF ? ParameterField::First : ParameterField::Last,
                          "codes end at FFh");
        case ParamsFault::Downstroke:
            return refuse(refusal, ParameterField::Downstroke,
                          "more than the height of " + std::to_string(p.FormatHeightCar) + " rows");
    }
    return check;
}

ParameterRefusal CheckFontProperties(const FontParams& current, const std::string& downstroke,
                                     const std::string& magnification, FontParams& changed) {
    const auto d = DecimalValue(downstroke);
    const auto m = DecimalValue(magnification);
    if (!d || !m) return ParameterRefusal::EmptyOrWrong;
    FontParams p = current;
    p.Magnification = MagnificationByte(*m);
    const ParameterRefusal refusal = RefusalFor(CheckWithDownstroke(p, *d));
    if (refusal == ParameterRefusal::None) changed = p;
    return refusal;
}

std::string WidthChangeRule(const std::string& text) {
    const auto value = DecimalValue(text);
    return value && *value >= 256 ? "255" : text;
}

std::string HeightChangeRule(const std::string& text) { return WidthChangeRule(text); }

std::string FirstCharChangeRule(const std::string& text) {
    const auto value = HexValue(text);
    return value && *value >= 10 && *value < 32 ? "20" : text;
}

char DecimalKeyFilter(char key) { return (key >= '0' && key <= '9') || key == '\b' ? key : 0; }

char HexKeyFilter(char key) {
    if ((key >= '0' && key <= '9') || key == '\b') return key;
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    return upper >= 'A' && upper <= 'F' ? upper : 0;
}

}  // namespace pixmere
