#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

#include <cstdlib>
#include <cstdio>

// Reaches a window's control or menu item by its object name. A missing one
// ends the test run at once, naming it, rather than crashing on a null later.
template <typename T = QWidget>
T *control(const QObject *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found) {
        std::fprintf(stderr, "no control named \"%s\" of the expected type\n", name);
        std::abort();
    }
    return found;
}
