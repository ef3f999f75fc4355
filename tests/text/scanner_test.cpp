// Tests of the scanner's set-up and tokens.
#include <gtest/gtest.h>

#include "text/scanner.h"

#include <iomanip>
#include <optional>
#include <sstream>

#include "base/file_io.h"
#include "common/golden_file.h"
#include "common/script_cases.h"

using namespace gramarbor;

namespace {

// "\xNN" for each byte outside printable ASCII, so that the data file stays readable.
std::string Escaped(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte < 0x7F && ch != '\\') {
            out += ch;
            continue;
        }
        out += {'\\', 'x', "0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 15]};
    }
    return out;
}

// One case of tests/data/text/scanner_cases.txt: its lines and the scanner's set-up.
struct ScanCase {
    std::vector<std::string> Lines;
    std::string Tokens, Comments, Separators;
    bool CaseSensitive = false, ShowSetUp = false, All = false;

    // The messages of the set-up, the tables it built when asked for, then every token
    // up to the end or the error: code, text, value and the column after it; when asked
    // for, the codes the whole list holds after one call and its size after a second.
    std::string Stream() const {
        RecordingSink sink;
        TScanner scanner;
        scanner.Create(&Lines, Comments, Tokens, Separators, CaseSensitive, sink);
        std::string out;
        for (const std::string& message : sink.Texts())
            out += "-> message: " + message + "\n";
        if (ShowSetUp) {
            out += "-> keywords \"" + scanner.KeywordTable + "\" symbols";
            for (std::size_t i = 0; i < scanner.SymbolTexts.size(); ++i)
                out += " " + scanner.SymbolTexts[i] + "|" + scanner.SymbolValues[i];
            out += " comments";
            for (std::size_t i = 0; i < scanner.CommentOpen.size(); ++i)
                out += " " + scanner.CommentOpen[i] + "..." + Escaped(scanner.CommentClose[i]);
            out += "\n";
        }
        for (int guard = 0; guard < 100; ++guard) {
            TTokVal val;
            const int32_t code = scanner.NextToken(val);
            std::ostringstream value;
            value << std::setprecision(15) << val.Value;
            out += "-> " + std::to_string(code) + " \"" + Escaped(val.Text) + "\" " + value.str() +
                   " column " + std::to_string(scanner.Column) + "\n";
            if (code == tkEndOfInput || code == tkError) break;
        }
        if (All) {
            std::vector<TTokLst> tokens;
            out += scanner.TokenizeAll(&tokens) ? "-> all:" : "-> all up to the error:";
            for (const TTokLst& token : tokens)
                out += " " + std::to_string(token.Code);
            scanner.TokenizeAll(&tokens);
            out += ", " + std::to_string(tokens.size()) + " after a second call\n";
        }
        return out;
    }
};

} // namespace

// The file holds cases ("== name", then "tokens:", "comments:", "separators:",
// "case-sensitive", "show set-up", "all tokens" and "line:" lines) each followed by
// what was scanned ("->" lines, up to the blank line after the case), which is
// compared and, with GRAMARBOR_UPDATE_GOLDEN=1, written anew.
TEST(ScannerTokens, RecordedCases) {
    const std::string path = std::string(GRAMARBOR_TEST_DATA) + "/text/scanner_cases.txt";
    std::string text, expected;
    ASSERT_EQ(ReadFileBytes(path, text), FileError::None) << path;
    std::optional<ScanCase> current;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("-> ", 0) == 0) continue;
        if ((line.empty() || line.rfind("== ", 0) == 0) && current) {
            expected += current->Stream();
            current.reset();
        }
        expected += line + "\n";
        if (line.rfind("== ", 0) == 0)
            current.emplace();
        else if (line.rfind("tokens: ", 0) == 0 && current)
            current->Tokens = line.substr(8);
        else if (line.rfind("comments: ", 0) == 0 && current)
            current->Comments = line.substr(10);
        else if (line.rfind("separators: ", 0) == 0 && current)
            current->Separators = line.substr(12);
        else if (line == "case-sensitive" && current)
            current->CaseSensitive = true;
        else if (line == "show set-up" && current)
            current->ShowSetUp = true;
        else if (line == "all tokens" && current)
            current->All = true;
        else if (line.rfind("line: ", 0) == 0 && current)
            current->Lines.push_back(gramarbor::testing::Unescape(line.substr(6)));
        else if (line.rfind("line:", 0) == 0 && line.size() == 5 && current)
            current->Lines.emplace_back();
        else if (!line.empty() && line[0] != '#')
            ADD_FAILURE() << "not a line of a case: " << line;
    }
    if (current) expected += current->Stream();
    gramarbor::testing::ExpectGolden("text/scanner_cases.txt", expected);
}
