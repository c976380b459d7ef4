// The prize table of multiple bets against the combinations each multiple stands for, and the
// multiples pass that shows and counts it.
#include "apoyo/carpetaprueba.h"
#include "archive/fechas.h"
#include "checking/comprobacion.h"
#include "checking/premiomultiple.h"

#include <QRegularExpression>
#include <QTest>

using namespace comprobacion;

namespace {
const QDate kJueves(2026, 1, 1);
constexpr int kComplementario = 49; // sorteoDe(dia, 1): winners 1..6, complementary 49

// The numbers of a multiple of s numbers with h winners, with or without the complementary.
std::vector<int> numerosDe(int s, int h, bool complementario)
{
    std::vector<int> n;
    for (int i = 1; i <= h; ++i)
        n.push_back(i);
    if (complementario)
        n.push_back(kComplementario);
    for (int relleno = 20; int(n.size()) < s; ++relleno)
        n.push_back(relleno);
    return n;
}

// Bets in each category (3, 4, 5, 6, 5 + complementary) among the six-number bets the multiple
// stands for, counted one by one.
std::array<int, 5> porLaRegla(const std::vector<int> &numeros)
{
    std::array<int, 5> cuenta{};
    const auto anota = [&cuenta](const std::vector<int> &apuesta) {
        int aciertos = 0;
        bool complementario = false;
        for (int x : apuesta) {
            aciertos += x >= 1 && x <= 6;
            complementario |= x == kComplementario;
        }
        if (aciertos == 5 && complementario)
            ++cuenta[4];
        else if (aciertos >= 3)
            ++cuenta[size_t(aciertos - 3)];
    };
    const int s = int(numeros.size());
    if (s == 5) {
        // The five numbers and each of the other 44.
        for (int x = 1; x <= 49; ++x)
            if (std::find(numeros.begin(), numeros.end(), x) == numeros.end()) {
                std::vector<int> apuesta = numeros;
                apuesta.push_back(x);
                anota(apuesta);
            }
        return cuenta;
    }
    std::vector<bool> elige(size_t(s), false);
    std::fill(elige.begin(), elige.begin() + 6, true);
    do {
        std::vector<int> apuesta;
        for (int i = 0; i < s; ++i)
            if (elige[size_t(i)])
                apuesta.push_back(numeros[size_t(i)]);
        anota(apuesta);
    } while (std::prev_permutation(elige.begin(), elige.end()));
    return cuenta;
}

Pena multiple(int codigo, const std::vector<int> &numeros)
{
    Pena p =
        penaDe(QStringLiteral("MULTIPLE"), QString::fromUtf8("Jueves y Sábado"), QDate(2025, 1, 1));
    p.tipo = static_cast<qint16>(codigo);
    for (size_t q = 0; q < numeros.size(); ++q)
        p.numero(1, int(q) + 1) = static_cast<qint16>(numeros[q]);
    return p;
}

std::array<int, 5> contadores(const Pena &p)
{
    return {p.premio(3), p.premio(4), p.premio(5), p.premio(6), p.premio(7)};
}

const int kCodigos[] = {501, 502, 503, 504, 505, 506};
} // namespace

class TstPremioMultiple : public QObject {
    Q_OBJECT
private slots:
    void tablaSegunLaRegla()
    {
        int casos = 0;
        for (int codigo : kCodigos) {
            const int s = cuantos(codigo);
            for (int h = 0; h <= std::min(s, 6); ++h)
                for (bool complementario : {false, true}) {
                    if (complementario && h == s)
                        continue; // no room for it among the numbers
                    const std::array<int, 5> regla = porLaRegla(numerosDe(s, h, complementario));
                    const premios::FilaPremio *fila =
                        premios::premiomultiple(codigo, h, complementario);
                    const std::array<int, 5> tabla = fila ? fila->cuentas : std::array<int, 5>{};
                    const QByteArray caso = QStringLiteral("código %1, %2 aciertos, comp. %3")
                                                .arg(codigo)
                                                .arg(h)
                                                .arg(complementario)
                                                .toUtf8();
                    QVERIFY2(tabla == regla, caso.constData());
                    // A row exists exactly when something is won.
                    QVERIFY2((fila != nullptr) == (regla != std::array<int, 5>{}),
                             caso.constData());
                    ++casos;
                }
        }
        QCOMPARE(casos, 5 * 7 * 2 + 6 * 2 - 1); // every size, hit count and flag
        QCOMPARE(premios::premiomultiple(507, 6, false), nullptr);
        QCOMPARE(premios::premiomultiple(501, 7, false), nullptr);
    }

    void mensajesDicenLasCuentas()
    {
        static const QRegularExpression forma(QString::fromUtf8(
            "^¡¡ Premio !! Tienes (\\d+) apuestas? de ([3-6]) aciertos( \\+ C)?\\.$"));
        QCOMPARE(premios::tabla().size(), size_t(35));
        for (const premios::FilaPremio &f : premios::tabla()) {
            std::array<int, 5> dichas{};
            int anterior = 0;
            for (size_t m = 0; m < f.mensajes.size(); ++m) {
                const QString texto = QString::fromUtf8(f.mensajes[m].texto);
                const auto coincide = forma.match(texto);
                QVERIFY2(coincide.hasMatch(), qPrintable(texto));
                const int categoria =
                    coincide.captured(3).isEmpty() ? coincide.captured(2).toInt() : 7;
                QCOMPARE(f.mensajes[m].categoria, categoria);
                const int indice = categoria == 7 ? 4 : categoria - 3;
                dichas[size_t(indice)] += coincide.captured(1).toInt();
                // In the order 3, 4, 5, 5 + C, 6.
                const int orden = categoria == 7 ? 6 : categoria == 6 ? 7 : categoria;
                QVERIFY(orden > anterior);
                anterior = orden;
                QCOMPARE(premios::mensaje(f.primerMensaje + int(m)).texto, texto);
            }
            QCOMPARE(dichas, f.cuentas);
        }
        // Result rows keep a message id in one byte.
        QVERIFY(premios::totalMensajes() <= 256);
    }

