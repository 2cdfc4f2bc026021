#pragma once

#include "ui/Interaction.h"

#include <QList>
#include <QPrinter>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

// Stands in for the desktop in tests: records every box, question, notice
// and address handed over, and answers the questions, the input box and the
// file and print dialogs as the test says.
class RecordedInteraction : public Interaction
{
public:
    // A box or a question, in the order they came.
    struct Shown
    {
        enum class Kind { Error, Plain, Information, Warning, Question };
        Kind kind;
        QString caption;
        QString text;
        QWidget *owner = nullptr;
    };

    QList<Shown> shown;
    // Questions get this answer (No unless a test says otherwise).
    bool questionAnswer = false;
    // The input box's answer; Cancel unless a test says otherwise.
    std::function<std::optional<QString>(const QString &caption, const QString &prompt)> textAnswer;
    // The path each file dialog picks, by its title; empty: cancelled.
    std::function<QString(const QString &title)> fileAnswer;
    // Whether the print dialog is accepted; its printer writes where the test says.
    bool printAnswer = false;
    QList<QUrl> openedOnDesktop;
    // Each notice as "title|text".
    QStringList notices;

    QPrinter &printer()
    {
        if (!m_printer)
            m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        return *m_printer;
    }

    QStringList noticeTitles() const
    {
        QStringList titles;
        for (const QString &notice : notices)
            titles << notice.section(u'|', 0, 0);
        return titles;
    }

    void showBox(const Box &box) override
    {
        shown.append({Shown::Kind(int(box.kind)), box.caption, box.text, box.owner});
    }

    bool askYesNo(const QString &question) override
    {
        shown.append({Shown::Kind::Question, applicationTitle(), question, nullptr});
        return questionAnswer;
    }

    std::optional<QString> askText(QWidget *, const QString &caption, const QString &prompt) override
    {
        return textAnswer ? textAnswer(caption, prompt) : std::nullopt;
    }

    QString chooseFileToOpen(QWidget *, const QString &title, const QStringList &) override
    {
        return fileAnswer ? fileAnswer(title) : QString();
    }

    QString chooseFileToSave(QWidget *, const QString &title, const QStringList &, const QString &) override
    {
        return fileAnswer ? fileAnswer(title) : QString();
    }

    QPrinter *choosePrinter(QWidget *) override { return printAnswer ? &printer() : nullptr; }

    void openOnDesktop(const QUrl &address) override { openedOnDesktop.append(address); }

    void showNotice(const QString &title, const QString &text) override { notices << title + u'|' + text; }

private:
    std::unique_ptr<QPrinter> m_printer;
};
