#include "LocalClock.h"

QDateTime LocalClock::now()
{
    const qint64 elapsed = m_sinceBase.isValid() ? m_sinceBase.elapsed() : RefreshMs;
    if (elapsed < RefreshMs)
        return m_base.addMSecs(elapsed);
    // Held at the fixed offset the zone has now: adding to it is then plain arithmetic,
    // where adding to a local time looks the zone up again.
    const QDateTime local = QDateTime::currentDateTime();
    m_base = local.toOffsetFromUtc(local.offsetFromUtc());
    m_sinceBase.start();
    return m_base;
}
