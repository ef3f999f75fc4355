// From NLTK's notation to this program's: cleaning the grammar up to what the
// grammar check accepts without changing its sentences or trees, and naming.
#include "grammar/nltk_grammar.h"

#include <deque>
#include <new>
#include <unordered_map>
#include <unordered_set>

#include "grammar/cfg_file.h"
#include "grammar/grammar_messages.h"
#include "grammar/grammar_store.h"
#include "text/scanner.h"
#include "text/text_utils.h"

namespace gramarbor {

namespace {

// More optional categories than this in one rule would give more rules than the
// internal CFG can hold.
constexpr std::size_t MaxOptionalPerRule = 16;

// Symbols of a rule: a category as its index (0 and up), a word as -1 - its index.
struct Rule {
    int Left;
    std::vector<int> Right;
    int Line;
};

std::string Quote(const std::string& word) {
    return "'" + word + "'";
}

// A word this notation cannot hold: blanks and control characters split or end
// elements and are skipped by the scanner, "|" and the empty word break its word list.
bool WordCanBeWritten(const std::string& word) {
    if (word.empty()) return false;
    for (const char c : word)
        if (static_cast<unsigned char>(c) <= ' ' || c == '\x7F' || c == '|') return false;
    return true;
}

std::string RuleKey(const Rule& rule) {
    std::string key = std::to_string(rule.Left);
    for (const int symbol : rule.Right)
        key += "," + std::to_string(symbol);
    return key;
}

class Converter {
public:
    Converter(TNltkConversion& result, TNltkNote& error) : Result(result), Error(error) {}
    bool Run(const std::vector<std::string>& lines);

private:
    bool Fail(int line, const std::string& text) {
        Error = {line, text};
        return false;
    }
    int Category(const std::string& name, int line);
    int Word(const std::string& word);
    bool TakeProductions(const TNltkGrammar& grammar);
    bool KeepProductive();
    void KeepReachable();
    bool RemoveEmptyRules();
    void NameCategories();
    void AddStartRule();
    void NoteUnreadableWords();
    void WriteLines();

    TNltkConversion& Result;
    TNltkNote& Error;

