#include "lib/XmlHelpers.h"

#include "platform/CodePage.h"

#include <libxml/parser.h>
#include <libxml/xmlsave.h>
#include <libxml/xpath.h>

#include <climits>

namespace zrv {

namespace {

    const xmlChar* X(const std::string& s) { return reinterpret_cast<const xmlChar*>(s.c_str()); }

    std::string FromXml(const xmlChar* s)
    {
        return s ? std::string(reinterpret_cast<const char*>(s)) : std::string();
    }

    // Text the parser owns and frees with xmlFree.
    std::string TakeXml(xmlChar* s)
    {
        std::string result = FromXml(s);
        if (s)
            xmlFree(s);
        return result;
    }

    char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

    bool StartsWithNoCase(const std::string& text, size_t pos, std::string_view word)
    {
        if (pos + word.size() > text.size())
            return false;
        for (size_t i = 0; i < word.size(); ++i)
            if (Lower(text[pos + i]) != word[i])
                return false;
        return true;
    }

    bool IsXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    // Where the text's XML declaration is: the position of "<?xml" and of its "?>".
    struct Prolog {
        size_t start = 0; // first character after leading blanks and a byte-order mark
        bool hasDeclaration = false;
        size_t declarationEnd = std::string::npos; // position of the declaration's "?>"
        bool hasEncoding = false;
        std::string encoding;
        bool hasDocType = false;
    };

    Prolog ExaminePrologue(const std::string& text)
    {
        Prolog p;
        size_t i = 0;
        if (text.starts_with("\xEF\xBB\xBF"))
            i = 3;
        while (i < text.size() && IsXmlBlank(text[i]))
            ++i;
        p.start = i;
        // "<?xml" followed by a blank: "<?xml-stylesheet" is a processing instruction, not a
        // declaration.
        if (StartsWithNoCase(text, i, "<?xml") && i + 5 < text.size() && IsXmlBlank(text[i + 5])) {
            p.hasDeclaration = true;
            p.declarationEnd = text.find("?>", i);
            size_t end = p.declarationEnd == std::string::npos ? text.size() : p.declarationEnd;
            for (size_t k = i + 5; k + 8 <= end; ++k) {
                if (!StartsWithNoCase(text, k, "encoding") || !IsXmlBlank(text[k - 1]))
                    continue;
                size_t e = k + 8;
                while (e < end && IsXmlBlank(text[e]))
                    ++e;
                if (e >= end || text[e] != '=')
                    continue;
                p.hasEncoding = true;
                ++e;
                while (e < end && IsXmlBlank(text[e]))
                    ++e;
                if (e < end && (text[e] == '"' || text[e] == '\'')) {
                    size_t close = text.find(text[e], e + 1);
                    if (close != std::string::npos && close < end)
                        p.encoding = text.substr(e + 1, close - e - 1);
                }
                break;
            }
        }
        // A document type anywhere in the prolog, that is before the first element.
        size_t k = p.start;
        while ((k = text.find('<', k)) != std::string::npos) {
            if (StartsWithNoCase(text, k, "<!doctype")) {
                p.hasDocType = true;
                break;
            }
            size_t skip;
            if (text.compare(k, 4, "<!--") == 0)
                skip = text.find("-->", k + 4);
            else if (text.compare(k, 2, "<?") == 0)
                skip = text.find("?>", k + 2);
            else
                break; // the root element (or anything else): the prolog is over
            if (skip == std::string::npos)
                break;
            k = skip + 2;
        }
        return p;
    }

    // The encoding to hand the parser for bytes that are not UTF-8.
    const char* LegacyEncodingFor(const std::string& declared)
    {
        if (declared.empty()) {
            int cp = SystemCodePage();
            return cp == cpGB ? "GBK" : cp == cpBig5 ? "BIG5" : nullptr;
        }
        // GB2312 texts carry GBK characters in practice; libxml2 refuses them under the
        // narrower name.
        if (SameText(declared, "GB2312") || SameText(declared, "GBK")
            || SameText(declared, "CP936"))
            return "GBK";
        return nullptr; // the declaration says it
    }

    void IgnoreError(void*, xmlErrorPtr) { }
    void IgnoreGenericError(void*, const char*, ...) { }

