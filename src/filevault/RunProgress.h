#pragma once

#include <QtGlobal>

// A file's share of the bar, moved in quarters: 100 / count / 4, halves rounding to even.
// 1 file: 25, 2: 12, 3: 8, 10: 2, 50 or more: 0 (the bar then stays where it started).
int ProgressStep(qint64 count);

// The bar of a run over count files: starts at 1, moves by the step at each stage of a file and
// never goes past 100.
class RunProgress
{
public:
    explicit RunProgress(qint64 count)
        : m_step(ProgressStep(count))
    {}

    int step() const { return m_step; }
    int value() const { return m_value; }
    // One stage of a file done; the new value.
    int advance();
    // After a file: when one more step would pass 100 the bar is filled.
    int finishFile();

private:
    int m_step;
    int m_value = 1;
};
