// The scanner: set-up from symbol lists, then tokens line by line.
#include "text/scanner.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <new>

#include "text/text_utils.h"

namespace gramarbor {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Position of the first entry strictly shorter than text, or the end.
std::size_t InsertionIndexByLength(const std::vector<std::string>& list, const std::string& text) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].size() < text.size()) return i;
    return list.size();
}

// True when text occurs in line at the 1-based column.
bool TextAt(const std::string& line, int32_t column, const std::string& text) {
    const auto start = static_cast<std::size_t>(column - 1);
    return !text.empty() && line.size() >= start + text.size() &&
           line.compare(start, text.size(), text) == 0;
}

} // namespace

bool TScanner::Create(const std::vector<std::string>* source, const std::string& commentList,
                      const std::string& tokenList, const std::string& specialChars,
                      bool caseSensitive, MessageSink& sink) {
    Sink = &sink;
    Specials = specialChars.empty() ? std::string(" |#") : specialChars;
    if (Specials.size() < 3) Specials += std::string(" |#").substr(Specials.size());
    CaseSensitive = caseSensitive;
    CommentOpen.clear();
    CommentClose.clear();
    SymbolTexts.clear();
    SymbolValues.clear();
    SymbolCodes.clear();
    KeywordIndex.clear();
    for (auto& group : SymbolsByFirstChar)
        group.clear();
    KeywordTable = std::string(1, Specials[0]);
    IdentSet = IdentChars;
    Source = source;
    Line = 0;
    Column = 1;
    WorkLineIndex = -1;

    const std::string entrySep(1, Specials[0]);
    const std::string partSep(1, Specials[1]);
    std::vector<std::string> entries;
    std::vector<std::string> parts;

    try {
        if (!SplitString(commentList, entrySep, &entries)) {
            sink.Error(MsgScannerCommentList);
            return false;
        }
        for (const auto& entry : entries) {
            if (!SplitString(entry, partSep, &parts)) {
                sink.Error(MsgScannerCommentList);
                return false;
            }
            if (parts.empty()) continue;
            const std::size_t at = InsertionIndexByLength(CommentOpen, parts[0]);
            CommentOpen.insert(CommentOpen.begin() + static_cast<std::ptrdiff_t>(at), parts[0]);
            CommentClose.insert(CommentClose.begin() + static_cast<std::ptrdiff_t>(at),
                                parts.size() > 1 ? parts[1] : std::string("\r\n"));
        }

        if (!SplitString(tokenList, entrySep, &entries)) {
            sink.Error(MsgScannerTokenList);
            return false;
        }
        for (const auto& entry : entries) {
            if (!SplitString(entry, partSep, &parts)) {
                sink.Error(MsgScannerTokenList);
                return false;
            }
            if (parts.size() != 2) {
                sink.Error(MsgScannerTokenParts);
                return false;
            }
            int32_t code = 0;
            if (!StrToInt32(parts[1], code)) {
                sink.Error(MsgScannerTokenValue);
                return false;
            }
            if (IsIdentifier(parts[0]))
                AddKeyword(CaseSensitive ? parts[0] : UpperCaseGerman(parts[0]), parts[1], code);
            else
                AddSymbol(parts[0], parts[1]);
        }
    } catch (const std::bad_alloc&) {
        sink.Error(MsgScannerTokenList);
        return false;
    }
    return true;
}

void TScanner::AddKeyword(const std::string& text, const std::string& valueText, int32_t code) {
    KeywordTable += text;
    KeywordTable += Specials[1];
    KeywordTable += valueText;
    KeywordTable += Specials[0];
    KeywordIndex.try_emplace(text, Keyword{code, text});
}

void TScanner::AddSymbol(const std::string& text, const std::string& valueText) {
    int32_t code = 0;
    StrToInt32(valueText, code);
    const std::size_t at = InsertionIndexByLength(SymbolTexts, text);
    const auto offset = static_cast<std::ptrdiff_t>(at);
    SymbolTexts.insert(SymbolTexts.begin() + offset, text);
    SymbolValues.insert(SymbolValues.begin() + offset, valueText);
    SymbolCodes.insert(SymbolCodes.begin() + offset, code);
    // Indices behind the insertion point moved; regroup (set-up only, lists are short).
    for (auto& group : SymbolsByFirstChar)
        group.clear();
    for (std::size_t i = 0; i < SymbolTexts.size(); ++i)
        SymbolsByFirstChar[static_cast<unsigned char>(SymbolTexts[i][0])].push_back(
            static_cast<int32_t>(i));
}

