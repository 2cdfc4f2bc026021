#pragma once

#include <QString>

class BrowserEngineFactory;

// The module with the web engine's share of the browser window. It is loaded
// at the window's first opening and stays loaded until the program ends.
namespace BrowserEngineModule {

// The module's file in the modules folder beside the program's executable.
QString standardPath();

// Loads the module (a module loaded before is not loaded again) and gives its
// engine factory; throws AppError naming the file when it cannot.
BrowserEngineFactory &load(const QString &path);

} // namespace BrowserEngineModule
