#pragma once

#include "shell/BrowserEngine.h"

#include <QtPlugin>

// What the engine module offers: the root object of the plugin the browser
// window loads at its first opening.
class BrowserEngineFactory
{
public:
    virtual ~BrowserEngineFactory() = default;

    // A new engine whose web view is a child of the parent.
    virtual BrowserEngine *create(QWidget *parent, BrowserEngine::Outside outside) = 0;
};

#define BrowserEngineFactory_iid "com.merovale.yarnspin.BrowserEngineFactory/1"
Q_DECLARE_INTERFACE(BrowserEngineFactory, BrowserEngineFactory_iid)
