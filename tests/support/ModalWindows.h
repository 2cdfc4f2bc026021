#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace ModalWindows {

// Runs the action on the modal window as soon as it is up.
inline void whenModalShown(std::function<void(QWidget *)> action)
{
    QTimer::singleShot(0, qApp, [action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            QTimer::singleShot(10, qApp, [action] { whenModalShown(action); });
            return;
        }
        QPointer<QWidget> box = modal;
        action(modal);
        // A failed check inside the action must not leave the test hanging.
        if (auto *dialog = qobject_cast<QDialog *>(box.data()); dialog && dialog->isVisible())
            dialog->reject();
    });
}

} // namespace ModalWindows
