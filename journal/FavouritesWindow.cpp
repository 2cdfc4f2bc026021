#include "journal/FavouritesWindow.h"

#include "journal/TextPrinter.h"
#include "journal/TweetFile.h"
#include "shell/OutsideLinks.h"
#include "ui/EventGuard.h"
#include "ui/Interaction.h"
#include "ui/LineNumberedEditor.h"
#include "ui/MenuBuilder.h"

#include <QAction>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

FavouritesWindow::FavouritesWindow(FavouritesText &text, Interaction &interaction, OutsideLinks &links,
                                   QDialog &aboutBox, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
    , m_text(text)
    , m_interaction(interaction)
    , m_links(links)
    , m_aboutBox(aboutBox)
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
    m_popupMenu->setObjectName(QStringLiteral("PopupMenu1"));
}

void FavouritesWindow::setVisible(bool visible)
{
    if (visible && !m_editor)
        buildContents();
    QMainWindow::setVisible(visible);
}

void FavouritesWindow::buildContents()
{
    m_editor = new LineNumberedEditor(this);
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
    const QKeySequence none;
    MenuBuilder file = MenuBuilder(m_interaction, menuBar()).submenu("fileMenu", QStringLiteral("Файл"));
    file.item("N4", QStringLiteral("Сохранить текст как..."), Qt::CTRL | Qt::ALT | Qt::Key_S, [this] { saveAs(); });
    file.item("N5", QStringLiteral("Печать текста"), Qt::CTRL | Qt::Key_P, [this] { print(); });
    file.separator();
    file.item("N7", QStringLiteral("Закрыть окно"), none, [this] { hide(); });

    // The editor's own commands are connected straight to it.
    MenuBuilder edit = MenuBuilder(m_interaction, menuBar()).submenu("editMenu", QStringLiteral("Правка"));
    QAction *undo = edit.item("N18", QStringLiteral("Отменить"), Qt::CTRL | Qt::Key_Z);
    connect(undo, &QAction::triggered, m_editor, &LineNumberedEditor::undo);
    connect(edit.item("N19", QStringLiteral("Повторить"), Qt::CTRL | Qt::Key_Y), &QAction::triggered, m_editor,
            &LineNumberedEditor::redo);
    edit.separator();
    QAction *cut = edit.item("N11", QStringLiteral("Вырезать"), Qt::CTRL | Qt::Key_X);
    connect(cut, &QAction::triggered, m_editor, &LineNumberedEditor::cut);
    QAction *copy = edit.item("N12", QStringLiteral("Копировать"), Qt::CTRL | Qt::Key_C);
    connect(copy, &QAction::triggered, m_editor, &LineNumberedEditor::copy);
    QAction *paste = edit.item("N13", QStringLiteral("Вставить"), Qt::CTRL | Qt::Key_V);
    connect(paste, &QAction::triggered, m_editor, &LineNumberedEditor::paste);
    edit.separator();
    edit.item("N25", QStringLiteral("Вырезать всё"), none, [this] { selectAllAnd(&LineNumberedEditor::cut); });
    edit.item("N26", QStringLiteral("Копировать всё"), none, [this] { selectAllAnd(&LineNumberedEditor::copy); });
    edit.separator();
    QAction *selectAll = edit.item("N15", QStringLiteral("Выделить всё"), Qt::CTRL | Qt::Key_A);
    connect(selectAll, &QAction::triggered, m_editor, &LineNumberedEditor::selectAll);
    QAction *clearAll =
        edit.item("N16", QStringLiteral("Очистить всё"), none, [this] { selectAllAnd(&LineNumberedEditor::clearAll); });

    MenuBuilder help = MenuBuilder(m_interaction, menuBar()).submenu("helpMenu", QStringLiteral("Справка"));
    help.item("N10", QStringLiteral("Опубликовать избранные сказки в группе Ярнспина во \"ВКонтакте\""), Qt::Key_F1,
              [this] { publish(); });
    help.item("N8", QStringLiteral("Другие продукты Merovale в Интернете..."), none, [this] {
        selectAllAnd(&LineNumberedEditor::copy);
        m_links.open(OutsideLinks::Endpoint::MakerSiteOnDesktop);
    });
    help.separator();
    help.item("N3", QStringLiteral("О программе..."), none, [this] { m_aboutBox.exec(); });

    // The editor's context menu shares the edit menu's items.
    MenuBuilder popup(m_interaction, m_popupMenu);
    popup.item(undo);
    popup.separator();
    for (QAction *shared : {cut, copy, paste})
        popup.item(shared);
    popup.separator();
    popup.item(selectAll);
    popup.item(clearAll);
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
    auto button = [this, bar](const QString &icon, const QString &hint, void (FavouritesWindow::*handler)()) {
        QAction *action = bar->addAction(QIcon(QStringLiteral(":/journal/%1.png").arg(icon)), hint);
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this, EventGuard::guarded(m_interaction, this, handler));
    };
    button(QStringLiteral("toolbar-save"), QStringLiteral("Сохранить текст в файл..."), &FavouritesWindow::saveAs);
    button(QStringLiteral("toolbar-print"), QStringLiteral("Печать текста"), &FavouritesWindow::print);
    auto *gap = new QWidget(bar);
    gap->setFixedWidth(8);
    bar->addWidget(gap);
    button(QStringLiteral("toolbar-close"), QStringLiteral("Закрыть окно"), &QWidget::hide);
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

void FavouritesWindow::reportFileLoad(FavouritesText::LoadState state)
{
    switch (state) {
    case FavouritesText::LoadState::Absent:
        m_interaction.showBox({Interaction::BoxKind::Information, QStringLiteral("Merovale Yarnspin"),
                               QStringLiteral("Это первый запуск программы Merovale Yarnspin на Вашем компьютере. "
                                              "Сейчас будет создан файл \"Избранного\", куда Вы сможете копировать "
                                              "самые смешные твиты. Приятного времени вместе с Merovale Yarnspin!"),
                               this});
        break;
    case FavouritesText::LoadState::Unreadable:
        m_interaction.showError(m_text.loadError());
        break;
    case FavouritesText::LoadState::NotRead:
    case FavouritesText::LoadState::Loaded:
        break;
    }
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
    const QString path = TweetFile::chooseSavePath(m_interaction, this);
    if (!path.isEmpty())
        m_text.save(path);
}

void FavouritesWindow::print()
{
    if (QPrinter *printer = m_interaction.choosePrinter(this))
        TextPrinter::print(*printer, m_editor->font(), m_editor->palette().text().color(), m_text.lines());
}

void FavouritesWindow::selectAllAnd(void (LineNumberedEditor::*command)())
{
    m_editor->selectAll();
    (m_editor->*command)();
}

void FavouritesWindow::publish()
{
    selectAllAnd(&LineNumberedEditor::copy);
    m_interaction.showMessage(QStringLiteral("Ваши твиты из Избранного были скопированы в буфер обмена Windows. "
                                             "Теперь просто вставьте их в обсуждениях в группе."));
    m_links.open(OutsideLinks::Endpoint::CommunityGroupOnDesktop);
}
