// The about box: the program's title and version, shown modally from "Info".
#pragma once

#include <QDialog>

namespace app {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    static QString programTitle();
    static QString programVersion();
};

}  // namespace app
