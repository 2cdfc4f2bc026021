#include "app/CommandLine.h"

#include "base/Version.h"

#include <QCommandLineParser>

#include <algorithm>
#include <cstdio>

namespace {

// Qt's own options, which QApplication takes from the command line: a desktop
// that restores its session starts the program with "-session <id>", and
// "-platform" picks the window system. They may be written with one dash or
// two, and a value after a blank or an equals sign.
const QStringList qtOptionsWithValue{
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "session", "style", "stylesheet", "display", "geometry", "name", "visual", "qmljsdebugger"};
const QStringList qtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync"};
// X11's "-title <text>" is left out: it gives way to the program's --title.

// The option's name without dashes and value; empty for what is not an option.
QString optionName(const QString &argument)
{
    if (!argument.startsWith(u'-') || argument == u"-" || argument == u"--")
        return {};
    const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    return name.section(u'=', 0, 0);
}

std::optional<CompositionMode> modeNamed(const QString &name)
{
    if (name == u"account")
        return CompositionMode::Account;
    if (name == u"name")
        return CompositionMode::PlainName;
    return std::nullopt;
}

std::optional<CommandLine::Encoding> encodingNamed(const QString &name)
{
    if (name.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0)
        return CommandLine::Encoding::Utf8;
    if (name.compare(QLatin1String("windows-1251"), Qt::CaseInsensitive) == 0)
        return CommandLine::Encoding::Windows1251;
    return std::nullopt;
}

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    read(arguments);
}

void CommandLine::read(const QStringList &arguments)
{
    // Qt's own options are one dash and a word ("-platform xcb"), so every
    // option is read as a word, and "-h" and "-v" are words of one letter.
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption compose(QStringLiteral("compose"), {}, QStringLiteral("N"));
    const QCommandLineOption seed(QStringLiteral("seed"), {}, QStringLiteral("S"));
    const QCommandLineOption mode(QStringLiteral("mode"), {}, QStringLiteral("MODE"));
    const QCommandLineOption title(QStringLiteral("title"));
    const QCommandLineOption encoding(QStringLiteral("encoding"), {}, QStringLiteral("E"));
    QList<QCommandLineOption> options{help, version, compose, seed, mode, title, encoding};
    for (const QString &name : qtOptionsWithValue)
        options.append(QCommandLineOption(name, {}, QStringLiteral("value")));
    for (const QString &name : qtFlags)
        options.append(QCommandLineOption(name));
    parser.addOptions(options);

    if (!parser.parse(QStringList(QStringLiteral("yarnspin")) + arguments)) {
        // The parser's own reasons are in English: find the argument at fault.
        for (const QString &argument : arguments) {
            const QString name = optionName(argument);
            if (name.isEmpty())
                continue;
            const auto option = std::find_if(options.cbegin(), options.cend(),
                                             [&name](const QCommandLineOption &o) { return o.names().contains(name); });
            if (option == options.cend())
                return refuse(QStringLiteral("неизвестный параметр \"%1\"").arg(argument));
            const bool takesValue = !option->valueName().isEmpty();
            if (!takesValue && argument.contains(u'='))
                return refuse(QStringLiteral("у параметра \"%1\" не бывает значения").arg(argument));
            if (takesValue && !argument.contains(u'=') && &argument == &arguments.last())
                return refuse(QStringLiteral("после параметра \"%1\" нужно значение").arg(argument));
        }
        return refuse(parser.errorText());
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("неизвестный параметр \"%1\"").arg(parser.positionalArguments().first()));
    m_platformName = parser.value(QStringLiteral("platform"));

    if (parser.isSet(help) || parser.isSet(version)) {
        // Each is the whole command line: name what came with it.
        if (arguments.size() > 1) {
            const QString first = optionName(arguments.first());
            const bool firstIsKnown = help.names().contains(first) || version.names().contains(first);
            return refuse(QStringLiteral("неизвестный параметр \"%1\"").arg(arguments.at(firstIsKnown ? 1 : 0)));
        }
        m_standardOutput = parser.isSet(help) ? usage() : versionText() + u'\n';
        return;
    }

    if (!parser.isSet(compose)) {
        for (const QCommandLineOption &option : {seed, mode, title, encoding}) {
            if (parser.isSet(option))
                return refuse(
                    QStringLiteral("параметр --%1 действует только вместе с --compose").arg(option.names().first()));
        }
        m_startsProgram = true;
        return;
    }
    const auto badValue = [this](const QCommandLineOption &option, const QString &value) {
        refuse(QStringLiteral("недопустимое значение \"%1\" у параметра --%2").arg(value, option.names().first()));
    };
    Composition composition;
    bool ok = false;
    const QString count = parser.value(compose);
    composition.count = count.toULongLong(&ok);
    if (!ok || !count.front().isDigit())
        return badValue(compose, count);
    if (parser.isSet(seed)) {
        const QString value = parser.value(seed);
        composition.seed = value.toUInt(&ok);
        if (!ok || !value.front().isDigit())
            return badValue(seed, value);
    }
    if (parser.isSet(mode)) {
        composition.mode = modeNamed(parser.value(mode));
        if (!composition.mode)
            return badValue(mode, parser.value(mode));
    }
    if (parser.isSet(encoding)) {
        const std::optional<Encoding> named = encodingNamed(parser.value(encoding));
        if (!named)
            return badValue(encoding, parser.value(encoding));
        composition.encoding = *named;
    }
    composition.withTitles = parser.isSet(title);
    m_composition = composition;
}

void CommandLine::refuse(const QString &reason)
{
    m_standardError = QStringLiteral("yarnspin: ") + reason + u'\n' + usage();
    m_exitStatus = 2;
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
    return QStringLiteral(
        "Использование: yarnspin [--help | --version]\n"
        "       yarnspin --compose N [--seed S] [--mode account|name] [--title] [--encoding E]\n"
        "Сочиняет смешные твиты. Без параметров открывает главное окно программы.\n"
        "\n"
        "  -h, --help       показать эту справку и выйти\n"
        "  -v, --version    показать версию программы и выйти\n"
        "  --compose N      напечатать N твитов, по одному в строке, из списков программы\n"
        "                   и выйти; окно не открывается, рабочий стол не нужен\n"
        "  --seed S         начать генератор с числа S (от 0 до 4294967295) и больше не\n"
        "                   брать начальное значение с часов: одно и то же S с теми же\n"
        "                   списками даёт те же твиты на любой машине. Без --seed каждый\n"
        "                   твит, как в окне, начинается со значения часов\n"
        "  --mode account   герой твита - аккаунт с \"@\" (по умолчанию - режим из настроек)\n"
        "  --mode name      герой твита - простое имя\n"
        "  --title          печатать перед каждым твитом название сказки и табуляцию\n"
        "  --encoding E     кодировка вывода: utf-8 (по умолчанию) или windows-1251,\n"
        "                   кодировка файлов списков\n"
        "\n"
        "Генератор 32-битный: каждое число меняет состояние x на x * 134775813 + 1\n"
        "(по модулю 2^32) и даёт номер фразы в списке из n фраз, равный (n * x) / 2^32.\n"
        "На каждый твит - пять чисел: название, зачин, герой, действие, место.\n");
}
