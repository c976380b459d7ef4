// Totals, effectiveness and the manager list of every syndicate.
#include "apoyo/carpetaprueba.h"
#include "archive/fechas.h"
#include "checking/modeloresultados.h"
#include "checking/resumen.h"

#include <QTest>

using namespace comprobacion;

namespace {
const QLocale kEspanol(QLocale::Spanish, QLocale::Spain);

Pena conPremios(const QString &nombre, int tipo, std::array<qint16, 5> premios)
{
    Pena p = penaDe(nombre, QStringLiteral("Jueves"), QDate(2025, 3, 6));
    p.tipo = static_cast<qint16>(tipo);
    p.premios = premios;
    return p;
}
} // namespace

class TstResumen : public QObject {
    Q_OBJECT
private slots:
    // A syndicate no archived draw applies to yet says from which draw it will be checked,
    // in the list of its kind, and the list model shows that after the pass's rows.
    void penasSinSorteoAun()
    {
        const QDate jueves(2026, 12, 10);
        const std::vector<Sorteo> sorteos = {sorteoDe(jueves.addDays(-7)),
                                             sorteoDe(jueves.addDays(-5), 7)};
        auto hecha = [](const char *nombre, const char *dias, const QDateTime &cuando) {
            Pena p = penaDe(QString::fromLatin1(nombre), QString::fromUtf8(dias), cuando.date());
            p.creacion =
                fechas::serial(cuando.date()) + cuando.time().msecsSinceStartOfDay() / 86400000.0;
            return p;
        };
        Pena multiple = hecha("GRANDE", "Jueves", QDateTime(jueves, QTime(9, 0)));
        multiple.tipo = 501;
        const std::vector<Pena> penas = {
            hecha("VIEJA", "Jueves", QDateTime(jueves.addDays(-30), QTime(9, 0))),
            hecha("OFICINA", "Jueves", QDateTime(jueves, QTime(10, 0))),
            hecha("TARDE", "Jueves", QDateTime(jueves, QTime(23, 0))),
            hecha("FINDE", "Sábado", QDateTime(jueves.addDays(-6), QTime(12, 0))), multiple};
        const QString cola =
            QString::fromUtf8(". Marque «Histórico» para ver los sorteos anteriores.");
        QCOMPARE(sinSorteosAun(penas, sorteos, false, QString(), false),
                 QStringList({QString::fromUtf8("La peña OFICINA se comprobará a partir del "
                                                "sorteo del jueves, 10/12/2026") +
                                  cola,
                              QString::fromUtf8("La peña TARDE se comprobará a partir del "
                                                "sorteo del jueves, 17/12/2026") +
                                  cola}));
        QCOMPARE(sinSorteosAun(penas, sorteos, true, QString(), false).size(), 1);
        QVERIFY(sinSorteosAun(penas, sorteos, false, QString(), true).isEmpty());
        QCOMPARE(sinSorteosAun(penas, sorteos, false, penas[2].nombreTexto(), false).size(), 1);

        ModeloResultados modelo(false);
        modelo.pon(nullptr, sinSorteosAun(penas, sorteos, false, QString(), false));
        QCOMPARE(modelo.rowCount(), 2);
        QVERIFY(
            modelo.index(1, 7).data().toString().startsWith(QString::fromUtf8("La peña TARDE")));
        QVERIFY(modelo.removeRows(0, 1));
        QCOMPARE(modelo.rowCount(), 1);
        QVERIFY(
            modelo.index(0, 7).data().toString().startsWith(QString::fromUtf8("La peña TARDE")));
    }

    void sinPenas()
    {
        const Resumen r = calculaResumen({}, 12, kEspanol);
        QVERIFY(r.vacio);
        QCOMPARE(r.combo, QStringList{QString::fromUtf8("No hay Peñas creadas")});
        QCOMPARE(r.textoCombo, QString::fromUtf8("TODAS LAS PEÑAS"));
        QCOMPARE(r.filas.size(), size_t(1));
        QCOMPARE(r.filas[0].nombre, QString::fromUtf8("VACÍO"));
        QCOMPARE(r.efectividad, QString::fromUtf8("¡Nunca has acertado nada!"));
        QCOMPARE(r.total, 0);
        QCOMPARE(r.penas, 0);
        QCOMPARE(r.jugados, QString());
        QCOMPARE(r.sinPremio, 1);
        QVERIFY(!r.premiosEnGrafico);
    }

