// The program's help window: the topics of one help collection, with its
// table of contents, its keyword index and a full-text search on the left and
// the topic on the right. It opens at a help context's anchor and changes
// collection when the program changes its language.
#pragma once

#include "components/platform/language.h"

#include <QUrl>
#include <QWidget>

class QHelpEngine;
class QLineEdit;
class QSplitter;
class QTabWidget;
class QTextBrowser;

namespace help {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Opens the collection at `collectionPath` (a prepared copy, see
    // help_collection.h) with the window's texts in `language`. False when
    // the engine cannot read it; the window then shows nothing.
    bool openCollection(const QString& collectionPath, platform::Language language);
    QString collectionPath() const { return m_collectionPath; }

    // Shows the topic of a help context; false (and nothing changes) when the
    // collection has none.
    bool showContext(int helpContext);
    void showUrl(const QUrl& url);

    // The page shown now, for tests.
    QUrl currentUrl() const;
    QTextBrowser* browser() const { return m_browser; }
    QHelpEngine* engine() const { return m_engine; }
    QTabWidget* navigation() const { return m_navigation; }

private:
    void buildNavigation();
    void setTexts(platform::Language language);

    QHelpEngine* m_engine = nullptr;
    QString m_collectionPath;
    QSplitter* m_splitter = nullptr;
    QTabWidget* m_navigation = nullptr;
    QLineEdit* m_indexFilter = nullptr;
    QWidget* m_searchPage = nullptr;
    QTextBrowser* m_browser = nullptr;
};

}  // namespace help
