// Times the control chart's fill sequence on the computation grid for n data
// rows with three value columns, phase by phase, and reads every statistics
// cell (which runs the recalculation). Usage: sheet_fill_bench [rows] [repeats]
#include "chart/computation_layout.h"
#include "components/sheet/cell_address.h"
#include "components/sheet/spreadsheet.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <cmath>

namespace {

// CPU time of this process: on a shared machine wall-clock time mostly
// measures the neighbours.
double cpuSeconds()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Resident and peak resident memory of this process, in MiB.
void printMemory(const char* when)
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return;
    char line[256];
    long rss = 0, peak = 0;
    while (std::fgets(line, sizeof line, status)) {
        std::sscanf(line, "VmRSS: %ld", &rss);
        std::sscanf(line, "VmHWM: %ld", &peak);
    }
    std::fclose(status);
    std::printf("memory %s: resident %ld MiB, peak %ld MiB\n", when, rss / 1024, peak / 1024);
}

}  // namespace

int main(int argc, char** argv)
{
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 1;

    // Measurement-like values with two decimals, drawn on the way in a block
    // at a time, so that the peak memory is the engine's alone (three million
    // inputs held here would add 23 MiB). Every repeat draws the same sequence.

    const char* statistics[] = {"A1", "E3", "E4", "E5", "E6", "E7", "E8", "E9", "E10", "E11", "E12", "I3", "I4",
                                "I6", "I8", "I9", "K3", "K4", "K5", "K6", "K7", "K8", "K9", "Q1", "AF1", "AW1"};
    for (int rep = 0; rep < repeats; ++rep) {
        std::mt19937 random(42);
        std::normal_distribution<double> noise(25.0, 1.5);
        QElapsedTimer total;
        total.start();
        const double cpuStart = cpuSeconds();
        QElapsedTimer phase;
        phase.start();
        sheet::Spreadsheet book;
        chart::buildReferenceLayout(book, platform::Language::German);
        // Rows inserted already holding the fill of row 16, as the chart's
        // fill does it.
        book.insertFilledRows(17, n + 15, 1, 60);
        book.selectRange(16, 1, n + 15, 60);
        const qint64 structure = phase.nsecsElapsed();
        printMemory("after insert+fill");
        const double cpuStructure = cpuSeconds();
        phase.restart();
        // The readings arrive as the chart's fill gets them: numbers in an
        // import grid, copied as it displays them. They are drawn a block of
        // rows at a time into a small import grid; drawing them is the
        // benchmark's own work and its time is taken off the writes.
        constexpr int kDrawRows = 4096;
        sheet::Spreadsheet readings;
        qint64 drawing = 0;
        for (int i = 0; i < n; ++i) {
            if (i % kDrawRows == 0) {
                QElapsedTimer draw;
                draw.start();
                for (int r = 1; r <= kDrawRows; ++r)
                    for (int k = 1; k <= 3; ++k) readings.setNumber(r, k, std::round(noise(random) * 100.0) / 100.0);
                drawing += draw.nsecsElapsed();
            }
            const int row = 16 + i;
            book.setNumber(row, 1, i + 1);
            for (int k = 0; k < 3; ++k) book.setDisplayedValueOf(row, 2 + k, readings, i % kDrawRows + 1, k + 1);
        }
        book.clearRange(n + 16, 1, n + 16, 60, sheet::ClearKind::All);
        const qint64 writes = phase.nsecsElapsed() - drawing;
        printMemory("after writes");
        const double cpuWrites = cpuSeconds();
        phase.restart();
        double checksum = 0;
        for (const char* cell : statistics) {
            const auto address = sheet::parseCellAddress(std::string_view(cell));
            checksum += book.number(address->row, address->col);
        }
        const qint64 reads = phase.nsecsElapsed();
        printMemory("after recalculation");
        const double cpuEnd = cpuSeconds();
        std::printf("rows %d wall: insert+fill %.3f s, writes %.3f s, recalc+reads %.3f s, total %.3f s\n", n,
                    structure / 1e9, writes / 1e9, reads / 1e9, (total.nsecsElapsed() - drawing) / 1e9);
        std::printf("rows %d cpu:  insert+fill %.3f s, writes %.3f s, recalc+reads %.3f s, total %.3f s (checksum %.9g)\n",
                    n, cpuStructure - cpuStart, cpuWrites - cpuStructure - drawing / 1e9, cpuEnd - cpuWrites,
                    cpuEnd - cpuStart - drawing / 1e9,
                    checksum);
    }
    return 0;
}
