// Writes the shipped computation templates from the built-in reference layout
// of the computation grid, so the files and the fallback never drift apart:
//   make_templates <data-dir>
// writes <data-dir>/xycharte.def (English labels) and xychartg.def (German).
#include "chart/computation_layout.h"
#include "components/sheet/spreadsheet.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_templates <data-dir>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists()) {
        std::fprintf(stderr, "make_templates: %s: no such directory\n", argv[1]);
        return 1;
    }
    const struct {
        platform::Language language;
        const char* file;
    } templates[] = {{platform::Language::English, "xycharte.def"}, {platform::Language::German, "xychartg.def"}};
    try {
        for (const auto& t : templates) {
            sheet::Spreadsheet book;
            chart::buildReferenceLayout(book, t.language);
            const QString path = dir.filePath(QString::fromLatin1(t.file));
            book.write(path, sheet::FileFormat::Native);
            std::printf("wrote %s\n", qPrintable(QDir::toNativeSeparators(path)));
        }
    } catch (const sheet::SheetError& e) {
        std::fprintf(stderr, "make_templates: %s\n", e.what());
        return 1;
    }
    return 0;
}
