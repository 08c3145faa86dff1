#include "gui/print_list.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "gui/macro_grid.h"
#include "gui/qt_text.h"

namespace orv::gui {

namespace {

// A stored colour is 0x00BBGGRR.
QColor colorOf(int stored) { return QColor(stored & 0xff, (stored >> 8) & 0xff, (stored >> 16) & 0xff); }

}  // namespace

int printMacroList(QPrinter& printer, const std::string& macroFile, const std::vector<PrintLine>& lines,
                   const FontSetting& font) {
    printer.setDocName(QStringLiteral("Orvanta 99"));
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    painter.setFont(toQFont(font));
    painter.setPen(colorOf(font.Color));
    const QFontMetrics metrics = painter.fontMetrics();
    const PrintColumns columns = measurePrintList(
        lines, [&](const std::string& s) { return metrics.horizontalAdvance(fromCp1252(s)); },
        [&](const std::string&) { return metrics.height(); });
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const std::vector<PrintedPage> pages =
        layOutPrintList(printHeading(utf8ToCp1252(macroFile)), lines, columns, page.width(), page.height(), copies);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i != 0) printer.newPage();
        for (const PlacedText& t : pages[i]) painter.drawText(t.x, t.y + metrics.ascent(), fromCp1252(t.text));
    }
    painter.end();
    return static_cast<int>(pages.size());
}

}  // namespace orv::gui