    // Malformed input is an ordinary event here (the caller gets an empty document): libxml2's
    // encoding and output layers must not write their complaints to the standard error.
    class QuietErrors {
    public:
        QuietErrors()
            : generic_(xmlGenericError)
            , genericContext_(xmlGenericErrorContext)
            , structured_(xmlStructuredError)
            , structuredContext_(xmlStructuredErrorContext)
        {
            xmlSetGenericErrorFunc(nullptr, IgnoreGenericError);
            xmlSetStructuredErrorFunc(nullptr, IgnoreError);
        }
        ~QuietErrors()
        {
            xmlSetGenericErrorFunc(genericContext_, generic_);
            xmlSetStructuredErrorFunc(structuredContext_, structured_);
        }
        QuietErrors(const QuietErrors&) = delete;
        QuietErrors& operator=(const QuietErrors&) = delete;

    private:
        xmlGenericErrorFunc generic_;
        void* genericContext_;
        xmlStructuredErrorFunc structured_;
        void* structuredContext_;
    };

    xmlXPathObjectPtr Evaluate(xmlNodePtr node, const std::string& xpath)
    {
        if (!node || !node->doc || xpath.empty())
            return nullptr;
        QuietErrors quiet;
        xmlXPathContextPtr ctx = xmlXPathNewContext(node->doc);
        if (!ctx)
            return nullptr;
        ctx->node = node;
        ctx->error = IgnoreError;
        xmlXPathObjectPtr result = xmlXPathEvalExpression(X(xpath), ctx);
        xmlXPathFreeContext(ctx);
        return result;
    }

    std::string Save(xmlNodePtr node)
    {
        QuietErrors quiet;
        xmlBufferPtr buffer = xmlBufferCreate();
        if (!buffer)
            return {};
        std::string result;
        // libxml2 writes non-ASCII characters of attributes as character references unless the
        // document names an encoding; ours is UTF-8 for as long as the text is written.
        xmlDocPtr doc = node->doc;
        const xmlChar* encoding = doc ? doc->encoding : nullptr;
        if (doc)
            doc->encoding = BAD_CAST "UTF-8";
        if (xmlSaveCtxtPtr save
            = xmlSaveToBuffer(buffer, "UTF-8", XML_SAVE_NO_DECL | XML_SAVE_AS_XML)) {
            if (node->type == XML_DOCUMENT_NODE)
                xmlSaveDoc(save, reinterpret_cast<xmlDocPtr>(node));
            else
                xmlSaveTree(save, node);
            xmlSaveClose(save);
            result.assign(
                reinterpret_cast<const char*>(xmlBufferContent(buffer)), xmlBufferLength(buffer));
        }
        if (doc)
            doc->encoding = encoding;
        xmlBufferFree(buffer);
        return result;
    }

} // namespace

// ---------------------------------------------------------------------------------------------
// XmlDocument

XmlDocument::XmlDocument()
    : doc_(xmlNewDoc(BAD_CAST "1.0"))
{
}

XmlDocument::~XmlDocument()
{
    if (doc_)
        xmlFreeDoc(doc_);
}

XmlDocument::XmlDocument(XmlDocument&& other) noexcept
    : doc_(other.doc_)
    , declaredEncoding_(std::move(other.declaredEncoding_))
{
    other.doc_ = nullptr;
}

XmlDocument& XmlDocument::operator=(XmlDocument&& other) noexcept
{
    if (this != &other) {
        if (doc_)
            xmlFreeDoc(doc_);
        doc_ = other.doc_;
        declaredEncoding_ = std::move(other.declaredEncoding_);
        other.doc_ = nullptr;
    }
    return *this;
}

xmlNodePtr XmlDocument::DocumentElement() const
{
    return doc_ ? xmlDocGetRootElement(doc_) : nullptr;
}

std::string XmlDocument::Xml() const
{
    if (IsEmpty())
        return {};
    std::string declaration = "<?xml version=\"1.0\"";
    if (!declaredEncoding_.empty())
        declaration += " encoding=\"" + declaredEncoding_ + "\"";
    declaration += "?>";
    std::string body = Save(Node());
    while (!body.empty() && body.back() == '\n')
        body.pop_back();
    return declaration + body;
}

// ---------------------------------------------------------------------------------------------
// Routines

XmlDocument NewXmlDocument() { return XmlDocument(); }

XmlDocument LoadXmlText(const std::string& text)
{
    XmlDocument result;
    if (text.empty() || text.size() > static_cast<size_t>(INT_MAX))
        return result;
    Prolog prolog = ExaminePrologue(text);
    int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    const char* encoding;
    if (IsValidUtf8(text)) {
        // Program text: UTF-8 whatever the declaration claims.
        encoding = "UTF-8";
        options |= XML_PARSE_IGNORE_ENC;
    } else {
        encoding = LegacyEncodingFor(prolog.encoding);
    }
    QuietErrors quiet;
    xmlDocPtr doc
        = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, encoding, options);
    if (!doc)
        return result;
    xmlFreeDoc(result.doc_);
    result.doc_ = doc;
    result.declaredEncoding_ = prolog.encoding;
    return result;
}

