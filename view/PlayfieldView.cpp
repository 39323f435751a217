#include "PlayfieldView.h"

TPlayfieldView::TPlayfieldView(TSurface& surface, const TSheets& sheets, const TGameEngine& engine,
                               std::function<bool()> german, TTickCounter ticks)
    : playfield_(surface, sheets, engine, std::move(german), std::move(ticks))
{
}

void TPlayfieldView::SetApplyTexts(std::function<void()> hook) { playfield_.SetApplyTexts(std::move(hook)); }

void TPlayfieldView::Paint() { playfield_.Paint(); }
void TPlayfieldView::DrawCell(int column, int row) { playfield_.DrawCell(column, row); }
void TPlayfieldView::DrawNumbers() { playfield_.DrawNumbers(); }
void TPlayfieldView::DrawTimeBar() { playfield_.DrawTimeBar(); }
void TPlayfieldView::RenderPiece() { playfield_.RenderPiece(); }
void TPlayfieldView::InvertCell(int column, int row) { playfield_.InvertCell(column, row); }
void TPlayfieldView::ErasePreviewSlot(int column, int row) { playfield_.ErasePreviewSlot(column, row); }
void TPlayfieldView::ExplodeCell(int32_t x, int32_t y) { playfield_.ExplodeCell(x, y); }
void TPlayfieldView::ExplodePiece() { playfield_.ExplodePiece(); }
void TPlayfieldView::Delay(int milliseconds) { playfield_.Delay(milliseconds); }

void TPlayfieldView::SetPosition(int32_t x, int32_t y) { playfield_.Sprite().SetPosition(x, y); }
void TPlayfieldView::Show() { playfield_.Sprite().Show(); }
void TPlayfieldView::Hide() { playfield_.Sprite().Hide(); }
bool TPlayfieldView::HitTest(int32_t x, int32_t y) { return playfield_.Sprite().HitTest(x, y); }
void TPlayfieldView::Grab(int32_t x, int32_t y) { playfield_.Sprite().Grab(x, y); }
void TPlayfieldView::DragTo(int32_t x, int32_t y) { playfield_.Sprite().DragTo(x, y); }
void TPlayfieldView::Release() { playfield_.Sprite().Release(); }
int32_t TPlayfieldView::GetX() { return playfield_.Sprite().GetX(); }
int32_t TPlayfieldView::GetY() { return playfield_.Sprite().GetY(); }
