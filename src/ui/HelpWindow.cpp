#include "ui/HelpWindow.h"

#include "app/AppState.h"
#include "platform/Ui.h"
#include "ui/MainWindow.h"
#include "ui/QtUi.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
bool documentHasAnchor(const QTextDocument &document, const QString &anchor)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(anchor))
                return true;
        }
    }
    return false;
}
} // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QString::fromLatin1(kAppTitle) + QStringLiteral(" Help"));

    m_contents = new QTreeWidget(this);
    m_contents->setObjectName(QStringLiteral("contents"));
    m_contents->setHeaderHidden(true);

    auto *searchPage = new QWidget(this);
    auto *searchLabel = new QLabel(QStringLiteral("&Type the words to find:"), searchPage);
    m_search = new QLineEdit(searchPage);
    m_search->setObjectName(QStringLiteral("searchBox"));
    m_search->setClearButtonEnabled(true);
    searchLabel->setBuddy(m_search);
    m_matchCount = new QLabel(searchPage);
    m_matchCount->setObjectName(QStringLiteral("matchCount"));
    m_results = new QListWidget(searchPage);
    m_results->setObjectName(QStringLiteral("topics"));
    auto *searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(searchLabel);
    searchLayout->addWidget(m_search);
    searchLayout->addWidget(m_matchCount);
    searchLayout->addWidget(m_results, 1);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("helpTabs"));
    m_tabs->addTab(m_contents, QStringLiteral("&Contents"));
    m_tabs->addTab(searchPage, QStringLiteral("&Search"));

    m_back = new QPushButton(QStringLiteral("&Back"), this);
    m_back->setObjectName(QStringLiteral("backButton"));
    m_back->setEnabled(false);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpText"));
    m_browser->setOpenExternalLinks(true);
    auto *page = new QWidget(this);
    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    auto *bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addStretch(1);
    pageLayout->addLayout(bar);
    pageLayout->addWidget(m_browser, 1);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 620});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(920, 640);

    connect(m_contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { openTopic(item->data(0, Qt::UserRole).toInt()); });
    connect(m_contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { openTopic(item->data(0, Qt::UserRole).toInt()); });
    connect(m_search, &QLineEdit::textChanged, this, &HelpWindow::search);
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        if (!m_matches.isEmpty())
            m_results->setCurrentRow(0);
        openSearchResult(0);
    });
    connect(m_results, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { openSearchResult(m_results->row(item)); });
    connect(m_results, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { openSearchResult(m_results->row(item)); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

bool HelpWindow::LoadHelpFile(const QString &path, QString &reason)
{
    QFile file(path);
    if (!file.exists()) {
        reason = QStringLiteral("the file does not exist");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    m_browser->setHtml(QString::fromUtf8(file.readAll()));
    m_helpFile = path;
    m_topics = HelpTopicsOf(*m_browser->document());
    buildContents();
    search(m_search->text());
    return true;
}

void HelpWindow::buildContents()
{
    m_contents->clear();
    QList<QTreeWidgetItem *> open; // the nearest item of each shallower level
    for (int i = 0; i < m_topics.size(); ++i) {
        const HelpTopic &t = m_topics[i];
        while (!open.isEmpty() && open.last()->data(0, Qt::UserRole + 1).toInt() >= t.level)
            open.removeLast();
        auto *item =
            open.isEmpty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(open.last());
        item->setText(0, t.title);
        item->setData(0, Qt::UserRole, i);
        item->setData(0, Qt::UserRole + 1, t.level);
        open.append(item);
    }
    m_contents->expandAll();
}

void HelpWindow::showContents()
{
    m_tabs->setCurrentIndex(0);
    if (!m_topics.isEmpty())
        openTopic(0);
    m_contents->setFocus();
}

void HelpWindow::showSearch()
{
    m_tabs->setCurrentIndex(1);
    m_search->clear();
    m_search->setFocus();
}

bool HelpWindow::showAnchor(const QString &anchor)
{
    if (anchor.isEmpty() || !documentHasAnchor(*m_browser->document(), anchor))
        return false;
    QUrl target;
    target.setFragment(anchor);
    m_browser->setSource(target);
    return true;
}

void HelpWindow::search(const QString &query)
{
    m_query = query;
    m_matches = SearchHelpTopics(m_topics, query);
    m_results->clear();
    for (int i : m_matches)
        m_results->addItem(m_topics[i].title);
    if (query.trimmed().isEmpty())
        m_matchCount->clear();
    else if (m_matches.isEmpty())
        m_matchCount->setText(QStringLiteral("No topic holds these words."));
    else if (m_matches.size() == 1)
        m_matchCount->setText(QStringLiteral("1 topic found"));
    else
        m_matchCount->setText(QString::number(m_matches.size()) + QStringLiteral(" topics found"));
}

void HelpWindow::openSearchResult(int row)
{
    if (row >= 0 && row < m_matches.size())
        openTopic(m_matches[row]);
}

void HelpWindow::openTopic(int index)
{
    if (index < 0 || index >= m_topics.size())
        return;
    const HelpTopic &topic = m_topics[index];
    if (!showAnchor(topic.anchor)) {
        QTextCursor at(m_browser->document());
        at.setPosition(topic.position);
        m_browser->setTextCursor(at);
        m_browser->ensureCursorVisible();
    }
    const QString word = m_query.simplified().section(QLatin1Char(' '), 0, 0);
    if (word.isEmpty())
        return;
    QTextCursor from(m_browser->document());
    from.setPosition(topic.position);
    const QTextCursor found = m_browser->document()->find(word, from);
    const int end = index + 1 < m_topics.size() ? m_topics[index + 1].position
                                                : m_browser->document()->characterCount();
    if (!found.isNull() && found.position() <= end)
        m_browser->setTextCursor(found);
}

QStringList HelpWindow::matchingTopics() const
{
    QStringList titles;
    for (int i = 0; i < m_results->count(); ++i)
        titles << m_results->item(i)->text();
    return titles;
}

int HelpWindow::topicAtTop() const
{
    const int position = m_browser->cursorForPosition(QPoint(4, 4)).position();
    int found = -1;
    for (int i = 0; i < m_topics.size() && m_topics[i].position <= position; ++i)
        found = i;
    return found;
}

namespace {
// The help window of a parent, reused while it shows the same file.
HelpWindow *OpenHelpWindow(Ui &ui, QWidget *parent, const QString &helpFile, bool &created)
{
    created = false;
    for (HelpWindow *open : parent->findChildren<HelpWindow *>(Qt::FindDirectChildrenOnly)) {
        if (open->helpFile() == helpFile) {
            open->show();
            open->raise();
            open->activateWindow();
            return open;
        }
    }
    auto *window = new HelpWindow(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QString reason;
    if (!window->LoadHelpFile(helpFile, reason)) {
        delete window;
        ui.message(QStringLiteral("The help file ") + helpFile +
                       QStringLiteral(" cannot be opened: ") + reason +
                       QStringLiteral(". Reinstalling Pellora puts it back."),
                   QString::fromLatin1(kAppTitle) + QStringLiteral(" Help"));
        return nullptr;
    }
    created = true;
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

MainWindow *MainWindowOf(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (auto *main = qobject_cast<MainWindow *>(w))
            return main;
    }
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *main = qobject_cast<MainWindow *>(w))
            return main;
    }
    return nullptr;
}
} // namespace

HelpWindow *ShowHelp(MainWindow &main, HelpCommand command)
{
    AppContext &c = main.context();
    if (c.state.HelpFile.isEmpty()) {
        c.ui.message(QString::fromLatin1(kNoHelpMessage), main.windowTitle());
        return nullptr;
    }
    bool created = false;
    HelpWindow *window = OpenHelpWindow(c.ui, &main, c.state.HelpFile, created);
    if (!window)
        return nullptr;
    if (created)
        main.trackWindow(window);
    if (command == HelpCommand::Search)
        window->showSearch();
    else
        window->showContents();
    return window;
}

HelpWindow *ShowHelpTopic(QWidget *parent, int topic)
{
    MainWindow *main = MainWindowOf(parent);
    if (!main) {
        QtUi ui;
        ui.message(QString::fromLatin1(kNoHelpMessage));
        return nullptr;
    }
    AppContext &c = main->context();
    if (c.state.HelpFile.isEmpty()) {
        c.ui.message(QString::fromLatin1(kNoHelpMessage), main->windowTitle());
        return nullptr;
    }
    bool created = false;
    HelpWindow *window = OpenHelpWindow(c.ui, parent ? parent : main, c.state.HelpFile, created);
    if (!window)
        return nullptr;
    if (created && (!parent || parent == main))
        main->trackWindow(window);
    if (!window->showAnchor(QString::number(topic)))
        window->showContents();
    return window;
}
