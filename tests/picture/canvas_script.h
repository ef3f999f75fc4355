// Drawings kept as canvas scripts under tests/data/picture (read as the tree scripts
// are): "case NAME" starts one; "title TEXT" names it; "size W H" sets the picture's
// size; "state" goes back to the default state; "pen COLOUR WIDTH copy|xor", "brush
// solid|clear COLOUR", "font HEIGHT STYLE COLOUR NAME" and "font-name NAME" set the
// state (colours black, white, red, teal or hexadecimal 0xBBGGRR); "moveto X Y",
// "lineto X Y", "line X1 Y1 X2 Y2", "rect", "fill" and "ellipse L T R B", "roundrect
// L T R B W H", "arc L T R B X1 Y1 X2 Y2", "polygon X Y ..." and "text X Y TEXT" draw.
#pragma once

#include <functional>

#include "common/script_cases.h"
#include "picture/picture.h"

namespace gramarbor::testing {

inline TColor ScriptColour(const std::string& word) {
    static const std::map<std::string, TColor> names = {
        {"black", clBlack}, {"white", clWhite}, {"red", clRed}, {"teal", clTeal}};
    if (names.count(word)) return names.at(word);
    std::size_t used = 0;
    const TColor colour = TColor(std::stoul(word, &used, 16));
    if (used != word.size()) throw std::invalid_argument("not a colour: " + word);
    return colour;
}

// Draws the case on canvas into picture; returns its title.
inline std::string DrawScript(const ScriptCase& script, Picture& picture, Canvas& c) {
    std::string title;
    const auto numbers = [](const std::string& arg, std::size_t count) {
        std::vector<int32_t> n;
        for (const std::string& word : Words(arg))
            n.push_back(int32_t(ScriptNumber(word)));
        if (count && n.size() != count) throw std::invalid_argument("wrong count of numbers");
        return n;
    };
    const auto word = [](const std::string& arg, std::size_t i, const char* a, const char* b) {
        const std::vector<std::string> w = Words(arg);
        if (w.size() <= i || (w[i] != a && w[i] != b))
            throw std::invalid_argument(a + std::string("|") + b);
        return w[i] == a;
    };
    ScriptCommands commands = {
        {"title", [&](const std::string& arg) { title = arg; }},
        {"state", [&](const std::string&) { c.State = {}; }},
        {"pen",
         [&](const std::string& arg) {
             const std::vector<std::string> w = Words(arg);
             c.State.PenColor = ScriptColour(w.at(0));
             c.State.PenWidth = int32_t(ScriptNumber(w.at(1)));
             c.State.PenMode = word(arg, 2, "xor", "copy") ? TPenMode::pmXor : TPenMode::pmCopy;
         }},
        {"brush",
         [&](const std::string& arg) {
             c.State.BrushStyle =
                 word(arg, 0, "clear", "solid") ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
             c.State.BrushColor = ScriptColour(Words(arg).at(1));
         }},
        {"font",
         [&](const std::string& arg) {
             const auto [height, rest] = SplitWord(arg);
             const auto [style, rest2] = SplitWord(rest);
             const auto [colour, name] = SplitWord(rest2);
             c.State.Font = {name, int32_t(ScriptNumber(height)), uint8_t(ScriptNumber(style)),
                             ScriptColour(colour)};
         }},
        {"font-name", [&](const std::string& arg) { c.State.Font.Name = Unescape(arg); }},
        {"text",
         [&](const std::string& arg) {
             const auto [x, rest] = SplitWord(arg);
             const auto [y, text] = SplitWord(rest);
             c.TextOut(int32_t(ScriptNumber(x)), int32_t(ScriptNumber(y)), Unescape(text));
         }},
    };
    // Commands of an even count of numbers (any count for 0).
    using Numbers = const std::vector<int32_t>&;
    const auto shape = [&](const char* name, std::size_t count, std::function<void(Numbers)> draw) {
        commands[name] = [=](const std::string& arg) {
            const std::vector<int32_t> n = numbers(arg, count);
            if (n.size() % 2) throw std::invalid_argument("odd count of numbers");
            draw(n);
        };
    };
    const auto box = [](Numbers n) { return TRect{n[0], n[1], n[2], n[3]}; };
    shape("size", 2, [&](Numbers n) { picture.Width = n[0], picture.Height = n[1]; });
    shape("moveto", 2, [&](Numbers n) { c.MoveTo(n[0], n[1]); });
    shape("lineto", 2, [&](Numbers n) { c.LineTo(n[0], n[1]); });
    shape("line", 4, [&](Numbers n) { c.MoveTo(n[0], n[1]), c.LineTo(n[2], n[3]); });
    shape("rect", 4, [&](Numbers n) { c.Rectangle(box(n)); });
    shape("fill", 4, [&](Numbers n) { c.FillRect(box(n)); });
    shape("ellipse", 4, [&](Numbers n) { c.Ellipse(box(n)); });
    shape("roundrect", 6, [&](Numbers n) { c.RoundRect(box(n), n[4], n[5]); });
    shape("arc", 8, [&](Numbers n) { c.Arc(box(n), {n[4], n[5]}, {n[6], n[7]}); });
    shape("polygon", 0, [&](Numbers n) {
        std::vector<TPoint> points;
        for (std::size_t i = 0; i + 1 < n.size(); i += 2)
            points.push_back({n[i], n[i + 1]});
        c.Polygon(points);
    });
    RunScript(script, commands);
    return title;
}

// The drawings of a file, by case name.
inline const ScriptCase& ScriptDrawing(const std::string& file, const std::string& name) {
    static std::map<std::string, std::vector<ScriptCase>> files;
    if (!files.count(file)) files[file] = ReadScriptCases({file});
    for (const ScriptCase& c : files[file])
        if (c.Name == name) return c;
    throw std::invalid_argument("no drawing " + name + " in " + file);
}

// A drawing of tests/data/picture/drawings.txt, recorded with the measurer; title
// receives its title.
inline Picture RecordedDrawing(const std::string& name, TextMeasurer& measurer,
                               std::string* title = nullptr) {
    Picture picture;
    PictureRecorder recorder(picture, measurer);
    const std::string given =
        DrawScript(ScriptDrawing("picture/drawings.txt", "drawings_" + name), picture, recorder);
    if (title) *title = given;
    return picture;
}

} // namespace gramarbor::testing
