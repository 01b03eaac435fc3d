#include "lib/XmlHelpers.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

using namespace zrv;

namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"GB2312\"?>";
const std::string kDocType = "<!DOCTYPE SC[<!ENTITY stdd \"&amp;stdd;\">]>";

} // namespace

TEST(XmlHeader, AddsWhatIsMissingAndKeepsWhatIsThere)
{
    const std::string longComment = "<!--" + std::string(120, 'c') + "-->";
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        { "<Root/>", kDecl + kDocType + "<Root/>" },
        { "", kDecl + kDocType },
        { "<?xml version=\"1.0\"?><Root/>", kDecl + kDocType + "<Root/>" },
        { "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Root/>",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + kDocType + "<Root/>" },
        { "<?XML version='1.0' Encoding = 'big5' ?><a/>",
            "<?XML version='1.0' Encoding = 'big5' ?>" + kDocType + "<a/>" },
        { "<!DOCTYPE Root><Root/>", kDecl + "<!DOCTYPE Root><Root/>" },
        { "<!doctype Root><Root/>", kDecl + "<!doctype Root><Root/>" },
        { kDecl + kDocType + "<a/>", kDecl + kDocType + "<a/>" },
        { "<?xml version=\"1.0\" ?><a/>",
            "<?xml version=\"1.0\"  encoding=\"GB2312\"?>" + kDocType + "<a/>" },
        { "<?xml version=\"1.0\"?><!DOCTYPE a><a/>", kDecl + "<!DOCTYPE a><a/>" },
        // Line breaks inside the declaration do not move the insertion points.
        { "<?xml version=\"1.0\"\r\n?>\r\n<a/>",
            "<?xml version=\"1.0\"\r\n encoding=\"GB2312\"?>" + kDocType + "\r\n<a/>" },
        // "encoding=" that is not in the declaration does not count.
        { "<?xml version=\"1.0\"?><a encoding=\"x\"/>", kDecl + kDocType + "<a encoding=\"x\"/>" },
        // Blanks or a byte-order mark in front of a declaration would make it invalid.
        { "\r\n  <?xml version=\"1.0\"?><a/>", kDecl + kDocType + "<a/>" },
        { "\xEF\xBB\xBF<?xml version=\"1.0\"?><a/>", kDecl + kDocType + "<a/>" },
        { "\xEF\xBB\xBF<a/>", kDecl + kDocType + "<a/>" },
        // A style-sheet instruction is not a declaration.
        { "<?xml-stylesheet href=\"s.xsl\"?><a/>",
            kDecl + kDocType + "<?xml-stylesheet href=\"s.xsl\"?><a/>" },
        // A document type further down the prolog is still found.
        { longComment + "<!DOCTYPE a><a/>", kDecl + longComment + "<!DOCTYPE a><a/>" },
        // A "<!DOCTYPE" inside the root element is not the document's.
        { "<a><![CDATA[<!DOCTYPE x>]]></a>", kDecl + kDocType + "<a><![CDATA[<!DOCTYPE x>]]></a>" },
        // An unfinished declaration gets nothing (it cannot parse anyway).
        { "<?xml version=\"1.0\"", "<?xml version=\"1.0\"" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EnsureXmlHeader(c.text), c.expected) << c.text;
        EXPECT_EQ(EnsureXmlHeader(EnsureXmlHeader(c.text)), c.expected) << "twice: " << c.text;
    }
}

TEST(XmlHeader, StandardEntityParsesAndStaysVisible)
{
    // Declared GB2312, but the text is the program's UTF-8.
    XmlDocument doc
        = LoadXmlTextWithHeader("<Root><R1 ID=\"u01\" Name=\"&stdd;王五\"/>a&stdd;b</Root>");
    ASSERT_FALSE(doc.IsEmpty());
    EXPECT_EQ(doc.DeclaredEncoding(), "GB2312");
    xmlNodePtr r1 = FindOrAddChild(doc.DocumentElement(), "R1", false);
    EXPECT_EQ(GetAttr(r1, "Name"), "&stdd;王五");
    EXPECT_EQ(NodeText(doc.DocumentElement()), "a&stdd;b");

    // Written out and loaded again, the document says the same.
    XmlDocument again = LoadXmlText(doc.Xml());
    ASSERT_FALSE(again.IsEmpty());
    EXPECT_EQ(GetAttr(FindOrAddChild(again.DocumentElement(), "R1", false), "Name"), "&stdd;王五");
    EXPECT_EQ(NodeText(again.DocumentElement()), "a&stdd;b");
    EXPECT_TRUE(doc.Xml().starts_with(kDecl)) << doc.Xml();
}

TEST(XmlLoad, LegacyBytesFollowTheirDeclaration)
{
    // GBK bytes (with a character outside GB2312) declared as GB2312.
    std::string gbk = EncodeToCodePage(kDecl + "<a n=\"中文镕\"/>", cpGB);
    ASSERT_FALSE(IsValidUtf8(gbk));
    XmlDocument doc = LoadXmlText(gbk);
    ASSERT_FALSE(doc.IsEmpty());
    EXPECT_EQ(GetAttr(doc.DocumentElement(), "n"), "中文镕");

    std::string big5
        = EncodeToCodePage("<?xml version=\"1.0\" encoding=\"Big5\"?><a n=\"繁體\"/>", cpBig5);
    EXPECT_EQ(GetAttr(LoadXmlText(big5).DocumentElement(), "n"), "繁體");
}

