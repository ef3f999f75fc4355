// Grammars in NLTK's notation: what each construct becomes, what is refused, the
// written form, and that conversions keep the sentences and their trees (against the
// examples and against a reference enumeration of NLTK's trees on random grammars).
#include "grammar/nltk_grammar.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

#include "grammar/cfg_file.h"
#include "grammar/nltk_writer.h"
#include "grammar/prepare_grammar.h"
#include "parsing/parse_driver.h"
#include "parsing/parse_options.h"

namespace gramarbor {
namespace {

using Lines = std::vector<std::string>;

// The blocks of tests/data/grammar/nltk_conversions.txt: a kind ("" for NLTK's
// notation to this one), then the sections between the "--" lines.
struct Block {
    std::string Kind;
    std::vector<Lines> Sections{1};
};

std::vector<Block> ReadBlocks() {
    std::ifstream in(std::string(GRAMARBOR_TEST_DATA) + "/grammar/nltk_conversions.txt",
                     std::ios::binary);
    std::vector<Block> blocks;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("== ", 0) == 0)
            blocks.push_back({line.substr(3)});
        else if (blocks.empty())
            continue;
        else if (line == "--")
            blocks.back().Sections.emplace_back();
        else
            blocks.back().Sections.back().push_back(line);
    }
    return blocks;
}

TEST(NltkConversion, WritesTheRulesNotesWhatIsLostAndRefusesNamingTheLine) {
    const std::vector<Block> blocks = ReadBlocks();
    EXPECT_EQ(blocks.size(), 28u);
    for (const Block& b : blocks) {
        SCOPED_TRACE(b.Kind + ": " + b.Sections[0].at(0));
        ASSERT_GE(b.Sections.size(), 2u);
        TNltkConversion result;
        TNltkNote error;
        RecordingSink sink;
        int errorLine = 0;
        if (b.Kind == "refused") {
            EXPECT_FALSE(ConvertNltkToGramarbor(b.Sections[0], result, error));
            EXPECT_EQ(Lines{std::to_string(error.Line) + ": " + error.Text}, b.Sections[1]);
            EXPECT_TRUE(result.Lines.empty());
        } else if (b.Kind == "to-nltk") {
            ASSERT_TRUE(ConvertGramarborToNltk(b.Sections[0], result, sink, errorLine))
                << sink.Last();
        } else {
            ASSERT_TRUE(ConvertNltkToGramarbor(b.Sections[0], result, error))
                << error.Line << ": " << error.Text;
            // Whatever the conversion gives, the check accepts.
            TParser parser(sink);
            EXPECT_TRUE(PrepareGrammar(parser, result.Lines, true)) << sink.Last();
        }
        if (b.Kind != "refused") {
            ASSERT_EQ(b.Sections.size(), 3u);
            EXPECT_EQ(result.Lines, b.Sections[1]);
            Lines notes; // "N: text" for a note of line N
            for (const TNltkNote& note : result.Notes.Kept)
                notes.push_back(std::to_string(note.Line) + ": " + note.Text);
            EXPECT_EQ(notes, b.Sections[2]);
        }
    }
}

TEST(NltkToGramarbor, RecognisesTheNotationByItsArrow) {
    EXPECT_TRUE(LooksLikeNltkGrammar({"", "# S = NP VP", "%start S", "S -> 'a' | '='"}));
    EXPECT_TRUE(LooksLikeNltkGrammar({"% start S", "S[SEM=<?v>] -> NP[NUM=sg]"}));
    EXPECT_FALSE(LooksLikeNltkGrammar({"// S -> NP", "X = \"->\""}));
    EXPECT_FALSE(LooksLikeNltkGrammar({"# only comments"}));
}

TEST(NltkToGramarbor, KeepsAtMostABoundedNumberOfNotes) {
    Lines lines = {"S -> 'a'"};
    for (int i = 0; i < 500; ++i)
        lines.push_back("S -> 'a' [0.1]");
    TNltkConversion result;
    TNltkNote error;
    ASSERT_TRUE(ConvertNltkToGramarbor(lines, result, error));
    EXPECT_EQ(result.Notes.Kept.size(), TNltkNotes::MaxNotes);
    EXPECT_EQ(result.Notes.Dropped, 500 - TNltkNotes::MaxNotes);
    const std::string text = ConversionNotesText(result.Notes);
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "The grammar was converted; not everything could be carried over:");
    EXPECT_NE(text.find("\n... and 300 more."), std::string::npos);
}

// A grammar this notation refuses is among the golden command lines (convert).

// ---- Trees ----

