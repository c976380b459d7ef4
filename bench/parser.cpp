// Parsing a results page of a megabyte: the marker searches walk it character by character,
// so their cost grows with the page, not with the number of draws on it.
#include "archive/fechas.h"
#include "simulacion/paginas.h"
#include "web/analisis.h"
#include "web/desglose.h"
#include "web/pagina.h"

#include <QDate>
#include <benchmark/benchmark.h>

namespace {
constexpr qsizetype kMegabyte = 1024 * 1024;

std::vector<paginas::SorteoWeb> ultimos(int cuantos)
{
    std::vector<paginas::SorteoWeb> r;
    QDate d(2026, 8, 15);
    int i = 0;
    while (static_cast<int>(r.size()) < cuantos) {
        if (d.dayOfWeek() == 1 || d.dayOfWeek() == 4 || d.dayOfWeek() == 6) {
            paginas::SorteoWeb w;
            const auto b = static_cast<qint16>(1 + i % 40);
            w.sorteo.numeros = {
                b, qint16(b + 1), qint16(b + 3), qint16(b + 5), qint16(b + 7), qint16(b + 9)};
            w.sorteo.complementario = static_cast<qint16>(b + 2);
            w.sorteo.reintegro = static_cast<qint16>(i % 10);
            w.sorteo.joker = 1234567 + i;
            w.sorteo.fecha = fechas::serial(d);
            r.push_back(w);
            ++i;
        }
        d = d.addDays(-1);
    }
    return r;
}

// Every draw of the page is new (empty archive): the most work a parse can do.
void BM_AnalizaPaginaDeUnMegabyte(benchmark::State &estado)
{
    const QByteArray pagina = Pagina::enmarca(paginas::busqueda(ultimos(21), kMegabyte));
    for (auto _ : estado) {
        QString enlace;
        auto r = analisis::lee(pagina, 0, enlace);
        if (r.error || r.tomados.size() != 21)
            estado.SkipWithError("the page did not parse");
        benchmark::DoNotOptimize(r);
    }
    estado.SetBytesProcessed(estado.iterations() * pagina.size());
}
BENCHMARK(BM_AnalizaPaginaDeUnMegabyte)->Unit(benchmark::kMillisecond);

// The end mark at the very end: the date scan runs over the whole megabyte (and, finding no
// more dates, ends as bad data), the slowest way through a page.
void BM_AnalizaConMarcaFinalAlFinal(benchmark::State &estado)
{
    QByteArray texto = paginas::busqueda(ultimos(21), kMegabyte);
    texto.replace("<!-- while-fin del listado -->", "<!-- fin del listado -->");
    texto += "<!-- while-fin -->\n";
    const QByteArray pagina = Pagina::enmarca(texto);
    for (auto _ : estado) {
        QString enlace;
        auto r = analisis::lee(pagina, 0, enlace);
        benchmark::DoNotOptimize(r);
    }
    estado.SetBytesProcessed(estado.iterations() * pagina.size());
}
BENCHMARK(BM_AnalizaConMarcaFinalAlFinal)->Unit(benchmark::kMillisecond);

void BM_DesglosePaginaDeUnMegabyte(benchmark::State &estado)
{
    const QByteArray pagina = Pagina::enmarca(paginas::sorteo(ultimos(1).front(), kMegabyte));
    for (auto _ : estado) {
        auto d = desglose::lee(pagina);
        if (d.enlacePdf.isEmpty())
            estado.SkipWithError("no link");
        benchmark::DoNotOptimize(d);
    }
    estado.SetBytesProcessed(estado.iterations() * pagina.size());
}
BENCHMARK(BM_DesglosePaginaDeUnMegabyte)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
