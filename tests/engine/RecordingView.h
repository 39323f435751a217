#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/HeadlessView.h"

// A headless view that writes down every outlet call with its arguments, in
// order, so tests can compare what the player would see and hear.
class TRecordingView : public THeadlessView {
public:
    std::vector<std::string> Calls;
    std::function<void()> WhileAskingGiveUp;
    std::function<void()> WhileOfferingScore;

    void Paint() override { Log("Paint"); }
    void DrawCell(int c, int r) override { Log("DrawCell", c, r); }
    void DrawNumbers() override { Log("DrawNumbers"); }
    void DrawTimeBar() override { Log("DrawTimeBar"); }
    void RenderPiece() override { Log("RenderPiece"); }
    void InvertCell(int c, int r) override { Log("InvertCell", c, r); }
    void ErasePreviewSlot(int i, int j) override { Log("ErasePreviewSlot", i, j); }
    void ExplodeCell(int32_t x, int32_t y) override { Log("ExplodeCell", x, y); }
    void ExplodePiece() override
    {
        Log("ExplodePiece");
        THeadlessView::ExplodePiece();
    }
    void Delay(int ms) override { Log("Delay", ms); }

    void SetPosition(int32_t x, int32_t y) override
    {
        Log("SetPosition", x, y);
        THeadlessView::SetPosition(x, y);
    }
    void Show() override
    {
        Log("Show");
        THeadlessView::Show();
    }
    void Hide() override
    {
        Log("Hide");
        THeadlessView::Hide();
    }
    void Grab(int32_t x, int32_t y) override
    {
        Log("Grab", x, y);
        THeadlessView::Grab(x, y);
    }
    void DragTo(int32_t x, int32_t y) override
    {
        Log("DragTo", x, y);
        THeadlessView::DragTo(x, y);
    }
    void Release() override
    {
        Log("Release");
        THeadlessView::Release();
    }

    void PlayEffect(bool wait, TEffect effect) override
    {
        Log(wait ? "PlayEffect wait" : "PlayEffect", static_cast<int>(effect));
    }
    void ShowPauseText(bool visible) override
    {
        Log("ShowPauseText", visible);
        THeadlessView::ShowPauseText(visible);
    }
    void ShowGameOverDlg() override { Log("GameOverDlg"); }
    bool ShowGiveUpDlg() override
    {
        Log("GiveUpDlg");
        if (WhileAskingGiveUp)
            WhileAskingGiveUp();  // what the turn timer does behind the open question
        return GiveUpAnswer;
    }
    void ShowHighscoreDlg(int32_t score, THighscoreMode mode) override
    {
        Log("HighscoreDlg", score, static_cast<int>(mode));
        if (WhileOfferingScore)
            WhileOfferingScore();  // the session may end while the table is open
    }
    void GameEnded(bool timedOut) override { Log("GameEnded", timedOut); }

    // The calls whose text starts with `prefix`, in order.
    std::vector<std::string> Only(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const auto& call : Calls)
            if (call.rfind(prefix, 0) == 0)
                found.push_back(call);
        return found;
    }

private:
    void Log(const std::string& name) { Calls.push_back(name); }
    void Log(const std::string& name, int a) { Calls.push_back(name + " " + std::to_string(a)); }
    void Log(const std::string& name, int a, int b)
    {
        Calls.push_back(name + " " + std::to_string(a) + " " + std::to_string(b));
    }
};
