// The shipped help and tips files, checked as plain text.
#include <QFile>
#include <QRegularExpression>
#include <QSet>
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
    static QStringList captures(const QString &text, const QString &pattern)
    {
        QStringList out;
        QRegularExpressionMatchIterator it = QRegularExpression(pattern).globalMatch(text);
        while (it.hasNext())
            out << it.next().captured(1);
        return out;
    }

private Q_SLOTS:
    void editorTopicNumbersAreHeadingAnchors()
    {
        const QString help =
            QString::fromUtf8(read(QStringLiteral(PELLORA_SOURCE_DIR "/resources/Pellora.hlp")));
        QVERIFY(!help.isEmpty());
        for (const char *topic : {"1001", "1008", "1009"}) {
            const QRegularExpression heading(
                QStringLiteral("<h[1-6] id=\"%1\">([^<]*)</h[1-6]>").arg(QLatin1String(topic)));
            QVERIFY2(heading.match(help).hasMatch(), topic);
        }
        QVERIFY(help.contains(QStringLiteral("<h3 id=\"1001\">The Password tab</h3>")));
        QVERIFY(help.contains(QStringLiteral("<h3 id=\"1008\">The Expiry tab</h3>")));
        QVERIFY(help.contains(QStringLiteral("<h3 id=\"1009\">The Validation tab</h3>")));
    }

    void everyHeadingHasOneUniqueAnchorAndEveryLinkLands()
    {
        const QString help =
            QString::fromUtf8(read(QStringLiteral(PELLORA_SOURCE_DIR "/resources/Pellora.hlp")));
        const QStringList headings = captures(help, QStringLiteral("(<h[1-6][^>]*>)"));
        QVERIFY(headings.size() > 40);
        for (const QString &h : headings)
            QVERIFY2(h.contains(QStringLiteral(" id=\"")), qPrintable(h));
        const QStringList ids = captures(help, QStringLiteral(" id=\"([^\"]+)\""));
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
        const QStringList links = captures(help, QStringLiteral("href=\"#([^\"]+)\""));
        QVERIFY(!links.isEmpty());
        for (const QString &target : links)
            QVERIFY2(ids.contains(target), qPrintable(target));
    }

    void tipsAreManyPlainAsciiLines()
    {
        const QByteArray tips =
            read(QStringLiteral(PELLORA_SOURCE_DIR "/resources/PelloraTips.txt"));
        const QList<QByteArray> lines = tips.trimmed().split('\n');
        QVERIFY(lines.size() >= 20);
        for (QByteArray line : lines) {
            if (line.endsWith('\r'))
                line.chop(1);
            QVERIFY(!line.trimmed().isEmpty());
            for (char c : line)
                QVERIFY2(c >= 0x20 && c < 0x7f, line.constData());
        }
    }

    void theBuildPlacesBothFilesBesideTheProgram()
    {
        for (const char *name : {"Pellora.hlp", "PelloraTips.txt"}) {
            const QString shipped = QStringLiteral(PELLORA_SOURCE_DIR "/resources/") + name;
            const QString built = QStringLiteral(PELLORA_BINARY_DIR "/") + name;
            QCOMPARE(read(built), read(shipped));
        }
    }
};

QTEST_MAIN(tst_HelpFile)
#include "tst_HelpFile.moc"
