#include "CallWebService/CallWebService.h"
#include "HttpTestServer.h"
#include "lib/WebService.h"
#include "lib/XmlHelpers.h"
#include "platform/CodePage.h"
#include "platform/Library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace zrv;
namespace fs = std::filesystem;

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The library as the module reaches it: loaded by name, entry points by name.
class CallWebServiceLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        library_ = Library::Load("CallWebService.dll");
        ASSERT_NE(library_, nullptr);
        call_ = library_->Function<decltype(&CallWebServiceFx)>("CallWebServiceFx");
        text_
            = library_->Function<decltype(&CallWebServiceFxErrorText)>("CallWebServiceFxErrorText");
        ASSERT_TRUE(call_ && text_);
        char pattern[] = "/tmp/kv_cws_XXXXXX";
        dir_ = mkdtemp(pattern);
        answer_ = dir_ + "/answer.tmp";
    }
    void TearDown() override { fs::remove_all(dir_); }

    int Call(const std::string& endpoint, const std::string& method, const std::string& request)
    {
        return call_(endpoint.c_str(), method.c_str(), request.c_str(), answer_.c_str());
    }

    std::unique_ptr<Library> library_;
    decltype(&CallWebServiceFx) call_ = nullptr;
    decltype(&CallWebServiceFxErrorText) text_ = nullptr;
    std::string dir_, answer_;
    HttpTestServer server_;
};

} // namespace

TEST_F(CallWebServiceLibrary, PostsTheRequestAndWritesTheAnswer)
{
    const std::string request = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Request>"
                                "<Organization name=\"总公司\"/></Request>";
    const std::string reply = "<Reply>\r\n<Status code=\"0\"/>\r\n<Name>王五</Name></Reply>";
    server_.SetReply({ 200, reply });
    ASSERT_EQ(Call(server_.Url("/portal/ws"), "PORTAL.getAllUser", request), 0);
    EXPECT_EQ(ReadFile(answer_), reply); // byte for byte

    auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].target, "/portal/ws");
    EXPECT_EQ(requests[0].headers["soapaction"], "\"PORTAL.getAllUser\"");
    EXPECT_EQ(requests[0].headers["content-type"], "text/xml; charset=utf-8");
    EXPECT_EQ(requests[0].body, request);
}

TEST_F(CallWebServiceLibrary, StatusDecidesTheResult)
{
    struct Case {
        int status;
        int result;
    };
    const Case cases[] = { { 200, 0 }, { 201, 0 }, { 204, 0 }, { 302, 302 }, { 404, 404 },
        { 500, 500 }, { 503, 503 } };
    for (const auto& c : cases) {
        const std::string body
            = c.status == 204 ? "" : "<Fault>" + std::to_string(c.status) + "</Fault>";
        server_.SetReply({ c.status, body });
        EXPECT_EQ(Call(server_.Url(), "m", "<a/>"), c.result) << c.status;
        EXPECT_EQ(ReadFile(answer_), body) << c.status; // an error page is kept for the caller
    }
    EXPECT_NE(std::string(text_(404)).find("404"), std::string::npos);
    EXPECT_NE(std::string(text_(500)).find("server error"), std::string::npos);
}

TEST_F(CallWebServiceLibrary, TransportAndArgumentFailures)
{
    // Refused, hung up, not HTTP.
    const int refused = Call(
        "http://127.0.0.1:" + std::to_string(HttpTestServer::ClosedPort()) + "/", "m", "<a/>");
    EXPECT_LE(refused, -1000);
    EXPECT_STRNE(text_(refused), "");
    server_.SetReply({ 200, "", true });
    EXPECT_LE(Call(server_.Url(), "m", "<a/>"), -1000);
    // Only HTTP: an address must never make the library read a local file.
    EXPECT_LE(Call("file:///proc/self/cmdline", "m", "<a/>"), -1000);
    EXPECT_EQ(ReadFile(answer_), "");

    server_.SetReply({ 200, "<ok/>" });
    const size_t received = server_.Requests().size();
    EXPECT_EQ(call_(nullptr, "m", "<a/>", answer_.c_str()), -1);
    EXPECT_EQ(call_("", "m", "<a/>", answer_.c_str()), -1);
    EXPECT_EQ(call_(server_.Url().c_str(), nullptr, "<a/>", answer_.c_str()), -1);
    EXPECT_EQ(call_(server_.Url().c_str(), "m", nullptr, answer_.c_str()), -1);
    EXPECT_EQ(call_(server_.Url().c_str(), "m", "<a/>", nullptr), -1);
    // A method name must not smuggle in headers.
    EXPECT_EQ(Call(server_.Url(), "m\r\nX-Injected: 1", "<a/>"), -1);
    EXPECT_EQ(server_.Requests().size(), received);

    // An answer file that cannot be written, or that is a link to somewhere else.
    EXPECT_EQ(
        call_(server_.Url().c_str(), "m", "<a/>", (dir_ + "/missing/answer.tmp").c_str()), -2);
    const std::string target = dir_ + "/target";
    std::ofstream(target) << "untouched";
    fs::remove(answer_);
    fs::create_symlink(target, answer_);
    EXPECT_EQ(Call(server_.Url(), "m", "<a/>"), -2);
    EXPECT_EQ(ReadFile(target), "untouched");
}

