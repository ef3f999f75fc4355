// The SVG writer without any toolkit: the document and its size, the shapes on the
// pixels the canvas conventions give, arcs, text with its font, baseline and
// background, XML escaping, the size limit, and well-formed XML for odd pictures.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <random>
#include <regex>
#include <sstream>

#include "picture/svg_writer.h"
#include "picture/xml_check.h"

using namespace gramarbor;
using gramarbor::test::ReadXml;
using gramarbor::test::XmlElement;

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

// The elements drawn (inside the svg root and its group), from a well-formed document.
std::vector<XmlElement> Drawn(const Picture& picture) {
    FixedMeasurer measurer;
    const std::string svg = WriteSvgText(picture, measurer);
    std::vector<XmlElement> elements;
    const std::string problem = ReadXml(svg, elements);
    EXPECT_EQ(problem, "") << svg;
    std::vector<XmlElement> drawn;
    for (const XmlElement& e : elements)
        if (e.Depth == 2) drawn.push_back(e);
    return drawn;
}

// Records one call drawn by draw into a 200 x 100 picture and gives its elements.
template <typename Draw>
std::vector<XmlElement> DrawnBy(Draw draw) {
    Picture picture;
    picture.Width = 200;
    picture.Height = 100;
    FixedMeasurer measurer;
    PictureRecorder recorder(picture, measurer);
    draw(static_cast<Canvas&>(recorder));
    return Drawn(picture);
}

std::vector<double> Numbers(const std::string& text) {
    std::vector<double> numbers;
    const std::regex number("-?[0-9]+(\\.[0-9]+)?");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number);
         it != std::sregex_iterator(); ++it)
        numbers.push_back(std::stod(it->str()));
    return numbers;
}

std::string Attr(const XmlElement& e, const std::string& name) {
    const auto it = e.Attributes.find(name);
    return it == e.Attributes.end() ? "(none)" : it->second;
}

} // namespace

TEST(SvgWriter, WritesAStandaloneDocumentOfThePicturesSize) {
    struct Case {
        int32_t Width, Height;
        const char* Size; // width, height
    } cases[] = {
        {420, 330, "420 330"}, {0, 0, "1 1"}, {-5, 7, "1 7"}, {INT32_MAX, 2, "2147483647 2"}};
    for (const Case& c : cases) {
        Picture picture;
        picture.Width = c.Width;
        picture.Height = c.Height;
        const std::string svg = WriteSvgText(picture);
        EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", 0), 0u);
        std::vector<XmlElement> elements;
        ASSERT_EQ(ReadXml(svg, elements), "") << svg;
        const XmlElement& root = elements.at(0);
        EXPECT_EQ(root.Name, "svg");
        EXPECT_EQ(Attr(root, "xmlns"), "http://www.w3.org/2000/svg");
        const std::string size = c.Size;
        EXPECT_EQ(Attr(root, "viewBox"), "0 0 " + size);
        EXPECT_EQ(Attr(root, "width") + " " + Attr(root, "height"), size);
    }
}

