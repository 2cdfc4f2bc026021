#include "shell/webengine/WebEngineFactory.h"

#include "shell/webengine/WebEngineBrowser.h"

#include <utility>

BrowserEngine *WebEngineFactory::create(QWidget *parent, BrowserEngine::Outside outside)
{
    return new WebEngineBrowser(std::move(outside), parent);
}
