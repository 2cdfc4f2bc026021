#include "journal/TweetFile.h"

#include "base/FileIO.h"
#include "base/Windows1251.h"
#include "ui/Interaction.h"

namespace TweetFile {

QString read(const QString &path)
{
    return Windows1251::decode(FileIO::readWholeFile(path));
}

void write(const QString &path, const QString &text)
{
    FileIO::writeWholeFile(path, Windows1251::encodeOrThrow(text));
}

QString chooseSavePath(Interaction &interaction, QWidget *parent)
{
    return interaction.chooseFileToSave(parent, QStringLiteral("Сохранить твиты в файл"),
                                        {QStringLiteral("Файл Yarnspin (*.yrn)"), QStringLiteral("Текстовый файл (*.txt)")},
                                        QStringLiteral("yrn"));
}

} // namespace TweetFile
