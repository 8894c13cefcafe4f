#include "filevault/RunProgress.h"

#include "platform/Convert.h"

#include <algorithm>

int ProgressStep(qint64 count)
{
    if (count <= 0)
        return 0;
    return Convert::CInt(100.0 / double(count) / 4.0);
}

int RunProgress::advance()
{
    m_value = std::min(100, m_value + m_step);
    return m_value;
}

int RunProgress::finishFile()
{
    if (m_value + m_step > 100)
        m_value = 100;
    return m_value;
}
