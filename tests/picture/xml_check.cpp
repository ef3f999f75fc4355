// A small strict XML reader for the tests of written documents.
#include "xml_check.h"

#include <cstdint>

namespace gramarbor::test {

namespace {

// Decodes one UTF-8 character at pos; -1 for invalid or overlong encodings and
// surrogates.
int32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const int extra = lead < 0x80             ? 0
                      : (lead & 0xE0) == 0xC0 ? 1
                      : (lead & 0xF0) == 0xE0 ? 2
                      : (lead & 0xF8) == 0xF0 ? 3
                                              : -1;
    if (extra < 0 || pos + extra >= text.size() + (extra == 0)) return -1;
    int32_t value = extra ? lead & (0x7F >> (extra + 1)) : lead;
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return -1;
        value = (value << 6) | (next & 0x3F);
    }
    static constexpr int32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (value < least[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return -1;
    pos += 1 + extra;
    return value;
}

bool XmlChar(int32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

bool NameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
}

bool NameChar(char c) {
    return NameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
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
        if (!Element()) return Problem;
        SkipBlanks();
        return Pos == Text.size() ? "" : Fault("content after the root element");
    }

private:
    std::string Fault(const std::string& what) {
        if (Problem.empty()) Problem = what + " at byte " + std::to_string(Pos);
        return Problem;
    }
    bool Fails(const std::string& what) { return Fault(what), false; }

    void SkipBlanks() {
        while (Pos < Text.size() && std::string_view(" \t\n\r").find(Text[Pos]) != Text.npos)
            ++Pos;
    }

    bool Name(std::string& name) {
        if (Pos >= Text.size() || !NameStart(Text[Pos])) return Fails("a name expected");
        const std::size_t start = Pos;
        while (Pos < Text.size() && NameChar(Text[Pos]))
            ++Pos;
        name.assign(Text.substr(start, Pos - start));
        return true;
    }

    // One character of data or of an attribute value, appended as written.
    bool DataChar(std::string& out) {
        const std::size_t start = Pos;
        int32_t value = 0;
        if (Text[Pos] == '&') {
            const std::size_t end = Text.find(';', Pos);
            if (end == std::string_view::npos || end - Pos > 12)
                return Fails("unterminated reference");
            const std::string_view ref = Text.substr(Pos + 1, end - Pos - 1);
            static constexpr std::string_view entities[] = {"amp", "lt", "gt", "quot", "apos"};
            for (std::size_t i = 0; i < 5; ++i)
                if (ref == entities[i]) value = "&<>\"'"[i];
            if (!value && ref.size() > 1 && ref[0] == '#') {
                const bool hex = ref[1] == 'x';
                const std::string_view digits = ref.substr(hex ? 2 : 1);
                if (digits.empty()) return Fails("empty character reference");
                for (const char d : digits) {
                    const std::size_t v = std::string_view("0123456789abcdefABCDEF").find(d);
                    if (v == std::string_view::npos || (!hex && v > 9))
                        return Fails("bad character reference");
                    value = value * (hex ? 16 : 10) + int32_t(v < 16 ? v : v - 6);
                    if (value > 0x10FFFF) return Fails("character reference too large");
                }
                if (!XmlChar(value)) return Fails("reference to a character XML excludes");
            } else if (!value) {
                return Fails("unknown entity");
            }
            Pos = end + 1;
        } else {
            value = DecodeUtf8(Text, Pos);
            if (value < 0) return Fails("invalid UTF-8");
            if (!XmlChar(value)) return Fails("a character XML excludes");
        }
        out.append(Text.substr(start, Pos - start));
        return true;
    }

    bool Element() {
        ++Pos; // '<'
        const std::size_t index = Elements.size();
        Elements.push_back({});
        if (!Name(Elements[index].Name)) return false;
        for (;;) {
            const std::size_t before = Pos;
            SkipBlanks();
            if (Pos >= Text.size()) return Fails("unclosed start tag");
            if (Text.substr(Pos, 2) == "/>") return Pos += 2, true;
            if (Text[Pos] == '>') {
                ++Pos;
                break;
            }
            if (Pos == before) return Fails("blank expected before an attribute");
            std::string name, value;
            if (!Name(name)) return false;
            if (Pos >= Text.size() || Text[Pos] != '=') return Fails("'=' expected");
            if (++Pos >= Text.size() || (Text[Pos] != '"' && Text[Pos] != '\''))
                return Fails("quoted value expected");
            const char quote = Text[Pos++];
            while (Pos < Text.size() && Text[Pos] != quote) {
                if (Text[Pos] == '<') return Fails("'<' in an attribute value");
                if (!DataChar(value)) return false;
            }
            if (Pos >= Text.size()) return Fails("unclosed attribute value");
            ++Pos;
            if (!Elements[index].Attributes.emplace(name, value).second)
                return Fails("attribute given twice");
        }
        // Content up to the matching end tag.
        for (;;) {
            if (Pos >= Text.size()) return Fails("element not closed");
            if (Text.substr(Pos, 2) == "</") {
                Pos += 2;
                std::string name;
                if (!Name(name)) return false;
                SkipBlanks();
                if (name != Elements[index].Name || Pos >= Text.size() || Text[Pos] != '>')
                    return Fails("end tag does not match " + Elements[index].Name);
                return ++Pos, true;
            }
            if (Text[Pos] == '<') {
                if (!Element()) return false;
                continue;
            }
            if (Text.substr(Pos, 3) == "]]>") return Fails("']]>' in character data");
            if (!DataChar(Data)) return false;
        }
    }

    std::string_view Text;
    std::vector<XmlElement>& Elements;
    std::size_t Pos = 0;
    std::string Problem;
    std::string Data; // character data, read and dropped
};

} // namespace

std::string ReadXml(std::string_view document, std::vector<XmlElement>& elements) {
    elements.clear();
    return Reader(document, elements).Run();
}

} // namespace gramarbor::test
