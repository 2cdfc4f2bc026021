#include "app/CommandLine.h"

#include "base/Version.h"

#include <cstdio>

namespace {

bool isVersion(const QString &option)
{
    return option == QLatin1String("--version") || option == QLatin1String("-v");
}

bool isHelp(const QString &option)
{
    return option == QLatin1String("--help") || option == QLatin1String("-h");
}

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    if (arguments.isEmpty()) {
        m_startsProgram = true;
        return;
    }
    const QString &option = arguments.first();
    const bool known = isVersion(option) || isHelp(option);
    if (arguments.size() == 1 && isVersion(option)) {
        m_standardOutput = versionText() + u'\n';
    } else if (arguments.size() == 1 && isHelp(option)) {
        m_standardOutput = usage();
    } else {
        // A known option takes nothing after it: name what follows it.
        const QString unknown = known ? arguments.at(1) : option;
        m_standardError = QStringLiteral("yarnspin: неизвестный параметр \"%1\"\n").arg(unknown) + usage();
        m_exitStatus = 2;
    }
}

int CommandLine::answer() const
{
    std::fputs(m_standardOutput.toLocal8Bit().constData(), stdout);
    std::fputs(m_standardError.toLocal8Bit().constData(), stderr);
    return m_exitStatus;
}

int CommandLine::noDisplay()
{
    std::fputs(QStringLiteral("yarnspin: программе нужен графический рабочий стол, а переменные DISPLAY и "
                              "WAYLAND_DISPLAY не заданы.\n")
                   .toLocal8Bit()
                   .constData(),
               stderr);
    return 1;
}

QString CommandLine::versionText()
{
    return QStringLiteral("Merovale Yarnspin ") + QLatin1String(Version::text);
}

QString CommandLine::usage()
{
    return QStringLiteral("Использование: yarnspin [--help | --version]\n"
                          "Сочиняет смешные твиты. Без параметров открывает главное окно программы.\n"
                          "\n"
                          "  -h, --help     показать эту справку и выйти\n"
                          "  -v, --version  показать версию программы и выйти\n");
}