void TScanner::Done() {
    CommentOpen.clear();
    CommentClose.clear();
    SymbolTexts.clear();
    SymbolValues.clear();
    SymbolCodes.clear();
    KeywordIndex.clear();
    for (auto& group : SymbolsByFirstChar)
        group.clear();
    Source = nullptr;
    WorkLineIndex = -1;
}

bool TScanner::AtEndOfSource() const {
    return Source == nullptr || Line < 0 || static_cast<std::size_t>(Line) >= Source->size();
}

const std::string& TScanner::WorkingLine() {
    if (WorkLineIndex != Line) {
        const std::string& raw = (*Source)[static_cast<std::size_t>(Line)];
        WorkLine = CaseSensitive ? raw : UpperCaseGerman(raw);
        WorkLineIndex = Line;
    }
    return WorkLine;
}

namespace {

// Reads the whole of a decimal number ("12", "1.5", "2E-3") as a long double; false
// when it is out of range. Where the standard library cannot read floating-point
// numbers with from_chars (the WebAssembly build's), strtold reads it; the program's
// locale is then always "C", so that "." is the decimal point.
bool ReadDecimal(const std::string& text, long double& number) {
#if defined(__cpp_lib_to_chars)
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
#else
    errno = 0;
    char* end = nullptr;
    number = std::strtold(text.c_str(), &end);
    return errno != ERANGE && end == text.c_str() + text.size();
#endif
}

} // namespace

int32_t TScanner::SkipToToken(TTokVal& val) {
    for (;;) {
        if (AtEndOfSource()) return tkEndOfInput;
        const std::string* line = &WorkingLine();
        while (static_cast<std::size_t>(Column) > line->size()) {
            ++Line;
            Column = 1;
            if (AtEndOfSource()) return tkEndOfInput;
            line = &WorkingLine();
        }
        while (static_cast<std::size_t>(Column) <= line->size() &&
               static_cast<unsigned char>((*line)[static_cast<std::size_t>(Column - 1)]) <= 32)
            ++Column;
        if (static_cast<std::size_t>(Column) > line->size()) {
            ++Line;
            Column = 1;
            continue;
        }

        std::size_t comment = 0;
        while (comment < CommentOpen.size() && !TextAt(*line, Column, CommentOpen[comment]))
            ++comment;
        if (comment == CommentOpen.size()) return TokenStartsHere;

        const std::string& open = CommentOpen[comment];
        const std::string& close = CommentClose[comment];
        Column += static_cast<int32_t>(open.size());
        if (close == "\r\n") {
            // A comment up to the line break ends with its line.
            ++Line;
            Column = 1;
            continue;
        }
        std::size_t found = PosFrom(close, *line, static_cast<std::size_t>(Column));
        while (found == 0) {
            ++Line;
            Column = 1;
            if (AtEndOfSource()) {
                val.Text = "Comment opened but not closed: \"" + open + "..." + close + "\"";
                return tkError;
            }
            line = &WorkingLine();
            found = PosFrom(close, *line, 1);
        }
        Column = static_cast<int32_t>(found + close.size());
        if (static_cast<std::size_t>(Column) > line->size()) {
            ++Line;
            Column = 1;
        }
    }
}

int32_t TScanner::NextToken(TTokVal& val) {
    val.Text.clear();
    val.Value = 0;
    const int32_t skipped = SkipToToken(val);
    if (skipped != TokenStartsHere) return skipped;

    const std::string& line = WorkingLine();
    const auto start = static_cast<std::size_t>(Column - 1);
    const char c = UpCaseChar(line[start]);
    const auto identStart =
        std::string_view(IdentSet).substr(0, static_cast<std::size_t>(IdentStartCount));

    if (identStart.find(c) != std::string_view::npos) {
        std::size_t end = start + 1;
        while (end < line.size() && IdentSet.find(UpCaseChar(line[end])) != std::string::npos)
            ++end;
        val.Text = line.substr(start, end - start);
        Column = static_cast<int32_t>(end + 1);
        const auto keyword = KeywordIndex.find(val.Text);
        if (keyword == KeywordIndex.end()) return tkIdent;
        val.Text = keyword->second.Text;
        return keyword->second.Code;
    }
    if (IsDigit(c)) return ScanNumber(line, val);
    if (c == '$' || c == '~') return ScanPrefixedNumber(line, val);
    return ScanSymbol(line, val);
}

