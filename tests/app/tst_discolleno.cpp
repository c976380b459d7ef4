// The commands that rewrite a file, run on a disk with no room left: every file stays byte for
// byte as it was and the user is told which one could not be saved.
#include "apoyo/carpetaprueba.h"
#include "apoyo/discolleno.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "app/principal.h"
#include "archive/archivosorteos.h"
#include "printing/configurar.h"
#include "reports/vistainforme.h"

#include <QDir>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

namespace {
const QDate kHoy(2026, 2, 5);

std::vector<Pena> penas(int cuantas)
{
    std::vector<Pena> v;
    for (int i = 0; i < cuantas; ++i) {
        Pena p = penaDe(QStringLiteral("PEÑA %1").arg(i + 1), QStringLiteral("Jueves"),
                        QDate(2025, 1, 1));
        p.premios = {2, 1, 0, 0, 0};
        v.push_back(p);
    }
    return v;
}

// Draws on every Thursday and Saturday back from the last one before today.
std::vector<Sorteo> sorteos(int cuantos)
{
    std::vector<Sorteo> v;
    QDate dia = kHoy.addDays(-1);
    while (static_cast<int>(v.size()) < cuantos) {
        if (dia.dayOfWeek() == Qt::Thursday || dia.dayOfWeek() == Qt::Saturday)
            v.push_back(sorteoDe(dia, 1 + static_cast<int>(v.size()) % 40));
        dia = dia.addDays(-1);
    }
    std::reverse(v.begin(), v.end());
    return v;
}

QStringList nombres(const QString &carpeta)
{
    return QDir(carpeta).entryList(QDir::Files, QDir::Name);
}
} // namespace

class TstDiscoLleno : public QObject {
    Q_OBJECT
private:
    EscritorioPrueba *escritorio = nullptr;

    // The last message told of a failed save of `archivo`.
    void compruebaAviso(const QString &archivo)
    {
        QVERIFY(!escritorio->mensajes.isEmpty());
        const EscritorioPrueba::Mensaje &m = escritorio->mensajes.last();
        QCOMPARE(m.titulo, QStringLiteral("Error de escritura"));
        QVERIFY2(
            m.texto.startsWith(QStringLiteral("No se ha podido guardar el archivo ") + archivo),
            qPrintable(m.texto));
        QVERIFY(m.texto.contains(QString::fromUtf8("no se ha modificado")));
        QCOMPARE(m.icono, Escritorio::Icono::Exclamacion);
    }

private slots:
    void init() { escritorio = EscritorioPrueba::instala(kHoy); }
    void cleanup() { Escritorio::sustituye(nullptr); }

    // The new contents either fit the 16 KB buffer of the save (the failure only shows when it
    // is flushed) or do not (the write itself fails).
    void borrarUnaPena_data()
    {
        QTest::addColumn<int>("cuantas");
        QTest::newRow("queda una, 8 KB") << 2;
        QTest::newRow("quedan tres, 24 KB") << 4;
    }
    void borrarUnaPena()
    {
        QFETCH(int, cuantas);
        DiscoLleno disco;
        CarpetaPrueba c(disco.ruta());
        c.escribePenas(penas(cuantas));
        Principal p(c.ruta());
        const QByteArray antes = c.lee(QStringLiteral("apuestas.dat"));
        const QStringList archivos = nombres(c.ruta());

        disco.llena();
        p.sesion().ponPenasel(1);
        escritorio->respuestas = {true};
        gestor(p).Command3_Click();
        disco.libera();

        compruebaAviso(QStringLiteral("apuestas.dat"));
        QCOMPARE(c.lee(QStringLiteral("apuestas.dat")), antes);
        QCOMPARE(nombres(c.ruta()), archivos); // no temporary file left behind
        QCOMPARE(p.sesion().penas().proximapena(), cuantas + 1);

        // With room again the same command goes through.
        escritorio->respuestas = {true};
        gestor(p).Command3_Click();
        QCOMPARE(c.lee(QStringLiteral("apuestas.dat")).size(),
                 qsizetype(cuantas - 1) * Pena::kLongitud);
    }

