#pragma once

#include <QString>

class Interaction;
class QWidget;

// A tweet file holds the journal's text unchanged: 8-bit Windows-1251, no
// header, CR LF line ends and a final line end only where the journal has one.
namespace TweetFile {

// The file's text as it is, line ends included; throws the open error.
QString read(const QString &path);

// Replaces the file in one step. Text the code page cannot hold is refused
// before anything is written, so the old file stays as it was.
void write(const QString &path, const QString &text);

// The save dialog of tweet files, ".yrn" offered first and ".txt" second;
// empty when the user cancels. The journal and the favourites both save through it.
QString chooseSavePath(Interaction &interaction, QWidget *parent);

} // namespace TweetFile
