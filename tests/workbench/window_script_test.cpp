// Scenarios of the window written as plain-text scripts (tests/data/window_scripts/):
// each "case NAME" runs on a new shown window, one command a line, every action a real
// click or key press. Widgets are named by their object names ("NAME.up" and
// "NAME.down" are the arrows of an up-down); the lines of a "dialog" ... "end" block
// act on the next modal dialog once it is shown. An unknown command or a malformed
// line fails the case at that line.
//   Actions: click NAME [right] [ctrl|alt|shift] [X Y]; type NAME "TEXT"; keys "TEXT";
//   key KEY [ctrl|alt|shift]; winkey KEY ... (to the window); item GROUP N; page NAME;
//   cell VIEW ROW COL; entry TREEWIDGET "TEXT"; node NAME [left|right]; scroll AREA;
//   remember NAME; place WINDOW X Y W H; file NAME "BYTES" (and its folders); answer
//   NAME [FILTER] (the next file dialog; "" cancels, examples/... is the examples
//   folder); restart; close.
//   "expect WHAT [NAME] VALUES" compares what the window shows with the values:
//   messages (then cleared), kinds, history, tree, tree1, tree2, parsetree, parsetrees,
//   nets, options, treeoptions, analysis, playing (yes or no); of a widget: text,
//   enabled, visible, checked, front, focus (yes or no), selection, item, size, place
//   (X Y W H), atleast, cell, rows, row, scroll, picture (same, taller or changed since
//   "remember"), marked (net rows highlighted), help (parse, tree, node or format: the
//   help text a memo shows whole); of a file: file, head, exists; clipboard FORMAT,
//   cliptext "TEXT" (yes or no). "wait" and the same words waits until they hold.
#include <map>
#include <set>

#include <QKeySequence>
#include <QTableWidget>
#include <QTreeWidget>

#include "base/file_io.h"
#include "common/script_cases.h"
#include "rtn/rtn_layout.h"
#include "workbench/help_texts.h"
#include "workbench/trace_stepper_view.h"
#include "workbench/window_fixture.h"

namespace gramarbor {
namespace {

namespace fs = std::filesystem;
using testing::ScriptCase;
using TLines = std::vector<testing::ScriptLine>;

// Words and "quoted texts" (escapes as in every script), each quoted text marked by
// its leading quote; false for a malformed line.
bool Split(const std::string& line, std::vector<std::string>& words) {
    for (std::size_t i = line.find_first_not_of(' '); i != std::string::npos;
         i = line.find_first_not_of(' ', i)) {
        std::size_t end = i + 1;
        if (line[i] != '"') {
            words.push_back(line.substr(i, (end = line.find(' ', i)) - i));
        } else {
            while (end < line.size() && line[end] != '"')
                end += line[end] == '\\' ? 2 : 1;
            if (end >= line.size() || (end + 1 < line.size() && line[end + 1] != ' ')) return false;
            words.push_back('"' + testing::Unescape(line.substr(i + 1, end++ - i - 1)));
        }
        i = end;
    }
    return !words.empty();
}

std::string YesNo(bool value) {
    return value ? "yes" : "no";
}

class WindowScript : public test::ShownWindow, public ::testing::WithParamInterface<ScriptCase> {
protected:
    // Runs lines [from, to); false once a line has failed.
    bool Run(const TLines& lines, std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            const std::string line = lines[i].Text();
            Where = GetParam().File + ":" + std::to_string(lines[i].Number) + ": " + line;
            SCOPED_TRACE(Where);
            W.clear();
            if (line == "dialog") {
                const std::size_t begin = i;
                while (++i < to && lines[i].Text() != "end") {
                }
                if (i == to) return Fail("a dialog block without its end");
                Blocks.push_back([this, &lines, begin, i] { Run(lines, begin + 1, i); });
                if (!Waiting) Answer();
            } else if (!Split(line, W)) {
                return Fail("malformed line");
            } else if (!Do() || HasFatalFailure()) {
                return false;
            }
        }
        return true;
    }

    // The next modal dialog shown gets the next block; the last block must close it.
    void Answer() {
        Waiting = true;
        WhenShown<QDialog>([this](QDialog& dialog) {
            const auto block = Blocks.front();
            Blocks.erase(Blocks.begin());
            block();
            if (dialog.isVisible() && Blocks.empty()) {
                ADD_FAILURE() << Where << ": the dialog is still open after its block";
                dialog.reject();
            }
            Waiting = false;
            if (!Blocks.empty()) Answer();
        });
    }

