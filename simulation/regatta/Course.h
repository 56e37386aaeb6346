#pragma once

// A point on the frame, in pixels, y growing downwards.
struct TPointD {
    double X = 0;
    double Y = 0;
    friend bool operator==(const TPointD&, const TPointD&) = default;
};

// The regatta's course, from the buoys' middles: the start line (which is also each lap's gate and the finish)
// from buoy 1 on the left to buoy 0 on the right, and buoy 2, the mark, which is rounded leaving it to port.
// The course side of the line is above it (smaller y).
struct TCourse {
    TPointD LineLeft;
    TPointD LineRight;
    TPointD Mark;
};
