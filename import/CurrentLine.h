#pragma once
// The current text line: set by whoever reads a line (the text preview, the import loop,
// type 11's barcode line) and cut by CutField. A plain value, not a hidden widget.
#include <QString>

class CurrentLine {
public:
    const QString& text() const { return m_text; }
    void setText(QString text) { m_text = std::move(text); }
    // The window of the line starting at 0-based start, at most length characters, clipped
    // at the line's end; empty when start is at or past the end.
    QString CutField(int start, int length) const;

private:
    QString m_text;
};
