// Row handling and checks of the condition dialog, and the net-name dialog.
#include "rtn/cond_dialog.h"

#include <limits>
#include <utility>

#include "text/text_utils.h"

namespace gramarbor {

namespace {

std::string ErrorIn(int row, const std::string& rest) {
    return "Error in #" + IntToStr(row) + rest;
}

// Digits only, at least one; values too large for an int become the largest int.
bool DecimalNumber(std::string_view text, int& value) {
    if (text.empty()) return false;
    long long result = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        if (result <= std::numeric_limits<int>::max()) result = result * 10 + (c - '0');
    }
    value = result > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                     : static_cast<int>(result);
    return true;
}

} // namespace

TCondDlg::TCondDlg(MessageSink& sink) : Sink(sink) {
    FormCreate();
    ClearStoredRows();
}

void TCondDlg::ClearStoredRows() {
    for (std::string& text : RowText)
        text.clear();
    RowKind.fill(0);
    RowSrc.fill(-1);
    RowDst.fill(-1);
    LastRowPartner = 0;
}

void TCondDlg::FormCreate() {
    Conds[0] = "Arc conditions:";
    Srcs[0] = "Source";
    Dsts[0] = "Destinat.";
}

void TCondDlg::SetupCondDlg(const std::string& netName, int nodeCount, bool isRepeated, int node) {
    DlgNode = node;
    IsRepeated = isRepeated;
    DlgNetName = UpperCaseGerman(netName);
    DlgNodeCount = nodeCount;
    DefaultSrc = DlgNetName + IntToStr(node);
    DefaultDst = DlgNetName + IntToStr(node + 1);
}

void TCondDlg::FormShow() {
    DlgResult = DlgCancelled;
    NodeType = TNodeType::Normal;
    HelpVisible = false;
    HelpCaption = "Help";
    EnableButtons(true);
    IsPopNode = DlgNodeCount - 1 == DlgNode;
    EnableEditing(!IsPopNode && !IsRepeated);
}

void TCondDlg::CancelBtnClick() {
    ClearStoredRows();
    DlgResult = DlgCancelled;
}

void TCondDlg::HelpBtnClick() {
    if (!HelpVisible) {
        SavedNodeTypeEnabled = NodeTypeEnabled;
        NodeTypeEnabled = false;
        EnableButtons(false);
        HelpVisible = true;
        HelpCaption = "Close help";
    } else {
        NodeTypeEnabled = SavedNodeTypeEnabled;
        EnableButtons(true);
        HelpVisible = false;
        HelpCaption = "Help";
    }
}

void TCondDlg::ClearAllBtnClick() {
    if (IsPopNode) return;
    ResetNodeNames();
    for (int r = 1; r <= CondRows; ++r)
        Conds[r].clear();
    NodeType = TNodeType::Normal;
    EnableEditing(true);
    IsRepeated = false;
}

void TCondDlg::EnterCondsMouseDown(int row, TMouseButton button, unsigned shift) {
    if (row < 1 || row > CondRows || !EditingEnabled || button != TMouseButton::mbRight) return;
    if (shift == ssRight)
        InsertRow(row);
    else if (shift == (ssRight | ssCtrl))
        DeleteRow(row);
}

void TCondDlg::InsertRow(int row) {
    if (row < 1 || row > CondRows) return;
    for (int r = CondRows; r > row; --r) {
        Conds[r] = Conds[r - 1];
        Srcs[r] = Srcs[r - 1];
        Dsts[r] = Dsts[r - 1];
    }
    Conds[row].clear();
    Srcs[row] = DefaultSrc;
    Dsts[row] = DefaultDst;
}

void TCondDlg::DeleteRow(int row) {
    if (row < 1 || row > CondRows) return;
    Conds[row].clear();
    Srcs[row] = DefaultSrc;
    Dsts[row] = DefaultDst;
    CompactRows();
}

void TCondDlg::MoveRowsUp(int from) {
    std::string src = std::move(Srcs[from]);
    std::string dst = std::move(Dsts[from]);
    for (int r = from; r < CondRows; ++r) {
        Conds[r] = std::move(Conds[r + 1]);
        Srcs[r] = std::move(Srcs[r + 1]);
        Dsts[r] = std::move(Dsts[r + 1]);
    }
    Conds[CondRows].clear();
    Srcs[CondRows] = std::move(src);
    Dsts[CondRows] = std::move(dst);
}

