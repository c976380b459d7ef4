// How long proving a reduction table takes: the tablas.bin reader proves every table it offers,
// and the largest ones (20 numbers, 38,760 possible draws) set the pace.

#include "reduced/verificador.h"
#include "reduced/generador.h"

#include <benchmark/benchmark.h>

namespace {

void garantia(benchmark::State &estado)
{
    const int n = int(estado.range(0));
    const int g = int(estado.range(1));
    const auto tabla = generador::voraz(n, g);
    for (auto _ : estado)
        benchmark::DoNotOptimize(verificador::garantia(n, tabla));
    estado.SetLabel(std::to_string(tabla.size()) + " apuestas");
}

void sinCubrir(benchmark::State &estado)
{
    const auto tabla = generador::voraz(20, 4);
    for (auto _ : estado)
        benchmark::DoNotOptimize(verificador::sinCubrir(20, 4, tabla));
}

void voraz(benchmark::State &estado)
{
    for (auto _ : estado)
        benchmark::DoNotOptimize(generador::voraz(int(estado.range(0)), int(estado.range(1))));
}

} // namespace

BENCHMARK(garantia)->Args({10, 5})->Args({15, 5})->Args({20, 4})->Args({20, 3});
BENCHMARK(sinCubrir);
BENCHMARK(voraz)->Args({14, 5})->Args({20, 4});

BENCHMARK_MAIN();
