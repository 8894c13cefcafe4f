#pragma once

#include <QtGlobal>

// The bar of a run, moved by the bytes done over the bytes of the whole run: it starts at 1 and
// never passes 100.
class RunProgress
{
public:
    explicit RunProgress(qint64 totalBytes)
        : m_total(totalBytes)
    {}

    int value() const { return m_value; }
    // The bytes of the files finished before, plus done of the current file. True when the bar
    // shows a new value.
    bool reach(qint64 done);
    // A file is over, whether processed or passed over; its bytes count as done.
    bool finishFile(qint64 size);

private:
    qint64 m_total;
    qint64 m_filesDone = 0;
    int m_value = 1;
};
