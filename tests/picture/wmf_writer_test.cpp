// The metafile writer: exact headers and records, a sound object table, and the files
// read back by the readers of Linux desktops (libwmf's wmf2svg and ImageMagick; a
// machine without them is told which package is missing).
#include <gtest/gtest.h>

#include <filesystem>
#include <iomanip>
#include <map>
#include <regex>
#include <sstream>
#include <unistd.h>

#include "base/byte_reader.h"
#include "base/file_io.h"
#include "common/golden_file.h"
#include "picture/canvas_script.h"
#include "picture/wmf_readers.h"
#include "picture/wmf_writer.h"

using namespace gramarbor;
namespace fs = std::filesystem;

namespace {

struct Record {
    uint16_t Function = 0;
    std::string Params; // the bytes after the record's size and function
    int16_t Word(std::size_t i) const {
        return static_cast<int16_t>(uint8_t(Params.at(2 * i)) |
                                    (uint8_t(Params.at(2 * i + 1)) << 8));
    }
};

// Splits the records after both headers, checking the sizes the metafile header
// declares (file size, largest record) and the final end record.
std::vector<Record> Records(const std::string& bytes) {
    ByteReader header(std::string_view(bytes).substr(28)), in(std::string_view(bytes).substr(40));
    uint32_t size = 0, declared = 0, largest = 0, words = 0;
    uint16_t objects = 0;
    EXPECT_TRUE(header.ReadU32(size) && header.ReadU16(objects) && header.ReadU32(declared));
    std::vector<Record> records;
    for (Record r; in.ReadU32(words) && words >= 3 && in.ReadU16(r.Function) &&
                   in.ReadBytes(2 * words - 6, r.Params);)
        records.push_back(r), largest = std::max(largest, words);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(2 * size + 22, bytes.size()) << "file size in the header";
    EXPECT_EQ(declared, largest) << "largest record in the header";
    EXPECT_TRUE(!records.empty() && records.back().Function == 0 && records.back().Params.empty());
    return records;
}

struct Drawing {
    Picture Pic;
    ApproxTextMeasurer Measurer;
    PictureRecorder Canvas{Pic, Measurer};
    explicit Drawing(int32_t width = 100, int32_t height = 100) {
        Pic.Width = width;
        Pic.Height = height;
    }
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

// Both headers in hex, then each record: its function and parameter words, and the
// characters of texts and face names.
std::string Dump(const std::string& bytes) {
    static const std::map<uint16_t, const char*> names = {
        {0x0000, "eof"},       {0x0201, "bkcolor"},   {0x0102, "bkmode"}, {0x0104, "rop2"},
        {0x012E, "textalign"}, {0x0209, "textcolor"}, {0x020B, "origin"}, {0x020C, "extent"},
        {0x012D, "select"},    {0x01F0, "delete"},    {0x02FA, "pen"},    {0x02FB, "font"},
        {0x02FC, "brush"},     {0x0214, "moveto"},    {0x0213, "lineto"}, {0x041B, "rectangle"},
        {0x0418, "ellipse"},   {0x061C, "roundrect"}, {0x0817, "arc"},    {0x0324, "polygon"},
        {0x0521, "textout"}};
    std::ostringstream out;
    out << std::hex << std::setfill('0');
    for (std::size_t i = 0; i < 40; ++i)
        out << std::setw(2) << int(uint8_t(bytes.at(i))) << (i % 2 ? " " : "");
    out << std::dec << "\n";
    for (const Record& r : Records(bytes)) {
        out << (names.count(r.Function) ? names.at(r.Function) : "unknown");
        for (std::size_t i = 0; 2 * i + 1 < r.Params.size(); ++i)
            out << " " << r.Word(i);
        if (r.Function == 0x02FB || r.Function == 0x0521) {
            out << " \"";
            for (const char c : r.Params)
                if (c >= 0x20 && c < 0x7F) out << c;
            out << "\"";
        }
        out << "\n";
    }
    return out.str();
}

} // namespace

// The records of each drawing are kept in tests/data/picture/wmf_records.txt.
TEST(WmfWriter, DrawingsMatchTheirRecords) {
    std::string all, title;
    ApproxTextMeasurer measurer;
    for (const char* name : {"shapes", "texts", "inside", "surplus", "wide"}) {
        const Picture picture =
            gramarbor::testing::RecordedDrawing(std::string("wmf_") + name, measurer, &title);
        all += "# " + title + "\n" + Dump(WriteWmfBytes(picture));
    }
    gramarbor::testing::ExpectGolden("picture/wmf_records.txt", all);

    Drawing longText(30000, 10);
    longText.Canvas.TextOut(0, 0, std::string(40000, 'a'));
    for (const Record& r : Records(WriteWmfBytes(longText.Pic)))
        EXPECT_TRUE(r.Function != 0x0521 || r.Word(0) == 32767) << "characters written";
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

// Reading the files back with the readers.
namespace {

// The picture saved under name and read back by both readers: what they wrote.
std::pair<std::string, std::string> ReadBack(const Picture& picture, const std::string& name) {
    const std::string path =
        (fs::path(::testing::TempDir()) / (name + std::to_string(::getpid()) + ".wmf")).string();
    std::string bytes, svg, ppm;
    EXPECT_TRUE(SavePictureAsWmf(picture, path));
    EXPECT_EQ(ReadFileBytes(path, bytes), FileError::None);
    EXPECT_EQ(bytes, WriteWmfBytes(picture)) << "saved as written";
    gramarbor::testing::ExpectReadableWmf(path);
    ReadFileBytes(path + ".svg", svg);
    ReadFileBytes(path + ".ppm", ppm);
    return {svg, ppm};
}

} // namespace

// One of every operation at known places, 400 x 300, read by wmf2svg and ImageMagick.
TEST(WmfReaders, PlaceEveryOperation) {
    ASSERT_EQ(gramarbor::testing::WmfReadersMissing(), "");
    ApproxTextMeasurer measurer;
    const auto [svg, ppmBytes] =
        ReadBack(gramarbor::testing::RecordedDrawing("reader_sampler", measurer), "sampler");
    // Texts as Windows-1252 bytes; a character height of 20 units.
    for (const char* text : {"width=\"400\" height=\"300\"", ">Gramarbor</text>", ">Opaque</text>",
                             ">Tr\xE4ume</text>", "font-size:19.9"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    // The first element that matches each pattern has its numbers (#) near these.
    const std::pair<std::string, std::vector<double>> shapes[] = {
        {"<rect x=\"#\" y=\"#\" width=\"#\" height=\"#\"[^>]*fill:white;[^>]*stroke:black",
         {80, 20, 60, 40}},
        {"<ellipse cx=\"#\" cy=\"#\" rx=\"#\" ry=\"#\"", {200, 40, 40, 20}},
        {"<rect x=\"#\" y=\"#\" width=\"#\" height=\"#\" rx", {260, 20, 120, 40}},
        {"<line x1=\"#\" y1=\"#\" x2=\"#\" y2=\"#\"", {20, 100, 200, 100}},
        {"<polygon points=\"#,#\\s+#,# #,#", {320, 80, 380, 80, 350, 140}},
    };
    for (auto [pattern, expected] : shapes) {
        for (std::size_t at; (at = pattern.find('#')) != std::string::npos;)
            pattern.replace(at, 1, "([-\\d.]+)");
        std::smatch m;
        ASSERT_TRUE(std::regex_search(svg, m, std::regex(pattern))) << pattern;
        ASSERT_EQ(m.size(), expected.size() + 1);
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_NEAR(std::stod(m[i + 1].str()), expected[i], 1.5) << pattern << " " << i;
    }

    std::istringstream ppm(ppmBytes);
    std::string magic;
    int width = 0, height = 0, depth = 0;
    ppm >> magic >> width >> height >> depth;
    ppm.get();
    const std::string pixels{std::istreambuf_iterator<char>(ppm), {}};
    ASSERT_EQ(magic + " " + std::to_string(width) + " " + std::to_string(height), "P6 400 300");
    ASSERT_EQ(pixels.size(), 3u * width * height);
    const auto at = [&](int x, int y) {
        const std::size_t i = 3 * (std::size_t(y) * width + x);
        return uint32_t(uint8_t(pixels[i]) << 16 | uint8_t(pixels[i + 1]) << 8 |
                        uint8_t(pixels[i + 2]));
    };
    const struct {
        int X, Y;
        uint32_t Colour;
    } points[] = {{40, 40, 0},         {17, 40, 0xFFFFFF},  {63, 40, 0xFFFFFF},
                  {110, 40, 0xFFFFFF}, {200, 40, 0xFF0000}, {163, 23, 0xFFFFFF},
                  {261, 21, 0xFFFFFF}, {350, 100, 0}};
    for (const auto& p : points)
        EXPECT_EQ(at(p.X, p.Y), p.Colour) << p.X << "," << p.Y;
    // Thin lines come out antialiased: any pixel clearly darker than white is ink.
    const struct {
        int Left, Top, Right, Bottom, Least, Most;
        const char* What;
    } inks[] = {
        {79, 39, 82, 42, 1, 9, "rectangle edge"},
        {319, 19, 322, 22, 1, 9, "round rectangle"},
        {99, 99, 102, 102, 1, 9, "line"},
        {286, 90, 290, 94, 1, 16, "arc"},
        {220, 123, 300, 161, 0, 0, "arc, lower"},
        {220, 80, 257, 117, 0, 0, "arc, left"},
        {20, 160, 120, 184, 101, 2400, "text"},
        {125, 160, 200, 184, 0, 0, "after the text"},
        {20, 240, 110, 264, 51, 2160, "styled text"},
    };
    for (const auto& r : inks) {
        int count = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                count += (at(x, y) & 0xFF) < 230 && ((at(x, y) >> 8) & 0xFF) < 230;
        EXPECT_TRUE(count >= r.Least && count <= r.Most) << r.What << ": " << count;
    }
    int yellow = 0;
    for (int y = 200; y < 222; ++y)
        for (int x = 200; x < 260; ++x)
            yellow += at(x, y) == 0xFFFF00u;
    EXPECT_GT(yellow, 200) << "opaque text background";
}

TEST(WmfReaders, AcceptManyObjectsAndDegenerateSizes) {
    ASSERT_EQ(gramarbor::testing::WmfReadersMissing(), "");
    Drawing busy(600, 400), empty(0, -128);
    DrawBusy(busy.Canvas);
    busy.Canvas.MoveTo(-50000, -50000);
    busy.Canvas.LineTo(50000, 50000);
    ReadBack(busy.Pic, "busy");
    ReadBack(empty.Pic, "empty");
}
