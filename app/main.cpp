// Program entry: the application, the main window (which reads its settings
// and the sample data as it is created), the about box, the event loop. A
// start that fails prints its reason on standard error and ends with a
// non-zero status; errors after the start are reported by the application
// and the program goes on.
#include "app/about_box.h"
#include "app/main_window.h"
#include "app/plotwise_application.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    try {
        app::PlotwiseApplication application(argc, argv);
        app::MainWindow mainWindow(app::programChartWindows());
        app::AboutBox aboutBox(&mainWindow);
        mainWindow.setAboutBox(&aboutBox);
        mainWindow.show();
        return application.exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Plotwise cannot start: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "Plotwise cannot start: unknown error\n");
    }
    return 1;
}
