#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "base/file_io.h"
#include "picture/wmf_parse.h"
#include "picture/wmf_writer.h"

using namespace gramarbor;
using wmftest::ParseWmf;
using wmftest::Record;

namespace {

constexpr uint16_t fnSetBkColor = 0x0201, fnSetBkMode = 0x0102, fnSetRop2 = 0x0104,
                   fnSetTextColor = 0x0209, fnSelect = 0x012D, fnDelete = 0x01F0, fnPen = 0x02FA,
                   fnFont = 0x02FB, fnBrush = 0x02FC, fnMoveTo = 0x0214, fnLineTo = 0x0213,
                   fnRectangle = 0x041B, fnEllipse = 0x0418, fnRoundRect = 0x061C, fnArc = 0x0817,
                   fnPolygon = 0x0324, fnTextOut = 0x0521;

std::vector<Record> Drawn(const Picture& picture) {
    const auto file = ParseWmf(WriteWmfBytes(picture));
    EXPECT_TRUE(file.Ok) << file.Problem;
    return file.Records;
}

// The records after the background rectangle, without the end record.
std::vector<Record> AfterBackground(const Picture& picture) {
    auto records = Drawn(picture);
    std::size_t first = 0;
    while (first < records.size() && records[first].Function != fnRectangle)
        ++first;
    return std::vector<Record>(records.begin() + first + 1, records.end() - 1);
}

const Record* Find(const std::vector<Record>& records, uint16_t function) {
    for (const Record& r : records)
        if (r.Function == function) return &r;
    return nullptr;
}

using Words = std::vector<int16_t>;

// Replays the object records as a reader does: creation takes the lowest free slot.
struct ObjectTable {
    std::vector<uint16_t> Kinds;      // 0 = free, else the creating function
    std::map<uint16_t, int> Selected; // kind -> slot
    std::string Problem;
    std::size_t Highest = 0;

    void Apply(const Record& r) {
        if (r.Function == fnPen || r.Function == fnBrush || r.Function == fnFont) {
            std::size_t slot = 0;
            while (slot < Kinds.size() && Kinds[slot] != 0)
                ++slot;
            if (slot == Kinds.size()) Kinds.push_back(0);
            Kinds[slot] = r.Function;
            Highest = std::max(Highest, slot + 1);
        } else if (r.Function == fnSelect) {
            const auto slot = static_cast<std::size_t>(r.Word(0));
            if (slot >= Kinds.size() || Kinds[slot] == 0)
                Problem += "select of a free slot;";
            else
                Selected[Kinds[slot]] = static_cast<int>(slot);
        } else if (r.Function == fnDelete) {
            const auto slot = static_cast<std::size_t>(r.Word(0));
            if (slot >= Kinds.size() || Kinds[slot] == 0)
                Problem += "delete of a free slot;";
            else if (Selected[Kinds[slot]] == static_cast<int>(slot))
                Problem += "delete of a selected object;";
            else
                Kinds[slot] = 0;
        }
    }
};

} // namespace

TEST(WmfWriter, WritesPlaceableAndMetafileHeadersExactly) {
    Picture picture;
    picture.Width = 300;
    picture.Height = 200;
    const std::string bytes = WriteWmfBytes(picture);
    const std::string expectedStart("\xD7\xCD\xC6\x9A"
                                    "\x00\x00"
                                    "\x00\x00\x00\x00\x2C\x01\xC8\x00"
                                    "\x60\x00"
                                    "\x00\x00\x00\x00"
                                    "\x95\x56"
                                    "\x01\x00"
                                    "\x09\x00"
                                    "\x00\x03",
                                    28);
    EXPECT_EQ(bytes.substr(0, 28), expectedStart);
    const auto file = ParseWmf(bytes);
    ASSERT_TRUE(file.Ok) << file.Problem;
    EXPECT_EQ(file.Type, 1);
    EXPECT_EQ(file.SizeWords * 2 + 22, bytes.size());
    // Window origin and extent first, so readers size the drawing from them.
    ASSERT_GE(file.Records.size(), 2u);
    EXPECT_EQ(file.Records[0].Function, 0x020B);
    EXPECT_EQ(file.Records[0].Words(), (Words{0, 0}));
    EXPECT_EQ(file.Records[1].Function, 0x020C);
    EXPECT_EQ(file.Records[1].Words(), (Words{200, 300}));
    // The white background spans the picture.
    const Record* background = Find(file.Records, fnRectangle);
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->Words(), (Words{200, 300, 0, 0}));
    EXPECT_EQ(file.Records.back().Function, 0);
    EXPECT_EQ(file.Records.back().Params, "");
}

