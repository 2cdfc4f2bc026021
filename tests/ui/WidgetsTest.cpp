#include "ui/FontSetup.h"
#include "ui/HoverLinkLabel.h"
#include "ui/ImageButton.h"
#include "ui/LongTextLabel.h"
#include "ui/PartlySeenPicture.h"
#include "ui/RichToolTip.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace {

bool anyPixel(const QImage &image, const std::function<bool(QRgb)> &predicate)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (predicate(image.pixel(x, y)))
                return true;
    return false;
}

bool isBluish(QRgb pixel)
{
    return qBlue(pixel) > qRed(pixel) + 40 && qBlue(pixel) > qGreen(pixel) + 20;
}

void requestToolTip(QWidget *widget)
{
    const QPoint inside(3, 3);
    QHelpEvent request(QEvent::ToolTip, inside, widget->mapToGlobal(inside));
    QApplication::sendEvent(widget, &request);
}

} // namespace

class WidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void labelLooksAsTheStyleDrawsIt_data();
    void labelLooksAsTheStyleDrawsIt();
    void linkClicks_data();
    void linkClicks();
    void linkUnderline_data();
    void linkUnderline();
    void disabledLinkIsEngravedGrey();
    void imageButtonGreysGlyphWhileDisabled();
    void partlySeenPictureShowsItsPartsInPlace();
    void toolTipShowsAndHides();
    void toolTipHidesWhenTargetIsDestroyed();

private:
    std::unique_ptr<QWidget> m_window;
    HoverLinkLabel *m_link = nullptr;
};

void WidgetsTest::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(200, 100);
    m_window->setAutoFillBackground(true);
    QPalette black;
    black.setColor(QPalette::Window, Qt::black);
    m_window->setPalette(black);
    m_link = new HoverLinkLabel(QStringLiteral("последний"), m_window.get());
    m_link->setLinkColor(QColor(0, 80, 159));
    m_link->setGeometry(20, 20, 100, 20);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void WidgetsTest::cleanup()
{
    // The next window appears at the same place: leave no pointer over the link.
    QTest::mouseMove(m_window.get(), QPoint(190, 90));
    m_window.reset();
}

void WidgetsTest::labelLooksAsTheStyleDrawsIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QSize>("box"); // empty: sized to the text

    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    const QString title = QStringLiteral("Сказка о том, как @kotofeich съел рояль!");
    QTest::newRow("title line") << title << left << QSize();
    QTest::newRow("blanks at both ends") << QStringLiteral("  Ёж & «№» ") << left << QSize();
    QTest::newRow("centred in a taller box") << title << int(Qt::AlignCenter) << QSize(400, 40);
    QTest::newRow("right end of a narrow box") << title << int(Qt::AlignRight | Qt::AlignVCenter) << QSize(112, 13);
    QTest::newRow("bottom right") << title << int(Qt::AlignRight | Qt::AlignBottom) << QSize(500, 30);
    QTest::newRow("two lines") << QStringLiteral("одна\nдругая") << left << QSize();
}

// The label draws a plain line itself, from the layout that also gave its
// size; it must measure and look as the style's drawing of the text does.
void WidgetsTest::labelLooksAsTheStyleDrawsIt()
{
    QFETCH(QString, text);
    QFETCH(int, alignment);
    QFETCH(QSize, box);

    // With the program's own faces, where the system has them.
    static const bool fontsInstalled = (FontSetup::install(), true);
    Q_UNUSED(fontsInstalled);
    LongTextLabel label(text);
    // Laid out first in the default face and put aside for another text: that
    // layout must not come back once the face has changed.
    label.sizeHint();
    label.setText(QStringLiteral("другая сказка"));
    label.sizeHint();
    label.setFont(FontSetup::tahoma(15));
    label.setText(text);
    label.setAlignment(Qt::Alignment(alignment));
    QPalette colours = label.palette();
    colours.setColor(QPalette::WindowText, QColor(0x00, 0x42, 0x84));
    label.setPalette(colours);
    if (box.isEmpty()) {
        label.adjustSize();
        QCOMPARE(label.size(), label.fontMetrics().boundingRect(QRect(0, 0, 0, 2000), Qt::AlignLeft, text).size());
    } else {
        label.resize(box);
    }
    // Drawn from the layout kept while another text showed.
    label.setText(QStringLiteral("другая сказка"));
    label.sizeHint();
    label.setText(text);

    QImage drawn(label.size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::white);
    label.render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);
    QImage expected(label.size(), QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.setFont(label.font());
    label.style()->drawItemText(&painter, label.rect(), alignment, label.palette(), true, text, QPalette::WindowText);
    painter.end();
    QCOMPARE(drawn, expected);
}

