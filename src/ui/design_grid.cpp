#include "ui/design_grid.h"

namespace lexivo {

DesignGrid DesignGrid::fromWorkArea(int right, int bottom)
{
    return DesignGrid(right, bottom - DesignGrid(right, bottom).y(10));
}

int DesignGrid::scale(int screen, int design, int v)
{
    if (v == 0) {
        return 0;
    }
    return static_cast<int>(screen / (static_cast<double>(design) / v));
}

}  // namespace lexivo
