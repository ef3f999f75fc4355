// Writes a recorded picture as a Windows metafile, record by record.
#include "picture/wmf_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <optional>
#include <vector>

#include "base/byte_writer.h"
#include "base/file_io.h"

namespace gramarbor {

namespace {

// Record functions of the metafile format.
constexpr uint16_t META_EOF = 0x0000;
constexpr uint16_t META_SETBKCOLOR = 0x0201;
constexpr uint16_t META_SETBKMODE = 0x0102;
constexpr uint16_t META_SETROP2 = 0x0104;
constexpr uint16_t META_SETTEXTALIGN = 0x012E;
constexpr uint16_t META_SETTEXTCOLOR = 0x0209;
constexpr uint16_t META_SETWINDOWORG = 0x020B;
constexpr uint16_t META_SETWINDOWEXT = 0x020C;
constexpr uint16_t META_SELECTOBJECT = 0x012D;
constexpr uint16_t META_DELETEOBJECT = 0x01F0;
constexpr uint16_t META_CREATEPENINDIRECT = 0x02FA;
constexpr uint16_t META_CREATEFONTINDIRECT = 0x02FB;
constexpr uint16_t META_CREATEBRUSHINDIRECT = 0x02FC;
constexpr uint16_t META_MOVETO = 0x0214;
constexpr uint16_t META_LINETO = 0x0213;
constexpr uint16_t META_RECTANGLE = 0x041B;
constexpr uint16_t META_ELLIPSE = 0x0418;
constexpr uint16_t META_ROUNDRECT = 0x061C;
constexpr uint16_t META_ARC = 0x0817;
constexpr uint16_t META_POLYGON = 0x0324;
constexpr uint16_t META_TEXTOUT = 0x0521;

constexpr uint16_t BkTransparent = 1;
constexpr uint16_t BkOpaque = 2;
constexpr uint16_t R2CopyPen = 13;
constexpr uint16_t R2XorPen = 7;
constexpr uint16_t PenSolid = 0;
constexpr uint16_t BrushSolid = 0;
constexpr uint16_t BrushNull = 1;

// The longest text and the most polygon points one record can carry (16-bit counts).
constexpr std::size_t MaxCount = 32767;
constexpr std::size_t FaceNameBytes = 32;

int16_t Clamp16(int64_t value) {
    return static_cast<int16_t>(std::clamp<int64_t>(value, INT16_MIN, INT16_MAX));
}

struct PenDef {
    uint16_t Style = PenSolid;
    int32_t Width = 1;
    TColor Color = clBlack;
    bool operator==(const PenDef&) const = default;
};

struct BrushDef {
    uint16_t Style = BrushSolid;
    TColor Color = clWhite;
    bool operator==(const BrushDef&) const = default;
};

struct FontDef {
    std::string Name;
    int32_t Height = 0;
    uint8_t Style = 0;
    bool operator==(const FontDef&) const = default;
};

// Collects the records and keeps track of the device context the reader will
// rebuild: selected objects, object table, modes and colours.
class WmfRecorder {
public:
    void Record(uint16_t function, const ByteWriter& params) {
        const std::string& data = params.Data();
        // Every record holds whole 16-bit words.
        const std::size_t padded = data.size() + (data.size() & 1);
        const uint32_t words = static_cast<uint32_t>(3 + padded / 2);
        Body.WriteU32(words);
        Body.WriteU16(function);
        Body.WriteBytes(data);
        if (data.size() & 1) Body.WriteU8(0);
        MaxRecord = std::max(MaxRecord, words);
    }

    void Words(uint16_t function, std::initializer_list<int64_t> values) {
        ByteWriter params;
        for (int64_t v : values)
            params.WriteI16(Clamp16(v));
        Record(function, params);
    }

    void ColorRecord(uint16_t function, TColor color) {
        ByteWriter params;
        params.WriteU32(color & 0xFFFFFF);
        Record(function, params);
    }

    void SetBkMode(uint16_t mode) {
        if (BkMode == mode) return;
        BkMode = mode;
        Words(META_SETBKMODE, {mode});
    }
    void SetBkColor(TColor color) {
        if (BkColor == color) return;
        BkColor = color;
        ColorRecord(META_SETBKCOLOR, color);
    }
    void SetTextColor(TColor color) {
        if (TextColor == color) return;
        TextColor = color;
        ColorRecord(META_SETTEXTCOLOR, color);
    }
    void SetRop2(TPenMode mode) {
        if (Rop2 == mode) return;
        Rop2 = mode;
        Words(META_SETROP2, {mode == TPenMode::pmXor ? R2XorPen : R2CopyPen});
    }

