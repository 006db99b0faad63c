#include "model/FontParameters.h"

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

ParameterCheck CheckFontParameters(const FontParameterTexts& texts) {
    ParameterCheck check;
    check.corrected = texts;
    const auto magnification = DecimalValue(texts.magnification);
    const auto downstroke = DecimalValue(texts.downstroke);
    const auto first = HexValue(texts.first);
    const auto last = HexValue(texts.last);
    const auto width = DecimalValue(texts.width);
    const auto height = DecimalValue(texts.height);
    if (!magnification || !downstroke || !first || !last || !width || !height || *first < 0x20 ||
        *last < *first || *width == 0 || *height == 0 || *magnification < 1 ||
        *magnification > 5) {
        check.refusal = ParameterRefusal::EmptyOrWrong;
        return check;
    }
    const int h = *height > 255 ? 255 : *height;
    const int w = *width > 255 ? 255 : *width;
    if (*height > 255) check.corrected.height = "255";
    if (*width > 255) check.corrected.width = "255";
    if (*first > 0xFF || *last > 0xFF) {
        check.refusal = ParameterRefusal::OutOfRange;
        return check;
    }
    if (*downstroke > h) {
        check.refusal = ParameterRefusal::DownstrokeTooLarge;
        return check;
    }
    check.params.FormatHeightCar = static_cast<uint8_t>(h);
    check.params.FormatLengthCar = static_cast<uint8_t>(w);
    check.params.firstcar = static_cast<uint8_t>(*first);
    check.params.lastcar = static_cast<uint8_t>(*last);
    check.params.NbCar = *last - *first + 1;
    check.params.jambon = static_cast<uint8_t>(*downstroke);
    check.params.Magnification = static_cast<uint8_t>(*magnification);
    return check;
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
