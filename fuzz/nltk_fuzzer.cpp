// Grammars in NLTK's notation: a conversion either stops with a reason or gives a
// grammar that this program's check accepts; that grammar written in NLTK's notation
// converts again into a grammar the check accepts, with the same categories.
//
// Input: the grammar text.
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "fuzz_support.h"
#include "grammar/grammar_messages.h"
#include "grammar/nltk_grammar.h"
#include "grammar/nltk_writer.h"
#include "grammar/prepare_grammar.h"

using namespace gramarbor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = fuzz::Lines(fuzz::AsText(data, size));
    TNltkConversion converted;
    TNltkNote error;
    if (!ConvertNltkToGramarbor(lines, converted, error)) {
        FUZZ_CHECK(!error.Text.empty(), "a refused conversion gives no reason");
        FUZZ_CHECK(error.Line >= 0 && static_cast<std::size_t>(error.Line) <= lines.size(),
                   "the error names a line beyond the text");
        return 0;
    }
    FUZZ_CHECK(converted.Notes.Kept.size() <= TNltkNotes::MaxNotes, "notes grow without bound");
    for (const TNltkNote& note : converted.Notes.Kept)
        FUZZ_CHECK(note.Line >= 0 && static_cast<std::size_t>(note.Line) <= lines.size(),
                   "a note names a line beyond the text");

    RecordingSink sink;
    TParser parser(sink);
    const bool checked = PrepareGrammar(parser, converted.Lines, true);
    // Only the limits of the internal CFG may refuse a converted grammar.
    FUZZ_CHECK(checked || sink.Last() == MsgTooManyRules || sink.Last() == MsgTooManyTerminals ||
                   sink.Last() == MsgTooManyReferences,
               "the check refuses a converted grammar: " + sink.Last());
    if (!checked) return 0;

    TNltkConversion written;
    int errorLine = -1;
    FUZZ_CHECK(ConvertGramarborToNltk(converted.Lines, written, sink, errorLine),
               "a checked grammar cannot be written: " + sink.Last());
    TNltkConversion again;
    FUZZ_CHECK(ConvertNltkToGramarbor(written.Lines, again, error),
               "the written grammar cannot be read: " + error.Text);
    sink.Clear();
    FUZZ_CHECK(PrepareGrammar(parser, again.Lines, true),
               "the check refuses a grammar converted twice: " + sink.Last());
    return 0;
}