TEST(SvgWriter, ShapesLieOnThePixelsInsideTheirBox) {
    struct Case {
        const char* What;
        std::function<void(Canvas&)> Draw;
        const char* Element;
        const char* Attribute;
        std::vector<double> Expected;
    };
    const Case cases[] = {
        {"outline stroked along the inner pixels",
         [](Canvas& c) {
             c.Rectangle({10, 10, 30, 20});
         },
         "path",
         "d",
         {10.5, 10.5, 19, 9, -19}},
        {"reversed box",
         [](Canvas& c) {
             c.Rectangle({30, 20, 10, 10});
         },
         "path",
         "d",
         {10.5, 10.5, 19, 9, -19}},
        {"even pen centred on the edge",
         [](Canvas& c) {
             c.State.PenWidth = 2;
             c.Rectangle({10, 10, 30, 20});
         },
         "path",
         "d",
         {10, 10, 19, 9, -19}},
        {"fill covers the box, edges excluded",
         [](Canvas& c) {
             c.FillRect({10, 10, 30, 30});
         },
         "rect",
         "x y width height",
         {10, 10, 20, 20}},
        {"ellipse",
         [](Canvas& c) {
             c.Ellipse({80, 10, 120, 30});
         },
         "ellipse",
         "cx cy rx ry",
         {100, 20, 19.5, 9.5}},
        {"round rectangle",
         [](Canvas& c) {
             c.RoundRect({130, 10, 190, 50}, 20, 12);
         },
         "rect",
         "x y width height rx ry",
         {130.5, 10.5, 59, 39, 10, 6}},
        {"corner larger than the box",
         [](Canvas& c) {
             c.RoundRect({0, 0, 11, 5}, 40, 40);
         },
         "rect",
         "width height rx ry",
         {10, 4, 5, 2}},
        {"line without its end point",
         [](Canvas& c) { c.MoveTo(10, 10), c.LineTo(20, 10); },
         "path",
         "d",
         {10.5, 10.5, 19.5, 10.5}},
        {"diagonal line",
         [](Canvas& c) { c.MoveTo(0, 0), c.LineTo(-4, 8); },
         "path",
         "d",
         {0.5, 0.5, -3, 7.5}},
        {"one-step line is its start pixel",
         [](Canvas& c) { c.MoveTo(5, 6), c.LineTo(6, 7); },
         "rect",
         "x y width height",
         {5, 6, 1, 1}},
        {"polygon",
         [](Canvas& c) {
             c.Polygon({{0, 0}, {10, 0}, {5, 8}});
         },
         "polygon",
         "points",
         {0.5, 0.5, 10.5, 0.5, 5.5, 8.5}},
    };
    for (const Case& c : cases) {
        const std::vector<XmlElement> drawn = DrawnBy(c.Draw);
        ASSERT_EQ(drawn.size(), 1u) << c.What;
        EXPECT_EQ(drawn[0].Name, c.Element) << c.What;
        std::string values;
        std::istringstream names(c.Attribute);
        for (std::string name; names >> name;)
            values += Attr(drawn[0], name) + " ";
        EXPECT_EQ(Numbers(values), c.Expected) << c.What << ": " << values;
    }
}

TEST(SvgWriter, DrawsNothingWhereTheCanvasDrawsNothing) {
    const std::function<void(Canvas&)> draws[] = {
        [](Canvas& c) {
            c.Rectangle({10, 10, 10, 30});
        },
        [](Canvas& c) {
            c.Ellipse({10, 10, 40, 10});
        },
        [](Canvas& c) { c.MoveTo(3, 3), c.LineTo(3, 3); },
        [](Canvas& c) {
            c.State.BrushStyle = TBrushStyle::bsClear;
            c.FillRect({0, 0, 10, 10});
        },
        [](Canvas& c) {
            c.FillRect({10, 10, 0, 20});
        },
        [](Canvas& c) { c.Polygon({}); },
        [](Canvas& c) { c.TextOut(1, 1, ""); },
    };
    for (const auto& draw : draws)
        EXPECT_TRUE(DrawnBy(draw).empty());
}

TEST(SvgWriter, PensAndBrushesGiveStrokeAndFill) {
    const std::vector<XmlElement> drawn = DrawnBy([](Canvas& c) {
        c.State.PenColor = clRed;
        c.State.BrushColor = 0x00FF00;
        c.Ellipse({0, 0, 10, 10});
        c.State.BrushStyle = TBrushStyle::bsClear;
        c.State.PenWidth = 3;
        c.Ellipse({0, 0, 10, 10});
        // Focus frames: shown in the colours they give on white.
        c.State.PenMode = TPenMode::pmXor;
        c.State.PenColor = clTeal;
        c.State.PenWidth = 1;
        c.Rectangle({0, 0, 10, 10});
    });
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(Attr(drawn[0], "stroke"), "#ff0000");
    EXPECT_EQ(Attr(drawn[0], "fill"), "#00ff00");
    EXPECT_EQ(Attr(drawn[0], "stroke-width"), "(none)");
    EXPECT_EQ(Attr(drawn[1], "fill"), "none");
    EXPECT_EQ(Attr(drawn[1], "stroke-width"), "3");
    EXPECT_EQ(Attr(drawn[2], "stroke"), "#ff7f7f");
}

