// The marker searches over a page in its stored form.
#include "web/analisis.h"
#include "web/pagina.h"

#include <QTest>

class TstBusca : public QObject {
    Q_OBJECT
private slots:
    void enmarcaDuplicaComillas()
    {
        QCOMPARE(Pagina::enmarca("<a class=\"q\">x</a>"),
                 QByteArray("\"<a class=\"\"q\"\">x</a>\"\r\n"));
        QCOMPARE(Pagina::enmarca(""), QByteArray("\"\"\r\n"));
    }

    void marcaSinMayusculasYTerminadorEnSuCaso()
    {
        // The marker matches in any case; the terminator as given or in upper case only.
        Pagina p("...COMBInacion<rest de la pagina");
        QCOMPARE(p.busca("combi", "<", 0), QByteArray("nacion"));
        QCOMPARE(p.posicion(), qint64(16));

        Pagina minuscula("xx mark abcsdefSghi final de pagina");
        QCOMPARE(minuscula.busca("MARK", "s", 0), QByteArray(" abc"));
        minuscula.ponPosicion(1);
        QCOMPARE(minuscula.busca("mark", "S", 0), QByteArray(" abcsdef"));

        // Accented letters fold too, the way the single-byte code page has them.
        Pagina acentos("..\xe1rbol..x");
        QCOMPARE(acentos.busca("\xc1RBOL", ".", 0), QByteArray(""));
        QCOMPARE(acentos.posicion(), qint64(9));
    }

    void marcaEnElUltimoCaracterNoSeEncuentra()
    {
        Pagina p("abcdefMARK");
        QCOMPARE(p.busca("mark", "<", 0), QByteArray());
        // The read position is left where the sliding stopped: length - marker + 2.
        QCOMPARE(p.posicion(), qint64(8));
        // One character more and it is found.
        Pagina q("abcdefMARKx!yz");
        QCOMPARE(q.busca("mark", "!", 0), QByteArray("x"));
    }

    void finalDeDatosSegunLaBusqueda()
    {
        // A terminator that never comes: busca keeps what it collected, but never the last two
        // characters; busca2 gives nothing at all.
        Pagina p("..MARKabcdef");
        QCOMPARE(p.busca("mark", "<", 0), QByteArray("abcd"));
        Pagina p2("..MARKabcdef");
        QCOMPARE(p2.busca2("mark", "<"), QByteArray());
        // busca2 still takes a terminator on the last character.
        Pagina p3("..MARKabcdef<");
        QCOMPARE(p3.busca2("mark", "<"), QByteArray("abcdef"));
    }

    void leerMasAllaDelFinalEsUnError()
    {
        Pagina corta("abc");
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, corta.busca("abcd", "<", 0));

        // After a failed search a marker of the same length no longer fits.
        Pagina p("abcdef");
        QCOMPARE(p.busca("zz", "<", 0), QByteArray());
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, p.busca("zz", "<", 0));
        // A shorter one still does.
        p.ponPosicion(6);
        QCOMPARE(p.busca("z", "<", 0), QByteArray());

        // A terminator of three characters runs into the end.
        Pagina t("MARKabcdef");
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, t.busca("mark", "xyz", 0));
        Pagina t2("MARKabcdef");
        QCOMPARE(t2.busca2("mark", "xyz"), QByteArray());
    }

    void diaMesYAnio()
    {
        Pagina p(" 5 de enero de 2017<a href=\"\"/es/la-primitiva/sorteos/2017/99\"\">x</a> fin");
        const QByteArray dia = p.busca(" ", " ", 0);
        const QByteArray mes = p.busca(" ", " ", 0);
        const QByteArray anio = p.busca(" ", "<", 0);
        QCOMPARE(dia, QByteArray("5"));
        QCOMPARE(mes, QByteArray("enero"));
        QCOMPARE(anio, QByteArray("2017"));
        QCOMPARE(analisis::fecha(dia, analisis::numeroMes(mes), anio), QDate(2017, 1, 5));
        QCOMPARE(p.busca(anio + '/', "\"", 0), QByteArray("99"));

        QCOMPARE(analisis::numeroMes("DECEMBER"), 12);
        QCOMPARE(analisis::numeroMes("Septiembre"), 9);
        QCOMPARE(analisis::numeroMes("Setiembre"), 0);
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, analisis::fecha("31", 2, "2026"));
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, analisis::fecha("5", 0, "2026"));
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, analisis::fecha("de", 1, "2026"));
    }

    void rarosYNumeros()
    {
        QCOMPARE(raros("Hola mundo!"), QByteArray("Holamundo!"));
        QCOMPARE(raros("1.234,56 \x80{|}~\xe1\t"), QByteArray("1.234,56"));
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, raros(QByteArray(32768, 'a')));

        // A Joker written in digit groups, its blanks removed while collecting.
        Pagina p("<span class=\"\"numero\"\">1 234 567</span>\"\r\n");
        const QByteArray joker = p.busca("ero\"\">", "<", 1);
        QCOMPARE(joker, QByteArray("1234567"));
        QCOMPARE(valorNumero(joker), 1234567.0);
        QCOMPARE(valorNumero(" 12abc"), 12.0);
        QCOMPARE(valorNumero("x12"), 0.0);
        QCOMPARE(valorNumero(""), 0.0);
    }

    void busca3GuardaLosEspaciosComoBarras()
    {
        Pagina p("Noticias... web: www.ejemplo.es/nueva ruta> y mas texto");
        QCOMPARE(p.busca3("WEB:", ">"), QByteArray("/www.ejemplo.es/nueva/ruta"));
    }

    void ordenaSeisNumeros()
    {
        Sorteo s;
        s.numeros = {40, 3, 17, 49, 1, 22};
        analisis::ordenanumeros(s);
        QCOMPARE(s.numeros, (std::array<qint16, 6>{1, 3, 17, 22, 40, 49}));
        // A repeated number would leave a stale one in the last place: refused.
        s.numeros = {5, 5, 10, 20, 30, 40};
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, analisis::ordenanumeros(s));
        s.numeros = {0, 5, 10, 20, 30, 40};
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, analisis::ordenanumeros(s));
        s.numeros = {50, 5, 10, 20, 30, 40};
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, analisis::ordenanumeros(s));
    }
};

QTEST_APPLESS_MAIN(TstBusca)
#include "tst_busca.moc"
