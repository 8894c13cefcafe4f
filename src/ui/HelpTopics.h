#pragma once

#include <QList>
#include <QString>

class QTextDocument;

// One topic of the help document: a heading and the text that follows it up to the next one.
struct HelpTopic
{
    QString title;
    QString anchor; // the heading's anchor name; empty when it has none
    int level = 0;  // 1 for <h1>, 2 for <h2>, ...
    int position = 0;
    QString text;
};

// The document's headings in document order.
QList<HelpTopic> HelpTopicsOf(const QTextDocument &document);

// Indexes of the topics whose title or text holds every word of the query, in any letter case,
// in document order. An empty query matches nothing.
QList<int> SearchHelpTopics(const QList<HelpTopic> &topics, const QString &query);
