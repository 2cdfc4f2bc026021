#pragma once

#include "journal/JournalStore.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class InputDeferral;
class Interaction;
class JournalTextArea;
namespace platform {
class FileChunkReader;
}

// Reads a tweet file into a journal text area a slice at a time from the
// event loop, so that even a file of some hundreds of megabytes never holds
// the window for more than a moment. The bytes go into the store as they
// are, every CR LF, lone CR and lone LF ending a line. The area keeps its old
// text until the whole file is in, then takes the new one in one step; the
// user's input meanwhile waits (InputDeferral).
class TweetFileLoader : public QObject
{
public:
    struct Pace
    {
        qsizetype pieceBytes = 1024 * 1024;
        int sliceMilliseconds = 40;
    };

    explicit TweetFileLoader(JournalTextArea &area);
    TweetFileLoader(JournalTextArea &area, Pace pace);
    ~TweetFileLoader() override;

    // Reads the first slice at once, so a small file is in when this
    // returns, and the rest later; `loaded` runs once the text is the area's.
    // Throws AppError for a file that cannot be opened or that is larger
    // than the area holds; an error in a later slice is shown by the error
    // box of `interaction`.
    void open(const QString &path, Interaction &interaction, std::function<void()> loaded);

private:
    // True once the whole file is read.
    bool readSlice();
    void continueLater();
    void finish();
    void abandon();

    JournalTextArea &m_area;
    Pace m_pace;
    QString m_path;
    Interaction *m_interaction = nullptr;
    std::function<void()> m_loaded;
    std::unique_ptr<platform::FileChunkReader> m_reader;
    JournalStore m_text;
    qsizetype m_bytesRead = 0;
    bool m_afterCr = false;
    std::unique_ptr<InputDeferral> m_deferral;
};
