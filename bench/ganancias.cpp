// The money of the syndicates over the real history: one syndicate of 205 bets, every one of
// 100 syndicates together as "TODAS LAS PEÑAS" shows them (with their members' parts), and the
// spreadsheet of the winnings. Each is timed against a bare loop over the same bets and draws,
// run alternately in the same benchmark, and the ratio between them is the counter to watch.
#include "reports/ganancias.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/importes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <bit>
#include <cstdio>
#include <random>

namespace {

struct Datos {
    std::vector<Sorteo> sorteos;
    ArchivoImportes importes;
    std::vector<Pena> penas;
    std::vector<SociosPena> socios;
};

// The real history with made-up amounts for every category of every draw, and 100 seeded
// syndicates: 40 of 205 bets, 30 of 50, 30 multiples; each with a slip's refund digit and ten
// members, half of them in several syndicates.
const Datos *datos()
{
    static const Datos *d = []() -> const Datos * {
        QFile real(QStringLiteral(BOLARIUM_DATOS_REALES "/numeros-historico.dat"));
        if (!real.open(QIODevice::ReadOnly))
            return nullptr;
        auto *d = new Datos;
        d->sorteos = ArchivoSorteos::deserializa(real.readAll());
        std::mt19937 azar(33);
        std::vector<ImportesSorteo> importes;
        for (const Sorteo &s : d->sorteos) {
            ImportesSorteo i;
            i.fecha = s.fecha;
            i.centimos = {qint64(azar() % 900000000),   qint64(azar() % 90000000),
                          qint64(azar() % 9000000),     qint64(azar() % 300000),
                          qint64(3000 + azar() % 9000), 800};
            importes.push_back(i);
        }
        static QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("premios.dat"));
        QFile f(ruta);
        f.open(QIODevice::WriteOnly);
        f.write(ArchivoImportes::serializa(importes));
        f.close();
        d->importes = ArchivoImportes(ruta);
        d->importes.abre();

        std::vector<qint16> todos(49);
        std::iota(todos.begin(), todos.end(), qint16(1));
        const auto elige = [&azar](std::vector<qint16> de, int cuantos) {
            std::shuffle(de.begin(), de.end(), azar);
            de.resize(size_t(cuantos));
            return de;
        };
        const QString dias[] = {QStringLiteral("Jueves"), QString::fromUtf8("Sábado"),
                                QString::fromUtf8("Jueves y Sábado")};
        for (int j = 0; j < 100; ++j) {
            Pena p;
            p.ponNombre(QStringLiteral("PENA %1").arg(j, 3, 10, QLatin1Char('0')));
            p.ponDias(j == 0 ? dias[2] : dias[j % 3]);
            p.creacion = d->sorteos.front().fecha - 1;
            if (j < 70) {
                p.tipo = qint16(j < 40 ? Pena::kApuestas : 50);
                for (int k = 1; k <= p.tipo; ++k) {
                    const std::vector<qint16> n = elige(todos, 6);
                    for (int q = 0; q < 6; ++q)
                        p.numero(k, q + 1) = n[size_t(q)];
                }
            } else {
                static constexpr qint16 codigos[] = {501, 502, 506};
                p.tipo = codigos[(j - 70) / 10];
                const std::vector<qint16> n = elige(todos, cuantos(p.tipo));
                for (size_t q = 0; q < n.size(); ++q)
                    p.numero(1, int(q) + 1) = n[q];
            }
            SociosPena s = SociosPena::de(p);
            s.reintegro = j % 10;
            for (int m = 0; m < 10; ++m)
                s.socios.push_back({QStringLiteral("SOCIO %1").arg(m < 5 ? m : j * 10 + m), 1 + m});
            d->penas.push_back(p);
            d->socios.push_back(s);
        }
        return d;
    }();
    return d;
}

// The bare loop: the same draws and bets, each bet's hits counted with the processor's bit
// count and looked up in a table of prizes, no records, no classes, no tax brackets by date.
struct Desnudo {
    struct Dia {
        quint64 ganadores = 0;
        quint64 complementario = 0;
        int dia = 0;
        double fecha = 0;
        int reintegro = -1;
        std::array<qint64, 6> centimos{};
    };
    std::vector<Dia> dias;

    explicit Desnudo(const Datos &d)
    {
        for (const Sorteo &s : d.sorteos) {
            Dia x;
            x.ganadores = s.ganadores();
            x.complementario = s.bitComplementario();
            x.dia = fechas::bitDia(s.fecha);
            x.fecha = s.fecha;
            x.reintegro = s.reintegro;
            if (const ImportesSorteo *i = d.importes.busca(s.fecha))
                x.centimos = i->centimos;
            dias.push_back(x);
        }
    }

    static std::vector<quint64> mascaras(const Pena &p)
    {
        std::vector<quint64> m;
        const int apuestas = p.esMultiple() ? 1 : p.tipo;
        const int numeros = p.esMultiple() ? cuantos(p.tipo) : 6;
        for (int k = 1; k <= apuestas; ++k) {
            quint64 x = 0;
            for (int q = 1; q <= numeros; ++q)
                x |= quint64(1) << p.numero(k, q);
            m.push_back(x);
        }
        return m;
    }

