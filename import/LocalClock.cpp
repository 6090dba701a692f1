#include "LocalClock.h"

QDateTime LocalClock::now()
{
    const qint64 elapsed = m_sinceBase.isValid() ? m_sinceBase.elapsed() : RefreshMs;
    if (elapsed < RefreshMs)
        return m_base.addMSecs(elapsed);
    m_base = QDateTime::currentDateTime();
    m_sinceBase.start();
    return m_base;
}
