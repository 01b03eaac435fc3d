#include "platform/VariantStream.h"

#include <msgpack.hpp>

#include <cstring>
#include <limits>

namespace zrv {

namespace {

    constexpr char kFrameMagic[4] = { 'Z', 'R', 'V', 'W' };
    constexpr char kValueMagic[4] = { 'Z', 'R', 'V', 'V' };
    constexpr uint16_t kArrayKind = varVariant | varArray;

    [[noreturn]] void Fail(const std::string& what)
    {
        throw VariantStreamError("Malformed data stream: " + what);
    }

    // ---- writing ------------------------------------------------------------------------------

    class Writer {
    public:
        explicit Writer(const StreamLimits& limits)
            : limits_(limits)
            , packer_(buffer_)
        {
        }

        msgpack::packer<msgpack::sbuffer>& Packer() { return packer_; }

        void Count(size_t n = 1)
        {
            values_ += n;
            if (values_ > limits_.maxValues)
                throw VariantStreamError("Data stream limit: more than "
                    + std::to_string(limits_.maxValues) + " values in one message");
        }

        void Kind(uint16_t kind, uint32_t fields)
        {
            Count(2);
            packer_.pack_array(fields + 1);
            packer_.pack_uint16(kind);
        }

        void Text(std::string_view text)
        {
            Count();
            packer_.pack_str(static_cast<uint32_t>(text.size()));
            packer_.pack_str_body(text.data(), static_cast<uint32_t>(text.size()));
        }

        void Value(const Variant& v, int depth)
        {
            const VarType t = v.Type();
            switch (t) {
            case varEmpty:
            case varNull:
                Kind(t, 0);
                return;
            case varBoolean:
                Kind(t, 1);
                v.ToBool() ? packer_.pack_true() : packer_.pack_false();
                return;
            case varSmallint:
            case varInteger:
            case varShortInt:
            case varByte:
            case varWord:
            case varLongWord:
            case varInt64:
                Kind(t, 1);
                packer_.pack_int64(v.ToInt64());
                return;
            case varSingle:
                Kind(t, 1);
                packer_.pack_float(static_cast<float>(v.ToDouble()));
                return;
            case varDouble:
                Kind(t, 1);
                packer_.pack_double(v.ToDouble());
                return;
            case varDate:
                Kind(t, 1);
                packer_.pack_double(v.AsDate());
                return;
            case varCurrency:
                Kind(t, 1);
                packer_.pack_int64(v.ToCurrency().scaled);
                return;
            case varString:
                Kind(t, 1);
                packer_.pack_str(static_cast<uint32_t>(v.AsByteText().size()));
                packer_.pack_str_body(
                    v.AsByteText().data(), static_cast<uint32_t>(v.AsByteText().size()));
                return;
            case varOleStr: {
                Kind(t, 1);
                const std::u16string& w = v.AsWideText();
                std::string bytes(w.size() * 2, '\0');
                for (size_t i = 0; i < w.size(); ++i) {
                    bytes[2 * i] = static_cast<char>(w[i] & 0xFF);
                    bytes[2 * i + 1] = static_cast<char>(w[i] >> 8);
                }
                packer_.pack_bin(static_cast<uint32_t>(bytes.size()));
                packer_.pack_bin_body(bytes.data(), static_cast<uint32_t>(bytes.size()));
                return;
            }
            case varDispatch:
                throw VariantStreamError("An automation object cannot be sent over the connection");
            default:
                break;
            }
            if (!v.IsArray())
                throw VariantStreamError(
                    "Variant kind " + std::to_string(static_cast<int>(t)) + " cannot be sent");
            if (depth >= limits_.maxDepth)
                throw VariantStreamError("Data stream limit: arrays nested more than "
                    + std::to_string(limits_.maxDepth) + " deep");
            Kind(kArrayKind, 2);
            const int dims = v.DimCount();
            Count(1 + 3 * static_cast<size_t>(dims));
            packer_.pack_array(static_cast<uint32_t>(dims));
            for (int d = 1; d <= dims; ++d) {
                packer_.pack_array(2);
                packer_.pack_int32(v.LowBound(d));
                packer_.pack_int32(v.HighBound(d));
            }
            const auto& items = v.Items();
            Count();
            packer_.pack_array(static_cast<uint32_t>(items.size()));
            for (const Variant& item : items)
                Value(item, depth + 1);
        }

