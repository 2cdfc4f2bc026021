#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <functional>

#include <unistd.h>

// Read-only files mean nothing to root, who may write any file. Such cases
// run their checks as the ordinary user "nobody": the test program runs again
// under setpriv with only the one test function, and finds the file's path in
// the environment.
namespace OrdinaryUser {

inline const char *pathVariable()
{
    return "YARNSPIN_ORDINARY_USER_PATH";
}

// The user "nobody".
constexpr unsigned userId = 65534;

// The arguments that make setpriv run program as that user.
inline QStringList setprivArguments(const QString &program, const QStringList &arguments = {})
{
    return QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                       QStringLiteral("--clear-groups"), program}
           + arguments;
}

// The path handed over, when this process is that second run; else empty.
inline QString handedOverPath()
{
    return qEnvironmentVariable(pathVariable());
}

// Lets the ordinary user into a scratch folder, to find the file in it.
inline bool openToEveryone(const QString &folder)
{
    return QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                             | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

// Runs the checks as an ordinary user: in this process when it is not root,
// otherwise as the test function testFunction of a copy of this program in
// scratchFolder (which nobody must be able to enter). Returns what went
// wrong, or an empty text.
inline QString verify(const char *testFunction, const QString &path, const QString &scratchFolder,
                      const std::function<void()> &checks)
{
    if (geteuid() != 0) {
        qputenv(pathVariable(), path.toLocal8Bit());
        checks();
        qunsetenv(pathVariable());
        return QTest::currentTestFailed() ? QStringLiteral("the checks failed") : QString();
    }
    const QString copy = QDir(scratchFolder).filePath(QStringLiteral("ordinary-user-run"));
    if (!QFile::copy(QCoreApplication::applicationFilePath(), copy))
        return QStringLiteral("cannot copy the test program to ") + copy;
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(pathVariable()), path);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"), setprivArguments(copy, {QString::fromLatin1(testFunction)}));
    if (!child.waitForFinished())
        return QStringLiteral("setpriv did not finish");
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return QString::fromLocal8Bit(child.readAll());
    return {};
}

} // namespace OrdinaryUser
