#pragma once

#include "base/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A program folder of its own for each test: Lists/ with small known lists
// and an empty "Config files/".
class ScratchProgramFolder
{
public:
    ScratchProgramFolder()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("Lists"));
        QDir(m_dir.path()).mkpath(QStringLiteral("Config files"));
        writeList(QStringLiteral("thenames.txt"), "\xc3\xf0\xf3\xf1\xf2\xed\xe0\xff \xf1\xea\xe0\xe7\xea\xe0\r\n");
        writeList(QStringLiteral("names.txt"), "kotofeich\r\n");
        writeList(QStringLiteral("justnames.txt"), "\xc2\xee\xf0\xee\xe1\xe5\xe9\r\n");
        writeList(QStringLiteral("actions.txt"), "\xef\xee\xe3\xf3\xeb\xff\xf2\xfc\r\n");
        writeList(QStringLiteral("places.txt"), "\xed\xe0 \xe1\xee\xeb\xee\xf2\xe5.\r\n");
    }

    ProgramFolder folder() const { return ProgramFolder(m_dir.path()); }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    void writeList(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(QStringLiteral("Lists/") + name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }

    QByteArray read(const QString &relative) const
    {
        QFile file(path(relative));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    void writeSettings(const QByteArray &ini)
    {
        QFile file(path(QStringLiteral("Config files/yarnconfig.ini")));
        file.open(QIODevice::WriteOnly);
        file.write(ini);
    }

private:
    QTemporaryDir m_dir;
};
