#include "cli/CliUi.h"

#include "cli/Output.h"

void CliUi::message(const QString &text, const QString &)
{
    ++m_messages;
    Output::err(Output::asLines(text));
}

bool CliUi::ask(const QString &text, const QString &)
{
    QString shown = Output::asLines(text);
    shown.chop(1);
    Output::err(shown + (m_answer ? QStringLiteral(" Yes\n") : QStringLiteral(" No\n")));
    return m_answer;
}

QString CliUi::prompt(const QString &, const QString &)
{
    return {};
}

QString CliUi::openFileName(const QString &, const QString &, const QString &)
{
    return {};
}

QString CliUi::saveFileName(const QString &, const QString &, const QString &, const QString &)
{
    return {};
}
