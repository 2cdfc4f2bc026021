#pragma once

#include <QWidget>

class LineNumberedEditor;

// The strip left of a LineNumberedEditor's text; the editor paints it, as
// only the editor knows where its rows are.
class LineNumberGutter : public QWidget
{
    Q_OBJECT

public:
    explicit LineNumberGutter(LineNumberedEditor *editor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LineNumberedEditor *m_editor;
};