// The canonical form of the tree at text[pos] ("[S [NP [the]] ...]"), read up to its
// end: labels renamed, generated categories ("#...") replaced by their children and
// subtrees without words left out; empty for such a subtree.
std::string Canonical(const std::string& text, std::size_t& pos,
                      const std::map<std::string, std::string>& rename) {
    std::string label, inner;
    bool leaf = true;
    ++pos; // "["
    while (pos < text.size() && text[pos] != ' ' && text[pos] != ']')
        label.push_back(text[pos++]);
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
        leaf = false;
        const std::string child = Canonical(text, pos, rename);
        if (!child.empty()) inner += (inner.empty() ? "" : " ") + child;
    }
    ++pos; // "]"
    if (leaf) return "[" + label + "]";
    if (const auto renamed = rename.find(label); renamed != rename.end()) label = renamed->second;
    if (inner.empty() || (!label.empty() && label[0] == '#')) return inner;
    return "[" + label + " " + inner + "]";
}

// The canonical trees of a sentence, without the root named dropRoot.
std::multiset<std::string> TreesOf(const Lines& grammar, const std::string& sentence,
                                   const std::map<std::string, std::string>& rename = {},
                                   const std::string& dropRoot = "") {
    RecordingSink sink;
    TParser parser(sink);
    EXPECT_TRUE(PrepareGrammar(parser, grammar, true)) << sink.Last();
    ParseSentence(parser, {sentence}, poTopDown | poDepthFirst | poParseTrees | poCaseSensitive);
    std::multiset<std::string> trees;
    for (const std::string& text : parser.ParseTrees) {
        const bool drop = !dropRoot.empty() && text.rfind("[" + dropRoot + " ", 0) == 0;
        std::size_t pos = drop ? dropRoot.size() + 2 : 0;
        trees.insert(Canonical(text, pos, rename));
    }
    return trees;
}

// Random sentences of a checked grammar (words of its derivations, up to a depth).
Lines RandomSentences(const TParser& parser, std::mt19937& random, int count) {
    std::map<std::string, std::vector<std::size_t>> rulesOf;
    for (std::size_t i = 0; i < parser.Rules.size(); ++i)
        rulesOf[parser.Rules[i].Line.Left.Text].push_back(i);
    Lines sentences;
    for (int attempt = 0; attempt < 20 * count && static_cast<int>(sentences.size()) < count;
         ++attempt) {
        std::string sentence;
        bool ok = true;
        std::function<void(const std::string&, int)> derive = [&](const std::string& symbol,
                                                                  int depth) {
            const auto& rules = rulesOf[symbol];
            if (!ok || depth > 12 || rules.empty()) return void(ok = false);
            for (const TElemNode& element : parser.Rules[rules[random() % rules.size()]].Line.Right)
                if (element.SymKind == ekNonTerminal)
                    derive(element.Text, depth + 1);
                else if (element.SymKind == ekTerminal)
                    sentence += (sentence.empty() ? "" : " ") + element.Text;
                else
                    ok = false;
        };
        derive(parser.Rules[static_cast<std::size_t>(parser.StartLine)].Line.Left.Text, 0);
        if (!ok || sentence.empty()) continue;
        sentences.push_back(sentence);
        // The same with its last word doubled: mostly not a sentence.
        sentences.push_back(sentence + sentence.substr(sentence.rfind(' ') + 1));
    }
    return sentences;
}

TEST(NltkRoundTrip, ExamplesParseTheSameSentencesWithTheSameTrees) {
    std::mt19937 random(20261207);
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(GRAMARBOR_EXAMPLES)) {
        if (entry.path().extension() != ".cfg") continue;
        SCOPED_TRACE(entry.path().filename().string());
        RecordingSink sink;
        Lines original;
        ASSERT_TRUE(ReadCfgLines(entry.path().string(), original, sink));
        TNltkConversion written;
        int errorLine = 0;
        ASSERT_TRUE(ConvertGramarborToNltk(original, written, sink, errorLine));
        TParser parser(sink);
        ASSERT_TRUE(PrepareGrammar(parser, original, true));
        const Lines sentences = RandomSentences(parser, random, 25);
        TNltkConversion back;
        TNltkNote error;
        // Without its token classes a grammar may have no sentence left.
        if (!ConvertNltkToGramarbor(written.Lines, back, error)) {
            EXPECT_TRUE(sentences.empty()) << error.Text;
            continue;
        }
        // Generated categories keep the names they were written with.
        const std::map<std::string, std::string> backNames(back.Names.begin(), back.Names.end());
        std::map<std::string, std::string> rename = backNames;
        for (const auto& [from, to] : written.Names)
            rename[from] = backNames.count(to) ? backNames.at(to) : to;

        for (const std::string& sentence : sentences) {
            const auto before = TreesOf(original, sentence, rename);
            EXPECT_EQ(before, TreesOf(back.Lines, sentence, {}, back.AddedStart)) << sentence;
            compared += before.empty() ? 0 : 1;
        }
    }
    EXPECT_GT(compared, 40);
}

// NLTK's trees of a sentence, made directly from the productions: the reference for
// grammars without cycles.
struct ReferenceTrees {
    const TNltkGrammar& Grammar;
    const Lines& Words;
    const std::map<std::string, std::string>& Rename;
    std::map<std::string, std::set<std::string>> Memo;

