// Text widths and font measures from Qt's font metrics.
#include "qtcanvas/qt_text_measurer.h"

#include <QFontMetrics>
#include <QFontMetricsF>

#include "qtcanvas/qt_canvas.h"
#include "text/cp1252.h"

namespace gramarbor {

int32_t QtTextMeasurer::TextWidth(const TFont& font, std::string_view text) {
    return AdvanceWidth(QFontMetrics(QtFontFor(font)), QString::fromStdString(Cp1252ToUtf8(text)));
}

TFontMeasures QtTextMeasurer::FontMeasures(const TFont& font) {
    const QFont qfont = QtFontFor(font);
    const QFontMetrics metrics(qfont);
    const QFontMetricsF exact(qfont);
    return {double(qfont.pixelSize()), metrics.ascent(),     metrics.descent(),
            exact.underlinePos(),      exact.strikeOutPos(), exact.lineWidth()};
}

} // namespace gramarbor
