// Random grammars written with every construct the network can express: optional
// parts, repetitions, lists of alternatives, token classes and words with umlauts.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace gramarbor::testing {

class GrammarGenerator {
public:
    explicit GrammarGenerator(unsigned seed) : Random(seed) {}

    // "START = N0", then rules for N0..Nk; each Ni uses only later nonterminals and
    // at least N(i+1), so the grammar has one start rule and no cycles.
    std::vector<std::string> Make() {
        const int count = Pick(1, 5);
        std::vector<std::string> lines = {"// generated", "START = " + Name(0)};
        for (int i = 0; i <= count; ++i) {
            const int rules = Pick(1, 2);
            for (int r = 0; r < rules; ++r)
                lines.push_back(MakeRule(i, count, r == 0));
        }
        return lines;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(Random); }

    std::string Name(int i) {
        // Names in mixed case: the reader folds them to upper case.
        return Pick(0, 1) ? "n" + std::to_string(i) : "N" + std::to_string(i);
    }

    // A word (with umlauts: octal escapes), a token class or a later nonterminal that
    // may appear in rule i.
    std::string Simple(int i, int count) {
        static const char* const words[] = {"the", "a", "cat", "d\366g", "+", "x1", "Stra\337e"};
        static const char* const classes[] = {"@Ident", "@number", "@FLOAT", "@Integer"};
        const int kind = Pick(0, i < count ? 3 : 1);
        return kind == 0   ? "\"" + std::string(words[Pick(0, 6)]) + "\""
               : kind == 1 ? classes[Pick(0, 3)]
                           : Name(Pick(i + 1, count));
    }

    // An element of rule i: simple, [optional], {repeated}, or a list of 2 to 5 in <..>
    // or of 2 to 4 in (..); a plain one never vanishes.
    std::string Element(int i, int count, bool plain) {
        const int kind = plain ? Pick(0, 1) * 3 : Pick(0, 5);
        if (kind != 3 && kind != 4) {
            const std::string text = Simple(i, count);
            return kind == 1 ? "[" + text + "]" : kind == 2 ? "{" + text + "}" : text;
        }
        const int size = Pick(2, kind == 3 ? 5 : 4);
        const std::string sep = Pick(0, 1) ? "," : "|";
        std::string text = (kind == 3 ? "<" : "(") + Simple(i, count);
        for (int k = 1; k < size; ++k)
            text += sep + Simple(i, count);
        return text + (kind == 3 ? ">" : ")");
    }

    std::string MakeRule(int i, int count, bool usesNext) {
        const int size = Pick(1, 5);
        const int plainAt = Pick(0, size - 1); // one element that can never vanish
        const int nextAt = Pick(0, size - 1);
        std::string text = Name(i) + " =";
        for (int e = 0; e < size; ++e) {
            std::string element = Element(i, count, e == plainAt);
            if (usesNext && e == nextAt && i < count)
                element = e == plainAt ? Name(i + 1) : "[" + Name(i + 1) + "]";
            text += " " + element;
        }
        return text;
    }

    std::mt19937 Random;
};

} // namespace gramarbor::testing
