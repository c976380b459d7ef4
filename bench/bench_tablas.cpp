// Every change of the count slider reads tablas.bin again, so reading a large file must stay
// well below what a person notices.
#include "reduced/tablas.h"
#include "syndicates/pena.h"
#include "syndicates/reducida.h"

#include <benchmark/benchmark.h>

namespace {

// n numbers, k bets: the first k six-number combinations of 1..n.
QByteArray tabla(int n, int k)
{
    QByteArray t = QByteArray::number(n) + "\r\n4 aciertos\r\n" + QByteArray::number(k) + "\r\n";
    int c[6] = {1, 2, 3, 4, 5, 6};
    for (int e = 0; e < k; ++e) {
        for (int v : c)
            t += QByteArray::number(v).rightJustified(2, '0');
        t += "\r\n";
        int i = 5;
        while (i >= 0 && c[i] == n - 5 + i)
            --i;
        if (i < 0)
            break;
        ++c[i];
        for (int j = i + 1; j < 6; ++j)
            c[j] = c[j - 1] + 1;
    }
    return t;
}

// Four tables for every N from 7 to 20, up to 205 bets each (about 120 KB).
QByteArray archivoGrande()
{
    QByteArray todo;
    for (int n = 7; n <= 20; ++n)
        for (int k : {7, 30, 120, 205})
            todo += tabla(n, std::min(k, n == 7 ? 7 : k));
    return todo;
}

void BM_InterpretaTablas(benchmark::State &estado)
{
    const QByteArray archivo = archivoGrande();
    for (auto _ : estado)
        benchmark::DoNotOptimize(reducidas::interpreta(archivo));
    estado.SetBytesProcessed(static_cast<int64_t>(estado.iterations()) * archivo.size());
}
BENCHMARK(BM_InterpretaTablas);

void BM_ListaYExpande(benchmark::State &estado)
{
    const Tablas tablas = reducidas::interpreta(archivoGrande());
    Pena pena;
    for (int p = 1; p <= 20; ++p)
        pena.numero(1, p) = static_cast<qint16>(p * 2);
    for (auto _ : estado) {
        const reducidas::Listado l = reducidas::listatablas(tablas, 20);
        Pena copia = pena;
        reducidas::aplicatabla(tablas.tablas[static_cast<size_t>(l.indicetablas.back())], copia);
        benchmark::DoNotOptimize(copia);
    }
}
BENCHMARK(BM_ListaYExpande);

} // namespace

BENCHMARK_MAIN();
