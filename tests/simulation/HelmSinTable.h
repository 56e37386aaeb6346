#pragma once
#include "simulation/SinTable.h"

// The race's sine table, filled once for the helm's tests.
inline const TSinTable& HelmSin()
{
    static const TSinTable table = [] {
        TSinTable t{};
        FillSinTable(t);
        return t;
    }();
    return table;
}
