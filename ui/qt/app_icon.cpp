#include "app_icon.h"

#include "icon_design.h"

#include <QPainter>

namespace dbmconv {

namespace {

QColor toQColor(icon::Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

} // namespace

QImage designedIconImage(int size)
{
    const auto colours = icon::pixels(size);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            switch (colours[static_cast<std::size_t>(y * size + x)]) {
            case icon::Colour::Blue:
                image.setPixelColor(x, y, toQColor(icon::kDiscColour));
                break;
            case icon::Colour::White:
                image.setPixelColor(x, y, toQColor(icon::kPlusColour));
                break;
            case icon::Colour::Transparent:
                break;
            }
        }
    }
    return image;
}

QImage renderedIconImage(int size)
{
    if (size == 16 || size == 32) {
        return designedIconImage(size);
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(Qt::NoPen);
    const auto& g = icon::kGeometry;
    painter.setBrush(toQColor(icon::kDiscColour));
    painter.drawEllipse(QPointF(g.centre, g.centre), g.radius, g.radius);
    painter.setBrush(toQColor(icon::kPlusColour));
    painter.drawRect(QRectF(g.barStart, g.barOffset, g.barLength, g.barThickness));
    painter.drawRect(QRectF(g.barOffset, g.barStart, g.barThickness, g.barLength));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QIcon appIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        icon.addPixmap(QPixmap::fromImage(renderedIconImage(size)));
    }
    return icon;
}

} // namespace dbmconv
