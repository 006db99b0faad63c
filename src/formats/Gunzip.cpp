#include "formats/Gunzip.h"

#include <zlib.h>

#include <limits>
#include <memory>

#include "formats/FileIO.h"
#include "model/UserError.h"

namespace pixmere {

bool IsGzip(std::span<const uint8_t> file) {
    return file.size() >= 2 && file[0] == 0x1F && file[1] == 0x8B;
}

namespace {

[[noreturn]] void Refuse() { RefuseBadFile("damaged compressed data"); }

[[noreturn]] void RefuseLarger(uint64_t largest) {
    RefuseBadFile("larger than " + SizeText(largest) + " uncompressed");
}

struct InflateEnd {
    void operator()(z_stream* stream) const { inflateEnd(stream); }
};

}  // namespace

std::vector<uint8_t> Gunzip(std::span<const uint8_t> file, uint64_t largest) {
    if (file.size() > std::numeric_limits<uInt>::max()) Refuse();
    z_stream stream{};
    // 16 + window bits: gzip framing only.
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) Refuse();
    const std::unique_ptr<z_stream, InflateEnd> ending(&stream);
    stream.next_in = const_cast<Bytef*>(file.data());
    stream.avail_in = static_cast<uInt>(file.size());
    std::vector<uint8_t> out;
    uint8_t chunk[16384];
    for (;;) {
        stream.next_out = chunk;
        stream.avail_out = sizeof chunk;
        // A file cut off inside a member ends in Z_BUF_ERROR: no progress without more input.
        const int status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END) Refuse();
        const std::size_t produced = sizeof chunk - stream.avail_out;
        if (out.size() + produced > largest) RefuseLarger(largest);
        out.insert(out.end(), chunk, chunk + produced);
        if (status == Z_STREAM_END) {
            if (stream.avail_in == 0) return out;
            // Another member follows.
            if (inflateReset(&stream) != Z_OK) Refuse();
        }
    }
}

std::span<const uint8_t> Uncompressed(std::span<const uint8_t> file, uint64_t largest,
                                      std::vector<uint8_t>& inflated) {
    if (file.size() > largest) RefuseBadFile("larger than " + SizeText(largest));
    if (!IsGzip(file)) return file;
    inflated = Gunzip(file, largest);
    return inflated;
}

}  // namespace pixmere
