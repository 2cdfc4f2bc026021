#include "ui/FontFaceCache.h"
#include "ui/FontFaceRenaming.h"
#include "ui/FontSetup.h"
#include "platform/FontFiles.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
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
    void keptFaceIsMadeAgainWhenItCannotServe();
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

void FontWeightTest::keptFaceIsMadeAgainWhenItCannotServe()
{
    if (platform::heavyBoldFontFile().isEmpty())
        QSKIP("no bold face to make one from");
    QTemporaryDir scratch;
    const QString source = scratch.filePath(QStringLiteral("source.ttf"));
    QVERIFY(QFile::copy(platform::heavyBoldFontFile(), source));
    QDir kept(scratch.filePath(QStringLiteral("kept")));
    QVERIFY(kept.mkpath(QStringLiteral(".")));
    const QString family = QStringLiteral("Kept Face");
    int made = 0;
    const auto add = [&](const QString &folder) {
        return FontFaceCache(folder).add(family, QStringLiteral("Bold"), {source}, [&] {
            ++made;
            QFile file(source);
            return file.open(QIODevice::ReadOnly)
                       ? FontFaceRenaming::renamed(file.readAll(), family, QStringLiteral("Bold"), "Test")
                       : QByteArray();
        });
    };
    const auto keptFiles = [&] { return kept.entryList(QDir::Files); };

    QVERIFY(add(kept.path()));
    QCOMPARE(made, 1);
    QCOMPARE(keptFiles().size(), 1);
    QVERIFY(add(kept.path()));
    QCOMPARE(made, 1);

    // A kept file that is no face (cut short by a full disk, say) is replaced.
    const QString keptFile = kept.filePath(keptFiles().constFirst());
    {
        QFile spoilt(keptFile);
        QVERIFY(spoilt.open(QIODevice::WriteOnly));
        spoilt.write("not a face");
    }
    QVERIFY(add(kept.path()));
    QCOMPARE(made, 2);
    QVERIFY(QFile(keptFile).size() > 1000);

    // A changed source is made again, and the copy of the old one goes.
    {
        QFile changed(source);
        QVERIFY(changed.open(QIODevice::ReadWrite));
        QVERIFY(changed.setFileTime(changed.fileTime(QFileDevice::FileModificationTime).addSecs(60),
                                    QFileDevice::FileModificationTime));
    }
    QVERIFY(add(kept.path()));
    QCOMPARE(made, 3);
    QCOMPARE(keptFiles().size(), 1);
    QVERIFY(kept.filePath(keptFiles().constFirst()) != keptFile);

    // Nowhere to keep it: made every time, and still added.
    QVERIFY(add(QString()));
    QCOMPARE(made, 4);
}

QTEST_MAIN(FontWeightTest)
#include "FontWeightTest.moc"
