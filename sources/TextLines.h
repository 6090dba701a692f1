#pragma once
// The lines of a text source, held compactly: the file's own bytes, read once and kept as
// they are (one byte a character in the ANSI code page), and where each line lies in them.
// A line's QString is made when it is asked for. A million 98-character lines are about
// 108 MB this way; as a list of QStrings they were 248 MB.
//
// Copies share what they hold, so a copy costs nothing. The lines are made by one decoder
// that copies share too: use the lines (and their copies) from one thread at a time.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>
#include <vector>

// How the held bytes are text.
enum class TextCoding {
    AnsiCodePage, // platform::ansiCodePageName(), a file without a byte-order mark
    Utf8,
    Utf16LE,      // unpaired surrogates and an odd last byte read as U+FFFD
    Utf16BE,
    Utf16Exact,   // UTF-16 in this machine's byte order, every code unit kept as it is
};

class TextLines {
public:
    // Where a line lies in the held bytes: [start, end), its line break left out.
    struct Span {
        quint32 start = 0;
        quint32 end = 0;
    };

    TextLines() = default; // no lines
    // Takes the bytes as they are; every span must lie inside them. Raises Error when the
    // bytes are too many for 32-bit offsets.
    TextLines(QByteArray bytes, TextCoding coding, std::vector<Span> spans);
    // Lines that are already QStrings (a test, a generated catalogue), kept exactly.
    static TextLines fromStrings(const QStringList& lines);
    // count empty lines, without bytes.
    static TextLines blankLines(qsizetype count);

    qsizetype size() const;
    bool isEmpty() const { return size() == 0; }
    // The text of line i (0-based); the empty text for an i outside the lines.
    QString line(qsizetype i) const;
    // What the lines hold in memory: the bytes and the spans, as allocated.
    qsizetype heldBytes() const;

private:
    struct Held;
    std::shared_ptr<const Held> m_held;
};
