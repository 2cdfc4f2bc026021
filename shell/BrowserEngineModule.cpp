#include "shell/BrowserEngineModule.h"

#include "base/AppError.h"
#include "shell/BrowserEngineFactory.h"

#include <QCoreApplication>
#include <QDir>
#include <QOpenGLContext>
#include <QPluginLoader>

// QtGui's own setter of the shared GL context, exported but declared only in
// its private headers.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {

// The engine draws through a GL context shared with Qt's and crashes when
// there is none, with or without its software compositing. Qt makes that
// context at start-up when asked to (Qt::AA_ShareOpenGLContexts, which the
// engine's libraries ask for as they load, too late here), and that starts the
// GL driver at every start of the program; it is made here instead, as Qt
// would have made it, before the engine's libraries are loaded.
void makeSharedGlContext()
{
    if (QOpenGLContext::globalShareContext())
        return;
    // Lives as long as the process, like the one Qt makes.
    auto *context = new QOpenGLContext;
    context->create();
    qt_gl_set_global_share_context(context);
}

} // namespace

namespace BrowserEngineModule {

QString standardPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/modules/yarnspin-webengine.so");
}

BrowserEngineFactory &load(const QString &path)
{
    makeSharedGlContext();
    QPluginLoader module(path);
    module.setLoadHints(QLibrary::PreventUnloadHint);
    auto *factory = qobject_cast<BrowserEngineFactory *>(module.instance());
    if (!factory) {
        throw AppError(QStringLiteral("Встроенный веб-браузер не открывается: не удалось загрузить его модуль \"%1\" (%2)")
                           .arg(QDir::toNativeSeparators(path), module.errorString()));
    }
    return *factory;
}

} // namespace BrowserEngineModule
