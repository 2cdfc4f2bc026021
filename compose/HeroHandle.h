#pragma once

#include <QString>

// What the hero link opens: an account handle, stored by composing in account
// mode and by "Помогите нашему проекту!..", or a complete address, stored by
// "Рассказать другу". Empty at start.
struct HeroHandle
{
    QString text;
    bool isAddress = false;
};