    void SelectPen(const PenDef& pen) {
        if (Pen && *Pen == pen) return;
        ByteWriter params;
        params.WriteU16(pen.Style);
        params.WriteI16(Clamp16(std::max(1, pen.Width)));
        params.WriteI16(0);
        params.WriteU32(pen.Color & 0xFFFFFF);
        Replace(PenIndex, META_CREATEPENINDIRECT, params);
        Pen = pen;
    }

    void SelectBrush(const BrushDef& brush) {
        if (Brush && *Brush == brush) return;
        ByteWriter params;
        params.WriteU16(brush.Style);
        params.WriteU32(brush.Color & 0xFFFFFF);
        params.WriteU16(0); // hatch, unused for solid and null brushes
        Replace(BrushIndex, META_CREATEBRUSHINDIRECT, params);
        Brush = brush;
    }

    void SelectFont(const FontDef& font) {
        if (Font && *Font == font) return;
        ByteWriter params;
        params.WriteI16(Clamp16(font.Height));
        params.WriteI16(0); // width: the font's own aspect
        params.WriteI16(0); // escapement
        params.WriteI16(0); // orientation
        params.WriteI16((font.Style & fsBold) ? 700 : 400);
        params.WriteU8((font.Style & fsItalic) ? 1 : 0);
        params.WriteU8((font.Style & fsUnderline) ? 1 : 0);
        params.WriteU8((font.Style & fsStrikeOut) ? 1 : 0);
        params.WriteU8(0); // ANSI character set (Windows-1252)
        params.WriteU8(0); // default output precision
        params.WriteU8(0); // default clipping precision
        params.WriteU8(0); // default quality
        params.WriteU8(0); // default pitch and family
        std::string face = font.Name.substr(0, FaceNameBytes - 1);
        face.resize(FaceNameBytes, '\0');
        params.WriteBytes(face);
        Replace(FontIndex, META_CREATEFONTINDIRECT, params);
        Font = font;
    }

    std::string Finish(int32_t width, int32_t height, uint16_t unitsPerInch) {
        Words(META_EOF, {});
        ByteWriter file;
        // Placeable header: key, handle, box, units per inch, reserved, checksum.
        const uint16_t head[10] = {0xCDD7,
                                   0x9AC6,
                                   0,
                                   0,
                                   0,
                                   static_cast<uint16_t>(width),
                                   static_cast<uint16_t>(height),
                                   unitsPerInch,
                                   0,
                                   0};
        uint16_t checksum = 0;
        for (uint16_t word : head) {
            file.WriteU16(word);
            checksum ^= word;
        }
        file.WriteU16(checksum);
        // Metafile header: type 1 (in memory), 9 words, version 3.0.
        file.WriteU16(1);
        file.WriteU16(9);
        file.WriteU16(0x0300);
        file.WriteU32(static_cast<uint32_t>(9 + Body.Data().size() / 2));
        file.WriteU16(static_cast<uint16_t>(std::max<std::size_t>(1, Slots.size())));
        file.WriteU32(MaxRecord);
        file.WriteU16(0);
        file.WriteBytes(Body.Data());
        return file.Take();
    }

private:
    // Creates the object in the lowest free slot, selects it and deletes the object
    // it replaces.
    void Replace(std::optional<uint16_t>& current, uint16_t function, const ByteWriter& params) {
        Record(function, params);
        uint16_t index = 0;
        while (index < Slots.size() && Slots[index])
            ++index;
        if (index == Slots.size()) Slots.push_back(false);
        Slots[index] = true;
        Words(META_SELECTOBJECT, {index});
        if (current) {
            Words(META_DELETEOBJECT, {*current});
            Slots[*current] = false;
        }
        current = index;
    }

    ByteWriter Body;
    uint32_t MaxRecord = 3;
    std::vector<bool> Slots;
    std::optional<uint16_t> PenIndex, BrushIndex, FontIndex;
    std::optional<PenDef> Pen;
    std::optional<BrushDef> Brush;
    std::optional<FontDef> Font;
    std::optional<uint16_t> BkMode;
    std::optional<TColor> BkColor;
    std::optional<TColor> TextColor;
    std::optional<TPenMode> Rop2;
};

PenDef PenOf(const TCanvasState& state) {
    return {PenSolid, state.PenWidth, state.PenColor};
}

BrushDef BrushOf(const TCanvasState& state) {
    if (state.BrushStyle == TBrushStyle::bsClear) return {BrushNull, clWhite};
    return {BrushSolid, state.BrushColor};
}

// Outlined and filled shapes: the pen, the brush and the raster mode of the call.
// The background mode is opaque so that readers do not draw fills half transparent.
void PrepareShape(WmfRecorder& out, const TCanvasState& state) {
    out.SetRop2(state.PenMode);
    out.SelectPen(PenOf(state));
    out.SelectBrush(BrushOf(state));
    out.SetBkMode(BkOpaque);
}

void WriteBox(WmfRecorder& out, uint16_t function, const TRect& box) {
    out.Words(function, {box.Bottom, box.Right, box.Top, box.Left});
}

// Readers that scale everything drawn to their output (libwmf, and ImageMagick through
// it) would shrink the whole picture for one stray line, so the writer keeps the
// drawing inside the picture's box: lines are clipped to it, and calls that lie
// wholly outside it (which no reader shows) are left out.
struct Clip {
    double Width = 0;
    double Height = 0;

