// The metafile writer: exact headers and records, a sound object table, and the files
// read back by the readers of Linux desktops (libwmf's wmf2svg and ImageMagick; a
// machine without them is told which package is missing).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "base/file_io.h"
#include "picture/wmf_readers.h"
#include "picture/wmf_writer.h"

using namespace gramarbor;
namespace fs = std::filesystem;

namespace {

using Words = std::vector<int16_t>;

struct Record {
    uint16_t Function = 0;
    std::string Params; // the bytes after the record's size and function
    int16_t Word(std::size_t i) const {
        return static_cast<int16_t>(uint8_t(Params.at(2 * i)) |
                                    (uint8_t(Params.at(2 * i + 1)) << 8));
    }
    Words All() const {
        Words words;
        for (std::size_t i = 0; 2 * i + 1 < Params.size(); ++i)
            words.push_back(Word(i));
        return words;
    }
};

uint32_t U32(const std::string& b, std::size_t at) {
    return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8 | uint8_t(b[at + 2]) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}

// Splits the records after both headers, checking the sizes the metafile header
// declares (file size, largest record) and the final end record.
std::vector<Record> Records(const std::string& bytes) {
    std::vector<Record> records;
    std::size_t at = 40;
    uint32_t largest = 0;
    while (at + 6 <= bytes.size()) {
        const uint32_t words = U32(bytes, at);
        if (words < 3 || at + 2 * words > bytes.size()) break;
        largest = std::max(largest, words);
        records.push_back({uint16_t(uint8_t(bytes[at + 4]) | uint8_t(bytes[at + 5]) << 8),
                           bytes.substr(at + 6, 2 * words - 6)});
        at += 2 * words;
    }
    EXPECT_EQ(at, bytes.size());
    EXPECT_EQ(2 * U32(bytes, 28) + 22, bytes.size()) << "file size in the header";
    EXPECT_EQ(U32(bytes, 34), largest) << "largest record in the header";
    EXPECT_TRUE(!records.empty() && records.back().Function == 0 && records.back().Params.empty());
    return records;
}

const Record& Find(const std::vector<Record>& records, uint16_t function, int nth = 0) {
    static const Record none{0xFFFF, ""};
    for (const Record& r : records)
        if (r.Function == function && nth-- == 0) return r;
    ADD_FAILURE() << "no record " << function;
    return none;
}

struct Drawing {
    Picture Pic;
    ApproxTextMeasurer Measurer;
    PictureRecorder Canvas{Pic, Measurer};
    explicit Drawing(int32_t width = 100, int32_t height = 100) {
        Pic.Width = width;
        Pic.Height = height;
    }
    std::vector<Record> Written() const { return Records(WriteWmfBytes(Pic)); }
};

// Many fonts, pens, brushes and modes, one after the other.
void DrawBusy(Canvas& c) {
    const char* names[] = {"Arial", "Courier New", "Times New Roman",
                           "A font name longer than thirty-two bytes"};
    for (int i = 0; i < 80; ++i) {
        c.State.Font = {names[i % 4], (i % 2 ? 1 : -1) * (6 + i % 20), uint8_t(i % 16),
                        TColor(i * 997)};
        c.State.BrushStyle = i % 3 ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
        c.State.PenMode = i % 5 ? TPenMode::pmCopy : TPenMode::pmXor;
        c.State.PenWidth = 1 + i % 3;
        c.TextOut((i * 37) % 550, (i * 53) % 380, i % 2 ? "odd" : "even");
        c.RoundRect({i, i, i + 30, i + 20}, i % 7, i % 5);
        c.Arc({100 + i, 100, 200 + i, 160}, {i, 0}, {0, i});
    }
}

} // namespace

