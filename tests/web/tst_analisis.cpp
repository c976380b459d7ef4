// The parse of the search page: which draws are taken and what reaches the archive.
#include "apoyo/carpetaprueba.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "simulacion/paginas.h"
#include "web/analisis.h"
#include "web/pagina.h"

#include <QTest>

using paginas::SorteoWeb;

namespace {
Sorteo sorteo(const QDate &dia, std::array<qint16, 6> numeros, qint16 comp, qint16 reint,
              double joker)
{
    Sorteo s;
    s.numeros = numeros;
    s.complementario = comp;
    s.reintegro = reint;
    s.joker = joker;
    s.fecha = fechas::serial(dia);
    return s;
}

// Thursdays and Saturdays going back from a Saturday, newest first, all different numbers.
std::vector<SorteoWeb> ultimos(int cuantos, QDate desde = QDate(2026, 1, 31))
{
    std::vector<SorteoWeb> r;
    QDate d = desde;
    int i = 0;
    while (static_cast<int>(r.size()) < cuantos) {
        if (d.dayOfWeek() == 4 || d.dayOfWeek() == 6) {
            const auto b = static_cast<qint16>(1 + i % 40);
            r.push_back({sorteo(
                d, {qint16(b + 3), b, qint16(b + 8), qint16(b + 1), qint16(b + 5), qint16(b + 2)},
                qint16(b + 9), qint16(i % 10), 1000000 + i * 7)});
            ++i;
        }
        d = d.addDays(-1);
    }
    return r;
}

Sorteo ordenado(Sorteo s)
{
    std::sort(s.numeros.begin(), s.numeros.end());
    return s;
}

QByteArray pagina(const std::vector<SorteoWeb> &lista, bool agrupados = false)
{
    return Pagina::enmarca(paginas::busqueda(lista, 60 * 1024, agrupados));
}
} // namespace

class TstAnalisis : public QObject {
    Q_OBJECT
private slots:
    void tresNuevosSeEscribenDelMasAntiguoAlMasNuevo_data()
    {
        QTest::addColumn<bool>("agrupados");
        QTest::newRow("alternados") << false;
        QTest::newRow("agrupados") << true;
    }
    void tresNuevosSeEscribenDelMasAntiguoAlMasNuevo()
    {
        QFETCH(bool, agrupados);
        CarpetaPrueba carpeta;
        const auto lista = ultimos(6);
        carpeta.escribeSorteos({ordenado(lista[4].sorteo), ordenado(lista[3].sorteo)});
        ArchivoSorteos archivo(carpeta.archivo(QStringLiteral("numeros.dat")));
        archivo.abre();
        QString enlace;
        const auto r = analisis::analizasorteos(pagina(lista, agrupados), archivo, {}, enlace);
        QVERIFY2(!r.error, r.motivo);
        QVERIFY(r.agregados);
        QCOMPARE(int(r.tomados.size()), 3);
        QCOMPARE(enlace, lista[0].enlace());
        // On disk: the two old ones, then the new ones oldest first, numbers in order.
        ArchivoSorteos leido(archivo.ruta());
        leido.abre();
        QCOMPARE(leido.cuenta(), 5);
        QCOMPARE(leido.lee(3), ordenado(lista[2].sorteo));
        QCOMPARE(leido.lee(4), ordenado(lista[1].sorteo));
        QCOMPARE(leido.lee(5), ordenado(lista[0].sorteo));
        QCOMPARE(analisis::textoContador(1), QStringLiteral("1 sorteo"));
        QCOMPARE(analisis::textoContador(3), QStringLiteral("3 sorteos"));
    }

    void historicoRealCompleto()
    {
        const QString real = CarpetaPrueba::historicoReal();
        if (real.isEmpty())
            QSKIP("no real draw history here");
        ArchivoSorteos historico(real);
        historico.abre();
        const auto &todos = historico.sorteos();
        std::vector<SorteoWeb> lista;
        for (auto it = todos.rbegin(); it != todos.rbegin() + 21; ++it)
            lista.push_back({*it});

        CarpetaPrueba carpeta;
        carpeta.escribeSorteos({todos.begin(), todos.end() - 7});
        ArchivoSorteos archivo(carpeta.archivo(QStringLiteral("numeros.dat")));
        archivo.abre();
        QString enlace;
        const auto r = analisis::analizasorteos(pagina(lista), archivo, {}, enlace);
        QVERIFY2(!r.error, r.motivo);
        QCOMPARE(int(r.tomados.size()), 7); // Mondays included
        QCOMPARE(carpeta.lee(QStringLiteral("numeros.dat")), ArchivoSorteos::serializa(todos));
    }

