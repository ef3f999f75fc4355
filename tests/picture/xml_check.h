// Checks that written documents are well-formed XML and lists their elements.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace gramarbor::test {

struct XmlElement {
    std::string Name;
    std::map<std::string, std::string> Attributes; // values with references resolved
};

// Reads document; on success elements holds every element in document order. On
// failure the result names the first fault (with its byte offset); empty on success.
std::string ReadXml(std::string_view document, std::vector<XmlElement>& elements);

} // namespace gramarbor::test
