// The option byte of the parsing page and its controls' state.
#include "parsesheet/parse_controls.h"

#include "parsing/parse_options.h"

namespace gramarbor {

void TParseOptionState::SetOptions(uint8_t options) {
    Byte = options;
    Shown.MethodItem = (Byte & poTopDown) ? 0 : (Byte & poBottomUp) ? 1 : -1;
    Shown.DirectionItem = (Byte & poDepthFirst) ? 0 : (Byte & poBreadthFirst) ? 1 : -1;
    Shown.TraceKindItem = (Byte & poOptimalTrace) ? 1 : 0;
    Shown.TraceList = Byte & poTraceList;
    Shown.ParseTrees = Byte & poParseTrees;
    Shown.CaseSensitive = Byte & poCaseSensitive;
    Shown.GroupsEnabled = Shown.TraceList;
}

void TParseOptionState::SetBit(uint8_t bit, bool on) {
    Byte = static_cast<uint8_t>(on ? (Byte | bit) : (Byte & ~bit));
}

void TParseOptionState::ParseMethodRGClick(int item) {
    Shown.MethodItem = item;
    SetBit(poTopDown, item == 0);
    SetBit(poBottomUp, item != 0);
}

void TParseOptionState::ParseDirRGClick(int item) {
    Shown.DirectionItem = item;
    SetBit(poDepthFirst, item == 0);
    SetBit(poBreadthFirst, item != 0);
}

void TParseOptionState::TraceListRGClick(int item) {
    Shown.TraceKindItem = item;
    SetBit(poOptimalTrace, item == 1);
}

void TParseOptionState::TraceListCBClick(bool checked) {
    Shown.TraceList = checked;
    Shown.GroupsEnabled = checked;
    if (checked) {
        SetBit(poTraceList, true);
        TraceListRGClick(Shown.TraceKindItem);
        ParseMethodRGClick(Shown.MethodItem);
        ParseDirRGClick(Shown.DirectionItem);
    } else {
        SetBit(poTraceList | poOptimalTrace, false);
    }
}

void TParseOptionState::ParseTreeCBClick(bool checked) {
    Shown.ParseTrees = checked;
    SetBit(poParseTrees, checked);
}

void TParseOptionState::CaseSensCBClick(bool checked) {
    Shown.CaseSensitive = checked;
    SetBit(poCaseSensitive, checked);
}

} // namespace gramarbor
