#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "model/Font.h"

namespace pixmere {

// Decimal with the leading space a signed-number format puts where a minus sign would go.
std::string Num(int value);

// Text built straight into a file's bytes, lines ended by CR LF as every text export ends them.
// The largest font makes tens of megabytes of text: room for `expected` bytes is taken at once.
class TextOut {
public:
    explicit TextOut(std::size_t expected);

    void text(std::string_view s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
    void line(std::string_view s) {
        text(s);
        endLine();
    }
    void endLine() { text("\r\n"); }
    std::vector<uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

// The six parameter lines ("// Height: 16" ...) the C, text and GFX exports start with.
void WriteParameterLines(TextOut& out, const FontParams& p);

// A line assembled in place before it joins the text: one literal or picture at a time, each a
// copy of a few bytes. `room` must hold the longest line.
class LineBuffer {
public:
    static constexpr std::size_t kWide = 16;

    explicit LineBuffer(std::size_t room) : buffer_(room + kWide) {}

    void put(const char* s, std::size_t n) {
        std::memcpy(buffer_.data() + used_, s, n);
        used_ += n;
    }
    // The first n (at most kWide) of kWide readable bytes: copying a fixed size is one move
    // instead of a call, which counts when the largest font's 1.8 million literals go by.
    void putWide(const char* s, std::size_t n) {
        std::memcpy(buffer_.data() + used_, s, kWide);
        used_ += n;
    }
    void put(std::string_view s) { put(s.data(), s.size()); }
    void put(char c) { buffer_[used_++] = c; }
    // Adds the line, its end included, and starts the next one.
    void endLine(TextOut& out) {
        put("\r\n", 2);
        out.text({buffer_.data(), used_});
        used_ = 0;
    }

private:
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

}  // namespace pixmere
