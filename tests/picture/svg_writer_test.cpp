// The SVG writer without any toolkit: a sampler of every shape, pen, arc, text style,
// background and escape (drawn by tests/data/picture/drawings.txt) compared with its
// document in tests/data/picture/sampler.svg,
// the document's size, the measurer's font measures, the size limit, and well-formed
// XML for odd and random pictures.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "common/golden_file.h"
#include "picture/canvas_script.h"
#include "picture/svg_writer.h"
#include "picture/xml_check.h"

using namespace gramarbor;
using namespace gramarbor::test;

namespace {

// Widths of 7 units a character, a 12-unit em with ascent 10 and descent 3, the
// underline 2 below the baseline and the strike-out line 4 above it.
class FixedMeasurer final : public TextMeasurer {
public:
    int32_t TextWidth(const TFont&, std::string_view text) override {
        return static_cast<int32_t>(7 * text.size());
    }
    TFontMeasures FontMeasures(const TFont&) override { return {12, 10, 3, 2, 4, 1}; }
};

std::string Attr(const XmlElement& e, const std::string& name) {
    const auto it = e.Attributes.find(name);
    return it == e.Attributes.end() ? "(none)" : it->second;
}

TEST(SvgWriter, SamplerMatchesItsDocument) {
    FixedMeasurer measurer;
    const Picture picture = gramarbor::testing::RecordedDrawing("svg_sampler", measurer);
    const std::string svg = WriteSvgText(picture, measurer);
    std::vector<XmlElement> elements;
    EXPECT_EQ(ReadXml(svg, elements), "");
    gramarbor::testing::ExpectGolden("picture/sampler.svg", svg);
}

TEST(SvgWriter, WritesAStandaloneDocumentOfThePicturesSize) {
    const struct {
        int32_t Width, Height;
        std::string Size;
    } cases[] = {
        {420, 330, "420 330"}, {0, 0, "1 1"}, {-5, 7, "1 7"}, {INT32_MAX, 2, "2147483647 2"}};
    for (const auto& c : cases) {
        Picture picture;
        picture.Width = c.Width;
        picture.Height = c.Height;
        const std::string svg = WriteSvgText(picture);
        EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", 0), 0u);
        std::vector<XmlElement> elements;
        ASSERT_EQ(ReadXml(svg, elements), "") << svg;
        const XmlElement& root = elements.at(0);
        EXPECT_EQ(root.Name + " " + Attr(root, "xmlns"), "svg http://www.w3.org/2000/svg");
        EXPECT_EQ(Attr(root, "viewBox"), "0 0 " + c.Size);
        EXPECT_EQ(Attr(root, "width") + " " + Attr(root, "height"), c.Size);
    }
}

TEST(SvgWriter, UsesTheMeasurersFontMeasures) {
    // The approximate measurer: Arial's proportions; 8 points are 11 pixels; a cell
    // height of 2288 and a character height of 2048 are an em of 2048; the lowest
    // height is drawn at the largest.
    ApproxTextMeasurer approx;
    const Picture picture = gramarbor::testing::RecordedDrawing("svg_font_heights", approx);
    std::vector<XmlElement> elements;
    ASSERT_EQ(ReadXml(WriteSvgText(picture), elements), "");
    std::vector<std::string> sizes;
    for (const XmlElement& e : elements)
        if (e.Name == "text") sizes.push_back(Attr(e, "font-size") + " " + Attr(e, "y"));
    EXPECT_EQ(sizes, (std::vector<std::string>{"11 10", "2048 1854", "2048 1854", "32767 29664"}));
}

TEST(SvgWriter, RefusesDocumentsBeyondTheLimit) {
    Picture picture;
    picture.Width = picture.Height = 100;
    FixedMeasurer measurer;
    PictureRecorder recorder(picture, measurer);
    for (int i = 0; i < 100; ++i)
        recorder.Ellipse({i, i, i + 10, i + 10});
    const std::string whole = WriteSvgText(picture, measurer);
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(WriteSvgText(picture, measurer, whole.size()), whole);
    EXPECT_EQ(WriteSvgText(picture, measurer, whole.size() - 1), "");
    // Characters the document leaves out take no room in the estimate either.
    Picture tabs = picture;
    PictureRecorder(tabs, measurer).TextOut(0, 0, std::string(4000, '\t'));
    const std::string withTabs = WriteSvgText(tabs, measurer);
    EXPECT_EQ(WriteSvgText(tabs, measurer, withTabs.size()), withTabs);
    // A call that cannot fit is refused before its element is built.
    recorder.TextOut(0, 0, std::string(std::size_t(1) << 20, 'x'));
    EXPECT_EQ(WriteSvgText(picture, measurer, whole.size() + 1000), "");
    EXPECT_EQ(SvgTooLargeText(MaxSvgBytes),
              "The picture is too large for an SVG file (more than 1073741824 bytes)");
}

// Odd and random pictures (empty ones are among the sizes): every document is well-formed
// XML without "nan".
TEST(SvgWriter, OddPicturesGiveWellFormedXml) {
    FixedMeasurer fixed;
    ApproxTextMeasurer approx;
    Picture pictures[2] = {gramarbor::testing::RecordedDrawing("svg_odd", fixed), {}};
    std::mt19937 random(20261207); // random calls with random states
    pictures[1].Width = 300;
    pictures[1].Height = 200;
    PictureRecorder r(pictures[1], approx);
    const auto coordinate = [&] {
        return static_cast<int32_t>(random() % 4 == 0 ? random() : random() % 400) - 100;
    };
    for (int i = 0; i < 2000; ++i) {
        r.State = {TColor(random()),
                   static_cast<int32_t>(random() % 5) - 1,
                   random() % 2 ? TPenMode::pmXor : TPenMode::pmCopy,
                   random() % 2 ? TBrushStyle::bsClear : TBrushStyle::bsSolid,
                   TColor(random()),
                   {}};
        r.State.Font.Height = static_cast<int32_t>(random());
        r.State.Font.Style = static_cast<uint8_t>(random());
        const TRect box{coordinate(), coordinate(), coordinate(), coordinate()};
        std::string text(random() % 12, ' ');
        for (char& c : text)
            c = static_cast<char>(random());
        const auto kind = random() % 8;
        if (kind == 0) r.TextOut(box.Left, box.Top, text);
        if (kind == 1) r.MoveTo(box.Left, box.Top), r.LineTo(box.Right, box.Bottom);
        if (kind == 2) r.Rectangle(box);
        if (kind == 3) r.FillRect(box);
        if (kind == 4) r.RoundRect(box, coordinate(), coordinate());
        if (kind == 5) r.Ellipse(box);
        if (kind == 6) r.Arc(box, {coordinate(), coordinate()}, {coordinate(), coordinate()});
        if (kind == 7)
            r.Polygon({{box.Left, box.Top}, {box.Right, box.Bottom}, {box.Left, box.Bottom}});
    }
    for (const Picture& picture : pictures) {
        std::vector<XmlElement> elements;
        EXPECT_EQ(ReadXml(WriteSvgText(picture), elements), "");
        for (const XmlElement& e : elements)
            for (const auto& [name, value] : e.Attributes)
                EXPECT_EQ(value.find("nan"), std::string::npos) << e.Name << " " << name;
    }
}

} // namespace
