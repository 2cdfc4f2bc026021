#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <memory>
#include <utility>
#include <vector>

// While a long job runs a slice at a time from the event loop, the window
// keeps painting, but what the user types or clicks meanwhile waits for the
// job, as it would have waited for one long step: keys, clicks, drags, wheel
// turns and input-method text are held in order and handed on once the job is
// done (or this object goes). The wait cursor shows meanwhile.
class InputDeferral : public QObject
{
public:
    InputDeferral();
    ~InputDeferral() override;

    // Ends the wait: the held input is posted to where it was going, in order.
    void release();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_held;
    bool m_active = true;
};
