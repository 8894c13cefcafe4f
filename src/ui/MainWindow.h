#pragma once

#include "entries/DeletedEntries.h"
#include "ui/AppContext.h"
#include "ui/MainCommand.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

class EntryListView;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class SecretClipboard;
struct LoginRecord;

// The main window: the search box and the entry list, its menus, toolbar and status bar.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(AppContext &context, QWidget *parent = nullptr);
    ~MainWindow() override;

    EntryListView *entryList() const { return m_list; }
    QLineEdit *searchBox() const { return m_search; }
    AppContext &context() const { return m_context; }
    SecretClipboard &clipboard() const { return *m_clipboard; }
    DeletedEntries &deletedEntries() { return m_deleted; }

    // Empties and refills the list from the store, sorted as the settings say. The row selected
    // before stays selected when it is still there, otherwise the first row is.
    void loadList();

    // Installs what a command does; its menu items and toolbar button become available.
    void setCommand(MainCommand command, std::function<void()> handler);
    // Greys out or offers again an installed command whose use depends on the moment.
    void setCommandEnabled(MainCommand command, bool enabled);
    void run(MainCommand command);
    // The menu bar's action of a command (the first one made for it).
    QAction *action(MainCommand command) const;
    // Toolbar dispatch: compares the button key exactly; an unknown key does nothing.
    void runToolbarButton(const QString &key);
    QMenu *popupMenu() const { return m_popup; }

    // The selected row in display order, or -1.
    int selectedRow() const;
    // A cell of the selected row; empty without a selection.
    QString selectedText(int column) const;
    // The selected row's LoginID; nullopt without a selection or with a foreign first column.
    std::optional<qint16> selectedLoginId() const;
    // Selects the entry's row, when it is shown.
    void selectEntry(qint16 loginId);
    // The row Edit and Delete act on, remembered by its key.
    QString CurrentEntryRow;
    // Shows the refreshed fields of the current row after an update.
    void refreshCurrentRow(const LoginRecord &record);

    // What the last command did, in the status bar until the next report.
    void showStatus(const QString &text);
    QString statusText() const;

    // Windows opened from here, most recent last; closed backwards when the main window closes.
    void trackWindow(QWidget *window);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void restoreGeometryFromSettings();
    void saveGeometryToSettings();
    void readSortSettings();
    void setColumnWidths();
    void buildSearchBox();
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void followClipboard();
    QAction *makeAction(MainCommand command, const QString &text, const QString &objectName);

    AppContext &m_context;
    EntryListView *m_list = nullptr;
    QLineEdit *m_search = nullptr;
    QToolBar *m_toolbar = nullptr;
    QMenu *m_popup = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_statusDate = nullptr;
    QLabel *m_statusTime = nullptr;
    SecretClipboard *m_clipboard = nullptr;
    DeletedEntries m_deleted;
    QMultiHash<MainCommand, QAction *> m_actions;
    QHash<MainCommand, std::function<void()>> m_handlers;
    QList<QPointer<QWidget>> m_windows;
};
