#include "archive/fechas.h"
#include "archive/texto.h"
#include "syndicates/archivopenas.h"
#include "syndicates/edicion.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Noon of 1 January 2026 (a function: fechas has static data of its own).
double ahora()
{
    return fechas::serial(QDate(2026, 1, 1)) + 0.5;
}

OpcionesEdicion nueva(int modocrea, const TablaReducida *tabla = nullptr)
{
    OpcionesEdicion o;
    o.modocrea = modocrea;
    o.tabla = tabla;
    return o;
}

OpcionesEdicion edita(int registro)
{
    OpcionesEdicion o;
    o.editando = true;
    o.registro = registro;
    return o;
}

QStringList textos(const RespuestaEdicion &r)
{
    QStringList t;
    for (const AvisoEdicion &a : r.avisos)
        t.append(a.texto);
    return t;
}

// A table of n numbers whose k bets are the first k combinations of 1..n.
TablaReducida tablaDe(int n, int g, int k)
{
    TablaReducida t;
    t.n = n;
    t.g = g;
    t.lineaG = QString::number(g);
    t.k = k;
    std::array<int, 6> c = {1, 2, 3, 4, 5, 6};
    for (int e = 0; e < k; ++e) {
        t.apuestas.push_back(c);
        int i = 5;
        while (i >= 0 && c[static_cast<size_t>(i)] == n - 5 + i)
            --i;
        if (i < 0)
            break; // every combination of n numbers is there
        ++c[static_cast<size_t>(i)];
        for (int j = i + 1; j < 6; ++j)
            c[static_cast<size_t>(j)] = c[static_cast<size_t>(j - 1)] + 1;
    }
    return t;
}

void pulsaTodos(Edicion &e, std::initializer_list<int> numeros)
{
    for (int n : numeros)
        e.pulsa(n);
}

void ponNombre(Edicion &e, const QString &texto)
{
    QString caja;
    e.nombre(texto, caja);
}

} // namespace

// The editor's writes go straight to the file here; in the program they go through the session.
struct Almacen : AlmacenPenas {
    explicit Almacen(ArchivoPenas &a) : archivo(a) {}
    const ArchivoPenas &penas() const override { return archivo; }
    Escritura guardaPena(int registro, const Pena &pena) override
    {
        return archivo.escribe(registro, pena);
    }
    ArchivoPenas &archivo;
};

class TstEdicion : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    ArchivoPenas archivo_;
    Almacen almacen_{archivo_};