TEST(WmfWriter, StoresShapeParametersInReverseOrderAndPointsInOrder) {
    Picture picture;
    picture.Width = picture.Height = 100;
    ApproxTextMeasurer measurer;
    PictureRecorder canvas(picture, measurer);
    canvas.MoveTo(1, 2);
    canvas.LineTo(3, 4);
    canvas.Ellipse({10, 11, 12, 13});
    canvas.RoundRect({20, 21, 22, 23}, 5, 6);
    canvas.Arc({30, 31, 32, 33}, {34, 35}, {36, 37});
    canvas.Polygon({{40, 41}, {42, 43}, {44, 45}});
    canvas.Rectangle({50, 51, 52, 53});
    const auto records = AfterBackground(picture);
    EXPECT_EQ(Find(records, fnMoveTo)->Words(), (Words{2, 1}));
    EXPECT_EQ(Find(records, fnLineTo)->Words(), (Words{4, 3}));
    EXPECT_EQ(Find(records, fnEllipse)->Words(), (Words{13, 12, 11, 10}));
    EXPECT_EQ(Find(records, fnRoundRect)->Words(), (Words{6, 5, 23, 22, 21, 20}));
    EXPECT_EQ(Find(records, fnArc)->Words(), (Words{37, 36, 35, 34, 33, 32, 31, 30}));
    EXPECT_EQ(Find(records, fnPolygon)->Words(), (Words{3, 40, 41, 42, 43, 44, 45}));
    EXPECT_EQ(Find(records, fnRectangle)->Words(), (Words{53, 52, 51, 50}));
}

TEST(WmfWriter, WritesTextWithFontColoursAndBackgroundMode) {
    Picture picture;
    picture.Width = picture.Height = 100;
    ApproxTextMeasurer measurer;
    PictureRecorder canvas(picture, measurer);
    canvas.State.Font = {"Times New Roman", 20, fsBold | fsItalic | fsUnderline | fsStrikeOut,
                         clRed};
    canvas.State.BrushStyle = TBrushStyle::bsClear;
    canvas.TextOut(7, 9, "\xC4q\xDF"); // odd length: padded with a zero byte
    auto records = AfterBackground(picture);

    const Record* font = Find(records, fnFont);
    ASSERT_NE(font, nullptr);
    const std::string expectedFont("\x14\x00"
                                   "\x00\x00"
                                   "\x00\x00"
                                   "\x00\x00"
                                   "\xBC\x02"
                                   "\x01\x01\x01\x00"
                                   "\x00\x00\x00\x00"
                                   "Times New Roman",
                                   33);
    EXPECT_EQ(font->Params, expectedFont + std::string(17, '\0'));
    EXPECT_EQ(Find(records, fnSetTextColor)->Params, std::string("\xFF\x00\x00\x00", 4));
    EXPECT_EQ(Find(records, fnSetBkMode)->Words(), (Words{1}));
    EXPECT_EQ(Find(records, fnTextOut)->Params,
              std::string("\x03\x00\xC4q\xDF\x00\x09\x00\x07\x00", 10));

    // A solid brush gives an opaque background in the brush colour; the default
    // height is that of 8 points, as a character height.
    Picture opaque;
    opaque.Width = opaque.Height = 100;
    PictureRecorder second(opaque, measurer);
    second.State.BrushColor = 0x00FFFF;
    second.TextOut(0, 0, "ab");
    records = AfterBackground(opaque);
    EXPECT_EQ(Find(records, fnFont)->Word(0), -11);
    EXPECT_EQ(Find(records, fnFont)->Word(4), 400);
    EXPECT_EQ(Find(records, fnSetBkColor)->Params, std::string("\xFF\xFF\x00\x00", 4));
    const Record* mode = nullptr;
    for (const Record& r : records)
        if (r.Function == fnSetBkMode) mode = &r;
    // The writer starts opaque, so only the colour may have changed.
    EXPECT_TRUE(mode == nullptr || mode->Words() == (Words{2}));
}

TEST(WmfWriter, WritesPensBrushesAndXorModeForEachCall) {
    Picture picture;
    picture.Width = picture.Height = 100;
    ApproxTextMeasurer measurer;
    PictureRecorder canvas(picture, measurer);
    canvas.State.PenColor = clTeal;
    canvas.State.PenWidth = 2;
    canvas.State.PenMode = TPenMode::pmXor;
    canvas.State.BrushStyle = TBrushStyle::bsClear;
    canvas.Rectangle({1, 2, 3, 4});
    const auto records = AfterBackground(picture);
    EXPECT_EQ(Find(records, fnSetRop2)->Words(), (Words{7}));
    EXPECT_EQ(Find(records, fnPen)->Params,
              std::string("\x00\x00\x02\x00\x00\x00\x00\x80\x80\x00", 10));
    EXPECT_EQ(Find(records, fnBrush)->Params, std::string("\x01\x00\xFF\xFF\xFF\x00\x00\x00", 8));

    // A fill has no outline of another colour: the pen takes the brush colour.
    Picture fill;
    fill.Width = fill.Height = 100;
    PictureRecorder filler(fill, measurer);
    filler.State.BrushColor = 0x123456;
    filler.FillRect({5, 6, 7, 8});
    filler.State.BrushStyle = TBrushStyle::bsClear;
    filler.FillRect({9, 9, 20, 20}); // a clear brush fills nothing
    const auto fillRecords = AfterBackground(fill);
    EXPECT_EQ(Find(fillRecords, fnPen)->Params,
              std::string("\x00\x00\x01\x00\x00\x00\x56\x34\x12\x00", 10));
    EXPECT_EQ(Find(fillRecords, fnBrush)->Params,
              std::string("\x00\x00\x56\x34\x12\x00\x00\x00", 8));
    int rectangles = 0;
    for (const Record& r : fillRecords)
        rectangles += r.Function == fnRectangle;
    EXPECT_EQ(rectangles, 1);
}

