// TScanner: turns text lines into tokens (identifiers and keywords, numbers, symbols).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/message_sink.h"
#include "text/token.h"

namespace gramarbor {

inline const std::string MsgScannerTokenParts = "Both token-string and token-value needed.";
inline const std::string MsgScannerTokenValue = "Token-value must be integer, not string.";
inline const std::string MsgScannerCommentList =
    "Scanner was unable to interpret list of comment-symbols.";
inline const std::string MsgScannerTokenList =
    "Scanner was unable to interpret list of token-symbols.";
inline const std::string MsgScannerMemory = "Not enough memory for scanner to continue.";

class TScanner {
public:
    TScanner() = default;

    // Configures the scanner. commentList holds entries such as "(*|*)" or "//",
    // tokenList entries such as "the|$0001" or ";|7" (see SplitString for the list
    // format); an empty specialChars means " |#". source is only referenced and must
    // outlive the scanner's use. Set-up errors are reported to sink; the scanner then
    // keeps what it read so far and stays usable, and the result is false.
    bool Create(const std::vector<std::string>* source, const std::string& commentList,
                const std::string& tokenList, const std::string& specialChars, bool caseSensitive,
                MessageSink& sink);

    // Reads the next token from (Line, Column) on and moves past it. Errors come
    // back as tkError with the message in val.Text; the position then stays at the
    // start of the offending token.
    int32_t NextToken(TTokVal& val);

    // Scans from the start and appends every token (without the end token) to
    // tokens. True exactly when the end of the input was reached without error.
    bool TokenizeAll(std::vector<TTokLst>* tokens);

    // Releases the lists and forgets the source.
    void Done();

    std::string Specials = " |#";
    const std::vector<std::string>* Source = nullptr;
    std::vector<std::string> CommentOpen;  // longest first
    std::vector<std::string> CommentClose; // closing symbol of the entry at the same index
    std::vector<std::string> SymbolTexts;  // non-identifier symbols, longest first
    std::vector<std::string> SymbolValues; // value texts at the same index
    std::string KeywordTable;              // " KW|value KW|value "
    std::string IdentSet;
    int32_t Line = 0;
    int32_t Column = 1;
    bool CaseSensitive = false;

private:
    struct Keyword {
        int32_t Code;
        std::string Text;
    };

    const std::string& WorkingLine();
    bool AtEndOfSource() const;
    // Skips blanks, control characters, line ends and comments. Returns TokenStartsHere
    // when a token starts at (Line, Column), tkEndOfInput or tkError (val filled) otherwise.
    static constexpr int32_t TokenStartsHere = -1;
    int32_t SkipToToken(TTokVal& val);
    int32_t ScanNumber(const std::string& line, TTokVal& val);
    int32_t ScanPrefixedNumber(const std::string& line, TTokVal& val);
    int32_t ScanSymbol(const std::string& line, TTokVal& val);
    void AddKeyword(const std::string& text, const std::string& valueText, int32_t code);
    void AddSymbol(const std::string& text, const std::string& valueText);

    MessageSink* Sink = nullptr;
    // Keyword lookup; the first occurrence of a keyword in the token list wins.
    std::unordered_map<std::string, Keyword> KeywordIndex;
    // Indices into SymbolTexts grouped by first character, in list order.
    std::vector<std::vector<int32_t>> SymbolsByFirstChar = std::vector<std::vector<int32_t>>(256);
    std::vector<int32_t> SymbolCodes;
    // The current line as the tests see it (upper-cased unless CaseSensitive).
    std::string WorkLine;
    int32_t WorkLineIndex = -1;
};

} // namespace gramarbor