TEST(WmfWriter, WritesHeadersAndShapesInTheFormatsOrder) {
    Drawing d(300, 200);
    d.Canvas.MoveTo(1, 2);
    d.Canvas.LineTo(3, 4);
    d.Canvas.Ellipse({10, 11, 12, 13});
    d.Canvas.RoundRect({20, 21, 22, 23}, 5, 6);
    d.Canvas.Arc({30, 31, 32, 33}, {34, 35}, {36, 37});
    d.Canvas.Polygon({{40, 41}, {42, 43}, {44, 45}});
    d.Canvas.Rectangle({50, 51, 52, 53});
    const std::string bytes = WriteWmfBytes(d.Pic);
    // Placeable header (box 0, 0, 300, 200; 96 units per inch; checksum), then type 1,
    // 9 header words, version 3.0.
    EXPECT_EQ(bytes.substr(0, 28),
              std::string("\xD7\xCD\xC6\x9A\0\0\0\0\0\0\x2C\x01\xC8\0\x60\0\0\0\0\0\x95\x56"
                          "\x01\0\x09\0\0\x03",
                          28));
    const auto records = Records(bytes);
    EXPECT_EQ(Find(records, 0x020B).All(), (Words{0, 0}));     // window origin
    EXPECT_EQ(Find(records, 0x020C).All(), (Words{200, 300})); // window extent
    EXPECT_EQ(Find(records, 0x041B).All(), (Words{200, 300, 0, 0})) << "white background";
    EXPECT_EQ(Find(records, 0x0214).All(), (Words{2, 1}));
    EXPECT_EQ(Find(records, 0x0213).All(), (Words{4, 3}));
    EXPECT_EQ(Find(records, 0x0418).All(), (Words{13, 12, 11, 10}));
    EXPECT_EQ(Find(records, 0x061C).All(), (Words{6, 5, 23, 22, 21, 20}));
    EXPECT_EQ(Find(records, 0x0817).All(), (Words{37, 36, 35, 34, 33, 32, 31, 30}));
    EXPECT_EQ(Find(records, 0x0324).All(), (Words{3, 40, 41, 42, 43, 44, 45}));
    EXPECT_EQ(Find(records, 0x041B, 1).All(), (Words{53, 52, 51, 50}));
}

TEST(WmfWriter, WritesFontsTextsPensAndModes) {
    Drawing d;
    d.Canvas.State.Font = {"Times New Roman", 20, fsBold | fsItalic | fsUnderline | fsStrikeOut,
                           clRed};
    d.Canvas.State.BrushStyle = TBrushStyle::bsClear;
    d.Canvas.TextOut(7, 9, "\xC4q\xDF"); // odd length: padded
    d.Canvas.State.BrushStyle = TBrushStyle::bsSolid;
    d.Canvas.State.BrushColor = 0x00FFFF;
    d.Canvas.State.Font = TFont();
    d.Canvas.TextOut(0, 0, "ab");
    d.Canvas.State.BrushColor = 0x123456;
    d.Canvas.FillRect({5, 6, 7, 8});
    d.Canvas.State.PenColor = clTeal;
    d.Canvas.State.PenWidth = 2;
    d.Canvas.State.PenMode = TPenMode::pmXor;
    d.Canvas.State.BrushStyle = TBrushStyle::bsClear;
    d.Canvas.Rectangle({1, 2, 3, 4});
    d.Canvas.FillRect({9, 9, 20, 20}); // nothing with a clear brush
    const auto records = d.Written();

    // Height, width, escapement, orientation, weight; italic, underline, strike-out,
    // ANSI charset, precisions, quality, pitch; 32 bytes of face name.
    EXPECT_EQ(Find(records, 0x02FB).Params,
              std::string("\x14\0\0\0\0\0\0\0\xBC\x02\x01\x01\x01\0\0\0\0\0Times New Roman", 33) +
                  std::string(17, '\0'));
    EXPECT_EQ(Find(records, 0x02FB, 1).Word(0), -11) << "the default height is 8 points";
    EXPECT_EQ(Find(records, 0x02FB, 1).Word(4), 400);
    EXPECT_EQ(Find(records, 0x0209).Params, std::string("\xFF\0\0\0", 4)) << "text colour";
    EXPECT_EQ(Find(records, 0x0521).Params, std::string("\x03\0\xC4q\xDF\0\x09\0\x07\0", 10));
    // Transparent text with a clear brush, opaque in the brush colour with a solid one.
    EXPECT_EQ(Find(records, 0x0102, 1).All(), (Words{1}));
    EXPECT_EQ(Find(records, 0x0102, 2).All(), (Words{2}));
    EXPECT_EQ(Find(records, 0x0201).Params, std::string("\xFF\xFF\0\0", 4));
    // FillRect: pen and brush in the fill colour.
    EXPECT_EQ(Find(records, 0x02FA, 1).Params, std::string("\0\0\x01\0\0\0\x56\x34\x12\0", 10));
    EXPECT_EQ(Find(records, 0x02FC, 1).Params, std::string("\0\0\x56\x34\x12\0\0\0", 8));
    // XOR pen of width 2 and a null brush.
    EXPECT_EQ(Find(records, 0x0104, 1).All(), (Words{7}));
    EXPECT_EQ(Find(records, 0x02FA, 2).Params, std::string("\0\0\x02\0\0\0\0\x80\x80\0", 10));
    EXPECT_EQ(Find(records, 0x02FC, 2).Params, std::string("\x01\0\xFF\xFF\xFF\0\0\0", 8));
    EXPECT_EQ(std::count_if(records.begin(), records.end(),
                            [](const Record& r) { return r.Function == 0x041B; }),
              3);
}

