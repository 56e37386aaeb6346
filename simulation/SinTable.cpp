#include "simulation/SinTable.h"

#include <cmath>

void FillSinTable(TSinTable& table)
{
    // Extended precision: a plain double evaluation gives 0.49999999999999994 at 30 degrees.
    const long double pi = 3.141592653589793238462643383279502884L;
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<double>(std::sin(static_cast<long double>(i) * pi / 180.0L));
}
