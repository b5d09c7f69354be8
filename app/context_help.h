// Context help of the program: F1 opens the help window at the topic the
// F1 rules choose for the focused control, "What's this?" mode shows the
// pop-up text of the control clicked, and the help contents open at context
// 20. Installed on the application, so it sees F1 in every window of the
// program, the chart windows included. Labels never show a pop-up.
#pragma once

#include "app/f1_context.h"
#include "app/popup_texts.h"
#include "help/help_window.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;


namespace app {

class ContextHelp : public QObject {
    Q_OBJECT
public:
    // What F1 finds around the focused control; the main window knows its controls.
    using SituationOf = std::function<F1Situation(QWidget* focus)>;
    // Shows the one-line note that the help is missing.
    using Messenger = std::function<void(const QString& text)>;

    ContextHelp(SituationOf situationOf, QObject* parent = nullptr);
    ~ContextHelp() override;

    // The language, the folders searched for the shipped files (the pop-up
    // lists, the help collections), and the writable folder that holds the
    // user's copy of the help collection.
    void setLanguage(platform::Language language, const QStringList& shippedFolders);
    void setUserDirectory(const QString& directory)
    {
        m_userDirectory = directory;
        m_preparedPath.clear();
    }
    void setMessenger(Messenger messenger) { m_messenger = std::move(messenger); }

    // Gives every control and menu item of the window that has a help context
    // the pop-up text of the current language; labels get none.
    void applyPopupTexts(QWidget& window) const;
    const PopupTexts& popupTexts() const { return m_popupTexts; }

    // Opens the help window at the topic of a help context (its contents
    // when the collection has no such topic). False, with the one-line note,
    // when the help collection is missing.
    bool showContext(int helpContext);
    void showContents() { showContext(kContentsContext); }
    void enterWhatsThisMode();
    // The F1 press on a control, as the key would: chooses and opens the topic.
    int helpForControl(QWidget* focus);

    help::HelpWindow* helpWindow() const { return m_helpWindow; }
    int lastContext() const { return m_lastContext; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SituationOf m_situationOf;
    Messenger m_messenger;
    platform::Language m_language = platform::Language::English;
    QStringList m_shippedFolders;
    QString m_userDirectory;
    PopupTexts m_popupTexts;
    QPointer<help::HelpWindow> m_helpWindow;
    QString m_preparedPath;  // the user's copy of the collection of m_preparedLanguage
    platform::Language m_preparedLanguage = platform::Language::English;
    QStringList m_preparedFrom;  // the folders it was looked for in
    int m_lastContext = 0;
};

}  // namespace app
