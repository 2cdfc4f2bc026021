#pragma once

#include <QPixmap>
#include <QPushButton>

// A push button carrying a PNG glyph, optionally with a caption beside it.
// While disabled the glyph is drawn in grey. Without a caption it is a
// glyph-only button.
class ImageButton : public QPushButton
{
    Q_OBJECT

public:
    explicit ImageButton(const QPixmap &glyph, const QString &caption = QString(), QWidget *parent = nullptr);
    // The glyph is loaded from a file or resource path (":/...").
    explicit ImageButton(const QString &glyphPath, const QString &caption = QString(),
                         QWidget *parent = nullptr);

    void setGlyph(const QPixmap &glyph);

    // The glyph as the button currently draws it (grey while disabled).
    QPixmap shownGlyph() const;

    // The glyph turned to light grey, transparency kept.
    static QPixmap greyed(const QPixmap &glyph);
};
