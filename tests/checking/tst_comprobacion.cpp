// The checking pass of simple and reduced syndicates: rows, counters, filters, bad records
// and the printed listing.
#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "checking/comprobacion.h"
#include "checking/premiomultiple.h"
#include "reports/listado.h"
#include "session/recuento.h"
#include "syndicates/archivopenas.h"

#include <QTest>
#include <cmath>

using namespace comprobacion;

namespace {
const QDate kJueves(2026, 1, 1);
const QDate kSabado(2026, 1, 3);
const QDate kLunes(2026, 1, 5);
const QDate kJueves2(2026, 1, 8);

// Winning numbers 1..6, complementary 49.
Sorteo sorteo(const QDate &dia)
{
    return sorteoDe(dia, 1);
}

Pena pena(const QString &nombre, const std::vector<std::array<int, 6>> &apuestas,
          const QString &dias = QString::fromUtf8("Jueves y Sábado"),
          const QDate &desde = QDate(2025, 1, 1))
{
    Pena p = penaDe(nombre, dias, desde);
    p.tipo = static_cast<qint16>(apuestas.size());
    for (size_t k = 0; k < apuestas.size(); ++k)
        for (int q = 0; q < 6; ++q)
            p.numero(int(k) + 1, q + 1) = static_cast<qint16>(apuestas[k][size_t(q)]);
    return p;
}

std::vector<Fila> todas(const Listado &l)
{
    std::vector<Fila> v;
    for (int f = 0; f < l.cuenta(); ++f)
        v.push_back(l.fila(f));
    return v;
}

std::vector<TipoFila> tipos(const Pasada &r)
{
    std::vector<TipoFila> t;
    for (const Fila &f : todas(*r.listado))
        t.push_back(f.tipo);
    return t;
}

// The whole printed listing of one or both passes.
std::vector<LineaImpresion> impresion(std::shared_ptr<const Listado> sencillas,
                                      std::shared_ptr<const Listado> multiples = {})
{
    LineasListado lineas(std::move(sencillas), std::move(multiples));
    std::vector<LineaImpresion> v;
    LineaImpresion l;
    while (lineas.siguiente(l))
        v.push_back(l);
    return v;
}

std::array<int, 5> contadores(const Pena &p)
{
    return {p.premio(3), p.premio(4), p.premio(5), p.premio(6), p.premio(7)};
}

Opciones ventana(int n)
{
    Opciones o;
    o.n = n;
    return o;
}

const auto E = TipoFila::Espacio;
const auto CP = TipoFila::CabeceraPena;
const auto CS = TipoFila::CabeceraSorteo;
const auto A = TipoFila::Apuesta;
} // namespace

