// The yardstick for autogeneration's processor time: a bare window whose one
// label shows a new line of text every 50 ms, the pace of autogeneration, and
// nothing else. Under X, what it costs is what any window repainted twenty
// times a second costs before composing, laying out or copying anything.
// Give it to soak-autogeneration.sh beside the program.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Ticking window"));
    window.setFixedSize(633, 463);
    auto *line = new QLabel(&window);
    line->setGeometry(14, 12, 600, 30);
    window.show();
    int tick = 0;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, &window, [line, &tick] {
        line->setText(QStringLiteral("Сказка номер %1 о том, как всё вышло").arg(++tick));
    });
    timer.start();
    return app.exec();
}