// Arcs run counter-clockwise on the screen from the start ray to the end ray, as two
// halves: start point, middle point, end point on the ellipse.
TEST(SvgWriter, ArcsRunCounterClockwiseFromStartRayToEndRay) {
    struct Case {
        const char* What;
        TPoint Start, End;
        std::vector<double> Points; // start, middle, end
    } cases[] = {
        // The box (0, 0, 100, 100): the pen's centre on a circle of radius 49.5
        // around (50, 50).
        {"right to top, a quarter", {200, 50}, {50, -300}, {99.5, 50, 85.002, 14.998, 50, 0.5}},
        {"top to right, three quarters",
         {50, -300},
         {200, 50},
         {50, 0.5, 14.998, 85.002, 99.5, 50}},
        {"same ray, the whole ellipse", {200, 50}, {200, 50}, {99.5, 50, 0.5, 50, 99.5, 50}},
    };
    for (const Case& c : cases) {
        const std::vector<XmlElement> drawn = DrawnBy([&](Canvas& canvas) {
            canvas.Arc({0, 0, 100, 100}, c.Start, c.End);
        });
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(Attr(drawn[0], "fill"), "none");
        const std::string d = Attr(drawn[0], "d");
        // M start A r r 0 0 0 middle A r r 0 0 0 end: sweep flag 0, no large arcs.
        const std::vector<double> n = Numbers(d);
        ASSERT_EQ(n.size(), 16u) << d;
        const std::vector<double> points{n[0], n[1], n[7], n[8], n[14], n[15]};
        for (std::size_t i = 0; i < points.size(); ++i)
            EXPECT_NEAR(points[i], c.Points[i], 0.01) << c.What << ": " << d;
        EXPECT_EQ((std::vector<double>{n[2], n[3], n[4], n[5], n[6]}),
                  (std::vector<double>{49.5, 49.5, 0, 0, 0}))
            << d;
    }
}

TEST(SvgWriter, TextSitsOnItsBaselineInItsFont) {
    struct Case {
        uint8_t Style;
        const char* Weight;
        const char* Slant;
        std::vector<std::string> Lines; // underline and strike-out: x y width height
    } cases[] = {
        {0, "(none)", "(none)", {}},
        {fsBold | fsItalic, "bold", "italic", {}},
        {fsUnderline, "(none)", "(none)", {"20 42 14 1"}},
        {fsUnderline | fsStrikeOut, "(none)", "(none)", {"20 42 14 1", "20 35 14 1"}},
        {fsStrikeOut | fsBold, "bold", "(none)", {"20 35 14 1"}},
    };
    for (const Case& c : cases) {
        const std::vector<XmlElement> drawn = DrawnBy([&](Canvas& canvas) {
            canvas.State.Font.Style = c.Style;
            canvas.State.Font.Color = clRed;
            canvas.State.BrushStyle = TBrushStyle::bsClear;
            canvas.TextOut(20, 30, "NP");
        });
        ASSERT_EQ(drawn.size(), 1 + c.Lines.size());
        const XmlElement& text = drawn[0];
        EXPECT_EQ(text.Name, "text");
        EXPECT_EQ(text.Text, "NP");
        // The top of the cell at the point: the baseline one ascent lower.
        EXPECT_EQ(Attr(text, "x") + " " + Attr(text, "y"), "20 40");
        EXPECT_EQ(Attr(text, "font-size"), "12");
        EXPECT_EQ(Attr(text, "textLength"), "14");
        EXPECT_EQ(Attr(text, "fill"), "#ff0000");
        EXPECT_EQ(Attr(text, "font-family"), "'Arial'");
        EXPECT_EQ(Attr(text, "font-weight"), c.Weight);
        EXPECT_EQ(Attr(text, "font-style"), c.Slant);
        for (std::size_t i = 0; i < c.Lines.size(); ++i) {
            const XmlElement& line = drawn[1 + i];
            EXPECT_EQ(Attr(line, "x") + " " + Attr(line, "y") + " " + Attr(line, "width") + " " +
                          Attr(line, "height"),
                      c.Lines[i]);
            EXPECT_EQ(Attr(line, "fill"), "#ff0000");
        }
    }
}

