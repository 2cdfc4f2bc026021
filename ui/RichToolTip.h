#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QApplication;
class RichToolTipWindow;
class QWidget;

// Draws the tool-tips of every window in the program's own look. It watches
// the whole application: a widget's tool-tip request is answered with the
// program's hint window instead of the standard one.
class RichToolTip : public QObject
{
public:
    // Installs the filter once; later calls do nothing.
    static void install(QApplication &application);

    // The hint being shown, for tests; empty when none is visible.
    static QString shownText();

    ~RichToolTip() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit RichToolTip(QApplication &application);

    bool showFor(QWidget *widget, const QPoint &globalPos);
    void hide();

    // Made on demand and dropped once hidden, like Qt's own hint label.
    QPointer<RichToolTipWindow> m_window;
    QPointer<QWidget> m_target;
    QMetaObject::Connection m_targetDestroyed;
    QTimer m_hideTimer;
};
