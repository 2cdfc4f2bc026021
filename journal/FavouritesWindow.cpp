#include "journal/FavouritesWindow.h"

#include "journal/FavouritesText.h"
#include "journal/SharedPrintDialog.h"
#include "journal/TextPrinter.h"
#include "ui/EventGuard.h"
#include "ui/LineNumberedEditor.h"
#include "ui/MessageBoxes.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace {

// One item of the menus; a null name is a separator.
struct Command
{
    const char *name;
    const char *caption;
    QKeySequence shortcut;
    void (FavouritesWindow::*handler)();
};

struct Menu
{
    const char *caption;
    QList<Command> commands;
};

QList<Menu> menuTable()
{
    const QKeySequence none;
    return {
        {"Файл",
         {{"N4", "Сохранить текст как...", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S), &FavouritesWindow::saveAs},
          {"N5", "Печать текста", QKeySequence(Qt::CTRL | Qt::Key_P), &FavouritesWindow::print},
          {nullptr, nullptr, none, nullptr},
          {"N7", "Закрыть окно", none, &FavouritesWindow::closeWindow}}},
        {"Правка",
         {{"N18", "Отменить", QKeySequence(Qt::CTRL | Qt::Key_Z), &FavouritesWindow::undo},
          {"N19", "Повторить", QKeySequence(Qt::CTRL | Qt::Key_Y), &FavouritesWindow::redo},
          {nullptr, nullptr, none, nullptr},
          {"N11", "Вырезать", QKeySequence(Qt::CTRL | Qt::Key_X), &FavouritesWindow::cut},
          {"N12", "Копировать", QKeySequence(Qt::CTRL | Qt::Key_C), &FavouritesWindow::copy},
          {"N13", "Вставить", QKeySequence(Qt::CTRL | Qt::Key_V), &FavouritesWindow::paste},
          {nullptr, nullptr, none, nullptr},
          {"N25", "Вырезать всё", none, &FavouritesWindow::cutAll},
          {"N26", "Копировать всё", none, &FavouritesWindow::copyAll},
          {nullptr, nullptr, none, nullptr},
          {"N15", "Выделить всё", QKeySequence(Qt::CTRL | Qt::Key_A), &FavouritesWindow::selectAll},
          {"N16", "Очистить всё", none, &FavouritesWindow::clearAll}}},
        {"Справка",
         {{"N10", "Опубликовать избранные сказки в группе Ярнспина во \"ВКонтакте\"", QKeySequence(Qt::Key_F1),
           &FavouritesWindow::publish},
          {"N8", "Другие продукты Merovale в Интернете...", none, &FavouritesWindow::openOtherProducts},
          {nullptr, nullptr, none, nullptr},
          {"N3", "О программе...", none, &FavouritesWindow::showAbout}}},
    };
}

// The editor's context menu, by the object names of the items it shares.
const char *const popupItems[] = {"N18", nullptr, "N11", "N12", "N13", nullptr, "N15", "N16"};

} // namespace

FavouritesWindow::FavouritesWindow(FavouritesText &text, Services services, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
    , m_text(text)
    , m_services(std::move(services))
    , m_editor(new LineNumberedEditor(this))
    , m_popupMenu(new QMenu(this))
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Избранное - Merovale Yarnspin"));
    // Hiding it must never end the program while the main window sits in the tray.
    setAttribute(Qt::WA_QuitOnClose, false);
    // No menu for hiding the tool bar, which nothing could bring back.
    setContextMenuPolicy(Qt::NoContextMenu);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);
    resize(755, 617);

    m_editor->setObjectName(QStringLiteral("Memo1"));
    m_editor->setLineDocument(&m_text.document());
    setCentralWidget(m_editor);

    buildMenus();
    buildToolBar();

    auto *status = new QLabel(QStringLiteral("  Merovale Yarnspin"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setFixedHeight(19);
    statusBar()->setSizeGripEnabled(true);
    statusBar()->addWidget(status, 1);
}

void FavouritesWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    for (const Menu &menu : menuTable()) {
        QMenu *items = bar->addMenu(QString::fromUtf8(menu.caption));
        for (const Command &command : menu.commands) {
            if (!command.name) {
                items->addSeparator();
                continue;
            }
            QAction *action = items->addAction(QString::fromUtf8(command.caption));
            action->setObjectName(QString::fromLatin1(command.name));
            // Shown on the item, resolved by the program's key router.
            action->setShortcut(command.shortcut);
            action->setShortcutContext(Qt::WidgetShortcut);
            connect(action, &QAction::triggered, this, EventGuard::guarded(this, command.handler));
        }
    }

    m_popupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    for (const char *name : popupItems) {
        if (name)
            m_popupMenu->addAction(bar->findChild<QAction *>(QString::fromLatin1(name)));
        else
            m_popupMenu->addSeparator();
    }
    m_editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_editor, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &point) { m_popupMenu->popup(m_editor->mapToGlobal(point)); });
}

