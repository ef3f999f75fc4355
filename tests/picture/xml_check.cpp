// Reads written documents with expat, a strict non-validating XML parser.
#include "xml_check.h"

#include <expat.h>
#include <memory>

namespace gramarbor::test {

namespace {

void XMLCALL StartElement(void* data, const XML_Char* name, const XML_Char** attributes) {
    XmlElement element{name, {}};
    for (const XML_Char** a = attributes; *a; a += 2)
        element.Attributes.emplace(a[0], a[1]);
    static_cast<std::vector<XmlElement>*>(data)->push_back(std::move(element));
}

} // namespace

std::string ReadXml(std::string_view document, std::vector<XmlElement>& elements) {
    elements.clear();
    const std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate("UTF-8"),
                                                                         XML_ParserFree);
    if (!parser) return "no XML parser";
    XML_SetUserData(parser.get(), &elements);
    XML_SetStartElementHandler(parser.get(), StartElement);
    if (document.size() > std::size_t(INT32_MAX)) return "document too large to check";
    if (XML_Parse(parser.get(), document.data(), static_cast<int>(document.size()), XML_TRUE) ==
        XML_STATUS_OK)
        return "";
    return std::string(XML_ErrorString(XML_GetErrorCode(parser.get()))) + " at byte " +
           std::to_string(XML_GetCurrentByteIndex(parser.get()));
}

} // namespace gramarbor::test
