// The records a grammar is held in: symbols, rules and rule lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gramarbor {

// Symbol kinds (SymKind).
inline constexpr uint8_t ekAltList = 0;
inline constexpr uint8_t ekNonTerminal = 1;
inline constexpr uint8_t ekTerminal = 2;
inline constexpr uint8_t ekIdent = 3;
inline constexpr uint8_t ekNumber = 4;
inline constexpr uint8_t ekFloat = 5;
inline constexpr uint8_t ekInteger = 6;
// Number of symbol kinds: tables indexed by SymKind have this many entries.
inline constexpr int SymbolKindCount = ekInteger + 1;

// Constructs.
inline constexpr uint8_t ctSimple = 1;
inline constexpr uint8_t ctOptional = 2;        // [x]
inline constexpr uint8_t ctRepeated = 3;        // {x}
inline constexpr uint8_t ctAlternatives = 4;    // <a,b>
inline constexpr uint8_t ctOptAlternatives = 5; // (a,b)

// One symbol occurrence. A list of alternatives (SymKind ekAltList) owns its
// alternatives, each ctSimple; copies are deep because the list is held by value.
struct TElemNode {
    uint8_t SymKind = ekNonTerminal;
    uint8_t Construct = ctSimple;
    // Nonterminal name in upper case, terminal text without quotes, or a token class
    // ("@Ident", "@Number", "@Float", "@Integer"); empty for a list of alternatives.
    std::string Text;
    std::vector<TElemNode> Alternatives;
    // Cross references, 4 bytes per entry (uses on a left element, definitions on a
    // right-side nonterminal).
    std::string Refs;

    // Equal kind, construct and text (and alternatives); Refs are not compared.
    bool SameSymbol(const TElemNode& other) const {
        return SymKind == other.SymKind && Construct == other.Construct && Text == other.Text &&
               SameAlternatives(other);
    }

private:
    bool SameAlternatives(const TElemNode& other) const {
        if (Alternatives.size() != other.Alternatives.size()) return false;
        for (std::size_t i = 0; i < Alternatives.size(); ++i)
            if (!Alternatives[i].SameSymbol(other.Alternatives[i])) return false;
        return true;
    }
};

struct TGramLine {
    TElemNode Left;
    std::vector<TElemNode> Right;
    bool Lexical = false;
};

struct TParsLine {
    const void* FuncCall = nullptr;
    TGramLine Line;
    // Index of the rule line this rule was read from or generated for, so that a fault
    // found after expansion blames the line the user wrote; -1 for the lexical rules
    // the check appends.
    int32_t LineIndex = -1;
};

using TRuleList = std::vector<TParsLine>;

} // namespace gramarbor