// The module's caller, end to end: temporary answer file, line handling, errors, clean-up.
class WebServiceRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kv_wsrt_XXXXXX";
        tmp_ = mkdtemp(pattern);
        setenv("TMPDIR", tmp_.c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("TMPDIR");
        fs::remove_all(tmp_);
    }
    bool TempFolderEmpty() const { return fs::is_empty(tmp_); }

    std::string tmp_;
    HttpTestServer server_;
};

TEST_F(WebServiceRoundTrip, PortalStyleExchange)
{
    server_.SetReply({ 200,
        "<Reply><Status code=\"0\" Description=\"\"/>\r\n"
        "<Record><Field name=\"Id\" value=\"p01\"/><Field name=\"Name\" "
        "value=\"陈&stdd;\"/></Record>\r\n"
        "</Reply>" });
    XmlDocument request = NewXmlDocument();
    SetAttr(FindOrAddChild(FindOrAddChild(request.Node(), "Request", true), "Access", true), "user",
        "张三");

    std::string answer = CallWebService(server_.Url(), "PORTAL.getAllUser", request.Xml());
    EXPECT_EQ(answer,
        "<Reply><Status code=\"0\" Description=\"\"/>\n"
        "<Record><Field name=\"Id\" value=\"p01\"/><Field name=\"Name\" "
        "value=\"陈&stdd;\"/></Record>\n"
        "</Reply>\n");
    EXPECT_TRUE(TempFolderEmpty());
    ASSERT_EQ(server_.Requests().size(), 1u);
    EXPECT_EQ(server_.Requests()[0].body, request.Xml());

    // The reply has no prolog: the standard header lets "&stdd;" through.
    XmlDocument reply = LoadXmlTextWithHeader(answer);
    xmlNodePtr record = SelectSingleNode(reply.Node(), "//Record");
    EXPECT_EQ(GetAttr(SelectSingleNode(record, "Field[@name='Name']"), "value"), "陈&stdd;");
}

TEST_F(WebServiceRoundTrip, FailuresRaiseWithWhatCameBack)
{
    server_.SetReply({ 500, "<Fault>boom</Fault>" });
    try {
        CallWebService(server_.Url(), "m", "<a/>");
        ADD_FAILURE() << "no error raised";
    } catch (const WebServiceError& e) {
        EXPECT_EQ(e.Code(), 500);
        EXPECT_EQ(e.Answer(), "<Fault>boom</Fault>\n");
        EXPECT_NE(std::string(e.what()).find("500"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(TempFolderEmpty());

    try {
        CallWebService(
            "http://127.0.0.1:" + std::to_string(HttpTestServer::ClosedPort()) + "/", "m", "<a/>");
        ADD_FAILURE() << "no error raised";
    } catch (const WebServiceError& e) {
        EXPECT_LE(e.Code(), -1000);
        EXPECT_EQ(e.Answer(), "");
    }
    EXPECT_TRUE(TempFolderEmpty());

    // No temporary folder to write the answer into.
    setenv("TMPDIR", (tmp_ + "/gone").c_str(), 1);
    server_.SetReply({ 200, "<ok/>" });
    EXPECT_THROW(CallWebService(server_.Url(), "m", "<a/>"), WebServiceError);
}

TEST_F(WebServiceRoundTrip, EmptyAnswerAndLegacyBytes)
{
    server_.SetReply({ 200, "" });
    EXPECT_EQ(CallWebService(server_.Url(), "m", "<a/>"), "");
    // A service that answers in GBK: read as the system code page when it is not UTF-8.
    OverrideSystemCodePage(cpGB);
    server_.SetReply({ 200, std::string("<a>\xD6\xD0\xCE\xC4</a>") });
    EXPECT_EQ(CallWebService(server_.Url(), "m", "<a/>"), "<a>中文</a>\n");
    OverrideSystemCodePage(0);
}