    bool Fail(const std::string& why) {
        ADD_FAILURE() << Where << ": " << why;
        return false;
    }
    std::string Word(std::size_t i) const {
        return i >= W.size() ? std::string() : W[i][0] == '"' ? W[i].substr(1) : W[i];
    }
    bool Has(const char* word) const { return std::find(W.begin(), W.end(), word) != W.end(); }
    int Number(std::size_t i) const { return std::stoi(Word(i), nullptr, 0); }
    Qt::Key Key() const {
        return Qt::Key(QKeySequence::fromString(QString::fromStdString(Word(1)))[0].key());
    }
    Qt::KeyboardModifiers Keys() const {
        return (Has("ctrl") ? Qt::ControlModifier : Qt::NoModifier) |
               (Has("alt") ? Qt::AltModifier : Qt::NoModifier) |
               (Has("shift") ? Qt::ShiftModifier : Qt::NoModifier);
    }

    // The widget of that object name: in the dialog in front, else in the window (the
    // visible one where several share the name).
    QWidget* Widget(const std::string& name) {
        const std::size_t dot = name.find('.');
        const QString wanted = QString::fromStdString(name.substr(0, dot));
        for (QWidget* root :
             {QApplication::activeModalWidget(), static_cast<QWidget*>(Form.get())}) {
            QList<QWidget*> found = root ? root->findChildren<QWidget*>(wanted) : QList<QWidget*>();
            if (root && root->objectName() == wanted) found = {root};
            if (found.size() > 1) found.removeIf([](QWidget* w) { return !w->isVisible(); });
            if (found.size() != 1) continue;
            auto* upDown = qobject_cast<TUpDown*>(found[0]);
            if (dot == std::string::npos) return found[0];
            if (upDown)
                return name.substr(dot) == ".up" ? upDown->UpButton() : upDown->DownButton();
        }
        ADD_FAILURE() << Where << ": no single widget " << name;
        return nullptr;
    }
    static QTabWidget* TabsOf(QWidget* page) {
        for (QWidget* p = page->parentWidget(); p; p = p->parentWidget())
            if (auto* tabs = qobject_cast<QTabWidget*>(p); tabs && tabs->indexOf(page) >= 0)
                return tabs;
        return nullptr;
    }
    static std::string TextOf(TTree& tree) {
        std::string text;
        if (tree.GetRoot()) tree.TreeToStr(text);
        return text;
    }
    TTreeSheet& Trees() { return Form->Trees->Sheet(); }