int32_t TScanner::ScanNumber(const std::string& line, TTokVal& val) {
    const auto start = static_cast<std::size_t>(Column - 1);
    std::size_t pos = start;
    const auto atEnd = [&] { return pos >= line.size(); };
    while (!atEnd() && IsDigit(line[pos]))
        ++pos;
    bool hasPoint = false;
    if (!atEnd() && line[pos] == '.') {
        hasPoint = true;
        ++pos;
        while (!atEnd() && IsDigit(line[pos]))
            ++pos;
    }
    if (!atEnd() && (line[pos] == 'E' || line[pos] == 'e')) {
        ++pos;
        if (atEnd()) {
            val.Text = "Exponent-value missing in float-number.";
            return tkError;
        }
        if (line[pos] == '+' || line[pos] == '-') ++pos;
        if (atEnd()) {
            val.Text = "Wrong exponent: number expected, not end of line.";
            return tkError;
        }
        const std::size_t digits = pos;
        while (!atEnd() && IsDigit(line[pos]))
            ++pos;
        if (pos == digits) {
            val.Text = "Wrong exponent: integer-number expected.";
            return tkError;
        }
        // Leading zeros aside, more than four digits always exceed the limit.
        std::size_t first = digits;
        while (first + 1 < pos && line[first] == '0')
            ++first;
        int exponent = 0;
        if (pos - first <= 4) std::from_chars(line.data() + first, line.data() + pos, exponent);
        if (pos - first > 4 || exponent > 4900) {
            val.Text = "Wrong Exponent: -4900 <= Exp <= +4900.";
            return tkError;
        }
    }
    const std::string text = line.substr(start, pos - start);
    long double number = 0;
    if (!ReadDecimal(text, number)) {
        val.Text = "Wrong number: " + text;
        return tkError;
    }
    val.Value = number;
    Column = static_cast<int32_t>(pos + 1);
    if (hasPoint) return tkFloat;
    return (number <= 2147483647.0L && number >= -2147483647.0L) ? tkInteger : tkFloat;
}

int32_t TScanner::ScanPrefixedNumber(const std::string& line, TTokVal& val) {
    const auto start = static_cast<std::size_t>(Column - 1);
    const char prefix = line[start];
    if (start + 1 >= line.size()) {
        val.Text = "At least 1 hex- or binary-digit expected.";
        return tkError;
    }
    std::size_t pos = start + 1;
    if (prefix == '$')
        while (pos < line.size() && IsHexDigit(line[pos]))
            ++pos;
    else
        while (pos < line.size() && (line[pos] == '0' || line[pos] == '1'))
            ++pos;
    if (pos == start + 1) {
        val.Text = std::string("No valid hex- or binary number: ") + prefix + line[start + 1];
        return tkError;
    }
    const std::string text = line.substr(start, pos - start);
    int32_t value = 0;
    if (prefix == '$') {
        if (!StrToInt32(text, value)) {
            val.Text = "No valid hexadecimal number: " + text;
            return tkError;
        }
    } else {
        if (pos - start - 1 > 32) {
            val.Text = "No valid binary number: " + text;
            return tkError;
        }
        uint32_t bits = 0;
        for (std::size_t i = start + 1; i < pos; ++i)
            bits = (bits << 1) | (line[i] == '1' ? 1u : 0u);
        value = static_cast<int32_t>(bits);
    }
    val.Value = value;
    Column = static_cast<int32_t>(pos + 1);
    return tkInteger;
}

int32_t TScanner::ScanSymbol(const std::string& line, TTokVal& val) {
    const auto start = static_cast<std::size_t>(Column - 1);
    for (const int32_t index : SymbolsByFirstChar[static_cast<unsigned char>(line[start])]) {
        const std::string& symbol = SymbolTexts[static_cast<std::size_t>(index)];
        if (TextAt(line, Column, symbol)) {
            val.Text = symbol;
            Column += static_cast<int32_t>(symbol.size());
            return SymbolCodes[static_cast<std::size_t>(index)];
        }
    }
    val.Text = "Maybe undefined token: \"" + line.substr(start) + "\"";
    return tkError;
}

bool TScanner::TokenizeAll(std::vector<TTokLst>* tokens) {
    if (tokens == nullptr) return false;
    Line = 0;
    Column = 1;
    WorkLineIndex = -1;
    TTokVal val;
    try {
        for (;;) {
            const int32_t code = NextToken(val);
            if (code == tkError) return false;
            if (code >= 65533) return code == tkEndOfInput;
            tokens->push_back(TTokLst{code, val});
        }
    } catch (const std::bad_alloc&) {
        if (Sink != nullptr) Sink->Error(MsgScannerMemory);
        return false;
    }
}

} // namespace gramarbor
