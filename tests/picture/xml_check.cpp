// A small strict XML reader for the tests of written documents.
#include "xml_check.h"

#include <cstdint>
#include <optional>

namespace gramarbor::test {

namespace {

// Decodes one UTF-8 character at pos; none for invalid or overlong encodings and
// surrogates.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int extra = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        value = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (pos + extra >= text.size()) return std::nullopt;
    for (int i = 1; i <= extra; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return std::nullopt;
        value = (value << 6) | (byte(pos + i) & 0x3F);
    }
    static constexpr char32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (value < least[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    pos += 1 + extra;
    return value;
}

bool XmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool NameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
}

bool NameChar(char c) {
    return NameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool Blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

class Reader {
public:
    Reader(std::string_view text, std::vector<XmlElement>& elements)
        : Text(text), Elements(elements) {}

    std::string Run() {
        if (Text.substr(0, 5) == "<?xml") {
            const std::size_t end = Text.find("?>");
            if (end == std::string_view::npos) return Fault("unclosed XML declaration");
            Pos = end + 2;
        }
        SkipBlanks();
        if (Pos >= Text.size() || Text[Pos] != '<') return Fault("no root element");
        if (!Element(0)) return Problem;
        SkipBlanks();
        if (Pos != Text.size()) return Fault("content after the root element");
        return "";
    }

private:
    std::string Fault(const std::string& what) {
        if (Problem.empty()) Problem = what + " at byte " + std::to_string(Pos);
        return Problem;
    }

    void SkipBlanks() {
        while (Pos < Text.size() && Blank(Text[Pos]))
            ++Pos;
    }

    bool Name(std::string& name) {
        if (Pos >= Text.size() || !NameStart(Text[Pos])) return Fault("a name expected"), false;
        const std::size_t start = Pos;
        while (Pos < Text.size() && NameChar(Text[Pos]))
            ++Pos;
        name.assign(Text.substr(start, Pos - start));
        return true;
    }

    // One character of data or of an attribute value, references resolved.
    bool DataChar(std::string& out) {
        if (Text[Pos] == '&') {
            const std::size_t end = Text.find(';', Pos);
            if (end == std::string_view::npos || end - Pos > 12)
                return Fault("unterminated reference"), false;
            const std::string_view ref = Text.substr(Pos + 1, end - Pos - 1);
            char32_t value = 0;
            if (ref == "amp") {
                value = '&';
            } else if (ref == "lt") {
                value = '<';
            } else if (ref == "gt") {
                value = '>';
            } else if (ref == "quot") {
                value = '"';
            } else if (ref == "apos") {
                value = '\'';
            } else if (ref.size() > 1 && ref[0] == '#') {
                const bool hex = ref[1] == 'x';
                const std::string_view digits = ref.substr(hex ? 2 : 1);
                if (digits.empty()) return Fault("empty character reference"), false;
                for (const char d : digits) {
                    int v = -1;
                    if (d >= '0' && d <= '9') v = d - '0';
                    if (hex && d >= 'a' && d <= 'f') v = d - 'a' + 10;
                    if (hex && d >= 'A' && d <= 'F') v = d - 'A' + 10;
                    if (v < 0) return Fault("bad character reference"), false;
                    value = value * (hex ? 16 : 10) + static_cast<char32_t>(v);
                    if (value > 0x10FFFF) return Fault("character reference too large"), false;
                }
                if (!XmlChar(value)) return Fault("reference to a character XML excludes"), false;
            } else {
                return Fault("unknown entity"), false;
            }
            AppendUtf8(out, value);
            Pos = end + 1;
            return true;
        }
        const auto c = DecodeUtf8(Text, Pos);
        if (!c) return Fault("invalid UTF-8"), false;
        if (!XmlChar(*c)) return Fault("a character XML excludes"), false;
        AppendUtf8(out, *c);
        return true;
    }

    bool Element(int depth) {
        ++Pos; // '<'
        const std::size_t index = Elements.size();
        Elements.push_back({});
        Elements[index].Depth = depth;
        if (!Name(Elements[index].Name)) return false;
        for (;;) {
            const std::size_t before = Pos;
            SkipBlanks();
            if (Pos >= Text.size()) return Fault("unclosed start tag"), false;
            if (Text.substr(Pos, 2) == "/>") {
                Pos += 2;
                return true;
            }
            if (Text[Pos] == '>') {
                ++Pos;
                break;
            }
            if (Pos == before) return Fault("blank expected before an attribute"), false;
            std::string name, value;
            if (!Name(name)) return false;
            if (Pos >= Text.size() || Text[Pos] != '=') return Fault("'=' expected"), false;
            ++Pos;
            if (Pos >= Text.size() || (Text[Pos] != '"' && Text[Pos] != '\''))
                return Fault("quoted value expected"), false;
            const char quote = Text[Pos++];
            while (Pos < Text.size() && Text[Pos] != quote) {
                if (Text[Pos] == '<') return Fault("'<' in an attribute value"), false;
                if (!DataChar(value)) return false;
            }
            if (Pos >= Text.size()) return Fault("unclosed attribute value"), false;
            ++Pos;
            if (!Elements[index].Attributes.emplace(name, value).second)
                return Fault("attribute given twice"), false;
        }
        // Content up to the matching end tag.
        for (;;) {
            if (Pos >= Text.size()) return Fault("element not closed"), false;
            if (Text.substr(Pos, 2) == "</") {
                Pos += 2;
                std::string name;
                if (!Name(name)) return false;
                SkipBlanks();
                if (name != Elements[index].Name || Pos >= Text.size() || Text[Pos] != '>')
                    return Fault("end tag does not match " + Elements[index].Name), false;
                ++Pos;
                return true;
            }
            if (Text[Pos] == '<') {
                if (!Element(depth + 1)) return false;
                continue;
            }
            if (Text.substr(Pos, 3) == "]]>") return Fault("']]>' in character data"), false;
            if (!DataChar(Elements[index].Text)) return false;
        }
    }

    std::string_view Text;
    std::vector<XmlElement>& Elements;
    std::size_t Pos = 0;
    std::string Problem;
};

} // namespace

std::string ReadXml(std::string_view document, std::vector<XmlElement>& elements) {
    elements.clear();
    return Reader(document, elements).Run();
}

} // namespace gramarbor::test
