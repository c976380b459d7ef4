// The whole checking of 4,000 draws against 100 syndicates of every kind, rows included, and
// beside it the bare hit counting with bit masks that it is built on.
#include "checking/comprobacion.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <bit>
#include <random>

namespace {

constexpr int kSorteos = 4000;

// The newest 4,000 draws of the real history when it is here, else made-up ones on the
// same days.
const std::vector<Sorteo> &sorteos()
{
    static const std::vector<Sorteo> lista = [] {
        QFile real(QStringLiteral(BOLARIUM_DATOS_REALES "/numeros-historico.dat"));
        if (real.open(QIODevice::ReadOnly)) {
            std::vector<Sorteo> todos = ArchivoSorteos::deserializa(real.readAll());
            if (todos.size() >= size_t(kSorteos))
                return std::vector<Sorteo>(todos.end() - kSorteos, todos.end());
        }
        std::mt19937 azar(1985);
        std::vector<Sorteo> inventados;
        QDate dia(1988, 1, 7);
        for (int i = 0; i < kSorteos; ++i) {
            std::vector<qint16> bolas(49);
            std::iota(bolas.begin(), bolas.end(), qint16(1));
            std::shuffle(bolas.begin(), bolas.end(), azar);
            Sorteo s;
            std::copy_n(bolas.begin(), 6, s.numeros.begin());
            std::sort(s.numeros.begin(), s.numeros.end());
            s.complementario = bolas[6];
            s.reintegro = qint16(azar() % 10);
            s.fecha = fechas::serial(dia);
            inventados.push_back(s);
            dia = dia.addDays(dia.dayOfWeek() == 4 ? 2 : 5);
        }
        return inventados;
    }();
    return lista;
}

// 40 simple syndicates of 205 bets, 30 reduced ones of 10 to 20 numbers, and five multiples of
// every size; a third of them play on Thursdays, a third on Saturdays, a third on both.
const std::vector<Pena> &penas()
{
    static const std::vector<Pena> lista = [] {
        std::mt19937 azar(2024);
        const auto apuesta = [&azar](const std::vector<qint16> &de, int cuantos) {
            std::vector<qint16> v = de;
            std::shuffle(v.begin(), v.end(), azar);
            v.resize(size_t(cuantos));
            return v;
        };
        std::vector<qint16> todos(49);
        std::iota(todos.begin(), todos.end(), qint16(1));
        const QString dias[] = {QStringLiteral("Jueves"), QString::fromUtf8("Sábado"),
                                QString::fromUtf8("Jueves y Sábado")};
        const double creacion = sorteos().front().fecha - 1;
        std::vector<Pena> v;
        for (int j = 0; j < 100; ++j) {
            Pena p;
            p.ponNombre(QStringLiteral("PENA %1").arg(j));
            p.ponDias(dias[j % 3]);
            p.creacion = creacion;
            if (j < 40) {
                p.tipo = Pena::kApuestas;
                for (int k = 1; k <= p.tipo; ++k) {
                    const std::vector<qint16> n = apuesta(todos, 6);
                    for (int q = 0; q < 6; ++q)
                        p.numero(k, q + 1) = n[size_t(q)];
                }
            } else if (j < 70) {
                p.tablaN = qint16(10 + (j - 40) % 11);
                const std::vector<qint16> elegidos = apuesta(todos, p.tablaN);
                p.tipo = qint16(std::min(205, 12 * (1 + (j - 40) % 17)));
                for (int k = 1; k <= p.tipo; ++k) {
                    const std::vector<qint16> n = apuesta(elegidos, 6);
                    for (int q = 0; q < 6; ++q)
                        p.numero(k, q + 1) = n[size_t(q)];
                }
            } else {
                p.tipo = qint16(501 + (j - 70) % 6);
                const std::vector<qint16> n = apuesta(todos, cuantos(p.tipo));
                for (size_t q = 0; q < n.size(); ++q)
                    p.numero(1, int(q) + 1) = n[q];
            }
            v.push_back(p);
        }
        return v;
    }();
    return lista;
}

void BM_ComprobacionCompleta(benchmark::State &estado)
{
    comprobacion::Opciones o;
    o.n = kSorteos;
    o.soloPremios = estado.range(0) != 0;
    size_t filas = 0;
    for (auto _ : estado) {
        const comprobacion::Pasada s = comprobacion::comprueba(sorteos(), penas(), o);
        const comprobacion::Pasada m = comprobacion::compruebamultiples(sorteos(), penas(), o);
        filas = size_t(s.listado->cuenta() + m.listado->cuenta());
        benchmark::DoNotOptimize(filas);
    }
    estado.counters["filas"] = double(filas);
}
BENCHMARK(BM_ComprobacionCompleta)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("soloPremios")
    ->Unit(benchmark::kMillisecond);

// The same hits, counted with nothing else around them: masks ready, no rows, no records.
void BM_CuentaAciertos(benchmark::State &estado)
{
    struct Lista {
        int dias = 0;
        double creacion = 0;
        std::vector<quint64> mascaras;
    };
    std::vector<Lista> listas;
    for (const Pena &p : penas()) {
        Lista l;
        l.dias = diasjuego::mascara(p.diasTexto());
        l.creacion = p.creacion;
        const int apuestas = p.esMultiple() ? 1 : p.tipo;
        const int numeros = p.esMultiple() ? cuantos(p.tipo) : 6;
        for (int k = 1; k <= apuestas; ++k) {
            quint64 m = 0;
            for (int q = 1; q <= numeros; ++q)
                m |= quint64(1) << p.numero(k, q);
            l.mascaras.push_back(m);
        }
        listas.push_back(std::move(l));
    }
    struct Listo {
        quint64 ganadores = 0;
        int dia = 0;
        double fecha = 0;
    };
    std::vector<Listo> listos;
    for (const Sorteo &s : sorteos()) {
        Listo l;
        for (qint16 n : s.numeros)
            l.ganadores |= quint64(1) << n;
        l.dia = 1 << fechas::numeroDia(s.fecha);
        l.fecha = s.fecha;
        listos.push_back(l);
    }
    std::array<qint64, 7> aciertos{};
    quint8 porApuesta[Pena::kApuestas];
    for (auto _ : estado) {
        aciertos.fill(0);
        for (const Listo &s : listos)
            for (const Lista &l : listas)
                if ((l.dias & s.dia) && !(s.fecha < l.creacion)) {
                    comprobacion::cuentaAciertos(l.mascaras.data(), l.mascaras.size(), s.ganadores,
                                                 porApuesta);
                    for (size_t k = 0; k < l.mascaras.size(); ++k)
                        ++aciertos[porApuesta[k]];
                }
        benchmark::DoNotOptimize(aciertos);
    }
    qint64 total = 0;
    for (qint64 a : aciertos)
        total += a;
    estado.counters["apuestas"] = double(total);
}
BENCHMARK(BM_CuentaAciertos)->Unit(benchmark::kMillisecond);

// What a list view asks for when it shows a screenful of rows anywhere in the listing.
void BM_PantallaDeFilas(benchmark::State &estado)
{
    comprobacion::Opciones o;
    o.n = kSorteos;
    const comprobacion::Pasada s = comprobacion::comprueba(sorteos(), penas(), o);
    const comprobacion::Listado &l = *s.listado;
    std::mt19937 azar(7);
    for (auto _ : estado) {
        const int desde = int(azar() % quint32(l.cuenta() - 40));
        for (int f = desde; f < desde + 40; ++f)
            benchmark::DoNotOptimize(l.celdas(f));
    }
}
BENCHMARK(BM_PantallaDeFilas)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
