#include "base/AppError.h"
#include "journal/TextPageLayout.h"
#include "journal/TextPrinter.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QPrinter>
#include <QTest>

// The plain-text printer's page layout, measured with a fixed pitch, and real
// print jobs into PDF files read back with poppler's tools.
class JournalPrintingTest : public QObject
{
    Q_OBJECT

private slots:
    void layOut_data();
    void layOut();
    void linesComeOutInOrderOnPages_data();
    void linesComeOutInOrderOnPages();
    void screenPixelFontKeepsItsSizeOnPaper();
    void printerThatCannotStartIsReported();

private:
    QString print(const QStringList &lines);

    QTemporaryDir m_dir;
};

namespace {

// "a||b" is the lines a, empty, b; "" is no lines.
QStringList lines(const QString &joined)
{
    return joined.isEmpty() ? QStringList() : joined.split(u'|');
}

// "x,y:text" per piece, pages separated by " / ".
QString describe(const QList<TextPageLayout::Page> &pages)
{
    QStringList described;
    for (const TextPageLayout::Page &page : pages) {
        QStringList pieces;
        for (const TextPageLayout::Piece &piece : page)
            pieces.append(QStringLiteral("%1,%2:%3").arg(piece.x).arg(piece.y).arg(piece.text));
        described.append(pieces.join(u' '));
    }
    return described.join(QStringLiteral(" / "));
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QFont journalFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(19);
    return font;
}

} // namespace

// 10 pixels a character, rows of text 20 high (22 with the gap), empty rows
// 16, tab stops every 80; pages 200 wide unless told.
void JournalPrintingTest::layOut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no lines, one blank page") << "" << 200 << 100 << "";
    QTest::newRow("text and empty row advances") << "a||b" << 200 << 100 << "0,0:a 0,38:b";
    QTest::newRow("under twice a row left") << "a|b|c|d" << 200 << 100 << "0,0:a 0,22:b 0,44:c / 0,0:d";
    QTest::newRow("twice a row left") << "a|b|c|d" << 200 << 110 << "0,0:a 0,22:b 0,44:c 0,66:d";
    QTest::newRow("empty rows to the bottom") << "a|||||b" << 200 << 86 << "0,0:a 0,86:b";
    QTest::newRow("empty rows past the bottom") << "a|||||b" << 200 << 85 << "0,0:a / 0,0:b";
    QTest::newRow("no blank sheet at the end") << "a|b|c||" << 200 << 100 << "0,0:a 0,22:b 0,44:c";
    QTest::newRow("long line broken where it stops fitting")
        << "a|b|cdefghijklmnopqrstuvwxyz" << 200 << 100 << "0,0:a 0,22:b 0,44:cdefghijklmnopqrstuv / 0,0:wxyz";
    QTest::newRow("tab to the next stop") << "a\tb|abcdefgh\tc" << 200 << 100 << "0,0:a 80,0:b 0,22:abcdefgh 160,22:c";
    QTest::newRow("text after a tab broken at the edge")
        << "abcdefghijklmno\txyzwv" << 200 << 100 << "0,0:abcdefghijklmno 160,0:xyzw 0,22:v";
    QTest::newRow("tab past the edge") << "abcdefghijklmnopq\tx" << 200 << 100 << "0,0:abcdefghijklmnopq 0,22:x";
    QTest::newRow("line end inside a favourites line") << "tweet\r\n|b" << 200 << 100 << "0,0:tweet 0,38:b";
    QTest::newRow("page narrower than a character") << "ab" << 5 << 100 << "0,0:a 0,22:b";
    QTest::newRow("surrogate pair kept whole") << QStringLiteral("ab\U0001F600cd") << 30 << 100
                                               << QStringLiteral("0,0:ab\U0001F600 0,22:cd");
}

void JournalPrintingTest::layOut()
{
    QFETCH(QString, text);
    QFETCH(int, pageWidth);
    QFETCH(int, pageHeight);
    QFETCH(QString, expected);

    TextPageLayout::Metrics metrics;
    metrics.textHeight = 20;
    metrics.characterHeight = 16;
    metrics.averageCharWidth = 10;
    metrics.width = [](const QString &piece) { return 10 * int(piece.toUcs4().size()); };
    QCOMPARE(describe(TextPageLayout::layOut(lines(text), pageWidth, pageHeight, metrics)), expected);
}

// Prints into a fresh PDF on A4 with 10 mm margins and returns its path.
QString JournalPrintingTest::print(const QStringList &printed)
{
    const QString pdf = m_dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    TextPrinter::print(printer, journalFont(), QColor(0, 49, 98), printed);
    return pdf;
}

void JournalPrintingTest::linesComeOutInOrderOnPages_data()
{
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<int>("pages");

    QTest::newRow("no lines, one blank page") << QStringList() << 1;
    QTest::newRow("rows and empty rows") << lines(QStringLiteral("Как-то раз задумал @Воробей|погулять на болоте.||"))
                                         << 1;
    // About 38 rows of 14-point text fit on a page.
    QStringList many;
    for (int i = 1; i <= 100; ++i)
        many.append(QStringLiteral("Строка %1").arg(i));
    QTest::newRow("100 rows") << many << 3;
}

void JournalPrintingTest::linesComeOutInOrderOnPages()
{
    QFETCH(QStringList, printed);
    QFETCH(int, pages);

    const QString pdf = print(printed);
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))), qPrintable(info));
    QStringList read;
    int pagesWithText = 0;
    for (const QString &page : run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).split(u'\f')) {
        const QStringList rows = page.split(u'\n', Qt::SkipEmptyParts);
        pagesWithText += rows.isEmpty() ? 0 : 1;
        read += rows;
    }
    printed.removeAll(QString());
    QCOMPARE(read, printed);
    QCOMPARE(pagesWithText, printed.isEmpty() ? 0 : pages);
}

// 19 screen pixels are about 14 points; taken as printer pixels they would be
// about one point.
void JournalPrintingTest::screenPixelFontKeepsItsSizeOnPaper()
{
    const QString boxes = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), print({"Размер"}), "-"});
    const QRegularExpressionMatch word
        = QRegularExpression(QStringLiteral("yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">Размер<"))
              .match(boxes);
    QVERIFY2(word.hasMatch(), qPrintable(boxes));
    const double height = word.captured(2).toDouble() - word.captured(1).toDouble();
    QVERIFY2(height > 10 && height < 25, qPrintable(QString::number(height)));
}

void JournalPrintingTest::printerThatCannotStartIsReported()
{
    const QString unreachable = m_dir.filePath(QStringLiteral("missing/journal.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(unreachable);
    try {
        TextPrinter::print(printer, journalFont(), Qt::black, {QStringLiteral("a")});
        QFAIL("no error");
    } catch (const AppError &error) {
        QVERIFY2(error.message().contains(unreachable), qPrintable(error.message()));
    }
}

QTEST_MAIN(JournalPrintingTest)
#include "JournalPrintingTest.moc"
