// Scenarios of the network sheet, read from the scripts in
// tests/data/network_sheet_scripts (the commands are described at the top of
// workspace.txt): grammars made into networks and back, mouse clicks on the drawing,
// and the two dialogs typed into. Each "case NAME" is a test of its own; a failure
// names the file and line, and a line that is no command fails the case.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

#include "common/script_lines.h"
#include "grammar/prepare_grammar.h"
#include "rtn/rtn_editing.h"
#include "rtn/rtn_walk.h"
#include "rtn/rtn_workspace.h"
#include "rtn_test_support.h"

namespace gramarbor {
namespace {

using namespace testing;

const TextList KindNames = {"?", "jmp", "push", "ind", "text", "pop"};
const TextList NodeTypes = {"normal", "optional", "repeated"};

// The place of a word in a list, or a malformed line.
int IndexOf(const TextList& words, const std::string& word) {
    const auto at = std::find(words.begin(), words.end(), word);
    return at == words.end() ? throw std::runtime_error("no " + word) : int(at - words.begin());
}

// Conditions as KIND:TEXT:SRC>DST, blank-separated.
std::string CondsText(const TRtnNodeConds& conds) {
    std::string text;
    for (const TRTNNode& c : conds)
        text += (text.empty() ? "" : " ") + KindNames.at(c.Kind) + ":" + c.Text + ":" +
                std::to_string(c.Src) + ">" + (c.Dst == PopDst ? "*" : std::to_string(c.Dst));
    return text;
}
TRtnNodeConds ReadConds(const std::string& text) {
    TRtnNodeConds conds;
    for (const std::string& word : text.empty() ? TextList{} : Split(text, " ")) {
        const TextList f = Split(word, ":"), arrow = Split(f.at(2), ">");
        if (arrow.size() != 2) throw std::runtime_error(word);
        conds.push_back({uint8_t(IndexOf(KindNames, f.at(0))), uint16_t(std::stoi(arrow[0])),
                         arrow[1] == "*" ? PopDst : uint16_t(std::stoi(arrow[1])), f.at(1)});
    }
    return conds;
}

class Runner final : public TRtnDialogHost {
public:
    explicit Runner(const ScriptCase& c) : Case(c) { Ws.SetDialogHost(this); }

    void Run() {
        while (Next < Case.Lines.size())
            Step(false);
    }
    void ShowCondDlg(TCondDlg& dlg, TPoint anchor) override { Show(&dlg, nullptr, anchor); }
    void ShowNetNameDlg(TNetNameDlg& dlg, TPoint anchor) override { Show(nullptr, &dlg, anchor); }

private:
    void Step(bool inDialog) {
        const ScriptLine& line = Case.Lines[Next++];
        RunScriptLine(
            Case, line,
            [&](const std::string& l) {
                if ((l.rfind("> ", 0) == 0) != inDialog) throw std::runtime_error("dialog line?");
                return Command(inDialog ? l.substr(2) : l);
            },
            line.Command == "make" ? "made" : "yes");
    }
    // Runs the "> " lines that follow up to the one that closes the dialog; with none
    // left the dialog is cancelled.
    void Show(TCondDlg* cond, TNetNameDlg* name, TPoint anchor) {
        Anchor = anchor;
        ++(cond ? CondShown : NameShown);
        Cond = cond;
        Name = name;
        for (Closed = false;
             !Closed && Next < Case.Lines.size() && Case.Lines[Next].Command == ">";)
            Step(true);
        if (!Closed) cond ? cond->CancelBtnClick() : name->CancelBtnClick();
        Cond = Own.get();
        Name = nullptr;
    }

    TCondDlg& Dlg() { return Cond ? *Cond : throw std::runtime_error("no condition dialog"); }
    std::array<std::string, CondRows + 1>& Cells(const std::string& which) {
        return which == "conds"     ? Dlg().Conds
               : which == "srcs"    ? Dlg().Srcs
               : which == "dsts"    ? Dlg().Dsts
               : which == "rowtext" ? Dlg().RowText
                                    : throw std::runtime_error("no cells " + which);
    }
    static unsigned Gesture(const std::string& gesture, TMouseButton& button) {
        const TextList parts = Split(gesture, "+");
        button = parts[0] == "left" ? TMouseButton::mbLeft : TMouseButton::mbRight;
        unsigned shift = parts[0] == "left" ? ssLeft : parts[0] == "right" ? ssRight : 0x100;
        for (std::size_t i = 1; i < parts.size(); ++i)
            shift |= parts[i] == "ctrl" ? ssCtrl : parts[i] == "shift" ? ssShift : 0x100;
        return shift & 0x100 ? throw std::runtime_error("no gesture " + gesture) : shift;
    }
    // A net by its number or by its name (the first of that name).
    TRTNLine& NetOf(const std::string& name) {
        if (name.find_first_not_of("0123456789") == std::string::npos)
            return Ws.Rtn->at(std::stoul(name));
        for (TRTNLine& net : *Ws.Rtn)
            if (net.Name == name) return net;
        throw std::runtime_error("no net " + name);
    }

