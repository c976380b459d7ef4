// Hostile files in the program directory and among the files a user picks: FIFOs and devices
// that would block, files far larger than any real one, damaged draws, dates that are no dates,
// and an import whose new archive does not fit. Nothing may block, nothing may be lost, and
// what the user is told must be true.
#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "archive/conversion.h"
#include "archive/escritura.h"
#include "archive/fechas.h"
#include "archive/intercambio.h"
#include "archive/mantenimiento.h"
#include "session/ajustes.h"
#include "session/recuento.h"
#include "session/sesion.h"
#include "syndicates/archivopenas.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <cmath>
#include <limits>

#include <sys/stat.h>
#include <sys/types.h>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

std::vector<Sorteo> jueves(int cuantos, QDate desde = QDate(2025, 1, 2))
{
    std::vector<Sorteo> v;
    for (int i = 0; i < cuantos; ++i)
        v.push_back(sorteoDe(desde.addDays(7 * i), 1 + i % 40));
    return v;
}

bool haceFifo(const QString &ruta)
{
    return ::mkfifo(QFile::encodeName(ruta).constData(), 0600) == 0;
}

// A file of `tamano` bytes that takes no room (a hole), starting with `principio`.
void archivoGrande(const QString &ruta, qint64 tamano, const QByteArray &principio = {})
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(principio);
    QVERIFY(f.resize(tamano));
}
} // namespace

class TstHostil : public QObject {
    Q_OBJECT
private slots:
    // Only regular files are read.

    void unaTuberiaNoSeLeeNiBloquea()
    {
        CarpetaPrueba c;
        const QString fifo = c.archivo(QStringLiteral("tuberia"));
        QVERIFY(haceFifo(fifo));
        QElapsedTimer reloj;
        reloj.start();
        QByteArray bytes;
        QVERIFY(!archivos::lee(fifo, 1024, bytes));
        QCOMPARE(archivos::tamano(fifo), qint64(-1));
        QFile f;
        QCOMPARE(archivos::abreRegular(f, fifo), archivos::Apertura::NoEsArchivo);
        QCOMPARE(archivos::abreRegular(f, c.archivo(QStringLiteral("no-existe"))),
                 archivos::Apertura::NoExiste);
        QVERIFY(!conversion::aceptaArchivo(fifo));
        QVERIFY(!conversion::esAntiguo(fifo));
        QVERIFY(reloj.elapsed() < 2000);
    }

