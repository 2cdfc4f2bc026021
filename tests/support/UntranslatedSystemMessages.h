#pragma once

#include <clocale>

// Tests that compare the system's error texts ("No such file or directory")
// expect them untranslated, whatever the locale they were started in. Call
// this from initTestCase(): QCoreApplication's constructor takes the locale
// from the environment, so setting it before would be undone.
namespace UntranslatedSystemMessages {

inline void use()
{
    std::setlocale(LC_ALL, "C.UTF-8");
}

} // namespace UntranslatedSystemMessages
