#include "printing/boletos.h"
#include "printing/entrada.h"

#include <QTest>
#include <algorithm>

using namespace boletos;

namespace {

// A simple syndicate of n bets; bet b holds b, b+1, ... wrapped into 1..49.
Pena sencilla(int apuestas, const QString &dias = QStringLiteral("Jueves"))
{
    Pena p;
    p.ponNombre(QStringLiteral("AMIGOS"));
    p.ponDias(dias);
    p.tipo = static_cast<qint16>(apuestas);
    for (int b = 1; b <= apuestas; ++b)
        for (int i = 1; i <= 6; ++i)
            p.numero(b, i) = static_cast<qint16>((b + i * 7) % 49 + 1);
    return p;
}

Pena multiple(int codigo, int numeros)
{
    Pena p;
    p.ponNombre(QStringLiteral("GRANDE"));
    p.ponDias(QString::fromUtf8("Sábado"));
    p.tipo = static_cast<qint16>(codigo);
    for (int i = 1; i <= numeros; ++i)
        p.numero(1, i) = static_cast<qint16>(i * 4);
    return p;
}

bool cerca(const Posicion &a, double x, double y)
{
    return std::abs(a.x - x) < 1e-6 && std::abs(a.y - y) < 1e-6;
}

std::vector<Marca> deClase(const Pagina &p, Marca::Clase c)
{
    std::vector<Marca> r;
    for (const Marca &m : p.marcas)
        if (m.clase == c)
            r.push_back(m);
    return r;
}

Opciones oficial(double x, double y)
{
    Opciones o;
    o.desplazaX = x;
    o.desplazaY = y;
    o.aviso = QStringLiteral("Bolarium v.3.4.995");
    return o;
}

} // namespace

class TstBoletos : public QObject {
    Q_OBJECT
private slots:
    void casillasDeUnBloque()
    {
        const Casillas b1 = casillas(10, 50, 1);
        QVERIFY(cerca(b1[10], 13.8, 50)); // the tens start the first row
        QVERIFY(cerca(b1[1], 10, 55));
        QVERIFY(cerca(b1[9], 10, 95));
        QVERIFY(cerca(b1[40], 25.2, 50));
        const Casillas b8 = casillas(10, 50, 8);
        QVERIFY(cerca(b8[49], 10 + 146.1, 95));
        QVERIFY(cerca(b8[1], 10 + 130.9, 55));
    }

    void nueveApuestasEnDosBoletos()
    {
        Pena p = sencilla(9);
        p.numero(9, 1) = 10;
        const Cuenta c = cuenta(p);
        QCOMPARE(c.apuestas, 9);
        QCOMPARE(c.boletos, 2);
        const auto hojas = imprimeboletos(p, oficial(10, 50));
        QCOMPARE(hojas.size(), size_t(2));
        QCOMPARE(hojas[0].marcas.size(), size_t(48));
        QCOMPARE(hojas[1].marcas.size(), size_t(6));
        for (const Marca &m : hojas[1].marcas) {
            QCOMPARE(m.apuesta, 9);
            QVERIFY(m.en.x < 10 + kAnchoBloque); // block 1
        }
        QVERIFY(cerca(hojas[1].marcas[0].en, 13.8, 50)); // number 10 of block 1
        // Bet b of the first slip lies in block b.
        for (const Marca &m : hojas[0].marcas)
            QVERIFY(cerca(m.en, casillas(10, 50, m.apuesta)[size_t(m.numero)].x,
                          casillas(10, 50, m.apuesta)[size_t(m.numero)].y));
        QCOMPARE(hojas[0].textos.size(), size_t(1));
        QVERIFY(cerca(hojas[0].textos[0].en, 15, 43));
        QCOMPARE(hojas[0].textos[0].texto,
                 QString::fromUtf8("PEÑA AMIGOS (1/2)     Bolarium v.3.4.995"));
        QCOMPARE(hojas[1].textos[0].texto.left(17), QString::fromUtf8("PEÑA AMIGOS (2/2)"));
        QVERIFY(hojas[0].rectangulos.empty());
    }

