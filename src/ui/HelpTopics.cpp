#include "ui/HelpTopics.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

namespace {
QString anchorOf(const QTextBlock &block)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QStringList names = it.fragment().charFormat().anchorNames();
        if (!names.isEmpty())
            return names.constFirst();
    }
    return {};
}
} // namespace

QList<HelpTopic> HelpTopicsOf(const QTextDocument &document)
{
    QList<HelpTopic> topics;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level > 0) {
            topics.append(
                {block.text().simplified(), anchorOf(block), level, block.position(), {}});
        } else if (!topics.isEmpty()) {
            topics.last().text += block.text() + QLatin1Char('\n');
        }
    }
    return topics;
}

QList<int> SearchHelpTopics(const QList<HelpTopic> &topics, const QString &query)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = query.split(blanks, Qt::SkipEmptyParts);
    QList<int> found;
    if (words.isEmpty())
        return found;
    for (int i = 0; i < topics.size(); ++i) {
        const QString haystack = topics[i].title + QLatin1Char('\n') + topics[i].text;
        const bool all = std::all_of(words.begin(), words.end(), [&haystack](const QString &w) {
            return haystack.contains(w, Qt::CaseInsensitive);
        });
        if (all)
            found.append(i);
    }
    return found;
}
