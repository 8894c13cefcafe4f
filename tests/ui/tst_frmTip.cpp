#include "UiHarness.h"
#include "ui/frmTip.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// Draws taken in turn, the last one repeated.
frmTip::Random Draws(QList<double> values)
{
    auto left = std::make_shared<QList<double>>(std::move(values));
    return [left] { return left->size() > 1 ? left->takeFirst() : left->constFirst(); };
}

QString TipText(const frmTip &tip)
{
    return tip.findChild<QLabel *>(u"lblTipText"_s)->text();
}

QString WriteTips(const UiHarness &h, const QByteArray &bytes)
{
    WriteFile(h.home.file(u"PelloraTips.txt"_s), bytes);
    return h.home.file(u"PelloraTips.txt"_s);
}
} // namespace

class tst_frmTip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void switchedOffMeansNoWindowAndUncheckingSwitchesOffAtOnce()
    {
        UiHarness h;
        h.settings.save(Setting::ShowTipsAtStartup, u"0"_s);
        QVERIFY(!frmTip(h.context).openTips(WriteTips(h, "a\r\n")));
        h.settings.save(Setting::ShowTipsAtStartup, u"1"_s);
        frmTip tip(h.context);
        QVERIFY(tip.openTips(WriteTips(h, "a\r\n")));
        auto *box = tip.findChild<QCheckBox *>(u"chkLoadTipsAtStartup"_s);
        QVERIFY(box->isChecked());
        tip.show();
        for (const QString &expected : {u"0"_s, u"1"_s}) {
            QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(h.settings.get(Setting::ShowTipsAtStartup), expected);
        }
    }

    void linesEndInAnyWayAndMayBeEmptyAndAnyDrawHitsALine()
    {
        UiHarness h;
        frmTip one(h.context, nullptr, Draws({0.0, 0.999999, 1.0}));
        QVERIFY(one.openTips(WriteTips(h, "Press Clip to copy.\r\n")));
        for (int i = 0; i < 3; ++i, one.DoNextTip())
            QCOMPARE(TipText(one), u"Press Clip to copy."_s);

        frmTip tip(h.context, nullptr, Draws({0.0, 0.3, 0.5, 0.9}));
        QVERIFY(tip.LoadTips(WriteTips(h, "Caf\xe9 \x80\r\n\r\nthird\rfourth\nlast without end")));
        QCOMPARE(tip.tips().size(), 5);
        QStringList shown;
        for (int i = 0; i < 4; ++i, tip.DoNextTip())
            shown << TipText(tip);
        QCOMPARE(shown,
                 (QStringList{u"Caf\u00e9 \u20ac"_s, {}, u"third"_s, u"last without end"_s}));
    }

    void aMissingFileShowsTheNotFoundText()
    {
        UiHarness h;
        frmTip tip(h.context);
        QVERIFY(!tip.LoadTips(h.home.path())); // a folder is no tips file
        QVERIFY(tip.openTips(h.home.file(u"absent.txt"_s)));
        QVERIFY(TipText(tip).startsWith(u"That the PelloraTips.txt file was not found? "_s));
    }
};

QTEST_MAIN(tst_frmTip)
#include "tst_frmTip.moc"