    void marcaDeTamanoDeLasMultiples_data()
    {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<int>("numeros");
        QTest::addColumn<double>("x");
        QTest::newRow("7") << 501 << 7 << 11.4;
        QTest::newRow("8") << 502 << 8 << 18.7;
        QTest::newRow("5") << 503 << 5 << 3.8;
        QTest::newRow("9") << 504 << 9 << 26.3;
        QTest::newRow("10") << 505 << 10 << 33.9;
        QTest::newRow("11") << 506 << 11 << 41.2;
    }
    void marcaDeTamanoDeLasMultiples()
    {
        QFETCH(int, codigo);
        QFETCH(int, numeros);
        QFETCH(double, x);
        const Pena p = multiple(codigo, numeros);
        const Cuenta c = cuenta(p);
        QCOMPARE(c.apuestas, 1);
        QCOMPARE(c.boletos, 1);
        QCOMPARE(c.numeros, numeros);
        const auto hojas = imprimeboletos(p, oficial(4, 30));
        QCOMPARE(hojas.size(), size_t(1));
        const auto numerosMarcados = deClase(hojas[0], Marca::Clase::Numero);
        QCOMPARE(int(numerosMarcados.size()), numeros);
        for (const Marca &m : numerosMarcados)
            QVERIFY(m.en.x < 4 + kAnchoBloque);
        const auto tamano = deClase(hojas[0], Marca::Clase::Tamano);
        QCOMPARE(tamano.size(), size_t(1));
        QVERIFY(cerca(tamano[0].en, 4 + x, 30 + 55));
        QVERIFY(deClase(hojas[0], Marca::Clase::Adicional).empty());
    }

    void juegoAdicionalEnCadaBoleto()
    {
        Opciones o = oficial(0, 20);
        o.adicional = true;
        const auto hojas = imprimeboletos(sencilla(12), o);
        QCOMPARE(hojas.size(), size_t(2));
        for (const Pagina &h : hojas) {
            const auto a = deClase(h, Marca::Clase::Adicional);
            QCOMPARE(a.size(), size_t(1));
            QVERIFY(cerca(a[0].en, 130.9, 75));
        }
    }

    void participacionesDosPorHoja()
    {
        Opciones o = oficial(10, 50); // offsets do not apply to plain paper
        o.papelNormal = true;
        const Pena p = sencilla(17, QString::fromUtf8("Jueves y Sábado"));
        QCOMPARE(cuenta(p).boletos, 3);
        const auto hojas = imprimeboletos(p, o);
        QCOMPARE(hojas.size(), size_t(2));
        QCOMPARE(hojas[0].marcas.size(), size_t(96));
        QCOMPARE(hojas[1].marcas.size(), size_t(6));
        QCOMPARE(hojas[0].rejillas.size(), size_t(2));
        QVERIFY(cerca(hojas[0].rejillas[0], 25.8, 45));
        QVERIFY(cerca(hojas[0].rejillas[1], 25.8, 149));
        QVERIFY(cerca(hojas[1].rejillas[0], 25.8, 45));
        // Bet 9 opens the lower participation, in its block 1.
        for (const Marca &m : hojas[0].marcas)
            if (m.apuesta == 9)
                QVERIFY(m.en.y >= 149 && m.en.x < 25.8 + kAnchoBloque);

        auto texto = [](const Pagina &h, const QString &empieza) {
            for (const Texto &t : h.textos)
                if (t.texto.startsWith(empieza))
                    return t;
            return Texto{};
        };
        const Texto abajo = texto(hojas[0], QString::fromUtf8("PEÑA AMIGOS (2/3)"));
        QVERIFY(cerca(abajo.en, 32, 141));
        QVERIFY(cerca(texto(hojas[1], QString::fromUtf8("PEÑA AMIGOS (3/3)")).en, 32, 37));
        const Texto dias = texto(hojas[0], QString::fromUtf8("JUEVES Y SÁBADO"));
        QVERIFY(cerca(dias.en, 110, 102));
        const Texto aviso = texto(hojas[0], QStringLiteral("BOLARIUM V.3.4.995"));
        QVERIFY(cerca(aviso.en, 72.5, 25));
        QCOMPARE(aviso.tamano, 18.0);
        QVERIFY(cerca(texto(hojas[0], QString::fromUtf8("Participación para: ")).en, 110, 97));
        QCOMPARE(hojas[0].rectangulos.size(), size_t(12));
    }