    // Does the command and returns its outcome (make: made, not-made or too-many;
    // load: yes or no; none for the others).
    std::string Command(const std::string& line) {
        const TextList w = Split(line, " ");
        // The rest of the line after n words, and word n as a number.
        const auto tail = [&](std::size_t n) {
            std::size_t at = 0;
            for (std::size_t i = 0; i < n && at != std::string::npos; ++i)
                at = line.find(' ', at + (i > 0));
            return at == std::string::npos ? std::string() : line.substr(at + 1);
        };
        const auto num = [&](std::size_t n) { return std::stoi(w.at(n)); };
        const std::string& cmd = w[0];
        TMouseButton button;
        if (cmd == "new") {
            Ws.NewRTNButtonClick();
        } else if (cmd == "make") {
            TParser read(Sink);
            const bool readOk = PrepareGrammar(read, Split(tail(1), " | "), false);
            const char* names[] = {"not-made", "made", "too-many"};
            return names[int(Ws.MakeRTNClick(readOk, read))];
        } else if (cmd == "click" || cmd == "press") {
            const unsigned shift = Gesture(w.at(1), button);
            if (cmd == "click") Ws.TrackFocus(num(2), num(3));
            Ws.PaintBox1MouseDown(button, shift, num(2), num(3));
        } else if (cmd == "net") {
            if (!Ws.Rtn) Ws.Rtn = std::make_unique<TRtn>();
            Ws.RtnValid = true;
            TRTNLine net{w.at(1), {}};
            NullSink quiet;
            if (num(2) > 0 && !NewRtnLine(w[1], std::size_t(num(2)), net, quiet))
                throw std::runtime_error("no net");
            Ws.Rtn->push_back(net);
        } else if (cmd == "node") {
            NetOf(w.at(1)).Nodes.at(std::size_t(num(2))) = ReadConds(tail(3));
        } else if (cmd == "load") {
            return Ws.LoadRTNButtonClick(std::string(GRAMARBOR_TEST_DATA) + "/" + tail(1)) ? "yes"
                                                                                           : "no";
        } else if (cmd == "insert-node" || cmd == "delete-node") {
            TRTNLine& net = NetOf(w.at(1));
            if (!(cmd == "insert-node" ? InsertRtnNode(net, std::size_t(num(2)), Sink)
                                       : DeleteRtnNode(net, std::size_t(num(2)))))
                return "no";
        } else if (cmd == "save-wmf") {
            const auto written = [](const Picture&, const std::string&) { return true; };
            return Ws.SaveMetaButtonClick("net.wmf", written) ? "yes" : "no";
        } else if (cmd == "node-size" || cmd == "node-dist") {
            return (cmd == "node-size" ? Ws.NodeSizeChange(num(1)) : Ws.NodeDistChange(num(1)))
                       ? "yes"
                       : "no";
        } else if (cmd == "arcs-only") {
            Ws.ArcCheckBoxClick(w.at(1) == "on");
        } else if (cmd == "resize") {
            NetOf(w.at(1)).Nodes.resize(std::size_t(num(2)));
        } else if (cmd == "rename") {
            NetOf(w.at(1)).Name = w.at(2);
        } else if (cmd == "delete-net") {
            Ws.DeleteNet(num(1));
        } else if (cmd == "walk") {
            const bool sensitive = w.at(1) == "sensitive";
            TTree tree(false, Sink);
            if (!tree.StrToTree(tail(1 + sensitive))) throw std::runtime_error("no tree");
            const TRtnWalk& walk = LastWalk = WalkTree(*Ws.Rtn, tree.GetRoot(), sensitive, Limits);
            Walk = WalkLines(*Ws.Rtn, walk);
            Walk.insert(Walk.begin(), walk.Complete
                                          ? "complete"
                                          : std::to_string(walk.Steps.size()) + " " + walk.Message);
        } else if (cmd == "walk-limits") {
            Limits = {std::size_t(num(1)), std::size_t(num(2))};
        } else if (cmd == "open" || cmd == "setup") {
            Cond = (Own = std::make_unique<TCondDlg>(Sink)).get();
            const int node = num(3);
            Cond->SetupCondDlg(w[1], num(2), w.size() > 4 && w[4] == "repeated", node);
            for (int r = 1; r <= CondRows && cmd == "open"; ++r) {
                Cond->Conds[r].clear();
                Cond->Srcs[r] = w[1] + std::to_string(node);
                Cond->Dsts[r] = w[1] + std::to_string(node + 1);
            }
            Cond->FormShow();
        } else if (cmd == "cond" || cmd == "src" || cmd == "dst") {
            Cells(cmd + "s").at(std::size_t(num(1))) = tail(2);
        } else if (cmd == "type") {
            Dlg().NodeTypeRGClick(TNodeType(IndexOf(NodeTypes, w.at(1))));
        } else if (cmd == "row") {
            const unsigned shift = Gesture(w.at(2), button);
            Dlg().EnterCondsMouseDown(num(1), button, shift);
        } else if (cmd == "clear" || cmd == "help" || cmd == "show") {
            cmd == "clear"  ? Dlg().ClearAllBtnClick()
            : cmd == "help" ? Dlg().HelpBtnClick()
                            : Dlg().FormShow();
        } else if (cmd == "compact") {
            EXPECT_TRUE(Dlg().CompactRows());
        } else if (cmd == "name") {
            (Name ? *Name : throw std::runtime_error("no name dialog")).NetNameEdit = tail(1);
        } else if (cmd == "ok" || cmd == "cancel") {
            if (!Name) Kept = {Dlg().Conds, Dlg().Dsts};
            Name ? (cmd == "ok" ? Name->OKBtnClick() : Name->CancelBtnClick())
                 : (cmd == "ok" ? Dlg().OkBtnClick() : Dlg().CancelBtnClick());
            Closed = true;
        } else if (cmd == "expect") {
            Expect(w.at(1), w, tail(2));
        } else {
            throw std::runtime_error("unknown command " + cmd);
        }
        return "";
    }

