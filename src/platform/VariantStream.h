#pragma once
// Binary form of Variants and of the frames that carry late-bound calls between a client and an
// application server. Everything is MessagePack inside a small fixed header.
//
// Frame (protocol version 1):
//     offset 0   "ZRVW"                 magic
//     offset 4   1                      protocol version
//     offset 5   frame kind             1 Create, 2 Call, 3 Reply, 4 Release
//     offset 6   0, 0                   reserved
//     offset 8   payload length         unsigned 32 bits, big-endian
//     offset 12  payload                one MessagePack array:
//         Create   [call id, progId]                          -> Reply whose result is the handle
//         Call     [call id, object handle, member, invoke kind (0 method, 1 get, 2 put), [args]]
//         Reply    [call id, ok, result, [[arg index, value written back], ...], error text]
//         Release  [object handle]                            (no reply)
//
// A Variant is a MessagePack array that starts with its kind code (VarType):
//     [0] empty   [1] null   [11, bool]
//     [2|3|16|17|18|19|20, integer]   smallint, integer, shortint, byte, word, longword, int64
//     [4, float32] single   [5, float64] double   [7, float64] date   [6, int64] currency (x10000)
//     [256, str]  byte text (the UTF-8 bytes as they are)
//     [8, bin]    wide text (UTF-16 code units, little-endian; unpaired surrogates survive)
//     [8204, [[low, high]] or [[low0, high0], [low1, high1]], [elements, row-major]]   array
// Automation objects do not cross the connection: encoding a dispatch value raises.
//
// A stored value (EncodeValue) is "ZRVV", the version byte 1, then one Variant.
//
// Decoding never trusts the input: sizes, nesting depth and the number of values are limited,
// every structure is checked, and anything wrong raises VariantStreamError with a clear text.

#include "platform/Automation.h"
#include "platform/Variant.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace zrv {

class VariantStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct StreamLimits {
    size_t maxFrameBytes = 16u << 20; // payload of one frame or stored value
    int maxDepth = 32; // arrays nested in arrays
    size_t maxValues = 1000000; // MessagePack values in one frame or stored value
};

constexpr uint8_t kStreamVersion = 1;
constexpr size_t kFrameHeaderSize = 12;

enum class FrameKind : uint8_t { Create = 1, Call = 2, Reply = 3, Release = 4 };

struct CreateFrame {
    uint32_t callId = 0;
    std::string progId;
};

struct CallFrame {
    uint32_t callId = 0;
    uint32_t object = 0;
    std::string member;
    InvokeKind kind = InvokeKind::Method;
    std::vector<Variant> args;
};

struct ReplyFrame {
    uint32_t callId = 0;
    bool ok = true;
    Variant result;
    std::vector<std::pair<uint32_t, Variant>> written; // by-reference arguments that changed
    std::string error; // when not ok
};

struct ReleaseFrame {
    uint32_t object = 0;
};

using Frame = std::variant<CreateFrame, CallFrame, ReplyFrame, ReleaseFrame>;

struct FrameHeader {
    FrameKind kind = FrameKind::Call;
    uint32_t payloadSize = 0;
};

// A complete frame, header included.
std::string EncodeFrame(const Frame& frame, const StreamLimits& limits = {});
// Reads the fixed header (exactly kFrameHeaderSize bytes): magic, version, kind and a payload
// size within the limits.
FrameHeader ReadFrameHeader(std::string_view header, const StreamLimits& limits = {});
Frame DecodeFramePayload(FrameKind kind, std::string_view payload, const StreamLimits& limits = {});
// A whole frame in one buffer; trailing bytes are an error.
Frame DecodeFrame(std::string_view bytes, const StreamLimits& limits = {});

// A single value with its own small header, for storing.
std::string EncodeValue(const Variant& value, const StreamLimits& limits = {});
Variant DecodeValue(std::string_view bytes, const StreamLimits& limits = {});

} // namespace zrv
