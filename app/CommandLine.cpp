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

// Qt's own options, which QApplication takes from the command line: a desktop
// that restores its session starts the program with "-session <id>", and
// "-platform" picks the window system. They may be written with one dash or
// two, and a value after a blank or an equals sign.
const QStringList qtOptionsWithValue{
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "session", "style", "stylesheet", "display", "geometry", "name", "title", "visual"};
const QStringList qtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync", "qmljsdebugger"};

// The option's name without dashes and value; empty for what is not an option.
QString optionName(const QString &argument)
{
    if (!argument.startsWith(u'-'))
        return {};
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    return name.section(u'=', 0, 0);
}

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    m_startsProgram = true;
    for (qsizetype i = 0; i < arguments.size() && m_startsProgram; ++i) {
        const QString name = optionName(arguments[i]);
        const bool hasValue = arguments[i].contains(u'=');
        if (qtOptionsWithValue.contains(name) && (hasValue || i + 1 < arguments.size())) {
            const QString value = hasValue ? arguments[i].section(u'=', 1) : arguments[++i];
            if (name == u"platform")
                m_platformName = value;
        } else if (!qtFlags.contains(name)) {
            m_startsProgram = false;
        }
    }
    if (m_startsProgram)
        return;
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
