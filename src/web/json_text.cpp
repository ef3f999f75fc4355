// JSON text for the browser binding.
#include "web/json_text.h"

#include <algorithm>

#include <cstdio>

#include "text/cp1252.h"

namespace gramarbor {

namespace {

void AppendEscaped(std::string& out, std::string_view utf8) {
    out += '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                char code[8];
                std::snprintf(code, sizeof code, "\\u%04x", byte);
                out += code;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

} // namespace

void JsonText::Separate() {
    if (AfterKey) {
        AfterKey = false;
        return;
    }
    if (HasMember.empty()) return;
    if (HasMember.back()) Out += ',';
    HasMember.back() = true;
}

JsonText& JsonText::BeginObject() {
    Separate();
    Out += '{';
    HasMember.push_back(false);
    return *this;
}

JsonText& JsonText::EndObject() {
    Out += '}';
    HasMember.pop_back();
    return *this;
}

JsonText& JsonText::BeginArray() {
    Separate();
    Out += '[';
    HasMember.push_back(false);
    return *this;
}

JsonText& JsonText::EndArray() {
    Out += ']';
    HasMember.pop_back();
    return *this;
}

JsonText& JsonText::Key(std::string_view name) {
    Separate();
    AppendEscaped(Out, name);
    Out += ':';
    AfterKey = true;
    return *this;
}

JsonText& JsonText::String(std::string_view cp1252) {
    return Utf8String(Cp1252ToUtf8(cp1252));
}

JsonText& JsonText::Utf8String(std::string_view utf8) {
    Separate();
    AppendEscaped(Out, utf8);
    return *this;
}

JsonText& JsonText::Number(int64_t value) {
    Separate();
    Out += std::to_string(value);
    return *this;
}

JsonText& JsonText::Bool(bool value) {
    Separate();
    Out += value ? "true" : "false";
    return *this;
}

JsonText& JsonText::Strings(const std::vector<std::string>& cp1252Lines) {
    return Strings(cp1252Lines, 0, cp1252Lines.size());
}

JsonText& JsonText::Strings(const std::vector<std::string>& cp1252Lines, std::size_t first,
                            std::size_t count) {
    BeginArray();
    const std::size_t end =
        first + std::min(count, cp1252Lines.size() - std::min(first, cp1252Lines.size()));
    for (std::size_t i = first; i < end; ++i)
        String(cp1252Lines[i]);
    return EndArray();
}

} // namespace gramarbor
