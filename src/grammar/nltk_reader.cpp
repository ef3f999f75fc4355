// Reading NLTK's grammar notation line by line into productions.
#include "grammar/nltk_reader.h"

#include <cctype>

#include "text/text_utils.h"

namespace gramarbor {

void TNltkNotes::Add(int line, const std::string& text) {
    if (Kept.size() < MaxNotes)
        Kept.push_back({line, text});
    else
        ++Dropped;
}

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool IsComment(const std::string& line) {
    return line[0] == '#' || line.compare(0, 2, "//") == 0;
}

// A category name runs up to a blank, a quote, "|", a bracket, "#" or "->".
std::size_t NameEnd(const std::string& text, std::size_t at) {
    while (at < text.size()) {
        const char c = text[at];
        if (IsBlank(c) || c == '\'' || c == '"' || c == '|' || c == '[' || c == ']' || c == '#')
            break;
        if (c == '-' && at + 1 < text.size() && text[at + 1] == '>') break;
        ++at;
    }
    return at;
}

// The position just behind the "]" that closes the "[" at open (quotes and nested
// brackets skipped), or npos.
std::size_t BracketEnd(const std::string& text, std::size_t open) {
    int depth = 0;
    for (std::size_t at = open; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '\'' || c == '"') {
            at = text.find(c, at + 1);
            if (at == std::string::npos) return at;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']' && --depth == 0) {
            return at + 1;
        }
    }
    return std::string::npos;
}

// "[0.5]": a probability rather than a feature structure.
bool IsProbability(const std::string& inner) {
    const std::string text = TrimText(inner);
    bool digit = false;
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if (c != '.' && c != 'e' && c != 'E' && c != '-' && c != '+')
            return false;
    }
    return digit;
}

class LineReader {
public:
    LineReader(TNltkGrammar& grammar, TNltkNotes& notes, TNltkNote& error)
        : Grammar(grammar), Notes(notes), Error(error) {}

    bool Read(const std::string& text, int line);

private:
    bool Fail(const std::string& message) {
        Error = {Line, message};
        return false;
    }
    void NoteFeatures() {
        if (!FeaturesNoted)
            Notes.Add(Line, "feature structures are left out, so the grammar accepts more than "
                            "the original.");
        FeaturesNoted = true;
    }
    void NoteProbability() {
        if (!ProbabilityNoted) Notes.Add(Line, "probabilities are left out.");
        ProbabilityNoted = true;
    }

    // A category name at pos with any feature structure written directly after it.
    bool ReadName(const std::string& text, std::size_t& pos, std::string& name);
    bool ReadRightSide(const std::string& text, std::size_t pos, const std::string& left);
    bool ReadDirective(const std::string& text);

    TNltkGrammar& Grammar;
    TNltkNotes& Notes;
    TNltkNote& Error;
    int Line = 0;
    bool FeaturesNoted = false;
    bool ProbabilityNoted = false;
    std::string LastLeft; // the rule that lines beginning with "|" continue
};

bool LineReader::ReadName(const std::string& text, std::size_t& pos, std::string& name) {
    const std::size_t end = NameEnd(text, pos);
    name = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == '[') {
        const std::size_t close = BracketEnd(text, pos);
        if (close == std::string::npos) return Fail("the bracket \"[\" is not closed.");
        if (name.empty())
            return Fail("a feature structure without a category name cannot be converted.");
        NoteFeatures();
        pos = close;
    }
    return true;
}