bool TCondDlg::CompactRows() {
    for (int pass = 0; pass < CondRows; ++pass) {
        FilledCount = 0;
        for (int r = 1; r <= CondRows; ++r) {
            if (!Conds[r].empty())
                ++FilledCount;
            else
                MoveRowsUp(r);
        }
    }
    return FilledCount > 0;
}

void TCondDlg::SwapRows(int i, int j) {
    std::swap(RowText[i], RowText[j]);
    std::swap(RowKind[i], RowKind[j]);
    std::swap(RowSrc[i], RowSrc[j]);
    std::swap(RowDst[i], RowDst[j]);
}

void TCondDlg::ResetNodeNames() {
    for (int r = 1; r <= CondRows; ++r) {
        Srcs[r] = DefaultSrc;
        Dsts[r] = DefaultDst;
    }
}

void TCondDlg::EnableEditing(bool enabled) {
    NodeTypeEnabled = enabled;
    EditingEnabled = enabled;
}

void TCondDlg::EnableButtons(bool enabled) {
    ButtonsEnabled = enabled;
}

bool TCondDlg::NodeNumber(const std::string& cell, int& number) const {
    const std::string upper = UpperCaseGerman(cell);
    if (upper.compare(0, DlgNetName.size(), DlgNetName) != 0) return false;
    return DecimalNumber(std::string_view(upper).substr(DlgNetName.size()), number);
}

void TCondDlg::NodeTypeRGClick(TNodeType choice) {
    NodeType = choice;
    if (choice == TNodeType::Normal) return;
    if (!CompactRows()) {
        Sink.Error(MsgEnterConditionFirst);
        NodeType = TNodeType::Normal;
        return;
    }
    // In any letter case: a "Jmp" loop would lose its third row as a duplicate of the first.
    const std::string first = UpperCaseGerman(Conds[1]);
    if (first == "JMP" || first == "POP") {
        Sink.Error(MsgOptionalJmpPop);
        NodeType = TNodeType::Normal;
        return;
    }
    if (FilledCount != 1) {
        Sink.Error(MsgOnlyOneCondition);
        NodeType = TNodeType::Normal;
        return;
    }
    const std::string s = Srcs[1];
    int m = DlgNode;
    NodeNumber(s, m);
    const std::string d = DlgNetName + IntToStr(static_cast<long long>(m) + 1);
    if (choice == TNodeType::Optional) {
        Conds[2] = "jmp";
        Dsts[1] = d;
        Dsts[2] = d;
    } else {
        Conds[3] = "jmp";
        Dsts[1] = d;
        Dsts[3] = d;
        Conds[2] = Conds[1];
        Srcs[2] = d;
        Dsts[2] = s;
        EnableEditing(false);
    }
}

void TCondDlg::OkBtnClick() {
    DlgResult = DlgAgain;
    if (IsPopNode || IsRepeated) {
        DlgResult = DlgCancelled;
        return;
    }
    if (!CompactRows()) {
        Sink.Error(MsgInputOneCondition);
        return;
    }
    // The straight-line check runs before the plain-forward check: otherwise a single
    // condition that skips a node could never get its own, more precise message.
    if (!ValidateRows() || !RemoveDuplicateRows() || !CheckLastRowToNext() ||
        !CheckPlainForwardRow())
        return;
    // Only now, with every check passed, are rows exchanged and the cells rewritten, so
    // that a refused dialog comes back with the user's own input.
    if (LastRowPartner > 0) SwapRows(LastRowPartner, FilledCount);
    for (int i = 1; i <= CondRows; ++i)
        Conds[i] = RowText[i];
    DlgResult = DlgAccepted;
}