class TstComprobacion : public QObject {
    Q_OBJECT
private slots:
    void filasYContadoresDeCadaPremio()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves)};
        const std::vector<Pena> penas = {pena(QStringLiteral("AMIGOS"), {
                                                                            {1, 2, 3, 4, 5, 49},
                                                                            {1, 2, 3, 4, 49, 20},
                                                                            {20, 1, 2, 3, 4, 5},
                                                                            {1, 2, 3, 10, 11, 12},
                                                                            {6, 5, 4, 3, 2, 1},
                                                                            {1, 2, 10, 11, 12, 49},
                                                                        })};
        const Pasada r = comprueba(sorteos, penas, ventana(1));
        QCOMPARE(tipos(r), (std::vector<TipoFila>{E, CP, CS, A, A, A, A, A, A}));
        const Listado &l = *r.listado;

        QCOMPARE(l.celdas(0).numeros, 0);
        QVERIFY(!l.celdas(0).hayTexto);
        const Celdas cabecera = l.celdas(1);
        QCOMPARE(cabecera.numeros, 6);
        QCOMPARE(cabecera.texto, QString::fromUtf8("PEÑA AMIGOS              "));
        QCOMPARE(cabecera.color, 0x800000u);
        QCOMPARE(l.celdas(2).texto, QStringLiteral("01/01/2026 Jueves"));
        QCOMPARE(l.celdas(2).color, 0x008000u);

        // The complementary with five winners is its own category, counted in 7, not 5.
        const Celdas cinco = l.celdas(3);
        QCOMPARE(cinco.texto, QString::fromUtf8("¡¡ Premio !! 5 + COMPLEMENTARIO"));
        QCOMPARE(cinco.color, 0xC04000u);
        QCOMPARE(cinco.rojos, quint16(0b011111));
        QCOMPARE(cinco.valor[5], qint16(49));
        // With fewer winners the complementary changes nothing.
        QCOMPARE(l.celdas(4).texto, QString::fromUtf8("¡¡ Premio !! Has acertado 4 números."));
        QCOMPARE(l.celdas(4).color, 0x0000FFu);
        QCOMPARE(l.celdas(5).texto, QString::fromUtf8("¡¡ Premio !! Has acertado 5 números."));
        QCOMPARE(l.celdas(5).color, 0x400040u);
        QCOMPARE(l.celdas(5).rojos, quint16(0b111110)); // the 20 comes first, in stored order
        QCOMPARE(l.celdas(6).texto, QString::fromUtf8("¡¡ Premio !! Has acertado 3 números."));
        QCOMPARE(l.celdas(6).color, 0x00C000u);
        QCOMPARE(l.celdas(7).texto, QString::fromUtf8("¡¡ Premio !! Has acertado 6 números."));
        QCOMPARE(l.celdas(7).color, 0xFF0000u);
        const Celdas nada = l.celdas(8);
        QVERIFY(!nada.hayTexto);
        QCOMPARE(nada.numeros, 6);
        QCOMPARE(nada.rojos, quint16(0b000011));

        QVERIFY(r.penasCambiadas);
        const Pena &p = r.penas->front();
        QCOMPARE(contadores(p), (std::array<int, 5>{1, 1, 1, 1, 1}));
        QCOMPARE(p.contado, fechas::serial(kJueves));
        QVERIFY(!r.hayMultiples);
    }

    void creadaDespuesDelSorteo()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves)};
        const std::vector<Pena> penas = {pena(QStringLiteral("NUEVA"), {{1, 2, 3, 4, 5, 6}},
                                              QStringLiteral("Jueves"), kJueves2)};
        Pasada r = comprueba(sorteos, penas, ventana(1));
        QCOMPARE(r.listado->cuenta(), 0);
        QCOMPARE(contadores(r.penas->front()), (std::array<int, 5>{}));

        Opciones historico = ventana(1);
        historico.historico = true;
        r = comprueba(sorteos, penas, historico);
        QCOMPARE(tipos(r), (std::vector<TipoFila>{E, CP, CS, A}));
        QCOMPARE(r.listado->celdas(3).texto,
                 QString::fromUtf8("¡¡ Premio !! Has acertado 6 números."));
        QCOMPARE(contadores(r.penas->front()), (std::array<int, 5>{}));
    }

    void filtrosDeDia_data()
    {
        QTest::addColumn<QString>("dias");
        QTest::addColumn<QDate>("dia");
        QTest::addColumn<bool>("juega");
        const QString ambos = QString::fromUtf8("Jueves y Sábado");
        const QString sabado = QString::fromUtf8("Sábado");
        QTest::newRow("jueves en jueves") << QStringLiteral("Jueves") << kJueves << true;
        QTest::newRow("jueves en sábado") << QStringLiteral("Jueves") << kSabado << false;
        QTest::newRow("sábado en sábado") << sabado << kSabado << true;
        QTest::newRow("sábado en jueves") << sabado << kJueves << false;
        QTest::newRow("ambos en jueves") << ambos << kJueves << true;
        QTest::newRow("ambos en sábado") << ambos << kSabado << true;
        QTest::newRow("ambos en lunes") << ambos << kLunes << false;
        QTest::newRow("jueves en lunes") << QStringLiteral("Jueves") << kLunes << false;
    }
    void filtrosDeDia()
    {
        QFETCH(QString, dias);
        QFETCH(QDate, dia);
        QFETCH(bool, juega);
        const Pasada r = comprueba(
            {sorteo(dia)}, {pena(QStringLiteral("P"), {{1, 2, 3, 7, 8, 9}}, dias)}, ventana(1));
        QCOMPARE(r.listado->cuenta(), juega ? 4 : 0);
        QCOMPARE(r.penas->front().premio(3), qint16(juega ? 1 : 0));
        // The counted-up-to date moves on whether or not the syndicate plays that day.
        QCOMPARE(r.penas->front().contado, fechas::serial(dia));
    }

    // Each syndicate is checked, counted and credited only on the draws of its own days.
    void diasDeJuegoConElHistoricoReal()
    {
        const QString ruta = CarpetaPrueba::historicoReal();
        if (ruta.isEmpty())
            QSKIP("No está el histórico real de sorteos");
        ArchivoSorteos archivo(ruta);
        QCOMPARE(archivo.abre(), Escritura::Hecha);
        const std::vector<Sorteo> &sorteos = archivo.sorteos();
        const QDate desde(2024, 1, 1);
        const std::vector<Pena> penas = {
            pena(QStringLiteral("JS"), {{1, 2, 3, 4, 5, 6}}, QString::fromUtf8("Jueves y Sábado"),
                 desde),
            pena(QStringLiteral("L"), {{1, 2, 3, 4, 5, 6}}, QStringLiteral("Lunes"), desde),
            pena(QStringLiteral("T"), {{1, 2, 3, 4, 5, 6}}, QString::fromUtf8("Todos los días"),
                 desde),
        };
        // Draws of each weekday since the syndicates were made.
        std::array<int, 8> desdeCreacion{};
        for (const Sorteo &s : sorteos)
            if (!(s.fecha < fechas::serial(desde)))
                ++desdeCreacion[size_t(fechas::numeroDia(s.fecha))];
        QVERIFY(desdeCreacion[2] > 100);

        Opciones o = ventana(int(sorteos.size()));
        const Pasada r = comprueba(sorteos, penas, o);
        // Every bet row sits under the heading of a draw on one of its syndicate's days.
        std::array<std::array<int, 8>, 3> filas{};
        for (const Fila &f : todas(*r.listado))
            if (f.tipo == TipoFila::Apuesta)
                ++filas[f.pena][size_t(fechas::numeroDia(sorteos[f.sorteo].fecha))];
        QCOMPARE(filas[0][2], 0);
        QCOMPARE(filas[0][5] + filas[0][7], desdeCreacion[5] + desdeCreacion[7]);
        QCOMPARE(filas[1][2], desdeCreacion[2]);
        QCOMPARE(filas[1][5] + filas[1][7], 0);
        QCOMPARE(filas[2][2] + filas[2][5] + filas[2][7],
                 desdeCreacion[2] + desdeCreacion[5] + desdeCreacion[7]);

        // Prizes come only from the days played: the all-days counters are the sum of the others.
        const std::vector<Pena> &contadas = *r.penas;
        for (int k = 3; k <= 7; ++k)
            QCOMPARE(contadas[2].premio(k), qint16(contadas[0].premio(k) + contadas[1].premio(k)));
        QCOMPARE(sorteosjugados(sorteos, {penas[0]}), desdeCreacion[5] + desdeCreacion[7]);
        QCOMPARE(listado::sorteosJugados(penas[0], sorteos), desdeCreacion[5] + desdeCreacion[7]);
        QCOMPARE(listado::sorteosJugados(penas[1], sorteos), desdeCreacion[2]);
        QCOMPARE(sorteosjugados(sorteos, penas),
                 desdeCreacion[2] + desdeCreacion[5] + desdeCreacion[7]);
        // "Histórico" takes the older draws of the same days; before 2022 there were no Mondays.
        o.historico = true;
        const Pasada todo = comprueba(sorteos, {penas[1]}, o);
        int lunes = 0;
        for (const Fila &f : todas(*todo.listado))
            lunes += f.tipo == TipoFila::CabeceraSorteo;
        QCOMPARE(lunes, 215);
    }

    void soloSiHayPremio()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves), sorteo(kSabado)};
        std::vector<Pena> penas = {
            pena(QStringLiteral("GANA"),
                 {{10, 11, 12, 13, 14, 15}, {1, 2, 3, 20, 21, 22}, {1, 20, 21, 22, 23, 24}}),
            pena(QStringLiteral("PIERDE"), {{10, 11, 12, 13, 14, 15}, {1, 2, 20, 21, 22, 23}}),
        };
        Opciones o = ventana(2);
        o.soloPremios = true;
        const Pasada r = comprueba(sorteos, penas, o);
        // One block a draw for the winner (newest draw first), nothing for the other.
        QCOMPARE(tipos(r), (std::vector<TipoFila>{E, CP, CS, A, E, CP, CS, A}));
        QCOMPARE(r.listado->fila(3).apuesta, quint8(1));
        QCOMPARE(r.listado->fila(0).sorteo, quint16(1));
        QCOMPARE(r.listado->celdas(2).texto, QString::fromUtf8("03/01/2026 Sábado"));
        // The filter hides rows, never prizes: both draws still count.
        QCOMPARE(r.penas->front().premio(3), qint16(2));

        o.soloPremios = false;
        QCOMPARE(comprueba(sorteos, penas, o).listado->cuenta(), 2 * (3 + 3 + 3 + 2));
    }

    void cadaSorteoCuentaUnaVez()
    {
        CarpetaPrueba carpeta;
        std::vector<Sorteo> sorteos = {sorteo(kJueves), sorteo(kSabado), sorteo(kJueves2)};
        carpeta.escribePenas({pena(QStringLiteral("P"), {{1, 2, 3, 4, 40, 41}})});
        ArchivoPenas archivo(carpeta.archivo(QStringLiteral("apuestas.dat")));
        archivo.abre();
        bool escrito = true;
        const auto pasa = [&](int n) -> Pena {
            const Pasada r = comprueba(sorteos, archivo.penas(), ventana(n));
            escrito &= guarda(archivo, r) == Escritura::Hecha;
            ArchivoPenas releido(archivo.ruta());
            releido.abre();
            return releido.lee(1);
        };
        // The list shows the newest draw; the counters take the three.
        QCOMPARE(pasa(1).premio(4), qint16(3));
        QCOMPARE(pasa(1).premio(4), qint16(3)); // the same window again
        QCOMPARE(pasa(3).premio(4), qint16(3)); // widened
        QCOMPARE(pasa(3).contado, fechas::serial(kJueves2));

        // The newest draw deleted and downloaded again is still counted once.
        sorteos.pop_back();
        QCOMPARE(pasa(2).contado, fechas::serial(kJueves2));
        sorteos.push_back(sorteo(kJueves2));
        QCOMPARE(pasa(1).premio(4), qint16(3));
        QVERIFY(escrito);
    }

    void seleccionDejaLasDemas()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves), sorteo(kSabado)};
        std::vector<Pena> penas = {pena(QStringLiteral("UNA"), {{1, 2, 3, 30, 31, 32}}),
                                   pena(QStringLiteral("OTRA"), {{1, 2, 3, 30, 31, 32}})};
        Opciones o = ventana(2);
        o.seleccion = penas[1].nombreTexto();
        Pasada r = comprueba(sorteos, penas, o);
        QVERIFY(r.seleccionEncontrada);
        QCOMPARE((*r.penas)[0], penas[0]); // untouched, byte for byte
        QCOMPARE((*r.penas)[1].premio(3), qint16(2));
        QCOMPARE(r.listado->cuenta(), 2 * 4);
        QCOMPARE(r.listado->fila(0).pena, quint16(1));

        // A later pass over every syndicate counts the skipped one.
        penas = *r.penas;
        r = comprueba(sorteos, penas, ventana(2));
        QCOMPARE((*r.penas)[0].premio(3), qint16(2));
        QCOMPARE((*r.penas)[1].premio(3), qint16(2));

        // A name that only differs in its blanks is another syndicate.
        o.seleccion = QStringLiteral("OTRA");
        r = comprueba(sorteos, penas, o);
        QCOMPARE(r.listado->cuenta(), 0);
        QVERIFY(!r.seleccionEncontrada);
    }

    void registrosDanados()
    {
        Sorteo repetido = sorteo(kSabado);
        repetido.numeros[1] = 1;
        Sorteo complementarioRepetido = sorteo(kJueves2);
        complementarioRepetido.complementario = 6;
        Sorteo fuera = sorteo(QDate(2026, 1, 10));
        fuera.numeros[0] = 77;
        const std::vector<Sorteo> sorteos = {sorteo(kJueves), repetido, complementarioRepetido,
                                             fuera};

        Pena buena =
            pena(QStringLiteral("BUENA"),
                 {{0, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 50}, {1, 1, 2, 3, 4, 5}, {1, 2, 3, 4, 5, 6}});
        buena.premio(6) = 32767; // a counter never passes its 16 bits
        std::vector<Pena> penas = {buena};
        for (int tipo : {0, -5, 206, 300, 500, 507, 32767}) {
            Pena mala = pena(QStringLiteral("MALA %1").arg(tipo), {{1, 2, 3, 4, 5, 6}});
            mala.tipo = static_cast<qint16>(tipo);
            penas.push_back(mala);
        }
        const Pasada r = comprueba(sorteos, penas, ventana(4));
        // Only the good bet of the good syndicate, only on the good draw.
        QCOMPARE(tipos(r), (std::vector<TipoFila>{E, CP, CS, A}));
        QCOMPARE(r.listado->fila(3).apuesta, quint8(3));
        QCOMPARE(r.listado->celdas(2).texto, QStringLiteral("01/01/2026 Jueves"));
        const Pena &p = r.penas->front();
        QCOMPARE(p.premio(6), qint16(32767));
        QCOMPARE(p.premio(5) + p.premio(4) + p.premio(3) + p.premio(7), 0);
        for (size_t j = 1; j < penas.size(); ++j)
            QCOMPARE((*r.penas)[j], penas[j]);
        QVERIFY(!r.hayMultiples);

        // A multiple with a number out of range is not checked either.
        Pena multiple = pena(QStringLiteral("M"), {{1, 2, 3, 4, 5, 60}});
        multiple.tipo = 501;
        const Pasada m = compruebamultiples(sorteos, {multiple}, ventana(4));
        QCOMPARE(m.listado->cuenta(), 0);
        QCOMPARE(m.penas->front(), multiple);

        // Rows from a damaged record never reach past the table of its record.
        QCOMPARE(r.listado->celdas(-1).numeros, 0);
        QCOMPARE(r.listado->celdas(99).numeros, 0);
    }

    void fechasDeContadoDanadas()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves)};
        Pena futuro = pena(QStringLiteral("F"), {{1, 2, 3, 4, 10, 11}});
        futuro.contado = fechas::serial(QDate(2999, 1, 1));
        Pena nan = futuro;
        nan.contado = std::nan("");
        // Months after the newest draw: real on a machine whose archive lost its last draws.
        Pena adelantado = futuro;
        adelantado.contado = fechas::serial(kJueves.addMonths(11));
        Opciones o = ventana(1);
        const Pasada r = comprueba(sorteos, {futuro, nan, adelantado}, o);
        // A date that cannot be real is replaced; a missing one counts from creation.
        QCOMPARE((*r.penas)[0].contado, fechas::serial(kJueves));
        QCOMPARE((*r.penas)[0].premio(4), qint16(0));
        QCOMPARE((*r.penas)[1].contado, fechas::serial(kJueves));
        QCOMPARE((*r.penas)[1].premio(4), qint16(1));
        QCOMPARE((*r.penas)[2], adelantado);
    }

    void avisoDePremio()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves)};
        Pena multiple = pena(QStringLiteral("M"), {{1, 2, 3, 20, 21, 22}});
        multiple.tipo = 501;
        multiple.numero(1, 7) = 23;
        const std::vector<Pena> penas = {pena(QStringLiteral("S"), {{1, 2, 3, 4, 40, 41}}),
                                         multiple};
        Opciones o = ventana(1);
        Pasada r = comprueba(sorteos, penas, o);
        QVERIFY(!r.arrancaAviso); // no download behind it: no alert
        QCOMPARE(r.avisopremio, 0);
        QVERIFY(r.hayMultiples);

        o.avisoDescarga = true;
        r = comprueba(sorteos, penas, o);
        QVERIFY(r.arrancaAviso);
        QCOMPARE(r.avisopremio, 1);
        o.avisopremio = 1;
        o.avisoActivo = true;
        r = compruebamultiples(sorteos, penas, o);
        QCOMPARE(r.avisopremio, 3);
        QVERIFY(!r.arrancaAviso);

        o.avisopremio = 0;
        o.avisoActivo = false;
        r = compruebamultiples(sorteos, penas, o);
        QCOMPARE(r.avisopremio, 2);
        QVERIFY(r.arrancaAviso);
        // While the alert blinks, a simple prize leaves it as it is.
        o.avisopremio = 2;
        o.avisoActivo = true;
        r = comprueba(sorteos, penas, o);
        QCOMPARE(r.avisopremio, 2);
        QVERIFY(!r.arrancaAviso);
    }

    void listadoImpreso()
    {
        const std::vector<Sorteo> sorteos = {sorteo(kJueves), sorteo(kSabado)};
        Pena multiple = pena(QStringLiteral("MULTI"), {{1, 2, 3, 4, 5, 40}});
        multiple.tipo = 501;
        multiple.numero(1, 7) = 49;
        const std::vector<Pena> penas = {
            pena(QStringLiteral("ANA"), {{1, 2, 3, 10, 11, 12}, {7, 8, 9, 20, 21, 22}},
                 QStringLiteral("Jueves")),
            pena(QStringLiteral("LUIS"), {{4, 5, 6, 33, 34, 35}}), multiple};
        Opciones o = ventana(2);
        o.soloPremios = true;
        const Pasada s = comprueba(sorteos, penas, o);
        const std::vector<LineaImpresion> sencillas = impresion(s.listado);
        using T = LineaImpresion::Tipo;
        const QString sabado = QStringLiteral("Sorteo del 03/01/2026  1-2-3-4-5-6  C:49  R:3");
        const QString jueves = QStringLiteral("Sorteo del 01/01/2026  1-2-3-4-5-6  C:49  R:3");
        const QString luis = QStringLiteral("    4    5    6  33  34  35  ") +
                             QString::fromUtf8("¡¡ Premio !! Has acertado 3 números.");
        const std::vector<LineaImpresion> esperado = {
            {T::Texto, 50, 22, true, QString::fromUtf8("PEÑAS SENCILLAS / REDUCIDAS")},
            {T::Vacia, 0, 22, false, {}},
            {T::Texto, 20, 18, false, sabado},
            {T::Vacia, 0, kLetraListado, false, {}},
            {T::Texto, 30, kLetraListado, false, QString::fromUtf8("PEÑA LUIS                ")},
            {T::Texto, 30, kLetraListado, false, luis, 6, 0b111},
            {T::Vacia, 0, kLetraListado, false, {}},
            {T::Texto, 20, 18, false, jueves},
            {T::Vacia, 0, kLetraListado, false, {}},
            {T::Texto, 30, kLetraListado, false, QString::fromUtf8("PEÑA ANA                 ")},
            {T::Texto, 30, kLetraListado, false,
             QStringLiteral("    1    2    3  10  11  12  ") +
                 QString::fromUtf8("¡¡ Premio !! Has acertado 3 números."),
             6, 0b111},
            {T::Vacia, 0, kLetraListado, false, {}},
            {T::Texto, 30, kLetraListado, false, QString::fromUtf8("PEÑA LUIS                ")},
            {T::Texto, 30, kLetraListado, false, luis, 6, 0b111},
        };
        QCOMPARE(sencillas.size(), esperado.size());
        for (size_t i = 0; i < esperado.size(); ++i)
            QCOMPARE(sencillas[i], esperado[i]);

        // The multiples follow on a page of their own.
        const Pasada m = compruebamultiples(sorteos, penas, o);
        const std::vector<LineaImpresion> ambas = impresion(s.listado, m.listado);
        QCOMPARE(ambas.size(), esperado.size() + 9 + 7); // and the older draw: no page break
        const LineaImpresion *multiples = ambas.data() + esperado.size();
        QCOMPARE(multiples[0].tipo, T::NuevaPagina);
        QCOMPARE(multiples[1],
                 (LineaImpresion{T::Texto, 70, 22, true, QString::fromUtf8("PEÑAS MÚLTIPLES")}));
        QCOMPARE(multiples[5].texto, QString::fromUtf8("PEÑA MULTI               "));
        QCOMPARE(multiples[6].texto,
                 QStringLiteral("    1    2    3    4    5  40  49  ") +
                     QString::fromUtf8("¡¡ Premio !! Tienes 5 apuestas de 4 aciertos."));
        // The numbers that hit the draw go in bold; the complementary (49) is not one of them.
        QCOMPARE(int(multiples[6].numeros), 7);
        QCOMPARE(int(multiples[6].acertados), 0b11111);
        QCOMPARE(multiples[7], (LineaImpresion{T::Texto, 83.3, kLetraListado, false,
                                               QString::fromUtf8("¡¡ Premio !! Tienes 1 "
                                                                 "apuesta de 5 aciertos.")}));
        QCOMPARE(multiples[8].x, 83.3);
        // Alone, the multiples open the first page.
        const std::vector<LineaImpresion> solas = impresion(nullptr, m.listado);
        QCOMPARE(solas.size(), size_t(1 + 7 + 7));
        QCOMPARE(solas[0].texto, QString::fromUtf8("PEÑAS MÚLTIPLES"));
        QVERIFY(!LineasListado(nullptr, m.listado).vacio());

        // Read again, without texts for laying out the pages: the same lines, no words.
        LineasListado lineas(s.listado, m.listado);
        lineas.reinicia(false);
        std::vector<LineaImpresion> formas;
        for (LineaImpresion l; lineas.siguiente(l);)
            formas.push_back(l);
        QCOMPARE(formas.size(), ambas.size());
        for (size_t i = 0; i < formas.size(); ++i) {
            QCOMPARE(formas[i].tipo, ambas[i].tipo);
            QCOMPARE(formas[i].x, ambas[i].x);
            QCOMPARE(formas[i].tamano, ambas[i].tamano);
        }
        lineas.reinicia();
        LineaImpresion primera;
        QVERIFY(lineas.siguiente(primera));
        QCOMPARE(primera, esperado[0]);

        // Nothing won and only prizes wanted: nothing printed at all.
        const Pasada vacio = comprueba({sorteoDe(kJueves, 40)}, penas, o);
        QVERIFY(LineasListado(vacio.listado, nullptr).vacio());
        QVERIFY(impresion(vacio.listado).empty());
        // A syndicate without one usable bet shows its headings but prints nothing.
        Pena rota = pena(QStringLiteral("ROTA"), {{1, 1, 2, 3, 4, 5}});
        const Pasada cabeceras = comprueba(sorteos, {rota}, ventana(1));
        QCOMPARE(cabeceras.listado->cuenta(), 3);
        QVERIFY(LineasListado(cabeceras.listado, nullptr).vacio());
    }

    void ventanasFueraDeRango()
    {
        const std::vector<Pena> penas = {pena(QStringLiteral("P"), {{1, 2, 3, 4, 5, 6}})};
        QCOMPARE(comprueba({}, penas, ventana(3)).listado->cuenta(), 0);
        QCOMPARE(comprueba({sorteo(kJueves)}, penas, ventana(0)).listado->cuenta(), 0);
        QCOMPARE(comprueba({sorteo(kJueves)}, penas, ventana(-4)).listado->cuenta(), 0);
        QCOMPARE(comprueba({sorteo(kJueves)}, penas, ventana(100)).listado->cuenta(), 4);
        int llamadas = 0;
        comprueba({sorteo(kJueves), sorteo(kSabado)}, penas, ventana(2),
                  [&llamadas](int hechos) { QCOMPARE(hechos, ++llamadas); });
        QCOMPARE(llamadas, 2);
    }

    void sumaSeDetieneEnElLimite()
    {
        qint16 c = 32760;
        suma(c, 1);
        QCOMPARE(c, qint16(32761));
        suma(c, 462);
        QCOMPARE(c, qint16(32767));
        suma(c, 1);
        QCOMPARE(c, qint16(32767));
    }
};

QTEST_APPLESS_MAIN(TstComprobacion)
#include "tst_comprobacion.moc"