    std::vector<std::string> Names; // categories as written
    std::vector<int> FirstLine;     // the line each was first written on
    std::unordered_map<std::string, int> NameIndex;
    std::vector<std::string> Words;
    std::unordered_map<std::string, int> WordIndex;
    std::vector<Rule> Rules;
    int Start = 0;
    int StartLine = 0;
    std::vector<std::string> NewNames; // per category, its name in the result
    std::string StartRule;             // the added start rule, or empty
};

int Converter::Category(const std::string& name, int line) {
    const auto [it, added] = NameIndex.try_emplace(name, static_cast<int>(Names.size()));
    if (added) {
        Names.push_back(name);
        FirstLine.push_back(line);
    }
    return it->second;
}

int Converter::Word(const std::string& word) {
    const auto [it, added] = WordIndex.try_emplace(word, static_cast<int>(Words.size()));
    if (added) Words.push_back(word);
    return -1 - it->second;
}

bool Converter::TakeProductions(const TNltkGrammar& grammar) {
    if (grammar.Productions.empty()) return Fail(0, "the file holds no rules.");
    Start = Category(grammar.Start, grammar.StartLine);
    StartLine = grammar.StartLine;
    std::unordered_set<std::string> seen;
    for (const TNltkProduction& production : grammar.Productions) {
        if (production.Right.size() > MaxRightElements) {
            Result.Notes.Add(production.Line, "an alternative of " + production.Left +
                                                  " has more than 256 symbols and is left out.");
            continue;
        }
        Rule rule{Category(production.Left, production.Line), {}, production.Line};
        bool writable = true;
        for (const TNltkSymbol& symbol : production.Right) {
            if (!symbol.Terminal) {
                rule.Right.push_back(Category(symbol.Text, production.Line));
            } else if (WordCanBeWritten(symbol.Text)) {
                rule.Right.push_back(Word(symbol.Text));
            } else {
                Result.Notes.Add(production.Line,
                                 "the word " + Quote(symbol.Text) +
                                     " cannot be written in this notation (it is empty or holds "
                                     "a blank, a control character or \"|\"); its alternative is "
                                     "left out.");
                writable = false;
                break;
            }
        }
        // The same alternative written twice gives the same trees twice; once is enough.
        if (writable && seen.insert(RuleKey(rule)).second) Rules.push_back(std::move(rule));
    }
    return true;
}

// Drops the rules that use a category deriving no sentence: no tree can hold them.
bool Converter::KeepProductive() {
    std::vector<std::vector<std::size_t>> usedIn(Names.size());
    std::vector<std::size_t> waiting(Rules.size(), 0);
    std::vector<int> firstUse(Names.size(), 0);
    std::vector<char> productive(Names.size(), 0);
    std::deque<int> queue;
    for (std::size_t r = 0; r < Rules.size(); ++r) {
        for (const int symbol : Rules[r].Right) {
            if (symbol < 0) continue;
            usedIn[static_cast<std::size_t>(symbol)].push_back(r);
            if (firstUse[static_cast<std::size_t>(symbol)] == 0)
                firstUse[static_cast<std::size_t>(symbol)] = Rules[r].Line;
            ++waiting[r];
        }
        if (waiting[r] == 0 && !productive[static_cast<std::size_t>(Rules[r].Left)]) {
            productive[static_cast<std::size_t>(Rules[r].Left)] = 1;
            queue.push_back(Rules[r].Left);
        }
    }
    while (!queue.empty()) {
        const int category = queue.front();
        queue.pop_front();
        for (const std::size_t r : usedIn[static_cast<std::size_t>(category)]) {
            const int left = Rules[r].Left;
            if (--waiting[r] == 0 && !productive[static_cast<std::size_t>(left)]) {
                productive[static_cast<std::size_t>(left)] = 1;
                queue.push_back(left);
            }
        }
    }
    if (!productive[static_cast<std::size_t>(Start)])
        return Fail(StartLine, "the start category " + Names[static_cast<std::size_t>(Start)] +
                                   " derives no sentence, so there is nothing to convert.");
    for (std::size_t c = 0; c < Names.size(); ++c)
        if (!productive[c] && firstUse[c] != 0)
            Result.Notes.Add(firstUse[c], "the category " + Names[c] +
                                              " derives no sentence; the alternatives that use "
                                              "it are left out.");
    std::vector<Rule> kept;
    for (Rule& rule : Rules) {
        bool keep = productive[static_cast<std::size_t>(rule.Left)] != 0;
        for (const int symbol : rule.Right)
            keep = keep && (symbol < 0 || productive[static_cast<std::size_t>(symbol)]);
        if (keep) kept.push_back(std::move(rule));
    }
    Rules = std::move(kept);
    return true;
}

// Drops the rules of categories no tree from the start category can reach: this
// notation would take each of them for a second start symbol.
void Converter::KeepReachable() {
    std::vector<std::vector<std::size_t>> rulesOf(Names.size());
    for (std::size_t r = 0; r < Rules.size(); ++r)
        rulesOf[static_cast<std::size_t>(Rules[r].Left)].push_back(r);
    std::vector<char> reached(Names.size(), 0);
    std::vector<int> stack = {Start};
    reached[static_cast<std::size_t>(Start)] = 1;
    while (!stack.empty()) {
        const int category = stack.back();
        stack.pop_back();
        for (const std::size_t r : rulesOf[static_cast<std::size_t>(category)])
            for (const int symbol : Rules[r].Right)
                if (symbol >= 0 && !reached[static_cast<std::size_t>(symbol)]) {
                    reached[static_cast<std::size_t>(symbol)] = 1;
                    stack.push_back(symbol);
                }
    }
    std::vector<Rule> kept;
    std::vector<char> noted(Names.size(), 0);
    for (Rule& rule : Rules) {
        const std::size_t left = static_cast<std::size_t>(rule.Left);
        if (reached[left]) {
            kept.push_back(std::move(rule));
        } else if (!noted[left]) {
            noted[left] = 1;
            Result.Notes.Add(rule.Line, "the category " + Names[left] +
                                            " cannot be reached from the start category " +
                                            Names[static_cast<std::size_t>(Start)] +
                                            "; its rules are left out.");
        }
    }
    Rules = std::move(kept);
}

// Writes each rule once with and once without every category that can stand for no
// words, and drops the empty alternatives.
bool Converter::RemoveEmptyRules() {
    // Nullable: some rule of the category has only nullable categories on its right.
    // Filled: some rule has a word or a filled category on its right.
    std::vector<std::vector<std::size_t>> usedIn(Names.size());
    std::vector<std::size_t> waiting(Rules.size(), 0);
    std::vector<char> nullable(Names.size(), 0);
    std::vector<char> filled(Names.size(), 0);
    std::deque<int> nullQueue;
    std::deque<int> fillQueue;
    for (std::size_t r = 0; r < Rules.size(); ++r) {
        const std::size_t left = static_cast<std::size_t>(Rules[r].Left);
        bool hasWord = false;
        for (const int symbol : Rules[r].Right) {
            if (symbol < 0) {
                hasWord = true;
            } else {
                usedIn[static_cast<std::size_t>(symbol)].push_back(r);
            }
        }
        waiting[r] = hasWord ? std::size_t(-1) : Rules[r].Right.size();
        if (waiting[r] == 0 && !nullable[left])
            nullable[left] = 1, nullQueue.push_back(Rules[r].Left);
        if (hasWord && !filled[left]) filled[left] = 1, fillQueue.push_back(Rules[r].Left);
    }
    while (!nullQueue.empty()) {
        const int category = nullQueue.front();
        nullQueue.pop_front();
        for (const std::size_t r : usedIn[static_cast<std::size_t>(category)]) {
            if (waiting[r] == std::size_t(-1)) continue;
            const std::size_t left = static_cast<std::size_t>(Rules[r].Left);
            if (--waiting[r] == 0 && !nullable[left])
                nullable[left] = 1, nullQueue.push_back(Rules[r].Left);
        }
    }
    while (!fillQueue.empty()) {
        const int category = fillQueue.front();
        fillQueue.pop_front();
        for (const std::size_t r : usedIn[static_cast<std::size_t>(category)]) {
            const std::size_t left = static_cast<std::size_t>(Rules[r].Left);
            if (!filled[left]) filled[left] = 1, fillQueue.push_back(Rules[r].Left);
        }
    }
    bool anyNullable = false;
    for (const char n : nullable)
        anyNullable = anyNullable || n;
    if (!anyNullable) return true;

    if (!filled[static_cast<std::size_t>(Start)])
        return Fail(StartLine, "the start category " + Names[static_cast<std::size_t>(Start)] +
                                   " stands only for the empty sentence, which this program "
                                   "cannot parse.");
    if (nullable[static_cast<std::size_t>(Start)])
        Result.Notes.Add(StartLine, "the start category " + Names[static_cast<std::size_t>(Start)] +
                                        " can stand for no words; this program cannot parse the "
                                        "empty sentence.");

    std::vector<Rule> expanded;
    std::unordered_set<std::string> seen;
    for (const Rule& rule : Rules) {
        if (rule.Right.empty()) {
            Result.Notes.Add(rule.Line, "the empty alternative of " +
                                            Names[static_cast<std::size_t>(rule.Left)] +
                                            " cannot be written; the rules that use it are "
                                            "written with and without it, and its empty "
                                            "subtrees are lost.");
            continue;
        }
        std::vector<std::size_t> optional; // positions that may be left out
        for (std::size_t i = 0; i < rule.Right.size(); ++i) {
            const int symbol = rule.Right[i];
            if (symbol >= 0 && nullable[static_cast<std::size_t>(symbol)] &&
                filled[static_cast<std::size_t>(symbol)])
                optional.push_back(i);
        }
        if (optional.size() > MaxOptionalPerRule) return Fail(rule.Line, MsgTooManyRules);
        const bool writtenAsUnit = rule.Right.size() == 1 && rule.Right[0] == rule.Left;
        for (std::size_t mask = 0; mask < (std::size_t(1) << optional.size()); ++mask) {
            Rule variant{rule.Left, {}, rule.Line};
            std::size_t next = 0;
            for (std::size_t i = 0; i < rule.Right.size(); ++i) {
                const int symbol = rule.Right[i];
                const bool isOptional = next < optional.size() && optional[next] == i;
                if (isOptional && ((mask >> next++) & 1)) continue;
                if (symbol >= 0 && !filled[static_cast<std::size_t>(symbol)]) continue;
                variant.Right.push_back(symbol);
            }
            if (variant.Right.empty()) continue;
            // X = X made by leaving symbols out adds only endless chains of X.
            if (!writtenAsUnit && variant.Right.size() == 1 && variant.Right[0] == rule.Left)
                continue;
            if (!seen.insert(RuleKey(variant)).second) continue;
            if (expanded.size() >= MaxInternalRules) return Fail(rule.Line, MsgTooManyRules);
            expanded.push_back(std::move(variant));
        }
    }
    Rules = std::move(expanded);
    return true;
}

// Names that are already upper-case identifiers keep themselves; the others take
// their upper-case form with "_" for characters an identifier cannot hold, and a
// number when that is taken.
void Converter::NameCategories() {
    std::vector<char> used(Names.size(), 0);
    std::vector<int> order; // categories of the result in the order first seen
    auto see = [&](int category) {
        if (!used[static_cast<std::size_t>(category)]) {
            used[static_cast<std::size_t>(category)] = 1;
            order.push_back(category);
        }
    };
    see(Start);
    for (const Rule& rule : Rules) {
        see(rule.Left);
        for (const int symbol : rule.Right)
            if (symbol >= 0) see(symbol);
    }
    NewNames.assign(Names.size(), std::string());
    std::unordered_set<std::string> taken;
    for (const int category : order) {
        const std::string& name = Names[static_cast<std::size_t>(category)];
        if (IsIdentifier(name) && UpperCaseGerman(name) == name) {
            NewNames[static_cast<std::size_t>(category)] = name;
            taken.insert(name);
        }
    }
    for (const int category : order) {
        const std::string& name = Names[static_cast<std::size_t>(category)];
        std::string& target = NewNames[static_cast<std::size_t>(category)];
        if (target.empty()) {
            std::string base;
            for (const char c : name) {
                const char upper = UpCaseChar(c);
                base.push_back(IdentChars.find(upper) == std::string::npos ? '_' : upper);
            }
            if (!IsIdentifier(base)) base.insert(base.begin(), '_');
            target = base;
            for (int n = 2; !taken.insert(target).second; ++n)
                target = base + "_" + std::to_string(n);
            if (target != UpperCaseGerman(name) || !IsIdentifier(name))
                Result.Notes.Add(FirstLine[static_cast<std::size_t>(category)],
                                 "the category " + name + " is written " + target + ".");
        }
        Result.Names.emplace_back(name, target);
    }
}

// This notation's start symbol is the one category that has one rule and is used
// nowhere.
void Converter::AddStartRule() {
    std::size_t startRules = 0;
    bool used = false;
    for (const Rule& rule : Rules) {
        if (rule.Left == Start) ++startRules;
        for (const int symbol : rule.Right)
            used = used || symbol == Start;
    }
    if (startRules == 1 && !used) return;
    std::unordered_set<std::string> taken;
    for (const auto& name : Result.Names)
        taken.insert(name.second);
    std::string name = "START";
    for (int n = 2; taken.count(name); ++n)
        name = "START_" + std::to_string(n);
    Result.AddedStart = name;
    const std::string& start = NewNames[static_cast<std::size_t>(Start)];
    StartRule = name + " = " + start;
    Result.Notes.Add(StartLine, "the start category " + Names[static_cast<std::size_t>(Start)] +
                                    (used ? " is used in rules" : " has several rules") +
                                    ", so the rule " + StartRule +
                                    " is put first and each tree has " + name + " as its root.");
}

// Words the scanner does not read as one word ("3", "don't") can be written but
// never matched.
void Converter::NoteUnreadableWords() {
    std::vector<char> used(Words.size(), 0);
    std::vector<int> firstLine(Words.size(), 0);
    for (const Rule& rule : Rules)
        for (const int symbol : rule.Right)
            if (symbol < 0 && !used[static_cast<std::size_t>(-1 - symbol)]) {
                used[static_cast<std::size_t>(-1 - symbol)] = 1;
                firstLine[static_cast<std::size_t>(-1 - symbol)] = rule.Line;
            }
    std::string tokenList;
    int code = 0;
    for (std::size_t w = 0; w < Words.size(); ++w) {
        if (!used[w]) continue;
        if (!tokenList.empty()) tokenList.push_back(' ');
        tokenList += Words[w] + "|" + std::to_string(++code);
        if (code == static_cast<int>(MaxTerminals)) break;
    }
    // One word a line: each must give one keyword or symbol that takes its whole line.
    std::vector<std::string> source;
    std::vector<std::size_t> sourceWord;
    for (std::size_t w = 0; w < Words.size(); ++w)
        if (used[w]) source.push_back(Words[w]), sourceWord.push_back(w);
    NullSink quiet;
    TScanner scanner;
    scanner.Create(&source, std::string(), tokenList, std::string(), true, quiet);
    for (std::size_t line = 0; line < source.size(); ++line) {
        scanner.Line = static_cast<int32_t>(line);
        scanner.Column = 1;
        TTokVal value;
        const int32_t code = scanner.NextToken(value);
        const bool one = code >= 1 && code <= static_cast<int32_t>(MaxTerminals) &&
                         value.Text == source[line] && scanner.Line == static_cast<int32_t>(line) &&
                         static_cast<std::size_t>(scanner.Column) == source[line].size() + 1;
        if (!one)
            Result.Notes.Add(firstLine[sourceWord[line]],
                             "this program's scanner does not read the word " +
                                 Quote(source[line]) + " as one word, so no sentence can hold it.");
    }
    scanner.Done();
}

void Converter::WriteLines() {
    if (!StartRule.empty()) Result.Lines.push_back(StartRule);
    for (const Rule& rule : Rules) {
        std::string line = NewNames[static_cast<std::size_t>(rule.Left)] + " =";
        for (const int symbol : rule.Right) {
            line.push_back(' ');
            if (symbol >= 0)
                line += NewNames[static_cast<std::size_t>(symbol)];
            else
                line += "\"" + Words[static_cast<std::size_t>(-1 - symbol)] + "\"";
        }
        Result.Lines.push_back(std::move(line));
    }
}

bool Converter::Run(const std::vector<std::string>& lines) {
    TNltkGrammar grammar;
    if (!ReadNltkGrammar(lines, grammar, Result.Notes, Error)) return false;
    if (!TakeProductions(grammar) || !KeepProductive()) return false;
    KeepReachable();
    if (!RemoveEmptyRules()) return false;
    NameCategories();
    AddStartRule();
    NoteUnreadableWords();
    WriteLines();
    return true;
}

} // namespace

bool ConvertNltkToGramarbor(const std::vector<std::string>& lines, TNltkConversion& result,
                            TNltkNote& error) {
    result = TNltkConversion();
    try {
        Converter converter(result, error);
        if (converter.Run(lines)) return true;
    } catch (const std::bad_alloc&) {
        error = {0, MsgParserMemory};
    }
    result = TNltkConversion();
    return false;
}

std::string ConversionNotesText(const TNltkNotes& notes) {
    if (notes.Empty()) return std::string();
    std::string text = "The grammar was converted; not everything could be carried over:";
    for (const TNltkNote& note : notes.Kept)
        text += "\n" + (note.Line > 0 ? "Line " + IntToStr(note.Line) + ": " : std::string()) +
                note.Text;
    if (notes.Dropped > 0)
        text += "\n... and " + IntToStr(static_cast<long long>(notes.Dropped)) + " more.";
    return text;
}

bool LoadGrammarFile(const std::string& path, std::vector<std::string>& lines, MessageSink& sink) {
    // A file of another name is accepted only when it holds an NLTK grammar.
    const bool cfgName = HasCfgExtension(path);
    std::vector<std::string> read;
    RecordingSink reading;
    const bool ok = ReadCfgLines(path, read, reading);
    if (!cfgName && (!ok || !LooksLikeNltkGrammar(read))) {
        sink.Error(MsgWrongCfgExtension);
        return false;
    }
    if (!ok) {
        for (const std::string& text : reading.Texts())
            sink.Error(text);
        return false;
    }
    if (!LooksLikeNltkGrammar(read)) {
        lines = std::move(read);
        return true;
    }
    TNltkConversion converted;
    TNltkNote error;
    if (!ConvertNltkToGramarbor(read, converted, error)) {
        sink.Error("The NLTK grammar cannot be converted: " +
                   (error.Line > 0 ? "line " + IntToStr(error.Line) + ": " : std::string()) +
                   error.Text);
        return false;
    }
    const std::string notes = ConversionNotesText(converted.Notes);
    if (!notes.empty()) sink.Warning(notes);
    lines = std::move(converted.Lines);
    return true;
}

} // namespace gramarbor