    void importarUnaTuberiaNoBloquea()
    {
        CarpetaPrueba c;
        c.escribeSorteos(jueves(3));
        const QByteArray antes = c.lee(QStringLiteral("numeros.dat"));
        const QString fifo = c.archivo(QStringLiteral("elegido.dat"));
        QVERIFY(haceFifo(fifo));
        QElapsedTimer reloj;
        reloj.start();
        // "Añadir todos los sorteos" and the import of draws from a file.
        QVERIFY(mantenimiento::importa(c.ruta(), fifo).estado != Importacion::Estado::Importado);
        QCOMPARE(intercambio::importa(c.ruta(), fifo).estado,
                 intercambio::Resultado::Estado::NoEsArchivo);
        QCOMPARE(intercambio::importa(c.ruta(), QStringLiteral("/dev/zero")).estado,
                 intercambio::Resultado::Estado::NoEsArchivo);
        QVERIFY(mantenimiento::importa(c.ruta(), QStringLiteral("/dev/zero")).estado !=
                Importacion::Estado::Importado);
        QVERIFY(reloj.elapsed() < 2000);
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), antes);
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("numeros.bak"))));
    }

    void losArchivosDelProgramaQueSonTuberiasNoBloquean()
    {
        CarpetaPrueba c;
        for (const char *nombre : {"numeros.dat", "apuestas.dat", "nums.ini", "ajustes.ini"}) {
            QFile::remove(c.archivo(QString::fromLatin1(nombre)));
            QVERIFY(haceFifo(c.archivo(QString::fromLatin1(nombre))));
        }
        QElapsedTimer reloj;
        reloj.start();
        Sesion s(c.ruta(), [] { return QDateTime(QDate(2026, 1, 1), QTime(12, 0)); });
        s.abreArchivos();
        s.leeajustes();
        QVERIFY(s.sorteos().vacio());
        QVERIFY(s.penas().vacio());
        // Nothing is written over them either.
        QVERIFY(s.penas().rechazado());
        QCOMPARE(s.penas().escribe(1, Pena()), Escritura::Fallo);
        QVERIFY(!QFileInfo(c.archivo(QStringLiteral("apuestas.dat"))).isFile());
        QVERIFY(reloj.elapsed() < 3000);
    }

    // Files far beyond any real use.

    void unArchivoDePenasEnormeNoSeLeeNiSeEscribe()
    {
        CarpetaPrueba c;
        const QString ruta = c.archivo(QStringLiteral("apuestas.dat"));
        archivoGrande(ruta, ArchivoPenas::kLimiteBytes + Pena::kLongitud);
        QElapsedTimer reloj;
        reloj.start();
        ArchivoPenas penas(ruta);
        QCOMPARE(penas.abre(), Escritura::Fallo);
        QVERIFY(reloj.elapsed() < 2000);
        QVERIFY(penas.vacio());
        QVERIFY(penas.rechazado());
        QCOMPARE(penas.tamanoRechazado(), ArchivoPenas::kLimiteBytes + Pena::kLongitud);
        // An empty list must never be written over the user's file.
        QCOMPARE(penas.escribe(1, penaDe(QStringLiteral("NUEVA"), QStringLiteral("Jueves"),
                                         QDate(2026, 1, 1))),
                 Escritura::Fallo);
        QCOMPARE(penas.reseteaContadores(46000), Escritura::Fallo);
        QCOMPARE(QFileInfo(ruta).size(), ArchivoPenas::kLimiteBytes + Pena::kLongitud);

        const QString texto = ArchivoPenas::mensajeGrande(penas.tamanoRechazado());
        QVERIFY2(texto.contains(u("hasta 2000 peñas (16.614.000 bytes)")), qPrintable(texto));
        QVERIFY2(texto.contains(u("16.622.307 bytes")), qPrintable(texto));

        // At the limit the file is read.
        QVERIFY(QFile::resize(ruta, ArchivoPenas::kLimiteBytes));
        QCOMPARE(penas.abre(), Escritura::Hecha);
        QCOMPARE(penas.cuenta(), ArchivoPenas::kLimite);
        QVERIFY(!penas.rechazado());
    }

    void laSesionAvisaUnaVezDeLasPenasRechazadas()
    {
        CarpetaPrueba c;
        archivoGrande(c.archivo(QStringLiteral("apuestas.dat")), qint64(200) << 20);
        Sesion s(c.ruta(), [] { return QDateTime(QDate(2026, 1, 1), QTime(12, 0)); });
        s.abreArchivos();
        const auto avisos = s.avisosApertura();
        QCOMPARE(avisos.size(), size_t(1));
        QCOMPARE(avisos[0].titulo, u("Archivo de peñas demasiado grande"));
        QVERIFY(avisos[0].texto.contains(u("2000 peñas")));
        QVERIFY(s.avisosApertura().empty());
    }

    // Draws beyond the last record number are not read: the user is told once how many were
    // read and how many were left, before a rewrite drops them.
    void laSesionAvisaUnaVezDeLosSorteosQueNoCaben()
    {
        CarpetaPrueba c;
        std::vector<Sorteo> sorteos;
        const QDate desde(1900, 1, 1);
        for (int i = 0; i < ArchivoSorteos::kMaximo + 7; ++i)
            sorteos.push_back(sorteoDe(desde.addDays(i), 1 + i % 40));
        c.escribeSorteos(sorteos);
        Sesion s(c.ruta(), [] { return QDateTime(QDate(2026, 1, 1), QTime(12, 0)); });
        s.abreArchivos();
        QCOMPARE(s.sorteos().cuenta(), ArchivoSorteos::kMaximo);
        QCOMPARE(s.sorteos().sobrantes(), qint64(7));
        const auto avisos = s.avisosApertura();
        QCOMPARE(avisos.size(), size_t(1));
        QCOMPARE(avisos[0].titulo, u("Archivo de sorteos demasiado grande"));
        QVERIFY2(avisos[0].texto.contains(u("tiene 32.773 sorteos")), qPrintable(avisos[0].texto));
        QVERIFY2(avisos[0].texto.contains(u("Se han leído los 32.766 primeros; los 7 siguientes")),
                 qPrintable(avisos[0].texto));
        QVERIFY(s.avisosApertura().empty());

        // An archive at the limit reads whole, with nothing to tell.
        sorteos.resize(size_t(ArchivoSorteos::kMaximo));
        c.escribeSorteos(sorteos);
        Sesion justa(c.ruta(), [] { return QDateTime(QDate(2026, 1, 1), QTime(12, 0)); });
        justa.abreArchivos();
        QCOMPARE(justa.sorteos().cuenta(), ArchivoSorteos::kMaximo);
        QVERIFY(justa.avisosApertura().empty());
    }

    void unAjustesIniEnormeNoSeLee()
    {
        CarpetaPrueba c;
        const QString ruta = c.archivo(QStringLiteral("ajustes.ini"));
        // Real keys at the start, then more than a settings file ever holds.
        QByteArray texto = "[operador]\nsitio=http://127.0.0.1:1\n";
        texto += QByteArray(Sitios::kLimiteIni, ';');
        c.escribe(QStringLiteral("ajustes.ini"), texto);
        QElapsedTimer reloj;
        reloj.start();
        Escritura e = Escritura::Fallo;
        const Sitios s = Sitios::lee(c.ruta(), &e);
        QCOMPARE(s.operadorSitio, u("https://www.loteriasyapuestas.es")); // the default
        QCOMPARE(e, Escritura::Hecha);
        // The file is the user's: left exactly as it was, not cut down to the missing keys.
        QCOMPARE(c.lee(QStringLiteral("ajustes.ini")), texto);

        archivoGrande(ruta, qint64(64) << 20);
        reloj.restart();
        Sitios::lee(c.ruta());
        QVERIFY2(reloj.elapsed() < 2000, qPrintable(QString::number(reloj.elapsed())));
        QCOMPARE(QFileInfo(ruta).size(), qint64(64) << 20);

        // Below the limit it is read as always.
        c.escribe(QStringLiteral("ajustes.ini"), "[operador]\nsitio=http://127.0.0.1:1\n");
        QCOMPARE(Sitios::lee(c.ruta()).operadorSitio, u("http://127.0.0.1:1"));
    }

    void elRecuentoDeJugadosEsLineal()
    {
        // 25,000 syndicates (a 200 MB file) against 4,000 draws: the count is immediate.
        std::vector<Pena> penas(
            25000, penaDe(QStringLiteral("X"), QStringLiteral("Jueves"), QDate(2100, 1, 1)));
        const std::vector<Sorteo> sorteos = jueves(4000, QDate(1990, 1, 4));
        QElapsedTimer reloj;
        reloj.start();
        QCOMPARE(sorteosjugados(sorteos, penas), 0);
        QVERIFY(reloj.elapsed() < 1000);
    }

    // A date that is no date is never converted.

    void unaFechaQueNoEsFechaNoSeConvierte_data()
    {
        QTest::addColumn<double>("fecha");
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("+inf") << std::numeric_limits<double>::infinity();
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity();
        QTest::newRow("-1e300") << -1e300;
        QTest::newRow("1e300") << 1e300;
        QTest::newRow("-1e17") << -1e17;
    }
    void unaFechaQueNoEsFechaNoSeConvierte()
    {
        QFETCH(double, fecha);
        Sorteo s = sorteoDe(QDate(2025, 1, 2));
        s.fecha = fecha;
        // Under UBSan a cast of such a value to an integer stops the test here.
        const Recuento r = recuenta({s}, {}, QDate(2026, 1, 1));
        QCOMPARE(r.proximosorteo, 2);
        QVERIFY(r.avisoActualizar);
        QCOMPARE(r.avisoTexto, u("No se ha actualizado nunca"));
        QVERIFY(!r.cuentaAtras.contains(QLatin1Char('-')));
        QVERIFY(!r.avisoTexto.contains(QLatin1Char('-')));
    }

    // Damaged draws are left out and counted.

    void losSorteosDanadosSeOmitenYSeCuentan()
    {
        CarpetaPrueba c;
        std::vector<Sorteo> v = jueves(6);
        v[1].numeros = {3, 3, 10, 20, 30, 40};          // repeated number
        v[2].complementario = 99;                       // impossible complementary
        v[3].fecha = fechas::serial(QDate(2500, 1, 7)); // far in the future: not judged
        v[4].reintegro = 12;                            // impossible refund
        c.escribeSorteos(v);
        const QByteArray antes = c.lee(QStringLiteral("numeros.dat"));

        ArchivoSorteos a(c.archivo(QStringLiteral("numeros.dat")));
        QCOMPARE(a.abre(), Escritura::Hecha);
        QCOMPARE(a.danados(), 3);
        QCOMPARE(a.cuenta(), 3);
        QCOMPARE(a.lee(1), v[0]);
        QCOMPARE(a.lee(2), v[3]);
        QCOMPARE(a.lee(3), v[5]);
        // Reading changes nothing on the disk.
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), antes);

        // A record the statistics pass calls unreadable (a number 99) stays for its recovery.
        std::vector<Sorteo> w = jueves(2);
        w[0].numeros[5] = 99;
        c.escribeSorteos(w);
        a.abre();
        QCOMPARE(a.danados(), 0);
        QCOMPARE(a.cuenta(), 2);
    }

    // A draw years after the program's today is the clock's fault, not the draw's: it is kept
    // through a rewrite, and the clock is named once, beside the damaged draws.
    void laSesionDiceUnaVezCuantosSorteosSeOmitieronYQueElRelojVaAtrasado()
    {
        CarpetaPrueba c;
        std::vector<Sorteo> v = jueves(5);
        v[0].complementario = 99;
        v[2].numeros = {1, 1, 2, 3, 4, 5};
        v[4].fecha = fechas::serial(QDate(2031, 1, 2)); // years after "today"
        c.escribeSorteos(v);
        Sesion s(c.ruta(), [] { return QDateTime(QDate(2026, 1, 1), QTime(12, 0)); });
        s.abreArchivos();
        QCOMPARE(s.sorteos().cuenta(), 3);
        s.recuenta();
        QCOMPARE(s.proximosorteo(), 4);
        QCOMPARE(s.sorteoActual(), v[4]);
        const auto avisos = s.avisosApertura();
        QCOMPARE(avisos.size(), size_t(2));
        QCOMPARE(avisos[0].titulo, u("Sorteos dañados"));
        QVERIFY2(avisos[0].texto.contains(u("2 sorteos dañados que se han omitido")),
                 qPrintable(avisos[0].texto));
        QCOMPARE(avisos[1].titulo, u("Fecha del ordenador"));
        QCOMPARE(avisos[1].tipo, Sesion::Aviso::Tipo::Informacion);
        QVERIFY2(avisos[1].texto.startsWith(u("La fecha del ordenador parece equivocada: ")) &&
                     avisos[1].texto.contains(QStringLiteral("01/01/2026")) &&
                     avisos[1].texto.contains(QStringLiteral("02/01/2031")),
                 qPrintable(avisos[1].texto));
        QVERIFY(s.avisosApertura().empty());
        s.sorteos().reabre();
        QVERIFY(s.avisosApertura().empty());

        // A rewrite drops the damaged draws only.
        QCOMPARE(s.borraSorteo(1), Escritura::Hecha);
        QCOMPARE(ArchivoSorteos::deserializa(c.lee(QStringLiteral("numeros.dat"))),
                 (std::vector<Sorteo>{v[3], v[4]}));
    }

    // --- The import: the new archive first, then numeros.bak -----------------------------

    void unaImportacionQueNoCabeNoTocaNingunArchivo()
    {
        CarpetaPrueba c;
        c.escribeSorteos(jueves(3));
        c.escribe(QStringLiteral("numeros.bak"), "copia anterior");
        const QByteArray antes = c.lee(QStringLiteral("numeros.dat"));
        // The new archive cannot be written (its temporary name is taken by a folder, as a
        // full disk refuses it): numeros.bak must keep the copy it held.
        QVERIFY(QDir(c.ruta()).mkdir(QStringLiteral("numeros.tmp")));
        CarpetaPrueba otra;
        otra.escribeSorteos(jueves(5, QDate(2024, 1, 4)));
        const Importacion r =
            mantenimiento::importa(c.ruta(), otra.archivo(QStringLiteral("numeros.dat")));
        QVERIFY(r.estado != Importacion::Estado::Importado);
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), antes);
        QCOMPARE(c.lee(QStringLiteral("numeros.bak")), QByteArray("copia anterior"));

        QFile csv(otra.archivo(QStringLiteral("sorteos.csv")));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("04/01/2024;1;2;3;4;5;6;7;1;1234567\n");
        csv.close();
        const intercambio::Resultado i = intercambio::importa(c.ruta(), csv.fileName());
        QVERIFY(i.estado != intercambio::Resultado::Estado::Importado);
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), antes);
        QCOMPARE(c.lee(QStringLiteral("numeros.bak")), QByteArray("copia anterior"));

        // With room, the import goes through and numeros.bak holds the archive before.
        QVERIFY(QDir(c.ruta()).rmdir(QStringLiteral("numeros.tmp")));
        QCOMPARE(
            mantenimiento::importa(c.ruta(), otra.archivo(QStringLiteral("numeros.dat"))).estado,
            Importacion::Estado::Importado);
        QCOMPARE(c.lee(QStringLiteral("numeros.bak")), antes);
    }
};

QTEST_GUILESS_MAIN(TstHostil)
#include "tst_hostil.moc"
