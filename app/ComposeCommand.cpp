#include "app/ComposeCommand.h"

#include "base/AppError.h"
#include "base/ProgramFolder.h"
#include "base/Windows1251.h"
#include "compose/PhraseBook.h"
#include "compose/RandomGenerator.h"
#include "settings/Settings.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace {

void say(std::FILE *errors, const QString &text)
{
    std::fputs((QStringLiteral("yarnspin: ") + text + u'\n').toLocal8Bit().constData(), errors);
}

} // namespace

ComposeCommand::ComposeCommand(CommandLine::Composition composition)
    : m_composition(std::move(composition))
{
}

int ComposeCommand::run(const ProgramFolder &folder, std::FILE *out, std::FILE *errors) const
{
    const std::optional<CompositionMode> mode =
        m_composition.mode ? m_composition.mode : Settings(Settings::filePathIn(folder)).compositionMode();
    if (!mode) {
        say(errors, QStringLiteral("в настройках программы не выбрано, кто герой твита (аккаунт или простое имя); "
                                   "укажите --mode account или --mode name"));
        return 1;
    }
    PhraseBook phrases;
    try {
        phrases.loadAll(folder);
    } catch (const AppError &error) {
        say(errors, error.message());
        return 1;
    }
    RandomGenerator random = m_composition.seed ? RandomGenerator::fromSeed(*m_composition.seed) : RandomGenerator();
    TweetComposer composer(phrases, random);

    const bool utf8 = m_composition.encoding == CommandLine::Encoding::Utf8;
    const auto encoded = [utf8](const QByteArray &listText) {
        return utf8 ? Windows1251::decode(listText).toUtf8() : listText;
    };
    QByteArray line;
    for (quint64 i = 0; i < m_composition.count; ++i) {
        const ComposedTweet tweet = composer.compose(*mode);
        line.clear();
        if (m_composition.withTitles) {
            line += encoded(tweet.title);
            line += '\t';
        }
        line += encoded(tweet.line);
        line += '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), out);
    }
    if (std::fflush(out) != 0 || std::ferror(out)) {
        say(errors, QStringLiteral("не удалось вывести твиты: ") + QString::fromLocal8Bit(std::strerror(errno)));
        return 1;
    }
    return 0;
}
