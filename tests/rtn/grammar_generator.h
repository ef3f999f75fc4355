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

    std::string Terminal() {
        static const char* const words[] = {"the",
                                            "a",
                                            "cat",
                                            "d\xF6g",
                                            "+",
                                            "x1",
                                            "Stra\xDF"
                                            "e"};
        return "\"" + std::string(words[Pick(0, 6)]) + "\"";
    }

    // A simple element that may appear in rule i.
    std::string Simple(int i, int count) {
        switch (Pick(0, i < count ? 3 : 1)) {
        case 0:
            return Terminal();
        case 1: {
            static const char* const classes[] = {"@Ident", "@number", "@FLOAT", "@Integer"};
            return classes[Pick(0, 3)];
        }
        default:
            return Name(Pick(i + 1, count));
        }
    }

    std::string List(int i, int count, int size) {
        const std::string sep = Pick(0, 1) ? "," : "|";
        std::string text = Simple(i, count);
        for (int k = 1; k < size; ++k)
            text += sep + Simple(i, count);
        return text;
    }

    std::string Element(int i, int count, bool plain) {
        switch (plain ? Pick(0, 1) * 3 : Pick(0, 5)) {
        case 1:
            return "[" + Simple(i, count) + "]";
        case 2:
            return "{" + Simple(i, count) + "}";
        case 3:
            return "<" + List(i, count, Pick(2, 5)) + ">";
        case 4:
            return "(" + List(i, count, Pick(2, 4)) + ")";
        default:
            return Simple(i, count);
        }
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
