// The shipped help and tips files, checked as plain text.
#include <QFile>
#include <QRegularExpression>
#include <QTest>

class tst_HelpFile : public QObject
{
    Q_OBJECT

private:
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void editorTopicsAndEveryLinkHaveTheirAnchors()
    {
        for (const char *name : {"Pellora.hlp", "PelloraTips.txt"}) // the build places both
            QCOMPARE(read(QStringLiteral(PELLORA_BINARY_DIR "/") + name),
                     read(QStringLiteral(PELLORA_SOURCE_DIR "/resources/") + name));
        const QString help =
            QString::fromUtf8(read(QStringLiteral(PELLORA_BINARY_DIR "/Pellora.hlp")));
        QVERIFY(help.contains(QStringLiteral("<h3 id=\"1001\">The Password tab</h3>")));
        QVERIFY(help.contains(QStringLiteral("<h3 id=\"1008\">The Expiry tab</h3>")));
        QVERIFY(help.contains(QStringLiteral("<h3 id=\"1009\">The Validation tab</h3>")));
        QRegularExpressionMatchIterator links =
            QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(help);
        QVERIFY(links.hasNext());
        while (links.hasNext()) {
            const QString target = links.next().captured(1);
            QVERIFY2(help.contains(QStringLiteral(" id=\"%1\"").arg(target)), qPrintable(target));
        }
    }
};

QTEST_MAIN(tst_HelpFile)
#include "tst_HelpFile.moc"