TEST(WmfWriter, KeepsTheObjectTableConsistent) {
    // Many font, pen and brush changes: every selected object exists, deleted objects
    // are not selected, freed slots are reused and the header counts every slot.
    Picture picture;
    picture.Width = picture.Height = 500;
    ApproxTextMeasurer measurer;
    PictureRecorder canvas(picture, measurer);
    const char* names[] = {"Arial", "Courier New", "Times New Roman"};
    for (int i = 0; i < 60; ++i) {
        canvas.State.Font = {names[i % 3], -(8 + i % 5), static_cast<uint8_t>(i % 16),
                             TColor(i * 4099)};
        canvas.State.PenWidth = 1 + i % 2;
        canvas.State.BrushStyle = i % 4 == 0 ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
        canvas.State.BrushColor = TColor(i * 77);
        canvas.TextOut(i, i, "x");
        canvas.Ellipse({i, i, i + 10, i + 10});
        canvas.LineTo(i * 3, 400 - i);
    }
    const auto file = ParseWmf(WriteWmfBytes(picture));
    ASSERT_TRUE(file.Ok) << file.Problem;
    ObjectTable table;
    int creations = 0;
    for (const Record& r : file.Records) {
        table.Apply(r);
        creations += r.Function == fnPen || r.Function == fnBrush || r.Function == fnFont;
    }
    EXPECT_EQ(table.Problem, "");
    EXPECT_GT(creations, 100);
    EXPECT_LE(table.Highest, 6u); // three kinds, each briefly twice
    EXPECT_GE(file.Objects, table.Highest);
    // Each create is followed by the select of the slot it took.
    ObjectTable replay;
    for (std::size_t i = 0; i + 1 < file.Records.size(); ++i) {
        const Record& r = file.Records[i];
        if (r.Function != fnPen && r.Function != fnBrush && r.Function != fnFont) {
            replay.Apply(r);
            continue;
        }
        std::size_t expected = 0;
        while (expected < replay.Kinds.size() && replay.Kinds[expected] != 0)
            ++expected;
        replay.Apply(r);
        ASSERT_EQ(file.Records[i + 1].Function, fnSelect);
        EXPECT_EQ(static_cast<std::size_t>(file.Records[i + 1].Word(0)), expected);
    }
}

TEST(WmfWriter, ClampsOutOfRangeValuesAndDegenerateSizes) {
    Picture picture;
    picture.Width = 0;
    picture.Height = -128; // the surplus parts of a split export have such sizes
    ApproxTextMeasurer measurer;
    PictureRecorder canvas(picture, measurer);
    canvas.MoveTo(-100000, 5);
    canvas.LineTo(100000, 40000);
    canvas.Polygon({{1, 1}}); // too few points to draw
    canvas.TextOut(0, 0, "");
    auto file = ParseWmf(WriteWmfBytes(picture));
    ASSERT_TRUE(file.Ok) << file.Problem;
    EXPECT_EQ(file.Box[2], 1);
    EXPECT_EQ(file.Box[3], 1);
    EXPECT_EQ(Find(file.Records, fnMoveTo)->Words(), (Words{5, -32768}));
    EXPECT_EQ(Find(file.Records, fnLineTo)->Words(), (Words{32767, 32767}));
    EXPECT_EQ(Find(file.Records, fnPolygon), nullptr);
    EXPECT_EQ(Find(file.Records, fnTextOut), nullptr);

    // A text longer than a record can count is cut, and the record stays well formed.
    Picture big;
    big.Width = 40000;
    big.Height = 10;
    PictureRecorder bigCanvas(big, measurer);
    bigCanvas.TextOut(0, 0, std::string(40000, 'a'));
    file = ParseWmf(WriteWmfBytes(big));
    ASSERT_TRUE(file.Ok) << file.Problem;
    EXPECT_EQ(file.Box[2], 32767);
    EXPECT_EQ(Find(file.Records, fnTextOut)->Word(0), 32767);
}

TEST(WmfWriter, SavesThroughATemporaryFile) {
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "wmf_save";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "tree.wmf").string();
    std::ofstream(path) << "old contents";
    Picture picture;
    picture.Width = 20;
    picture.Height = 10;
    std::string error;
    ASSERT_TRUE(SavePictureAsWmf(picture, path, &error)) << error;
    std::string bytes;
    ASSERT_EQ(ReadFileBytes(path, bytes), FileError::None);
    EXPECT_EQ(bytes, WriteWmfBytes(picture));

    EXPECT_FALSE(SavePictureAsWmf(picture, (folder / "missing" / "x.wmf").string(), &error));
    EXPECT_NE(error, "");
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename(), "tree.wmf") << "left behind: " << entry.path();
}
