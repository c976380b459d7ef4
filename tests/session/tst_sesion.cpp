// The session without any window: new draws and their amounts go through it to the counters,
// the counted-up-to dates and the money, and every change is announced once.
#include "apoyo/carpetaprueba.h"
#include "archive/fechas.h"
#include "archive/importes.h"
#include "session/cuentas.h"
#include "session/sesion.h"
#include "syndicates/archivopenas.h"

#include <QtTest>

namespace {
const QDate kHoy(2026, 12, 4);    // a Friday
const QDate kJueves(2026, 12, 3); // the draw that arrives
const QDate kCreada(2026, 11, 1); // the syndicate plays Thursdays from here
const std::vector<QDate> kArchivados{QDate(2026, 11, 26), QDate(2026, 11, 28)};

// An answer of the results service with the draw of kJueves, in the service's own shape: 1-2-3-4
// give the syndicate's bet (1..6) four hits, paid 56,78 € in the 4th category. `cuarta` is
// that amount as the service writes it; empty: the breakdown is not published yet.
QByteArray respuesta(const QByteArray &cuarta = "56,78")
{
    const QByteArray escrutinio = cuarta.isEmpty() ? QByteArray()
                                                   : R"json(
          {"tipo": "Especial (6 Aciertos + R) ", "categoria": 1, "premio": "0", "ganadores": "0"},
          {"tipo": "1ª (6 Aciertos) ", "categoria": 2, "premio": "0", "ganadores": "0"},
          {"tipo": "2ª (5 Aciertos + C) ", "categoria": 3, "premio": "98765,43", "ganadores": "1"},
          {"tipo": "3ª (5 Aciertos) ", "categoria": 4, "premio": "2345,67", "ganadores": "9"},
          {"tipo": "4ª (4 Aciertos) ", "categoria": 5, "premio": ")json" +
                                                         cuarta + R"json(", "ganadores": "700"},
          {"tipo": "5ª (3 Aciertos) ", "categoria": 6, "premio": "8", "ganadores": "9000"},
          {"tipo": "Reintegro", "categoria": 7, "premio": "1", "ganadores": "90000"})json";
    return R"json([{"fecha_sorteo": "2026-12-03 21:40:00",
        "combinacion": "01 - 02 - 03 - 04 - 30 - 31 C(40) R(5)",
        "joker": {"gameid": "LAJO", "combinacion": "1234567"},
        "escrutinio": [)json" +
           escrutinio + "]}]";
}

// Every signal of the session, in the order it came.
struct Escucha {
    explicit Escucha(Sesion &s)
    {
        QObject::connect(&s, &Sesion::sorteosCambiados,
                         [this](const CambioSorteos &c) { sorteos.push_back(c); });
        QObject::connect(&s, &Sesion::penasCambiadas,
                         [this](const CambioPenas &c) { penas.push_back(c); });
        QObject::connect(&s, &Sesion::importesCambiados, [this] { ++importes; });
        QObject::connect(&s, &Sesion::sociosCambiados, [this] { ++socios; });
        QObject::connect(&s, &Sesion::recontado, [this] { ++recuentos; });
    }
    std::vector<CambioSorteos> sorteos;
    std::vector<CambioPenas> penas;
    int importes = 0;
    int socios = 0;
    int recuentos = 0;
};

std::unique_ptr<Sesion> abre(const CarpetaPrueba &c)
{
    auto s = std::make_unique<Sesion>(c.ruta(), [] { return QDateTime(kHoy, QTime(10, 0)); });
    s->abreArchivos();
    s->leeajustes();
    Ajustes a = s->ajustes();
    a.precio = 1.0f;
    s->ponAjustes(a);
    s->empieza();
    return s;
}
} // namespace