    // Canonical texts of the trees of category over words [from, to).
    std::set<std::string> Of(const std::string& category, std::size_t from, std::size_t to) {
        const std::string key = category + "/" + std::to_string(from) + "/" + std::to_string(to);
        if (const auto known = Memo.find(key); known != Memo.end()) return known->second;
        std::set<std::string> trees;
        for (const TNltkProduction& production : Grammar.Productions) {
            if (production.Left != category) continue;
            Sequences(production.Right, 0, from, to, "", [&](const std::string& inner) {
                const auto renamed = Rename.find(category);
                const std::string label =
                    renamed == Rename.end() ? "?" + category : renamed->second;
                trees.insert(inner.empty() ? std::string() : "[" + label + " " + inner + "]");
            });
        }
        return Memo[key] = trees;
    }

    void Sequences(const std::vector<TNltkSymbol>& right, std::size_t k, std::size_t from,
                   std::size_t to, const std::string& done,
                   const std::function<void(const std::string&)>& emit) {
        if (k == right.size()) {
            if (from == to) emit(done);
            return;
        }
        const auto join = [&](const std::string& text) {
            return text.empty() ? done : done.empty() ? text : done + " " + text;
        };
        if (right[k].Terminal) {
            if (from < to && Words[from] == right[k].Text)
                Sequences(right, k + 1, from + 1, to, join("[" + right[k].Text + "]"), emit);
            return;
        }
        for (std::size_t end = from; end <= to; ++end)
            for (const std::string& tree : Of(right[k].Text, from, end))
                Sequences(right, k + 1, end, to, join(tree), emit);
    }
};

// Random grammars in NLTK's notation over the words a and b, with categories that
// differ only in case or cannot be identifiers, empty alternatives, categories
// without rules and out of reach. A category uses only later ones: no cycles.
Lines RandomNltkGrammar(std::mt19937& random) {
    const Lines categories = {"S", "np", "NP", "Vp/x", "1a", "B", "Undefined"};
    Lines lines = {"# random grammar"};
    for (std::size_t c = 0; c + 1 < categories.size(); ++c) {
        const int alternatives = static_cast<int>(random() % 4);
        if (alternatives == 0) continue;
        std::string line = categories[c] + " ->";
        for (int a = 0; a < alternatives; ++a) {
            if (a > 0 && random() % 3 == 0)
                lines.push_back(line), line = "  |";
            else if (a > 0)
                line += " |";
            const int length = static_cast<int>(random() % 4);
            for (int s = 0; s < length; ++s) {
                const std::size_t pick = random() % 3;
                if (pick == 0 || c + 1 >= categories.size() - 1)
                    line += random() % 2 ? " 'a'" : " \"b\"";
                else
                    line += " " + categories[c + 1 + random() % (categories.size() - c - 1)];
            }
        }
        lines.push_back(line);
    }
    return lines;
}

TEST(NltkRoundTrip, RandomGrammarsGiveNltksTreesWithoutEmptySubtrees) {
    std::mt19937 random(7122026);
    int converted = 0;
    int sentencesWithTrees = 0;
    for (int round = 0; round < 300; ++round) {
        const Lines nltk = RandomNltkGrammar(random);
        TNltkConversion result;
        TNltkNote error;
        TNltkGrammar grammar;
        TNltkNotes notes;
        ASSERT_TRUE(ReadNltkGrammar(nltk, grammar, notes, error));
        const bool ok = ConvertNltkToGramarbor(nltk, result, error);
        converted += ok ? 1 : 0;
        // Every converted grammar passes the check.
        if (ok) {
            RecordingSink sink;
            TParser parser(sink);
            if (!PrepareGrammar(parser, result.Lines, true)) {
                ADD_FAILURE() << "round " << round << ": " << sink.Last();
                continue;
            }
        }
        std::map<std::string, std::string> rename(result.Names.begin(), result.Names.end());
        for (int length = 1; length <= 4; ++length) {
            for (int bits = 0; bits < (1 << length); ++bits) {
                Lines words;
                std::string sentence;
                for (int i = 0; i < length; ++i) {
                    words.push_back((bits >> i) & 1 ? "b" : "a");
                    sentence += (i ? " " : "") + words.back();
                }
                ReferenceTrees reference{grammar, words, rename, {}};
                std::set<std::string> expected = reference.Of(grammar.Start, 0, words.size());
                // A refused grammar has no sentence.
                if (!ok) {
                    EXPECT_TRUE(expected.empty()) << "round " << round << ": " << sentence;
                    continue;
                }
                const auto actual = TreesOf(result.Lines, sentence, {}, result.AddedStart);
                EXPECT_EQ(expected, std::set<std::string>(actual.begin(), actual.end()))
                    << "round " << round << ": " << sentence;
                EXPECT_EQ(actual.size(),
                          std::set<std::string>(actual.begin(), actual.end()).size());
                sentencesWithTrees += actual.empty() ? 0 : 1;
            }
        }
    }
    EXPECT_GT(converted, 120);
    EXPECT_GT(sentencesWithTrees, 200);
}

} // namespace
} // namespace gramarbor
