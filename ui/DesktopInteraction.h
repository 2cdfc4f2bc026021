#pragma once

#include "ui/Interaction.h"

#include <functional>
#include <memory>

class QPrinter;

// The real dialogs, boxes and desktop handlers of the program.
class DesktopInteraction : public Interaction
{
public:
    // Notices go to the given display: the program's tray icon.
    using NoticeDisplay = std::function<void(const QString &title, const QString &text)>;
    explicit DesktopInteraction(NoticeDisplay noticeDisplay);
    ~DesktopInteraction() override;

    void showBox(const Box &box) override;
    bool askYesNo(const QString &question) override;
    std::optional<QString> askText(QWidget *parent, const QString &caption, const QString &prompt) override;
    QString chooseFileToOpen(QWidget *parent, const QString &title, const QStringList &nameFilters) override;
    QString chooseFileToSave(QWidget *parent, const QString &title, const QStringList &nameFilters,
                             const QString &defaultSuffix) override;
    QPrinter *choosePrinter(QWidget *parent) override;
    void openOnDesktop(const QUrl &address) override;
    void showNotice(const QString &title, const QString &text) override;

private:
    NoticeDisplay m_noticeDisplay;
    std::unique_ptr<QPrinter> m_printer;
};
