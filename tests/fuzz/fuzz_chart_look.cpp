// Chart look files (.vtc). The input is the file's text; a look that reads
// must write out and read back as the same look.
#include "tests/fuzz/fuzz_support.h"

#include "components/chart/chart_error.h"
#include "components/chart/look_file.h"

#include <QGuiApplication>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::ensureApplication<QGuiApplication>();  // fonts need the GUI application
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));
    chartcomponent::ChartLook look;
    try {
        look = chartcomponent::parseChartLook(text, QStringLiteral("fuzz.vtc"));
    } catch (const chartcomponent::ChartError&) {
        return 0;
    }
    const QString written = chartcomponent::formatChartLook(look, 3);
    try {
        const chartcomponent::ChartLook again = chartcomponent::parseChartLook(written, QStringLiteral("copy.vtc"));
        if (chartcomponent::formatChartLook(again, 3) != written) abort();
    } catch (const chartcomponent::ChartError&) {
        abort();  // the program wrote a look it cannot read
    }
    return 0;
}