    bool Outside(int64_t left, int64_t top, int64_t right, int64_t bottom) const {
        return std::max(left, right) < 0 || std::max(top, bottom) < 0 ||
               std::min(left, right) >= Width || std::min(top, bottom) >= Height;
    }
    bool Outside(const TRect& box) const {
        return Outside(box.Left, box.Top, box.Right, box.Bottom);
    }

    // Cuts the line to the box (Liang-Barsky); false when nothing of it is inside.
    bool Line(TPoint& a, TPoint& b) const {
        const double x0 = a.X, y0 = a.Y, dx = double(b.X) - a.X, dy = double(b.Y) - a.Y;
        double from = 0, to = 1;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {x0, Width - x0, y0, Height - y0};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0) return false;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0)
                from = std::max(from, t);
            else
                to = std::min(to, t);
        }
        if (from > to) return false;
        if (to < 1) b = {int32_t(std::lround(x0 + to * dx)), int32_t(std::lround(y0 + to * dy))};
        if (from > 0)
            a = {int32_t(std::lround(x0 + from * dx)), int32_t(std::lround(y0 + from * dy))};
        return true;
    }
};

void WriteOp(WmfRecorder& out, const PictureOp& op, const Clip& clip) {
    const TCanvasState& state = op.State;
    switch (op.Kind) {
    case PictureOpKind::Line:
        break;
    case PictureOpKind::Text:
        if (op.A.X >= clip.Width || op.A.Y >= clip.Height) return;
        break;
    case PictureOpKind::Polygon: {
        if (op.Points.empty()) return;
        TRect bounds{op.Points[0].X, op.Points[0].Y, op.Points[0].X, op.Points[0].Y};
        for (const TPoint& pt : op.Points)
            bounds = {std::min(bounds.Left, pt.X), std::min(bounds.Top, pt.Y),
                      std::max(bounds.Right, pt.X), std::max(bounds.Bottom, pt.Y)};
        if (clip.Outside(bounds)) return;
        break;
    }
    default:
        if (clip.Outside(op.Box)) return;
        break;
    }
    switch (op.Kind) {
    case PictureOpKind::Text: {
        if (op.Text.empty()) return;
        const int32_t height = state.Font.Height == 0 ? PointsToFontHeight(8) : state.Font.Height;
        out.SelectFont({state.Font.Name, height, state.Font.Style});
        out.SetTextColor(state.Font.Color);
        out.SetRop2(TPenMode::pmCopy);
        if (state.BrushStyle == TBrushStyle::bsSolid) {
            out.SetBkColor(state.BrushColor);
            out.SetBkMode(BkOpaque);
        } else {
            out.SetBkMode(BkTransparent);
        }
        const std::string_view text =
            std::string_view(op.Text).substr(0, std::min(op.Text.size(), MaxCount));
        ByteWriter params;
        params.WriteI16(static_cast<int16_t>(text.size()));
        params.WriteBytes(text);
        if (text.size() & 1) params.WriteU8(0);
        params.WriteI16(Clamp16(op.A.Y));
        params.WriteI16(Clamp16(op.A.X));
        out.Record(META_TEXTOUT, params);
        return;
    }
    case PictureOpKind::Line: {
        TPoint from = op.A, to = op.B;
        if (!clip.Line(from, to)) return;
        out.SetRop2(state.PenMode);
        out.SelectPen(PenOf(state));
        out.Words(META_MOVETO, {from.Y, from.X});
        out.Words(META_LINETO, {to.Y, to.X});
        return;
    }
    case PictureOpKind::Rectangle:
        PrepareShape(out, state);
        WriteBox(out, META_RECTANGLE, op.Box);
        return;
    case PictureOpKind::FillRect: {
        // A rectangle outlined in the brush colour covers exactly the pixels of the
        // box, right and bottom edges excluded, in every reader.
        if (state.BrushStyle == TBrushStyle::bsClear) return;
        if (op.Box.Width() <= 0 || op.Box.Height() <= 0) return;
        out.SetRop2(TPenMode::pmCopy);
        out.SelectPen({PenSolid, 1, state.BrushColor});
        out.SelectBrush({BrushSolid, state.BrushColor});
        out.SetBkMode(BkOpaque);
        WriteBox(out, META_RECTANGLE, op.Box);
        return;
    }
    case PictureOpKind::RoundRect:
        PrepareShape(out, state);
        out.Words(META_ROUNDRECT,
                  {op.A.Y, op.A.X, op.Box.Bottom, op.Box.Right, op.Box.Top, op.Box.Left});
        return;
    case PictureOpKind::Ellipse:
        PrepareShape(out, state);
        WriteBox(out, META_ELLIPSE, op.Box);
        return;
    case PictureOpKind::Arc:
        out.SetRop2(state.PenMode);
        out.SelectPen(PenOf(state));
        out.Words(META_ARC, {op.B.Y, op.B.X, op.A.Y, op.A.X, op.Box.Bottom, op.Box.Right,
                             op.Box.Top, op.Box.Left});
        return;
    case PictureOpKind::Polygon: {
        if (op.Points.size() < 2) return;
        PrepareShape(out, state);
        const std::size_t count = std::min(op.Points.size(), MaxCount);
        ByteWriter params;
        params.WriteI16(static_cast<int16_t>(count));
        for (std::size_t i = 0; i < count; ++i) {
            params.WriteI16(Clamp16(op.Points[i].X));
            params.WriteI16(Clamp16(op.Points[i].Y));
        }
        out.Record(META_POLYGON, params);
        return;
    }
    }
}

