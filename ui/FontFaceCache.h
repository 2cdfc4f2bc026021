#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Font faces the program makes from installed font files, kept on disk so
// that later starts load a made face by name: making one means reading and
// rewriting the whole source face, which costs a start more than loading the
// kept file does.
class FontFaceCache
{
public:
    // folder: a private folder to keep the faces in; empty keeps none.
    explicit FontFaceCache(QString folder);

    // Adds the family's face in this style to the application's fonts: the
    // kept copy made from the same sources (names, sizes, modification times)
    // when one loads as that family, otherwise what make() returns, which is
    // then kept in place of copies made from other sources. Whether a face
    // was added.
    bool add(const QString &family, const QString &style, const QStringList &sources,
             const std::function<QByteArray()> &make) const;

private:
    void keep(const QString &file, const QString &sameFaceFiles, const QByteArray &face) const;

    QString m_folder;
};
