// The application object. Its one addition to QApplication: an exception that
// leaves an event handler (a menu command, a button, a drop) is caught at the
// event dispatch and shown through the standard error report, so no error ends
// the program.
#pragma once

#include <QApplication>

namespace app {

class PlotwiseApplication : public QApplication {
    Q_OBJECT
public:
    PlotwiseApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace app
