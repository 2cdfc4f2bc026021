#pragma once

#include "journal/JournalView.h"

#include <QPlainTextEdit>
#include <QStringList>

// A plain-text area whose text, as the rest of the program sees it, has CR LF
// line ends: the tweet journal, the hidden last-tweet buffer.
class PlainJournalView : public QPlainTextEdit, public JournalView
{
    Q_OBJECT

public:
    explicit PlainJournalView(QWidget *parent = nullptr);

    // Costs the same however long the text is: autogeneration appends every
    // 50 ms for hours. Appends are not undo steps and clear the undo history,
    // so that history cannot grow with them; the view follows the end only
    // while the cursor sits there.
    void appendLine(const QString &line) override;
    QString text() const override;
    // Throws AppError for a text too long for the area, leaving the old text.
    void setText(const QString &text) override;
    bool isEmpty() const override;
    QString selectedText() const override;
    QStringList displayedRows() const override;

    void clear() override { QPlainTextEdit::clear(); }
    void selectAll() override { QPlainTextEdit::selectAll(); }
    void copy() override { QPlainTextEdit::copy(); }
    void cut() override { QPlainTextEdit::cut(); }
    void paste() override { QPlainTextEdit::paste(); }

    QWidget *widget() override { return this; }

protected:
    // Copy, cut and drag put the selection on the clipboard with CR LF.
    QMimeData *createMimeDataFromSelection() const override;
};
