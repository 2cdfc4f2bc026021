#include "ui/FileDialogs.h"

#include <QFileDialog>

QString FileDialogs::openFile(QWidget *parent, const QString &title, const QStringList &nameFilters)
{
    return choose(parent, title, nameFilters, false, QString(), QString());
}

QString FileDialogs::saveFile(QWidget *parent, const QString &title, const QStringList &nameFilters,
                              const QString &defaultSuffix, const QString &initialPath)
{
    return choose(parent, title, nameFilters, true, defaultSuffix, initialPath);
}

QString FileDialogs::choose(QWidget *parent, const QString &title, const QStringList &nameFilters,
                            bool saving, const QString &defaultSuffix, const QString &startPath)
{
    QFileDialog dialog(parent, title);
    dialog.setNameFilters(nameFilters);
    if (saving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!startPath.isEmpty()) {
        const QFileInfo start(startPath);
        if (start.isDir()) {
            dialog.setDirectory(startPath);
        } else {
            dialog.setDirectory(start.absolutePath());
            dialog.selectFile(start.fileName());
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
