#include "ui/TabShortcuts.h"

#include <QShortcut>
#include <QWidget>

void AddTabShortcuts(QWidget *window, const std::function<void(int step)> &step)
{
    auto *next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), window);
    QObject::connect(next, &QShortcut::activated, window, [step] { step(1); });
    // X11 turns Shift+Tab into Backtab and offers the key in several forms at once; two of
    // these shortcuts then match the same press, which Qt reports as ambiguous to one of them.
    for (const QKeyCombination back :
         {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, Qt::CTRL | Qt::Key_Backtab,
          Qt::CTRL | Qt::SHIFT | Qt::Key_Tab}) {
        auto *previous = new QShortcut(QKeySequence(back), window);
        QObject::connect(previous, &QShortcut::activated, window, [step] { step(-1); });
        QObject::connect(previous, &QShortcut::activatedAmbiguously, window, [step] { step(-1); });
    }
}
