#include "ui/LineNumberGutter.h"

#include "ui/LineNumberedEditor.h"

LineNumberGutter::LineNumberGutter(LineNumberedEditor *editor)
    : QWidget(editor)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("gutter"));
}

QSize LineNumberGutter::sizeHint() const
{
    return QSize(m_editor->gutterWidth(), 0);
}

void LineNumberGutter::paintEvent(QPaintEvent *event)
{
    m_editor->paintGutter(event);
}
