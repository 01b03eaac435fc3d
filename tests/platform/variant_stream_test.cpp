#include "platform/VariantStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace zrv;

namespace {

class Nothing : public DispatchObject { };

Variant Nested(int depth)
{
    Variant v = Variant("leaf");
    for (int i = 0; i < depth; ++i)
        v = Variant::ArrayOf({ v });
    return v;
}

// A frame header for a payload of the given size and kind.
std::string Header(uint8_t kind, uint32_t size, uint8_t version = kStreamVersion)
{
    std::string h = "ZRVW";
    h += static_cast<char>(version);
    h += static_cast<char>(kind);
    h += std::string(2, '\0');
    h += static_cast<char>(size >> 24);
    h += static_cast<char>(size >> 16);
    h += static_cast<char>(size >> 8);
    h += static_cast<char>(size);
    return h;
}

std::string WithPayload(uint8_t kind, const std::string& payload)
{
    return Header(kind, static_cast<uint32_t>(payload.size())) + payload;
}

// Raw MessagePack pieces for hand-made payloads.
std::string Bytes(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

} // namespace

TEST(VariantStream, EveryKindRoundTripsWithItsKindAndValue)
{
    std::u16string lone = u"a";
    lone += static_cast<char16_t>(0xD800); // an unpaired surrogate must survive unchanged

    Variant bounded = Variant::Array(-2, 1);
    bounded[-2] = 1;
    bounded[1] = Variant::Wide("末");
    Variant grid = Variant::Array2(0, 1, 3, 5);
    for (int i = 0; i <= 1; ++i)
        for (int j = 3; j <= 5; ++j)
            grid.At(i, j) = Variant(i * 10 + j);
    grid.At(1, 4) = Variant::ArrayOf({ Variant::Null(), Variant::Array(1, 0) });

    const std::vector<Variant> cases {
        Variant(),
        Variant::Null(),
        Variant(true),
        Variant(false),
        Variant::OfType(varSmallint, -32768),
        Variant(std::numeric_limits<int>::min()),
        Variant::OfType(varShortInt, -5),
        Variant::OfType(varByte, 255),
        Variant::OfType(varWord, 65535),
        Variant::OfType(varLongWord, 4294967295LL),
        Variant(std::numeric_limits<int64_t>::max()),
        Variant(std::numeric_limits<int64_t>::min()),
        Variant::Single(1.5f),
        Variant(3.141592653589793),
        Variant(Currency { -123456789 }),
        Variant::FromDate(45418.354340277778),
        Variant(""),
        Variant(std::string("供应商\x03\x04\x05 ") + std::string(1, '\0') + "\xFF"),
        Variant(std::u16string()),
        Variant(lone),
        Variant::Array(0, -1),
        Variant::Array(5, 4),
        bounded,
        grid,
        Variant::Array2(1, 0, 1, 0),
        Nested(20),
    };
    for (const Variant& v : cases) {
        SCOPED_TRACE(v.Debug());
        const Variant back = DecodeValue(EncodeValue(v));
        EXPECT_EQ(back.Type(), v.Type());
        EXPECT_TRUE(back == v);
        if (v.IsArray()) {
            ASSERT_EQ(back.DimCount(), v.DimCount());
            for (int d = 1; d <= v.DimCount(); ++d) {
                EXPECT_EQ(back.LowBound(d), v.LowBound(d));
                EXPECT_EQ(back.HighBound(d), v.HighBound(d));
            }
        }
    }
}

TEST(VariantStream, FramesRoundTrip)
{
    const Variant request = Variant::ArrayOf(
        { Variant::Array(1, 14), Variant::Wide("条件"), Variant::Array2(0, 1, 0, 2) });

    CallFrame call;
    call.callId = 7;
    call.object = 3;
    call.member = "Request";
    call.kind = InvokeKind::PropertyPut;
    call.args = { request, Variant::Wide("HOST-01"), Variant() };
    const auto c = std::get<CallFrame>(DecodeFrame(EncodeFrame(call)));
    EXPECT_EQ(c.callId, 7u);
    EXPECT_EQ(c.object, 3u);
    EXPECT_EQ(c.member, "Request");
    EXPECT_EQ(c.kind, InvokeKind::PropertyPut);
    ASSERT_EQ(c.args.size(), 3u);
    EXPECT_TRUE(c.args[0] == request);
    EXPECT_TRUE(c.args[2].IsEmpty());

    ReplyFrame reply;
    reply.callId = 0xFFFFFFFF;
    reply.ok = false;
    reply.result = Variant("ERROR");
    reply.written = { { 0, Variant::Wide("20240506000001") }, { 2, request } };
    reply.error = "数据库忙";
    const auto r = std::get<ReplyFrame>(DecodeFrame(EncodeFrame(reply)));
    EXPECT_EQ(r.callId, 0xFFFFFFFFu);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.result.ToString(), "ERROR");
    ASSERT_EQ(r.written.size(), 2u);
    EXPECT_EQ(r.written[1].first, 2u);
    EXPECT_TRUE(r.written[1].second == request);
    EXPECT_EQ(r.error, "数据库忙");