void WidgetsTest::linkClicks_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<bool>("disableWhilePressed");
    QTest::addColumn<int>("clicks");

    const QPoint inside(10, 10);
    QTest::newRow("press and release inside") << true << Qt::LeftButton << inside << false << 1;
    QTest::newRow("release outside") << true << Qt::LeftButton << QPoint(150, 10) << false << 0;
    QTest::newRow("release just past the edge") << true << Qt::LeftButton << QPoint(100, 10) << false << 0;
    QTest::newRow("right button") << true << Qt::RightButton << inside << false << 0;
    QTest::newRow("disabled") << false << Qt::LeftButton << inside << false << 0;
    QTest::newRow("disabled while pressed") << true << Qt::LeftButton << inside << true << 0;
}

void WidgetsTest::linkClicks()
{
    QFETCH(bool, enabled);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(bool, disableWhilePressed);
    QFETCH(int, clicks);

    m_link->setEnabled(enabled);
    QSignalSpy clicked(m_link, &HoverLinkLabel::clicked);
    QTest::mousePress(m_link, button, {}, QPoint(10, 10));
    if (disableWhilePressed) {
        m_link->setEnabled(false);
        m_link->setEnabled(true);
    }
    QTest::mouseRelease(m_link, button, {}, releaseAt);
    QCOMPARE(clicked.count(), clicks);

    // A failed click leaves nothing behind: the next full left click counts once.
    QTest::mouseClick(m_link, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicked.count(), clicks + (enabled ? 1 : 0));
}

void WidgetsTest::linkUnderline_data()
{
    QTest::addColumn<HoverLinkLabel::Underline>("mode");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("underlinedAway");
    QTest::addColumn<bool>("underlinedOver");

    QTest::newRow("journal link") << HoverLinkLabel::Underline::WhileHovered << true << false << true;
    QTest::newRow("browser link") << HoverLinkLabel::Underline::ExceptWhileHovered << true << true << false;
    QTest::newRow("disabled journal link") << HoverLinkLabel::Underline::WhileHovered << false << false << false;
    QTest::newRow("disabled browser link") << HoverLinkLabel::Underline::ExceptWhileHovered << false << false << false;
}