        std::string Take()
        {
            if (buffer_.size() > limits_.maxFrameBytes)
                throw VariantStreamError("Data stream limit: message of "
                    + std::to_string(buffer_.size()) + " bytes exceeds "
                    + std::to_string(limits_.maxFrameBytes));
            return std::string(buffer_.data(), buffer_.size());
        }

    private:
        const StreamLimits& limits_;
        msgpack::sbuffer buffer_;
        msgpack::packer<msgpack::sbuffer> packer_;
        size_t values_ = 0;
    };

    void WriteFrameBody(Writer& w, const CreateFrame& f)
    {
        w.Count(3);
        w.Packer().pack_array(2);
        w.Packer().pack_uint32(f.callId);
        w.Text(f.progId);
    }

    void WriteFrameBody(Writer& w, const CallFrame& f)
    {
        w.Count(5);
        auto& p = w.Packer();
        p.pack_array(5);
        p.pack_uint32(f.callId);
        p.pack_uint32(f.object);
        w.Text(f.member);
        p.pack_uint8(static_cast<uint8_t>(f.kind));
        p.pack_array(static_cast<uint32_t>(f.args.size()));
        for (const Variant& a : f.args)
            w.Value(a, 0);
    }

    void WriteFrameBody(Writer& w, const ReplyFrame& f)
    {
        w.Count(5);
        auto& p = w.Packer();
        p.pack_array(5);
        p.pack_uint32(f.callId);
        f.ok ? p.pack_true() : p.pack_false();
        w.Value(f.result, 0);
        p.pack_array(static_cast<uint32_t>(f.written.size()));
        for (const auto& [index, value] : f.written) {
            w.Count(2);
            p.pack_array(2);
            p.pack_uint32(index);
            w.Value(value, 0);
        }
        w.Text(f.error);
    }

    void WriteFrameBody(Writer& w, const ReleaseFrame& f)
    {
        w.Count(2);
        w.Packer().pack_array(1);
        w.Packer().pack_uint32(f.object);
    }

    FrameKind KindOf(const Frame& frame)
    {
        switch (frame.index()) {
        case 0:
            return FrameKind::Create;
        case 1:
            return FrameKind::Call;
        case 2:
            return FrameKind::Reply;
        default:
            return FrameKind::Release;
        }
    }

    // ---- reading ------------------------------------------------------------------------------

    // A parsed MessagePack value. Texts point into the input, which outlives the tree.
    struct Node {
        enum Kind : uint8_t { Nil, Bool, UInt, Int, Float32, Float64, Str, Bin, Array };
        Kind kind = Nil;
        bool flag = false;
        union {
            uint64_t u;
            int64_t i;
            double d;
        } num { 0 };
        std::string_view bytes;
        std::vector<Node> items;
    };

    // Builds the tree without trusting any announced size: arrays grow only by the elements that
    // are actually present, so a header claiming four billion elements costs nothing.
    class TreeBuilder : public msgpack::null_visitor {
    public:
        TreeBuilder(const StreamLimits& limits, size_t maxNesting)
            : limits_(limits)
            , maxNesting_(maxNesting)
        {
        }

