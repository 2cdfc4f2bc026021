#include "journal/TweetFile.h"

#include "base/FileIO.h"
#include "base/Windows1251.h"

namespace TweetFile {

QString read(const QString &path)
{
    return Windows1251::decode(FileIO::readWholeFile(path));
}

void write(const QString &path, const QString &text)
{
    FileIO::writeWholeFile(path, Windows1251::encodeOrThrow(text));
}

} // namespace TweetFile