private slots:
    void init()
    {
        QFile::remove(dir_.filePath(QStringLiteral("apuestas.dat")));
        archivo_ = ArchivoPenas(dir_.filePath(QStringLiteral("apuestas.dat")));
        QCOMPARE(archivo_.abre(), Escritura::Hecha);
    }

    void apuestaOrdenadaSeaCualSeaElOrdenDeLosClics()
    {
        Edicion e(almacen_, {});
        QCOMPARE(e.instruccion(), u("INTRODUZCA EL NOMBRE Y 6 NÚMEROS:"));
        pulsaTodos(e, {30, 3, 41, 11, 25});
        QVERIFY(!e.grabarActivo());
        QCOMPARE(e.marcados(), 5);
        e.pulsa(17);
        QCOMPARE(e.numapuestas(), 1);
        QCOMPARE(e.marcados(), 0);
        QVERIFY(!e.marcada(30)); // the grid is free for the next bet
        QVERIFY(e.grabarActivo());
        QVERIFY(e.borrarActivo());
        QCOMPARE(e.lineas(), QStringList{QStringLiteral(" 3-11-17-25-30-41")});
        // A number marked and unmarked: the bet entered can be saved again; a half-marked
        // one keeps "Grabar" off.
        e.pulsa(8);
        QVERIFY(!e.grabarActivo());
        e.pulsa(8);
        QVERIFY(e.grabarActivo());
        ponNombre(e, QStringLiteral("los del bar"));
        QCOMPARE(e.nombreActual(), QStringLiteral("LOS DEL BAR"));
        e.dias(2);
        const RespuestaEdicion r = e.graba(ahora(), 0);
        QVERIFY(r.grabado);
        QVERIFY(!r.cerrar);
        QCOMPARE(archivo_.cuenta(), 1);
        const Pena &p = archivo_.lee(1);
        const qint16 esperado[6] = {3, 11, 17, 25, 30, 41};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(p.numero(1, i + 1), esperado[i]);
        QCOMPARE(p.tipo, qint16(1));
        QCOMPARE(p.tablaN, qint16(0));
        QCOMPARE(p.nombreTexto(), QStringLiteral("LOS DEL BAR         "));
        QCOMPARE(p.diasTexto().trimmed(), u("Sábado"));
        QCOMPARE(p.creacion, ahora());
        QCOMPARE(p.contado, 0.0);
        // Ready for another one of the same kind.
        QCOMPARE(e.numapuestas(), 0);
        QVERIFY(e.nombreActual().isEmpty());
        QVERIFY(e.lineas().isEmpty());
        QVERIFY(e.aleatorioActivo());
    }

    void textoDeApuestas()
    {
        QCOMPARE(edicion::textoApuesta({1, 5, 9, 10, 48, 49}), QStringLiteral(" 1- 5- 9-10-48-49"));
        QCOMPARE(edicion::textoApuesta({}), QString());
    }

    void hasta205ApuestasSencillas()
    {
        Edicion e(almacen_, {});
        for (int b = 0; b < 205; ++b)
            pulsaTodos(e, {1 + b % 44, 2 + b % 44, 3 + b % 44, 4 + b % 44, 5 + b % 44, 6 + b % 44});
        QCOMPARE(e.numapuestas(), 205);
        const RespuestaEdicion r = e.pulsa(20);
        QCOMPARE(textos(r), QStringList{u("Máximo de apuestas sencillas por peña : 205.")});
        QVERIFY(!e.marcada(20));
        // Refusing the click must not leave the 205 bets impossible to save.
        QVERIFY(e.grabarActivo());
        ponNombre(e, QStringLiteral("GRANDE"));
        QVERIFY(e.graba(ahora(), 0).grabado);
        QCOMPARE(archivo_.lee(1).tipo, qint16(205));
        QCOMPARE(archivo_.lee(1).numero(205, 6), qint16(6 + 204 % 44));
    }

    void multipleDeOchoNumeros()
    {
        Edicion e(almacen_, nueva(2));
        QCOMPARE(e.porapuesta(), 8);
        pulsaTodos(e, {40, 2, 33, 7, 19, 25, 11});
        QCOMPARE(e.numapuestas(), 0);
        e.pulsa(48);
        QCOMPARE(e.numapuestas(), 1);
        QCOMPARE(e.lineas(), QStringList{QStringLiteral(" 2- 7-11-19-25-33-40-48")});
        const RespuestaEdicion r = e.pulsa(1);
        QCOMPARE(textos(r), QStringList{u("¡¡ Oficialmente sólo se admite una combinación por "
                                          "boleto cuando juegas a múltiples !! ")});
        QVERIFY(e.grabarActivo());
        QVERIFY(!e.marcada(1));
        ponNombre(e, QStringLiteral("OCHO"));
        QVERIFY(e.graba(ahora(), 0).grabado);
        const Pena &p = archivo_.lee(1);
        QCOMPARE(p.tipo, qint16(502));
        QCOMPARE(p.numero(1, 8), qint16(48));
        QCOMPARE(p.numero(1, 9), qint16(0));
        QCOMPARE(p.numero(2, 1), qint16(0));

        Edicion cinco(almacen_, nueva(3));
        QCOMPARE(cinco.porapuesta(), 5);
    }

    void nombreVacioBloqueaLaRejilla()
    {
        Edicion e(almacen_, {});
        pulsaTodos(e, {1, 2, 3, 4, 5, 6});
        RespuestaEdicion r = e.graba(ahora(), 0);
        QCOMPARE(textos(r), QStringList{u("¡¡¡No ha escrito el nombre de la peña!!!")});
        QCOMPARE(r.avisos[0].icono, AvisoEdicion::Icono::Exclamacion);
        QVERIFY(!r.grabado);
        QVERIFY(e.solonombre());
        ponNombre(e, QStringLiteral("   "));
        r = e.pulsa(10);
        QCOMPARE(textos(r),
                 QStringList{u("Sólo tienes que poner un nombre. No puedes añadir más números.")});
        QVERIFY(!e.marcada(10));
        QVERIFY(!e.graba(ahora(), 0).grabado); // blanks are no name either
        ponNombre(e, QStringLiteral("LA BUENA"));
        QVERIFY(e.solonombre());
        QVERIFY(e.graba(ahora(), 0).grabado);
        QVERIFY(!e.solonombre());
        QCOMPARE(archivo_.cuenta(), 1);
    }

    void reglasDelNombre()
    {
        QString caja;
        Edicion e(almacen_, {});
        QVERIFY(e.nombre(u("peña de maría"), caja).avisos.empty());
        QCOMPARE(caja, u("PEÑA DE MARÍA"));
        QVERIFY(e.nombre(QStringLiteral("ABCDEFGHIJKLMNOPQRST"), caja).avisos.empty());
        QCOMPARE(caja, QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        RespuestaEdicion r = e.nombre(QStringLiteral("ABCDEFGHIJKLMNOPQRSTU"), caja);
        QCOMPARE(textos(r), QStringList{u("¡¡¡El nombre no puede tener más de 20 letras!!!")});
        QCOMPARE(r.avisos[0].icono, AvisoEdicion::Icono::Exclamacion);
        QCOMPARE(caja, QStringLiteral("AYYYYYY!!"));
        QCOMPARE(e.nombreActual(), QStringLiteral("AYYYYYY!!"));

        QVERIFY(e.nombre(u("EURO €"), caja).avisos.empty()); // € has a single-byte form
        r = e.nombre(u("EURO € ☘"), caja);
        QCOMPARE(r.avisos.size(), size_t(1));
        QVERIFY(r.avisos[0].texto.contains(u("«☘»")));
        QCOMPARE(caja, u("EURO €"));
        r = e.nombre(u("EURO €😀"), caja);
        QVERIFY(r.avisos[0].texto.contains(u("«😀»")));
        QCOMPARE(caja, u("EURO €"));
        pulsaTodos(e, {1, 2, 3, 4, 5, 6});
        QVERIFY(e.graba(ahora(), 0).grabado);
        QCOMPARE(archivo_.lee(1).nombre, QByteArray("EURO \x80              "));
    }

    void fechasQueImpidenGrabar()
    {
        Pena futura;
        futura.tipo = 1;
        futura.creacion = ahora() + 1;
        QCOMPARE(archivo_.escribe(1, futura), Escritura::Hecha);
        Edicion e(almacen_, {});
        pulsaTodos(e, {1, 2, 3, 4, 5, 6});
        ponNombre(e, QStringLiteral("X"));
        RespuestaEdicion r = e.graba(ahora(), 0);
        QCOMPARE(textos(r), QStringList{u("¡¡¡No puede crear una peña con fecha anterior a una ya "
                                          "existente!!!. Borre dicha peña antes de crear ésta.")});
        QCOMPARE(archivo_.cuenta(), 1);

        QCOMPARE(archivo_.elimina(1), Escritura::Hecha);
        r = e.graba(ahora(), fechas::serial(QDate(2026, 1, 3)));
        QCOMPARE(textos(r), QStringList{u("Hay sorteos con fecha posterior a la de la peña que "
                                          "intenta crear. Revise la fecha de su ordenador. ¡No se "
                                          "puede crear una peña con fecha anterior a la del "
                                          "último sorteo!")});
        QCOMPARE(archivo_.cuenta(), 0);
        // A draw earlier today is no obstacle.
        QVERIFY(e.graba(ahora(), fechas::serial(QDate(2026, 1, 1))).grabado);
    }

    void borrarQuitaLaUltimaApuesta()
    {
        Edicion e(almacen_, {});
        pulsaTodos(e, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
        e.borra();
        QCOMPARE(e.numapuestas(), 1);
        QCOMPARE(e.lineas(), QStringList{QStringLiteral(" 1- 2- 3- 4- 5- 6")});
        QVERIFY(e.borrarActivo());
        e.borra();
        QCOMPARE(e.numapuestas(), 0);
        QVERIFY(!e.borrarActivo());
        QVERIFY(!e.grabarActivo());
        QVERIFY(e.aleatorioActivo());
        pulsaTodos(e, {20, 21, 22, 23, 24, 25});
        ponNombre(e, QStringLiteral("B"));
        QVERIFY(e.graba(ahora(), 0).grabado);
        QCOMPARE(archivo_.lee(1).numero(1, 1), qint16(20));
        QCOMPARE(archivo_.lee(1).numero(2, 1), qint16(0)); // the removed bet left nothing behind
    }

    void aleatorioYNumerosDelOrdenador()
    {
        QRandomGenerator azar(7);
        Edicion e(almacen_, {});
        e.aleatorio(azar);
        QCOMPARE(e.numapuestas(), 1);
        QVERIFY(e.aleatorioActivo());
        const Pena &p = e.pena();
        for (int i = 1; i <= 6; ++i) {
            QVERIFY(p.numero(1, i) >= 1 && p.numero(1, i) <= 49);
            if (i > 1)
                QVERIFY(p.numero(1, i) > p.numero(1, i - 1));
        }

        Edicion multiple(almacen_, nueva(6));
        multiple.aleatorio(azar);
        QVERIFY(!multiple.aleatorioActivo());
        QCOMPARE(multiple.numapuestas(), 1);
        QCOMPARE(multiple.lineas().first().count(QLatin1Char('-')), 10);
        QCOMPARE(textos(multiple.aleatorio(azar)),
                 QStringList{u("Máximo de apuestas sencillas por peña : 1.")});

        // From the creation tab: the first numbers of the ranking, one bet, closed after saving.
        OpcionesEdicion desdeLaPestana = nueva(1);
        desdeLaPestana.numordenador = true;
        desdeLaPestana.masfrecuentes = {44, 3, 3, 0, 17, 8, 25, 30, 1, 2};
        Edicion tab(almacen_, desdeLaPestana);
        QVERIFY(!tab.aleatorioActivo());
        QCOMPARE(tab.lineas(), QStringList{QStringLiteral(" 1- 3- 8-17-25-30-44")});
        ponNombre(tab, QStringLiteral("ORDENADOR"));
        const RespuestaEdicion r = tab.graba(ahora(), 0);
        QVERIFY(r.grabado);
        QVERIFY(r.cerrar);
        QCOMPARE(archivo_.lee(1).tipo, qint16(501));
    }

    void reducidaDeDiezNumerosYCatorceApuestas()
    {
        const TablaReducida t = tablaDe(10, 5, 14);
        Edicion e(almacen_, nueva(edicion::kReducida, &t));
        QCOMPARE(e.porapuesta(), 10);
        QCOMPARE(e.k(), 14);
        QCOMPARE(e.pena().tablaN, qint16(10));
        const int clics[10] = {49, 7, 33, 1, 20, 12, 45, 28, 3, 16};
        for (int n : clics)
            e.pulsa(n);
        QCOMPARE(e.numapuestas(), 1);
        const RespuestaEdicion r = e.pulsa(40);
        QCOMPARE(textos(r),
                 QStringList{u("¡¡ Sólo puedes poner 10 números en este tipo de reducida !! ")});
        QVERIFY(e.grabarActivo());
        ponNombre(e, QStringLiteral("REDUCIDA"));
        QVERIFY(e.graba(ahora(), 0).grabado);
        const Pena &p = archivo_.lee(1);
        QCOMPARE(p.tipo, qint16(14));
        QCOMPARE(p.tablaN, qint16(10));
        QCOMPARE(p.tablaG, qint16(5));
        QVERIFY(p.esReducida());
        const int elegidos[10] = {1, 3, 7, 12, 16, 20, 28, 33, 45, 49};
        for (int i = 0; i < 10; ++i)
            QCOMPARE(p.elegidos[static_cast<size_t>(i)], qint16(elegidos[i]));
        for (int b = 0; b < 14; ++b)
            for (int i = 0; i < 6; ++i)
                QCOMPARE(int(p.numero(b + 1, i + 1)),
                         elegidos[t.apuestas[static_cast<size_t>(b)][static_cast<size_t>(i)] - 1]);
        QCOMPARE(p.numero(15, 1), qint16(0));
        QCOMPARE(p.numero(1, 7), qint16(0));
    }

    void editarUnNumeroVuelveSencillaLaReducida()
    {
        const TablaReducida t = tablaDe(10, 5, 14);
        {
            Edicion primera(almacen_, nueva(edicion::kReducida, &t));
            pulsaTodos(primera, {1, 3, 7, 12, 16, 20, 28, 33, 45, 49});
            ponNombre(primera, QStringLiteral("RED"));
            QVERIFY(primera.graba(ahora(), 0).grabado);
        }
        const Pena antes = archivo_.lee(1);
        Edicion e(almacen_, edita(1));
        QCOMPARE(e.porapuesta(), 6);
        QCOMPARE(e.maximo(), 14);
        QCOMPARE(e.marcados(), 6);
        QCOMPARE(e.lineas(), QStringList{QStringLiteral(" 1- 3- 7-12-16-20")});
        QCOMPARE(e.nombreActual(), QStringLiteral("RED"));
        QVERIFY(e.pulsa(20).avisos.empty());
        QCOMPARE(archivo_.lee(1), antes); // an incomplete bet is never written
        QVERIFY(e.pulsa(22).grabado);
        const Pena despues = archivo_.lee(1);
        QCOMPARE(despues.tablaN, qint16(0));
        QCOMPARE(despues.tipo, qint16(14));
        const qint16 nueva[6] = {1, 3, 7, 12, 16, 22};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(despues.numero(1, i + 1), nueva[i]);
        for (int b = 2; b <= 14; ++b)
            QCOMPARE(despues.apuestas[static_cast<size_t>(b - 1)],
                     antes.apuestas[static_cast<size_t>(b - 1)]);
        QCOMPARE(despues.elegidos, antes.elegidos);
        QCOMPARE(despues.nombre, antes.nombre);
    }

    void navegarAnadirYEliminarEnEdicion()
    {
        Pena p;
        p.ponNombre(QStringLiteral("DOS"));
        p.ponDias(QStringLiteral("Jueves"));
        p.tipo = 2;
        for (int i = 1; i <= 6; ++i) {
            p.numero(1, i) = static_cast<qint16>(i);
            p.numero(2, i) = static_cast<qint16>(10 + i);
        }
        QCOMPARE(archivo_.escribe(1, p), Escritura::Hecha);
        Edicion e(almacen_, edita(1));
        QCOMPARE(e.opcionDias(), 1);
        QVERIFY(!e.anadirActivo());
        e.pulsa(6);
        QCOMPARE(textos(e.navega(2)),
                 QStringList{u("¡¡ Faltan números !!. Por favor, completa la apuesta.")});
        QCOMPARE(e.actual(), 1);
        QCOMPARE(e.cierre()->texto,
                 u("¡¡ 5 números !!. Por favor, rectifica la apuesta. Ha de ser de 6 números"));
        e.pulsa(6);
        QVERIFY(!e.cierre());
        QVERIFY(e.navega(2).avisos.empty());
        QCOMPARE(e.actual(), 2);
        QCOMPARE(e.numapuestas(), 1);
        QVERIFY(e.marcada(11));
        QVERIFY(e.anadirActivo());

        // A new bet stays out of the file until it is complete.
        QVERIFY(e.anade().avisos.empty());
        QCOMPARE(e.maximo(), 3);
        QCOMPARE(e.actual(), 3);
        QCOMPARE(e.marcados(), 0);
        QCOMPARE(archivo_.lee(1).tipo, qint16(2));
        QCOMPARE(textos(e.anade()),
                 QStringList{u("¡¡ 0 números !!. Por favor, completa la apuesta.")});
        pulsaTodos(e, {40, 41, 42, 43, 44, 45});
        QCOMPARE(archivo_.lee(1).tipo, qint16(3));
        QCOMPARE(archivo_.lee(1).numero(3, 6), qint16(45));

        // Deleting the middle bet moves the last one down.
        e.navega(2);
        e.borra();
        QCOMPARE(archivo_.lee(1).tipo, qint16(2));
        QCOMPARE(archivo_.lee(1).numero(2, 1), qint16(40));
        QCOMPARE(archivo_.lee(1).numero(3, 1), qint16(0));
        QCOMPARE(e.actual(), 1);
        e.borra();
        QCOMPARE(archivo_.lee(1).tipo, qint16(1));
        QCOMPARE(archivo_.lee(1).numero(1, 1), qint16(40));
        QCOMPARE(textos(e.borra()),
                 QStringList{u("¡¡ No puedes borrar todas las apuestas !!. Si quieres borrar la "
                               "Peña, hazlo desde la pestaña GESTOR DE PEÑAS.")});

        // Days and name are written at once; an emptied name box is not.
        e.dias(3);
        QCOMPARE(archivo_.lee(1).diasTexto().trimmed(), u("Jueves y Sábado"));
        QString caja;
        e.nombre(QStringLiteral("otro"), caja);
        QCOMPARE(archivo_.lee(1).nombreTexto().trimmed(), QStringLiteral("OTRO"));
        e.nombre(QString(), caja);
        QCOMPARE(archivo_.lee(1).nombreTexto().trimmed(), QStringLiteral("OTRO"));
    }

    void diasDeLosLunes()
    {
        // A new syndicate for every day of the week.
        Edicion nueva(almacen_, {});
        pulsaTodos(nueva, {1, 2, 3, 4, 5, 6});
        ponNombre(nueva, QStringLiteral("siempre"));
        nueva.dias(7);
        QVERIFY(nueva.graba(ahora(), 0).grabado);
        QCOMPARE(archivo_.lee(1).diasTexto().trimmed(), u("Todos los días"));

        // Editing shows the stored days; days edited by hand select nothing and stay as they are
        // while the bets change, until the user picks an option.
        Pena p = archivo_.lee(1);
        p.ponDias(QStringLiteral("Lunes y Sábado"));
        QCOMPARE(archivo_.escribe(1, p), Escritura::Hecha);
        QCOMPARE(Edicion(almacen_, edita(1)).opcionDias(), 6);
        p.ponDias(QStringLiteral("Martes"));
        QCOMPARE(archivo_.escribe(1, p), Escritura::Hecha);
        Edicion e(almacen_, edita(1));
        QCOMPARE(e.opcionDias(), 0);
        e.pulsa(6);
        e.pulsa(7);
        QCOMPARE(archivo_.lee(1).numero(1, 6), qint16(7));
        QCOMPARE(archivo_.lee(1).diasTexto().trimmed(), QStringLiteral("Martes"));
        e.dias(4);
        QCOMPARE(archivo_.lee(1).diasTexto().trimmed(), QStringLiteral("Lunes"));
    }

    void multipleEnEdicion()
    {
        Pena p;
        p.ponNombre(QStringLiteral("MUL"));
        p.tipo = 501;
        for (int i = 1; i <= 7; ++i)
            p.numero(1, i) = static_cast<qint16>(i * 7);
        QCOMPARE(archivo_.escribe(1, p), Escritura::Hecha);
        Edicion e(almacen_, edita(1));
        QCOMPARE(e.porapuesta(), 7);
        QCOMPARE(e.maximo(), 1);
        QVERIFY(e.anadirActivo());
        QVERIFY(!e.aleatorioActivo());
        QCOMPARE(textos(e.anade()),
                 QStringList{u("No puedes añadir más apuestas. ¡¡ Oficialmente sólo se admite una "
                               "combinación por boleto cuando juegas a múltiples !! ")});
        QCOMPARE(textos(e.borra()).size(), 1);
        e.pulsa(49);
        e.pulsa(1);
        QCOMPARE(archivo_.lee(1).numero(1, 1), qint16(1));
        QCOMPARE(archivo_.lee(1).tipo, qint16(501));
    }

    void registroEstropeadoEnEdicion()
    {
        Pena p;
        p.ponNombre(QStringLiteral("ROTA"));
        p.tipo = 999;
        const qint16 numeros[6] = {77, -3, 12, 12, 0, 49};
        for (int i = 0; i < 6; ++i)
            p.numero(1, i + 1) = numeros[i];
        QCOMPARE(archivo_.escribe(1, p), Escritura::Hecha);
        Edicion e(almacen_, edita(1));
        QCOMPARE(e.maximo(), 1);
        QCOMPARE(e.marcados(), 2); // 12 and 49; the rest cannot be shown
        QVERIFY(e.cierre());
        QCOMPARE(archivo_.lee(1), p);
        pulsaTodos(e, {1, 2, 3, 4});
        const Pena arreglada = archivo_.lee(1);
        const qint16 esperado[6] = {1, 2, 3, 4, 12, 49};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(arreglada.numero(1, i + 1), esperado[i]);
        QVERIFY(!e.cierre());

        p.tipo = 300;
        QCOMPARE(archivo_.escribe(1, p), Escritura::Hecha);
        QCOMPARE(Edicion(almacen_, edita(1)).maximo(), 205);
    }

    void unaEscrituraFallidaNoPierdeNada()
    {
        ArchivoPenas imposible(dir_.filePath(QStringLiteral("no-existe/apuestas.dat")));
        Almacen almacen(imposible);
        Edicion e(almacen, {});
        pulsaTodos(e, {1, 2, 3, 4, 5, 6});
        ponNombre(e, QStringLiteral("NADA"));
        const RespuestaEdicion r = e.graba(ahora(), 0);
        QVERIFY(!r.grabado);
        QVERIFY(r.escritura != Escritura::Hecha);
        QCOMPARE(e.numapuestas(), 1);
        QCOMPARE(e.nombreActual(), QStringLiteral("NADA"));
    }

    // A syndicate that has played for years starts on its first day; one that starts today
    // keeps the moment it was made, as before.
    void juegaDesdeUnDiaPasado()
    {
        const QDate hoy(2026, 1, 1);
        Edicion e(almacen_, {});
        QCOMPARE(e.desde(hoy), hoy);
        // Nothing before the first draw or after today can be chosen.
        e.juegaDesde(QDate(1985, 10, 16), ahora());
        QCOMPARE(e.desde(hoy), QDate(1985, 10, 17));
        e.juegaDesde(QDate(2026, 1, 2), ahora());
        QCOMPARE(e.desde(hoy), hoy);
        QCOMPARE(edicion::creacionDesde(QDate(1970, 1, 1), ahora()),
                 fechas::serial(QDate(1985, 10, 17)));
        QCOMPARE(edicion::creacionDesde(QDate(2026, 1, 2), ahora()), ahora());

        e.juegaDesde(QDate(2025, 1, 1), ahora());
        QCOMPARE(e.desde(hoy), QDate(2025, 1, 1));
        pulsaTodos(e, {1, 2, 3, 4, 5, 6});
        ponNombre(e, QStringLiteral("ANTIGUA"));
        QCOMPARE(archivo_.cuenta(), 0); // only "Grabar" writes a new syndicate
        QVERIFY(e.graba(ahora(), fechas::serial(QDate(2025, 12, 30))).grabado);
        QCOMPARE(archivo_.lee(1).creacion, fechas::serial(QDate(2025, 1, 1)));
        QVERIFY(archivo_.lee(1).juega(fechas::serial(QDate(2025, 1, 2))));
        QVERIFY(!archivo_.lee(1).juega(fechas::serial(QDate(2024, 12, 28))));

        // The next syndicate of the same sitting starts today again.
        QCOMPARE(e.desde(hoy), hoy);
        pulsaTodos(e, {7, 8, 9, 10, 11, 12});
        ponNombre(e, QStringLiteral("NUEVA"));
        QVERIFY(e.graba(ahora(), 0).grabado);
        QCOMPARE(archivo_.lee(2).creacion, ahora());
    }

    void juegaDesdeEnEdicionCambiaSoloLaCreacion()
    {
        Pena p;
        p.ponNombre(QStringLiteral("VETERANA"));
        p.ponDias(QStringLiteral("Jueves"));
        p.tipo = 1;
        for (int i = 1; i <= 6; ++i)
            p.numero(1, i) = static_cast<qint16>(i);
        p.creacion = fechas::serial(QDate(2025, 12, 1)) + 0.75;
        p.premios = {4, 1, 0, 0, 0};
        p.contado = fechas::serial(QDate(2025, 12, 27));
        QCOMPARE(archivo_.escribe(1, p), Escritura::Hecha);
        Edicion e(almacen_, edita(1));
        QCOMPARE(e.desde(QDate(2026, 1, 1)), QDate(2025, 12, 1));

        // Its own day again: the creation keeps its time of day.
        QVERIFY(!e.juegaDesde(QDate(2025, 12, 1), ahora()).grabado);
        QCOMPARE(archivo_.lee(1), p);

        QVERIFY(e.juegaDesde(QDate(2020, 2, 29), ahora()).grabado);
        Pena esperada = p;
        esperada.creacion = fechas::serial(QDate(2020, 2, 29));
        QCOMPARE(archivo_.lee(1), esperada);
        // A bet changed afterwards is written with the new day.
        e.pulsa(6);
        e.pulsa(9);
        QCOMPARE(archivo_.lee(1).creacion, esperada.creacion);
        QCOMPARE(archivo_.lee(1).premios, p.premios);

        e.juegaDesde(QDate(2026, 1, 1), ahora());
        QCOMPARE(archivo_.lee(1).creacion, ahora());
        QCOMPARE(archivo_.lee(1).contado, p.contado);
    }

    // The main window stays usable while the editor is open: a syndicate above is deleted and
    // a checking pass raises the counters. A change in the editor goes to the syndicate it
    // edits, with the counters the file holds, and never over another one.
    void elEditorSigueASuPena()
    {
        std::vector<Pena> penas;
        for (const char *n : {"UNA", "DOS", "TRES"}) {
            Pena p;
            p.ponNombre(QString::fromLatin1(n));
            p.ponDias(QStringLiteral("Jueves"));
            p.tipo = 1;
            for (int i = 1; i <= 6; ++i)
                p.numero(1, i) = static_cast<qint16>(i + penas.size());
            p.creacion = fechas::serial(QDate(2025, 12, 1));
            penas.push_back(p);
            QCOMPARE(archivo_.escribe(archivo_.proximapena(), p), Escritura::Hecha);
        }
        Edicion e(almacen_, edita(2));
        QCOMPARE(archivo_.elimina(1), Escritura::Hecha);
        Pena contada = archivo_.lee(1);
        contada.premios = {3, 1, 0, 0, 0};
        contada.contado = fechas::serial(QDate(2026, 1, 8));
        QCOMPARE(archivo_.escribe(1, contada), Escritura::Hecha);

        e.pulsa(7); // off: 2..7 → 2..6
        e.pulsa(9);
        QCOMPARE(archivo_.cuenta(), 2);
        QCOMPARE(archivo_.lee(2), penas[2]);
        const Pena escrita = archivo_.lee(1);
        QCOMPARE(escrita.nombreTexto().trimmed(), QStringLiteral("DOS"));
        QCOMPARE(escrita.numero(1, 6), qint16(9));
        QCOMPARE(escrita.premios, contada.premios);
        QCOMPARE(escrita.contado, contada.contado);

        // Deleted while it is being edited: said, and nothing written.
        QCOMPARE(archivo_.elimina(1), Escritura::Hecha);
        const QByteArray antes = archivo_.lee(1).aBytes();
        e.pulsa(9);
        const RespuestaEdicion r = e.pulsa(8);
        QCOMPARE(archivo_.cuenta(), 1);
        QCOMPARE(archivo_.lee(1).aBytes(), antes);
        QVERIFY(!r.grabado);
        QVERIFY(r.avisos.size() == 1 && r.avisos[0].texto.contains(QStringLiteral("ya no existe")));
    }

    // The refusals that catch a clock set back look at the clock, not at the day chosen.
    void unDiaPasadoNoEsquivaLasFechasQueImpidenGrabar()
    {
        Pena futura;
        futura.tipo = 1;
        futura.creacion = ahora() + 1;
        QCOMPARE(archivo_.escribe(1, futura), Escritura::Hecha);
        Edicion e(almacen_, {});
        e.juegaDesde(QDate(2025, 1, 1), ahora());
        pulsaTodos(e, {1, 2, 3, 4, 5, 6});
        ponNombre(e, QStringLiteral("X"));
        QCOMPARE(textos(e.graba(ahora(), 0)),
                 QStringList{u("¡¡¡No puede crear una peña con fecha anterior a una ya "
                               "existente!!!. Borre dicha peña antes de crear ésta.")});
        QCOMPARE(archivo_.elimina(1), Escritura::Hecha);
        const RespuestaEdicion r = e.graba(ahora(), fechas::serial(QDate(2026, 1, 3)));
        QVERIFY(textos(r).value(0).startsWith(u("Hay sorteos con fecha posterior")));
        QCOMPARE(archivo_.cuenta(), 0);
    }
};

QTEST_APPLESS_MAIN(TstEdicion)
#include "tst_edicion.moc"
