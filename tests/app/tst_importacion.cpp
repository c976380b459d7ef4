// "Importar sorteos de un archivo..." and "Exportar sorteos a CSV..." from the main window's
// menu, with the files chosen through the test desktop.
#include "apoyo/carpetaprueba.h"
#include "apoyo/discolleno.h"
#include "apoyo/escritorioprueba.h"
#include "app/principal.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "archive/importes.h"
#include "archive/textosorteos.h"
#include "session/sesion.h"

#include <QAction>
#include <QTest>

namespace {
const QDate kHoy(2026, 2, 5);

std::vector<Sorteo> dosSorteos()
{
    return {sorteoDe(QDate(2026, 1, 22), 1), sorteoDe(QDate(2026, 1, 29), 2)};
}

void elige(Principal &p, const char *entrada)
{
    auto *a = p.findChild<QAction *>(QString::fromLatin1(entrada));
    QVERIFY2(a, entrada);
    a->trigger();
}
} // namespace

class TstImportacion : public QObject {
    Q_OBJECT
private:
    EscritorioPrueba *escritorio = nullptr;

    void compruebaUltimo(const QString &texto, const QString &titulo, Escritorio::Icono icono)
    {
        QVERIFY(!escritorio->mensajes.isEmpty());
        QCOMPARE(escritorio->mensajes.last().texto, texto);
        QCOMPARE(escritorio->mensajes.last().titulo, titulo);
        QCOMPARE(escritorio->mensajes.last().icono, icono);
    }

private slots:
    void init() { escritorio = EscritorioPrueba::instala(kHoy); }
    void cleanup() { Escritorio::sustituye(nullptr); }

    void importarAnadeYRefrescaTodo()
    {
        CarpetaPrueba c;
        c.escribeSorteos(dosSorteos());
        c.escribe(QStringLiteral("nuevos.csv"), "24/01/2026,5,6,7,8,9,10,11,2,1234567\n"
                                                "22/01/2026,1,2,3,4,5,6,49\n"
                                                "05/02/2026,20,21,22,23,24,25,26\n"
                                                "x\n");
        Principal p(c.ruta());
        const int refrescos = p.sesion().refrescos();
        escritorio->archivoElegido.clear();
        elige(p, "importa");
        QVERIFY(escritorio->mensajes.isEmpty());

        escritorio->archivoElegido = c.archivo(QStringLiteral("nuevos.csv"));
        elige(p, "importa");
        compruebaUltimo(QString::fromUtf8("2 sorteos añadidos, 1 ya estaba, 1 línea no válida "
                                          "(la primera: línea 4)"),
                        QStringLiteral("Importar sorteos"), Escritorio::Icono::Informacion);
        QCOMPARE(p.sesion().proximosorteo(), 5);
        QCOMPARE(p.sesion().sorteoActual().fecha, fechas::serial(QDate(2026, 2, 5)));
        QCOMPARE(p.sesion().refrescos(), refrescos + 1);
        QCOMPARE(c.lee(QStringLiteral("numeros.bak")), ArchivoSorteos::serializa(dosSorteos()));

        // The same file again adds nothing and runs nothing.
        elige(p, "importa");
        QVERIFY(escritorio->mensajes.last().texto.startsWith(
            QString::fromUtf8("0 sorteos añadidos, 3 ya estaban")));
        QCOMPARE(p.sesion().refrescos(), refrescos + 1);
    }

