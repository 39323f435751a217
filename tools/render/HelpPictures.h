#pragma once

class QDir;

// Writes the pictures of the rules (assets/help/images/) into `out`, each
// drawn by the game's own playfield code from the sheets and tool bar
// pictures the program carries; close-ups at twice the size:
//   window-en.png, window-de.png  the window in mid-game, tool bar and
//                                 playfield, with the numbered markers the
//                                 rules' text refers to
//   button-<picture>.png          each tool bar picture, sound_off too
//   layer1.png .. layer4.png      a tile of one to four layers
//   bomb.png                      a bomb in a waiting piece
//   piece.png, piece-turned.png   the preview box with a piece, and after
//                                 the engine turned it
//   square-before.png, -after.png a complete square (framed), and the board
//                                 after the engine cleared it
//   row-complete.png, row-blocked.png  a complete row (framed), and one a
//                                 full cell blocks
//   bomb-before.png, bomb-blast.png, bomb-after.png  a bomb dropped on a
//                                 full cell: before, mid-blast, after
//   timebar-full.png, timebar-low.png  the time bar full, and with two
//                                 thirds of the time gone
// The same bytes on every run. Returns false, having said why on stderr,
// when a sheet is missing or a file cannot be written.
bool WriteHelpPictures(const QDir& out);
