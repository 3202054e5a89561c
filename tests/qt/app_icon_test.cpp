// The icon, pixel by pixel, in the window and in the Windows .ico.
#include "app_icon.h"
#include "ico_file.h"
#include "window_test_support.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace {

const QColor kBlue(0, 0, 255);
const QColor kWhite(255, 255, 255);
const QColor kClear(0, 0, 0, 0);

QColor at(const QImage& image, int x, int y)
{
    const QColor colour = image.pixelColor(x, y);
    return colour.alpha() == 0 ? kClear : colour;
}

} // namespace

class AppIconTest : public QObject {
    Q_OBJECT

private slots:
    void designedPixels_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QColor>("colour");
        // 32: a disc 31 across centred at (15,15), touching columns and rows 0 and 30
        QTest::newRow("32 top of disc") << 32 << 15 << 0 << kBlue;
        QTest::newRow("32 bottom of disc") << 32 << 15 << 30 << kBlue;
        QTest::newRow("32 left of disc") << 32 << 0 << 15 << kBlue;
        QTest::newRow("32 right of disc") << 32 << 30 << 15 << kBlue;
        QTest::newRow("32 past the right") << 32 << 31 << 15 << kClear;
        QTest::newRow("32 past the bottom") << 32 << 15 << 31 << kClear;
        QTest::newRow("32 corner") << 32 << 0 << 0 << kClear;
        QTest::newRow("32 just outside the rim") << 32 << 4 << 4 << kClear;
        QTest::newRow("32 just inside the rim") << 32 << 5 << 5 << kBlue;
        // the plus: bars 5 thick (13..17) and 19 long (6..24), crossing at (15,15)
        QTest::newRow("32 centre") << 32 << 15 << 15 << kWhite;
        QTest::newRow("32 top end of bar") << 32 << 15 << 6 << kWhite;
        QTest::newRow("32 above the bar") << 32 << 15 << 5 << kBlue;
        QTest::newRow("32 bottom end of bar") << 32 << 15 << 24 << kWhite;
        QTest::newRow("32 below the bar") << 32 << 15 << 25 << kBlue;
        QTest::newRow("32 left end of bar") << 32 << 6 << 15 << kWhite;
        QTest::newRow("32 left of the bar") << 32 << 5 << 15 << kBlue;
        QTest::newRow("32 right end of bar") << 32 << 24 << 15 << kWhite;
        QTest::newRow("32 right of the bar") << 32 << 25 << 15 << kBlue;
        QTest::newRow("32 bar thickness, first") << 32 << 13 << 8 << kWhite;
        QTest::newRow("32 bar thickness, last") << 32 << 17 << 8 << kWhite;
        QTest::newRow("32 beside the bar, left") << 32 << 12 << 8 << kBlue;
        QTest::newRow("32 beside the bar, right") << 32 << 18 << 8 << kBlue;
        QTest::newRow("32 between the arms") << 32 << 10 << 10 << kBlue;
        // 16: a disc filling the square, bars 2 thick (7..8) from 3 to 12
        QTest::newRow("16 top edge") << 16 << 7 << 0 << kBlue;
        QTest::newRow("16 left edge") << 16 << 0 << 8 << kBlue;
        QTest::newRow("16 right edge") << 16 << 15 << 7 << kBlue;
        QTest::newRow("16 bottom edge") << 16 << 8 << 15 << kBlue;
        QTest::newRow("16 corner") << 16 << 0 << 0 << kClear;
        QTest::newRow("16 far corner") << 16 << 15 << 15 << kClear;
        QTest::newRow("16 centre") << 16 << 7 << 7 << kWhite;
        QTest::newRow("16 bar start") << 16 << 8 << 3 << kWhite;
        QTest::newRow("16 before the bar") << 16 << 8 << 2 << kBlue;
        QTest::newRow("16 bar end") << 16 << 12 << 7 << kWhite;
        QTest::newRow("16 after the bar") << 16 << 13 << 8 << kBlue;
        QTest::newRow("16 beside the bar") << 16 << 6 << 4 << kBlue;
        QTest::newRow("16 other side") << 16 << 9 << 11 << kBlue;
    }

    void designedPixels()
    {
        QFETCH(int, size);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QColor, colour);
        const QImage image = dbmconv::designedIconImage(size);
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(at(image, x, y), colour);
    }

    void theDesignIsSymmetricAndUsesThreeColoursOnly_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("white");
        QTest::newRow("32") << 32 << (19 * 5 * 2 - 5 * 5);
        QTest::newRow("16") << 16 << (10 * 2 * 2 - 2 * 2);
    }

    void theDesignIsSymmetricAndUsesThreeColoursOnly()
    {
        QFETCH(int, size);
        QFETCH(int, white);
        const QImage image = dbmconv::designedIconImage(size);
        const int mirror = size == 32 ? 30 : 15; // the disc's own extent
        int whites = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QColor colour = at(image, x, y);
                QVERIFY(colour == kBlue || colour == kWhite || colour == kClear);
                whites += colour == kWhite ? 1 : 0;
                if (x <= mirror && y <= mirror) {
                    QCOMPARE(at(image, mirror - x, y), colour);
                    QCOMPARE(at(image, y, x), colour);
                }
            }
        }
        QCOMPARE(whites, white);
    }

    void theIcoFileHoldsBothImagesExactly()
    {
        const auto bytes = dbmconv::icon::icoFile({16, 32});
        QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        QBuffer buffer(&data);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QImageReader reader(&buffer, "ico");
        QCOMPARE(reader.imageCount(), 2);
        QSet<int> sizesSeen;
        for (int i = 0; i < reader.imageCount(); ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage decoded = reader.read();
            QVERIFY2(!decoded.isNull(), qPrintable(reader.errorString()));
            const int size = decoded.width();
            sizesSeen << size;
            const QImage designed = dbmconv::designedIconImage(size);
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    QCOMPARE(at(decoded, x, y), at(designed, x, y));
                }
            }
        }
        QCOMPARE(sizesSeen, (QSet<int>{16, 32}));
    }

    void theBuildWroteEveryIconFile_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
            QTest::newRow(qPrintable(QString::number(size))) << size;
        }
    }

    void theBuildWroteEveryIconFile()
    {
        QFETCH(int, size);
        const QString base = QStringLiteral(DBMCONV_ICON_DIR "/" DBMCONV_APP_ID);
        const QImage png(base + QStringLiteral("-%1.png").arg(size));
        QCOMPARE(png.size(), QSize(size, size));
        if (size == 16 || size == 32) {
            const QImage designed = dbmconv::designedIconImage(size);
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    QCOMPARE(at(png, x, y), at(designed, x, y));
                }
            }
        }
        QFile svg(base + QStringLiteral(".svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray vector = svg.readAll();
        QVERIFY(vector.contains("<circle cx=\"16\" cy=\"16\" r=\"15.5\" fill=\"#0000ff\"/>"));
        QVERIFY(vector.contains("<rect x=\"6.5\" y=\"13.5\" width=\"19\" height=\"5\" fill=\"#ffffff\"/>"));
        QVERIFY(vector.contains("<rect x=\"13.5\" y=\"6.5\" width=\"5\" height=\"19\" fill=\"#ffffff\"/>"));
    }

    void largerSizesAreDrawnFromTheSameDesign_data()
    {
        QTest::addColumn<int>("size");
        for (const int size : {24, 48, 64, 128, 256}) {
            QTest::newRow(qPrintable(QString::number(size))) << size;
        }
    }

    void largerSizesAreDrawnFromTheSameDesign()
    {
        QFETCH(int, size);
        const QImage image = dbmconv::renderedIconImage(size);
        const double unit = size / 32.0;
        auto sample = [&](double x, double y) { return at(image, int(x * unit), int(y * unit)); };
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(sample(15.5, 15.5), kWhite);
        QCOMPARE(sample(15.5, 7), kWhite);
        QCOMPARE(sample(15.5, 3), kBlue);
        QCOMPARE(sample(9, 9), kBlue);
        QCOMPARE(sample(1, 1), kClear);
        QCOMPARE(sample(31.5, 31.5), kClear);

        // centred: the disc leaves the same margin on every side, and the image
        // is symmetric about both middle lines and the diagonal
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                QCOMPARE(image.pixel(size - 1 - x, y), image.pixel(x, y));
                QCOMPARE(image.pixel(x, size - 1 - y), image.pixel(x, y));
                QCOMPARE(image.pixel(y, x), image.pixel(x, y));
            }
        }
        // sharp: down the middle, inside the disc's rim, every pixel is pure white
        // or pure blue, and white exactly over a centred whole-pixel run
        const int middle = size / 2;
        for (int y = size / 8; y < size - size / 8; ++y) {
            const QColor colour = at(image, middle, y);
            QVERIFY2(colour == kWhite || colour == kBlue, qPrintable(QStringLiteral("row %1").arg(y)));
        }
        int whiteRows = 0;
        for (int y = 0; y < size; ++y) {
            whiteRows += at(image, middle, y) == kWhite ? 1 : 0;
        }
        QCOMPARE(at(image, middle, (size - whiteRows) / 2), kWhite);
        QCOMPARE(at(image, middle, (size - whiteRows) / 2 - 1), kBlue);
        QCOMPARE(whiteRows % 2, size % 2);
    }
};

DBMCONV_QTEST_MAIN(AppIconTest)
#include "app_icon_test.moc"
