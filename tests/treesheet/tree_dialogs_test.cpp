// Models of the trees sheet's dialogs.
#include "treesheet/tree_dialogs.h"

#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/file_io.h"

namespace gramarbor {
namespace {

using ::testing::ElementsAre;

TEST(TreeListDlgTest, SavesWithCrLfAndLoadsTheLinesBack) {
    const std::string file =
        (std::filesystem::temp_directory_path() / "treesheet_list.ntl").string();
    RecordingSink sink;
    TTreeListDlg dlg;
    dlg.Lines = {"(1)A@[A]", "B@FullBin"};
    ASSERT_TRUE(dlg.SaveList(file, sink));
    std::string bytes;
    ASSERT_EQ(ReadFileBytes(file, bytes), FileError::None);
    EXPECT_EQ(bytes, "(1)A@[A]\r\nB@FullBin\r\n");
    dlg.NewListBtnClick();
    EXPECT_TRUE(dlg.Lines.empty());
    ASSERT_TRUE(dlg.LoadList(file, sink));
    EXPECT_THAT(dlg.Lines, ElementsAre("(1)A@[A]", "B@FullBin"));
    std::filesystem::remove(file);
    EXPECT_FALSE(dlg.LoadList(file, sink));
    EXPECT_FALSE(sink.Empty());
    EXPECT_THAT(dlg.Lines, ElementsAre("(1)A@[A]", "B@FullBin"));
}

TEST(DefNodeDlgTest, FillsRowsAndDisablesChainPlaceholders) {
    RecordingSink sink;
    TTree tree(true, sink);
    ASSERT_TRUE(tree.StrToTree("[NP|sg [D] [$]]"));
    TDefNodeDlg dlg;
    dlg.Fill(*tree.GetRoot());
    EXPECT_EQ(dlg.NodeText, "NP|sg");
    EXPECT_EQ(dlg.Rows[0], (TChildRow{true, 1, "D"}));
    EXPECT_EQ(dlg.Rows[1], (TChildRow{true, 2, "$"}));
    EXPECT_EQ(dlg.Rows[2], (TChildRow{false, 3, ""}));
    EXPECT_TRUE(dlg.RowEditable(0));
    EXPECT_FALSE(dlg.RowEnabled(1));
    EXPECT_TRUE(dlg.RowEnabled(2));
    EXPECT_FALSE(dlg.RowEditable(2));
}

TEST(DefNodeDlgTest, EditorSplitsAndJoinsTheNodeText) {
    TDefNodeDlg dlg;
    dlg.NodeText = "NP||sg";
    dlg.NodeTextBtnClick();
    EXPECT_THAT(dlg.EditorLines, ElementsAre("NP", "sg"));
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

TEST(DefNodeDlgTest, FlagControlsSetTheirBitsOnly) {
    TDefNodeDlg dlg;
    dlg.Attr = TNodeAttr{16, 4, 3, naLeft | naRound | naArrow};
    dlg.SetAlign(2);
    dlg.SetFrame(1);
    dlg.SetFlag(naArrow, false);
    dlg.SetFlag(naTriangle, true);
    EXPECT_EQ(dlg.Attr.Flags, naCenter | naAngular | naTriangle);
    EXPECT_EQ(dlg.Attr.FontStyle, 3);
    dlg.SetFrame(0);
    EXPECT_EQ(FrameIndex(dlg.Attr), 0);
}

TEST(NodeDefDlgTest, FontsAreSortedAndStylesToggle) {
    TNodeDefDlg dlg;
    dlg.Show({"Times", "Arial", "DejaVu Sans", "Arial"});
    EXPECT_THAT(dlg.Fonts, ElementsAre("Arial", "DejaVu Sans", "Times"));
    dlg.SetStyle(4, true);
    dlg.SetStyle(1, true);
    dlg.SetStyle(4, false);
    EXPECT_EQ(dlg.Attr.FontStyle, 1);
}

TEST(NodeDialogsTest, FontHeightsComeIntoTheRangeTheDialogsOffer) {
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

    const TConvOpts opts = ConvOptsFromFormat({1, 1, 1, 3});
    EXPECT_EQ(opts.Separator, ',');
    EXPECT_EQ(opts.Brackets, "<>");
    EXPECT_TRUE(opts.ParentOutside);
    EXPECT_TRUE(opts.Vertical);
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
