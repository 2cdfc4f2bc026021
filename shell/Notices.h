#pragma once

class Interaction;

// The program's balloon notices. Callers decide whether the suppression
// setting lets one show.
class Notices
{
public:
    explicit Notices(Interaction &interaction);

    void welcome();
    void minimized();
    void autogenerationStarted();
    void products();
    void favourites();

private:
    Interaction &m_interaction;
};
