#pragma once

#include "ui/HelpTopics.h"

#include <QWidget>

class MainWindow;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

// The help file's name in the program folder; start-up sets AppState::HelpFile to it.
inline constexpr char kHelpFileName[] = "Pellora.hlp";
inline constexpr char kNoHelpMessage[] =
    "Unable to display Help Contents. There is no Help associated with this project.";

// The help viewer: the help file beside a contents tree built from its headings and a search
// that lists the topics holding the words typed.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Reads the help file; on failure returns false and gives the reason.
    bool LoadHelpFile(const QString &path, QString &reason);
    QString helpFile() const { return m_helpFile; }

    // The start of the help, with the contents tree in front.
    void showContents();
    // The search page, its box emptied and focused.
    void showSearch();
    // Scrolls to the anchor; false when the help has no such anchor.
    bool showAnchor(const QString &anchor);

    // Lists the topics that hold every word of the query.
    void search(const QString &query);
    // Shows a topic, marking the first search word in it when there is one.
    void openTopic(int index);

    const QList<HelpTopic> &topics() const { return m_topics; }
    // The titles the search page lists.
    QStringList matchingTopics() const;
    // The topic whose text is at the top of the view; -1 before the first heading.
    int topicAtTop() const;

private:
    void buildContents();
    void openSearchResult(int row);

    QString m_helpFile;
    QList<HelpTopic> m_topics;
    QList<int> m_matches;
    QString m_query;
    QTabWidget *m_tabs = nullptr;
    QTreeWidget *m_contents = nullptr;
    QLineEdit *m_search = nullptr;
    QLabel *m_matchCount = nullptr;
    QListWidget *m_results = nullptr;
    QTextBrowser *m_browser = nullptr;
    QPushButton *m_back = nullptr;
};

enum class HelpCommand {
    Contents, // "&Contents" and the "Help" toolbar button
    Search,   // "&Search For Help On...": the search with an empty key
};

// Opens the help over the main window. With no help file set, shows the no-help message titled
// with the main window's caption; with a help file that cannot be read, says which and why.
// Returns the help window, or null when none opened.
HelpWindow *ShowHelp(MainWindow &main, HelpCommand command);

// Opens the help at a topic number's anchor (the entry editor's 1001, 1008, 1009); the help
// starts at its beginning when the number has no anchor.
HelpWindow *ShowHelpTopic(QWidget *parent, int topic);
