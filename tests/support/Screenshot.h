#pragma once
// A picture of a widget compared with its reference, tests/fixtures/app/NAME.png: what the
// user sees (places, sizes, captions, fonts, which controls show) checked as a whole rather
// than property by property. Antialiasing may shift a little between builds of the font
// engine, so a pixel counts as different only past a small step in any channel, and a few
// such pixels are let through; a control moved by one pixel changes far more.
//
// CB_UPDATE_SCREENSHOTS=1 writes the references instead of comparing (look at them before
// committing). On a mismatch NAME-actual.png and NAME-diff.png are saved beside the test.
#include <QImage>
#include <QString>

namespace screenshot {

// Empty when the picture matches its reference (or the reference was written), else what
// differs and where the pictures were saved.
QString compareWithReference(const QImage& picture, const QString& name);

// The number of pixels of which some channel differs by more than the tolerance; -1 when
// the sizes differ. diff, when given, gets the differing pixels in red.
int differingPixels(const QImage& a, const QImage& b, QImage* diff = nullptr);

} // namespace screenshot
