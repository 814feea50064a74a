// Small drawing helpers shared by the picture painters: CP932 text to QString, the catalogue
// font, text fitted into a box.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <string>

class QPainter;

namespace vx::sampledisc {

QString ToQString(const std::string& cp932);
QFont CatalogFont(int pixelSize, bool bold = false);
// Draws one line of text inside `box`, shrinking the font from `pixelSize` until it fits and
// eliding what still does not.
void DrawFittedText(QPainter& painter, const QRect& box, const QString& text, int pixelSize,
                    bool bold, Qt::Alignment alignment = Qt::AlignCenter);
// A white picture of the given size to draw on.
QImage WhiteImage(int width, int height);
// Catalogue pages and cuts are black and white; they are stored as 8-bit grey.
QImage ToGrey(const QImage& image);

}  // namespace vx::sampledisc
