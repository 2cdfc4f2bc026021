#pragma once

#include <QCache>
#include <QLabel>

#include <memory>

class QTextLayout;

// A plain-text label that lays out only the part of its text that can be
// seen. Its text stays whole (text() returns it), but a line of tens of
// megabytes from a phrase list is measured and drawn as the few thousand
// characters that could reach the screen, so showing it never stalls the
// window. Short texts look and measure exactly as in a QLabel.
class LongTextLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LongTextLabel(const QString &text = QString(), QWidget *parent = nullptr);
    ~LongTextLabel() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The part of a text that can show in a box of this width: the whole
    // text when it is short, else as many characters as could fill the
    // width several times over (every character is at least a pixel wide),
    // from the end that shows (the right end for right-aligned text).
    static QString visiblePart(const QString &text, int width, Qt::Alignment alignment);

    // The most characters of one line that any label or hint could show, even
    // one sized to its whole text: enough to fill the widest screen several
    // times over.
    static constexpr qsizetype mostShown = 32768;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    // The text as drawn and measured.
    QString visibleText() const;

private:
    // The widest the label could show: its screen's width.
    int reach() const;
    // The visible text as one unwrapped line, laid out once for both its size
    // and its painting: the title line is set anew with every tweet, twenty
    // times a second in autogeneration. Null where the text is empty or holds
    // line breaks or tabs, or wraps: the style's drawing handles those.
    const QTextLayout *singleLine() const;
    // After a new text or font. A short text's layout is kept for when the
    // text comes back.
    void forgetLayout() const;

    mutable QString m_source;
    mutable QString m_visible;
    mutable QSize m_sizeHint;
    mutable std::unique_ptr<QTextLayout> m_singleLine;
    mutable bool m_singleLineChecked = false;
    // Layouts of recent short texts in the current font: the title line shows
    // one of a few dozen titles again and again, twenty times a second, and
    // laying out its bold face was a tenth of what autogeneration costs.
    mutable QCache<QString, QTextLayout> m_keptLayouts;
};
