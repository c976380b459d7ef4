// The statistics pass over 4,000 draws with the draw list filled, as a filter click runs it.
#include "stats/estadisticas.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "reports/informes.h"
#include "stats/modelosorteos.h"

#include <QDate>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
// The first 4,000 draws of the real history, or as many made-up ones when it is not here.
std::vector<Sorteo> cuatroMil()
{
    ArchivoSorteos archivo(QStringLiteral(BOLARIUM_DATOS_REALES "/numeros-historico.dat"));
    std::vector<Sorteo> s;
    if (QFileInfo::exists(archivo.ruta()) && archivo.abre() == Escritura::Hecha)
        s = archivo.sorteos();
    QDate d(1985, 10, 17);
    while (s.size() < 4000) {
        Sorteo x;
        const int base = static_cast<int>(s.size() * 7 % 43) + 1;
        for (int i = 0; i < 6; ++i)
            x.numeros[static_cast<size_t>(i)] = static_cast<qint16>(base + i);
        x.complementario = 49;
        x.fecha = fechas::serial(d);
        d = d.addDays(d.dayOfWeek() == 4 ? 2 : 5);
        s.push_back(x);
    }
    s.resize(4000);
    return s;
}

void pasada(benchmark::State &estado, bool conBase)
{
    const std::vector<Sorteo> sorteos = cuatroMil();
    QTemporaryDir carpeta;
    informes::escribeFrase(carpeta.path(), QString()); // the database exists before the pass
    ModeloSorteos modelo;
    for (auto _ : estado) {
        stats::Resultado r = stats::estadisticas(sorteos, {true, true}, 0);
        if (conBase)
            informes::escribeFrase(carpeta.path(), r.frase);
        modelo.pon(std::move(r.filas));
        benchmark::DoNotOptimize(modelo.rowCount());
    }
    estado.counters["sorteos"] = static_cast<double>(modelo.rowCount());
}

void BM_PasadaConLista(benchmark::State &estado)
{
    pasada(estado, false);
}
void BM_PasadaConListaYBase(benchmark::State &estado)
{
    pasada(estado, true);
}

void BM_Ranking(benchmark::State &estado)
{
    const stats::Resultado r = stats::estadisticas(cuatroMil(), {true, true}, 0);
    for (auto _ : estado)
        benchmark::DoNotOptimize(stats::ranking(r.cuentas));
}
} // namespace

BENCHMARK(BM_PasadaConLista)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasadaConListaYBase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ranking)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
