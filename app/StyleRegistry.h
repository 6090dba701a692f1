#pragma once
// The visual styles the tool carries among its resources, looked up by name without regard
// to case. A style is a base widget style, a palette and a stylesheet.
#include <QList>
#include <QPalette>
#include <QString>

class QApplication;
class Dialogs;

struct VisualStyle {
    QString name;
    QString baseStyle;          // a QStyleFactory key
    QPalette palette;
    QString styleSheetResource; // a ":/..." path
};

class StyleRegistry {
public:
    void add(VisualStyle style) { m_styles.append(std::move(style)); }
    const VisualStyle* find(const QString& name) const;
    QStringList names() const;

    // The styles shipped with the tool: "Metro Black".
    static StyleRegistry builtIn();

private:
    QList<VisualStyle> m_styles;
};

QPalette metroBlackPalette();

// Applies the named style to the application. A name the registry lacks shows the error
// dialog "Style '<name>' not found" with a Close button and leaves the look as it was.
// Returns whether the style was applied.
bool ApplyStyle(QApplication& app, const StyleRegistry& registry, const QString& name,
                Dialogs& dialogs);
