#pragma once

#include <QStringList>
#include <QtGlobal>
#include <optional>

class Ui;
struct AppState;

// The progress window a drop opens for its run and closes at its end.
class DropView
{
public:
    virtual ~DropView() = default;
    // Shows the window without blocking and lets it paint.
    virtual void open() = 0;
    virtual void setStatus(const QString &text) = 0;
    // 0 to 100.
    virtual void setProgress(int value) = 0;
    virtual void close() = 0;
};

// A drop deciphers when Shift, Ctrl or Alt is held, and enciphers otherwise.
bool DropDeciphers(Qt::KeyboardModifiers held);

// Enciphers (or, with decrypt, deciphers) every dropped file in place, in drop order, under the
// password of the entry selected in the list. With no entry selected nothing is written.
void DropFiles(Ui &ui, const AppState &state, DropView &view, const QStringList &paths,
               bool decrypt, std::optional<qint16> selectedLoginId);
