#pragma once
// A bounds-checked little-endian view over bytes the reader does not own. Every read of the
// container and of the records goes through it, so a damaged file ends in an Error with the
// view's context instead of a read past the data.
#include "platform/Error.h"
#include <QCoreApplication>

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>

namespace xls {

// Ends the load with one of the reader's own messages (a text marked for translation in the
// "Readers" context).
[[noreturn]] inline void fail(const char* message)
{
    throw Error(QCoreApplication::translate("Readers", message));
}

class ByteView {
public:
    ByteView() = default;
    ByteView(const char* data, qsizetype size, const char* context)
        : m_data(reinterpret_cast<const unsigned char*>(data)), m_size(size), m_context(context)
    {
    }
    explicit ByteView(const QByteArray& bytes, const char* context)
        : ByteView(bytes.constData(), bytes.size(), context)
    {
    }

    qsizetype size() const { return m_size; }
    const char* data() const { return reinterpret_cast<const char*>(m_data); }
    bool has(qsizetype offset, qsizetype length) const
    {
        return offset >= 0 && length >= 0 && offset <= m_size && length <= m_size - offset;
    }

    quint8 u8(qsizetype offset) const { return *at(offset, 1); }
    quint16 u16(qsizetype offset) const
    {
        const unsigned char* p = at(offset, 2);
        return quint16(p[0] | (p[1] << 8));
    }
    quint32 u32(qsizetype offset) const
    {
        const unsigned char* p = at(offset, 4);
        return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16)
            | (quint32(p[3]) << 24);
    }
    quint64 u64(qsizetype offset) const
    {
        return quint64(u32(offset)) | (quint64(u32(offset + 4)) << 32);
    }
    double f64(qsizetype offset) const
    {
        const quint64 bits = u64(offset);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    ByteView sub(qsizetype offset, qsizetype length) const
    {
        return ByteView(reinterpret_cast<const char*>(at(offset, length)), length, m_context);
    }
    ByteView from(qsizetype offset) const
    {
        at(offset, 0);
        return sub(offset, m_size - offset);
    }

    [[noreturn]] void fail() const
    {
        throw Error(QCoreApplication::translate(
            "Readers", m_context ? m_context : QT_TRANSLATE_NOOP("Readers", "the data is truncated")));
    }

private:
    const unsigned char* at(qsizetype offset, qsizetype length) const
    {
        if (!has(offset, length))
            fail();
        return m_data + offset;
    }

    const unsigned char* m_data = nullptr;
    qsizetype m_size = 0;
    const char* m_context = nullptr;
};

} // namespace xls