void WidgetsTest::linkUnderline()
{
    QFETCH(HoverLinkLabel::Underline, mode);
    QFETCH(bool, enabled);
    QFETCH(bool, underlinedAway);
    QFETCH(bool, underlinedOver);

    const QPoint away(180, 80);
    const QPoint over(30, 25);
    m_link->setUnderline(mode);
    m_link->setEnabled(enabled);
    QTest::mouseMove(m_window.get(), away);
    QTRY_VERIFY(!m_link->underMouse());
    QCOMPARE(m_link->isUnderlined(), underlinedAway);
    QTest::mouseMove(m_window.get(), over);
    QTRY_VERIFY(m_link->underMouse());
    QCOMPARE(m_link->isUnderlined(), underlinedOver);
    QCOMPARE(m_link->cursor().shape(), enabled ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QTest::mouseMove(m_window.get(), away);
    QTRY_VERIFY(!m_link->underMouse());
    QCOMPARE(m_link->isUnderlined(), underlinedAway);

    // Enabled while the pointer rests on it, the link takes up the hover at once.
    QTest::mouseMove(m_window.get(), over);
    QTRY_VERIFY(m_link->underMouse());
    m_link->setEnabled(true);
    QCOMPARE(m_link->isUnderlined(), mode == HoverLinkLabel::Underline::WhileHovered);
}

void WidgetsTest::disabledLinkIsEngravedGrey()
{
    const QRect linkArea = m_link->geometry();
    QVERIFY(anyPixel(m_window->grab(linkArea).toImage(), isBluish));

    m_link->setEnabled(false);
    const QImage disabled = m_window->grab(linkArea).toImage();
    QVERIFY(!anyPixel(disabled, isBluish));
    QVERIFY(anyPixel(disabled, [](QRgb pixel) { return pixel == qRgb(255, 255, 255); }));
    QVERIFY(anyPixel(disabled, [](QRgb pixel) { return pixel == qRgb(128, 128, 128); }));
}

void WidgetsTest::imageButtonGreysGlyphWhileDisabled()
{
    QImage red(24, 24, QImage::Format_ARGB32);
    red.fill(QColor(220, 20, 20));
    red.setPixel(0, 0, qRgba(0, 0, 0, 0));
    ImageButton button(QPixmap::fromImage(red), QStringLiteral("Сочинить смешной твит!"));
    button.resize(169, 33);

    button.setEnabled(false);
    const QImage greyed = button.shownGlyph().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(greyed.size(), red.size());
    QCOMPARE(qAlpha(greyed.pixel(0, 0)), 0);
    const QRgb middle = greyed.pixel(12, 12);
    QCOMPARE(qAlpha(middle), 255);
    QVERIFY(qRed(middle) == qGreen(middle) && qGreen(middle) == qBlue(middle));

    // The style must really draw the grey glyph: no red left on the button.
    const auto isRed = [](QRgb pixel) { return qRed(pixel) > 180 && qGreen(pixel) < 80; };
    QVERIFY(!anyPixel(button.grab().toImage(), isRed));
    button.setEnabled(true);
    QVERIFY(anyPixel(button.grab().toImage(), isRed));
}

void WidgetsTest::partlySeenPictureShowsItsPartsInPlace()
{
    QImage source(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x * 6, y * 8, 200));
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("picture.png"));
    QVERIFY(source.save(file));

    // A frame around a covered middle, as the background around the journal.
    const QRect covered(4, 5, 30, 20);
    PartlySeenPicture picture(file, QRegion(source.rect()) - covered);
    picture.resize(source.size());
    const QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QWidget nothing;
    nothing.resize(source.size());
    const QImage unpainted = nothing.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb expected = covered.contains(x, y) ? unpainted.pixel(x, y) : source.pixel(x, y);
            if (shown.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2: %3, not %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(shown.pixel(x, y), 8, 16)
                                     .arg(expected, 8, 16)));
        }
    }
}

void WidgetsTest::toolTipShowsAndHides()
{
    RichToolTip::install(*qApp);
    m_link->setToolTip(QStringLiteral("Открыть твиттер-профиль героя последней сказки"));
    requestToolTip(m_link);
    QCOMPARE(RichToolTip::shownText(), m_link->toolTip());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(m_link, &leave);
    QCOMPARE(RichToolTip::shownText(), QString());

    requestToolTip(m_link);
    QTest::mousePress(m_window.get(), Qt::LeftButton, {}, QPoint(180, 80));
    QCOMPARE(RichToolTip::shownText(), QString());

    // A widget without a hint of its own passes the request to its parent.
    m_link->setToolTip(QString());
    m_window->setToolTip(QStringLiteral("Дополнительные опции"));
    requestToolTip(m_link);
    QCOMPARE(RichToolTip::shownText(), QStringLiteral("Дополнительные опции"));
}

void WidgetsTest::toolTipHidesWhenTargetIsDestroyed()
{
    RichToolTip::install(*qApp);
    m_link->setToolTip(QStringLiteral("Назад"));
    requestToolTip(m_link);
    delete m_link;
    QCOMPARE(RichToolTip::shownText(), QString());

    // The next request works once the old window is gone.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_window->setToolTip(QStringLiteral("Вперед"));
    requestToolTip(m_window.get());
    QCOMPARE(RichToolTip::shownText(), QStringLiteral("Вперед"));
}

QTEST_MAIN(WidgetsTest)
#include "WidgetsTest.moc"
