// The yardstick for the program's start-up: a bare window with a text area
// and a menu bar, linking Qt's widgets only. With --gl it asks Qt for the
// shared GL context at start-up, as the web engine's start-up hook does.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <cstring>

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--gl") == 0)
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.menuBar()->addMenu(QStringLiteral("Файл"))->addAction(QStringLiteral("Выход"), &app, &QApplication::quit);
    window.setCentralWidget(new QPlainTextEdit(&window));
    window.resize(633, 463);
    window.show();
    return app.exec();
}
