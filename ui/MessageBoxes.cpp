#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include <utility>

namespace MessageBoxes {

namespace {

Interceptor &interceptor()
{
    static Interceptor hook;
    return hook;
}

bool &questionAnswer()
{
    static bool yes = false;
    return yes;
}

QMessageBox::Icon iconOf(Kind kind)
{
    switch (kind) {
    case Kind::Error: return QMessageBox::Critical;
    case Kind::Information: return QMessageBox::Information;
    case Kind::Warning: return QMessageBox::Warning;
    case Kind::Question: return QMessageBox::Question;
    case Kind::Plain: break;
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

QString applicationTitle()
{
    return QStringLiteral("Merovale Yarn");
}

QString errorText(const QString &message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

void show(QWidget *owner, Kind kind, const QString &caption, const QString &text)
{
    if (interceptor()) {
        interceptor()(Shown{kind, caption, text, owner});
        return;
    }
    if (owner) {
        QMessageBox box(iconOf(kind), caption, text, QMessageBox::Ok, owner);
        box.exec();
    } else {
        ScreenCentredBox box(iconOf(kind), caption, text, QMessageBox::Ok);
        box.exec();
    }
}

void showError(const QString &message)
{
    show(QApplication::activeWindow(), Kind::Error, applicationTitle(), errorText(message));
}

void showMessage(const QString &message)
{
    // Without an owner the box is still modal to the whole program.
    show(nullptr, Kind::Plain, applicationTitle(), message);
}

bool askYesNo(const QString &question)
{
    if (interceptor()) {
        interceptor()(Shown{Kind::Question, applicationTitle(), question});
        return questionAnswer();
    }
    QMessageBox box(QMessageBox::Question, applicationTitle(), question, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void setInterceptorForTesting(Interceptor hook)
{
    interceptor() = std::move(hook);
}

void setQuestionAnswerForTesting(bool yes)
{
    questionAnswer() = yes;
}

} // namespace MessageBoxes
