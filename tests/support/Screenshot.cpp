#include "Screenshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdlib>

namespace screenshot {

namespace {

constexpr int ChannelTolerance = 48; // of 255
constexpr int AllowedPixels = 24;    // a one-pixel move of the smallest control changes more

QString referencePath(const QString& name)
{
    return QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/app/") + name + QStringLiteral(".png");
}

QString besideTest(const QString& name, const char* suffix)
{
    return QCoreApplication::applicationDirPath() + u'/' + name + QLatin1String(suffix);
}

bool pixelsDiffer(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) > ChannelTolerance || std::abs(qGreen(a) - qGreen(b)) > ChannelTolerance
        || std::abs(qBlue(a) - qBlue(b)) > ChannelTolerance || std::abs(qAlpha(a) - qAlpha(b)) > ChannelTolerance;
}

} // namespace

int differingPixels(const QImage& a, const QImage& b, QImage* diff)
{
    if (a.size() != b.size())
        return -1;
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    if (diff)
        *diff = left.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < left.height(); ++y) {
        const auto* l = reinterpret_cast<const QRgb*>(left.constScanLine(y));
        const auto* r = reinterpret_cast<const QRgb*>(right.constScanLine(y));
        for (int x = 0; x < left.width(); ++x) {
            if (!pixelsDiffer(l[x], r[x]))
                continue;
            ++count;
            if (diff)
                diff->setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    return count;
}

QString compareWithReference(const QImage& picture, const QString& name)
{
    const QString reference = referencePath(name);
    if (qEnvironmentVariableIntValue("CB_UPDATE_SCREENSHOTS") == 1)
        return picture.save(reference) ? QString() : QStringLiteral("cannot write ") + reference;
    const QImage expected(reference);
    if (expected.isNull())
        return QStringLiteral("no reference %1 (CB_UPDATE_SCREENSHOTS=1 writes it)").arg(reference);
    QImage diff;
    const int differing = differingPixels(picture, expected, &diff);
    if (differing >= 0 && differing <= AllowedPixels)
        return QString();
    const QString actualPath = besideTest(name, "-actual.png");
    picture.save(actualPath);
    if (differing < 0)
        return QStringLiteral("%1: %2x%3 instead of %4x%5; the picture is %6")
            .arg(name).arg(picture.width()).arg(picture.height())
            .arg(expected.width()).arg(expected.height()).arg(actualPath);
    const QString diffPath = besideTest(name, "-diff.png");
    diff.save(diffPath);
    return QStringLiteral("%1: %2 pixels differ from %3; see %4 and %5")
        .arg(name).arg(differing).arg(reference, actualPath, diffPath);
}

} // namespace screenshot