class TstSesion : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { archivos::fuerzaFallo(Escritura::Hecha); }

    void sorteosEImportesNuevosLleganAContadoresYDinero()
    {
        CarpetaPrueba c;
        std::vector<Sorteo> archivados;
        for (const QDate &d : kArchivados)
            archivados.push_back(sorteoDe(d, 10));
        c.escribeSorteos(archivados);
        c.escribePenas({penaDe(QStringLiteral("OFICINA"), QStringLiteral("Jueves"), kCreada)});
        auto s = abre(c);
        QCOMPARE(s->cuentas().todas().premios, 0);
        Escucha oye(*s);

        s->empiezaDescarga();
        const Sesion::Recepcion r = s->recibe(respuesta(), kHoy);
        QCOMPARE(r.forma, Fuente::Lectura::Forma::Lista);
        QCOMPARE(r.agregado.nuevos, 1);
        QCOMPARE(s->cierraRecepcion(), 1);
        s->terminaDescarga();

        // The archive, the counters and the counted-up-to date, in memory and on the disk.
        QCOMPARE(s->sorteos().cuenta(), 3);
        QCOMPARE(s->sorteoActual().fecha, fechas::serial(kJueves));
        ArchivoPenas enDisco(c.archivo(QStringLiteral("apuestas.dat")));
        QCOMPARE(enDisco.abre(), Escritura::Hecha);
        for (const Pena &p : {s->penas().lee(1), enDisco.lee(1)}) {
            QCOMPARE(p.premio(4), qint16(1));
            QCOMPARE(p.premio(3), qint16(0));
            QCOMPARE(p.contado, fechas::serial(kJueves));
        }
        // The amounts are kept, and the money follows them without being told twice.
        ArchivoImportes importes(c.archivo(QStringLiteral("premios.dat")));
        QCOMPARE(importes.abre(), Escritura::Hecha);
        QVERIFY(importes.busca(fechas::serial(kJueves)));
        const ganancias::Ganancias &g = s->cuentas().todas();
        QCOMPARE(g.jugados, 2);
        QCOMPARE(g.premios, qint64(5678));
        QCOMPARE(g.gasto, qint64(200));

        // One announcement of each change, carrying what changed.
        QCOMPARE(oye.sorteos.size(), size_t(1));
        QCOMPARE(oye.sorteos[0].tipo, CambioSorteos::Tipo::Descargados);
        QCOMPARE(oye.sorteos[0].cuantos, 1);
        QCOMPARE(oye.importes, 1);
        QCOMPARE(oye.penas.size(), size_t(1));
        QCOMPARE(oye.penas[0].tipo, CambioPenas::Tipo::Contadores);
        QVERIFY(oye.recuentos > 0);
        // The lists show the new draw: the pass that counted it is the one kept.
        QCOMPARE(s->sorteosAComprobar(), 1);
        QVERIFY(s->pasada(0).listado && s->pasada(0).listado->cuenta() > 0);

        // The same answer again brings nothing new and counts nothing twice.
        s->empiezaDescarga();
        QCOMPARE(s->recibe(respuesta(), kHoy).agregado.nuevos, 0);
        QCOMPARE(s->cierraRecepcion(), 0);
        s->terminaDescarga();
        QCOMPARE(s->penas().lee(1).premio(4), qint16(1));
        QCOMPARE(s->cuentas().todas().premios, qint64(5678));
        QCOMPARE(s->importesActualizados(), 0);
    }

    // The operator publishes the breakdown after the numbers, and now and then corrects it: a
    // later answer brings both to premios.dat and to the money, and says how many draws changed.
    void importesTardiosYCorregidos()
    {
        CarpetaPrueba c;
        c.escribeSorteos({sorteoDe(kArchivados[0], 10), sorteoDe(kArchivados[1], 10)});
        c.escribePenas({penaDe(QStringLiteral("OFICINA"), QStringLiteral("Jueves"), kCreada)});
        auto s = abre(c);

        s->empiezaDescarga();
        QCOMPARE(s->recibe(respuesta(""), kHoy).agregado.nuevos, 1);
        s->cierraRecepcion();
        s->terminaDescarga();
        QVERIFY(!s->importes().busca(fechas::serial(kJueves)));
        QCOMPARE(s->cuentas().todas().premios, qint64(0));

        // Amounts first published count as nothing changed; a correction is told.
        for (const auto &[cuarta, centimos, cambiados] :
             {std::tuple<QByteArray, qint64, int>{"56,78", 5678, 0},
              std::tuple<QByteArray, qint64, int>{"57.1", 5710, 1}}) {
            s->empiezaDescarga();
            QCOMPARE(s->recibe(respuesta(cuarta), kHoy).agregado.nuevos, 0);
            QCOMPARE(s->importesActualizados(), cambiados);
            s->cierraRecepcion();
            s->terminaDescarga();
            QCOMPARE(s->importes().busca(fechas::serial(kJueves))->centimos[4], centimos);
            QCOMPARE(s->cuentas().todas().premios, centimos);
        }
        // The winners and the refund's amount are kept beside them.
        ArchivoGanadores ganadores(importes::rutaGanadores(c.ruta()));
        QCOMPARE(ganadores.abre(), Escritura::Hecha);
        const GanadoresSorteo *g = ganadores.busca(fechas::serial(kJueves));
        QVERIFY(g);
        QCOMPARE(g->reintegro, qint64(100));
        QCOMPARE(g->ganadores, (std::array<qint64, 7>{0, 0, 1, 9, 700, 9000, 90000}));
    }

    // "Completar importes de premios": a year is done only when its amounts reached the disk.
    void unAnioSinGuardarSePideOtraVez()
    {
        CarpetaPrueba c;
        c.escribeSorteos({sorteoDe(kArchivados[0], 10), sorteoDe(kJueves, 1)});
        auto s = abre(c);
        QCOMPARE(s->aniosSinImportes(), std::vector<int>{2026});
        archivos::fuerzaFallo(Escritura::Fallo);
        QCOMPARE(s->completaImportes(respuesta(), 2026).escritura, Escritura::Fallo);
        archivos::fuerzaFallo(Escritura::Hecha);
        QCOMPARE(s->aniosSinImportes(), std::vector<int>{2026});
        const Sesion::Completado hecho = s->completaImportes(respuesta(), 2026);
        QCOMPARE(hecho.escritura, Escritura::Hecha);
        QCOMPARE(hecho.completados, 1);
        QCOMPARE(s->sorteosSinImportes(), 1);
        // The next run starts after 2026: nothing is left to ask.
        QVERIFY(s->aniosSinImportes().empty());
    }

    // A draw listed before its result is left for later without a word, and keeps nothing older
    // out; a range without draws is answered with a text.
    void sorteoPendienteYRangoVacio()
    {
        CarpetaPrueba c;
        c.escribeSorteos({sorteoDe(kArchivados[0], 10)});
        auto s = abre(c);
        const QByteArray pendiente =
            R"json([{"fecha_sorteo": "2026-12-03 21:40:00", "combinacion": null,
              "joker": {"combinacion": "-"}, "escrutinio": []},
             {"fecha_sorteo": "2026-11-28 21:40:00",
              "combinacion": "05 - 06 - 07 - 08 - 09 - 10 C(11) R(1)", "joker": "7654321",
              "escrutinio": []}])json";
        s->empiezaDescarga();
        const Sesion::Recepcion r = s->recibe(pendiente, kHoy);
        QCOMPARE(r.forma, Fuente::Lectura::Forma::Lista);
        QCOMPARE(r.agregado.nuevos, 1);
        QVERIFY(!r.agregado.invalido);
        QCOMPARE(s->sorteos().ultimo().fecha, fechas::serial(kArchivados[1]));
        for (const QByteArray &vacia : {QByteArray("\"No hay sorteos en esas fechas\""),
                                        QByteArray("null"), QByteArray("[]")}) {
            const Sesion::Recepcion v = s->recibe(vacia, kHoy);
            QCOMPARE(v.forma, Fuente::Lectura::Forma::Lista);
            QCOMPARE(v.agregado.nuevos, 0);
            QVERIFY(!v.agregado.invalido);
        }
        QCOMPARE(s->recibe("<!DOCTYPE html><html><title>Access Denied</title></html>", kHoy).forma,
                 Fuente::Lectura::Forma::Pagina);
        // The next download asks from the day after the newest draw, and the last 30 days again.
        QCOMPARE(s->diasPorPedir(), std::make_pair(kHoy.addDays(-30), kHoy));
        QCOMPARE(s->diasQueFaltan(), std::make_pair(kArchivados[1].addDays(1), kHoy));
    }

    void penaGuardadaRenombradaYBorradaSinVentanas()
    {
        CarpetaPrueba c;
        c.escribeSorteos({sorteoDe(kArchivados[0], 10)});
        auto s = abre(c);
        Escucha oye(*s);

        const Pena nueva = penaDe(QStringLiteral("AMIGOS"), QStringLiteral("Jueves"), kCreada);
        QCOMPARE(s->guardaPena(s->penas().proximapena(), nueva), Escritura::Hecha);
        QCOMPARE(oye.penas.size(), size_t(1));
        QCOMPARE(oye.penas[0].tipo, CambioPenas::Tipo::Guardada);
        QCOMPARE(oye.penas[0].registro, 1);
        QCOMPARE(oye.recuentos, 1);
        QCOMPARE(s->recuento().sorteosjugados, 1);
        ArchivoPenas enDisco(c.archivo(QStringLiteral("apuestas.dat")));
        enDisco.abre();
        QCOMPARE(enDisco.cuenta(), 1);

        // Members, and their part of the stake, without a window.
        SociosPena socios = SociosPena::de(nueva);
        socios.socios = {{QStringLiteral("ANA"), 1}, {QStringLiteral("LUIS"), 3}};
        QCOMPARE(s->guardaSocios(socios), Escritura::Hecha);
        QCOMPARE(oye.socios, 1);
        QCOMPARE(s->cuentas().partesTodas().size(), size_t(2));
        QCOMPARE(s->cuentas().partesTodas()[1].gasto, qint64(75));

        // Renamed in place: the members follow it.
        Pena renombrada = s->penas().lee(1);
        renombrada.ponNombre(QStringLiteral("AMIGOS 2"));
        QCOMPARE(s->guardaPena(1, renombrada), Escritura::Hecha);
        QCOMPARE(oye.socios, 2);
        QVERIFY(s->socios().busca(renombrada));
        QVERIFY(!s->socios().busca(nueva));

        // A write the disk refuses changes nothing and announces nothing.
        archivos::fuerzaFallo(Escritura::Fallo);
        QCOMPARE(s->guardaPena(s->penas().proximapena(), nueva), Escritura::Fallo);
        QCOMPARE(s->eliminaPena(1).penas, Escritura::Fallo);
        archivos::fuerzaFallo(Escritura::Hecha);
        QCOMPARE(s->penas().cuenta(), 1);
        QCOMPARE(oye.penas.size(), size_t(2));

        // Deleted: its members go with it.
        const Sesion::Eliminacion e = s->eliminaPena(1);
        QCOMPARE(e.penas, Escritura::Hecha);
        QCOMPARE(e.socios, Escritura::Hecha);
        QCOMPARE(oye.penas.back().tipo, CambioPenas::Tipo::Eliminada);
        QCOMPARE(oye.socios, 3);
        QVERIFY(s->penas().vacio());
        QVERIFY(s->socios().registros().empty());
        QCOMPARE(s->cuentas().todas().gasto, qint64(0));
    }
};

QTEST_GUILESS_MAIN(TstSesion)
#include "tst_sesion.moc"