std::string WriteInUnits(const Picture& picture, uint16_t unitsPerInch) {
    const int32_t width = std::clamp<int32_t>(picture.Width, 1, INT16_MAX);
    const int32_t height = std::clamp<int32_t>(picture.Height, 1, INT16_MAX);
    WmfRecorder out;
    out.Words(META_SETWINDOWORG, {0, 0});
    out.Words(META_SETWINDOWEXT, {height, width});
    out.SetBkMode(BkOpaque);
    out.SetRop2(TPenMode::pmCopy);
    out.Words(META_SETTEXTALIGN, {0});
    // The white background spans the whole picture; readers that scale the drawn
    // extent to their output then map one unit to one pixel.
    out.SelectPen({PenSolid, 1, clWhite});
    out.SelectBrush({BrushSolid, clWhite});
    WriteBox(out, META_RECTANGLE, {0, 0, width, height});
    const Clip clip{double(width), double(height)};
    for (const PictureOp& op : picture.Calls())
        WriteOp(out, op, clip);
    return out.Finish(width, height, unitsPerInch);
}

} // namespace

std::string WriteWmfBytes(const Picture& picture) {
    const int32_t largest = std::max(picture.Width, picture.Height);
    if (largest <= INT16_MAX) return WriteInUnits(picture, 96);
    // Too large for the format's 16-bit coordinates: the same picture in coarser
    // units, with fewer units per inch, so that its physical size stays the same.
    const auto unitsPerInch = static_cast<uint16_t>(std::max(1.0, 96.0 * INT16_MAX / largest));
    const double scale = unitsPerInch / 96.0;
    Picture scaled;
    scaled.Width =
        static_cast<int32_t>(std::min<double>(INT16_MAX, std::floor(picture.Width * scale)));
    scaled.Height =
        static_cast<int32_t>(std::min<double>(INT16_MAX, std::floor(picture.Height * scale)));
    ApproxTextMeasurer measurer; // replaying measures nothing
    PictureRecorder recorder(scaled, measurer);
    picture.StretchReplay(recorder, {0, 0, scaled.Width, scaled.Height});
    return WriteInUnits(scaled, unitsPerInch);
}

bool SavePictureAsWmf(const Picture& picture, const std::string& path, std::string* errorText) {
    try {
        switch (AtomicSave(path, WriteWmfBytes(picture))) {
        case FileError::None:
            return true;
        case FileError::CannotCreate:
        case FileError::CannotOpen:
            if (errorText) *errorText = "Cannot create file " + path;
            return false;
        default:
            if (errorText) *errorText = "Cannot write file " + path;
            return false;
        }
    } catch (const std::bad_alloc&) {
        if (errorText) *errorText = "Not enough memory to proceed.";
        return false;
    }
}

} // namespace gramarbor
