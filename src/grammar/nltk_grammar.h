// Grammars in NLTK's notation turned into this program's notation, so that the
// result parses the same sentences with the same trees, and "Load CFG" for both.
//
// How the notations are matched:
// - Quoted words stay quoted words (case kept); a word this notation or its scanner
//   cannot hold (a blank, a control character, "|") leaves its alternative out.
// - Category names are case-sensitive in NLTK and upper-cased here: each becomes
//   its upper-case form, characters an identifier cannot hold become "_", and a name
//   already taken gets "_2", "_3" ... Trees carry the new names.
// - Empty alternatives cannot be written: a category that can stand for no words is
//   left out where it does (each rule is written with and without it), so the trees
//   lose their empty subtrees.
// - Categories that derive no sentence or cannot be reached from the start are left
//   out with the rules that use them.
// - This notation's start symbol has one rule and is used nowhere: otherwise a rule
//   "START = S" is put first, and each tree gets START as its root.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/message_sink.h"
#include "grammar/nltk_reader.h"

namespace gramarbor {

struct TNltkConversion {
    std::vector<std::string> Lines; // the grammar in the notation converted to
    TNltkNotes Notes;               // what could not be carried over
    // Every category name with its name in the result, in the order first seen.
    std::vector<std::pair<std::string, std::string>> Names;
    std::string AddedStart; // the start category put above the original, or empty
};

// NLTK text (Windows-1252 lines) to this program's notation. A malformed line, a
// start category that derives no sentence or a result beyond the limits of the
// internal CFG stop the conversion with the line (0 when none) and reason in error.
bool ConvertNltkToGramarbor(const std::vector<std::string>& lines, TNltkConversion& result,
                            TNltkNote& error);

// "Line N: TEXT" for each note, headed by one line that says the grammar was
// converted; empty when there are no notes.
std::string ConversionNotesText(const TNltkNotes& notes);

// "Load CFG": reads a grammar file (limits and encodings as ReadCfgLines). A file in
// NLTK's notation is accepted whatever its extension and converted, its notes going
// to sink as one warning; any other file needs the ".CFG" extension (otherwise, or
// when such a file cannot be read, "Wrong file-type: ..."). Errors go to sink and
// leave lines untouched.
bool LoadGrammarFile(const std::string& path, std::vector<std::string>& lines, MessageSink& sink);

} // namespace gramarbor