    void sorteoDeLaMismaFechaSoloDaElEnlace()
    {
        CarpetaPrueba carpeta;
        const auto lista = ultimos(4);
        carpeta.escribeSorteos({ordenado(lista[0].sorteo)});
        ArchivoSorteos archivo(carpeta.archivo(QStringLiteral("numeros.dat")));
        archivo.abre();
        const QByteArray antes = carpeta.lee(QStringLiteral("numeros.dat"));
        QString enlace;
        auto r = analisis::analizasorteos(pagina(lista), archivo, {}, enlace);
        QVERIFY(!r.error);
        QVERIFY(r.tomados.empty());
        QCOMPARE(enlace, lista[0].enlace());
        QCOMPARE(carpeta.lee(QStringLiteral("numeros.dat")), antes);
        // Once set, the link stays for the rest of the run.
        QString fijado = QStringLiteral("2025/1");
        analisis::analizasorteos(pagina(lista), archivo, {}, fijado);
        QCOMPARE(fijado, QStringLiteral("2025/1"));
    }

    void archivoVacioTomaTodo()
    {
        CarpetaPrueba carpeta;
        ArchivoSorteos archivo(carpeta.archivo(QStringLiteral("numeros.dat")));
        archivo.abre();
        QString enlace;
        const auto r = analisis::analizasorteos(pagina(ultimos(14)), archivo, {}, enlace);
        QVERIFY2(!r.error, r.motivo);
        QCOMPARE(archivo.cuenta(), 14);
        // A page listing more dates than any 50 days can hold is not a results page.
        const auto r2 = analisis::lee(pagina(ultimos(51)), 0, enlace);
        QVERIFY(r2.error);
        QVERIFY(r2.tomados.empty());
    }

    void ceroEnUnSorteoSinPublicar_data()
    {
        QTest::addColumn<int>("sinPublicar"); // index on the page, newest first
        QTest::addColumn<int>("campo");       // 0 main number, 1 complementary, 2 Joker
        QTest::addColumn<int>("tomados");
        QTest::newRow("el más nuevo, número") << 0 << 0 << 0;
        QTest::newRow("el más nuevo, complementario") << 0 << 1 << 0;
        QTest::newRow("el más nuevo, Joker") << 0 << 2 << 0;
        QTest::newRow("el segundo, número") << 1 << 0 << 1;
        QTest::newRow("el segundo, Joker") << 1 << 2 << 1;
    }
    void ceroEnUnSorteoSinPublicar()
    {
        QFETCH(int, sinPublicar);
        QFETCH(int, campo);
        QFETCH(int, tomados);
        CarpetaPrueba carpeta;
        auto lista = ultimos(6);
        carpeta.escribeSorteos({ordenado(lista[4].sorteo)});
        Sorteo &s = lista[static_cast<size_t>(sinPublicar)].sorteo;
        if (campo == 0)
            s.numeros[3] = 0;
        else if (campo == 1)
            s.complementario = 0;
        else
            s.joker = 0;
        ArchivoSorteos archivo(carpeta.archivo(QStringLiteral("numeros.dat")));
        archivo.abre();
        QString enlace;
        const auto r = analisis::analizasorteos(pagina(lista), archivo, {}, enlace);
        // Not an error: those draws are simply not published yet.
        QVERIFY(!r.error);
        QCOMPARE(int(r.tomados.size()), tomados);
        QCOMPARE(archivo.cuenta(), 1 + tomados);

        // A refund of 0 is a valid refund.
        auto conCero = ultimos(2);
        conCero[0].sorteo.reintegro = 0;
        const auto r2 = analisis::lee(pagina(conCero), 0, enlace);
        QCOMPARE(int(r2.tomados.size()), 2);
        // A draw listed with empty number cells is taken for unpublished as well.
        auto vacio = ultimos(3);
        vacio[0].publicado = false;
        QCOMPARE(int(analisis::lee(pagina(vacio), 0, enlace).tomados.size()), 0);
    }

