// Text widths from Qt's font metrics.
#include "qtcanvas/qt_text_measurer.h"

#include <QFontMetrics>

#include "qtcanvas/qt_canvas.h"
#include "text/cp1252.h"

namespace gramarbor {

int32_t QtTextMeasurer::TextWidth(const TFont& font, std::string_view text) {
    return AdvanceWidth(QFontMetrics(QtFontFor(font)), QString::fromStdString(Cp1252ToUtf8(text)));
}

} // namespace gramarbor
