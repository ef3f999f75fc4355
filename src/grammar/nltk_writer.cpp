// Writing a checked grammar in NLTK's notation.
#include "grammar/nltk_writer.h"

#include <map>
#include <new>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "base/file_io.h"
#include "grammar/grammar_messages.h"
#include "grammar/prepare_grammar.h"
#include "text/cp1252.h"

namespace gramarbor {

namespace {

// A word in the quotes NLTK reads it in; empty when it holds both kinds.
std::string NltkWord(const std::string& word) {
    if (word.find('\'') == std::string::npos) return "'" + word + "'";
    if (word.find('"') == std::string::npos) return "\"" + word + "\"";
    return std::string();
}

class Writer {
public:
    Writer(const TParser& parser, const TGrammarLines& lines, TNltkConversion& result)
        : Parser(parser), Lines(lines), Result(result) {}
    void Run();

private:
    void NameGenerated();
    // The alternative of rule i in NLTK's notation; empty (and noted) when it has no
    // counterpart there.
    std::string Alternative(std::size_t i);
    void Note(std::size_t i, const std::string& text);

    const TParser& Parser;
    const TGrammarLines& Lines;
    TNltkConversion& Result;
    // The rules the check added for the words of mixed rules: name -> the word.
    std::unordered_map<std::string, const TElemNode*> Inlined;
    std::unordered_map<std::string, std::string> NltkNames;
    std::set<std::pair<int, std::string>> Noted;
};

void Writer::Note(std::size_t i, const std::string& text) {
    const int line = Lines.SourceLineOf(Parser.Rules[i].LineIndex) + 1;
    if (Noted.insert({line, text}).second) Result.Notes.Add(line, text);
}

void Writer::NameGenerated() {
    std::unordered_set<std::string> taken;
    for (const TParsLine& rule : Parser.Rules)
        if (rule.LineIndex < 0 && rule.Line.Right.size() == 1)
            Inlined.emplace(rule.Line.Left.Text, &rule.Line.Right[0]);
        else
            taken.insert(rule.Line.Left.Text);
    for (const TParsLine& rule : Parser.Rules) {
        const std::string& name = rule.Line.Left.Text;
        if (name.empty() || name[0] != '#' || Inlined.count(name) || NltkNames.count(name))
            continue;
        std::string target = "_" + name.substr(1);
        while (!taken.insert(target).second)
            target += "_";
        NltkNames.emplace(name, target);
        Result.Names.emplace_back(name, target);
    }
}

std::string Writer::Alternative(std::size_t i) {
    std::string text;
    for (const TElemNode& element : Parser.Rules[i].Line.Right) {
        const TElemNode* symbol = &element;
        if (symbol->SymKind == ekNonTerminal) {
            const auto inlined = Inlined.find(symbol->Text);
            if (inlined != Inlined.end()) symbol = inlined->second;
        }
        if (!text.empty()) text.push_back(' ');
        if (symbol->SymKind == ekNonTerminal) {
            const auto named = NltkNames.find(symbol->Text);
            text += named == NltkNames.end() ? symbol->Text : named->second;
        } else if (symbol->SymKind == ekTerminal) {
            const std::string word = NltkWord(symbol->Text);
            if (word.empty()) {
                Note(i, "the word " + symbol->Text +
                            " holds both kinds of quote, which NLTK's notation cannot write; "
                            "its rule is left out.");
                return std::string();
            }
            text += word;
        } else {
            Note(i, "NLTK's notation has no token class like " + symbol->Text +
                        "; its rule is left out.");
            return std::string();
        }
    }
    return text;
}

void Writer::Run() {
    NameGenerated();
    // Categories in the order of their first rule, the start category first.
    std::vector<std::string> order;
    std::map<std::string, std::vector<std::string>> alternatives;
    const std::string& start =
        Parser.Rules[static_cast<std::size_t>(Parser.StartLine)].Line.Left.Text;
    order.push_back(start);
    alternatives[start];
    for (std::size_t i = 0; i < Parser.Rules.size(); ++i) {
        const std::string& left = Parser.Rules[i].Line.Left.Text;
        if (Inlined.count(left)) continue;
        const auto [it, added] = alternatives.try_emplace(left);
        if (added) order.push_back(left);
        std::string alternative = Alternative(i);
        if (!alternative.empty()) it->second.push_back(std::move(alternative));
    }
    const auto nltkName = [&](const std::string& name) {
        const auto named = NltkNames.find(name);
        return named == NltkNames.end() ? name : named->second;
    };
    // A start category whose rules were all left out is named as the start still.
    if (alternatives[start].empty()) Result.Lines.push_back("%start " + nltkName(start));
    for (const std::string& left : order) {
        const auto& list = alternatives[left];
        if (list.empty()) continue;
        std::string line = nltkName(left) + " ->";
        for (std::size_t k = 0; k < list.size(); ++k)
            line += (k == 0 ? " " : " | ") + list[k];
        Result.Lines.push_back(std::move(line));
    }
}

} // namespace

bool ConvertGramarborToNltk(const std::vector<std::string>& sourceLines, TNltkConversion& result,
                            MessageSink& sink, int& errorSourceLine) {
    result = TNltkConversion();
    errorSourceLine = -1;
    TParser parser(sink);
    TGrammarLines lines;
    if (!PrepareGrammar(parser, sourceLines, true, &lines)) {
        errorSourceLine = lines.SourceLineOf(parser.ErrorLine);
        return false;
    }
    try {
        Writer(parser, lines, result).Run();
        return true;
    } catch (const std::bad_alloc&) {
        result = TNltkConversion();
        sink.Error(MsgParserMemory);
        return false;
    }
}

bool SaveNltkFile(const std::string& path, const std::vector<std::string>& sourceLines,
                  MessageSink& sink) {
    TNltkConversion result;
    int errorLine = -1;
    if (!ConvertGramarborToNltk(sourceLines, result, sink, errorLine)) return false;
    try {
        std::string text;
        for (const std::string& line : result.Lines)
            text += Cp1252ToUtf8(line) + "\n";
        if (AtomicSave(path, text) != FileError::None) {
            sink.Error(MsgCfgCannotSave);
            return false;
        }
    } catch (const std::bad_alloc&) {
        sink.Error(MsgCfgCannotSave);
        return false;
    }
    const std::string notes = ConversionNotesText(result.Notes);
    if (!notes.empty()) sink.Warning(notes);
    return true;
}

} // namespace gramarbor
