// A small writer of JSON text for the browser binding: objects, arrays, strings,
// numbers and booleans, written in order. Strings given to it are Windows-1252 (the
// core's text) and come out as UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gramarbor {

class JsonText {
public:
    JsonText& BeginObject();
    JsonText& EndObject();
    JsonText& BeginArray();
    JsonText& EndArray();
    // The name of the next member of the object being written.
    JsonText& Key(std::string_view name);
    JsonText& String(std::string_view cp1252);
    // A text that is UTF-8 already (an SVG picture).
    JsonText& Utf8String(std::string_view utf8);
    JsonText& Number(int64_t value);
    JsonText& Bool(bool value);
    JsonText& Strings(const std::vector<std::string>& cp1252Lines);
    // The lines [first, first + count) of cp1252Lines, as far as there are any.
    JsonText& Strings(const std::vector<std::string>& cp1252Lines, std::size_t first,
                      std::size_t count);
    const std::string& Text() const { return Out; }

private:
    void Separate();
    std::string Out;
    // Whether the container being written has a member already.
    std::vector<bool> HasMember;
    bool AfterKey = false;
};

} // namespace gramarbor