TEST(SvgWriter, TextWithASolidBrushFillsItsCellFirst) {
    const std::vector<XmlElement> drawn = DrawnBy([](Canvas& c) {
        c.State.BrushColor = 0xFFFF00; // cyan
        c.TextOut(20, 30, "abc");
    });
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].Name, "rect");
    EXPECT_EQ(Attr(drawn[0], "fill"), "#00ffff");
    EXPECT_EQ(Numbers(Attr(drawn[0], "x") + " " + Attr(drawn[0], "y") + " " +
                      Attr(drawn[0], "width") + " " + Attr(drawn[0], "height")),
              (std::vector<double>{20, 30, 21, 13}));
    EXPECT_EQ(drawn[1].Name, "text");
}

TEST(SvgWriter, EscapesTextAndConvertsItToUtf8) {
    struct Case {
        std::string Text;    // Windows-1252
        std::string Content; // UTF-8, as read back
    } cases[] = {
        {"a<b & \"c\" > 'd'", "a<b & \"c\" > 'd'"},
        {"Stra\xDF"
         "e \x80 \x9B"
         "the\x8B",
         "Stra\xC3\x9F"
         "e \xE2\x82\xAC \xE2\x80\xBA"
         "the\xE2\x80\xB9"},
        {"tab\there\r\nbell\x07 del\x7F undefined\x81\x8D\x8F\x90\x9D.", "tabhere"
                                                                         "bell del undefined."},
        {"]]> &amp;", "]]> &amp;"},
        {"  two  blanks  ", "  two  blanks  "},
    };
    for (const Case& c : cases) {
        const std::vector<XmlElement> drawn = DrawnBy([&](Canvas& canvas) {
            canvas.State.BrushStyle = TBrushStyle::bsClear;
            canvas.TextOut(0, 0, c.Text);
        });
        ASSERT_EQ(drawn.size(), 1u) << c.Text;
        EXPECT_EQ(drawn[0].Text, c.Content);
    }
    // Font names quoted, with the quotes in them left out.
    const std::vector<XmlElement> named = DrawnBy([](Canvas& canvas) {
        canvas.State.Font.Name = "M&M's \"Font\" <x>, \xC4";
        canvas.TextOut(0, 0, "x");
        canvas.State.Font.Name = " ";
        canvas.TextOut(0, 0, "y");
    });
    ASSERT_EQ(named.size(), 4u);
    EXPECT_EQ(Attr(named[1], "font-family"), "'M&Ms Font <x>, \xC3\x84'");
    EXPECT_EQ(Attr(named[3], "font-family"), "(none)");
}

TEST(SvgWriter, UsesTheMeasurersFontMeasures) {
    // The approximate measurer: Arial's proportions; 8 points are 11 pixels.
    Picture picture;
    picture.Width = picture.Height = 50;
    ApproxTextMeasurer approx;
    PictureRecorder recorder(picture, approx);
    recorder.State.BrushStyle = TBrushStyle::bsClear;
    recorder.TextOut(0, 0, "x");       // default height: 8 points
    recorder.State.Font.Height = 2288; // cell height: em 2048
    recorder.TextOut(0, 0, "x");
    recorder.State.Font.Height = -2048; // character height
    recorder.TextOut(0, 0, "x");
    recorder.State.Font.Height = INT32_MIN; // drawn at the largest height
    recorder.TextOut(0, 0, "x");
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
    // A call that cannot fit is refused before its element is built.
    recorder.TextOut(0, 0, std::string(std::size_t(1) << 20, 'x'));
    EXPECT_EQ(WriteSvgText(picture, measurer, whole.size() + 1000), "");
    EXPECT_EQ(SvgTooLargeText(MaxSvgBytes),
              "The picture is too large for an SVG file (more than 1073741824 bytes)");
}

