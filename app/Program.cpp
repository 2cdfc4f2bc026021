#include "app/Program.h"

#include "app/TForm1.h"
#include "base/AppError.h"
#include "settings/TForm6.h"
#include "shell/TForm2.h"
#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QIcon>

static void initArtwork()
{
    Q_INIT_RESOURCE(artwork);
}

Program::Program()
{
    initArtwork();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/artwork/icon-256.png")));
    m_form1 = std::make_unique<TForm1>();
    m_form2 = std::make_unique<TForm2>();
    Form2 = m_form2.get();
    loadFavourites(*m_form1);
    m_form6 = std::make_unique<TForm6>();
    Form6 = m_form6.get();
}

Program::~Program()
{
    Form6 = nullptr;
    Form2 = nullptr;
}

void Program::loadFavourites(TForm1 &mainWindow)
{
    try {
        mainWindow.favourites().load(FavouritesText::filePath());
    } catch (const AppError &) {
        // Typically the very first start: the file appears at the first normal end.
        MessageBoxes::show(nullptr, MessageBoxes::Kind::Information, QStringLiteral("Merovale Yarnspin"),
                           QStringLiteral("Это первый запуск программы Merovale Yarnspin на Вашем компьютере. Сейчас "
                                          "будет создан файл \"Избранного\", куда Вы сможете копировать самые смешные "
                                          "твиты. Приятного времени вместе с Merovale Yarnspin!"));
    }
}
