// The help window; see help_window.h. Pages come out of the compressed topics
// through the help engine, so the browser asks the engine for every page,
// picture and style sheet it loads; links that leave the collection open in
// the desktop's browser.
#include "help/help_window.h"

#include "help/help_collection.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHelpContentItem>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLineEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace help {

namespace {

// A text browser that reads its pages from the help engine.
class HelpBrowser : public QTextBrowser {
public:
    explicit HelpBrowser(QWidget* parent) : QTextBrowser(parent) { setOpenLinks(false); }

    void setEngine(QHelpEngine* engine) { m_engine = engine; }

    QVariant loadResource(int type, const QUrl& link) override
    {
        // Style sheets and pictures are named relative to their page.
        const QUrl name = link.isRelative() ? source().resolved(link) : link;
        if (m_engine && name.scheme() == QLatin1String("qthelp")) {
            const QByteArray data = m_engine->fileData(name);
            if (type == QTextDocument::ImageResource) return data;
            return QString::fromUtf8(data);
        }
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine* m_engine = nullptr;
};

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("helpWindow"));
    // The program ends with its main window, whether or not the help is still open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(960, 680);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_navigation = new QTabWidget(m_splitter);
    m_navigation->setObjectName(QStringLiteral("helpNavigation"));
    auto* browser = new HelpBrowser(m_splitter);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser = browser;
    // Links within the topics are relative to the page that holds them.
    connect(m_browser, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { showUrl(m_browser->source().resolved(link)); });
    m_splitter->addWidget(m_navigation);
    m_splitter->addWidget(m_browser);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({280, 680});
    layout->addWidget(m_splitter);
}

HelpWindow::~HelpWindow() = default;

bool HelpWindow::openCollection(const QString& collectionPath, platform::Language language)
{
    setTexts(language);
    if (m_engine && collectionPath == m_collectionPath) return true;
    // The widgets of the old engine go with it.
    while (m_navigation->count() > 0) {
        QWidget* page = m_navigation->widget(0);
        m_navigation->removeTab(0);
        page->setParent(nullptr);
        page->deleteLater();
    }
    static_cast<HelpBrowser*>(m_browser)->setEngine(nullptr);
    delete m_engine;
    m_engine = nullptr;
    m_collectionPath.clear();
    m_browser->clear();

    auto* engine = new QHelpEngine(collectionPath, this);
    engine->setReadOnly(false);
    if (!engine->setupData()) {
        delete engine;
        return false;
    }
    m_engine = engine;
    m_collectionPath = collectionPath;
    static_cast<HelpBrowser*>(m_browser)->setEngine(m_engine);
    buildNavigation();
    setTexts(language);
    return true;
}

void HelpWindow::buildNavigation()
{
    QHelpContentWidget* contents = m_engine->contentWidget();
    contents->setObjectName(QStringLiteral("helpContents"));
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::showUrl);
    // One click opens a topic, as in a web page's table of contents.
    connect(contents, &QHelpContentWidget::clicked, this, [this](const QModelIndex& index) {
        if (QHelpContentItem* item = m_engine->contentModel()->contentItemAt(index)) showUrl(item->url());
    });
    // The topics are one level deep: show them all at once.
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, contents, [contents] { contents->expandToDepth(0); });
    m_navigation->addTab(contents, QString());

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(4, 4, 4, 4);
    m_indexFilter = new QLineEdit(indexPage);
    m_indexFilter->setClearButtonEnabled(true);
    QHelpIndexWidget* index = m_engine->indexWidget();
    index->setObjectName(QStringLiteral("helpIndex"));
    connect(m_indexFilter, &QLineEdit::textChanged, index, [index](const QString& text) { index->filterIndices(text); });
    connect(m_indexFilter, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { showUrl(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& links, const QString&) {
        if (!links.isEmpty()) showUrl(links.first().url);
    });
    indexLayout->addWidget(m_indexFilter);
    indexLayout->addWidget(index, 1);
    m_navigation->addTab(indexPage, QString());

    QHelpSearchEngine* search = m_engine->searchEngine();
    m_searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(m_searchPage);
    searchLayout->setContentsMargins(4, 4, 4, 4);
    QHelpSearchQueryWidget* query = search->queryWidget();
    QHelpSearchResultWidget* results = search->resultWidget();
    connect(query, &QHelpSearchQueryWidget::search, search, [search, query] { search->search(query->searchInput()); });
    connect(results, &QHelpSearchResultWidget::requestShowLink, this, &HelpWindow::showUrl);
    searchLayout->addWidget(query);
    searchLayout->addWidget(results, 1);
    m_navigation->addTab(m_searchPage, QString());
    // The index is written once beside the user's copy and kept up to date from then on.
    search->scheduleIndexDocumentation();
}

void HelpWindow::setTexts(platform::Language language)
{
    const bool german = language == platform::Language::German;
    setWindowTitle(german ? QStringLiteral("Plotwise-Hilfe") : QStringLiteral("Plotwise Help"));
    if (m_navigation->count() == 3) {
        m_navigation->setTabText(0, german ? QStringLiteral("Inhalt") : QStringLiteral("Contents"));
        m_navigation->setTabText(1, german ? QStringLiteral("Index") : QStringLiteral("Index"));
        m_navigation->setTabText(2, german ? QStringLiteral("Suche") : QStringLiteral("Search"));
    }
    if (m_indexFilter)
        m_indexFilter->setPlaceholderText(german ? QStringLiteral("Stichwort suchen") : QStringLiteral("Look for a keyword"));
}

bool HelpWindow::showContext(int helpContext)
{
    if (!m_engine) return false;
    const QUrl url = topicForContext(*m_engine, helpContext);
    if (url.isEmpty()) return false;
    showUrl(url);
    return true;
}

void HelpWindow::showUrl(const QUrl& url)
{
    if (url.scheme() != QLatin1String("qthelp")) {
        QDesktopServices::openUrl(url);
        return;
    }
    m_browser->setSource(url);
    if (!url.fragment().isEmpty()) m_browser->scrollToAnchor(url.fragment());
}

QUrl HelpWindow::currentUrl() const
{
    return m_browser->source();
}

}  // namespace help