// Odd and random pictures: every document is well-formed XML.
TEST(SvgWriter, OddPicturesGiveWellFormedXml) {
    std::vector<Picture> pictures(4);
    pictures[1].Width = 0;
    pictures[1].Height = -1;
    {
        Picture& p = pictures[2];
        p.Width = p.Height = INT32_MAX;
        FixedMeasurer measurer;
        PictureRecorder r(p, measurer);
        std::string every;
        for (int c = 0; c < 256; ++c)
            every += static_cast<char>(c);
        r.TextOut(INT32_MIN, INT32_MAX, every);
        r.State.Font.Name = every;
        r.TextOut(0, 0, every);
        r.State.PenWidth = INT32_MAX;
        r.MoveTo(INT32_MIN, INT32_MIN);
        r.LineTo(INT32_MAX, INT32_MAX);
        r.Rectangle({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
        r.Ellipse({INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN});
        r.RoundRect({INT32_MIN, 0, INT32_MAX, 1}, INT32_MIN, INT32_MAX);
        r.Arc({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0}, {0, 0});
        r.Arc({5, 5, 5, 5}, {INT32_MIN, 0}, {INT32_MAX, 0});
        r.Polygon({{INT32_MIN, INT32_MAX}});
        r.State.PenWidth = INT32_MIN;
        r.Polygon({{INT32_MAX, INT32_MIN}, {0, 0}});
    }
    {
        // Random calls with random states.
        std::mt19937 random(20261207);
        Picture& p = pictures[3];
        p.Width = 300;
        p.Height = 200;
        ApproxTextMeasurer measurer;
        PictureRecorder r(p, measurer);
        const auto coordinate = [&] {
            return static_cast<int32_t>(random() % 4 == 0 ? random() : random() % 400) - 100;
        };
        for (int i = 0; i < 2000; ++i) {
            r.State.PenColor = random();
            r.State.PenWidth = static_cast<int32_t>(random() % 5) - 1;
            r.State.PenMode = random() % 2 ? TPenMode::pmXor : TPenMode::pmCopy;
            r.State.BrushStyle = random() % 2 ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
            r.State.BrushColor = random();
            r.State.Font.Height = static_cast<int32_t>(random());
            r.State.Font.Style = static_cast<uint8_t>(random());
            const TRect box{coordinate(), coordinate(), coordinate(), coordinate()};
            std::string text(random() % 12, ' ');
            for (char& c : text)
                c = static_cast<char>(random());
            switch (random() % 8) {
            case 0:
                r.TextOut(box.Left, box.Top, text);
                break;
            case 1:
                r.MoveTo(box.Left, box.Top), r.LineTo(box.Right, box.Bottom);
                break;
            case 2:
                r.Rectangle(box);
                break;
            case 3:
                r.FillRect(box);
                break;
            case 4:
                r.RoundRect(box, coordinate(), coordinate());
                break;
            case 5:
                r.Ellipse(box);
                break;
            case 6:
                r.Arc(box, {coordinate(), coordinate()}, {coordinate(), coordinate()});
                break;
            default:
                r.Polygon({{box.Left, box.Top}, {box.Right, box.Bottom}, {box.Left, box.Bottom}});
            }
        }
    }
    for (const Picture& picture : pictures) {
        std::vector<XmlElement> elements;
        const std::string svg = WriteSvgText(picture);
        EXPECT_EQ(ReadXml(svg, elements), "");
        for (const XmlElement& e : elements)
            for (const auto& [name, value] : e.Attributes)
                EXPECT_EQ(value.find("nan"), std::string::npos) << e.Name << " " << name;
    }
}