    void Expect(const std::string& what, const TextList& w, const std::string& rest) {
        const auto num = [&](std::size_t n) { return std::stoi(w.at(n)); };
        if (what == "message" || what == "message-start") {
            Messages.Next(rest, what == "message");
        } else if (what == "nets") {
            std::string names;
            for (const TRTNLine& net : *Ws.Rtn)
                names += (names.empty() ? "" : " ") + net.Name;
            EXPECT_EQ(names, rest);
        } else if (what == "node") {
            const std::size_t skip = w.at(2).size() + w.at(3).size() + 2;
            EXPECT_EQ(CondsText(NetOf(w[2]).Nodes.at(std::size_t(num(3)))),
                      CondsText(ReadConds(rest.size() > skip ? rest.substr(skip) : "")));
        } else if (what == "nodes") {
            EXPECT_EQ(NetOf(w.at(2)).Nodes.size(), std::size_t(num(3)));
        } else if (what == "cfg") {
            TextList lines;
            const bool made = Ws.MakeCFGClick(lines);
            std::string joined = made ? "" : "refused";
            for (const std::string& l : lines)
                joined += (joined.empty() ? "" : " | ") + l;
            EXPECT_EQ(joined, rest);
        } else if (what == "walk") {
            EXPECT_EQ(Walk.at(0), rest);
            // A walk that stops takes the steps of the whole walk up to there.
            if (rest == "complete") Whole = Walk;
            for (std::size_t i = 1; i < Walk.size() && rest != "complete"; ++i)
                EXPECT_EQ(Walk[i], Whole.at(i)) << "step " << i;
        } else if (what == "words") {
            EXPECT_EQ(WalkWordsText(LastWalk, std::size_t(num(2)), std::size_t(num(3))),
                      rest.substr(w[2].size() + w[3].size() + 2));
        } else if (what == "options") {
            EXPECT_EQ(Ws.FileOptions(), (TRtnFileOptions{w.at(2) == "lines", num(3), num(4)}));
        } else if (what == "focus") {
            Ws.TrackFocus(num(2), num(3));
            EXPECT_EQ(Ws.FocusNode, num(4));
            EXPECT_EQ(Ws.FocusLine, num(5));
        } else if (what == "wellformed") {
            for (const TRTNLine& net : *Ws.Rtn)
                EXPECT_TRUE(NetIsWellFormed(net)) << net.Name;
        } else if (what == "height" || what == "width" || what == "area-width") {
            EXPECT_EQ(what == "height"  ? Ws.RtnPicture.Height
                      : what == "width" ? Ws.RtnPicture.Width
                                        : Ws.AreaWidth,
                      num(2));
        } else if (what == "no-network") {
            EXPECT_TRUE(!Ws.HasRtn() && Ws.RtnPicture.Empty());
        } else if (what == "anchor") {
            EXPECT_EQ(Anchor, (TPoint{num(2), num(3)}));
        } else if (what == "shown") {
            EXPECT_EQ(w.at(2) == "cond" ? CondShown : NameShown, num(3));
        } else if (what == "result") {
            const int r = Name ? Name->DlgResult : Dlg().DlgResult;
            EXPECT_EQ(r == DlgAgain ? "again" : r == DlgAccepted ? "accepted" : "cancelled", rest);
        } else if (what == "conds" || what == "srcs" || what == "dsts" || what == "rowtext") {
            const auto& cells = Cells(what);
            EXPECT_EQ(Split(rest, "|"), TextList(cells.begin() + 1, cells.end()));
        } else if (what == "kinds" || what == "rowsrc" || what == "rowdst") {
            const auto& row = what == "kinds"    ? Dlg().RowKind
                              : what == "rowsrc" ? Dlg().RowSrc
                                                 : Dlg().RowDst;
            for (std::size_t i = 2; i < w.size(); ++i)
                EXPECT_EQ(row.at(i - 1), num(i)) << "row " << i - 1;
        } else if (what == "kept") {
            auto kept = Kept;
            if (w.size() > 3)
                (w[2] == "dst" ? kept.second : kept.first).at(num(3)) = w.size() > 4 ? w[4] : "";
            if (w.size() < 3 || w[2] != "dsts") {
                EXPECT_EQ(Dlg().Conds, kept.first);
            }
            EXPECT_EQ(Dlg().Dsts, kept.second);
        } else if (what == "filled") {
            EXPECT_EQ(Dlg().FilledCount, num(2));
        } else if (what == "on" || what == "off") {
            const std::map<std::string, bool> flags = {{"editing", Dlg().EditingEnabled},
                                                       {"buttons", Dlg().ButtonsEnabled},
                                                       {"nodetype", Dlg().NodeTypeEnabled},
                                                       {"repeated", Dlg().IsRepeated},
                                                       {"pop", Dlg().IsPopNode}};
            for (std::size_t i = 2; i < w.size(); ++i)
                EXPECT_EQ(flags.at(w[i]), what == "on") << w[i];
        } else if (what == "type") {
            EXPECT_EQ(int(Dlg().NodeType), IndexOf(NodeTypes, rest));
        } else if (what == "netname") {
            EXPECT_EQ(Dlg().DlgNetName, rest);
        } else {
            throw std::runtime_error("unknown expectation " + what);
        }
    }

    const ScriptCase& Case;
    std::size_t Next = 0; // the next line
    RecordingSink Sink;
    ExpectedMessages Messages{Sink};
    ApproxTextMeasurer Measurer;
    TRtnWorkspace Ws{Sink, Measurer};
    std::unique_ptr<TCondDlg> Own;
    TCondDlg* Cond = nullptr;
    TNetNameDlg* Name = nullptr;
    bool Closed = false;
    TPoint Anchor{};
    int CondShown = 0, NameShown = 0;
    TextList Walk, Whole; // the outcome and steps of the last walk, and of the last whole one
    TRtnWalk LastWalk;
    TWalkLimits Limits;
    std::pair<std::array<std::string, CondRows + 1>, std::array<std::string, CondRows + 1>> Kept;
};

class NetworkScript : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(NetworkScript, Runs) {
    Runner(GetParam()).Run();
}

INSTANTIATE_TEST_SUITE_P(Cases, NetworkScript,
                         ::testing::ValuesIn(ReadScriptFolder("network_sheet_scripts")),
                         [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace gramarbor
