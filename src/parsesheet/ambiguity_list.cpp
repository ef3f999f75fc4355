// The model of the "Ambiguities" panel.
#include "parsesheet/ambiguity_list.h"

#include "parsing/parse_messages.h"

namespace gramarbor {

std::string NoteSpansListed(std::size_t spans) {
    return std::to_string(spans) + (spans == 1 ? " ambiguous span." : " ambiguous spans.") +
           " Choose a reading to see the first tree with it.";
}

std::string NoteFirstTree(const std::string& number) {
    return "Tree " + number + " is the first tree with this reading.";
}

void TAmbiguityList::Clear() {
    Report.Clear();
    NoteText.clear();
}

void TAmbiguityList::SetNoTrees() {
    Report.Clear();
    NoteText = NoteNoParseTree;
}

bool TAmbiguityList::Fill(TParser& store, const std::vector<std::string>& sentence, uint8_t options,
                          const BigUint& trees, const CancelToken* cancel) {
    Clear();
    if (trees.IsZero()) {
        NoteText = NoteNoParseTree;
        return true;
    }
    if (trees == BigUint(1)) {
        NoteText = NoteOneParseTree;
        return true;
    }
    // A refusal is the panel's note, not a message box.
    RecordingSink refusal;
    if (ReportAmbiguities(store, sentence, options, Report, cancel, &refusal, MaxListedSpans)) {
        NoteText = NoteSpansListed(Report.SpanCount());
        return true;
    }
    NoteText = refusal.Last();
    return !refusal.Empty();
}

bool TAmbiguityList::FirstTreeOf(std::size_t line, BigUint& number) {
    if (line >= Report.Lines.size() || Report.Lines[line].Kind != TAmbiguityLineKind::Reading) {
        NoteText = NoteNotAReading;
        return false;
    }
    switch (Report.FirstTreeOf(line, number)) {
    case TReadingLookup::Found: {
        BigUint shown = number;
        shown += BigUint(1);
        NoteText = NoteFirstTree(shown.ToString());
        return true;
    }
    case TReadingLookup::TooLarge:
        NoteText = MsgTreeOutOfReach;
        return false;
    case TReadingLookup::NotInTrees:
    case TReadingLookup::Cancelled:
        break;
    }
    NoteText = NoteReadingNotFound;
    return false;
}

} // namespace gramarbor