        bool visit_nil() { return Add(Node {}); }
        bool visit_boolean(bool v)
        {
            Node n;
            n.kind = Node::Bool;
            n.flag = v;
            return Add(std::move(n));
        }
        bool visit_positive_integer(uint64_t v)
        {
            Node n;
            n.kind = Node::UInt;
            n.num.u = v;
            return Add(std::move(n));
        }
        bool visit_negative_integer(int64_t v)
        {
            Node n;
            n.kind = Node::Int;
            n.num.i = v;
            return Add(std::move(n));
        }
        bool visit_float32(float v)
        {
            Node n;
            n.kind = Node::Float32;
            n.num.d = v;
            return Add(std::move(n));
        }
        bool visit_float64(double v)
        {
            Node n;
            n.kind = Node::Float64;
            n.num.d = v;
            return Add(std::move(n));
        }
        bool visit_str(const char* v, uint32_t size)
        {
            Node n;
            n.kind = Node::Str;
            n.bytes = std::string_view(v, size);
            return Add(std::move(n));
        }
        bool visit_bin(const char* v, uint32_t size)
        {
            Node n;
            n.kind = Node::Bin;
            n.bytes = std::string_view(v, size);
            return Add(std::move(n));
        }
        bool visit_ext(const char*, uint32_t) { return Refuse("extension values are not used"); }
        bool start_map(uint32_t) { return Refuse("maps are not used"); }
        bool start_array(uint32_t)
        {
            if (open_.size() >= maxNesting_)
                return Refuse("arrays nested too deeply");
            Node n;
            n.kind = Node::Array;
            if (!Add(std::move(n)))
                return false;
            open_.push_back(last_);
            return true;
        }
        bool end_array()
        {
            open_.pop_back();
            return true;
        }
        void parse_error(size_t, size_t) { Refuse("invalid MessagePack data"); }
        void insufficient_bytes(size_t, size_t) { Refuse("the data ends too early"); }

        Node& Root() { return root_; }
        const std::string& Error() const { return error_; }

    private:
        bool Add(Node n)
        {
            if (++values_ > limits_.maxValues)
                return Refuse("more than " + std::to_string(limits_.maxValues) + " values");
            if (open_.empty()) {
                root_ = std::move(n);
                last_ = &root_;
            } else {
                open_.back()->items.push_back(std::move(n));
                last_ = &open_.back()->items.back();
            }
            return true;
        }

        bool Refuse(const std::string& why)
        {
            if (error_.empty())
                error_ = why;
            return false;
        }

        const StreamLimits& limits_;
        size_t maxNesting_;
        size_t values_ = 0;
        Node root_;
        Node* last_ = nullptr;
        std::vector<Node*> open_;
        std::string error_;
    };

    Node Parse(std::string_view bytes, const StreamLimits& limits)
    {
        if (bytes.size() > limits.maxFrameBytes)
            Fail("message of " + std::to_string(bytes.size()) + " bytes exceeds the limit");
        if (bytes.empty())
            Fail("the message is empty");
        // Each Variant array costs two levels (the value and its element list), plus the frame's
        // own structure around the values.
        TreeBuilder builder(limits, 2 * static_cast<size_t>(std::max(limits.maxDepth, 0)) + 6);
        size_t offset = 0;
        bool ok = false;
        try {
            ok = msgpack::parse(bytes.data(), bytes.size(), offset, builder);
        } catch (const std::exception& e) {
            Fail(e.what());
        }
        if (!ok)
            Fail(builder.Error().empty() ? "invalid MessagePack data" : builder.Error());
        if (offset != bytes.size())
            Fail(std::to_string(bytes.size() - offset) + " unexpected bytes after the message");
        return std::move(builder.Root());
    }

    const Node& Expect(const Node& n, Node::Kind kind, const char* what)
    {
        if (n.kind != kind)
            Fail(std::string(what) + " has the wrong type");
        return n;
    }

    const std::vector<Node>& Fields(const Node& n, size_t count, const char* what)
    {
        Expect(n, Node::Array, what);
        if (n.items.size() != count)
            Fail(std::string(what) + " has " + std::to_string(n.items.size()) + " fields, "
                + std::to_string(count) + " expected");
        return n.items;
    }

