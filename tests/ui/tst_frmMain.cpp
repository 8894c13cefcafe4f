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
#include <QMenu>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTest>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {
struct Main
{
    UiHarness h;
    frmMain w{h.context};

    explicit Main(bool masters = true)
    {
        if (masters)
            h.setMasters("first master", "second master");
    }
    QStringList column(int c)
    {
        w.LoadList();
        QStringList out;
        for (int i = 0; i < w.ListView1()->rowCount(); ++i)
            out << w.ListView1()->text(i, c).trimmed();
        return out;
    }
    QString lastMessage() const
    {
        return h.ui.shown.isEmpty() ? QString() : h.ui.shown.last().text;
    }
};
} // namespace

class tst_frmMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void theListShowsLiveEntriesWithoutThePadBlanks()
    {
        Main m;
        m.h.addEntry(" alice", "bank  of  ours", "pw1");
        m.h.addEntry("bob", "mail", "pw2", 30);
        m.h.addEntry("carol", "shop", "pw3");
        LoginStore(m.h.state.LoginFile, m.h.ui).deletelogin(1001);
        QCOMPARE(m.column(0), (QStringList{"1000", "1002"}));
        EntryListView *list = m.w.ListView1();
        QCOMPARE(list->model()->columnCount(), 5);
        QVERIFY(list->isColumnHidden(EntryListView::ColExpirySort));
        QCOMPARE(list->model()->headerData(3, Qt::Horizontal), u"Expiry"_s);
        QCOMPARE(list->text(0, EntryListView::ColDescription).size(), 64);
        QCOMPARE(list->text(0, EntryListView::ColExpiry), u"Never"_s);
        QCOMPARE(list->text(0, EntryListView::ColExpirySort), u"25000101"_s);
        QCOMPARE(list->findRow(u"PQ1001"_s), -1);
        // Only the padding goes: a leading blank is part of what was typed.
        auto *delegate = qobject_cast<QStyledItemDelegate *>(list->itemDelegate());
        auto shown = [&](int c) {
            return delegate->displayText(list->model()->index(0, c).data(), QLocale());
        };
        QCOMPARE(shown(EntryListView::ColDescription), u"bank  of  ours"_s);
        QCOMPARE(shown(EntryListView::ColLogin), u" alice"_s);
    }

    void sortSettingsFollowTheirPrecedenceAndIdsSortAsText()
    {
        Main m;
        m.h.addEntry("zed", "alpha", "p", 10, QDateTime(QDate(2024, 5, 1), QTime(9, 0)));
        m.h.addEntry("amy", "beta", "p", 0);
        m.h.addEntry("kim", "gamma", "p", 10, QDateTime(QDate(2024, 1, 1), QTime(9, 0)));
        m.h.settings.save(Setting::OrderByLogin, u"true"_s);
        QCOMPARE(m.column(2), (QStringList{"zed", "amy", "kim"})); // lower-case true is no True
        m.h.settings.save(Setting::OrderByID, u"True"_s);
        m.h.settings.save(Setting::OrderByExpiry, u"True"_s);
        QCOMPARE(m.column(2), (QStringList{"kim", "zed", "amy"})); // expiry wins, never last
        m.h.settings.save(Setting::OrderDirection, u"1"_s);
        QCOMPARE(m.column(2), (QStringList{"amy", "zed", "kim"}));
        m.h.settings.save(Setting::OrderDirection, u"down"_s);
        m.w.LoadList();
        QCOMPARE(m.lastMessage(), u"An error has occurred in frmMain_LoadList 13 Type mismatch"_s);

        Main ids;
        LoginRecord r;
        r.Login = r.Description = FitText("x");
        QByteArray bytes;
        for (qint16 id : {qint16(1001), qint16(10000), qint16(1000)}) {
            r.LoginID = id;
            bytes += r.encode();
        }
        WriteFile(ids.h.state.LoginFile, bytes);
        QCOMPARE(ids.column(0), (QStringList{"1000", "10000", "1001"}));
        WriteFile(ids.h.state.LoginFile, QByteArray(LoginRecord().encode()).repeated(32768));
        QCOMPARE(ids.column(0), QStringList());
        QCOMPARE(ids.lastMessage(), u"An error has occurred in frmMain_LoadList 6 Overflow"_s);
    }

    void geometryIsRestoredAndSavedInTwips()
    {
        Main m(false);
        for (const auto &[key, twips] : {std::pair{Setting::MainLeft, "1500"},
                                         {Setting::MainTop, "1500"},
                                         {Setting::MainWidth, "9000"},
                                         {Setting::MainHeight, "7500"}})
            m.h.settings.save(key, QString::fromLatin1(twips));
        auto savedWidth = [&m] { return qRound(m.h.settings.getDouble(Setting::MainWidth) / 15); };
        {
            frmMain w(m.h.context);
            const double px = 1440.0 / w.logicalDpiX();
            QCOMPARE(w.size(), QSize(qRound(9000 / px), qRound(7500 / px)));
            w.show();
            w.resize(qRound(12000 / px), qRound(6000 / px));
            w.close();
            QCOMPARE(savedWidth(), 800);
        }
        {
            frmMain w(m.h.context);
            w.show();
            w.showMinimized();
            w.resize(200, 200);
            w.close();
            QCOMPARE(savedWidth(), 800); // a minimized window saves nothing
        }
        m.h.settings.save(Setting::MainLeft, u"-99999999"_s);
        m.h.settings.save(Setting::MainTop, u"left"_s);
        frmMain lost(m.h.context);
        QVERIFY(lost.x() > -100000 && lost.y() >= 0); // brought back onto the screen
    }

    void clipWithoutSelectionDoesNothingAndABadFieldNamesItsStep()
    {
        Main m;
        m.h.addEntry("alice", "bank", "s3cret");
        m.w.LoadList();
        m.w.ListView1()->selectRow(-1);
        QApplication::clipboard()->setText(u"before"_s);
        ClipPassword(m.w);
        QCOMPARE(QApplication::clipboard()->text(), u"before"_s);
        QVERIFY(m.h.ui.shown.isEmpty());
        m.h.state.ActiveMaster2 = "other masters";
        m.w.ListView1()->selectRow(0);
        ClipPassword(m.w);
        QCOMPARE(m.lastMessage(),
                 u"An error has occurred in ClipPassword 13 Type mismatch\r\nLinenum = 4"_s);
    }

    void findIsCaseSensitiveAndFollowsDisplayOrder()
    {
        Main m;
        m.h.addEntry("zoe", "Mail account", "p");
        m.h.addEntry("mailman", "post", "p");
        InstallViewCommands(m.w);
        m.w.LoadList();
        m.h.ui.replies << u"mail"_s << u"MAIL"_s << u" "_s;
        FindEntry(m.w);
        QCOMPARE(m.lastMessage(), u"Found, and selected the item for you."_s);
        QCOMPARE(m.w.selectedText(0), u"1001"_s);
        FindEntry(m.w);
        QCOMPARE(m.lastMessage(), u"No match found"_s);
        m.w.run(MainCommand::Desc);
        FindEntry(m.w);
        QCOMPARE(m.w.selectedText(0), u"1001"_s); // descending shows 1001 first
        const int before = m.h.ui.shown.size();
        FindEntry(m.w); // a cancelled prompt
        QCOMPARE(m.h.ui.shown.size(), before);
        m.w.run(MainCommand::Refresh);
        QCOMPARE(m.w.ListView1()->text(0, 0), u"1000"_s); // Desc lost on refresh
    }

    void toolbarPopupAndToggles()
    {
        Main m(false);
        QStringList layout;
        for (QAction *a : m.w.findChild<QToolBar *>(u"Toolbar1"_s)->actions())
            layout << (a->isSeparator() ? u"|"_s : a->objectName());
        QCOMPARE(layout.join(u' '), u"Import Export | NewLogin Clip Delete | Find Asc Desc | "
                                    u"Options LogViewer FileVault | Help"_s);
        int found = 0;
        m.w.setCommand(MainCommand::Find, [&found] { ++found; });
        m.w.Toolbar1_ButtonClick(u"find"_s);
        m.w.Toolbar1_ButtonClick(u"Find"_s);
        QCOMPARE(found, 1);
        QVERIFY(
            !m.w.action(MainCommand::Import)->isEnabled()); // not installed: visibly unavailable
        QStringList items;
        for (QAction *a : m.w.popupMenu()->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{"New", "Clip Password", "Copy Login", "Edit", "Delete"}));

        InstallViewCommands(m.w);
        m.h.settings.save(Setting::ShowTipsAtStartup, u"0"_s);
        QVERIFY(m.w.action(MainCommand::ToggleTips)->isChecked());
        m.w.action(MainCommand::ToggleTips)->trigger(); // unchecking stores nothing
        QCOMPARE(m.h.settings.get(Setting::ShowTipsAtStartup), u"0"_s);
        m.w.action(MainCommand::ToggleTips)->trigger();
        QCOMPARE(m.h.settings.get(Setting::ShowTipsAtStartup), u"1"_s);
        m.w.action(MainCommand::ToggleStatusBar)->trigger();
        QVERIFY(m.w.statusBar()->isHidden());
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