std::string EnsureXmlHeader(const std::string& input)
{
    Prolog p = ExaminePrologue(input);
    // A byte-order mark or blanks in front of a declaration would make it invalid; program
    // text is UTF-8 anyway.
    std::string text
        = input.substr(p.hasDeclaration ? p.start : (input.starts_with("\xEF\xBB\xBF") ? 3 : 0));
    if (!p.hasDeclaration)
        return std::string(kXmlDeclaration) + (p.hasDocType ? "" : kXmlDocType) + text;
    if (p.declarationEnd == std::string::npos)
        return text; // an unfinished declaration: nothing sensible to add
    size_t end = p.declarationEnd - p.start;
    if (!p.hasDocType)
        text.insert(end + 2, kXmlDocType);
    if (!p.hasEncoding)
        text.insert(end, " encoding=\"GB2312\"");
    return text;
}

XmlDocument LoadXmlTextWithHeader(const std::string& text)
{
    return LoadXmlText(EnsureXmlHeader(text));
}

xmlNodePtr FindOrAddChild(xmlNodePtr node, const std::string& name, bool create)
{
    if (!node || !node->doc || name.empty())
        return nullptr;
    if (xmlXPathObjectPtr found = Evaluate(node, name)) {
        xmlNodePtr first = nullptr;
        if (found->type == XPATH_NODESET && found->nodesetval)
            for (int i = 0; i < found->nodesetval->nodeNr && !first; ++i)
                if (found->nodesetval->nodeTab[i]->type == XML_ELEMENT_NODE)
                    first = found->nodesetval->nodeTab[i];
        xmlXPathFreeObject(found);
        if (first)
            return first;
    }
    if (!create || xmlValidateName(X(name), 0) != 0)
        return nullptr;
    if (node->type == XML_DOCUMENT_NODE && xmlDocGetRootElement(node->doc))
        return nullptr; // a document has one root element
    if (node->type != XML_ELEMENT_NODE && node->type != XML_DOCUMENT_NODE)
        return nullptr;
    xmlNodePtr child = xmlNewDocNode(node->doc, nullptr, X(name), nullptr);
    if (!child)
        return nullptr;
    if (!xmlAddChild(node, child)) {
        xmlFreeNode(child);
        return nullptr;
    }
    return child;
}

std::string GetAttr(xmlNodePtr element, const std::string& name)
{
    if (!element || element->type != XML_ELEMENT_NODE)
        return {};
    return TakeXml(xmlGetProp(element, X(name)));
}

void SetAttr(xmlNodePtr element, const std::string& name, const std::string& value)
{
    if (!element || element->type != XML_ELEMENT_NODE || xmlValidateName(X(name), 0) != 0)
        return;
    xmlSetProp(element, X(name), X(value));
}

std::vector<xmlNodePtr> SelectNodes(xmlNodePtr node, const std::string& xpath)
{
    std::vector<xmlNodePtr> nodes;
    if (xmlXPathObjectPtr found = Evaluate(node, xpath)) {
        if (found->type == XPATH_NODESET && found->nodesetval)
            nodes.assign(
                found->nodesetval->nodeTab, found->nodesetval->nodeTab + found->nodesetval->nodeNr);
        xmlXPathFreeObject(found);
    }
    return nodes;
}

xmlNodePtr SelectSingleNode(xmlNodePtr node, const std::string& xpath)
{
    auto nodes = SelectNodes(node, xpath);
    return nodes.empty() ? nullptr : nodes.front();
}

std::string NodeXml(xmlNodePtr node) { return node ? Save(node) : std::string(); }

std::string NodeText(xmlNodePtr node)
{
    return node ? TakeXml(xmlNodeGetContent(node)) : std::string();
}

} // namespace zrv
