// Takes a picture of the main window as a new user first sees it (for the
// user guide): app_screenshot <application folder> <output.png> [page index]
// The window closes as the application quits, so it writes its settings into
// the folder given: use a scratch copy of data/, e.g.
//   cp data/* /tmp/shot/ && LANG=en_US.UTF-8 xvfb-run -a -s "-screen 0 1280x900x24"
//     build/tests/app/app_screenshot /tmp/shot docs/images/main-window-en.png
// (LANG=de_DE.UTF-8 and main-window-de.png for the German one)
#include "app/main_window.h"
#include "app/plotwise_application.h"
#include "components/platform/platform.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    app::PlotwiseApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: app_screenshot <application folder> <output.png> [page index]\n");
        return 2;
    }
    platform::Platform::overrideApplicationDirectory(QString::fromLocal8Bit(argv[1]));
    const QString output = QString::fromLocal8Bit(argv[2]);
    const int page = argc > 3 ? std::atoi(argv[3]) : 0;
    app::MainWindow window;
    window.pages->setCurrentIndex(page);
    window.show();
    QCoreApplication::processEvents();
    // Start-up time up to the first shown window, for the performance notes.
    std::printf("window shown after %lld ms\n", static_cast<long long>(clock.elapsed()));
    bool saved = false;
    QTimer::singleShot(700, [&] {
        saved = window.grab().save(output);
        application.quit();
    });
    application.exec();
    return saved ? 0 : 1;
}
