#pragma once

#include <QtGlobal>

#include <clocale>

// Tests that compare the system's error texts ("No such file or directory")
// expect them untranslated, whatever the locale they were started in. Call
// this from initTestCase(): QCoreApplication's constructor takes the locale
// from the environment, so setting it before would be undone.
namespace UntranslatedSystemMessages {

// Returns whether the untranslated locale could be set.
inline bool use()
{
    qunsetenv("LANGUAGE");
    return std::setlocale(LC_ALL, "C.UTF-8") != nullptr;
}

} // namespace UntranslatedSystemMessages
