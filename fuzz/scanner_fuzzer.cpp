// The scanner on arbitrary sentences, token lists and comment lists.
//
// Input: one flag byte (bit 0 case-sensitive), then the token list, the comment
// list and the special characters, each ended by a NUL byte, then the sentence lines.
#include <cmath>
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "fuzz_support.h"
#include "text/scanner.h"
#include "text/text_utils.h"

using namespace gramarbor;

namespace {

bool IsUpperLetter(char c) {
    return (c >= 'A' && c <= 'Z') || c == '_';
}

void CheckToken(const TScanner& scanner, int32_t code, const TTokVal& val) {
    FUZZ_CHECK(code != tkError, "error tokens end the run");
    FUZZ_CHECK(!std::isnan(static_cast<double>(val.Value)), "token value is not a number");
    if (code == tkIdent) {
        FUZZ_CHECK(!val.Text.empty() && IsUpperLetter(UpCaseChar(val.Text[0])),
                   "identifier '" + val.Text + "' does not start with a letter");
        FUZZ_CHECK(IsIdentifier(val.Text), "identifier '" + val.Text + "' is not one");
        if (!scanner.CaseSensitive)
            FUZZ_CHECK(UpperCaseGerman(val.Text) == val.Text,
                       "identifier '" + val.Text + "' not upper-cased");
    } else if (code == tkInteger) {
        FUZZ_CHECK(std::fabs(static_cast<double>(val.Value)) <= 2147483648.0,
                   "integer token out of the 32-bit range");
    } else if (code != tkFloat) {
        // Keywords and symbols come back with their text.
        FUZZ_CHECK(!val.Text.empty(), "keyword or symbol without text");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::AsText(data, size);
    const uint8_t flags = fuzz::TakeByte(input);
    const std::string tokenList(fuzz::TakeUntilNul(input));
    const std::string commentList(fuzz::TakeUntilNul(input));
    const std::string specials(fuzz::TakeUntilNul(input).substr(0, 3));
    const std::vector<std::string> lines = fuzz::Lines(input);

    NullSink sink;
    TScanner scanner;
    scanner.Create(&lines, commentList, tokenList, specials, (flags & 1) != 0, sink);

    std::vector<TTokLst> tokens;
    const bool complete = scanner.TokenizeAll(&tokens);
    const int32_t endLine = scanner.Line;
    const int32_t endColumn = scanner.Column;

    // Token by token from the start must give the same tokens, each one moving the
    // position forward.
    scanner.Line = 0;
    scanner.Column = 1;
    std::vector<TTokLst> again;
    int32_t code = 0;
    for (;;) {
        const int32_t line = scanner.Line;
        const int32_t column = scanner.Column;
        TTokVal val;
        code = scanner.NextToken(val);
        if (code == 0 || code >= 65533) break;
        CheckToken(scanner, code, val);
        FUZZ_CHECK(scanner.Line > line || (scanner.Line == line && scanner.Column > column),
                   "a token did not move the position forward");
        again.push_back({code, val});
        FUZZ_CHECK(again.size() <= tokens.size(), "more tokens by hand than by TokenizeAll");
    }
    FUZZ_CHECK(complete == (code == tkEndOfInput), "TokenizeAll result differs from the last code");
    FUZZ_CHECK(again.size() == tokens.size(), "token counts differ");
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        FUZZ_CHECK(tokens[i].Code == again[i].Code && tokens[i].Val.Text == again[i].Val.Text,
                   "token " + std::to_string(i) + " differs between the runs");
    }
    FUZZ_CHECK(scanner.Line == endLine && scanner.Column == endColumn,
               "the runs ended at different positions");
    if (code == tkEndOfInput) {
        TTokVal val;
        FUZZ_CHECK(scanner.NextToken(val) == tkEndOfInput, "end of input is not sticky");
    }
    scanner.Done();
    return 0;
}
