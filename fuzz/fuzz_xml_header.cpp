// The standard header and the DOM loader on arbitrary texts: adding the header never breaks a
// text twice, a loaded document survives being written out and loaded again, and the node
// helpers work on whatever came out.
#include "lib/XmlHelpers.h"
#include "platform/CodePage.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace zrv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string withHeader = EnsureXmlHeader(text);
    if (EnsureXmlHeader(withHeader) != withHeader)
        std::abort(); // the header is added once

    for (const std::string* t : { &text, &withHeader }) {
        XmlDocument doc = LoadXmlText(*t);
        xmlNodePtr root = doc.DocumentElement();
        if (!root)
            continue;
        const std::string xml = doc.Xml();
        XmlDocument again = LoadXmlText(xml);
        if (again.IsEmpty() || again.Xml() != xml)
            std::abort(); // what we write, we read back the same
        for (xmlNodePtr n : SelectNodes(doc.Node(), "//*[@*]"))
            GetAttr(n, "ID");
        xmlNodePtr child = FindOrAddChild(root, "R1", true);
        SetAttr(child, "Name", *t);
        if (child && GetAttr(child, "Name") != *t && IsValidUtf8(*t)
            && t->find('\0') == std::string::npos)
            std::abort();
        NodeText(root);
    }
    return 0;
}
