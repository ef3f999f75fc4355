// The canvas on a QPainter, with the pen, brush and font rules of the Windows GDI.
#include "qtcanvas/qt_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <numbers>
#include <tuple>

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygon>

#include "text/cp1252.h"

namespace gramarbor {

namespace {

QColor ToQColor(TColor color) {
    return QColor(ColorRed(color), ColorGreen(color), ColorBlue(color));
}

QString ToQString(std::string_view text) {
    return QString::fromStdString(Cp1252ToUtf8(text));
}

QFont BaseFont(const TFont& font) {
    // The requested name comes first, so that an installed original is used and
    // exported SVG names it; the metric-compatible family stands in for it.
    const QString requested = ToQString(font.Name).trimmed();
    const QString family = QtFamilyFor(font.Name);
    QFont qfont;
    qfont.setFamilies(requested.isEmpty() || requested == family ? QStringList{family}
                                                                 : QStringList{requested, family});
    qfont.setBold((font.Style & fsBold) != 0);
    qfont.setItalic((font.Style & fsItalic) != 0);
    qfont.setUnderline((font.Style & fsUnderline) != 0);
    qfont.setStrikeOut((font.Style & fsStrikeOut) != 0);
    qfont.setKerning(false); // the advance widths add up as on the other canvases
    return qfont;
}

// Qt's font metrics overflow somewhere above 19,000 pixels; no font is set larger
// than this, so every size measured here is measured correctly.
constexpr int MaxPixelSize = 16384;

int CellHeightAt(QFont font, int pixelSize) {
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

// The largest pixel size (1 to MaxPixelSize) whose cell height does not exceed the
// wanted one, or 1 when none does; found once per family, style and height. Cell
// heights grow with the size, so a search from an estimate takes a few dozen
// measurements at most, whatever the height.
int PixelSizeForCellHeight(const QFont& font, int32_t cellHeight) {
    using Key = std::tuple<QString, bool, bool, int32_t>;
    static std::map<Key, int> cache;
    const Key key{font.family(), font.bold(), font.italic(), cellHeight};
    if (const auto it = cache.find(key); it != cache.end()) return it->second;

    // A size fits when its (positive) cell height is at most the wanted one.
    const auto fits = [&](int size) {
        const int height = CellHeightAt(font, size);
        return height > 0 && height <= cellHeight;
    };
    constexpr int reference = 1000;
    const double ratio =
        static_cast<double>(reference) / std::max(1, CellHeightAt(font, reference));
    const int estimate =
        static_cast<int>(std::clamp<double>(std::lround(cellHeight * ratio), 1, MaxPixelSize));

    // Bracket the answer: fits(low) (or low == 0, standing for "none fits") and not
    // fits(high) (or high == MaxPixelSize + 1), widening the steps from the estimate.
    int low = 0, high = MaxPixelSize + 1;
    int step = 1;
    if (fits(estimate)) {
        low = estimate;
        while (low < MaxPixelSize) {
            const int next = std::min(MaxPixelSize, low + step);
            if (!fits(next)) {
                high = next;
                break;
            }
            low = next;
            step *= 2;
        }
    } else {
        high = estimate;
        while (high > 1) {
            const int next = std::max(1, high - step);
            if (fits(next)) {
                low = next;
                break;
            }
            high = next;
            step *= 2;
        }
    }
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (fits(middle) ? low : high) = middle;
    }
    const int size = std::max(1, low);
    cache.emplace(key, size);
    return size;
}

} // namespace

QString QtFamilyFor(const std::string& name) {
    const QString family = ToQString(name);
    const QString lower = family.trimmed().toLower();
    if (lower == QLatin1String("arial") || lower == QLatin1String("helvetica"))
        return QStringLiteral("Liberation Sans");
    if (lower == QLatin1String("times new roman") || lower == QLatin1String("times"))
        return QStringLiteral("Liberation Serif");
    if (lower == QLatin1String("courier new") || lower == QLatin1String("courier"))
        return QStringLiteral("Liberation Mono");
    return family;
}

int32_t AdvanceWidth(const QFontMetrics& metrics, const QString& text) {
    // No glyph advances more than four times the font's height.
    const qsizetype piece =
        std::max<qsizetype>(64, (qsizetype(1) << 23) / std::max(1, metrics.height()));
    if (text.size() <= piece) return metrics.horizontalAdvance(text);
    int64_t width = 0;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype length = std::min(piece, text.size() - at);
        // A surrogate pair stays together.
        if (at + length < text.size() && text.at(at + length - 1).isHighSurrogate()) ++length;
        width += metrics.horizontalAdvance(text.mid(at, length));
        at += length;
    }
    return static_cast<int32_t>(std::min<int64_t>(width, std::numeric_limits<int32_t>::max()));
}

