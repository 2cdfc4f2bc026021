#pragma once

#include <memory>

class TForm1;
class TForm2;
class TForm6;

// The program's windows, created in start-up order and living until it ends.
class Program
{
public:
    Program();
    ~Program();

    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    TForm1 &mainWindow() { return *m_form1; }

private:
    static void loadFavourites(TForm1 &mainWindow);

    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<TForm6> m_form6;
};
