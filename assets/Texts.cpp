#include "assets/Texts.h"

TTongue tongue = TTongue::NotChosen;

namespace {

const TTexts kGerman{
    QStringLiteral("Ich fang neu an."),
    QStringLiteral("Worum geht's da eigentlich?"),
    QStringLiteral("Ich brauch eine kurze Pause."),
    QStringLiteral("Die Geräusche mag ich nicht immer."),
    QStringLiteral("Wer sind die Besten?"),
    QStringLiteral("Ich hab genug!"),
    QStringLiteral("I don't speak german."),
    QStringLiteral("Wer hat diese Spiele nur verbrochen?"),
    QStringLiteral("Hurra, es gibt noch mehr Blumo Games."),
    QStringLiteral("Spiel angehalten! Linke Maustaste zum weitermachen."),
    QStringLiteral("Stufe:"),
    QStringLiteral("Punkte:"),
    QStringLiteral("Das Spiel ist leider aus!"),
    QStringLiteral("Willst Du das Spiel wirklich von vorne beginnen?"),
    QStringLiteral("Willst Du wirklich schon aufhören?"),
    QStringLiteral("Ja"),
    QStringLiteral("Nein"),
    QStringLiteral("Info über ..."),
    QStringLiteral("programmiert in C++ mit Qt"),
    QStringLiteral("Sprache"),
    QStringLiteral("Novagrid - Bestenliste"),
    QStringLiteral("Alle Einträge löschen."),
    QStringLiteral("Abbruch"),
    QStringLiteral("Klick auf die Bombe, um ein Spiel zu beginnen (Strg+N)."),
    QStringLiteral("Pause, wenn das Fenster nicht mehr aktiv ist"),
    QStringLiteral("Deine Bilanz"),
    QStringLiteral("Gespielt:"),
    QStringLiteral("Zeit abgelaufen:"),
    QStringLiteral("Beste Punkte:"),
    QStringLiteral("Höchste Stufe:"),
    QStringLiteral("Gruppen geräumt:"),
    QStringLiteral("Meiste auf einmal:"),
    QStringLiteral("Spielzeit:"),
    QStringLiteral("Vergrößerung"),
    QStringLiteral("Automatisch (%1 ×)"),
    QStringLiteral("(ab dem nächsten Start)"),
    QStringLiteral("%1: Zoom %2 passt nicht auf diesen Bildschirm, das Spiel zeigt sich mit Zoom %3."),
};

const TTexts kEnglish{
    QStringLiteral("I start again."),
    QStringLiteral("What's to do here?"),
    QStringLiteral("I need a break."),
    QStringLiteral("I dont like the sound always."),
    QStringLiteral("Who are the best?"),
    QStringLiteral("I have enough!"),
    QStringLiteral("Ich spreche nicht englisch."),
    QStringLiteral("Who did these BLUMO GAME?"),
    QStringLiteral("Hurrah, there are more BLUMO GAMES."),
    QStringLiteral("Game paused! Press left mouse button to continue."),
    QStringLiteral("Level:"),
    QStringLiteral("Score:"),
    QStringLiteral("Sorry, that was it!"),
    QStringLiteral("Do you really want to start at the beginning?"),
    QStringLiteral("Do you really want to go?"),
    QStringLiteral("Yes"),
    QStringLiteral("No"),
    QStringLiteral("Info about ..."),
    QStringLiteral("coded in C++ with Qt"),
    QStringLiteral("Tongue"),
    QStringLiteral("Novagrid - Highscore"),
    QStringLiteral("Clear all entries."),
    QStringLiteral("Cancel"),
    QStringLiteral("Press the bomb to start a game (Ctrl+N)."),
    QStringLiteral("Pause when the window loses focus"),
    QStringLiteral("Your record"),
    QStringLiteral("Games played:"),
    QStringLiteral("Lost on time:"),
    QStringLiteral("Best score:"),
    QStringLiteral("Best level:"),
    QStringLiteral("Groups cleared:"),
    QStringLiteral("Most at once:"),
    QStringLiteral("Time played:"),
    QStringLiteral("Zoom"),
    QStringLiteral("Automatic (%1 ×)"),
    QStringLiteral("(from the next start)"),
    QStringLiteral("%1: zoom %2 does not fit this screen; the game shows at zoom %3."),
};

}  // namespace

bool German()
{
    return tongue == TTongue::German;
}

const TTexts& TextsFor(bool german)
{
    return german ? kGerman : kEnglish;
}

const TTexts& Texts()
{
    return TextsFor(German());
}
