#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace pixmere {

// A run-time failure of the conversion arithmetic: a division by zero, or a value that does not
// fit the 16-bit field it is stored in. The import turns it into kExtractionFailureMessage.
class ConversionFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kExtractionFailureMessage = "Datas Extraction Failure.";

// rnd: nearest integer, ties to even (rnd(2.5) = 2, rnd(3.5) = 4).
inline double Rnd(double value) { return std::nearbyint(value); }

// A whole value stored into a signed 16-bit field.
inline int16_t ToInt16(long long value) {
    if (value < INT16_MIN || value > INT16_MAX) {
        throw ConversionFailure("value out of the 16-bit range");
    }
    return static_cast<int16_t>(value);
}

// A real value stored into a signed 16-bit field: rounded first.
inline int16_t RndInt16(double value) {
    const double r = Rnd(value);
    if (!(r >= INT16_MIN && r <= INT16_MAX)) {  // also catches NaN
        throw ConversionFailure("value out of the 16-bit range");
    }
    return static_cast<int16_t>(r);
}

// Single and double precision divisions that fail on a zero divisor instead of giving an
// infinity, and on a result that is not finite.
inline float DivF(float a, float b) {
    if (b == 0.0f) throw ConversionFailure("division by zero");
    const float q = a / b;
    if (!std::isfinite(q)) throw ConversionFailure("overflow");
    return q;
}

inline double DivD(double a, double b) {
    if (b == 0.0) throw ConversionFailure("division by zero");
    const double q = a / b;
    if (!std::isfinite(q)) throw ConversionFailure("overflow");
    return q;
}

// A double result stored into a single precision field.
inline float ToSingle(double value) {
    const float f = static_cast<float>(value);
    if (!std::isfinite(f)) throw ConversionFailure("overflow");
    return f;
}

// Int: the largest whole value not above the argument.
inline float IntF(float value) { return std::floor(value); }

}  // namespace pixmere