    int64_t Integer(const Node& n, int64_t low, int64_t high, const char* what)
    {
        int64_t v = 0;
        if (n.kind == Node::UInt) {
            if (n.num.u > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()))
                Fail(std::string(what) + " is out of range");
            v = static_cast<int64_t>(n.num.u);
        } else if (n.kind == Node::Int) {
            v = n.num.i;
        } else {
            Fail(std::string(what) + " is not an integer");
        }
        if (v < low || v > high)
            Fail(std::string(what) + " is out of range");
        return v;
    }

    uint32_t Unsigned32(const Node& n, const char* what)
    {
        return static_cast<uint32_t>(Integer(n, 0, std::numeric_limits<uint32_t>::max(), what));
    }

    double Floating(const Node& n, const char* what)
    {
        if (n.kind != Node::Float32 && n.kind != Node::Float64)
            Fail(std::string(what) + " is not a floating-point number");
        return n.num.d;
    }

    std::string Text(const Node& n, const char* what)
    {
        Expect(n, Node::Str, what);
        return std::string(n.bytes);
    }

    Variant ToVariant(const Node& n, int depth, const StreamLimits& limits)
    {
        if (n.kind != Node::Array || n.items.empty())
            Fail("a value is not a tagged array");
        const auto& f = n.items;
        const int64_t kind = Integer(f[0], 0, 0xFFFF, "a value kind");
        auto one = [&](const char* what) -> const Node& {
            if (f.size() != 2)
                Fail(std::string(what) + " value has " + std::to_string(f.size() - 1)
                    + " fields, 1 expected");
            return f[1];
        };
        switch (kind) {
        case varEmpty:
        case varNull:
            if (f.size() != 1)
                Fail("an empty or null value carries data");
            return kind == varEmpty ? Variant() : Variant::Null();
        case varBoolean: {
            const Node& b = one("a boolean");
            return Variant(Expect(b, Node::Bool, "a boolean").flag);
        }
        case varSmallint:
            return Variant::OfType(
                varSmallint, Integer(one("a smallint"), -32768, 32767, "a smallint"));
        case varInteger:
            return Variant(
                static_cast<int>(Integer(one("an integer"), std::numeric_limits<int32_t>::min(),
                    std::numeric_limits<int32_t>::max(), "an integer")));
        case varShortInt:
            return Variant::OfType(
                varShortInt, Integer(one("a shortint"), -128, 127, "a shortint"));
        case varByte:
            return Variant::OfType(varByte, Integer(one("a byte"), 0, 255, "a byte"));
        case varWord:
            return Variant::OfType(varWord, Integer(one("a word"), 0, 65535, "a word"));
        case varLongWord:
            return Variant::OfType(
                varLongWord, Integer(one("a longword"), 0, 0xFFFFFFFFLL, "a longword"));
        case varInt64:
            return Variant(Integer(one("an int64"), std::numeric_limits<int64_t>::min(),
                std::numeric_limits<int64_t>::max(), "an int64"));
        case varSingle:
            return Variant::Single(static_cast<float>(Floating(one("a single"), "a single")));
        case varDouble:
            return Variant(Floating(one("a double"), "a double"));
        case varDate:
            return Variant::FromDate(Floating(one("a date"), "a date"));
        case varCurrency:
            return Variant(
                Currency { Integer(one("a currency"), std::numeric_limits<int64_t>::min(),
                    std::numeric_limits<int64_t>::max(), "a currency") });
        case varString:
            return Variant(Text(one("a byte text"), "a byte text"));
        case varOleStr: {
            const Node& b = Expect(one("a wide text"), Node::Bin, "a wide text");
            if (b.bytes.size() % 2)
                Fail("a wide text has an odd number of bytes");
            std::u16string w(b.bytes.size() / 2, u'\0');
            for (size_t i = 0; i < w.size(); ++i)
                w[i] = static_cast<char16_t>(static_cast<unsigned char>(b.bytes[2 * i])
                    | static_cast<unsigned char>(b.bytes[2 * i + 1]) << 8);
            return Variant(std::move(w));
        }
        case varDispatch:
            Fail("an automation object cannot be received over the connection");
        case kArrayKind:
            break;
        default:
            Fail("unknown value kind " + std::to_string(kind));
        }

        if (f.size() != 3)
            Fail("an array value must have bounds and elements");
        if (depth >= limits.maxDepth)
            Fail("arrays nested more than " + std::to_string(limits.maxDepth) + " deep");
        const Node& boundsNode = Expect(f[1], Node::Array, "array bounds");
        if (boundsNode.items.empty() || boundsNode.items.size() > 2)
            Fail("an array must have one or two dimensions");
        VarArrayBound bounds[2];
        uint64_t total = 1;
        for (size_t d = 0; d < boundsNode.items.size(); ++d) {
            const auto& pair = Fields(boundsNode.items[d], 2, "an array bound");
            // The lowest int is left out so that "low - 1" stays representable.
            const int64_t low = Integer(pair[0], std::numeric_limits<int32_t>::min() + 1LL,
                std::numeric_limits<int32_t>::max(), "an array bound");
            const int64_t high = Integer(pair[1], std::numeric_limits<int32_t>::min(),
                std::numeric_limits<int32_t>::max(), "an array bound");
            if (high < low - 1)
                Fail("an array's high bound lies below its low bound");
            const uint64_t count = static_cast<uint64_t>(high - low + 1);
            if (count > limits.maxValues)
                Fail("an array has too many elements");
            total *= count;
            if (total > limits.maxValues)
                Fail("an array has too many elements");
            bounds[d] = { static_cast<int>(low), static_cast<int>(high) };
        }
        const Node& elements = Expect(f[2], Node::Array, "array elements");
        if (elements.items.size() != total)
            Fail("an array has " + std::to_string(elements.items.size())
                + " elements where its bounds call for " + std::to_string(total));
        Variant v = boundsNode.items.size() == 1
            ? Variant::Array(bounds[0].low, bounds[0].high)
            : Variant::Array2(bounds[0].low, bounds[0].high, bounds[1].low, bounds[1].high);
        auto& items = v.Items();
        for (size_t i = 0; i < total; ++i)
            items[i] = ToVariant(elements.items[i], depth + 1, limits);
        return v;
    }