    void resetearContadores_data()
    {
        QTest::addColumn<int>("cuantas");
        QTest::newRow("una, 8 KB") << 1;
        QTest::newRow("dos, 16 KB") << 2;
    }
    void resetearContadores()
    {
        QFETCH(int, cuantas);
        DiscoLleno disco;
        CarpetaPrueba c(disco.ruta());
        c.escribePenas(penas(cuantas));
        Principal p(c.ruta());
        const QByteArray antes = c.lee(QStringLiteral("apuestas.dat"));

        disco.llena();
        escritorio->respuestas = {false, true}; // keep the draws, reset the counters
        gestor(p).Command5_Click();
        disco.libera();

        compruebaAviso(QStringLiteral("apuestas.dat"));
        QCOMPARE(c.lee(QStringLiteral("apuestas.dat")), antes);
        QCOMPARE(p.sesion().penas().lee(1).premios[0], qint16(2));
    }

    void borrarUnSorteo_data()
    {
        QTest::addColumn<int>("cuantos");
        QTest::newRow("400 sorteos, 12 KB") << 400;
        QTest::newRow("4200 sorteos, 131 KB") << 4200;
    }
    void borrarUnSorteo()
    {
        QFETCH(int, cuantos);
        DiscoLleno disco;
        CarpetaPrueba c(disco.ruta());
        c.escribeSorteos(sorteos(cuantos));
        Principal p(c.ruta());
        const QByteArray antes = c.lee(QStringLiteral("numeros.dat"));
        escritorio->respuestas = {false, false};
        gestor(p).Command5_Click(); // enables the deletion of single draws
        QVERIFY(control<QTreeView>(p, "ListView3")->model());

        disco.llena();
        escritorio->respuestas = {true};
        estadisticas(p).ListView3_ItemClick(1);
        disco.libera();

        compruebaAviso(QStringLiteral("numeros.dat"));
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), antes);
        QCOMPARE(p.sesion().proximosorteo(), cuantos + 1);
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("numeros.tmp"))));
    }

    void importarNoCambiaElArchivo()
    {
        DiscoLleno disco;
        CarpetaPrueba c(disco.ruta());
        c.escribeSorteos(sorteos(300));
        c.escribe(QStringLiteral("nuevo.dat"), ArchivoSorteos::serializa(sorteos(310)));
        Principal p(c.ruta());
        const QByteArray antes = c.lee(QStringLiteral("numeros.dat"));

        disco.llena();
        escritorio->archivoElegido = c.archivo(QStringLiteral("nuevo.dat"));
        gestor(p).Command8_Click();
        disco.libera();

        compruebaAviso(QStringLiteral("numeros.dat"));
        QCOMPARE(c.lee(QStringLiteral("numeros.dat")), antes);
        QCOMPARE(p.sesion().proximosorteo(), 301);
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("numeros.tmp"))));
    }

    // The settings window saves at every keystroke: the failure is told once, and the file
    // keeps its record.
    void ajustesDeImpresion()
    {
        DiscoLleno disco;
        CarpetaPrueba c(disco.ruta());
        Principal p(c.ruta());
        const QByteArray antes = c.lee(QStringLiteral("nums.ini"));
        QCOMPARE(antes.size(), 78);
        Configurar configurar(c.ruta());
        auto *precio = configurar.findChild<QLineEdit *>(QStringLiteral("Text1"));
        QVERIFY(precio);

        disco.llena();
        const qsizetype mensajes = escritorio->mensajes.size();
        QTest::keyClicks(precio, QStringLiteral("25"));
        disco.libera();

        QCOMPARE(escritorio->mensajes.size(), mensajes + 1);
        compruebaAviso(QStringLiteral("nums.ini"));
        QCOMPARE(c.lee(QStringLiteral("nums.ini")), antes);
    }

    // Exporting a report over a PDF the user already had: the old one stays whole.
    void exportarInformeAPdf()
    {
        DiscoLleno disco;
        CarpetaPrueba c(disco.ruta());
        const QByteArray anterior(5000, 'p');
        c.escribe(QStringLiteral("informe.pdf"), anterior);
        VistaInforme vista(QStringLiteral("<h1>LOS DE SIEMPRE</h1>"), QStringLiteral("Informe"));
        escritorio->destinoElegido = c.archivo(QStringLiteral("informe.pdf"));

        disco.llena();
        QVERIFY(!vista.exportaPdf());
        disco.libera();

        compruebaAviso(QDir::toNativeSeparators(escritorio->destinoElegido));
        QCOMPARE(c.lee(QStringLiteral("informe.pdf")), anterior);
        QVERIFY(vista.exportaPdf());
        QVERIFY(c.lee(QStringLiteral("informe.pdf")).startsWith("%PDF"));
    }
};

QTEST_MAIN(TstDiscoLleno)
#include "tst_discolleno.moc"
