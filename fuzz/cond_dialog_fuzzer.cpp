// The condition dialog's checks on arbitrary cell texts, used as the network editor
// uses them: every OK gives one of the three results, a refused OK says why and
// brings back the rows as typed (empty rows closed up; only a "pop" row emptied and
// a destination set back to the default, as the messages say), and the conditions of
// an accepted dialog, stored into the node, keep the net well formed and savable.
//
// Input: net name up to a NUL byte, node count, node, flags (bits 0-1 node type, bits
// 2-7 which cells to take from the input), then the cells of rows 1 to 5 (condition,
// source, destination) separated by NUL bytes, then mouse clicks (row, shift) pairs.
#include <string>
#include <utility>
#include <vector>

#include "base/message_sink.h"
#include "fuzz_support.h"
#include "rtn/cond_dialog.h"
#include "rtn/rtn_editing.h"
#include "rtn/rtn_file.h"
#include "rtn/rtn_model.h"
#include "text/text_utils.h"

using namespace gramarbor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::AsText(data, size);
    std::string netName(fuzz::TakeUntilNul(input).substr(0, 16));
    if (netName.empty()) netName = "NP";
    const int nodeCount = 2 + fuzz::TakeByte(input) % 10;
    const int k = fuzz::TakeByte(input) % nodeCount;
    const uint8_t flags = fuzz::TakeByte(input);

    NullSink quiet;
    TRTNLine net;
    if (!NewRtnLine(netName, static_cast<std::size_t>(nodeCount), net, quiet)) return 0;

    // The editor's set-up for an empty node k.
    RecordingSink sink;
    TCondDlg dlg(sink);
    dlg.FormCreate();
    for (int i = 1; i <= CondRows; ++i) {
        dlg.RowKind[i] = 0;
        dlg.Srcs[i] = NodeName(net.Name, k);
        dlg.Dsts[i] = NodeName(net.Name, static_cast<long long>(k) + 1);
    }
    dlg.SetupCondDlg(net.Name, nodeCount, false, k);
    dlg.FormShow();
    for (int row = 1; row <= CondRows; ++row) {
        dlg.Conds[row] = std::string(fuzz::TakeUntilNul(input));
        const std::string src(fuzz::TakeUntilNul(input));
        const std::string dst(fuzz::TakeUntilNul(input));
        if ((flags & 0x04) && !src.empty()) dlg.Srcs[row] = src;
        if ((flags & 0x08) && !dst.empty()) dlg.Dsts[row] = dst;
    }
    const int nodeType = flags & 3;
    if (nodeType < 3) dlg.NodeTypeRGClick(static_cast<TNodeType>(nodeType));
    for (std::size_t i = 0; i + 1 < input.size() && i < 8; i += 2) {
        const int row = static_cast<unsigned char>(input[i]) % (CondRows + 1);
        const unsigned shift = static_cast<unsigned char>(input[i + 1]);
        const TMouseButton button = (shift & 0x80) ? TMouseButton::mbLeft : TMouseButton::mbRight;
        dlg.EnterCondsMouseDown(row, button, shift & 0x7F);
    }

    // The filled rows as typed (condition and destination cells), closed up as OK
    // closes them up.
    std::vector<std::pair<std::string, std::string>> typed;
    for (int r = 1; r <= CondRows; ++r)
        if (!dlg.Conds[r].empty()) typed.emplace_back(dlg.Conds[r], dlg.Dsts[r]);

    sink.Clear();
    dlg.OkBtnClick();
    FUZZ_CHECK(dlg.DlgResult == DlgAgain || dlg.DlgResult == DlgCancelled ||
                   dlg.DlgResult == DlgAccepted,
               "result " + std::to_string(dlg.DlgResult));
    if (dlg.DlgResult == DlgAgain) {
        FUZZ_CHECK(!sink.Empty(), "a refused OK gave no message");
        for (int r = 1; r <= CondRows; ++r) {
            const std::size_t i = static_cast<std::size_t>(r - 1);
            if (i >= typed.size()) {
                FUZZ_CHECK(dlg.Conds[r].empty(), "a refused OK added the row " + dlg.Conds[r]);
                continue;
            }
            const auto& [cond, dst] = typed[i];
            if (dlg.Conds[r].empty() && UpperCaseGerman(cond) == "POP") continue;
            FUZZ_CHECK(dlg.Conds[r] == cond,
                       "a refused OK changed the row " + cond + " into " + dlg.Conds[r]);
            FUZZ_CHECK(dlg.Dsts[r] == dst || dlg.Dsts[r] == dlg.DefaultDst,
                       "a refused OK changed the destination " + dst + " of " + cond);
        }
    }
    if (dlg.DlgResult != DlgAccepted) return 0;
    FUZZ_CHECK(sink.Empty(), "an accepted OK gave the message " + sink.Last());

    TRtnNodeConds& node = net.Nodes[static_cast<std::size_t>(k)];
    FUZZ_CHECK(ReplaceNodeConditions(node, dlg, sink), "accepted conditions cannot be stored");
    std::string rows;
    for (const TRTNNode& c : node)
        rows += " [" + std::to_string(c.Kind) + " " + c.Text + " " + std::to_string(c.Src) + "->" +
                std::to_string(c.Dst) + "]";
    FUZZ_CHECK(NetIsWellFormed(net), "accepted conditions damage node " + std::to_string(k) +
                                         " of " + std::to_string(nodeCount) + ":" + rows);
    TRtn rtn{net};
    TRtn loaded;
    TRtnFileOptions options;
    FUZZ_CHECK(ReadRtnBytes(WriteRtnBytes(rtn, options), loaded, options, quiet) && loaded == rtn,
               "the edited network does not survive saving and loading");
    return 0;
}
