#include "StyleRegistry.h"

#include "Dialogs.h"
#include "platform/Error.h"

#include <QApplication>
#include <QFile>
#include <QStyle>
#include <QStyleFactory>

// The resource file lives in a static library: the linker keeps it only when something
// names its initialiser.
static void initStyleResources() { Q_INIT_RESOURCE(styles); }

const VisualStyle* StyleRegistry::find(const QString& name) const
{
    for (const VisualStyle& s : m_styles)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

QStringList StyleRegistry::names() const
{
    QStringList result;
    for (const VisualStyle& s : m_styles)
        result.append(s.name);
    return result;
}

QPalette metroBlackPalette()
{
    const QColor window(0x1f, 0x1f, 0x1f), base(0x12, 0x12, 0x12), text(0xe6, 0xe6, 0xe6);
    const QColor button(0x2d, 0x2d, 0x2d), accent(0x1b, 0xa1, 0xe2), dim(0x7a, 0x7a, 0x7a);
    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, QColor(0x26, 0x26, 0x26));
    p.setColor(QPalette::ToolTipBase, button);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, dim);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Link, accent);
    p.setColor(QPalette::Light, QColor(0x3c, 0x3c, 0x3c));
    p.setColor(QPalette::Midlight, QColor(0x34, 0x34, 0x34));
    p.setColor(QPalette::Mid, QColor(0x28, 0x28, 0x28));
    p.setColor(QPalette::Dark, QColor(0x0c, 0x0c, 0x0c));
    p.setColor(QPalette::Shadow, Qt::black);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, dim);
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x3a, 0x5a, 0x6a));
    return p;
}

StyleRegistry StyleRegistry::builtIn()
{
    initStyleResources();
    StyleRegistry registry;
    registry.add({QStringLiteral("Metro Black"), QStringLiteral("Fusion"), metroBlackPalette(),
                  QStringLiteral(":/styles/MetroBlack.qss")});
    return registry;
}

namespace {

QString readStyleSheet(const QString& resource)
{
    QFile f(resource);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot read the style sheet ") + resource);
    return QString::fromUtf8(f.readAll());
}

} // namespace

bool ApplyStyle(QApplication& app, const StyleRegistry& registry, const QString& name,
                Dialogs& dialogs)
{
    const VisualStyle* style = registry.find(name);
    if (!style) {
        dialogs.messageDialog(QStringLiteral("Style '%1' not found").arg(name), MsgDlgType::Error,
                              {MsgDlgBtn::Close}, MsgDlgBtn::Close);
        return false;
    }
    // Read everything before touching the application, so a broken resource leaves the
    // default look whole.
    const QString sheet = readStyleSheet(style->styleSheetResource);
    if (QStyle* base = QStyleFactory::create(style->baseStyle))
        app.setStyle(base);
    app.setPalette(style->palette);
    app.setStyleSheet(sheet);
    return true;
}