    void CheckPrefix(std::string_view bytes, const char (&magic)[4], const char* what)
    {
        if (bytes.size() < 5 || std::memcmp(bytes.data(), magic, 4) != 0)
            Fail(std::string("not a ") + what);
        if (static_cast<uint8_t>(bytes[4]) != kStreamVersion)
            Fail(std::string(what) + " of version " + std::to_string(static_cast<uint8_t>(bytes[4]))
                + " (this program reads version " + std::to_string(kStreamVersion) + ")");
    }

} // namespace

std::string EncodeFrame(const Frame& frame, const StreamLimits& limits)
{
    Writer w(limits);
    std::visit([&](const auto& f) { WriteFrameBody(w, f); }, frame);
    const std::string payload = w.Take();
    std::string out(kFrameHeaderSize, '\0');
    std::memcpy(out.data(), kFrameMagic, 4);
    out[4] = static_cast<char>(kStreamVersion);
    out[5] = static_cast<char>(KindOf(frame));
    const auto size = static_cast<uint32_t>(payload.size());
    out[8] = static_cast<char>(size >> 24);
    out[9] = static_cast<char>(size >> 16);
    out[10] = static_cast<char>(size >> 8);
    out[11] = static_cast<char>(size);
    return out + payload;
}

FrameHeader ReadFrameHeader(std::string_view header, const StreamLimits& limits)
{
    if (header.size() != kFrameHeaderSize)
        Fail("a frame header must be " + std::to_string(kFrameHeaderSize) + " bytes");
    CheckPrefix(header, kFrameMagic, "frame");
    const uint8_t kind = static_cast<uint8_t>(header[5]);
    if (kind < 1 || kind > 4)
        Fail("unknown frame kind " + std::to_string(kind));
    if (header[6] != 0 || header[7] != 0)
        Fail("reserved header bytes are not zero");
    const auto b = [&](int i) { return static_cast<uint32_t>(static_cast<uint8_t>(header[i])); };
    FrameHeader h;
    h.kind = static_cast<FrameKind>(kind);
    h.payloadSize = b(8) << 24 | b(9) << 16 | b(10) << 8 | b(11);
    if (h.payloadSize > limits.maxFrameBytes)
        Fail("a frame of " + std::to_string(h.payloadSize) + " bytes exceeds the limit of "
            + std::to_string(limits.maxFrameBytes));
    return h;
}

