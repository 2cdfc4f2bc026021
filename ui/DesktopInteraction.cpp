#include "ui/DesktopInteraction.h"

#include "ui/FileDialogs.h"
#include "ui/InputBox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QUrl>

namespace {

QMessageBox::Icon iconOf(Interaction::BoxKind kind)
{
    switch (kind) {
    case Interaction::BoxKind::Error: return QMessageBox::Critical;
    case Interaction::BoxKind::Information: return QMessageBox::Information;
    case Interaction::BoxKind::Warning: return QMessageBox::Warning;
    case Interaction::BoxKind::Plain: break;
    }
    return QMessageBox::NoIcon;
}

// Qt would place an ownerless box over the active window; it belongs at the
// centre of the screen that window is on. Placed once its size is known.
class ScreenCentredBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        if (parentWidget())
            return;
        const QWidget *active = QApplication::activeWindow();
        const QScreen *shownOn = active ? active->screen() : QGuiApplication::primaryScreen();
        if (!shownOn)
            return;
        QRect frame = frameGeometry();
        frame.moveCenter(shownOn->availableGeometry().center());
        move(frame.topLeft());
    }
};

} // namespace

DesktopInteraction::DesktopInteraction(NoticeDisplay noticeDisplay)
    : m_noticeDisplay(std::move(noticeDisplay))
{
}

DesktopInteraction::~DesktopInteraction() = default;

void DesktopInteraction::showBox(const Box &box)
{
    ScreenCentredBox shown(iconOf(box.kind), box.caption, box.text, QMessageBox::Ok, box.owner);
    // Messages carry paths, list entries and typed text: never taken for markup.
    shown.setTextFormat(Qt::PlainText);
    shown.exec();
}

bool DesktopInteraction::askYesNo(const QString &question)
{
    QMessageBox box(QMessageBox::Question, applicationTitle(), question, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DesktopInteraction::askText(QWidget *parent, const QString &caption, const QString &prompt)
{
    return InputBox::ask(parent, caption, prompt);
}

QString DesktopInteraction::chooseFileToOpen(QWidget *parent, const QString &title, const QStringList &nameFilters)
{
    return FileDialogs::openFile(parent, title, nameFilters);
}

QString DesktopInteraction::chooseFileToSave(QWidget *parent, const QString &title, const QStringList &nameFilters,
                                             const QString &defaultSuffix)
{
    return FileDialogs::saveFile(parent, title, nameFilters, defaultSuffix);
}

QPrinter *DesktopInteraction::choosePrinter(QWidget *parent)
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(m_printer.get(), parent);
    // Printing writes every line; a page range chosen here would be ignored.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted ? m_printer.get() : nullptr;
}

void DesktopInteraction::openOnDesktop(const QUrl &address)
{
    QDesktopServices::openUrl(address);
}

void DesktopInteraction::showNotice(const QString &title, const QString &text)
{
    if (m_noticeDisplay)
        m_noticeDisplay(title, text);
}
