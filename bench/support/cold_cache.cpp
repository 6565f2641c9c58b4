#include "support/cold_cache.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

void PushOutCoreCaches()
{
    static std::vector<unsigned char> junk(std::size_t{4} << 20);
    for (std::size_t i = 0; i < junk.size(); i += 64)
        ++junk[i];
    benchmark::ClobberMemory();
}
