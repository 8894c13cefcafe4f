#include "UiHarness.h"
#include "entries/LoginStore.h"
#include "entries/RecordFile.h"
#include "ui/EntryListView.h"
#include "ui/ListCommands.h"
#include "ui/ViewCommands.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTest>
#include <QToolBar>

class tst_frmMain : public QObject
{
    Q_OBJECT

private:
    static QStringList column(const frmMain &w, int c)
    {
        QStringList out;
        for (int i = 0; i < w.ListView1()->rowCount(); ++i)
            out << w.ListView1()->text(i, c).trimmed();
        return out;
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void loadListShowsLiveEntriesSortedByIdWithFiveColumns()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("alice", "bank", "pw1");
        h.addEntry("bob", "mail", "pw2", 30);
        h.addEntry("carol", "shop", "pw3");
        LoginStore(h.state.LoginFile, h.ui).deletelogin(1001);
        frmMain w(h.context);
        w.LoadList();
        EntryListView *list = w.ListView1();
        QCOMPARE(list->model()->columnCount(), 5);
        QVERIFY(list->isColumnHidden(EntryListView::ColExpirySort));
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal), QStringLiteral("LoginID"));
        QCOMPARE(list->model()->headerData(3, Qt::Horizontal), QStringLiteral("Expiry"));
        QCOMPARE(column(w, 0), (QStringList{"1000", "1002"}));
        QCOMPARE(list->text(0, EntryListView::ColDescription).size(), 64);
        QCOMPARE(list->text(0, EntryListView::ColExpiry), QStringLiteral("Never"));
        QCOMPARE(list->text(0, EntryListView::ColExpirySort), QStringLiteral("25000101"));
        QVERIFY(list->findRow(QStringLiteral("PQ1002")) >= 0);
        QCOMPARE(list->findRow(QStringLiteral("PQ1001")), -1);
    }

    void rowsShowTheirTextsWithoutThePadBlanks()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry(" alice", "bank  of  ours", "pw1");
        frmMain w(h.context);
        w.LoadList();
        QCOMPARE(w.ListView1()->text(0, EntryListView::ColDescription).size(), 64);
        const QModelIndex description =
            w.ListView1()->model()->index(0, EntryListView::ColDescription);
        const QModelIndex login = w.ListView1()->model()->index(0, EntryListView::ColLogin);
        auto *delegate = qobject_cast<QStyledItemDelegate *>(w.ListView1()->itemDelegate());
        QVERIFY(delegate);
        QCOMPARE(delegate->displayText(description.data(), QLocale()),
                 QStringLiteral("bank  of  ours"));
        // Only the padding goes: a leading blank is part of what was typed.
        QCOMPARE(delegate->displayText(login.data(), QLocale()), QStringLiteral(" alice"));
    }

    void sortSettingsFollowTheirPrecedenceAndExactTrue()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("zed", "alpha", "p", 10, QDateTime(QDate(2024, 5, 1), QTime(9, 0)));
        h.addEntry("amy", "beta", "p", 0);
        h.addEntry("kim", "gamma", "p", 10, QDateTime(QDate(2024, 1, 1), QTime(9, 0)));
        frmMain w(h.context);
        h.settings.save(Setting::OrderByLogin, QStringLiteral("true"));
        w.LoadList();
        QCOMPARE(column(w, 2), (QStringList{"zed", "amy", "kim"})); // lower-case true is no True
        h.settings.save(Setting::OrderByID, QStringLiteral("True"));
        h.settings.save(Setting::OrderByExpiry, QStringLiteral("True"));
        w.LoadList();
        QCOMPARE(column(w, 2), (QStringList{"kim", "zed", "amy"})); // expiry wins, never last
        h.settings.save(Setting::OrderDirection, QStringLiteral("1"));
        w.LoadList();
        QCOMPARE(column(w, 2), (QStringList{"amy", "zed", "kim"}));
        h.settings.save(Setting::OrderDirection, QStringLiteral("down"));
        w.LoadList();
        QCOMPARE(h.ui.shown.last().text,
                 QStringLiteral("An error has occurred in frmMain_LoadList 13 Type mismatch"));
    }

    void idsSortAsTextAndHeaderClicksChooseTheColumn()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        LoginRecord r;
        r.Login = FitText("x");
        r.Description = FitText("x");
        QByteArray bytes;
        for (qint16 id : {qint16(1001), qint16(10000), qint16(1000)}) {
            r.LoginID = id;
            bytes += r.encode();
        }
        WriteFile(h.state.LoginFile, bytes);
        frmMain w(h.context);
        w.LoadList();
        QCOMPARE(column(w, 0), (QStringList{"1000", "10000", "1001"}));

        UiHarness h2;
        h2.setMasters("first master", "second master");
        h2.addEntry("a", "d", "p", 1, QDateTime(QDate(2024, 12, 1), QTime(9, 0)));
        h2.addEntry("b", "d", "p", 1, QDateTime(QDate(2024, 2, 1), QTime(9, 0)));
        frmMain w2(h2.context);
        w2.LoadList();
        w2.ListView1()->header()->sectionClicked(EntryListView::ColExpiry);
        QCOMPARE(w2.ListView1()->sortKey(), int(EntryListView::ColExpirySort));
        QCOMPARE(column(w2, 1 + 1), (QStringList{"b", "a"})); // chronological, not 12/2 < 2/2
    }

    void tooManyRecordsFailTheLoadBeforeAnyRow()
    {
        UiHarness h;
        LoginRecord r;
        WriteFile(h.state.LoginFile, QByteArray(r.encode()).repeated(32768));
        frmMain w(h.context);
        w.LoadList();
        QCOMPARE(w.ListView1()->rowCount(), 0);
        QCOMPARE(h.ui.shown.last().text,
                 QStringLiteral("An error has occurred in frmMain_LoadList 6 Overflow"));
    }

    void geometryIsRestoredAndSavedInTwips()
    {
        UiHarness h;
        h.settings.save(Setting::MainLeft, QStringLiteral("1500"));
        h.settings.save(Setting::MainTop, QStringLiteral("1500"));
        h.settings.save(Setting::MainWidth, QStringLiteral("9000"));
        h.settings.save(Setting::MainHeight, QStringLiteral("7500"));
        {
            frmMain w(h.context);
            const double px = 1440.0 / w.logicalDpiX();
            QCOMPARE(w.size(), QSize(qRound(9000 / px), qRound(7500 / px)));
            w.show();
            w.resize(qRound(12000 / px), qRound(6000 / px));
            w.close();
            QCOMPARE(qRound(h.settings.getDouble(Setting::MainWidth) / 15), qRound(12000.0 / 15));
        }
        {
            frmMain w(h.context);
            w.show();
            w.showMinimized();
            w.resize(200, 200);
            w.close();
        }
        QCOMPARE(qRound(h.settings.getDouble(Setting::MainWidth) / 15),
                 qRound(12000.0 / 15)); // a minimized window saves nothing
        h.settings.save(Setting::MainLeft, QStringLiteral("-99999999"));
        h.settings.save(Setting::MainTop, QStringLiteral("left"));
        frmMain lost(h.context);
        QVERIFY(lost.x() > -100000 && lost.y() >= 0); // brought back onto the screen
    }

    void closingClearsTheClipboard()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("alice", "bank", "s3cret");
        auto *w = new frmMain(h.context);
        InstallListCommands(*w);
        w->LoadList();
        w->ListView1()->selectRow(0);
        ClipPassword(*w);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("s3cret"));
        QCOMPARE(QApplication::clipboard()->mimeData()->data(
                     QStringLiteral("x-kde-passwordManagerHint")),
                 QByteArray("secret"));
        w->close();
        QVERIFY(QApplication::clipboard()->text().isEmpty());
        delete w;
        QVERIFY(QApplication::clipboard()->text().isEmpty());
    }

    void clipWithoutSelectionDoesNothingAndABadFieldNamesItsStep()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("alice", "bank", "s3cret");
        frmMain w(h.context);
        w.LoadList();
        w.ListView1()->selectRow(-1);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        ClipPassword(w);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
        QVERIFY(h.ui.shown.isEmpty());
        h.state.ActiveMaster2 = "other masters";
        w.ListView1()->selectRow(0);
        ClipPassword(w);
        QCOMPARE(h.ui.shown.last().text,
                 QStringLiteral(
                     "An error has occurred in ClipPassword 13 Type mismatch\r\nLinenum = 4"));
    }

    void findIsCaseSensitiveAndFollowsDisplayOrder()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("zoe", "Mail account", "p");
        h.addEntry("mailman", "post", "p");
        frmMain w(h.context);
        InstallViewCommands(w);
        w.LoadList();
        h.ui.replies << QStringLiteral("mail");
        FindEntry(w);
        QCOMPARE(h.ui.messages().last(), QStringLiteral("Found, and selected the item for you."));
        QCOMPARE(w.selectedText(0), QStringLiteral("1001"));
        h.ui.replies << QStringLiteral("MAIL");
        FindEntry(w);
        QCOMPARE(h.ui.messages().last(), QStringLiteral("No match found"));
        h.ui.replies << QStringLiteral(" ");
        w.run(MainCommand::Desc);
        FindEntry(w);
        QCOMPARE(w.selectedText(0), QStringLiteral("1001")); // descending shows 1001 first
        const int before = h.ui.shown.size();
        FindEntry(w); // a cancelled prompt
        QCOMPARE(h.ui.shown.size(), before);
        w.run(MainCommand::Refresh);
        QCOMPARE(w.ListView1()->text(0, 0),
                 QStringLiteral("1000")); // Desc lost on refresh
    }

    void toolbarHasTwelveKeyedButtonsAndUnknownKeysDoNothing()
    {
        UiHarness h;
        frmMain w(h.context);
        auto *bar = w.findChild<QToolBar *>(QStringLiteral("Toolbar1"));
        QVERIFY(bar);
        QStringList keys;
        QStringList layout;
        for (QAction *a : bar->actions()) {
            layout << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
            if (!a->isSeparator())
                keys << a->objectName();
        }
        QCOMPARE(layout.join(QLatin1Char(' ')),
                 QStringLiteral("Import Export | NewLogin Clip Delete | Find Asc Desc | Options "
                                "LogViewer FileVault | Help"));
        int refreshed = 0;
        w.setCommand(MainCommand::Find, [&refreshed] { ++refreshed; });
        w.Toolbar1_ButtonClick(QStringLiteral("find"));
        QCOMPARE(refreshed, 0);
        w.Toolbar1_ButtonClick(QStringLiteral("Find"));
        QCOMPARE(refreshed, 1);
        QVERIFY(!w.action(MainCommand::Import)->isEnabled()); // not installed: visibly unavailable
    }

    void popupOffersTheFourEntryCommands()
    {
        UiHarness h;
        frmMain w(h.context);
        QStringList items;
        for (QAction *a : w.popupMenu()->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{"New", "Clip Password", "Copy Login", "Edit", "Delete"}));
        QCOMPARE(w.popupMenu()->objectName(), QStringLiteral("mnuPopup"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Pellora"));
        QVERIFY(w.action(MainCommand::ToggleStatusBar)->isChecked());
        QVERIFY(w.action(MainCommand::ToggleTips)->isChecked());
        QCOMPARE(w.statusBar()->objectName(), QStringLiteral("sbStatusbar"));
    }

    void tipsToggleStoresOnlyWhenChecking()
    {
        UiHarness h;
        frmMain w(h.context);
        InstallViewCommands(w);
        h.settings.save(Setting::ShowTipsAtStartup, QStringLiteral("0"));
        w.action(MainCommand::ToggleTips)->trigger();
        QCOMPARE(h.settings.get(Setting::ShowTipsAtStartup), QStringLiteral("0"));
        w.action(MainCommand::ToggleTips)->trigger();
        QCOMPARE(h.settings.get(Setting::ShowTipsAtStartup), QStringLiteral("1"));
        w.action(MainCommand::ToggleStatusBar)->trigger();
        QVERIFY(w.statusBar()->isHidden());
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
