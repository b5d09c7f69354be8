// Start-up to the shown main window, and the language switch with all three
// windows open (the control chart drawn from the sample data, so the switch
// also copies its statistics again). Plain executable, run by hand:
//   language_bench <application folder> [switches]
// The folder is a scratch copy of the build's application directory (the
// program writes its settings there when it closes).
#include "app/chart_window_factories.h"
#include "app/context_help.h"
#include "app/main_window.h"
#include "app/plotwise_application.h"
#include "chart/widgets/control_chart_window.h"
#include "components/platform/platform.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    const double cpuAtStart = threadCpuMs();
    app::PlotwiseApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: language_bench <application folder> [switches]\n");
        return 2;
    }
    platform::Platform::overrideApplicationDirectory(QString::fromLocal8Bit(argv[1]));
    const int switches = argc > 2 ? std::max(2, std::atoi(argv[2])) : 20;
    const qint64 applicationMs = clock.elapsed();

    app::MainWindow window(app::programChartWindows());
    const qint64 builtMs = clock.elapsed();
    window.show();
    QCoreApplication::processEvents();
    std::printf("start-up: application %lld ms, main window built %lld ms, shown %lld ms (thread CPU %.0f ms)\n",
                static_cast<long long>(applicationMs), static_cast<long long>(builtMs),
                static_cast<long long>(clock.elapsed()), threadCpuMs() - cpuAtStart);

    // All three windows open, the control chart drawn.
    window.firstRowEdit->setText(QStringLiteral("2"));
    window.state().importGrid->setSelection({{1, 2, 5, 4}});
    window.controlChartAction->trigger();
    static_cast<ControlChartWindow*>(window.controlChartWindow())->activate();
    window.comparisonWindow()->show();
    QCoreApplication::processEvents();

    std::vector<double> wall, cpu;
    for (int i = 0; i < switches; ++i) {
        QElapsedTimer one;
        one.start();
        const double cpuBefore = threadCpuMs();
        window.switchLanguage();
        QCoreApplication::processEvents();  // the windows repaint with the new texts
        wall.push_back(one.nsecsElapsed() / 1e6);
        cpu.push_back(threadCpuMs() - cpuBefore);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("language switch, three windows open, %d switches: wall min %.1f / median %.1f / max %.1f ms, "
                "thread CPU median %.1f ms\n",
                switches, wall.front(), wall[wall.size() / 2], wall.back(), cpu[cpu.size() / 2]);

    // The first help request: the user's copy of the collection is made and the engine opened.
    QTemporaryDir userData;
    window.contextHelp().setUserDirectory(userData.path());
    QElapsedTimer help;
    help.start();
    window.contextHelp().showContents();
    QCoreApplication::processEvents();
    const qint64 firstHelpMs = help.elapsed();
    help.restart();
    window.contextHelp().showContext(24);
    QCoreApplication::processEvents();
    std::printf("help: first contents %lld ms (copy made, engine opened), next topic %lld ms\n",
                static_cast<long long>(firstHelpMs), static_cast<long long>(help.elapsed()));
    window.close();
    return 0;
}