void FavouritesWindow::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("ToolBar1"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    // The icons live in the program's artwork resource, beside its other pictures.
    auto button = [this, bar](const QString &icon, const QString &hint, void (FavouritesWindow::*handler)()) {
        QAction *action = bar->addAction(QIcon(QStringLiteral(":/artwork/%1.png").arg(icon)), hint);
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this, EventGuard::guarded(this, handler));
    };
    button(QStringLiteral("toolbar-save"), QStringLiteral("Сохранить текст в файл..."), &FavouritesWindow::saveAs);
    button(QStringLiteral("toolbar-print"), QStringLiteral("Печать текста"), &FavouritesWindow::print);
    auto *gap = new QWidget(bar);
    gap->setFixedWidth(8);
    bar->addWidget(gap);
    button(QStringLiteral("toolbar-close"), QStringLiteral("Закрыть окно"), &FavouritesWindow::closeWindow);
}

void FavouritesWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void FavouritesWindow::loadFavouritesFile()
{
    switch (m_text.loadFavouritesFile(FavouritesText::filePath())) {
    case FavouritesText::LoadState::Absent:
        MessageBoxes::show(this, MessageBoxes::Kind::Information, QStringLiteral("Merovale Yarnspin"),
                           QStringLiteral("Это первый запуск программы Merovale Yarnspin на Вашем компьютере. Сейчас "
                                          "будет создан файл \"Избранного\", куда Вы сможете копировать самые смешные "
                                          "твиты. Приятного времени вместе с Merovale Yarnspin!"));
        break;
    case FavouritesText::LoadState::Unreadable:
        MessageBoxes::showError(m_text.loadError());
        break;
    case FavouritesText::LoadState::NotRead:
    case FavouritesText::LoadState::Loaded:
        break;
    }
}

void FavouritesWindow::writeFavouritesFile()
{
    if (!m_text.writeFavouritesFile(FavouritesText::filePath()))
        MessageBoxes::showMessage(QStringLiteral("Избранное не сохранено: его файл не удалось прочитать при запуске "
                                                 "программы, поэтому он оставлен без изменений."));
}

void FavouritesWindow::showAndRaise()
{
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

QList<QWidget *> FavouritesWindow::keyCombinationMenus() const
{
    return {m_popupMenu, menuBar()};
}

void FavouritesWindow::saveAs()
{
    const QString path = m_services.chooseSavePath(this);
    if (!path.isEmpty())
        m_text.save(path);
}

void FavouritesWindow::print()
{
    SharedPrintDialog &dialog = SharedPrintDialog::instance();
    if (!dialog.ask(this))
        return;
    TextPrinter::print(dialog.printer(), m_editor->font(), m_editor->palette().text().color(), m_text.lines());
}

void FavouritesWindow::closeWindow()
{
    hide();
}

void FavouritesWindow::undo()
{
    m_editor->undo();
}

void FavouritesWindow::redo()
{
    m_editor->redo();
}

void FavouritesWindow::cut()
{
    m_editor->cut();
}

void FavouritesWindow::copy()
{
    m_editor->copy();
}

void FavouritesWindow::paste()
{
    m_editor->paste();
}

void FavouritesWindow::cutAll()
{
    m_editor->selectAll();
    m_editor->cut();
}

void FavouritesWindow::copyAll()
{
    m_editor->selectAll();
    m_editor->copy();
}

void FavouritesWindow::selectAll()
{
    m_editor->selectAll();
}

void FavouritesWindow::clearAll()
{
    m_editor->selectAll();
    m_editor->clearAll();
}

void FavouritesWindow::publish()
{
    copyAll();
    MessageBoxes::showMessage(QStringLiteral("Ваши твиты из Избранного были скопированы в буфер обмена Windows. "
                                             "Теперь просто вставьте их в обсуждениях в группе."));
    m_services.openOutsideLink("N10");
}

void FavouritesWindow::openOtherProducts()
{
    copyAll();
    m_services.openOutsideLink("N8");
}

void FavouritesWindow::showAbout()
{
    m_services.showAboutBox();
}
