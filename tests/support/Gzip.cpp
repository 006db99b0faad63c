#include "support/Gzip.h"

#include <zlib.h>

#include <stdexcept>

namespace pixmere::test {

std::vector<uint8_t> Gzip(const std::vector<uint8_t>& bytes) {
    z_stream stream{};
    // 16 + window bits: gzip framing.
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2");
    }
    std::vector<uint8_t> out(deflateBound(&stream, bytes.size()) + 32);
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END) throw std::runtime_error("deflate");
    return out;
}

}  // namespace pixmere::test
