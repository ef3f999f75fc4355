// The option byte of the parsing page and the state of the six controls that set it:
// the method, direction and trace-kind groups and the three check boxes.
#pragma once

#include <cstdint>

namespace gramarbor {

// What the option controls show. Items are -1 when no item is chosen.
struct TParseControls {
    int MethodItem = -1;    // 0 top down, 1 bottom up
    int DirectionItem = -1; // 0 depth first, 1 breadth first
    int TraceKindItem = 0;  // 0 detailed, 1 optimal
    bool TraceList = false;
    bool ParseTrees = false;
    bool CaseSensitive = false;
    // Method, direction and trace kind only matter with a trace list.
    bool GroupsEnabled = false;
    bool operator==(const TParseControls&) const = default;
};

// The option byte and its controls, kept in step. Each handler is what a click on
// its control does; the controls are then shown as Controls says.
class TParseOptionState {
public:
    explicit TParseOptionState(uint8_t options = 0) { SetOptions(options); }

    uint8_t Options() const { return Byte; }
    const TParseControls& Controls() const { return Shown; }
    // A byte from the settings: the controls are set from it.
    void SetOptions(uint8_t options);

    void ParseMethodRGClick(int item);
    void ParseDirRGClick(int item);
    void TraceListRGClick(int item);
    // Checked: the byte takes over method, direction and kind as the groups show them.
    // Unchecked: trace list and optimal trace are cleared, method and direction stay.
    void TraceListCBClick(bool checked);
    void ParseTreeCBClick(bool checked);
    void CaseSensCBClick(bool checked);

private:
    void SetBit(uint8_t bit, bool on);
    uint8_t Byte = 0;
    TParseControls Shown;
};

} // namespace gramarbor
