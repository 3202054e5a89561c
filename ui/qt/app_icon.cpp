#include "app_icon.h"

#include "icon_design.h"

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
    const auto pixels = icon::drawn(size);
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const icon::Rgba& p = pixels[static_cast<std::size_t>(y * size + x)];
            image.setPixelColor(x, y, QColor(p.rgb.red, p.rgb.green, p.rgb.blue, p.alpha));
        }
    }
    return image;
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
