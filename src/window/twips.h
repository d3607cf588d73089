// Window geometry is designed in twips (1/1440 inch): 15 twips make a pixel at 96 dots per inch.
#pragma once

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

// Rounds to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : (scaled - 720) / 1440);
}

// Font heights are given in tenths of a point (1/720 inch).
constexpr int TenthPointsToPixels(int tenthPoints, int dpi) {
    return (tenthPoints * dpi + 360) / 720;
}
