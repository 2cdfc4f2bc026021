#include "journal/TweetFileLoader.h"

#include "base/AppError.h"
#include "journal/JournalTextArea.h"
#include "platform/FileChunkReader.h"
#include "ui/EventGuard.h"
#include "ui/InputDeferral.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {

AppError tooLarge()
{
    return AppError(QStringLiteral("Text exceeds memo capacity"));
}

} // namespace

TweetFileLoader::TweetFileLoader(JournalTextArea &area)
    : TweetFileLoader(area, Pace())
{
}

TweetFileLoader::TweetFileLoader(JournalTextArea &area, Pace pace)
    : m_area(area)
    , m_pace(pace)
{
}

TweetFileLoader::~TweetFileLoader() = default;

void TweetFileLoader::open(const QString &path, Interaction &interaction, std::function<void()> loaded)
{
    abandon();
    auto reader = std::make_unique<platform::FileChunkReader>();
    if (const int error = reader->open(path))
        throw AppError::cannotOpenFile(path, error);
    if (reader->size() > JournalTextArea::capacity())
        throw tooLarge();
    m_path = path;
    m_interaction = &interaction;
    m_loaded = std::move(loaded);
    m_reader = std::move(reader);
    try {
        if (readSlice()) {
            finish();
            return;
        }
    } catch (...) {
        abandon();
        throw;
    }
    m_deferral = std::make_unique<InputDeferral>();
    continueLater();
}

bool TweetFileLoader::readSlice()
{
    QElapsedTimer slice;
    slice.start();
    QByteArray piece;
    QByteArray lines;
    do {
        if (const int error = m_reader->read(piece, m_pace.pieceBytes))
            throw AppError::cannotOpenFile(m_path, error);
        if (piece.isEmpty())
            return true;
        m_bytesRead += piece.size();
        if (m_bytesRead > JournalTextArea::capacity())
            throw tooLarge();
        // CR LF, CR and LF become '\n'; a CR ending one piece may pair with an LF starting the next.
        lines.resize(piece.size());
        char *out = lines.data();
        const char *in = piece.constData();
        const char *end = in + piece.size();
        if (m_afterCr && *in == '\n')
            ++in;
        for (; in != end; ++in) {
            if (*in == '\r') {
                *out++ = '\n';
                if (in + 1 != end && in[1] == '\n')
                    ++in;
            } else {
                *out++ = *in;
            }
        }
        m_afterCr = piece.back() == '\r';
        lines.truncate(out - lines.constData());
        m_text.appendBytes(lines);
    } while (slice.elapsed() < m_pace.sliceMilliseconds);
    return false;
}

void TweetFileLoader::continueLater()
{
    QTimer::singleShot(0, this, [this] {
        EventGuard::run(*m_interaction, [this] {
            try {
                if (readSlice())
                    finish();
                else
                    continueLater();
            } catch (...) {
                // The error box must take the clicks that were waiting.
                abandon();
                throw;
            }
        });
    });
}

void TweetFileLoader::finish()
{
    m_reader.reset();
    m_area.replaceText(std::move(m_text));
    m_text = JournalStore();
    const std::function<void()> loaded = std::move(m_loaded);
    m_loaded = nullptr;
    if (loaded)
        loaded();
    m_deferral.reset();
}

void TweetFileLoader::abandon()
{
    m_deferral.reset();
    m_reader.reset();
    m_text.clear();
    m_bytesRead = 0;
    m_afterCr = false;
    m_loaded = nullptr;
}