Frame DecodeFramePayload(FrameKind kind, std::string_view payload, const StreamLimits& limits)
{
    const Node root = Parse(payload, limits);
    switch (kind) {
    case FrameKind::Create: {
        const auto& f = Fields(root, 2, "a create frame");
        CreateFrame c;
        c.callId = Unsigned32(f[0], "the call id");
        c.progId = Text(f[1], "the class name");
        if (c.progId.empty())
            Fail("the class name is empty");
        return c;
    }
    case FrameKind::Call: {
        const auto& f = Fields(root, 5, "a call frame");
        CallFrame c;
        c.callId = Unsigned32(f[0], "the call id");
        c.object = Unsigned32(f[1], "the object handle");
        c.member = Text(f[2], "the member name");
        if (c.member.empty())
            Fail("the member name is empty");
        c.kind = static_cast<InvokeKind>(Integer(f[3], 0, 2, "the invoke kind"));
        const Node& args = Expect(f[4], Node::Array, "the argument list");
        c.args.reserve(args.items.size());
        for (const Node& a : args.items)
            c.args.push_back(ToVariant(a, 0, limits));
        return c;
    }
    case FrameKind::Reply: {
        const auto& f = Fields(root, 5, "a reply frame");
        ReplyFrame r;
        r.callId = Unsigned32(f[0], "the call id");
        r.ok = Expect(f[1], Node::Bool, "the success flag").flag;
        r.result = ToVariant(f[2], 0, limits);
        const Node& written = Expect(f[3], Node::Array, "the written arguments");
        for (const Node& w : written.items) {
            const auto& pair = Fields(w, 2, "a written argument");
            r.written.emplace_back(
                Unsigned32(pair[0], "an argument index"), ToVariant(pair[1], 0, limits));
        }
        r.error = Text(f[4], "the error text");
        return r;
    }
    case FrameKind::Release: {
        const auto& f = Fields(root, 1, "a release frame");
        return ReleaseFrame { Unsigned32(f[0], "the object handle") };
    }
    }
    Fail("unknown frame kind");
}

Frame DecodeFrame(std::string_view bytes, const StreamLimits& limits)
{
    if (bytes.size() < kFrameHeaderSize)
        Fail("a frame is shorter than its header");
    const FrameHeader h = ReadFrameHeader(bytes.substr(0, kFrameHeaderSize), limits);
    if (bytes.size() - kFrameHeaderSize != h.payloadSize)
        Fail("the frame's length does not match its header");
    return DecodeFramePayload(h.kind, bytes.substr(kFrameHeaderSize), limits);
}

std::string EncodeValue(const Variant& value, const StreamLimits& limits)
{
    Writer w(limits);
    w.Value(value, 0);
    std::string out(kValueMagic, 4);
    out += static_cast<char>(kStreamVersion);
    return out + w.Take();
}

Variant DecodeValue(std::string_view bytes, const StreamLimits& limits)
{
    CheckPrefix(bytes, kValueMagic, "stored value");
    return ToVariant(Parse(bytes.substr(5), limits), 0, limits);
}

} // namespace zrv