QFont QtFontFor(const TFont& font) {
    QFont qfont = BaseFont(font);
    // Heights beyond what a metafile can hold are not worth rendering.
    const int32_t height =
        std::clamp(font.Height == 0 ? PointsToFontHeight(8) : font.Height, -32767, 32767);
    if (height < 0)
        qfont.setPixelSize(std::clamp(-height, 1, MaxPixelSize));
    else
        qfont.setPixelSize(PixelSizeForCellHeight(qfont, height));
    return qfont;
}

QtCanvas::QtCanvas(QPainter& painter) : Painter(painter) {
    Painter.setRenderHint(QPainter::Antialiasing, false);
    Painter.setRenderHint(QPainter::TextAntialiasing, true);
}

int32_t QtCanvas::TextWidth(std::string_view text) {
    return AdvanceWidth(QFontMetrics(QtFontFor(State.Font), Painter.device()), ToQString(text));
}

bool QtCanvas::XorPossible() const {
    return Painter.paintEngine() && Painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
}

void QtCanvas::ApplyMode() {
    Painter.setCompositionMode(State.PenMode == TPenMode::pmXor && XorPossible()
                                   ? QPainter::RasterOp_SourceXorDestination
                                   : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::ApplyPen(bool withBrush) {
    QPen pen(ToQColor(State.PenColor));
    pen.setWidth(std::max(1, State.PenWidth));
    pen.setJoinStyle(Qt::MiterJoin);
    Painter.setPen(pen);
    if (withBrush && State.BrushStyle == TBrushStyle::bsSolid)
        Painter.setBrush(ToQColor(State.BrushColor));
    else
        Painter.setBrush(Qt::NoBrush);
    ApplyMode();
}

void QtCanvas::TextOut(int32_t x, int32_t y, std::string_view text) {
    if (text.empty()) return;
    const QFont font = QtFontFor(State.Font);
    const QFontMetrics metrics(font, Painter.device());
    const QString qtext = ToQString(text);
    Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (State.BrushStyle == TBrushStyle::bsSolid)
        Painter.fillRect(
            QRect(x, y, metrics.horizontalAdvance(qtext), metrics.ascent() + metrics.descent()),
            ToQColor(State.BrushColor));
    Painter.setFont(font);
    Painter.setPen(ToQColor(State.Font.Color));
    Painter.drawText(QPoint(x, y + metrics.ascent()), qtext);
}

void QtCanvas::DrawLine(TPoint from, TPoint to) {
    const double dx = static_cast<double>(to.X) - from.X;
    const double dy = static_cast<double>(to.Y) - from.Y;
    const double steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) return;
    ApplyPen(false);
    if (steps == 1) {
        Painter.drawPoint(from.X, from.Y);
        return;
    }
    // The last point drawn is the one before the end point on the line.
    const double keep = (steps - 1) / steps;
    Painter.drawLine(QLineF(from.X, from.Y, from.X + dx * keep, from.Y + dy * keep));
}

namespace {

// The box as Qt draws an outline of it: Qt's outline covers right and bottom edges,
// which the box excludes.
QRectF OutlineBox(const TRect& box) {
    const int left = std::min(box.Left, box.Right);
    const int top = std::min(box.Top, box.Bottom);
    const int width = std::abs(box.Right - box.Left);
    const int height = std::abs(box.Bottom - box.Top);
    return QRectF(left, top, std::max(0, width - 1), std::max(0, height - 1));
}

} // namespace

void QtCanvas::FillInsideForXor(const QPainterPath& outline) {
    if (State.PenMode != TPenMode::pmXor || State.BrushStyle != TBrushStyle::bsSolid ||
        !XorPossible())
        return;
    // Inverting the outline's pixels twice would erase it: the fill leaves it out.
    const QPainterPathStroker stroker(Painter.pen());
    Painter.fillPath(outline.subtracted(stroker.createStroke(outline)), Painter.brush());
    Painter.setBrush(Qt::NoBrush);
}

void QtCanvas::Rectangle(const TRect& box) {
    if (box.Width() == 0 || box.Height() == 0) return;
    ApplyPen(true);
    QPainterPath outline;
    outline.addRect(OutlineBox(box));
    FillInsideForXor(outline);
    Painter.drawRect(OutlineBox(box));
}

void QtCanvas::FillRect(const TRect& box) {
    if (State.BrushStyle == TBrushStyle::bsClear) return;
    if (box.Width() <= 0 || box.Height() <= 0) return;
    Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    Painter.fillRect(QRect(box.Left, box.Top, box.Width(), box.Height()),
                     ToQColor(State.BrushColor));
}

void QtCanvas::RoundRect(const TRect& box, int32_t cornerWidth, int32_t cornerHeight) {
    if (box.Width() == 0 || box.Height() == 0) return;
    ApplyPen(true);
    QPainterPath outline;
    outline.addRoundedRect(OutlineBox(box), std::abs(cornerWidth) / 2.0,
                           std::abs(cornerHeight) / 2.0);
    FillInsideForXor(outline);
    Painter.drawRoundedRect(OutlineBox(box), std::abs(cornerWidth) / 2.0,
                            std::abs(cornerHeight) / 2.0);
}

void QtCanvas::Ellipse(const TRect& box) {
    if (box.Width() == 0 || box.Height() == 0) return;
    ApplyPen(true);
    QPainterPath outline;
    outline.addEllipse(OutlineBox(box));
    FillInsideForXor(outline);
    Painter.drawEllipse(OutlineBox(box));
}

void QtCanvas::Arc(const TRect& box, TPoint start, TPoint end) {
    const QRectF outline = OutlineBox(box);
    const double rx = outline.width() / 2;
    const double ry = outline.height() / 2;
    const QPointF centre = outline.center();
    // The rays start at the centre of the box as given.
    const QPointF rayCentre((box.Left + box.Right) / 2.0, (box.Top + box.Bottom) / 2.0);
    // Angles of the ellipse's parameter, counter-clockwise on the screen (y up);
    // the ray through a point meets the ellipse at the parameter of the point scaled
    // onto the unit circle.
    const auto angleOf = [&](TPoint p) {
        const double ux = rx > 0 ? (p.X - rayCentre.x()) / rx : (p.X - rayCentre.x());
        const double uy = ry > 0 ? (rayCentre.y() - p.Y) / ry : (rayCentre.y() - p.Y);
        return std::atan2(uy, ux);
    };
    const double from = angleOf(start);
    double span = angleOf(end) - from;
    constexpr double fullTurn = 2 * std::numbers::pi;
    while (span <= 1e-9)
        span += fullTurn;
    while (span > fullTurn)
        span -= fullTurn;

    const int segments = std::clamp(static_cast<int>(span * std::max(rx, ry) / 2), 4, 2000);
    QPolygonF points;
    points.reserve(segments + 1);
    for (int i = 0; i <= segments; ++i) {
        const double t = from + span * i / segments;
        points << QPointF(centre.x() + rx * std::cos(t), centre.y() - ry * std::sin(t));
    }
    ApplyPen(false);
    Painter.drawPolyline(points);
}

void QtCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.empty()) return;
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const TPoint& p : points)
        polygon << QPoint(p.X, p.Y);
    ApplyPen(true);
    QPainterPath outline;
    outline.addPolygon(QPolygonF(polygon));
    outline.closeSubpath();
    FillInsideForXor(outline);
    Painter.drawPolygon(polygon);
}

} // namespace gramarbor
