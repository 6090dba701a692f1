#pragma once
// The text a statement component sends, built from its lines.
#include <QString>
#include <QStringList>

namespace sqltext {

// Each line followed by CR LF, then every character below 33 removed from the end.
QString joinLines(const QStringList& lines);

// True when nothing but characters below 33 is left.
bool isBlank(const QString& text);

struct ScannedText {
    QString text;      // markers replaced by "?"
    QStringList names; // parameter names, each once, in order of first use
};

// Finds ":name" and ":number" markers outside quoted literals, quoted names and comments,
// and replaces each by "?". Everything else passes unchanged.
ScannedText scanParameters(const QString& text);

} // namespace sqltext
