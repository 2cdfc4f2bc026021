#pragma once

#include "shell/BrowserEngineFactory.h"

#include <QObject>

// The engine module's root object.
class WebEngineFactory : public QObject, public BrowserEngineFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID BrowserEngineFactory_iid)
    Q_INTERFACES(BrowserEngineFactory)

public:
    BrowserEngine *create(QWidget *parent, BrowserEngine::Outside outside) override;
};