TEST(WmfWriter, KeepsTheObjectTableConsistent) {
    Drawing d(600, 400);
    DrawBusy(d.Canvas);
    const std::string bytes = WriteWmfBytes(d.Pic);
    // A reader's table: each created object takes the lowest free slot; a select must
    // name a live object, a delete one that is no longer selected.
    std::vector<uint16_t> slots; // 0 = free, else the creating record
    std::map<uint16_t, std::size_t> selected;
    std::size_t expectedSlot = 0, used = 0;
    bool created = false;
    for (const Record& r : Records(bytes)) {
        if (created) {
            ASSERT_EQ(r.Function, 0x012D) << "a new object is selected at once";
            EXPECT_EQ(std::size_t(r.Word(0)), expectedSlot);
        }
        created = r.Function == 0x02FA || r.Function == 0x02FB || r.Function == 0x02FC;
        const auto slot = std::size_t(r.Params.size() >= 2 ? r.Word(0) : 0);
        if (created) {
            expectedSlot = std::find(slots.begin(), slots.end(), 0) - slots.begin();
            if (expectedSlot == slots.size()) slots.push_back(0);
            slots[expectedSlot] = r.Function;
            used = std::max(used, expectedSlot + 1);
        } else if (r.Function == 0x012D) {
            ASSERT_TRUE(slot < slots.size() && slots[slot] != 0);
            selected[slots[slot]] = slot;
        } else if (r.Function == 0x01F0) {
            ASSERT_TRUE(slot < slots.size() && slots[slot] != 0);
            EXPECT_NE(selected[slots[slot]], slot);
            slots[slot] = 0;
        }
    }
    EXPECT_LE(used, 6u) << "freed slots are reused";
    EXPECT_GE(uint8_t(bytes[32]) | uint8_t(bytes[33]) << 8, int(used))
        << "object count in the header";
}

