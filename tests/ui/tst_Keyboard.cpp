#include "UiHarness.h"
#include "ui/EntryListView.h"
#include "ui/frmAbout.h"
#include "ui/frmExportTextDialog.h"
#include "ui/frmFileVault.h"
#include "ui/frmHelp.h"
#include "ui/frmImportFile.h"
#include "ui/frmLogin.h"
#include "ui/frmLogins.h"
#include "ui/frmMain.h"
#include "ui/frmOptions.h"
#include "ui/frmTip.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QTabBar>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
// The access key of a caption ("&Next Tip" -> 'n'); null without one ("&&" is a plain "&").
QChar AccessKey(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] != QLatin1Char('&'))
            return caption[i + 1].toLower();
        ++i;
    }
    return {};
}

// Every caption showing in the window now, with the control it belongs to.
QList<QPair<QString, QWidget *>> VisibleCaptions(QWidget *window)
{
    QList<QPair<QString, QWidget *>> out;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible() || !w->isEnabled() || w->window() != window)
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            out.append({button->text(), w});
        else if (auto *label = qobject_cast<QLabel *>(w))
            out.append({label->text(), w});
        else if (auto *tabs = qobject_cast<QTabBar *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                out.append({tabs->tabText(i), w});
        }
    }
    return out;
}
} // namespace

// Every window can be worked from the keyboard: an access key reaches one control only, a label
// with an access key hands the focus to its field, and screen readers can name password boxes.
class tst_Keyboard : public QObject
{
    Q_OBJECT

    // Checks the window as it shows now (one page of a tabbed window at a time).
    static void auditPage(QWidget *window)
    {
        QHash<QChar, QString> taken;
        for (const auto &[caption, control] : VisibleCaptions(window)) {
            const QChar key = AccessKey(caption);
            if (key.isNull())
                continue;
            const QString where = window->objectName() + u' ' + caption;
            QVERIFY2(!taken.contains(key),
                     qPrintable(where + u" shares its key with "_s + taken[key]));
            taken.insert(key, caption);
            auto *label = qobject_cast<QLabel *>(control);
            if (!label)
                continue;
            QVERIFY2(label->buddy(), qPrintable(where + u": the label has no field"_s));
            QTest::keyClick(window, key.toLatin1(), Qt::AltModifier);
            QVERIFY2(QApplication::focusWidget() == label->buddy(),
                     qPrintable(where + u": Alt+key did not reach the field"_s));
        }
        for (auto *box : window->findChildren<QLineEdit *>())
            QVERIFY2(box->echoMode() != QLineEdit::Password || !box->accessibleName().isEmpty(),
                     qPrintable(window->objectName() + u' ' + box->objectName()));
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Every page of each window, tabbed ones one tab at a time; the main window's menus.
    void everyWindowAndMenuHasOneControlPerAccessKeyAndLabelledFields()
    {
        UiHarness h(true);
        h.state.EditMode = u"ADD"_s;
        frmMain main(h.context);
        std::vector<std::unique_ptr<QWidget>> windows;
        windows.push_back(std::make_unique<frmLogin>(h.context));
        windows.push_back(std::make_unique<frmImportFile>(h.context, [] {}));
        windows.push_back(std::make_unique<frmExportTextDialog>(h.context));
        windows.push_back(std::make_unique<frmFileVault>(h.context, main));
        windows.push_back(std::make_unique<frmTip>(h.context));
        windows.push_back(std::make_unique<frmAbout>(h.context));
        windows.push_back(std::make_unique<frmHelp>());
        windows.push_back(std::make_unique<frmOptions>(h.context, main));
        auto editor = std::make_unique<frmLogins>(main);
        editor->Form_Load();
        windows.push_back(std::move(editor));
        for (const auto &w : windows) {
            ShowActive(w.get());
            auto *tabs = w->findChild<QTabBar *>();
            for (int i = 0; i < (tabs ? tabs->count() : 1); ++i) {
                if (tabs)
                    tabs->setCurrentIndex(i);
                auditPage(w.get());
            }
            w->hide();
        }

        // The menu titles, and the items of each menu, each have their own keys.
        QList<QList<QAction *>> groups{main.menuBar()->actions(), main.popupMenu()->actions()};
        for (QAction *title : groups.first())
            groups << title->menu()->actions();
        for (const QList<QAction *> &group : groups) {
            QSet<QChar> keys;
            for (QAction *a : group) {
                const QChar key = AccessKey(a->text());
                QVERIFY2(key.isNull() || !keys.contains(key), qPrintable(a->text()));
                keys.insert(key);
            }
        }
    }

    void theListOpensItsMenuAndTheEditorFromTheKeyboard()
    {
        UiHarness h;
        h.setMasters("first master", "second master");
        h.addEntry("alice", "bank", "pw1");
        frmMain main(h.context);
        main.LoadList();
        ShowActive(&main);
        EntryListView *list = main.ListView1();
        QCOMPARE(list->accessibleName(), QStringLiteral("Entries"));
        QSignalSpy popup(list, &EntryListView::popupRequested);
        QSignalSpy edit(list, &EntryListView::editRequested);
        list->setFocus();

        // Nothing selected: neither key acts.
        list->setCurrentIndex({});
        QTest::keyClick(list, Qt::Key_Return);
        QContextMenuEvent fromKeyboard(QContextMenuEvent::Keyboard, QPoint(5, 5), QPoint(5, 5));
        QApplication::sendEvent(list, &fromKeyboard);
        QCOMPARE(edit.count(), 0);
        QCOMPARE(popup.count(), 0);

        list->selectRow(0);
        QTest::keyClick(list, Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(edit.count(), 2);
        // The menu runs its own loop: note which one is up, then close it.
        QPointer<QWidget> shown;
        auto closeMenu = [&shown] {
            QTimer::singleShot(0, [&shown] {
                if ((shown = QApplication::activePopupWidget()))
                    shown->close();
            });
        };
        closeMenu();
        QApplication::sendEvent(list, &fromKeyboard);
        QCoreApplication::processEvents();
        QCOMPARE(popup.count(), 1);
        QCOMPARE(shown.data(), static_cast<QWidget *>(main.popupMenu()));
        // At the row, not wherever the pointer happens to be.
        const QPoint at = popup.at(0).at(0).toPoint();
        QVERIFY(list->rowRect(0).contains(list->viewport()->mapFromGlobal(at)));
        closeMenu();
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        QCoreApplication::processEvents();
        QCOMPARE(popup.count(), 2);
        // A mouse's menu event is left to the right button's release.
        QContextMenuEvent fromMouse(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
        QApplication::sendEvent(list, &fromMouse);
        QCOMPARE(popup.count(), 2);
    }
};

QTEST_MAIN(tst_Keyboard)
#include "tst_Keyboard.moc"
