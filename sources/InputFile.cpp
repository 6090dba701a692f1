#include "InputFile.h"

#include "platform/Error.h"

#include <QCoreApplication>

#include <algorithm>

InputFile::InputFile(const QString& fileName, quint64 maxBytes, const QString& what)
    : m_file(fileName), m_maxBytes(maxBytes), m_fileName(fileName), m_what(what)
{
    if (m_file.size() > maxBytes)
        throwTooLarge();
}

void InputFile::throwTooLarge() const
{
    throw Error(QCoreApplication::translate("Readers", "Cannot read \"%1\": %2 of more than %3 bytes is not read")
                    .arg(m_fileName, m_what)
                    .arg(m_maxBytes));
}

QByteArray InputFile::readAll()
{
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min(m_file.size(), m_maxBytes)));
    char chunk[65536];
    for (;;) {
        const qint64 n = m_file.read(chunk, sizeof chunk);
        if (n == 0)
            return bytes;
        if (quint64(bytes.size()) + quint64(n) > m_maxBytes)
            throwTooLarge();
        // Grown here, not by append's own rule, so that it never holds more than the ceiling.
        if (bytes.capacity() < bytes.size() + n)
            bytes.reserve(qsizetype(std::min(m_maxBytes, std::max(quint64(bytes.size()) * 2, quint64(1) << 20))));
        bytes.append(chunk, qsizetype(n));
    }
}