TEST(WmfWriter, KeepsTheDrawingInsideThePicture) {
    Drawing d(200, 100);
    d.Canvas.MoveTo(10, 50);
    d.Canvas.LineTo(1000, 50);
    d.Canvas.MoveTo(-100, -100);
    d.Canvas.LineTo(300, 300);
    d.Canvas.MoveTo(-100, 200);
    d.Canvas.LineTo(300, 200);                 // wholly outside
    d.Canvas.Ellipse({300, 0, 400, 50});       // wholly outside
    d.Canvas.TextOut(250, 0, "x");             // starts right of the picture
    d.Canvas.Rectangle({-100000, 10, 50, 20}); // partly inside: clamped
    d.Canvas.Polygon({{1, 1}});                // too few points
    d.Canvas.TextOut(0, 0, "");
    const auto records = d.Written();
    EXPECT_EQ(Find(records, 0x0214).All(), (Words{50, 10}));
    EXPECT_EQ(Find(records, 0x0213).All(), (Words{50, 200}));
    EXPECT_EQ(Find(records, 0x0214, 1).All(), (Words{0, 0}));
    EXPECT_EQ(Find(records, 0x0213, 1).All(), (Words{100, 100}));
    EXPECT_EQ(Find(records, 0x041B, 1).All(), (Words{20, 50, 10, -32768}));
    EXPECT_EQ(std::count_if(records.begin(), records.end(),
                            [](const Record& r) {
                                return r.Function == 0x0213 || r.Function == 0x0418 ||
                                       r.Function == 0x0324 || r.Function == 0x0521;
                            }),
              2);

    Drawing empty(0, -128); // the surplus parts of a split export have such sizes
    EXPECT_EQ(WriteWmfBytes(empty.Pic).substr(10, 4), std::string("\x01\0\x01\0", 4))
        << "a 1 x 1 box";
    Drawing longText(30000, 10);
    longText.Canvas.TextOut(0, 0, std::string(40000, 'a'));
    EXPECT_EQ(Find(longText.Written(), 0x0521).Word(0), 32767);

    // Wider than 16-bit coordinates reach: half the units per inch, half the numbers.
    Drawing wide(65534, 100);
    wide.Canvas.State.Font.Height = -20;
    wide.Canvas.TextOut(60000, 40, "end");
    wide.Canvas.Rectangle({40000, 10, 40100, 90});
    const std::string bytes = WriteWmfBytes(wide.Pic);
    EXPECT_EQ(bytes.substr(10, 6), std::string("\xFF\x7F\x32\0\x30\0", 6))
        << "32767 x 50 at 48 per inch";
    const auto scaled = Records(bytes);
    EXPECT_EQ(Find(scaled, 0x041B, 1).All(), (Words{45, 20050, 5, 20000}));
    EXPECT_EQ(Find(scaled, 0x0521).All().back(), 30000);
    EXPECT_EQ(Find(scaled, 0x02FB).Word(0), -10);
}

TEST(WmfWriter, SavesThroughATemporaryFile) {
    const auto folder = std::filesystem::path(::testing::TempDir()) / "wmf_save";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "tree.wmf").string();
    std::ofstream(path) << "old contents";
    Drawing d(20, 10);
    std::string error, bytes;
    ASSERT_TRUE(SavePictureAsWmf(d.Pic, path, &error)) << error;
    ASSERT_EQ(ReadFileBytes(path, bytes), FileError::None);
    EXPECT_EQ(bytes, WriteWmfBytes(d.Pic));
    EXPECT_FALSE(SavePictureAsWmf(d.Pic, (folder / "missing" / "x.wmf").string(), &error));
    EXPECT_NE(error, "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
        << "no temporary left";
}

