// Feeds arbitrary bytes to the frame and value readers. Whatever they accept must encode again,
// and encoding is stable: encode(decode(encode(x))) == encode(x).
#include "platform/VariantStream.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace zrv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    StreamLimits limits;
    limits.maxFrameBytes = 1 << 20;

    try {
        const Frame frame = DecodeFrame(bytes, limits);
        const std::string once = EncodeFrame(frame, limits);
        const std::string twice = EncodeFrame(DecodeFrame(once, limits), limits);
        if (once != twice)
            std::abort();
    } catch (const VariantStreamError&) {
    }

    // The same bytes as a stored value, with the value header in front.
    try {
        const std::string stored = "ZRVV\x01" + std::string(bytes);
        const Variant v = DecodeValue(stored, limits);
        const std::string once = EncodeValue(v, limits);
        if (EncodeValue(DecodeValue(once, limits), limits) != once)
            std::abort();
    } catch (const VariantStreamError&) {
    }
    return 0;
}
