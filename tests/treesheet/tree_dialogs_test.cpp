// Models of the trees sheet's dialogs.
#include "treesheet/tree_dialogs.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "base/file_io.h"

namespace gramarbor {
namespace {

using Lines = std::vector<std::string>;

TEST(TreeListDlgTest, SavesWithCrLfAndLoadsTheLinesBack) {
    const std::string file =
        (std::filesystem::temp_directory_path() / "treesheet_list.ntl").string();
    RecordingSink sink;
    TTreeListDlg dlg;
    const Lines lines = {"(1)A@[A]", "B@FullBin"};
    dlg.Lines = lines;
    ASSERT_TRUE(dlg.SaveList(file, sink));
    std::string bytes;
    ASSERT_EQ(ReadFileBytes(file, bytes), FileError::None);
    EXPECT_EQ(bytes, "(1)A@[A]\r\nB@FullBin\r\n");
    dlg.NewListBtnClick();
    EXPECT_EQ(dlg.Lines, Lines{});
    ASSERT_TRUE(dlg.LoadList(file, sink));
    EXPECT_EQ(dlg.Lines, lines);
    // A file that is gone leaves the lines and says why.
    std::filesystem::remove(file);
    EXPECT_FALSE(dlg.LoadList(file, sink));
    EXPECT_FALSE(sink.Empty());
    EXPECT_EQ(dlg.Lines, lines);
}

TEST(DefNodeDlgTest, FillsRowsAndDisablesChainPlaceholders) {
    RecordingSink sink;
    TTree tree(true, sink);
    ASSERT_TRUE(tree.StrToTree("[NP|sg [D] [$]]"));
    TDefNodeDlg dlg;
    dlg.Fill(*tree.GetRoot());
    EXPECT_EQ(dlg.NodeText, "NP|sg");
    const std::array<TChildRow, 4> rows = {
        {{true, 1, "D"}, {true, 2, "$"}, {false, 3, ""}, {false, 4, ""}}};
    EXPECT_EQ(dlg.Rows, rows);
    // Per row: E enabled, e index and name editable.
    std::string controls;
    for (int row = 0; row < 4; ++row)
        controls +=
            std::string(dlg.RowEnabled(row) ? "E" : "-") + (dlg.RowEditable(row) ? "e" : "-") + " ";
    EXPECT_EQ(controls, "Ee -- E- E- ");
}

TEST(DefNodeDlgTest, EditorSplitsAndJoinsTheNodeText) {
    TDefNodeDlg dlg;
    dlg.NodeText = "NP||sg";
    dlg.NodeTextBtnClick();
    EXPECT_EQ(dlg.EditorLines, (Lines{"NP", "sg"}));
    dlg.EditorLines.push_back("x");
    dlg.NodeTextBtnClick();
    EXPECT_EQ(dlg.NodeText, "NP|sg|x");

    // Help blocks the editor; closing drops an open editor's lines.
    dlg.HelpBtnClick();
    dlg.NodeTextBtnClick();
    EXPECT_FALSE(dlg.EditorShown);
    dlg.HelpBtnClick();
    dlg.NodeTextBtnClick();
    dlg.EditorLines = {"changed"};
    dlg.Hide();
    EXPECT_FALSE(dlg.EditorShown);
    EXPECT_EQ(dlg.NodeText, "NP|sg|x");

    // An emptied editor gives an empty text (which OK refuses, as the sheet's tests of
    // the definition show).
    dlg.NodeTextBtnClick();
    dlg.EditorLines.clear();
    dlg.NodeTextBtnClick();
    EXPECT_EQ(dlg.NodeText, "");
}

TEST(NodeDialogsTest, FontsAreSortedAndHeightsComeIntoTheRangeOffered) {
    TNodeDefDlg fonts;
    fonts.Show({"Times", "Arial", "DejaVu Sans", "Arial"});
    EXPECT_EQ(fonts.Fonts, (Lines{"Arial", "DejaVu Sans", "Times"}));
    const std::pair<uint16_t, uint16_t> cases[] = {{0, 6},   {5, 6},   {6, 6},     {16, 16},
                                                   {96, 96}, {97, 96}, {21000, 96}};
    for (const auto& [height, shown] : cases) {
        TNode node;
        node.Name = "N";
        node.Attr.FontSize = height;
        TDefNodeDlg defNode;
        defNode.Fill(node);
        EXPECT_EQ(defNode.Attr.FontSize, shown) << height;
        TNodeDefDlg defaults;
        defaults.Attr.FontSize = height;
        defaults.Show({});
        EXPECT_EQ(defaults.Attr.FontSize, shown) << height;
    }
}

TEST(IOFormDlgTest, ShortcutsFillTheGroupsAndClearOnAChange) {
    TIOFormDlg dlg;
    dlg.Show();
    EXPECT_EQ(dlg.Shortcut, -1);
    dlg.ShortcutsRGClick(2);
    EXPECT_EQ(dlg.Format, (TBracketFormat{1, 1, 0, 1}));
    EXPECT_EQ(dlg.Shortcut, 2);
    dlg.OrientationRGClick(1);
    EXPECT_EQ(dlg.Format, (TBracketFormat{1, 1, 1, 1}));
    EXPECT_EQ(dlg.Shortcut, -1);

    EXPECT_EQ(ConvOptsFromFormat({1, 1, 1, 3}), (TConvOpts{',', "<>", true, true, false}));
    EXPECT_EQ(ConvOptsFromFormat({}), TConvOpts{});
    EXPECT_EQ(ConvOptsFromFormat(ShortcutFormat(1)).Separator, ',');
}

TEST(TreePrevDlgTest, StretchKeepsTheAspect) {
    TTreePrevDlg dlg;
    EXPECT_EQ(dlg.Target(300, 300), (TRect{0, 0, -1, -1}));
    dlg.Pict.Width = 200;
    dlg.Pict.Height = 100;
    EXPECT_EQ(dlg.Target(300, 300), (TRect{0, 0, 300, 150}));
    EXPECT_EQ(dlg.Target(400, 100), (TRect{0, 0, 200, 100}));
    dlg.Pict.Width = 50;
    EXPECT_EQ(dlg.Target(300, 300), (TRect{0, 0, 150, 300}));
}

} // namespace
} // namespace gramarbor
