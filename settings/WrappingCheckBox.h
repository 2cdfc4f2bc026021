#pragma once

#include <QCheckBox>

// A check box whose caption wraps onto further lines, so the dialog's long
// captions fit its fixed width while text() stays the caption itself.
class WrappingCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit WrappingCheckBox(const QString &text, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &position) const override;

private:
    // Where the caption starts: the indicator's width and the gap after it.
    int captionIndent() const;
    QRect captionRect(int width) const;
    QStyleOptionButton indicatorOption() const;
};