bool TCondDlg::ValidateRows() {
    ClearStoredRows();
    for (int i = 1; i <= CondRows; ++i) {
        const std::string& t = Conds[i];
        const std::string upper = UpperCaseGerman(t);
        if (t.empty()) {
            RowKind[i] = 0;
        } else if (upper == "JMP") {
            RowText[i] = t;
            RowKind[i] = 1;
        } else if (upper == "POP") {
            Sink.Error(MsgPopArcEntered);
            Conds[i].clear();
            return false;
        } else if (t.front() == '"') {
            // A lone quotation mark opens a text that is never closed.
            if (t.size() < 2 || t.back() != '"') {
                Sink.Error(ErrorIn(i, ": Text must be included in \"..\"."));
                return false;
            }
            RowText[i] = t.substr(1, t.size() - 2);
            RowKind[i] = 4;
        } else if (t.front() == '@') {
            const std::string rest = upper.substr(1);
            if (rest != "IDENT" && rest != "NUMBER" && rest != "FLOAT" && rest != "INTEGER") {
                Sink.Error(ErrorIn(
                    i, ": only \"@Ident\", \"@Number\", \"@Float\", \"@Integer\" is allowed."));
                return false;
            }
            RowText[i] = "@" + LowerCaseGerman(rest, true);
            RowKind[i] = 3;
        } else {
            if (!IsIdentifier(t)) {
                Sink.Error(ErrorIn(i, ": \"" + t + "\" is no valid NT-symbol-name."));
                return false;
            }
            RowText[i] = upper;
            RowKind[i] = 2;
        }
        int src = 0;
        int dst = 0;
        if (!NodeNumber(Srcs[i], src) || !NodeNumber(Dsts[i], dst)) {
            Sink.Error("Wrong node-name: " + Dsts[i]);
            return false;
        }
        RowSrc[i] = src;
        RowDst[i] = dst;
        if (dst < 0 || dst > DlgNodeCount - 1) {
            Sink.Error("Wrong node-destination: " + DlgNetName + IntToStr(dst));
            return false;
        }
        if (dst <= src && NodeType != TNodeType::Repeated) {
            Sink.Error(MsgBackwardByYourself);
            Srcs[i] = DefaultSrc;
            Dsts[i] = DefaultDst;
            return false;
        }
        // A condition belongs to the node being edited: it leaves that node, or (the
        // loop back of a repeated node) returns to it. Any other source would store an
        // arc the network cannot hold. Checked after the messages above, which name
        // the usual mistakes more precisely.
        if ((dst > src && src != DlgNode) || (dst <= src && dst != DlgNode)) {
            Sink.Error("Wrong node-name: " + Srcs[i]);
            return false;
        }
    }
    return true;
}

bool TCondDlg::RemoveDuplicateRows() {
    for (int i = 1; i <= CondRows; ++i)
        for (int j = i + 1; j <= CondRows; ++j)
            if (RowKind[i] == RowKind[j] && RowSrc[i] == RowSrc[j] && RowDst[i] == RowDst[j] &&
                UpperCaseGerman(RowText[i]) == UpperCaseGerman(RowText[j]))
                RowKind[j] = 0;
    return true;
}

bool TCondDlg::CheckPlainForwardRow() {
    for (int i = 1; i <= FilledCount && i <= CondRows; ++i)
        if (RowDst[i] - RowSrc[i] == 1 && RowKind[i] != 1) return true;
    Sink.Error(MsgPlainForwardRow);
    return false;
}

bool TCondDlg::CheckLastRowToNext() {
    if (FilledCount == 1) {
        if (RowDst[1] - RowSrc[1] > 1) {
            Sink.Error(MsgOnlyConditionToNext);
            Dsts[1] = DefaultDst;
            return false;
        }
        return true;
    }
    if (FilledCount == 3 || FilledCount == 5) {
        const int n = FilledCount;
        if (RowDst[n] - RowSrc[n] > 1) {
            for (int i = 1; i < n; ++i) {
                if (RowDst[i] - RowSrc[i] <= 1) {
                    LastRowPartner = i;
                    return true;
                }
            }
            Sink.Error("Condition #" + IntToStr(n) + " must always end in the " +
                       "following node.");
            Dsts[n] = DefaultDst;
            return false;
        }
    }
    return true;
}

void TNetNameDlg::OKBtnClick() {
    if (IsIdentifier(NetNameEdit)) {
        DlgResult = DlgAccepted;
    } else {
        Sink.Error(MsgWrongNetName);
        DlgResult = DlgAgain;
    }
}

} // namespace gramarbor
