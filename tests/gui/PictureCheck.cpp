// Checks a picture of a window: its size, that it shows more than a handful of colours, and that
// each area named is not of one colour.
//   kxpicturecheck FILE WIDTH HEIGHT [X,Y,W,H]...

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

qsizetype colours(const QImage& image, const QRect& area) {
    QSet<QRgb> seen;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            seen.insert(image.pixel(x, y));
        }
    }
    return seen.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: kxpicturecheck FILE WIDTH HEIGHT [X,Y,W,H]...\n");
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    const QSize wanted(QString(argv[2]).toInt(), QString(argv[3]).toInt());
    if (image.isNull() || image.size() != wanted) {
        std::fprintf(stderr, "%s: no picture of %dx%d (%dx%d)\n", argv[1], wanted.width(),
                     wanted.height(), image.width(), image.height());
        return 1;
    }
    // Text, frames and lines antialiased show dozens; a blank or broken window a few.
    constexpr qsizetype kFewest = 16;
    if (const qsizetype whole = colours(image, image.rect()); whole < kFewest) {
        std::fprintf(stderr, "%s: only %lld colours\n", argv[1], static_cast<long long>(whole));
        return 1;
    }
    for (int i = 4; i < argc; ++i) {
        const QStringList numbers = QString(argv[i]).split(QLatin1Char(','));
        const QRect area = numbers.size() == 4 ? QRect(numbers[0].toInt(), numbers[1].toInt(),
                                                       numbers[2].toInt(), numbers[3].toInt())
                                               : QRect();
        if (area.isEmpty() || !image.rect().contains(area)) {
            std::fprintf(stderr, "not an area within the picture: %s\n", argv[i]);
            return 2;
        }
        if (colours(image, area) < 2) {
            std::fprintf(stderr, "%s: the area %s is of one colour\n", argv[1], argv[i]);
            return 1;
        }
    }
    return 0;
}
