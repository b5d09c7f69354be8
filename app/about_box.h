// The about box: the program's title and version, shown modally from "Info".
#pragma once

#include <QDialog>

namespace app {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    static QString programTitle();
    static QString programVersion();
};

}  // namespace app
