// Model of the condition dialog ("Enter conditions"): five rows of condition,
// source and destination cells, the node-type choice, the checks run on OK and the
// enabled states of its controls. A toolkit dialog only shows this state and
// forwards its events to the handlers here.
#pragma once

#include <array>
#include <string>

#include "base/message_sink.h"

namespace gramarbor {

// Result of one showing: show again, cancelled, accepted.
inline constexpr int DlgAgain = -1;
inline constexpr int DlgCancelled = 0;
inline constexpr int DlgAccepted = 1;

inline constexpr int CondRows = 5;

enum class TNodeType { Normal = 0, Optional = 1, Repeated = 2 };

// Mouse buttons and shift states of mouse events, as sets of these bits.
inline constexpr unsigned ssShift = 0x01;
inline constexpr unsigned ssAlt = 0x02;
inline constexpr unsigned ssCtrl = 0x04;
inline constexpr unsigned ssLeft = 0x08;
inline constexpr unsigned ssRight = 0x10;
inline constexpr unsigned ssMiddle = 0x20;
inline constexpr unsigned ssDouble = 0x40;
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

inline const std::string MsgPopArcEntered = "Pop-arcs can`t be entered.";
inline const std::string MsgBackwardByYourself =
    "You can`t define a backward-condition by yourself.";
inline const std::string MsgEnterConditionFirst = "Please enter a condition first.";
inline const std::string MsgOptionalJmpPop =
    "You can\xB4t have have an optional or repeated \"jmp\"/\"pop\"!";
inline const std::string MsgOnlyOneCondition =
    "Only 1 condition is allowed when creating an optional or repeated node.";
inline const std::string MsgInputOneCondition = "Please input at least 1 condition.";
inline const std::string MsgPlainForwardRow = "Please enter at least 1 condition that is not a "
                                              "jump-arc and ends in the directly following node.";
inline const std::string MsgOnlyConditionToNext =
    "The only condition must always end in the following node.";

class TCondDlg {
public:
    explicit TCondDlg(MessageSink& sink);

    // Cells by row; row 0 is the header row, rows 1..5 the conditions.
    std::array<std::string, CondRows + 1> Conds;
    std::array<std::string, CondRows + 1> Srcs;
    std::array<std::string, CondRows + 1> Dsts;

    std::string DlgNetName;
    int DlgNode = 0;
    int DlgNodeCount = 0;
    std::string DefaultSrc;
    std::string DefaultDst;
    int FilledCount = 0;
    bool IsPopNode = false;
    bool IsRepeated = false;
    // The rows as they will be stored, filled by the checks on OK: condition text,
    // kind (0 = none), source and destination node numbers (-1 = none). The cells above
    // keep what the user typed until every check has passed.
    std::array<std::string, CondRows + 1> RowText;
    std::array<int, CondRows + 1> RowKind{};
    std::array<int, CondRows + 1> RowSrc{};
    std::array<int, CondRows + 1> RowDst{};
    int DlgResult = DlgCancelled;

    TNodeType NodeType = TNodeType::Normal;
    // Enabled states: node-type choice; condition, source and destination columns;
    // the buttons "Clear all", "Cancel" and OK.
    bool NodeTypeEnabled = true;
    bool EditingEnabled = true;
    bool ButtonsEnabled = true;
    bool HelpVisible = false;
    std::string HelpCaption = "Help";

    void FormCreate();
    void SetupCondDlg(const std::string& netName, int nodeCount, bool isRepeated, int node);
    void FormShow();
    void OkBtnClick();
    void CancelBtnClick();
    void ClearAllBtnClick();
    void HelpBtnClick();
    void NodeTypeRGClick(TNodeType choice);
    // A mouse click on row of the condition column (0 is the header).
    void EnterCondsMouseDown(int row, TMouseButton button, unsigned shift);

    void InsertRow(int row);
    void DeleteRow(int row);
    bool CompactRows();
    // Exchanges two of the rows to be stored (text, kind, source and destination).
    void SwapRows(int i, int j);
    void ResetNodeNames();
    void EnableEditing(bool enabled);
    void EnableButtons(bool enabled);

    // The checks of OK. They read the cells and fill the rows to be stored; a failed
    // check repairs only the cell its message names. CheckLastRowToNext only chooses the
    // row that takes the last row's place; OK exchanges them once every check has passed.
    bool ValidateRows();
    bool RemoveDuplicateRows();
    bool CheckPlainForwardRow();
    bool CheckLastRowToNext();

private:
    void MoveRowsUp(int from);
    void ClearStoredRows();

    // The row CheckLastRowToNext chose to exchange with the last filled row (0: none).
    int LastRowPartner = 0;
    // The node number in a node-name cell ("NP12" -> 12 for net NP); false when the
    // cell does not name a node of this net.
    bool NodeNumber(const std::string& cell, int& number) const;

    MessageSink& Sink;
    bool SavedNodeTypeEnabled = true;
};

// Model of the net-name dialog ("Enter net-name").
class TNetNameDlg {
public:
    explicit TNetNameDlg(MessageSink& sink) : Sink(sink) {}

    std::string NetNameEdit;
    int DlgResult = DlgCancelled;

    void FormShow() { DlgResult = DlgCancelled; }
    void OKBtnClick();
    void CancelBtnClick() { DlgResult = DlgCancelled; }

private:
    MessageSink& Sink;
};

inline const std::string MsgWrongNetName = "Wrong net-name.";

} // namespace gramarbor
