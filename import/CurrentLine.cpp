#include "CurrentLine.h"

QString CurrentLine::CutField(int start, int length) const
{
    if (start < 0 || length <= 0 || start >= m_text.size())
        return {};
    return m_text.mid(start, length);
}
