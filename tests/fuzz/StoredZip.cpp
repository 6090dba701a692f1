#include "StoredZip.h"

#include <array>
#include <cstdint>

namespace fuzz {

namespace {

uint32_t crc32(const QByteArray& bytes)
{
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (char b : bytes)
        c = table[(c ^ uint8_t(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void put16(QByteArray& out, uint32_t v)
{
    out.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF));
}

void put32(QByteArray& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// The fields a local header and a central entry share, from "version needed" on.
void putCommon(QByteArray& out, const QByteArray& name, const QByteArray& data, uint32_t crc)
{
    put16(out, 20); // version needed
    put16(out, 0);  // flags
    put16(out, 0);  // stored
    put16(out, 0);  // time
    put16(out, 0x21); // date: 1980-01-01
    put32(out, crc);
    put32(out, uint32_t(data.size()));
    put32(out, uint32_t(data.size()));
    put16(out, uint32_t(name.size()));
    put16(out, 0); // extra field length
}

} // namespace

QByteArray storedZip(const std::vector<std::pair<QString, QByteArray>>& members)
{
    QByteArray out;
    QByteArray central;
    for (const auto& [member, data] : members) {
        const QByteArray name = member.toUtf8();
        const uint32_t crc = crc32(data);
        const uint32_t offset = uint32_t(out.size());
        put32(out, 0x04034b50);
        putCommon(out, name, data, crc);
        out += name;
        out += data;

        put32(central, 0x02014b50);
        put16(central, 20); // version made by
        putCommon(central, name, data, crc);
        put16(central, 0); // comment length
        put16(central, 0); // disk
        put16(central, 0); // internal attributes
        put32(central, 0); // external attributes
        put32(central, offset);
        central += name;
    }
    const uint32_t centralOffset = uint32_t(out.size());
    out += central;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, uint32_t(members.size()));
    put16(out, uint32_t(members.size()));
    put32(out, uint32_t(central.size()));
    put32(out, centralOffset);
    put16(out, 0);
    return out;
}

} // namespace fuzz