// Reading the files back with the readers.
namespace {

// Saves the picture, runs the command on it ({in} and {out} replaced) and returns
// the output file; the command must succeed without a word on stderr.
std::string Convert(const Picture& picture, const std::string& name, const std::string& ext,
                    std::string command) {
    const fs::path folder = fs::path(::testing::TempDir()) / "wmf_readers";
    fs::create_directories(folder);
    const fs::path wmf = folder / (name + ".wmf"), out = folder / (name + ext);
    EXPECT_TRUE(SavePictureAsWmf(picture, wmf.string()));
    command.replace(command.find("{in}"), 4, wmf.string());
    command.replace(command.find("{out}"), 5, out.string());
    const gramarbor::testing::ReaderRun run = gramarbor::testing::RunReader(command);
    EXPECT_EQ(run.Status, 0) << command;
    EXPECT_EQ(run.Errors, "") << command;
    std::string result;
    ReadFileBytes(out.string(), result);
    return result;
}

// One of every operation at known places, 400 x 300.
Picture Sampler() {
    static ApproxTextMeasurer measurer;
    Picture picture;
    picture.Width = 400;
    picture.Height = 300;
    PictureRecorder c(picture, measurer);
    c.State.BrushColor = clBlack;
    c.FillRect({20, 20, 60, 60});
    c.State.BrushColor = clWhite;
    c.Rectangle({80, 20, 140, 60});
    c.State.BrushColor = clRed;
    c.Ellipse({160, 20, 240, 60});
    c.State.BrushStyle = TBrushStyle::bsClear;
    c.RoundRect({260, 20, 380, 60}, 20, 20);
    c.MoveTo(20, 100);
    c.LineTo(200, 100);
    c.State.PenWidth = 2;
    c.Arc({220, 80, 300, 160}, {300, 120}, {260, 80}); // the upper right quarter
    c.State.BrushStyle = TBrushStyle::bsSolid;
    c.State.BrushColor = clBlack;
    c.Polygon({{320, 80}, {380, 80}, {350, 140}});
    c.State.BrushStyle = TBrushStyle::bsClear;
    c.State.Font = {"Arial", -20, 0, clBlack};
    c.TextOut(20, 160, "Gramarbor");
    c.State.Font = {"Courier New", 22, fsBold | fsItalic | fsUnderline | fsStrikeOut, clBlack};
    c.TextOut(20, 240, "Tr\xE4ume");
    c.State.BrushStyle = TBrushStyle::bsSolid;
    c.State.BrushColor = 0x00FFFF;
    c.State.Font = {"Times New Roman", -20, 0, clBlack};
    c.TextOut(200, 200, "Opaque");
    c.State.BrushStyle = TBrushStyle::bsClear;
    c.State.PenMode = TPenMode::pmXor;
    c.State.PenColor = clTeal;
    c.Rectangle({300, 240, 390, 290});
    c.State.PenMode = TPenMode::pmCopy;
    c.MoveTo(390, 150);
    c.LineTo(5000, 150); // runs off the picture: must not shrink the drawing
    return picture;
}

// The numbers of the first element that matches pattern (a regular expression whose
// groups are numbers).
std::vector<double> Numbers(const std::string& svg, const std::string& pattern) {
    std::smatch m;
    std::vector<double> numbers;
    if (std::regex_search(svg, m, std::regex(pattern)))
        for (std::size_t i = 1; i < m.size(); ++i)
            numbers.push_back(std::stod(m[i].str()));
    return numbers;
}

void ExpectNear(const std::vector<double>& actual, const std::vector<double>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1.5) << i;
}

} // namespace

