#include "app/Program.h"

#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "base/AppError.h"
#include "journal/FavouritesWindow.h"
#include "settings/SettingsDialog.h"
#include "shell/AboutBox.h"
#include "shell/BrowserWindow.h"
#include "shell/DeferredIconEngine.h"
#include "shell/Notices.h"
#include "shell/OutsideLinks.h"
#include "shell/TrayIcon.h"
#include "ui/DesktopInteraction.h"
#include "ui/EventGuard.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QIcon>

#include <cstdio>

namespace {
constexpr int noticeSeconds = 10;
}

Program::Program(YarnCore::Options options, Interaction *interaction)
    : m_core(std::move(options))
    , m_trayIcon(std::make_unique<TrayIcon>())
{
    if (!interaction) {
        m_desktop = std::make_unique<DesktopInteraction>([tray = m_trayIcon.get()](const QString &title,
                                                                                   const QString &text) {
            tray->showBalloonNotice(title, text, noticeSeconds);
        });
        interaction = m_desktop.get();
    }
    m_interaction = interaction;

    // Only the main window's close ends the program, after writing the lists:
    // a box closed while the main window is hidden in the tray must not.
    QApplication::setQuitOnLastWindowClosed(false);
    // Every size listed is decoded and handed to the window manager as each
    // window first shows; the tray's larger ones would only slow that down.
    QApplication::setWindowIcon(
        QIcon(new DeferredIconEngine(QStringLiteral(":/shell/icon-%1.png"), {16, 24, 32, 48, 96})));

    Settings &settings = m_core.settings();
    m_settingsDialog = std::make_unique<SettingsDialog>(settings, *interaction, m_core.addresses().profilePrefix);
    // Cheap: its web engine starts at the first opening.
    m_browserWindow = std::make_unique<BrowserWindow>(*interaction);
    m_links = std::make_unique<OutsideLinks>(m_core.addresses(), m_core.heroHandle(), settings, *interaction,
                                             OutsideLinks::builtInBrowserOf(*m_browserWindow),
                                             [this] { m_settingsDialog->exec(); });
    m_aboutBox = std::make_unique<AboutBox>(*interaction, *m_links);
    m_favouritesWindow =
        std::make_unique<FavouritesWindow>(m_core.favourites(), *interaction, *m_links, *m_aboutBox);
    m_mainWindow = std::make_unique<MainWindow>(
        m_core, *interaction,
        MainWindow::Companions{*m_links, *m_trayIcon, *m_settingsDialog, *m_aboutBox, *m_favouritesWindow,
                               *m_browserWindow});

    // What start-up shows, in its order: a list that cannot be read (and then
    // no welcome), the welcome notice as the settings allow, then what became
    // of the favourites file (the first-run message when there is none).
    EventGuard::run(*interaction, [this] {
        m_core.loadLists();
        if (!m_core.settings().noticesSuppressed())
            Notices(*m_interaction).welcome();
    });
    m_favouritesWindow->reportFileLoad(m_core.loadFavourites());
    EventGuard::run(*interaction, [this] { settleWhatEarlierRunsLeft(); });
    m_core.startRecoveryCopy();
}

void Program::settleWhatEarlierRunsLeft()
{
    const QStringList recovered = m_core.recoveredFoldersToName();
    if (!recovered.isEmpty()) {
        m_interaction->showMessage(
            QStringLiteral("Когда программа в прошлый раз завершалась вместе с сеансом, не все её файлы удалось "
                           "записать. То, что в них не попало, сохранено в папке:\n%1")
                .arg(recovered.join(u'\n')));
    }
    const std::optional<RecoveryCopy::Contents> left = m_core.leftByACrash();
    if (!left)
        return;
    QStringList what;
    if (left->additionCount() > 0)
        what << QStringLiteral("добавленные фразы (%1 шт.)").arg(left->additionCount());
    if (left->favourites)
        what << QStringLiteral("изменения в \"Избранном\"");
    if (m_interaction->askYesNo(QStringLiteral("В прошлый раз программа завершилась, не успев сохранить %1. Вернуть "
                                               "их в программу?\n\nЕсли нет, они будут отложены в папку %2.")
                                    .arg(what.join(QStringLiteral(" и ")),
                                         QDir::toNativeSeparators(m_core.recoveredFoldersRoot())))) {
        m_core.restore(*left);
        m_core.writeRecoveryCopy();
    } else {
        m_core.setAside(QDateTime::currentDateTime());
    }
}

void Program::saveForSessionEnd()
{
    try {
        if (const std::optional<QString> recovered = m_core.saveForSessionEnd(QDateTime::currentDateTime())) {
            std::fprintf(stderr, "%s\n",
                         QStringLiteral("yarnspin: не все файлы удалось записать в папку программы; их содержимое "
                                        "сохранено в папке %1")
                             .arg(QDir::toNativeSeparators(*recovered))
                             .toLocal8Bit()
                             .constData());
        }
    } catch (const AppError &error) {
        std::fprintf(stderr, "yarnspin: %s\n", error.what());
    }
}

Program::~Program() = default;

void Program::answerLaterStarts(SingleInstance &instance)
{
    QObject::connect(&instance, &SingleInstance::activationRequested, m_mainWindow.get(),
                     EventGuard::guarded(*m_interaction, m_mainWindow.get(), &MainWindow::restoreFromTray));
}
