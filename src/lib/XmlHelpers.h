#pragma once
// XML documents for the framework's own texts (recipient lists, portal replies): creating and
// loading DOM documents, the standard header that the framework puts in front of texts it loads,
// finding or adding child elements, and attributes.
//
// Texts inside the program are UTF-8, whatever their declaration says: the standard header
// declares "GB2312" because that is what the server side expects to see, but a loaded text is
// parsed as UTF-8 when it is valid UTF-8. Only bytes that are not UTF-8 are decoded as declared
// (a "GB2312" declaration is read as GBK, which it is in practice).
//
// Nodes are libxml2 nodes owned by their document; they live as long as the XmlDocument.

#include <libxml/tree.h>

#include <string>
#include <vector>

namespace zrv {

// The standard header: the declaration and the document type that declares the entity "stdd",
// whose replacement text is "&stdd;" itself, so that "&stdd;" in a document parses and stays
// visible as that text.
inline constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"GB2312\"?>";
inline constexpr const char* kXmlDocType = "<!DOCTYPE SC[<!ENTITY stdd \"&amp;stdd;\">]>";

// A DOM document. Move-only; frees the document and every node in it.
class XmlDocument {
public:
    XmlDocument(); // a new, empty document (no root element)
    ~XmlDocument();
    XmlDocument(XmlDocument&& other) noexcept;
    XmlDocument& operator=(XmlDocument&& other) noexcept;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    xmlDocPtr Doc() const { return doc_; }
    // The document as a node: the parent of the root element, for FindOrAddChild and XPath.
    xmlNodePtr Node() const { return reinterpret_cast<xmlNodePtr>(doc_); }
    xmlNodePtr DocumentElement() const; // nullptr when the document is empty
    bool IsEmpty() const { return DocumentElement() == nullptr; }

    // The encoding named by the loaded text's declaration ("GB2312", ...); empty when none.
    const std::string& DeclaredEncoding() const { return declaredEncoding_; }

    // The whole document as UTF-8 text: the declaration (naming the declared encoding, if any),
    // the document type when there is one, and the root element. Empty for an empty document.
    std::string Xml() const;

private:
    friend XmlDocument LoadXmlText(const std::string& text);
    xmlDocPtr doc_ = nullptr;
    std::string declaredEncoding_;
};

// A new, empty document; parsing in it never validates.
XmlDocument NewXmlDocument();
// A document loaded from a text. A text that does not parse gives an empty document, no error.
XmlDocument LoadXmlText(const std::string& text);
// The text with the standard declaration and document type added where they are missing: a
// text without declaration gets the declaration in front (and the document type when it has
// none); a declaration without encoding gets encoding="GB2312" before its "?>", and the
// document type follows the declaration when the text has none. A declared encoding is kept.
std::string EnsureXmlHeader(const std::string& text);
// EnsureXmlHeader, then LoadXmlText.
XmlDocument LoadXmlTextWithHeader(const std::string& text);

// The first child element matched by `name` (a relative XPath from `node`, normally a plain
// element name). When none matches and `create` is set, a new element of that name is appended
// as the node's last child. Nullptr when nothing is found or can be created (a name that is not
// an element name, or a second root element).
xmlNodePtr FindOrAddChild(xmlNodePtr node, const std::string& name, bool create);
// An attribute's value; empty when the element lacks it.
std::string GetAttr(xmlNodePtr element, const std::string& name);
// Sets or adds an attribute; the value is stored as text (escaped when written out).
void SetAttr(xmlNodePtr element, const std::string& name, const std::string& value);

// XPath from a node (or the document node): the matched element nodes in document order, or
// the first of them. An invalid expression matches nothing.
std::vector<xmlNodePtr> SelectNodes(xmlNodePtr node, const std::string& xpath);
xmlNodePtr SelectSingleNode(xmlNodePtr node, const std::string& xpath);
// The XML of one node (UTF-8, no declaration, no added line breaks), and its text content.
std::string NodeXml(xmlNodePtr node);
std::string NodeText(xmlNodePtr node);

} // namespace zrv
