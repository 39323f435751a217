#include <gtest/gtest.h>

#include "assets/Texts.h"
#include "tests/shell/TongueGuard.h"

namespace {

struct TextCase {
    QString TTexts::*field;
    const char* german;
    const char* english;
};

}  // namespace

TEST(Texts, EveryTextOfBothLanguagesReadsExactly)
{
    const TextCase table[] = {
        {&TTexts::StartHint, "Ich fang neu an.", "I start again."},
        {&TTexts::RulesHint, "Worum geht's da eigentlich?", "What's to do here?"},
        {&TTexts::PauseHint, "Ich brauch eine kurze Pause.", "I need a break."},
        {&TTexts::SoundHint, "Die Geräusche mag ich nicht immer.", "I dont like the sound always."},
        {&TTexts::HighScoreHint, "Wer sind die Besten?", "Who are the best?"},
        {&TTexts::ExitHint, "Ich hab genug!", "I have enough!"},
        {&TTexts::TongueHint, "I don't speak german.", "Ich spreche nicht englisch."},
        {&TTexts::InfoHint, "Wer hat diese Spiele nur verbrochen?", "Who did these BLUMO GAME?"},
        {&TTexts::BlumoHint, "Hurra, es gibt noch mehr Blumo Games.", "Hurrah, there are more BLUMO GAMES."},
        {&TTexts::PauseText, "Spiel angehalten! Linke Maustaste zum weitermachen.",
         "Game paused! Press left mouse button to continue."},
        {&TTexts::LevelLabel, "Stufe:", "Level:"},
        {&TTexts::ScoreLabel, "Punkte:", "Score:"},
        {&TTexts::GameOverMessage, "Das Spiel ist leider aus!", "Sorry, that was it!"},
        {&TTexts::GiveUpQuestion, "Willst Du das Spiel wirklich von vorne beginnen?",
         "Do you really want to start at the beginning?"},
        {&TTexts::EndGameQuestion, "Willst Du wirklich schon aufhören?", "Do you really want to go?"},
        {&TTexts::QuitGameQuestion, "Willst Du dieses Spiel wirklich aufgeben und beenden?",
         "Do you really want to give up this game and quit?"},
        {&TTexts::Yes, "Ja", "Yes"},
        {&TTexts::No, "Nein", "No"},
        {&TTexts::InfoCaption, "Info über ...", "Info about ..."},
        {&TTexts::TongueButton, "Sprache", "Tongue"},
        {&TTexts::HighscoreCaption, "Novagrid - Bestenliste", "Novagrid - Highscore"},
        {&TTexts::ClearAll, "Alle Einträge löschen.", "Clear all entries."},
        {&TTexts::Cancel, "Abbruch", "Cancel"},
        {&TTexts::FirstHint, "Klick auf die Bombe, um ein Spiel zu beginnen (Strg+N).",
         "Press the bomb to start a game (Ctrl+N)."},
        {&TTexts::AutoPauseOption, "Pause, wenn das Fenster nicht mehr aktiv ist", "Pause when the window loses focus"},
    };
    for (const TextCase& text : table) {
        EXPECT_EQ(TextsFor(true).*text.field, QString::fromUtf8(text.german));
        EXPECT_EQ(TextsFor(false).*text.field, QString::fromUtf8(text.english));
    }
    EXPECT_TRUE(TextsFor(true).CodedIn.startsWith(QStringLiteral("programmiert in ")));
    EXPECT_TRUE(TextsFor(false).CodedIn.startsWith(QStringLiteral("coded in ")));
}

TEST(Texts, OnlyOneMeansGerman)
{
    const TTongueGuard guard;
    for (int value : {-1, 0, 2, 100}) {
        tongue = static_cast<TTongue>(value);
        EXPECT_EQ(&Texts(), &TextsFor(false)) << value;
    }
    tongue = TTongue::German;
    EXPECT_EQ(&Texts(), &TextsFor(true));
}
