// Prints a macro list of `count` macros on the printer queue `queue`, the way "&Print Macro List"
// prints once the print dialog has chosen that printer:
//   print_to_queue <queue> <macro file name> <count>
#include <QApplication>
#include <QPrinter>
#include <cstdio>
#include <string>
#include <vector>

#include "gui/print_list.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: print_to_queue <queue> <macro file> <count>\n");
        return 2;
    }
    QApplication app(argc, argv);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QString::fromLocal8Bit(argv[1]));
    if (!printer.isValid() || printer.printerName() != QString::fromLocal8Bit(argv[1])) {
        std::fprintf(stderr, "print_to_queue: no printer %s\n", argv[1]);
        return 1;
    }
    std::vector<orv::PrintLine> lines;
    for (int i = 1; i <= std::stoi(argv[3]); ++i)
        lines.push_back({"Ctrl+F" + std::to_string(i), "Queued macro " + std::to_string(i), "GLOBAL"});
    const int pages = orv::gui::printMacroList(printer, argv[2], lines, orv::FontSetting{0, "Arial", 10});
    std::printf("%d pages\n", pages);
    return pages > 0 ? 0 : 1;
}