    void marcoDeParticipacion()
    {
        const Marco arriba = marcoparticipacion(1, QStringLiteral("Jueves    "));
        QCOMPARE(arriba.t, 0.0);
        QCOMPARE(arriba.rectangulos.size(), size_t(6));
        const Rectangulo &marco = arriba.rectangulos[0];
        QVERIFY(!marco.relleno);
        QCOMPARE(marco.x, 20.0);
        QCOMPARE(marco.y, 20.0);
        QCOMPARE(marco.ancho, 160.5);
        QCOMPARE(marco.alto, 104.0);
        QCOMPARE(arriba.rectangulos[4].y, 62.0);
        QCOMPARE(arriba.rectangulos[5].y, 74.0);
        const Marco abajo = marcoparticipacion(4, QString::fromUtf8("Jueves y Sábado"));
        QCOMPARE(abajo.t, 104.0);
        QVERIFY(cerca(abajo.origen, 25.8, 149));
        QCOMPARE(abajo.rectangulos[1].y, 104 + 117.3);
        QCOMPARE(abajo.rectangulos[2].x, 174.5);
        QCOMPARE(abajo.rectangulos[3].y, 104 + 44.0);
        QCOMPARE(abajo.rectangulos[4].y, 104 + 56.0);
        QCOMPARE(abajo.rectangulos[5].y, 104 + 86.0);
        for (size_t i = 1; i < abajo.rectangulos.size(); ++i)
            QVERIFY(abajo.rectangulos[i].relleno);

        // Monday has a mark of its own, where the settings put it, beside the others.
        const Marco todos = marcoparticipacion(1, QString::fromUtf8("Todos los días"));
        QCOMPARE(todos.rectangulos.size(), size_t(7));
        QCOMPARE(todos.rectangulos[4].y, 56.0);
        QCOMPARE(todos.rectangulos[5].y, 86.0);
        QCOMPARE(todos.rectangulos[6].y, kMarcaLunes);
        const Marco lunesSabado = marcoparticipacion(2, QStringLiteral("Lunes y Sábado"), 52.5);
        QCOMPARE(lunesSabado.rectangulos.size(), size_t(7));
        QCOMPARE(lunesSabado.rectangulos[4].y, 104 + 62.0);
        QCOMPARE(lunesSabado.rectangulos[6].y, 104 + 52.5);
        const Marco lunes = marcoparticipacion(1, QStringLiteral("Lunes"));
        QCOMPARE(lunes.rectangulos.size(), size_t(5));
        QCOMPARE(lunes.rectangulos[4].y, kMarcaLunes);
        QCOMPARE(lunes.rectangulos[4].x, 22.5);

        // The participation names the days in words.
        const Pena p = sencilla(2, QString::fromUtf8("Todos los días"));
        Opciones o;
        o.papelNormal = true;
        const std::vector<Pagina> hojas = imprimeboletos(p, o);
        QVERIFY(std::any_of(hojas[0].textos.begin(), hojas[0].textos.end(), [](const Texto &t) {
            return t.texto == QString::fromUtf8("LUNES, JUEVES Y SÁBADO") && cerca(t.en, 110, 102);
        }));
    }

