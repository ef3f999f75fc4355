// The fixed texts the grammar reader and checks report (Windows-1252).
#pragma once

#include <cstddef>
#include <string>

namespace gramarbor {

// Line reader.
inline const std::string MsgNoSeparatorPrefix =
    "No separator found (left-side \"separator\" right-side): ";
inline const std::string MsgMixedRuleSeparators =
    "Either \" \" or \"\x7F\" as separator, don`t mix them.";
inline const std::string MsgTooManyElements =
    "A maximum of 256 elements is allowed on the right side.";
inline const std::string MsgNoElements = "A minimum of 1 element is needed on the right side.";
inline const std::string MsgLeftNotNonTerminal =
    "On the left side has to be a non-terminal symbol.";

// Elements.
inline const std::string MsgExpectedIn = " expected in ";
inline const std::string MsgMixedAltSeparators =
    "Either \"|\" or \",\" as separator, don\xB4t mix them.";
inline const std::string MsgAltSeparatorNeeded =
    "(1) Only use \"|\" or \",\" as separator. (2) List of alternatives <...> must contain at "
    "least 2 elements. (3) No <..>-elements inside <..> allowed.";
inline const std::string MsgTooManyAlternatives =
    "List of alternatives may contain a maximum of 256 elements.";
inline const std::string MsgAltOnlySimple = "In an alternative-list only simple elements are "
                                            "allowed. (i.e. no <..>, [..] or {..} inside <..>)";
inline const std::string MsgBracketExpectedPrefix = "\"]\" expected in ";
inline const std::string MsgQuotationPrefix = "Quotation mark expected in: ";
inline const std::string MsgUnknownTokenTypePrefix = "Unknown token-type: ";
inline const std::string MsgWrongLetters =
    "(1) Wrong letters in symbol-name. (2) Wrong construction: \"[[..]]\", \"[{..}]\", "
    "\"{[..]}\", \"{{..}}\", \"{<..>}\" is not allowed.\"[<..>]\" can be replaced by \"(..)\".";

// Checks.
inline const std::string MsgFuncCallCount =
    "Number of grammar-lines does not correspond to number of function-calls.";
inline const std::string MsgEmptyRightSide =
    "Wrong construction: no {..}-, (..)- or [..]-symbol at the end of a right side: neither \"X "
    "= .. {B}\" nor \"X = [A]\" nor \"x = (X,Y)\" is allowed. The point is: resolution of such "
    "complex constructions can create more simple lines with an empty right side, which is not "
    "processible by the parser.";
inline const std::string MsgNotDeclaredPrefix = "Symbol ";
inline const std::string MsgNotDeclaredSuffix = " is not declared.";
inline const std::string MsgNoStartSymbol =
    "There is no start-symbol defined. There has to be 1 symbol that may not appear on the right "
    "side of any definition-line.";
inline const std::string MsgTwoStartLines =
    "There are at least 2 start-lines defined (internally!). This may be due to the fact that "
    "your intended start-line contains complex elements like [..], <..>, (..) or {..}, which are "
    "then resolved internally to 2 or more functionally equivalent lines. To avoid this, always "
    "use \"Start = S\" as start-line, where S then can contain all elements you wanted to have in "
    "your start-line.";

// Limits of the internal CFG: rule indices are 16-bit, right-side positions 8-bit and
// terminal token codes run from 1 to 65529.
inline constexpr std::size_t MaxInternalRules = 65536;
inline constexpr std::size_t MaxRightElements = 256;
inline constexpr std::size_t MaxAlternatives = 256;
inline constexpr std::size_t MaxTerminals = 65529;
inline const std::string MsgTooManyRules =
    "The grammar is too large: its internal CFG would need more than 65536 rules.";
inline const std::string MsgTooManyTerminals =
    "The grammar is too large: it has more than 65529 terminals (quoted words).";

// Every right-side use of a nonterminal lists all its rules and every rule lists all
// uses of its nonterminal, so the references grow with uses times rules; beyond this
// many bytes the grammar is refused instead of exhausting memory.
inline constexpr std::size_t MaxReferenceBytes = std::size_t(1) << 30;
inline const std::string MsgTooManyReferences =
    "The grammar is too large: its cross references would need more than 1 GB of memory.";

// Grammar commands and files.
inline const std::string MsgDefineCfgFirst = "Please define a CFG first.";
inline const std::string MsgWrongCfgExtension = "Wrong file-type: extension \".CFG\" expected.";
inline const std::string MsgCfgCannotRead = "The file could not be read.";
inline const std::string MsgCfgTooLarge = "The file is too large to be a grammar.";
inline const std::string MsgCfgCannotSave =
    "The file could not be saved; an existing file of that name was left unchanged.";
// Followed by the 1-based line number and MsgCfgBadCharSuffix.
inline const std::string MsgCfgBadCharPrefix = "Line ";
inline const std::string MsgCfgBadCharSuffix =
    " of the file holds a character that Windows-1252 cannot represent.";

} // namespace gramarbor
