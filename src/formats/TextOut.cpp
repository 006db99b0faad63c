#include "formats/TextOut.h"

#include "formats/ParameterLines.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace pixmere {

// Appended rather than prepended: GCC 12 reports a false -Wrestrict for inserting a literal in
// front of a temporary string at -O2 and above.
std::string Num(int value) {
    std::string s(value < 0 ? 0 : 1, ' ');
    s += std::to_string(value);
    return s;
}

TextOut::TextOut(std::size_t expected) {
    bytes_.reserve(expected);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Tens of megabytes touched page by page cost thousands of page faults, more than writing
    // the text; in 2 MiB pages they are a handful. Only advice: without it nothing changes.
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(bytes_.data());
    const std::uintptr_t first = (start + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t end = (start + expected) & ~(kHuge - 1);
    if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#endif
}

void WriteParameterLines(TextOut& out, const FontParams& p) {
    const int values[] = {p.FormatHeightCar, p.FormatLengthCar, p.firstcar,
                          p.NbCar,           p.jambon,          p.Magnification};
    for (std::size_t n = 0; n < kParameterLabels.size(); ++n) {
        out.line(kParameterLabels[n] + Num(values[n]));
    }
}

}  // namespace pixmere