    void registrosDanadosNoImprimenFueraDeLaRejilla()
    {
        Pena p = sencilla(2);
        p.numero(1, 1) = 0;
        p.numero(1, 2) = 50;
        p.numero(2, 3) = -7;
        const auto hojas = imprimeboletos(p, oficial(0, 0));
        QCOMPARE(hojas[0].marcas.size(), size_t(9));
        for (qint16 tipo : {qint16(0), qint16(-3), qint16(206), qint16(500), qint16(507)}) {
            p.tipo = tipo;
            QCOMPARE(cuenta(p).apuestas, 0);
            QVERIFY(imprimeboletos(p, oficial(0, 0)).empty());
        }
        p = sencilla(205);
        QCOMPARE(cuenta(p).boletos, 26);
        QCOMPARE(imprimeboletos(p, oficial(0, 0)).back().marcas.size(), size_t(5 * 6));
    }

    void hojaDeAjuste()
    {
        const Pagina h = pruebaajuste(10, 50, QStringLiteral("Bolarium"));
        QCOMPARE(deClase(h, Marca::Clase::Numero).size(), size_t(8 * 49));
        QCOMPARE(deClase(h, Marca::Clase::Tamano).size(), size_t(6));
        QCOMPARE(deClase(h, Marca::Clase::Adicional).size(), size_t(1));
        QCOMPARE(h.textos.size(), size_t(1));
        QVERIFY(cerca(h.textos[0].en, 15, 43));
    }

    void cajasDeAjustes()
    {
        using entrada::Accion;
        QCOMPARE(entrada::decimal(QStringLiteral("2,5")).value(), 2.5);
        QCOMPARE(entrada::decimal(QStringLiteral(" -3.25 ")).value(), -3.25);
        QCOMPARE(entrada::decimal(QStringLiteral(",5")).value(), 0.5);
        for (const char *malo : {"", "abc", "1e3", "inf", "nan", "1,2,3", "--1", "0x10", "1 2"})
            QVERIFY2(!entrada::decimal(QString::fromLatin1(malo)), malo);

        QCOMPARE(entrada::desplazamiento(QStringLiteral("abc")).accion, Accion::Restaura);
        QCOMPARE(entrada::desplazamiento(QStringLiteral("")).accion, Accion::Conserva);
        QCOMPARE(entrada::desplazamiento(QStringLiteral("5000")).accion, Accion::Restaura);
        const auto d = entrada::desplazamiento(QStringLiteral("-4,5"));
        QCOMPARE(d.accion, Accion::Guarda);
        QCOMPARE(d.valor, -4.5);

        QCOMPARE(entrada::precio(QStringLiteral("abc")).accion, Accion::Restaura);
        QCOMPARE(entrada::precio(QStringLiteral("-1")).accion, Accion::Restaura);
        QCOMPARE(entrada::precio(QStringLiteral("")).accion, Accion::Conserva);
        QCOMPARE(entrada::precio(QStringLiteral("1,5")).valor, 1.5);

        auto prof = [](const char *t, int guardada) {
            return entrada::profundidad(QString::fromLatin1(t), guardada);
        };
        QCOMPARE(prof("abc", 12).accion, Accion::Restaura);
        QCOMPARE(prof("2,5", 12).accion, Accion::Restaura);
        QCOMPARE(prof("40000", 12).accion, Accion::Restaura);
        QCOMPARE(prof("1", 12).valor, 2.0);
        QCOMPARE(prof("-8", 12).valor, 2.0);
        QCOMPARE(prof("36", 12).valor, 36.0);
        QCOMPARE(prof("", 12).accion, Accion::Guarda);
        QCOMPARE(prof("", 12).valor, 12.0);
        QCOMPARE(prof("", 0).valor, 2.0);
    }
};

QTEST_APPLESS_MAIN(TstBoletos)
#include "tst_boletos.moc"
