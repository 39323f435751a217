#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/HeadlessView.h"
#include "tests/view/Fixtures.h"
#include "view/Sprites.h"
#include "view/Surface.h"

// The engine runs headless on a substitute sprite that keeps no pixels. It
// must read back from it exactly what it would read from the real sprite on
// the playfield: the position, and which points hit the sprite.

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kSize = Geometry::kPiecePixels;

enum class TOp { SetPosition, Show, Hide, Grab, DragTo, Release, HitTest };

struct TCall {
    TOp op;
    int32_t x = 0;
    int32_t y = 0;
};

struct TSequence {
    const char* name;
    std::vector<TCall> calls;
};

const std::vector<TSequence>& Sequences()
{
    using enum TOp;
    static const std::vector<TSequence> sequences = {
        {"a piece dealt, picked up, carried, turned and thrown back",
         {{SetPosition, 321, 53},
          {Show},
          {HitTest, 340, 75},
          {Grab, 356, 91},
          {DragTo, 200, 150},
          {DragTo, 201, 150},
          {Hide},
          {Show},
          {DragTo, 100, 100},
          {DragTo, 356, 91},
          {Release},
          {DragTo, 0, 0},
          {Hide},
          {SetPosition, 321, 53},
          {Show}}},
        {"grabs and drags that must do nothing",
         {{SetPosition, 40, 30},
          {Grab, 50, 40},
          {DragTo, 90, 90},
          {Show},
          {Grab, 39, 40},
          {Grab, 40 + kSize, 40},
          {DragTo, 90, 90},
          {Grab, 40, 30},
          {Grab, 100, 100},
          {DragTo, 45, 37},
          {Hide},
          {DragTo, 60, 60},
          {Show},
          {DragTo, 61, 61},
          {SetPosition, 61, 61},
          {DragTo, 70, 70},
          {SetPosition, 10, 10},
          {DragTo, 80, 80}}},
        {"resting and dragged at the largest coordinates",
         {{SetPosition, kMax - 10, kMax - 10},
          {HitTest, kMax, kMax},
          {HitTest, kMax - 11, kMax},
          {Show},
          {Grab, kMax, kMax},
          {DragTo, kMax, kMax},
          {DragTo, kMax - 3, kMax - 1},
          {DragTo, kMax, kMax},
          {SetPosition, kMax, kMax},
          {HitTest, kMax, kMax},
          {Grab, kMax, kMax},
          {DragTo, kMax - 100, kMax - 100},
          {DragTo, kMax - 101, kMax - 100}}},
        {"dragged past the largest coordinates, where positions wrap",
         {{SetPosition, kMax - 10, kMax - 10},
          {Show},
          {Grab, kMax - 5, kMax - 2},
          {DragTo, kMin, kMin},
          {DragTo, kMin + 3, kMin + 7}}},
        {"resting and dragged at the smallest coordinates",
         {{SetPosition, kMin, kMin},
          {HitTest, kMin, kMin},
          {HitTest, kMin + kSize - 1, kMin + kSize - 1},
          {HitTest, kMin + kSize, kMin},
          {Show},
          {Grab, kMin + kSize - 1, kMin + kSize - 1},
          {DragTo, kMin + kSize, kMin + kSize},
          {DragTo, kMin + kSize + 2, kMin + kSize - 1},
          {DragTo, kMin, kMin}}},
        {"jumps across the whole range on both axes",
         {{Show},
          {SetPosition, kMax - kSize, kMin},
          {SetPosition, kMin, kMax - kSize},
          {SetPosition, 0, 0},
          {Hide},
          {SetPosition, kMax, kMin},
          {SetPosition, kMin, kMax},
          {Show},
          {SetPosition, 5, 5}}},
    };
    return sequences;
}

std::string Describe(const TCall& call, size_t index)
{
    static const char* const names[] = {"SetPosition", "Show", "Hide", "Grab", "DragTo", "Release", "HitTest"};
    return "call " + std::to_string(index) + ": " + names[static_cast<int>(call.op)] + "(" + std::to_string(call.x) +
           ", " + std::to_string(call.y) + ")";
}

// Both answer alike at the corners of the sprite's rectangle and just outside them.
void ExpectSameHits(tSprite& real, THeadlessView& substitute)
{
    const int64_t x = real.GetX();
    const int64_t y = real.GetY();
    for (int64_t px : {x - 1, x, x + kSize - 1, x + kSize}) {
        for (int64_t py : {y - 1, y, y + kSize - 1, y + kSize}) {
            if (px < kMin || px > kMax || py < kMin || py > kMax)
                continue;
            const auto hx = static_cast<int32_t>(px);
            const auto hy = static_cast<int32_t>(py);
            EXPECT_EQ(substitute.HitTest(hx, hy), real.HitTest(hx, hy)) << "at (" << px << ", " << py << ")";
        }
    }
}

}  // namespace

TEST(SubstituteSprite, ReadsBackWhatTheRealSpriteReadsBackForEveryCallSequence)
{
    const QImage picture = NoiseBitmap(kSize, kSize, 31);
    const QImage mask = NoiseBitmap(kSize, kSize, 32);
    for (const TSequence& sequence : Sequences()) {
        SCOPED_TRACE(sequence.name);
        TSurface surface;
        tSprite real(surface, kSize, kSize);
        real.SetPicture(picture, 0, 0);
        real.SetMask(mask, 0, 0);
        THeadlessView substitute;
        for (size_t n = 0; n < sequence.calls.size(); ++n) {
            const TCall& call = sequence.calls[n];
            SCOPED_TRACE(Describe(call, n));
            switch (call.op) {
                case TOp::SetPosition:
                    real.SetPosition(call.x, call.y);
                    substitute.SetPosition(call.x, call.y);
                    break;
                case TOp::Show:
                    real.Show();
                    substitute.Show();
                    break;
                case TOp::Hide:
                    real.Hide();
                    substitute.Hide();
                    break;
                case TOp::Grab:
                    real.Grab(call.x, call.y);
                    substitute.Grab(call.x, call.y);
                    break;
                case TOp::DragTo:
                    real.DragTo(call.x, call.y);
                    substitute.DragTo(call.x, call.y);
                    break;
                case TOp::Release:
                    real.Release();
                    substitute.Release();
                    break;
                case TOp::HitTest:
                    EXPECT_EQ(substitute.HitTest(call.x, call.y), real.HitTest(call.x, call.y));
                    break;
            }
            ASSERT_EQ(substitute.GetX(), real.GetX());
            ASSERT_EQ(substitute.GetY(), real.GetY());
            ExpectSameHits(real, substitute);
        }
    }
}