TEST(WmfReaders, Wmf2SvgPlacesEveryOperation) {
    ASSERT_EQ(gramarbor::testing::WmfReadersMissing(), "");
    const std::string svg = Convert(Sampler(), "sampler", ".svg", "wmf2svg -o {out} {in}");
    EXPECT_NE(svg.find("width=\"400\" height=\"300\""), std::string::npos);
    // Texts as Windows-1252 bytes; a character height of 20 units.
    for (const char* text :
         {">Gramarbor</text>", ">Opaque</text>", ">Tr\xE4ume</text>", "font-size:19.9"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    const std::string n = "([-\\d.]+)";
    ExpectNear(Numbers(svg, "<rect x=\"" + n + "\" y=\"" + n + "\" width=\"" + n + "\" height=\"" +
                                n + "\"[^>]*fill:white;[^>]*stroke:black"),
               {80, 20, 60, 40});
    ExpectNear(Numbers(svg, "<ellipse cx=\"" + n + "\" cy=\"" + n + "\" rx=\"" + n + "\" ry=\"" +
                                n + "\""),
               {200, 40, 40, 20});
    ExpectNear(Numbers(svg, "<rect x=\"" + n + "\" y=\"" + n + "\" width=\"" + n + "\" height=\"" +
                                n + "\" rx"),
               {260, 20, 120, 40});
    ExpectNear(
        Numbers(svg, "<line x1=\"" + n + "\" y1=\"" + n + "\" x2=\"" + n + "\" y2=\"" + n + "\""),
        {20, 100, 200, 100});
    ExpectNear(
        Numbers(svg, "<polygon points=\"" + n + "," + n + "\\s+" + n + "," + n + " " + n + "," + n),
        {320, 80, 380, 80, 350, 140});
}

TEST(WmfReaders, ImageMagickRendersShapesAndTextsInPlace) {
    ASSERT_EQ(gramarbor::testing::WmfReadersMissing(), "");
    std::istringstream ppm(
        Convert(Sampler(), "sampler", ".ppm", "convert -density 96 {in} -depth 8 {out}"));
    std::string magic;
    int width = 0, height = 0, depth = 0;
    ppm >> magic >> width >> height >> depth;
    ppm.get();
    const std::string pixels{std::istreambuf_iterator<char>(ppm), {}};
    ASSERT_EQ(magic, "P6");
    ASSERT_EQ(width, 400);
    ASSERT_EQ(height, 300);
    ASSERT_EQ(pixels.size(), 3u * width * height);
    const auto at = [&](int x, int y) {
        const std::size_t i = 3 * (std::size_t(y) * width + x);
        return uint32_t(uint8_t(pixels[i]) << 16 | uint8_t(pixels[i + 1]) << 8 |
                        uint8_t(pixels[i + 2]));
    };
    // Thin lines come out antialiased: any pixel clearly darker than white is ink.
    const auto inkIn = [&](int left, int top, int right, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += (at(x, y) & 0xFF) < 230 && ((at(x, y) >> 8) & 0xFF) < 230;
        return count;
    };
    EXPECT_EQ(at(40, 40), 0u);
    EXPECT_EQ(at(17, 40), 0xFFFFFFu);
    EXPECT_EQ(at(63, 40), 0xFFFFFFu);
    EXPECT_GT(inkIn(79, 39, 82, 42), 0) << "rectangle edge";
    EXPECT_EQ(at(110, 40), 0xFFFFFFu);
    EXPECT_EQ(at(200, 40), 0xFF0000u) << "ellipse";
    EXPECT_EQ(at(163, 23), 0xFFFFFFu);
    EXPECT_GT(inkIn(319, 19, 322, 22), 0) << "round rectangle edge";
    EXPECT_EQ(at(261, 21), 0xFFFFFFu) << "round corner";
    EXPECT_GT(inkIn(99, 99, 102, 102), 0) << "line";
    EXPECT_GT(inkIn(286, 90, 290, 94), 0) << "arc";
    EXPECT_EQ(inkIn(220, 123, 300, 161) + inkIn(220, 80, 257, 117), 0)
        << "only one quarter of the arc";
    EXPECT_EQ(at(350, 100), 0u) << "polygon";
    EXPECT_GT(inkIn(20, 160, 120, 184), 100) << "text";
    EXPECT_EQ(inkIn(125, 160, 200, 184), 0);
    EXPECT_GT(inkIn(20, 240, 110, 264), 50);
    int yellow = 0;
    for (int y = 200; y < 222; ++y)
        for (int x = 200; x < 260; ++x)
            yellow += at(x, y) == 0xFFFF00u;
    EXPECT_GT(yellow, 200) << "opaque text background";
}

TEST(WmfReaders, AcceptManyObjectsAndDegenerateSizes) {
    ASSERT_EQ(gramarbor::testing::WmfReadersMissing(), "");
    Drawing busy(600, 400);
    DrawBusy(busy.Canvas);
    busy.Canvas.MoveTo(-50000, -50000);
    busy.Canvas.LineTo(50000, 50000);
    Picture empty;
    empty.Height = -128;
    for (const Picture* picture : {&busy.Pic, &empty}) {
        EXPECT_NE(Convert(*picture, "odd", ".svg", "wmf2svg -o {out} {in}"), "");
        EXPECT_NE(Convert(*picture, "odd", ".png", "convert -density 96 {in} {out}"), "");
    }
}