    const auto cr = std::get<CreateFrame>(
        DecodeFrame(EncodeFrame(CreateFrame { 1, "ReportCounterS.dmReportCounter" })));
    EXPECT_EQ(cr.progId, "ReportCounterS.dmReportCounter");
    EXPECT_EQ(std::get<ReleaseFrame>(DecodeFrame(EncodeFrame(ReleaseFrame { 9 }))).object, 9u);

    // The header announces exactly the payload that follows.
    const std::string bytes = EncodeFrame(call);
    const FrameHeader h = ReadFrameHeader(std::string_view(bytes).substr(0, kFrameHeaderSize));
    EXPECT_EQ(h.kind, FrameKind::Call);
    EXPECT_EQ(h.payloadSize, bytes.size() - kFrameHeaderSize);
}

TEST(VariantStream, ValuesThatCannotBeSentRaise)
{
    StreamLimits small;
    small.maxDepth = 4;
    small.maxValues = 50;
    small.maxFrameBytes = 64;
    struct Case {
        const char* name;
        Variant value;
    } cases[] = {
        { "object", Variant(std::make_shared<Nothing>()) },
        { "object inside an array", Variant::ArrayOf({ 1, Variant(std::make_shared<Nothing>()) }) },
        { "too deep", Nested(5) },
        { "too many values", Variant::Array(1, 40) },
        { "too many bytes", Variant(std::string(100, 'x')) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(EncodeValue(c.value, small), VariantStreamError);
    }
    EXPECT_NO_THROW(EncodeValue(Nested(4), small));
}

TEST(VariantStream, MalformedInputGivesClearErrors)
{
    const std::string good = EncodeFrame(CallFrame { 1, 1, "Request", InvokeKind::Method, { 1 } });
    std::string badMagic = good;
    badMagic[0] = 'X';
    std::string badVersion = good;
    badVersion[4] = 2;
    std::string badKind = good;
    badKind[5] = 9;
    std::string reserved = good;
    reserved[7] = 1;

    // Hand-made payloads (MessagePack): 0x9N fixarray of N, 0xdd array32, 0x80 fixmap.
    const std::string emptyVariant = Bytes({ 0x91, 0x00 });
    auto call = [&](const std::string& argList) {
        return WithPayload(2, Bytes({ 0x95, 0x01, 0x01, 0xa1, 'M', 0x00 }) + argList);
    };
    std::string deep = Bytes({ 0x91 });
    for (int i = 0; i < 200; ++i)
        deep += Bytes({ 0x93, 0xcd, 0x20, 0x0c, 0x91, 0x92, 0x00, 0x00, 0x91 });

    struct Case {
        const char* name;
        std::string bytes;
        const char* says;
    } cases[] = {
        { "empty", "", "shorter than its header" },
        { "bad magic", badMagic, "not a frame" },
        { "future version", badVersion, "version 2" },
        { "unknown kind", badKind, "unknown frame kind" },
        { "reserved bytes", reserved, "reserved" },
        { "truncated", good.substr(0, good.size() - 1), "does not match" },
        { "trailing bytes", WithPayload(4, Bytes({ 0x91, 0x01, 0x00 })), "unexpected bytes" },
        { "oversized announcement", Header(2, 0xFFFFFFFF), "exceeds the limit" },
        { "payload not an array", WithPayload(4, Bytes({ 0x01 })), "wrong type" },
        { "map", WithPayload(4, Bytes({ 0x81, 0x01, 0x01 })), "maps are not used" },
        { "ext", WithPayload(4, Bytes({ 0xd4, 0x01, 0x01 })), "extension" },
        { "invalid byte", WithPayload(4, Bytes({ 0xc1 })), "invalid MessagePack" },
        { "wrong field count", WithPayload(4, Bytes({ 0x92, 0x01, 0x01 })), "1 expected" },
        { "huge array claim", WithPayload(4, Bytes({ 0xdd, 0xff, 0xff, 0xff, 0xff, 0x01 })),
            "ends too early" },
        { "empty member", WithPayload(2, Bytes({ 0x95, 0x01, 0x01, 0xa0, 0x00, 0x90 })),
            "member name is empty" },
        { "bad invoke kind", WithPayload(2, Bytes({ 0x95, 0x01, 0x01, 0xa1, 'M', 0x07, 0x90 })),
            "invoke kind" },
        { "negative call id", WithPayload(4, Bytes({ 0x91, 0xff })), "out of range" },
        { "untagged argument", call(Bytes({ 0x91, 0x01 })), "not a tagged array" },
        { "unknown value kind", call(Bytes({ 0x91, 0x91, 0x63 })), "unknown value kind 99" },
        { "object value", call(Bytes({ 0x91, 0x92, 0x09, 0x00 })), "automation object" },
        { "null with data", call(Bytes({ 0x91, 0x92, 0x01, 0x00 })), "carries data" },
        { "byte out of range", call(Bytes({ 0x91, 0x92, 0x11, 0xcd, 0x01, 0x00 })),
            "out of range" },
        { "odd wide text", call(Bytes({ 0x91, 0x92, 0x08, 0xc4, 0x01, 'a' })), "odd number" },
        { "text as number", call(Bytes({ 0x91, 0x92, 0x05, 0xa1, '1' })), "floating-point" },
        { "reversed bounds",
            call(Bytes({ 0x91, 0x93, 0xcd, 0x20, 0x0c, 0x91, 0x92, 0x05, 0x02, 0x90 })),
            "below its low" },
        { "three dimensions",
            call(Bytes({ 0x91, 0x93, 0xcd, 0x20, 0x0c, 0x93, 0x92, 0, 0, 0x92, 0, 0, 0x92, 0, 0,
                     0x91 })
                + emptyVariant),
            "one or two dimensions" },
        { "count mismatch",
            call(Bytes({ 0x91, 0x93, 0xcd, 0x20, 0x0c, 0x91, 0x92, 0x00, 0x01 }) + Bytes({ 0x91 })
                + emptyVariant),
            "bounds call for 2" },
        { "bounds beyond every limit",
            call(Bytes({ 0x91, 0x93, 0xcd, 0x20, 0x0c, 0x91, 0x92, 0xd2, 0x80, 0, 0, 1, 0xce, 0x7f,
                0xff, 0xff, 0xff, 0x90 })),
            "too many elements" },
        { "nested too deeply", WithPayload(2, Bytes({ 0x95, 0x01, 0x01, 0xa1, 'M', 0x00 }) + deep),
            "nested" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            DecodeFrame(c.bytes);
            ADD_FAILURE() << "accepted";
        } catch (const VariantStreamError& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }

    EXPECT_THROW(DecodeValue("ZRVV\x01"), VariantStreamError);
    EXPECT_THROW(DecodeValue("ZRVW\x01\x91\x00"), VariantStreamError);
}

TEST(VariantStream, DecodingRespectsTheLimitsItIsGiven)
{
    StreamLimits small;
    small.maxValues = 100;
    small.maxDepth = 3;
    EXPECT_THROW(DecodeValue(EncodeValue(Variant::Array(1, 200)), small), VariantStreamError);
    EXPECT_THROW(DecodeValue(EncodeValue(Nested(4)), small), VariantStreamError);
    EXPECT_NO_THROW(DecodeValue(EncodeValue(Nested(3)), small));
    small.maxFrameBytes = 10;
    EXPECT_THROW(ReadFrameHeader(Header(3, 11), small), VariantStreamError);
}
