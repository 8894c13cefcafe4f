#include "filevault/RunProgress.h"

#include <algorithm>

bool RunProgress::reach(qint64 done)
{
    const qint64 bytes = m_filesDone + done;
    const int value =
        m_total <= 0 ? 1 : int(std::clamp<qint64>(bytes * 100 / m_total, m_value, 100));
    if (value == m_value)
        return false;
    m_value = value;
    return true;
}

bool RunProgress::finishFile(qint64 size)
{
    m_filesDone += size;
    return reach(0);
}