    bool Do() {
        const std::string c = Word(0);
        if (c == "file") {
            fs::create_directories(fs::path(Path(Word(1))).parent_path());
            std::ofstream(Path(Word(1)), std::ios::binary) << Word(2);
        } else if (c == "answer") {
            const std::string name = Word(1);
            Prompts.AnswerWith(name.empty()                    ? name
                               : name.starts_with("examples/") ? GRAMARBOR_EXAMPLES + name.substr(8)
                                                               : Path(name),
                               W.size() > 2 ? Number(2) : 0);
        } else if (c == "restart") {
            Start();
        } else if (c == "close") {
            Form->close();
        } else if (c == "keys") {
            Type(QString::fromStdString(Word(1)));
        } else if (c == "key") {
            Press(Key(), Keys());
        } else if (c == "winkey") {
            QTest::keyClick(Form->windowHandle(), Key(), Keys());
        } else if (c == "node") {
            return Node(Word(1));
        } else if (c == "expect") {
            return Expect();
        } else if (c == "wait") {
            // Until the expectation that follows holds (ten seconds at most).
            const auto holds = [this] {
                std::vector<std::string> shown, expected;
                return !Look(shown, expected) || shown == expected;
            };
            if (!QTest::qWaitFor(holds, 10000)) ADD_FAILURE() << Where << ": waited in vain";
            return Expect();
        } else if (QWidget* w = Widget(Word(1)); !w) {
            return false;
        } else if (c == "click") {
            const bool at =
                W.size() > 3 && std::isdigit(static_cast<unsigned char>(W.end()[-2][0]));
            Click(w, Has("right") ? Qt::RightButton : Qt::LeftButton, Keys(),
                  at ? QPoint(Number(W.size() - 2), Number(W.size() - 1)) : QPoint(-1, -1));
        } else if (auto* view = qobject_cast<QAbstractItemView*>(w); c == "cell" && view) {
            // A cell of a table of conditions opens for editing on a double click.
            const QModelIndex cell = view->model()->index(Number(2), Number(3));
            view->scrollTo(cell);
            const QPoint at = view->visualRect(cell).center();
            if (qobject_cast<QTableWidget*>(w))
                QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
            else
                Click(view->viewport(), Qt::LeftButton, {}, at);
        } else if (auto* tree = qobject_cast<QTreeWidget*>(w); c == "entry" && tree) {
            const auto items = tree->findItems(QString::fromStdString(Word(2)),
                                               Qt::MatchExactly | Qt::MatchRecursive);
            if (items.size() != 1) return Fail("no single entry " + Word(2));
            tree->scrollToItem(items[0]);
            Click(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(items[0]).center());
        } else if (auto* area = qobject_cast<QAbstractScrollArea*>(w); c == "scroll" && area) {
            // To the far corner of what it shows; there must be more than it shows.
            for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()})
                bar->setValue(bar->maximum() ? bar->maximum() : -1);
            if (area->horizontalScrollBar()->value() <= 0) return Fail("nothing to scroll");
        } else if (c == "place" && w->isWindow()) {
            // Where the user drags the window to, and its size.
            w->move(Number(2), Number(3));
            w->resize(Number(4), Number(5));
        } else if (c == "remember") {
            Pictures[Word(1)] = w->grab().toImage();
        } else if (c == "item") {
            ClickItem(qobject_cast<TRadioGroup*>(w), Number(2));
        } else if (c == "type") {
            auto* combo = qobject_cast<QComboBox*>(w);
            TypeInto(combo ? combo->lineEdit() : w, QString::fromStdString(Word(2)));
        } else if (c == "page" && TabsOf(w)) {
            ShowPage(TabsOf(w), w);
        } else {
            return Fail("unknown command");
        }
        return true;
    }

    // The mouse over the node of that name in the active tree window, and a click of
    // the button named after it.
    bool Node(const std::string& name) {
        std::function<TNode*(TNode*)> find = [&](TNode* node) -> TNode* {
            if (!node || node->Name == name) return node;
            for (auto& child : node->Children)
                if (TNode* found = find(child.get())) return found;
            return nullptr;
        };
        TNode* node = find(Trees().ActiveTree().GetRoot());
        if (!node) return Fail("no node " + name);
        TPictureBox* box =
            Trees().ActiveTreeIndex == 0 ? Form->Trees->TreePaint1 : Form->Trees->TreePaint2;
        const QPoint at((node->Rect.Left + node->Rect.Right) / 2,
                        (node->Rect.Top + node->Rect.Bottom) / 2);
        QTest::mouseMove(box, at);
        EXPECT_EQ(Trees().HighlightedNode, node) << Where;
        if (Has("left") || Has("right"))
            QTest::mouseClick(box, Has("left") ? Qt::LeftButton : Qt::RightButton, {}, at);
        return true;
    }

    bool Expect() {
        std::vector<std::string> shown, expected;
        if (!Look(shown, expected)) return false;
        EXPECT_EQ(shown, expected) << Where;
        return true;
    }

    // What the window shows of what (and of the thing named at 2), and the values of
    // the expect line; false when it cannot be looked at.
    bool Look(std::vector<std::string>& shown, std::vector<std::string>& expected) {
        const std::string what = Word(1);
        const std::set<std::string> things{"file", "head", "exists", "clipboard", "cliptext"};
        const std::set<std::string> widgets{"text",   "enabled",   "visible", "checked", "front",
                                            "focus",  "selection", "item",    "size",    "atleast",
                                            "cell",   "picture",   "rows",    "row",     "scroll",
                                            "marked", "place",     "help"};
        const bool named = things.count(what) || widgets.count(what);
        for (std::size_t i = what == "cell" ? 5 : named ? 3 : 2; i < W.size(); ++i)
            expected.push_back(Word(i));
        QWidget* w = widgets.count(what) ? Widget(Word(2)) : nullptr;
        if (widgets.count(what) && !w) return false;
        const QMimeData* clip = QApplication::clipboard()->mimeData();
        std::string file;
        if (what == "file" || what == "head") ReadFileBytes(Path(Word(2)), file);
        if (what == "messages" || what == "kinds") {
            for (const auto& m : Prompts.Messages)
                shown.push_back(what == "messages"               ? m.Text
                                : m.Kind == MessageKind::Error   ? "error"
                                : m.Kind == MessageKind::Warning ? "warning"
                                                                 : "info");
            if (what == "messages") Prompts.Clear();
        } else if (what == "history") {
            for (int i = 0; i < Form->InputText->count(); ++i)
                shown.push_back(Form->InputText->itemText(i).toStdString());
        } else if (what == "tree1" || what == "tree2" || what == "tree") {
            shown = {TextOf(what == "tree1"   ? Trees().Tree1
                            : what == "tree2" ? Trees().Tree2
                                              : Trees().ActiveTree())};
        } else if (what == "parsetree") {
            shown = {TextOf(Form->Parsing->Sheet().ParseTree)};
        } else if (what == "parsetrees") {
            shown = Form->Parsing->Sheet().Parser.GetParseTrees();
        } else if (what == "nets" && Form->Parsing->Network->Workspace().HasRtn()) {
            for (const TRTNLine& net : *Form->Parsing->Network->Workspace().Rtn)
                shown.push_back(net.Name + " " + std::to_string(net.Nodes.size()));
        } else if (what == "options" || what == "treeoptions") {
            const int value =
                what == "options" ? Form->Parsing->Sheet().ParseOptions() : Trees().TreeOptions;
            shown = {"0x" + QString::number(value, 16).toStdString()};
        } else if (what == "file" || what == "head") {
            shown = {what == "file" ? file : file.substr(0, Word(3).size())};
        } else if (what == "exists") {
            shown = {YesNo(fs::exists(Path(Word(2))))};
        } else if (what == "clipboard" || what == "cliptext") {
            const QString name = QString::fromStdString(Word(2));
            shown = {YesNo(clip && (what == "clipboard" ? clip->hasFormat(name)
                                                        : clip->text().contains(name)))};
        } else if (what == "text") {
            QString text = w->property("text").toString();
            if (auto* combo = qobject_cast<QComboBox*>(w)) text = combo->currentText();
            if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) text = memo->toPlainText();
            shown = {text.toStdString()};
        } else if (what == "enabled" || what == "visible" || what == "focus") {
            shown = {YesNo(what == "enabled"   ? w->isEnabled()
                           : what == "visible" ? w->isVisible()
                                               : QApplication::focusWidget() == w)};
        } else if (what == "checked") {
            shown = {YesNo(qobject_cast<QAbstractButton*>(w)->isChecked())};
        } else if (what == "front") {
            shown = {YesNo(TabsOf(w) && TabsOf(w)->currentWidget() == w)};
        } else if (what == "item") {
            shown = {std::to_string(qobject_cast<TRadioGroup*>(w)->ItemIndex())};
        } else if (what == "size" || what == "atleast") {
            const int least = std::min(w->width(), w->height());
            shown = what == "size"
                        ? std::vector{std::to_string(w->width()), std::to_string(w->height())}
                        : expected;
            if (what == "atleast" && least < Number(3)) shown = {std::to_string(least)};
        } else if (what == "place") {
            for (int v : {w->x(), w->y(), w->width(), w->height()})
                shown.push_back(std::to_string(v));
        } else if (auto* view = qobject_cast<QAbstractItemView*>(w); view && what == "cell") {
            shown = {view->model()->index(Number(3), Number(4)).data().toString().toStdString()};
        } else if (view && (what == "rows" || what == "row")) {
            shown = {std::to_string(what == "rows" ? view->model()->rowCount()
                                                   : view->currentIndex().row())};
        } else if (what == "picture") {
            const QImage now = w->grab().toImage(), before = Pictures[Word(2)];
            shown = {now == before                    ? "same"
                     : now.height() > before.height() ? "taller"
                                                      : "changed"};
        } else if (auto* area = qobject_cast<QAbstractScrollArea*>(w); area && what == "scroll") {
            shown = {std::to_string(area->horizontalScrollBar()->value()),
                     std::to_string(area->verticalScrollBar()->value())};
        } else if (what == "marked") {
            // The net rows of the drawing with pixels in the highlight colour.
            const QImage image = w->grab().toImage();
            std::set<std::string> rows;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (const QColor c = image.pixelColor(x, y);
                        c.red() > 200 && c.green() < 80 && c.blue() < 80)
                        rows.insert(std::to_string(y / LineHeight));
            shown.assign(rows.begin(), rows.end());
        } else if (what == "analysis") {
            shown = {Form->Parsing->Stepper->Model().Analysis().Text()};
        } else if (what == "playing") {
            shown = {YesNo(Form->Parsing->Stepper->Playing())};
        } else if (what == "help") {
            // The help text that the memo shows whole.
            const std::pair<const char*, const std::string*> helps[] = {
                {"parse", &ParseHelp()},
                {"tree", &TreeHelp()},
                {"node", &DefNodeHelpText()},
                {"format", &IOFormHelpText()}};
            for (const auto& [name, help] : helps)
                if (qobject_cast<QPlainTextEdit*>(w)->toPlainText().toStdString() == *help)
                    shown = {name};
        } else if (what == "selection") {
            const QTextCursor caret = qobject_cast<QPlainTextEdit*>(w)->textCursor();
            shown = {std::to_string(caret.blockNumber()), caret.selectedText().toStdString()};
        } else if (what != "nets") {
            return Fail("unknown expectation");
        }
        return true;
    }

    std::vector<std::string> W; // the words of the line being run
    std::string Where;
    std::vector<std::function<void()>> Blocks;
    std::map<std::string, QImage> Pictures; // by "remember"
    bool Waiting = false;
};

TEST_P(WindowScript, Runs) {
    ASSERT_FALSE(GetParam().Name.ends_with("_outside_a_case")) << GetParam().File;
    Run(GetParam().Lines, 0, GetParam().Lines.size());
    EXPECT_TRUE(Blocks.empty()) << "a dialog block was never shown";
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowScript,
                         ::testing::ValuesIn(testing::ReadScriptFolder("window_scripts")),
                         [](const auto& info) { return info.param.Name; });

} // namespace
} // namespace gramarbor
