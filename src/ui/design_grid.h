#pragma once
// Window layouts are written for a 1600 × 1200 screen and scaled to the desktop's work area.

namespace lexivo {

class DesignGrid {
public:
    static constexpr int kWidth = 1600;
    static constexpr int kHeight = 1200;

    DesignGrid() = default;
    DesignGrid(int screenW, int screenH) : screenW_(screenW), screenH_(screenH) {}
    // From the work area's right and bottom edges: a little is kept free at the bottom.
    static DesignGrid fromWorkArea(int right, int bottom);

    int screenW() const { return screenW_; }
    int screenH() const { return screenH_; }
    // Grid units to pixels, in the two steps the layouts were written against:
    // trunc(screen ÷ (1600 ÷ v)), which for a width of 800 turns 22 into 10, not 11.
    int x(int v) const { return scale(screenW_, kWidth, v); }
    int y(int v) const { return scale(screenH_, kHeight, v); }

private:
    static int scale(int screen, int design, int v);

    int screenW_ = kWidth;
    int screenH_ = kHeight;
};

}  // namespace lexivo