bool LineReader::ReadRightSide(const std::string& text, std::size_t pos, const std::string& left) {
    TNltkProduction current{left, {}, Line};
    bool afterBlank = true;
    while (pos < text.size()) {
        const char c = text[pos];
        if (IsBlank(c)) {
            ++pos;
            afterBlank = true;
            continue;
        }
        if (c == '#') break; // a comment to the end of the line
        if (c == '|') {
            Grammar.Productions.push_back(std::move(current));
            current = TNltkProduction{left, {}, Line};
            ++pos;
        } else if (c == '\'' || c == '"') {
            const std::size_t close = text.find(c, pos + 1);
            if (close == std::string::npos)
                return Fail("the quoted word " + text.substr(pos) + " is not closed.");
            current.Right.push_back({true, text.substr(pos + 1, close - pos - 1)});
            pos = close + 1;
        } else if (c == '[') {
            const std::size_t close = BracketEnd(text, pos);
            if (close == std::string::npos) return Fail("the bracket \"[\" is not closed.");
            const std::string inner = text.substr(pos + 1, close - pos - 2);
            if (IsProbability(inner))
                NoteProbability();
            else if (!afterBlank && !current.Right.empty() && !current.Right.back().Terminal)
                NoteFeatures();
            else
                return Fail("a feature structure without a category name cannot be converted.");
            pos = close;
        } else if (c == ']') {
            return Fail("the bracket \"]\" closes nothing.");
        } else if (c == '-' && pos + 1 < text.size() && text[pos + 1] == '>') {
            return Fail("a rule holds only one \"->\".");
        } else {
            std::string name;
            if (!ReadName(text, pos, name)) return false;
            current.Right.push_back({false, std::move(name)});
            afterBlank = false;
            continue;
        }
        afterBlank = false;
    }
    Grammar.Productions.push_back(std::move(current));
    return true;
}

bool LineReader::ReadDirective(const std::string& text) {
    std::size_t pos = 1;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    const std::size_t wordEnd = NameEnd(text, pos);
    if (text.substr(pos, wordEnd - pos) != "start") {
        Notes.Add(Line, "the directive %" + text.substr(pos, wordEnd - pos) + " is left out.");
        return true;
    }
    pos = wordEnd;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    std::string name;
    if (!ReadName(text, pos, name)) return false;
    if (name.empty()) return Fail("\"%start\" needs a category name.");
    Grammar.Start = name;
    Grammar.StartLine = Line;
    return true;
}

bool LineReader::Read(const std::string& text, int line) {
    Line = line;
    FeaturesNoted = ProbabilityNoted = false;
    if (text[0] == '%') return ReadDirective(text);
    if (text[0] == '|') {
        if (LastLeft.empty()) return Fail("a line beginning with \"|\" continues no rule.");
        return ReadRightSide(text, 1, LastLeft);
    }
    if (text[0] == '\'' || text[0] == '"')
        return Fail("the left side must be a category name, not a quoted word.");
    std::size_t pos = 0;
    std::string left;
    if (!ReadName(text, pos, left)) return false;
    if (left.empty()) return Fail("a rule must begin with a category name.");
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    if (text.compare(pos, 2, "->") != 0)
        return Fail("\"->\" expected after the category name " + left + ".");
    if (Grammar.Start.empty()) {
        Grammar.Start = left;
        Grammar.StartLine = Line;
    }
    LastLeft = left;
    return ReadRightSide(text, pos + 2, left);
}

} // namespace

bool LooksLikeNltkGrammar(const std::vector<std::string>& lines) {
    for (const std::string& raw : lines) {
        const std::string line = TrimText(raw);
        if (line.empty() || IsComment(line) || line[0] == '%') continue;
        // An "=" inside the brackets of a feature structure does not count.
        int depth = 0;
        for (std::size_t at = 0; at < line.size(); ++at) {
            if (line[at] == '[') ++depth;
            if (line[at] == ']') --depth;
            if (depth <= 0 && line[at] == '=') return false;
            if (line.compare(at, 2, "->") == 0) return true;
        }
        return false;
    }
    return false;
}

bool ReadNltkGrammar(const std::vector<std::string>& lines, TNltkGrammar& grammar,
                     TNltkNotes& notes, TNltkNote& error) {
    grammar = TNltkGrammar();
    LineReader reader(grammar, notes, error);
    std::string pending; // a line ended by a backslash, joined with the next
    int pendingLine = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = TrimText(lines[i]);
        int number = static_cast<int>(i) + 1;
        if (!pending.empty()) {
            line = pending + " " + line;
            number = pendingLine;
            pending.clear();
        }
        if (line.empty() || line[0] == '#') continue;
        if (line.back() == '\\') {
            line.pop_back();
            pending = line.empty() ? std::string(" ") : line;
            pendingLine = number;
            continue;
        }
        if (!reader.Read(line, number)) return false;
    }
    if (!pending.empty() && !TrimText(pending).empty() &&
        !reader.Read(TrimText(pending), pendingLine))
        return false;
    return true;
}

} // namespace gramarbor