TEST(XmlLoad, TextsThatDoNotParseGiveAnEmptyDocument)
{
    const char* const texts[] = {
        "",
        "N",
        "<a>",
        "<a></b>",
        "<a/><b/>",
        "<?xml version=\"1.0\" encoding=\"GB2312\"?>",
        "<a x=\"1\" x=\"2\"/>",
        "<a>&undefined;</a>",
    };
    for (const char* t : texts) {
        XmlDocument doc = LoadXmlTextWithHeader(t);
        EXPECT_TRUE(doc.IsEmpty()) << t;
        EXPECT_EQ(doc.Xml(), "") << t;
        // An empty document still takes a root element.
        EXPECT_NE(FindOrAddChild(doc.Node(), "Root", true), nullptr) << t;
    }
}

TEST(XmlLoad, ExternalEntitiesAreNeverRead)
{
    XmlDocument doc = LoadXmlText("<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY x SYSTEM "
                                  "\"file:///proc/self/cmdline\">]><a>[&x;]</a>");
    ASSERT_FALSE(doc.IsEmpty());
    EXPECT_EQ(NodeText(doc.DocumentElement()).find("test"), std::string::npos);
    EXPECT_EQ(NodeXml(doc.DocumentElement()), "<a>[&x;]</a>");
}

TEST(XmlNodes, FindOrAddChild)
{
    XmlDocument doc = NewXmlDocument();
    EXPECT_TRUE(doc.IsEmpty());
    xmlNodePtr root = FindOrAddChild(doc.Node(), "Root", true);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(doc.DocumentElement(), root);
    EXPECT_EQ(FindOrAddChild(doc.Node(), "Root", true), root); // found, not added again
    EXPECT_EQ(FindOrAddChild(doc.Node(), "Other", true), nullptr); // one root only

    xmlNodePtr r1 = FindOrAddChild(root, "R1", true);
    xmlNodePtr r2 = FindOrAddChild(root, "R2", true);
    xmlNodePtr deep = FindOrAddChild(r1, "Deep", true);
    ASSERT_TRUE(r1 && r2 && deep);
    EXPECT_EQ(r1->next, r2); // appended as last child
    EXPECT_EQ(FindOrAddChild(root, "R1/Deep", false), deep); // a relative path
    EXPECT_EQ(FindOrAddChild(root, "R1", true), r1);

    const std::string before = doc.Xml();
    EXPECT_EQ(FindOrAddChild(root, "R3", false), nullptr);
    EXPECT_EQ(FindOrAddChild(root, "R1/Missing", true), nullptr); // a path is not a name
    EXPECT_EQ(FindOrAddChild(root, "1bad", true), nullptr);
    EXPECT_EQ(FindOrAddChild(root, "][", true), nullptr); // not even an expression
    EXPECT_EQ(FindOrAddChild(root, "", true), nullptr);
    EXPECT_EQ(FindOrAddChild(nullptr, "R1", true), nullptr);
    EXPECT_EQ(doc.Xml(), before);
    EXPECT_EQ(before, "<?xml version=\"1.0\"?><Root><R1><Deep/></R1><R2/></Root>");
}

TEST(XmlNodes, AttributesAndXPath)
{
    XmlDocument doc = NewXmlDocument();
    xmlNodePtr root = FindOrAddChild(doc.Node(), "Root", true);
    xmlNodePtr r1 = FindOrAddChild(root, "R1", true);
    SetAttr(r1, "ID", "a&b<c>\"d'");
    SetAttr(r1, "Name", "张三");
    SetAttr(r1, "Name", "李四"); // replaced
    SetAttr(r1, "bad name", "x"); // not an attribute name: ignored
    SetAttr(nullptr, "ID", "x");
    EXPECT_EQ(GetAttr(r1, "ID"), "a&b<c>\"d'");
    EXPECT_EQ(GetAttr(r1, "Name"), "李四");
    EXPECT_EQ(GetAttr(r1, "Missing"), "");
    EXPECT_EQ(GetAttr(nullptr, "ID"), "");
    EXPECT_EQ(NodeXml(r1), "<R1 ID=\"a&amp;b&lt;c&gt;&quot;d'\" Name=\"李四\"/>");
    XmlDocument again = LoadXmlText(doc.Xml());
    EXPECT_EQ(GetAttr(again.DocumentElement()->children, "ID"), "a&b<c>\"d'");

    XmlDocument reply = LoadXmlTextWithHeader(
        "<Reply><Status code=\"0\" Description=\"ok\"/>"
        "<Record><Field name=\"Id\" value=\"u1\"/><Field name=\"Name\" value=\"甲\"/></Record>"
        "<Record><Field name=\"Name\" value=\"乙\"/><Field name=\"Id\" value=\"u2\"/></Record>"
        "</Reply>");
    std::vector<std::pair<std::string, std::string>> users;
    for (xmlNodePtr record : SelectNodes(reply.Node(), "//Record"))
        users.emplace_back(GetAttr(SelectSingleNode(record, "Field[@name='Id']"), "value"),
            GetAttr(SelectSingleNode(record, "Field[@name='Name']"), "value"));
    EXPECT_EQ(users,
        (std::vector<std::pair<std::string, std::string>> { { "u1", "甲" }, { "u2", "乙" } }));
    EXPECT_EQ(GetAttr(SelectSingleNode(reply.Node(), "//Status[@code]"), "code"), "0");
    EXPECT_TRUE(SelectNodes(reply.Node(), "//[").empty());
    EXPECT_EQ(SelectSingleNode(reply.Node(), "//Nothing"), nullptr);
}

TEST(XmlNodes, DocumentsMoveWithTheirNodes)
{
    XmlDocument a = LoadXmlText("<a><b/></a>");
    xmlNodePtr b = FindOrAddChild(a.DocumentElement(), "b", false);
    XmlDocument moved = std::move(a);
    EXPECT_EQ(a.Doc(), nullptr);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(FindOrAddChild(moved.DocumentElement(), "b", false), b);
    moved = NewXmlDocument();
    EXPECT_TRUE(moved.IsEmpty());
}
