#pragma once

#include "ui/AppContext.h"
#include "ui/MainCommand.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

class EntryListView;
struct LoginRecord;
class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QTreeWidgetItem;

// The main window: the entry list, its menus, toolbar and status bar.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(AppContext &context, QWidget *parent = nullptr);
    ~frmMain() override;

    EntryListView *ListView1() const { return m_list; }
    AppContext &context() const { return m_context; }

    // Empties and refills the list from the store, sorted as the settings say.
    void LoadList();

    // Installs what a command does; its menu items and toolbar button become available.
    void setCommand(MainCommand command, std::function<void()> handler);
    void run(MainCommand command);
    // The menu bar's action of a command (the first one made for it).
    QAction *action(MainCommand command) const;
    // Toolbar dispatch: compares the button key exactly; an unknown key does nothing.
    void Toolbar1_ButtonClick(const QString &key);
    QMenu *popupMenu() const { return m_popup; }

    // The selected row, or null.
    QTreeWidgetItem *selectedRow() const;
    // The selected row's LoginID; nullopt without a selection or with a foreign first column.
    std::optional<qint16> selectedLoginId() const;
    // The row Edit and Delete act on, remembered by its key.
    QString CurrentEntryRow;
    // Shows the refreshed fields of the current row after an update.
    void refreshCurrentRow(const LoginRecord &record);

    // Windows opened from here, most recent last; closed backwards when the main window closes.
    void trackWindow(QWidget *window);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void restoreGeometryFromSettings();
    void saveGeometryToSettings();
    void applyResizeRule();
    void readSortSettings();
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    QAction *makeAction(MainCommand command, const QString &text, const QString &objectName);

    AppContext &m_context;
    EntryListView *m_list = nullptr;
    QToolBar *m_toolbar = nullptr;
    QMenu *m_popup = nullptr;
    QLabel *m_statusDate = nullptr;
    QLabel *m_statusTime = nullptr;
    QMultiHash<MainCommand, QAction *> m_actions;
    QHash<MainCommand, std::function<void()>> m_handlers;
    QList<QPointer<QWidget>> m_windows;
};
