#include "UiHarness.h"
#include "app/ProgramFolder.h"
#include "ui/frmTip.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class tst_frmTip : public QObject
{
    Q_OBJECT

private:
    // Draws taken in turn, the last one repeated.
    static frmTip::Random draws(QList<double> values)
    {
        auto left = std::make_shared<QList<double>>(std::move(values));
        return [left] { return left->size() > 1 ? left->takeFirst() : left->constFirst(); };
    }
    static QString tipText(const frmTip &tip)
    {
        return tip.findChild<QLabel *>(QStringLiteral("lblTipText"))->text();
    }
    static QString writeTips(const UiHarness &h, const QByteArray &bytes)
    {
        const QString path = h.home.file(QStringLiteral("PelloraTips.txt"));
        WriteFile(path, bytes);
        return path;
    }
    // Runs the start-up call; returns the caption of any modal window it showed (closing it).
    static QString modalShownBy(const std::function<void()> &call)
    {
        QString seen;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&seen] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                seen = modal->windowTitle();
                modal->close();
            }
        });
        closer.start(10);
        call();
        return seen;
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void windowCarriesItsCaptionsAndNames()
    {
        UiHarness h;
        frmTip tip(h.context);
        QCOMPARE(tip.objectName(), QStringLiteral("frmTip"));
        QCOMPARE(tip.windowTitle(), QStringLiteral("Tip of the Day"));
        QVERIFY(tip.findChild<QLabel *>(QStringLiteral("lblTipText")));
        QCOMPARE(tip.findChild<QCheckBox *>(QStringLiteral("chkLoadTipsAtStartup"))->text(),
                 QStringLiteral("&Show Tips at Startup"));
        QCOMPARE(tip.findChild<QPushButton *>(QStringLiteral("cmdNextTip"))->text(),
                 QStringLiteral("&Next Tip"));
        auto *ok = tip.findChild<QPushButton *>(QStringLiteral("cmdOK"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        bool heading = false;
        for (QLabel *l : tip.findChildren<QLabel *>())
            heading = heading || l->text() == QStringLiteral("Did you know...");
        QVERIFY(heading);
    }

    void startupShowsTipsUnlessSwitchedOffAndIgnoresFailures()
    {
        UiHarness h;
        writeTips(h, "Only tip\r\n");
        SetProgramFolder(h.home.path());
        QCOMPARE(modalShownBy([&h] { ShowTipOfTheDay(h.context, nullptr); }),
                 QStringLiteral("Tip of the Day"));

        h.settings.save(Setting::ShowTipsAtStartup, QStringLiteral("0"));
        QCOMPARE(modalShownBy([&h] { ShowTipOfTheDay(h.context, nullptr); }), QString());
        frmTip off(h.context);
        QVERIFY(!off.openTips());

        h.settings.save(Setting::ShowTipsAtStartup, QStringLiteral("often"));
        QCOMPARE(modalShownBy([&h] { ShowTipOfTheDay(h.context, nullptr); }), QString());
        QVERIFY(h.ui.shown.isEmpty());
        SetProgramFolder(QString());
    }

    void uncheckingTheBoxStoresZeroAtOnceAndCheckingStoresOne()
    {
        UiHarness h;
        frmTip tip(h.context);
        QVERIFY(tip.openTips(writeTips(h, "a\r\n")));
        auto *box = tip.findChild<QCheckBox *>(QStringLiteral("chkLoadTipsAtStartup"));
        QVERIFY(box->isChecked());
        tip.show();
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(h.settings.get(Setting::ShowTipsAtStartup), QStringLiteral("0"));
        QVERIFY(tip.isVisible());
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(h.settings.get(Setting::ShowTipsAtStartup), QStringLiteral("1"));
    }

    void aOneLineFileAlwaysShowsThatLine()
    {
        UiHarness h;
        frmTip tip(h.context, nullptr, draws({0.0, 0.5, 0.999999}));
        QVERIFY(tip.openTips(writeTips(h, "Press Clip to copy.\r\n")));
        QCOMPARE(tip.tips(), QStringList{"Press Clip to copy."});
        QCOMPARE(tipText(tip), QStringLiteral("Press Clip to copy."));
        auto *next = tip.findChild<QPushButton *>(QStringLiteral("cmdNextTip"));
        next->click();
        QCOMPARE(tipText(tip), QStringLiteral("Press Clip to copy."));
        next->click();
        QCOMPARE(tipText(tip), QStringLiteral("Press Clip to copy."));
    }

    void drawsMapUniformlyOntoTheLines()
    {
        UiHarness h;
        frmTip tip(h.context, nullptr, draws({0.0, 0.34, 0.67, 0.999999, 1.0}));
        QVERIFY(tip.LoadTips(writeTips(h, "one\ntwo\nthree\n")));
        QCOMPARE(tip.currentTip(), 1);
        QCOMPARE(tipText(tip), QStringLiteral("one"));
        tip.DoNextTip();
        QCOMPARE(tipText(tip), QStringLiteral("two"));
        tip.DoNextTip();
        QCOMPARE(tipText(tip), QStringLiteral("three"));
        tip.DoNextTip();
        QCOMPARE(tip.currentTip(), 3);
        tip.DoNextTip(); // a source that returns 1 stays on the last tip
        QCOMPARE(tip.currentTip(), 3);
    }

    void lineEndsEmptyLinesAndTheLastLine()
    {
        UiHarness h;
        frmTip tip(h.context, nullptr, draws({0.0, 0.5, 0.9}));
        QVERIFY(tip.LoadTips(writeTips(h, "first\r\n\r\nthird\rfourth\nlast without end")));
        QCOMPARE(tip.tips(), (QStringList{"first", "", "third", "fourth", "last without end"}));
        QCOMPARE(tipText(tip), QStringLiteral("first"));
        tip.DoNextTip(); // index 3 of 5
        QCOMPARE(tipText(tip), QStringLiteral("third"));
        tip.DoNextTip(); // index 5: the line without an end
        QCOMPARE(tipText(tip), QStringLiteral("last without end"));

        frmTip blank(h.context, nullptr, draws({0.5}));
        QVERIFY(blank.LoadTips(writeTips(h, "a\r\n\r\nc\r\n")));
        QCOMPARE(blank.tips(), (QStringList{"a", "", "c"}));
        QCOMPARE(tipText(blank), QString()); // the empty line is drawn and shown empty
    }

    void tipsAreWindows1252Text()
    {
        UiHarness h;
        frmTip tip(h.context, nullptr, draws({0.0}));
        QVERIFY(tip.LoadTips(writeTips(h, "Caf\xe9 \x80 5\r\n")));
        QCOMPARE(tipText(tip), QStringLiteral("Caf\u00e9 \u20ac 5"));
    }

    void aMissingFileShowsTheNotFoundTextAndTheWindowStillWorks()
    {
        UiHarness h;
        frmTip tip(h.context);
        QVERIFY(!tip.LoadTips(QString()));
        QVERIFY(!tip.LoadTips(h.home.file(QStringLiteral("absent.txt"))));
        QVERIFY(!tip.LoadTips(h.home.path())); // a folder is no tips file
        QVERIFY(tip.openTips(h.home.file(QStringLiteral("absent.txt"))));
        const QString expected = QStringLiteral(
            "That the PelloraTips.txt file was not found? \r\n\r\nCreate a text file named "
            "PelloraTips.txt using NotePad with 1 tip per line. Then place it in the same "
            "directory as the application. ");
        QCOMPARE(tipText(tip), expected);
        tip.findChild<QPushButton *>(QStringLiteral("cmdNextTip"))->click();
        QCOMPARE(tipText(tip), expected);
        tip.findChild<QCheckBox *>(QStringLiteral("chkLoadTipsAtStartup"))->click();
        QCOMPARE(h.settings.get(Setting::ShowTipsAtStartup), QStringLiteral("0"));
    }

    void anEmptyFileLeavesTheTipTextAsItWas()
    {
        UiHarness h;
        frmTip tip(h.context);
        QVERIFY(tip.openTips(writeTips(h, QByteArray())));
        QVERIFY(tip.tips().isEmpty());
        QCOMPARE(tipText(tip), QString());
        QVERIFY(h.ui.shown.isEmpty());
    }
};

QTEST_MAIN(tst_frmTip)
#include "tst_frmTip.moc"
