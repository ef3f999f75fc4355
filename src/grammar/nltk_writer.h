// This program's grammars written in NLTK's notation: the checked grammar, one line
// per category with its alternatives ("S -> NP VP", "DET -> 'the' | 'a'").
//
// The rules are those of the internal CFG, so [..], {..}, <..> and (..) become the
// rules the check makes of them and every tree keeps its shape; only the rules the
// check adds for the words of mixed rules are put back into those rules, since NLTK
// allows words beside categories. The categories the check generates ("#0") are
// named "_0" (with "_" added while that is taken). Token classes (@Ident ...) and
// words holding both kinds of quote have no counterpart: their rules are left out
// and noted.
#pragma once

#include <string>
#include <vector>

#include "base/message_sink.h"
#include "grammar/nltk_grammar.h"

namespace gramarbor {

// Checks the grammar text (Windows-1252 lines) and writes it in NLTK's notation
// into result.Lines (Windows-1252; NLTK files are UTF-8, so the caller converts).
// result.Names pairs each generated category with its NLTK name. A grammar error
// goes to sink, with its 0-based line in the text in errorSourceLine (-1 when no
// single line is to blame), and the result is false.
bool ConvertGramarborToNltk(const std::vector<std::string>& sourceLines, TNltkConversion& result,
                            MessageSink& sink, int& errorSourceLine);

// "Save CFG" with NLTK's file type: converts the grammar text and writes it as UTF-8
// lines, replacing the file atomically. What could not be carried over goes to sink
// as one warning; grammar errors and a file that cannot be written as errors.
bool SaveNltkFile(const std::string& path, const std::vector<std::string>& sourceLines,
                  MessageSink& sink);

} // namespace gramarbor
