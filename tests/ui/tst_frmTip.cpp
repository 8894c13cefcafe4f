#include "UiHarness.h"
#include "ui/frmTip.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>

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
        WriteFile(h.home.file(QStringLiteral("PelloraTips.txt")), bytes);
        return h.home.file(QStringLiteral("PelloraTips.txt"));
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void switchedOffMeansNoWindowAndUncheckingSwitchesOffAtOnce()
    {
        UiHarness h;
        h.settings.save(Setting::ShowTipsAtStartup, QStringLiteral("0"));
        frmTip off(h.context);
        QVERIFY(!off.openTips(writeTips(h, "a\r\n")));

        h.settings.save(Setting::ShowTipsAtStartup, QStringLiteral("1"));
        frmTip tip(h.context);
        QVERIFY(tip.openTips(writeTips(h, "a\r\n")));
        auto *box = tip.findChild<QCheckBox *>(QStringLiteral("chkLoadTipsAtStartup"));
        QVERIFY(box->isChecked());
        tip.show();
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(h.settings.get(Setting::ShowTipsAtStartup), QStringLiteral("0"));
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(h.settings.get(Setting::ShowTipsAtStartup), QStringLiteral("1"));
    }

    void aOneLineFileAlwaysShowsThatLine()
    {
        UiHarness h;
        frmTip tip(h.context, nullptr, draws({0.0, 0.5, 0.999999, 1.0}));
        QVERIFY(tip.openTips(writeTips(h, "Press Clip to copy.\r\n")));
        for (int i = 0; i < 4; ++i, tip.DoNextTip())
            QCOMPARE(tipText(tip), QStringLiteral("Press Clip to copy."));
    }

    void linesEndInAnyWayAndMayBeEmpty()
    {
        UiHarness h;
        frmTip tip(h.context, nullptr, draws({0.0, 0.3, 0.5, 0.9}));
        QVERIFY(tip.LoadTips(writeTips(h, "Caf\xe9 \x80\r\n\r\nthird\rfourth\nlast without end")));
        QCOMPARE(tipText(tip), QStringLiteral("Caf\u00e9 \u20ac"));
        tip.DoNextTip();
        QCOMPARE(tipText(tip), QString()); // the empty line is an empty tip
        tip.DoNextTip();
        QCOMPARE(tipText(tip), QStringLiteral("third"));
        tip.DoNextTip();
        QCOMPARE(tipText(tip), QStringLiteral("last without end"));
        QCOMPARE(tip.tips().size(), 5);
    }

    void aMissingFileShowsTheNotFoundText()
    {
        UiHarness h;
        frmTip tip(h.context);
        QVERIFY(!tip.LoadTips(h.home.path())); // a folder is no tips file
        QVERIFY(tip.openTips(h.home.file(QStringLiteral("absent.txt"))));
        QCOMPARE(tipText(tip),
                 QStringLiteral("That the PelloraTips.txt file was not found? \r\n\r\nCreate a "
                                "text file named PelloraTips.txt using NotePad with 1 tip per "
                                "line. Then place it in the same directory as the application. "));
    }
};

QTEST_MAIN(tst_frmTip)
#include "tst_frmTip.moc"
