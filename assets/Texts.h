#pragma once

#include <QString>
#include <QStringList>

#include "assets/Version.h"

// The language setting as stored: not chosen yet, German or English. A
// stored value of any other number shows English and is written back as it
// was read, so the type holds every int. Read at start-up, written back at
// close, and changed only by the language dialog.
enum class TTongue : int { NotChosen = -1, English = 0, German = 1 };

// The game's one language setting, which every window's texts follow.
extern TTongue tongue;

// Every text that differs between the languages, chosen at the moment it is
// shown: windows never keep them.
struct TTexts {
    QString StartHint;
    QString RulesHint;
    QString PauseHint;
    QString SoundHint;
    QString HighScoreHint;
    QString ExitHint;
    QString TongueHint;
    QString InfoHint;
    QString BlumoHint;
    QString PauseText;
    QString LevelLabel;
    QString ScoreLabel;
    QString GameOverMessage;
    QString GiveUpQuestion;
    QString EndGameQuestion;
    QString Yes;
    QString No;
    QString InfoCaption;
    QString CodedIn;
    QString TongueButton;
    QString HighscoreCaption;
    QString ClearAll;
    QString Cancel;
    // Beyond the first version: the keyboard, the tool bar's menu and the
    // player's lifetime record in the info window.
    QString FirstHint;
    QString AutoPauseOption;
    QString RecordTitle;
    QString GamesPlayed;
    QString GamesTimedOut;
    QString BestScore;
    QString BestLevel;
    QString GroupsCleared;
    QString MostGroupsAtOnce;
    QString TimePlayed;
    // The tool bar menu's choice of zoom.
    QString ZoomMenu;
    QString ZoomAutomatic;  // %1: the zoom it comes to on this screen
    QString ZoomFromNextStart;
    // On standard error: %1 the program, %2 the zoom asked for, %3 the one it fits.
    QString ZoomShrunk;
    // What a screen reader reads: the tool bar's commands by what they do,
    QString StartName;
    QString PauseName;
    QString SoundName;
    QString HighScoreName;
    QString ExitName;
    QString TongueName;
    QString RulesName;
    QString InfoName;
    QString BlumoName;
    // the playfield and its board, cell by cell (%1 row, %2 column, from 1; %3 layers),
    QString PlayfieldName;
    QString BoardName;
    QString CellEmpty;
    QString CellOneLayer;
    QString CellLayers;
    // the piece (%1 what it holds; carried: %1 row, %2 column, %3 what it holds),
    QString WaitingPiece;
    QString CarriedPiece;
    QString NoPiece;
    QString OneTile;
    QString Tiles;       // %1 tiles
    QString WithLayers;  // %1 layers in all, where some tile has more than one
    QString WithBomb;
    // level, score and the time,
    QString LevelValue;
    QString ScoreValue;
    QString TimeLeftName;
    // and what happens, said as it happens.
    QString AnnouncementsName;
    QString SaidPiecePlaced;
    QString SaidOneGroup;
    QString SaidGroups;  // %1 groups
    QString SaidOnePoint;
    QString SaidPoints;  // %1 points
    QString SaidLevel;   // %1 the new level
    QString SaidTimeLow;
    QString SaidPaused;
    QString SaidResumed;
    QString SaidGameOver;  // %1 the score
    // An unfinished game kept for the next start: the tool bar menu's option
    // and what the first screen says of a kept game.
    QString KeepOnQuitOption;
    QString KeptGameWaits;
    QString KeptGameDropped;
    QString KeptGameGoneElsewhere;
    QString QuitGameQuestion;
    // A write of the settings file refused: where (%1 the file), why, what to
    // do, and (%1) the values not written.
    QString StoreNotWritten;
    QString StoreRefused;
    QString StoreNotAFile;
    QString StoreTooLarge;
    QString StoreLocked;
    QString StoreTriedAgain;
    QString StoreUnwritten;
    // For a screen reader: whether the carried piece fits at the cell it is
    // over, the piece's shape on its 3 x 3 frame (slots row by row from the
    // top left; %1 slot, %2 its layers), news of the piece (%1 its shape),
    // and the dialogs' extra words.
    QString CellFits;
    QString CellNoFit;
    QStringList ShapeSlots;
    QString SlotLayers;
    QString SlotBomb;
    QString SaidNextPiece;
    QString SaidPickedUp;
    QString SaidTurned;
    QString SplashName;
    QString GameOverScore;   // %1 the score
    QString HighscoreEntry;  // %1 rank, %2 score
};

bool German();  // tongue is TTongue::German

// The texts of the current language.
const TTexts& Texts();
// The texts of one language, for tests and for showing both.
const TTexts& TextsFor(bool german);
// The texts `language` shows: English unless it is German.
const TTexts& Texts(TTongue language);

// Texts that are the same in both languages.
namespace FixedTexts {
inline const QString kCaption = QStringLiteral("Novagrid V" NOVAGRID_VERSION_TEXT);
inline const QString kDialogCaption = QStringLiteral("Novagrid");
inline const QString kProgramName = QStringLiteral("Novagrid");
inline const QString kVersion = QStringLiteral("Version  V" NOVAGRID_VERSION_TEXT);
inline const QString kSpeakEnglish = QStringLiteral("I speak english.");
inline const QString kSpeakGerman = QStringLiteral("Ich spreche deutsch.");
inline const QString kOk = QStringLiteral("OK");
}  // namespace FixedTexts
