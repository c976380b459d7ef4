// The prize breakdown of a draw page and the maker's message file.
#include "archive/fechas.h"
#include "simulacion/paginas.h"
#include "web/desglose.h"
#include "web/direcciones.h"
#include "web/pagina.h"

#include <QTest>

namespace {
paginas::SorteoWeb sorteoWeb()
{
    paginas::SorteoWeb w;
    w.sorteo.numeros = {2, 4, 19, 28, 46, 48};
    w.sorteo.complementario = 18;
    w.sorteo.fecha = fechas::serial(QDate(2026, 8, 17));
    w.sorteo.joker = 7076326;
    return w;
}

QByteArray mensajeDe(int longitud, const QByteArray &web = {})
{
    QByteArray m = "<html><body><p>Hola. " + web + " ";
    while (m.size() < longitud)
        m += 'x';
    m.truncate(longitud);
    return m;
}
} // namespace

class TstDesglose : public QObject {
    Q_OBJECT
private slots:
    void premiosYEnlaceDeLaPaginaDelSorteo()
    {
        auto w = sorteoWeb();
        w.premios = {QStringLiteral("5.000.000,00"), QStringLiteral("120.345,10"),
                     QStringLiteral("3.210,00"),     QStringLiteral("71,25"),
                     QStringLiteral("8,00"),         QStringLiteral("1,00")};
        const auto d = desglose::lee(Pagina::enmarca(paginas::sorteo(w)));
        for (size_t k = 0; k < 6; ++k) {
            QVERIFY(d.premios[k].has_value());
            QCOMPARE(*d.premios[k], w.premios[k]);
        }
        // The word LOTERÍA of the link arrived as UTF-8 read byte by byte and is repaired.
        QString esperado = w.rutaPdf();
        esperado.chop(4);
        QCOMPARE(d.enlacePdf, esperado);
        QCOMPARE(direcciones::pdf(QStringLiteral("http://www.ejemplo.es/"), d.enlacePdf),
                 QStringLiteral("http://www.ejemplo.es") + w.rutaPdf());
    }

    void reparacionDeLoteria()
    {
        QCOMPARE(desglose::reparaEnlace("\"/docs/LOTER\xc3\x8d"
                                        "A/2026/acta"),
                 QString::fromUtf8("/docs/LOTERÍA/2026/acta"));
        // Á as two bytes: the first becomes Á, the second (129) goes.
        QCOMPARE(desglose::reparaEnlace("/\xc3\x81rbol"), QString::fromUtf8("/Árbol"));
        QCOMPARE(desglose::reparaEnlace("/a\"b\xc3"), QString::fromUtf8("/abÁ"));
    }

    void sinEnlaceNiTabla()
    {
        auto w = sorteoWeb();
        w.conPdf = false;
        auto d = desglose::lee(Pagina::enmarca(paginas::sorteo(w)));
        QVERIFY(d.enlacePdf.isEmpty());
        QCOMPARE(*d.premios[0], QStringLiteral("1.234.567,89"));
        QVERIFY(desglose::textoSinDatos().startsWith(QString::fromUtf8("\nATENCIÓN:\n")));

        // The search page in place of a draw page (no link was found): no amounts, no link,
        // and the labels keep what they showed.
        d = desglose::lee(Pagina::enmarca(paginas::busqueda({w}, 40 * 1024)));
        QVERIFY(d.enlacePdf.isEmpty());
        for (const auto &p : d.premios)
            QVERIFY(!p.has_value());
        d = desglose::lee({});
        QVERIFY(d.enlacePdf.isEmpty());
    }

    void mensajeNuevoSoloDesde301Caracteres()
    {
        const QString web = QStringLiteral("www.bolarium.es");
        auto m = desglose::muestramensaje(mensajeDe(120), mensajeDe(300), web);
        QVERIFY(!m.mostrar);
        m = desglose::muestramensaje(mensajeDe(120), mensajeDe(301), web);
        QVERIFY(m.mostrar);
        QVERIFY(m.nuevaWeb.isEmpty());
        // Same length as the previous copy: nothing new.
        m = desglose::muestramensaje(mensajeDe(400), mensajeDe(400, "otro"), web);
        QVERIFY(!m.mostrar);
    }

    void entradaWeb_data()
    {
        QTest::addColumn<QByteArray>("entrada");
        QTest::addColumn<QString>("guardada");
        QTest::newRow("host") << QByteArray("web:www.nuevo-sitio.es>") << "www.nuevo-sitio.es";
        QTest::newRow("mayúsculas en la marca")
            << QByteArray("WEB:www.nuevo.es>") << "www.nuevo.es";
        QTest::newRow("con espacios")
            << QByteArray("web:www.nuevo.es/mi web>") << "www.nuevo.es/mi/web";
        QTest::newRow("la misma") << QByteArray("web:www.bolarium.es>") << "";
        QTest::newRow("sin entrada") << QByteArray("sin web") << "";
        QTest::newRow("marcado") << QByteArray("web:<script src=x>") << "";
        QTest::newRow("con esquema") << QByteArray("web:http://malo.es>") << "";
        QTest::newRow("comillas") << QByteArray("web:a\"b.es>") << "";
        QTest::newRow("demasiado larga") << "web:" + QByteArray(61, 'a') + ">"
                                         << "";
        QTest::newRow("solo barras") << QByteArray("web:  >") << "";
    }
    void entradaWeb()
    {
        QFETCH(QByteArray, entrada);
        QFETCH(QString, guardada);
        const auto m = desglose::muestramensaje(mensajeDe(100), mensajeDe(400, entrada),
                                                QStringLiteral("www.bolarium.es"));
        QVERIFY(m.mostrar);
        QCOMPARE(m.nuevaWeb, guardada);
    }

    void direcciones()
    {
        QCOMPARE(direcciones::busqueda(QStringLiteral("https://www.ejemplo.es"), QDate(2026, 6, 29),
                                       QDate(2026, 8, 18))
                     .toString(),
                 QStringLiteral("https://www.ejemplo.es/es/buscador?startDate=29/06/2026&gameId=04"
                                "&type=search&endDate=18/08/2026"));
        QCOMPARE(direcciones::sorteo(QStringLiteral("https://www.ejemplo.es"),
                                     QStringLiteral("2026/4625101"))
                     .toString(),
                 QStringLiteral("https://www.ejemplo.es/es/la-primitiva/sorteos/2026/4625101"));
        QCOMPARE(direcciones::mensaje(QStringLiteral("  WWW.Bolarium.ES  ")).toString(),
                 QStringLiteral("http://www.bolarium.es/informe.dat"));
    }
};

QTEST_APPLESS_MAIN(TstDesglose)
#include "tst_desglose.moc"
