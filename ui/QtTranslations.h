#pragma once

class QCoreApplication;

// Qt's own dialogs (file dialogs, the overwrite question, the print dialog,
// standard buttons) in the program's language, Russian, whatever the locale.
class QtTranslations
{
public:
    QtTranslations() = delete;

    // Loads Qt's Russian catalogue from Qt's translations folder; returns
    // false when it is not installed, and the dialogs stay in English.
    static bool install(QCoreApplication &application);
};
