#pragma once
// The spans of a draw's rows, one row after the other, clipped analytically: no row divides.
#include "drawing/FixedPoint.h"
#include "drawing/rotated/Placement.h"

#include <algorithm>

// floor(a / d) for d > 0 while a grows by a fixed step from row to row: the remainder is carried along.
template <typename Wide>
class TSteppedQuotient {
public:
    TSteppedQuotient(Wide a, Wide step, Wide d)
        : FD(d), FQ(FloorDivide(a, d)), FR(a - FQ * d), FStepQ(FloorDivide(step, d)), FStepR(step - FStepQ * d)
    {
    }
    Wide Value() const { return FQ; }
    // Without a branch: whether the remainder carries follows no pattern on a turned shape.
    void Next()
    {
        FR += FStepR;
        const Wide carry = FR >= FD;
        FR -= FD & -carry;
        FQ += FStepQ + carry;
    }

private:
    Wide FD;
    Wide FQ;
    Wide FR;
    Wide FStepQ;
    Wide FStepR;
};

// The spans of the rows of a box: the pixels from the box's left edge on whose source positions lie inside the
// bounds, and at most a given room of them. A span starts where both the column and the row have entered the
// bounds (the larger of two skips) and ends where either leaves them; every skip and every end is the floor of a
// quantity that moves linearly from row to row. Wide is an integer type that the draw's width verdict allows.
template <typename Wide>
class TRowWalker {
public:
    struct TSpan {
        Wide Skip;
        Wide Count; // nothing to draw unless positive
        Wide U;
        Wide V;
    };

    // u and v are the source position at the box's top left pixel.
    TRowWalker(Wide u, Wide v, const TSteps& steps, const TBounds& bounds)
        : FU(u), FV(v), FDU(static_cast<Wide>(steps.DU)), FDV(static_cast<Wide>(steps.DV)),
          FEU(static_cast<Wide>(steps.EU)), FEV(static_cast<Wide>(steps.EV)), FLeft(static_cast<Wide>(bounds.L)),
          FTop(static_cast<Wide>(bounds.T)),
          FSkipU(SkipFrom(u, -FEU, FDU, FLeft, static_cast<Wide>(bounds.R))),
          FSkipV(SkipFrom(v, FEV, FDV, FTop, static_cast<Wide>(bounds.B))),
          FEndU(EndFrom(u, -FEU, FDU, FLeft, static_cast<Wide>(bounds.R))),
          FEndV(EndFrom(v, FEV, FDV, FTop, static_cast<Wide>(bounds.B)))
    {
    }

    TSpan Plan(Wide room) const
    {
        const Wide skip = std::max({FSkipU.Value(), FSkipV.Value(), Wide{0}});
        // A span starting past the room is empty; stopping here also keeps skip small.
        if (skip >= room)
            return {skip, 0, FU, FV};
        // Moving the start moves the end of a stepping axis, not of one that stands still.
        Wide n = FEndU.Value() - (FDU != 0 ? skip : 0);
        n = std::min<Wide>(n, FEndV.Value() - (FDV != 0 ? skip : 0));
        n = std::min<Wide>(n, room - skip);
        if ((FDU == 0 && FU < FLeft) || (FDV == 0 && FV < FTop))
            n = 0;
        return {skip, n, FU + skip * FDU, FV + skip * FDV};
    }

    void Next()
    {
        FU -= FEU;
        FV += FEV;
        FSkipU.Next();
        FSkipV.Next();
        FEndU.Next();
        FEndV.Next();
    }

private:
    // Pixels to skip before position p (moving by step per row and by d per pixel) enters [low, high), or a
    // number not above 0 where it starts inside.
    static TSteppedQuotient<Wide> SkipFrom(Wide p, Wide step, Wide d, Wide low, Wide high)
    {
        if (d > 0)
            return {low - p + d - 1, -step, d};
        if (d < 0)
            return {p - high - d, step, -d};
        return {0, 0, 1};
    }

    // Pixels from the start of the row before p leaves [low, high): not above 0 where none is left.
    static TSteppedQuotient<Wide> EndFrom(Wide p, Wide step, Wide d, Wide low, Wide high)
    {
        if (d > 0)
            return {high - p, -step, d};
        if (d < 0)
            return {p - low, step, -d};
        return {high - p, -step, 1};
    }

    Wide FU;
    Wide FV;
    Wide FDU;
    Wide FDV;
    Wide FEU;
    Wide FEV;
    Wide FLeft;
    Wide FTop;
    TSteppedQuotient<Wide> FSkipU;
    TSteppedQuotient<Wide> FSkipV;
    TSteppedQuotient<Wide> FEndU;
    TSteppedQuotient<Wide> FEndV;
};
