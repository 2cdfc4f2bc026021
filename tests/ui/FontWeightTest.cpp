#include "ui/FontFaceRenaming.h"
#include "ui/FontSetup.h"
#include "platform/FontFiles.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

// Stroke weight: the ink (darkness summed over the pixels) the text lays per
// pixel of its width. A face that is only spaced out keeps the same figure.
double inkPerWidth(const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    QImage image(width + 20, metrics.height() + 10, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(10, 5 + metrics.ascent(), text);
    painter.end();
    double ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            ink += (255 - line[x]) / 255.0;
    }
    return ink / width;
}

} // namespace

class FontWeightTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void boldIsHeavier_data();
    void boldIsHeavier();
    void regularStaysTahoma();
    void renamingRejectsWhatIsNoFace();
};

void FontWeightTest::initTestCase()
{
    FontSetup::install();
}

void FontWeightTest::boldIsHeavier_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixelSize");
    // Zero where the text's box grows with it.
    QTest::addColumn<int>("boxWidth");
    QTest::newRow("stop label") << QStringLiteral("Остановить автогенерацию") << 13 << 0;
    QTest::newRow("About box: name") << QStringLiteral("Merovale Yarnspin") << 13 << 180;
    QTest::newRow("About box: licence heading") << QStringLiteral("Лицензионное соглашение") << 13 << 300;
    QTest::newRow("About box: projects heading") << QStringLiteral("Другие проекты Меровейл") << 13 << 290;
    QTest::newRow("settings: title") << QStringLiteral("Настройки") << 13 << 0;
    QTest::newRow("settings: section heading") << QStringLiteral("Имена героев в твитах") << 12 << 0;
}

void FontWeightTest::boldIsHeavier()
{
    QFETCH(QString, text);
    QFETCH(int, pixelSize);
    QFETCH(int, boxWidth);
    const double regular = inkPerWidth(FontSetup::tahoma(pixelSize, false), text);
    const double bold = inkPerWidth(FontSetup::tahoma(pixelSize, true), text);
    QVERIFY2(bold >= 1.3 * regular, qPrintable(QStringLiteral("ink per pixel of width: regular %1, bold %2")
                                                   .arg(regular, 0, 'f', 3)
                                                   .arg(bold, 0, 'f', 3)));
    if (boxWidth > 0)
        QVERIFY(QFontMetrics(FontSetup::tahoma(pixelSize, true)).horizontalAdvance(text) <= boxWidth);
}

void FontWeightTest::regularStaysTahoma()
{
    if (!QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
        QSKIP("no Tahoma on this system: its substitute serves");
    QCOMPARE(QFontInfo(FontSetup::tahoma(11, false)).family(), QStringLiteral("Tahoma"));
    QCOMPARE(QFontInfo(FontSetup::tahoma(11, false)).styleName(), QStringLiteral("Regular"));
    // A face of its own, not the regular one emboldened.
    if (!platform::heavyBoldFontFile().isEmpty())
        QCOMPARE(QFontInfo(FontSetup::tahoma(13, true)).styleName(), QStringLiteral("Bold"));
}

void FontWeightTest::renamingRejectsWhatIsNoFace()
{
    const QByteArray notFaces[] = {
        QByteArray(),
        QByteArray("ttcf\0\0\0\0\0\0\0\0", 12),         // a collection
        QByteArray("\0\1\0\0\0\x40\0\0\0\0\0\0", 12), // 64 tables announced, none there
    };
    for (const QByteArray &data : notFaces) {
        QVERIFY(FontFaceRenaming::renamed(data, QStringLiteral("Tahoma"), QStringLiteral("Bold"), "Wine").isEmpty());
        QVERIFY(FontFaceRenaming::vendor(data).isEmpty());
    }
}

QTEST_MAIN(FontWeightTest)
#include "FontWeightTest.moc"