    // A file of the results service brings the prize amounts of its draws too, which is what
    // the money a syndicate won is reckoned from.
    void importarElServicioGuardaLosImportes()
    {
        CarpetaPrueba c;
        c.escribeSorteos(dosSorteos());
        c.escribe(QStringLiteral("servicio.json"),
                  "[{\"fecha_sorteo\": \"2026-01-31 00:00:00\", \"combinacion\": "
                  "\"02 - 04 - 19 - 28 - 46 - 48 C(33) R(7)\", \"escrutinio\": ["
                  "{\"tipo\": \"3ª Categoría (5 Aciertos)\", \"premio\": \"2345.67\"},"
                  "{\"tipo\": \"5ª Categoría (3 Aciertos)\", \"premio\": \"8.00\"}]}]");
        Principal p(c.ruta());
        escritorio->archivoElegido = c.archivo(QStringLiteral("servicio.json"));
        elige(p, "importa");
        QVERIFY(
            escritorio->mensajes.last().texto.startsWith(QString::fromUtf8("1 sorteo añadido")));
        ArchivoImportes importes(c.archivo(QStringLiteral("premios.dat")));
        QCOMPARE(importes.abre(), Escritura::Hecha);
        const ImportesSorteo *i = importes.busca(fechas::serial(QDate(2026, 1, 31)));
        QVERIFY(i);
        QCOMPARE(i->centimos[3], qint64(234567));
        QCOMPARE(i->centimos[5], qint64(800));
        QVERIFY(!i->conoce(1)); // not in the file: unknown, not 0 €
    }

    // Whatever the archive held, it stays, and so does the copy of the import before: with an
    // empty archive that copy would fit even a full disk, so it must wait for the new archive.
    void importarEnUnDiscoLleno_data()
    {
        QTest::addColumn<int>("previos");
        QTest::newRow("archivo vacío") << 0;
        QTest::newRow("dos sorteos") << 2;
    }
    void importarEnUnDiscoLleno()
    {
        QFETCH(int, previos);
        DiscoLleno disco;
        CarpetaPrueba c(disco.ruta());
        std::vector<Sorteo> archivo = dosSorteos();
        archivo.resize(static_cast<size_t>(previos));
        c.escribeSorteos(archivo);
        c.escribe(QStringLiteral("numeros.bak"), "anterior");
        const QByteArray antes = c.lee(QStringLiteral("numeros.dat"));
        c.escribe(QStringLiteral("n.csv"), textosorteos::aCsv({sorteoDe(QDate(2026, 2, 2))}));
        Principal p(c.ruta());

        disco.llena();
        escritorio->archivoElegido = c.archivo(QStringLiteral("n.csv"));
        elige(p, "importa");
        disco.libera();
        QCOMPARE(escritorio->mensajes.last().titulo, QStringLiteral("Error de escritura"));
        QVERIFY(escritorio->mensajes.last().texto.startsWith(
            QStringLiteral("No se ha podido guardar el archivo numeros.dat.")));
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), antes);
        QCOMPARE(c.lee(QStringLiteral("numeros.bak")), QByteArray("anterior"));
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("numeros.tmp"))));
        QCOMPARE(p.sesion().proximosorteo(), previos + 1);
    }

    void exportar()
    {
        CarpetaPrueba c;
        c.escribeSorteos(dosSorteos());
        Principal p(c.ruta());
        escritorio->destinoElegido = c.archivo(QStringLiteral("copia"));
        elige(p, "exporta");
        compruebaUltimo(QStringLiteral("2 sorteos exportados a copia.csv"),
                        QStringLiteral("Exportar sorteos"), Escritorio::Icono::Informacion);
        QCOMPARE(c.lee(QStringLiteral("copia.csv")), textosorteos::aCsv(dosSorteos()));

        // Not over the archive itself, whatever the user picks.
        escritorio->destinoElegido = c.archivo(QStringLiteral("numeros.dat"));
        elige(p, "exporta");
        QCOMPARE(escritorio->mensajes.last().icono, Escritorio::Icono::Exclamacion);
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), ArchivoSorteos::serializa(dosSorteos()));

        archivos::fuerzaFallo(Escritura::Fallo);
        escritorio->destinoElegido = c.archivo(QStringLiteral("otra.csv"));
        elige(p, "exporta");
        archivos::fuerzaFallo(Escritura::Hecha);
        QVERIFY(escritorio->mensajes.last().texto.startsWith(
            QStringLiteral("No se ha podido guardar el archivo otra.csv.")));
    }
};

QTEST_MAIN(TstImportacion)
#include "tst_importacion.moc"