    void sorteoImposibleNoLlegaAlArchivo_data()
    {
        QTest::addColumn<int>("cual");
        QTest::addColumn<int>("defecto");
        QTest::addColumn<int>("tomadosAntes");
        for (int cual : {0, 1}) {
            const QByteArray donde = cual == 0 ? "el más nuevo" : "el segundo";
            QTest::newRow(donde + ", número 50") << cual << 0 << cual;
            QTest::newRow(donde + ", repetido") << cual << 1 << cual;
            QTest::newRow(donde + ", complementario entre los seis") << cual << 2 << cual;
            QTest::newRow(donde + ", reintegro 10") << cual << 3 << cual;
            QTest::newRow(donde + ", Joker de ocho cifras") << cual << 4 << cual;
            QTest::newRow(donde + ", número desbordado") << cual << 5 << cual;
            // Refused with the dates, before any number is read.
            QTest::newRow(donde + ", día sin sorteo") << cual << 6 << 0;
        }
    }
    void sorteoImposibleNoLlegaAlArchivo()
    {
        QFETCH(int, cual);
        QFETCH(int, defecto);
        QFETCH(int, tomadosAntes);
        CarpetaPrueba carpeta;
        auto lista = ultimos(5);
        carpeta.escribeSorteos({ordenado(lista[3].sorteo)});
        Sorteo &s = lista[static_cast<size_t>(cual)].sorteo;
        switch (defecto) {
        case 0:
            s.numeros[2] = 50;
            break;
        case 1:
            s.numeros[2] = s.numeros[4];
            break;
        case 2:
            s.complementario = s.numeros[1];
            break;
        case 3:
            s.reintegro = 10;
            break;
        case 4:
            s.joker = 12345678;
            break;
        case 5:
            s.numeros[0] = 32767;
            s.complementario = 32767;
            break;
        default: // a Tuesday after the Saturday, or the Friday between the two draws
            s.fecha = fechas::serial(cual == 0 ? QDate(2026, 2, 3) : QDate(2026, 1, 30));
            break;
        }
        ArchivoSorteos archivo(carpeta.archivo(QStringLiteral("numeros.dat")));
        archivo.abre();
        const QByteArray antes = carpeta.lee(QStringLiteral("numeros.dat"));
        QString enlace;
        QByteArray texto = paginas::busqueda(lista, 60 * 1024);
        if (defecto == 5) // a value beyond 16 bits
            texto.replace("<li> 32767<", "<li> 99999<");
        const auto r = analisis::analizasorteos(Pagina::enmarca(texto), archivo, {}, enlace);
        QVERIFY(r.error);
        QVERIFY(!r.agregados);
        QCOMPARE(int(r.tomados.size()), tomadosAntes);
        QCOMPARE(r.diaSinSorteo, defecto == 6 ? s.fecha : 0.0);
        QCOMPARE(carpeta.lee(QStringLiteral("numeros.dat")), antes);
        QCOMPARE(archivo.cuenta(), 1);
    }

    void paginaCortaOSinMarcaFinal()
    {
        CarpetaPrueba carpeta;
        ArchivoSorteos archivo(carpeta.archivo(QStringLiteral("numeros.dat")));
        archivo.abre();
        const auto lista = ultimos(2);
        QString enlace;
        // A whole draw, but fewer than 3000 characters before the end mark: no dates at all.
        QByteArray corta = "<html><h3>Resultado del&nbsp;Jueves 29 de Enero de 2026</h3>"
                           "<a href=\"/es/la-primitiva/sorteos/2026/1\">x</a>"
                           "<div class=\"combinacion\"><ul><li> 1</li><li> 2</li><li> 3</li>"
                           "<li> 4</li><li> 5</li><li> 6</li><b class=\"q\">7</b>"
                           "<b class=\"q\">8</b><b class=\"numero\">1 2 3</b></div>";
        corta += QByteArray(2000, ' ') + "<!-- while-fin --></html>";
        auto r = analisis::analizasorteos(Pagina::enmarca(corta), archivo, {}, enlace);
        QVERIFY(!r.error);
        QVERIFY(r.tomados.empty());
        QVERIFY(enlace.isEmpty());
        QCOMPARE(archivo.cuenta(), 0);
        // No end mark and a small page: the same.
        corta.chop(25);
        r = analisis::analizasorteos(Pagina::enmarca(corta), archivo, {}, enlace);
        QVERIFY(!r.error);
        QVERIFY(r.tomados.empty());
        // With room before the end mark the same draw is read.
        QByteArray larga = corta;
        larga.insert(6, QByteArray(3000, ' '));
        larga += "<!-- while-fin --></html>";
        r = analisis::analizasorteos(Pagina::enmarca(larga), archivo, {}, enlace);
        QVERIFY2(!r.error, r.motivo);
        QCOMPARE(int(r.tomados.size()), 1);
        QCOMPARE(archivo.lee(1).numeros, (std::array<qint16, 6>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(archivo.lee(1).joker, 123.0);
        QCOMPARE(enlace, QStringLiteral("2026/1"));
        // A big page that lost its end mark runs out of dates: bad data, nothing written.
        QByteArray sinFin = paginas::busqueda(lista, 60 * 1024);
        sinFin.replace("-- while", "-- whale");
        r = analisis::lee(Pagina::enmarca(sinFin), 0, enlace);
        QVERIFY(r.error);
    }

    void mesNoReconocidoSigueAlAnterior()
    {
        const auto lista = ultimos(3);
        QByteArray texto = paginas::busqueda(lista, 60 * 1024);
        // The second date's month in a language the table does not know: it keeps the month
        // of the previous one (both are January here).
        const int primero = texto.indexOf(" de Enero de ");
        const int segundo = texto.indexOf(" de Enero de ", primero + 1);
        texto.replace(segundo, 13, " de Janvier de ");
        QString enlace;
        const auto r = analisis::lee(Pagina::enmarca(texto), 0, enlace);
        QVERIFY2(!r.error, r.motivo);
        QCOMPARE(int(r.tomados.size()), 3);
        QCOMPARE(r.tomados[1].fecha, lista[1].sorteo.fecha);
        // The first date of a scan has no previous month: invalid date, bad data.
        texto.replace(primero, 13, " de Janvier de ");
        QVERIFY(analisis::lee(Pagina::enmarca(texto), 0, enlace).error);
    }
};

QTEST_GUILESS_MAIN(TstAnalisis)
#include "tst_analisis.moc"