    // Cents won by the bets in every draw they played; `porSorteo` gets each draw's figure.
    __attribute__((target("popcnt"))) qint64 gana(const Pena &p, const std::vector<quint64> &m,
                                                  int reintegro,
                                                  std::vector<qint64> *porSorteo = nullptr) const
    {
        static constexpr int kCategoria[8] = {-1, -1, -1, 5, 4, 3, 1, 1};
        const int suyos = diasjuego::mascara(p.diasTexto());
        qint64 total = 0;
        for (const Dia &s : dias) {
            if (!(suyos & s.dia) || s.fecha + 0.9 < p.creacion)
                continue;
            qint64 premio = s.reintegro == reintegro ? 100 * qint64(m.size()) : 0;
            for (quint64 b : m) {
                const int h = std::popcount(b & s.ganadores);
                if (h >= 3) {
                    const int c = h == 5 && (b & s.complementario) ? 2 : kCategoria[h];
                    premio += s.centimos[size_t(c)];
                }
            }
            total += premio;
            if (porSorteo)
                porSorteo->push_back(premio);
        }
        return total;
    }
};

// Runs `programa` and `desnudo` alternately, timing the first as the benchmark's time, and
// gives the bare time and the ratio as counters.
template <typename P, typename D> void alterna(benchmark::State &estado, P programa, D desnudo)
{
    double suyo = 0;
    double bare = 0;
    for (auto _ : estado) {
        QElapsedTimer reloj;
        reloj.start();
        desnudo();
        bare += double(reloj.nsecsElapsed());
        reloj.restart();
        programa();
        const double t = double(reloj.nsecsElapsed());
        suyo += t;
        estado.SetIterationTime(t / 1e9);
    }
    estado.counters["desnudo_ms"] = bare / 1e6 / double(estado.iterations());
    estado.counters["razon"] = bare > 0 ? suyo / bare : 0;
}

void BM_DineroDeUnaPena(benchmark::State &estado)
{
    const Datos *d = datos();
    if (!d) {
        estado.SkipWithError("No está el histórico real de sorteos");
        return;
    }
    const ganancias::Historia historia(d->sorteos, d->importes);
    const Desnudo desnudo(*d);
    const Pena &p = d->penas[0];
    const std::vector<quint64> m = Desnudo::mascaras(p);
    alterna(
        estado,
        [&] {
            benchmark::DoNotOptimize(ganancias::calcula(historia, p, 100, d->socios[0].reintegro));
        },
        [&] { benchmark::DoNotOptimize(desnudo.gana(p, m, d->socios[0].reintegro)); });
}
BENCHMARK(BM_DineroDeUnaPena)->UseManualTime()->Unit(benchmark::kMillisecond);

// "TODAS LAS PEÑAS": every syndicate's money added up, and every member's part of it.
void BM_DineroDeTodas(benchmark::State &estado)
{
    const Datos *d = datos();
    if (!d) {
        estado.SkipWithError("No está el histórico real de sorteos");
        return;
    }
    const ganancias::Historia historia(d->sorteos, d->importes);
    const Desnudo desnudo(*d);
    std::vector<std::vector<quint64>> mascaras;
    for (const Pena &p : d->penas)
        mascaras.push_back(Desnudo::mascaras(p));
    alterna(
        estado,
        [&] {
            ganancias::Ganancias total;
            std::vector<std::vector<ganancias::Parte>> cada;
            for (size_t j = 0; j < d->penas.size(); ++j) {
                const ganancias::Ganancias g =
                    ganancias::calcula(historia, d->penas[j], 100, d->socios[j].reintegro);
                total += g;
                cada.push_back(ganancias::partes(d->socios[j], g));
            }
            benchmark::DoNotOptimize(ganancias::junta(cada));
            benchmark::DoNotOptimize(total);
        },
        [&] {
            qint64 total = 0;
            for (size_t j = 0; j < d->penas.size(); ++j)
                total += desnudo.gana(d->penas[j], mascaras[j], d->socios[j].reintegro);
            benchmark::DoNotOptimize(total);
        });
}
BENCHMARK(BM_DineroDeTodas)->UseManualTime()->Unit(benchmark::kMillisecond);

// The spreadsheet of every syndicate's winnings, draw by draw; the bare loop writes the same
// number of lines with the C library.
void BM_ExportaCsv(benchmark::State &estado)
{
    const Datos *d = datos();
    if (!d) {
        estado.SkipWithError("No está el histórico real de sorteos");
        return;
    }
    const ganancias::Historia historia(d->sorteos, d->importes);
    const Desnudo desnudo(*d);
    std::vector<std::vector<quint64>> mascaras;
    for (const Pena &p : d->penas)
        mascaras.push_back(Desnudo::mascaras(p));
    qsizetype bytes = 0;
    alterna(
        estado,
        [&] {
            std::vector<ganancias::Hoja> hojas;
            for (size_t j = 0; j < d->penas.size(); ++j)
                hojas.push_back(
                    {d->penas[j].nombreTexto(),
                     ganancias::calcula(historia, d->penas[j], 100, d->socios[j].reintegro, true)});
            bytes = ganancias::aCsv(hojas).size();
        },
        [&] {
            std::string csv;
            std::vector<qint64> porSorteo;
            char linea[160];
            for (size_t j = 0; j < d->penas.size(); ++j) {
                porSorteo.clear();
                desnudo.gana(d->penas[j], mascaras[j], d->socios[j].reintegro, &porSorteo);
                for (qint64 c : porSorteo) {
                    const long long e = c / 100;
                    const long long k = c % 100;
                    const int n = std::snprintf(
                        linea, sizeof linea,
                        "PENA %03zu;01/01/2000;0;0;0;0;0;0;0;%lld,%02lld;%lld,%02lld;%lld,%02lld;"
                        "%lld,%02lld\r\n",
                        j, e, k, e, k, e, k, e, k);
                    csv.append(linea, size_t(n));
                }
            }
            benchmark::DoNotOptimize(csv.data());
        });
    estado.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_ExportaCsv)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
