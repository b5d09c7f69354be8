// A small fixed dialog: icon, title, version, one line on what the program does, OK.
#include "app/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#ifndef PLOTWISE_VERSION
#define PLOTWISE_VERSION "0.0.0"
#endif

namespace app {

QString AboutBox::programTitle() { return QStringLiteral("Plotwise"); }
QString AboutBox::programVersion() { return QStringLiteral(PLOTWISE_VERSION); }

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/plotwise.svg")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* title = new QLabel(QStringLiteral("<b style='font-size:14pt'>%1</b>").arg(programTitle()), this);
    title->setObjectName(QStringLiteral("ProductName"));
    auto* version = new QLabel(QStringLiteral("Version %1").arg(programVersion()), this);
    version->setObjectName(QStringLiteral("Version"));
    auto* comment = new QLabel(
        QStringLiteral("Statistische Prozessregelkarten / statistical process control charts"), this);
    comment->setWordWrap(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(comment);
    texts->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(340, 150)));
}

}  // namespace app
