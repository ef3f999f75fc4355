// The SVG writer on pictures built from the input: any calls, states, coordinates
// and text give a well-formed XML document whose root has the picture's size, and a
// document refused under a limit is refused only because it is larger.
//
// Input: width and height (4 bytes each), then calls: a kind byte, a state byte
// (pen mode, brush style, font style), pen width, a colour byte, a font height
// (4 bytes), four coordinates (4 bytes each) and, for text and polygons, bytes up to
// a NUL (the text, or further points of 8 bytes each).
#include <string>

#include "fuzz_support.h"
#include "picture/picture.h"
#include "picture/svg_writer.h"
#include "picture/text_measurer.h"
#include "xml_check.h"

using namespace gramarbor;

namespace {

int32_t TakeInt(std::string_view& input) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= uint32_t(fuzz::TakeByte(input)) << (8 * i);
    return static_cast<int32_t>(value);
}

TColor Colour(uint8_t byte) {
    // Each bit pair a channel: 0, 85, 170 or 255.
    return TColor(85 * (byte & 3)) | TColor(85 * ((byte >> 2) & 3)) << 8 |
           TColor(85 * ((byte >> 4) & 3)) << 16;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view input = fuzz::AsText(data, size);
    Picture picture;
    picture.Width = TakeInt(input);
    picture.Height = TakeInt(input);
    ApproxTextMeasurer measurer;
    PictureRecorder canvas(picture, measurer);
    while (!input.empty()) {
        const uint8_t kind = fuzz::TakeByte(input);
        const uint8_t state = fuzz::TakeByte(input);
        canvas.State.PenMode = state & 1 ? TPenMode::pmXor : TPenMode::pmCopy;
        canvas.State.BrushStyle = state & 2 ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
        canvas.State.Font.Style = state >> 4;
        canvas.State.PenWidth = static_cast<int8_t>(fuzz::TakeByte(input));
        const uint8_t colour = fuzz::TakeByte(input);
        canvas.State.PenColor = canvas.State.Font.Color = Colour(colour);
        canvas.State.BrushColor = Colour(~colour);
        canvas.State.Font.Height = TakeInt(input);
        const TRect box{TakeInt(input), TakeInt(input), TakeInt(input), TakeInt(input)};
        switch (kind % 8) {
        case 0:
            canvas.TextOut(box.Left, box.Top, fuzz::TakeUntilNul(input));
            break;
        case 1:
            canvas.MoveTo(box.Left, box.Top);
            canvas.LineTo(box.Right, box.Bottom);
            break;
        case 2:
            canvas.Rectangle(box);
            break;
        case 3:
            canvas.FillRect(box);
            break;
        case 4:
            // The corner width wraps around like any other 32-bit coordinate.
            canvas.RoundRect(box, static_cast<int32_t>(int64_t(box.Right) - box.Left), box.Top);
            break;
        case 5:
            canvas.Ellipse(box);
            break;
        case 6:
            canvas.Arc(box, {box.Left, box.Bottom}, {box.Right, box.Top});
            break;
        default: {
            std::vector<TPoint> points{{box.Left, box.Top}, {box.Right, box.Bottom}};
            std::string_view more = fuzz::TakeUntilNul(input);
            while (more.size() >= 8)
                points.push_back({TakeInt(more), TakeInt(more)});
            canvas.Polygon(points);
        }
        }
    }

    const std::string svg = WriteSvgText(picture, measurer);
    FUZZ_CHECK(!svg.empty(), "a small picture refused");
    std::vector<test::XmlElement> elements;
    const std::string problem = test::ReadXml(svg, elements);
    FUZZ_CHECK(problem.empty(), problem);
    FUZZ_CHECK(elements[0].Name == "svg", "the root is " + elements[0].Name);
    FUZZ_CHECK(elements[0].Attributes["width"] == std::to_string(std::max(1, picture.Width)),
               "width " + elements[0].Attributes["width"]);
    FUZZ_CHECK(elements[0].Attributes["height"] == std::to_string(std::max(1, picture.Height)),
               "height " + elements[0].Attributes["height"]);

    const std::size_t limit = svg.size() / 2;
    const std::string limited = WriteSvgText(picture, measurer, limit);
    FUZZ_CHECK(limited.empty(), "a document beyond its limit written");
    FUZZ_CHECK(WriteSvgText(picture, measurer, svg.size()) == svg, "refused at its own size");
    return 0;
}