    void efectividad_data()
    {
        QTest::addColumn<int>("premios");
        QTest::addColumn<int>("jugados");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<qint64>("sinPremio");
        QTest::newRow("2 en 8") << 2 << 8 << QStringLiteral("25") << qint64(6);
        QTest::newRow("1 en 3") << 1 << 3 << QStringLiteral("33,3") << qint64(2);
        QTest::newRow("5 en 40") << 5 << 40 << QStringLiteral("12,5") << qint64(35);
        QTest::newRow("más premios que sorteos") << 56 << 10 << QStringLiteral("100") << qint64(0);
        QTest::newRow("ninguno en 7") << 0 << 7 << QStringLiteral("0") << qint64(7);
        QTest::newRow("nada jugado") << 0 << 0 << QStringLiteral("0") << qint64(1);
    }
    void efectividad()
    {
        QFETCH(int, premios);
        QFETCH(int, jugados);
        QFETCH(QString, texto);
        QFETCH(qint64, sinPremio);
        const Resumen r = calculaResumen(
            {conPremios(QStringLiteral("A"), 3, {qint16(premios), 0, 0, 0, 0})}, jugados, kEspanol);
        QCOMPARE(r.efectividad, texto + QStringLiteral("% de efectividad en premios"));
        QCOMPARE(r.jugados, QStringLiteral("en %1 sorteos").arg(jugados));
        QCOMPARE(r.sinPremio, sinPremio);
        QCOMPARE(r.total, qint64(premios));
        QVERIFY(r.premiosEnGrafico);
    }

    void redondeoYSeparador()
    {
        QCOMPARE(textoPorcentaje(12.25f, kEspanol), QStringLiteral("12,2")); // halves to even
        QCOMPARE(textoPorcentaje(12.75f, kEspanol), QStringLiteral("12,8"));
        QCOMPARE(textoPorcentaje(100.0f / 3, QLocale::c()), QStringLiteral("33.3"));
        QCOMPARE(textoPorcentaje(99.96f, kEspanol), QStringLiteral("100"));
        QCOMPARE(textoPorcentaje(std::numeric_limits<float>::quiet_NaN(), kEspanol),
                 QStringLiteral("0"));
    }

    void filasYTotales()
    {
        std::vector<Pena> penas;
        penas.push_back(conPremios(QStringLiteral("SENCILLA"), 205, {1, 2, 3, 4, 5}));
        Pena reducida = conPremios(QStringLiteral("REDUCIDA"), 30, {});
        reducida.tablaN = 10;
        penas.push_back(reducida);
        const int codigos[] = {501, 502, 503, 504, 505, 506, 507};
        const char *const apuestas[] = {"7", "28", "44", "84", "210", "462", "0"};
        for (int i = 0; i < 7; ++i)
            penas.push_back(conPremios(QStringLiteral("M%1").arg(codigos[i]), codigos[i],
                                       {32767, 32767, 32767, 32767, 32767}));
        const Resumen r = calculaResumen(penas, 4000, kEspanol);
        QCOMPARE(r.penas, 9);
        QCOMPARE(r.combo.size(), 10);
        QCOMPARE(r.combo[0], QString::fromUtf8("TODAS LAS PEÑAS"));
        QCOMPARE(r.combo[1], QStringLiteral("SENCILLA            "));
        QCOMPARE(r.filas[0].apuestas, QStringLiteral("205"));
        QCOMPARE(r.filas[0].creacion, QStringLiteral("06/03/2025"));
        QCOMPARE(r.filas[0].dias, QStringLiteral("Jueves         "));
        QCOMPARE(r.filas[1].apuestas, QStringLiteral("30"));
        for (int i = 0; i < 7; ++i)
            QCOMPARE(r.filas[size_t(2 + i)].apuestas, QString::fromLatin1(apuestas[i]));
        // Every counter of every syndicate adds up, multiples by the bets they won.
        QCOMPARE(r.total, qint64(15) + 7 * 5 * 32767);
        QCOMPARE(r.efectividad, QStringLiteral("100% de efectividad en premios"));
    }
};

QTEST_APPLESS_MAIN(TstResumen)
#include "tst_resumen.moc"