    void cadaTamanoEnLaPasada_data()
    {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<int>("aciertos");
        QTest::addColumn<bool>("complementario");
        for (int codigo : kCodigos) {
            const int s = cuantos(codigo);
            for (int h = 0; h <= std::min(s, 6); ++h)
                for (bool c : {false, true})
                    if (!(c && h == s))
                        QTest::addRow("%d-%d-%s", codigo, h, c ? "C" : "sin C") << codigo << h << c;
        }
    }
    void cadaTamanoEnLaPasada()
    {
        QFETCH(int, codigo);
        QFETCH(int, aciertos);
        QFETCH(bool, complementario);
        const int s = cuantos(codigo);
        const std::vector<int> numeros = numerosDe(s, aciertos, complementario);
        const premios::FilaPremio *fila = premios::premiomultiple(codigo, aciertos, complementario);
        Opciones o;
        const Pasada r = compruebamultiples({sorteoDe(kJueves, 1)}, {multiple(codigo, numeros)}, o);
        const Listado &l = *r.listado;
        const int mensajes = fila ? int(fila->mensajes.size()) : 0;
        QCOMPARE(l.cuenta(), 4 + std::max(mensajes - 1, 0));

        const Celdas apuesta = l.celdas(3);
        QCOMPARE(apuesta.tipo, TipoFila::Apuesta);
        QCOMPARE(apuesta.numeros, 11);
        for (int q = 0; q < 11; ++q)
            QCOMPARE(int(apuesta.valor[size_t(q)]), q < s ? numeros[size_t(q)] : 0);
        QCOMPARE(std::popcount(apuesta.rojos), aciertos);
        QCOMPARE(apuesta.hayTexto, mensajes > 0);
        for (int m = 0; m < mensajes; ++m) {
            const Celdas c = l.celdas(3 + m);
            QCOMPARE(c.texto, QString::fromUtf8(fila->mensajes[size_t(m)].texto));
            QCOMPARE(c.color, premios::colorCategoria(fila->mensajes[size_t(m)].categoria));
            if (m > 0) {
                QCOMPARE(c.tipo, TipoFila::Mensaje);
                QCOMPARE(c.rojos, quint16(0));
            }
        }
        // The counters grow by the represented bets that won.
        QCOMPARE(contadores(r.penas->front()), porLaRegla(numeros));

        // Under "only prizes" a multiple stays exactly when it won something.
        o.soloPremios = true;
        const bool premio = aciertos >= 3 || (s == 5 && aciertos == 2);
        QCOMPARE(compruebamultiples({sorteoDe(kJueves, 1)}, {multiple(codigo, numeros)}, o)
                     .listado->cuenta(),
                 premio ? l.cuenta() : 0);
    }

    void casosConocidos()
    {
        // Seven numbers, five winners, the complementary among the other two.
        const Pasada siete = compruebamultiples({sorteoDe(kJueves, 1)},
                                                {multiple(501, {1, 2, 3, 4, 5, 49, 30})}, {});
        QCOMPARE(siete.listado->celdas(3).texto,
                 QString::fromUtf8("¡¡ Premio !! Tienes 5 apuestas de 4 aciertos."));
        QCOMPARE(siete.listado->celdas(4).texto,
                 QString::fromUtf8("¡¡ Premio !! Tienes 1 apuesta de 5 aciertos."));
        QCOMPARE(siete.listado->celdas(5).texto,
                 QString::fromUtf8("¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C."));
        QCOMPARE(contadores(siete.penas->front()), (std::array<int, 5>{0, 5, 1, 0, 1}));

        // Five numbers, all winners: one bet holds the complementary whatever the flag says.
        const Pasada cinco =
            compruebamultiples({sorteoDe(kJueves, 1)}, {multiple(503, {5, 4, 3, 2, 1})}, {});
        QCOMPARE(contadores(cinco.penas->front()), (std::array<int, 5>{0, 0, 42, 1, 1}));

        // Counted once, however often the window is checked.
        std::vector<Pena> penas = *cinco.penas;
        const Pasada otra = compruebamultiples({sorteoDe(kJueves, 1)}, penas, {});
        QCOMPARE(contadores(otra.penas->front()), (std::array<int, 5>{0, 0, 42, 1, 1}));
        QVERIFY(!otra.penasCambiadas);
    }

    void multiplesCercaDelLimite()
    {
        Pena p = multiple(506, {1, 2, 3, 20, 21, 22, 23, 24, 25, 26, 27});
        p.premio(3) = 32750; // 56 more would pass the limit
        const Pasada r = compruebamultiples({sorteoDe(kJueves, 1)}, {p}, {});
        QCOMPARE(r.penas->front().premio(3), qint16(32767));
    }
};

QTEST_APPLESS_MAIN(TstPremioMultiple)
#include "tst_premiomultiple.moc"
