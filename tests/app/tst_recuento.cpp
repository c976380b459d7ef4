#include "apoyo/carpetaprueba.h"
#include "apoyo/discolleno.h"
#include "archive/fechas.h"
#include "session/ajustes.h"
#include "session/recuento.h"

#include <QFile>
#include <QSettings>
#include <QTest>

class TstRecuento : public QObject {
    Q_OBJECT
private slots:
    void textosDeFechas_data()
    {
        QTest::addColumn<QDate>("hoy");
        QTest::addColumn<QDate>("ultimo"); // invalid = empty archive
        QTest::addColumn<QString>("proximo");
        QTest::addColumn<QString>("cuenta");
        QTest::addColumn<QString>("aviso"); // empty = no warning
        const QDate jueves(2026, 1, 8);
        QTest::newRow("jueves sin su sorteo")
            << jueves << QDate(2026, 1, 3) << QStringLiteral("Jueves, 8 de enero del 2026")
            << QString::fromUtf8("¡Hoy sorteo!") << QString();
        QTest::newRow("jueves con su sorteo")
            << jueves << jueves << QString::fromUtf8("Sábado, 10 de enero del 2026")
            << QString::fromUtf8("Faltan 2 días") << QString();
        QTest::newRow("viernes") << QDate(2026, 1, 9) << jueves
                                 << QString::fromUtf8("Sábado, 10 de enero del 2026")
                                 << QString::fromUtf8("Falta 1 día") << QString();
        QTest::newRow("archivo vacio")
            << QDate(2026, 1, 9) << QDate() << QString::fromUtf8("Sábado, 10 de enero del 2026")
            << QString::fromUtf8("Falta 1 día") << QStringLiteral("No se ha actualizado nunca");
        // Mondays have a draw from 11/07/2022 on.
        const QDate sabado(2026, 8, 15);
        QTest::newRow("sábado con su sorteo")
            << sabado << sabado << QStringLiteral("Lunes, 17 de agosto del 2026")
            << QString::fromUtf8("Faltan 2 días") << QString();
        QTest::newRow("lunes sin su sorteo")
            << QDate(2026, 8, 17) << sabado << QStringLiteral("Lunes, 17 de agosto del 2026")
            << QString::fromUtf8("¡Hoy sorteo!") << QString();
        QTest::newRow("sábado antes de los lunes")
            << QDate(2022, 7, 2) << QDate(2022, 7, 2)
            << QStringLiteral("Jueves, 7 de julio del 2022") << QString::fromUtf8("Faltan 5 días")
            << QString();
        QTest::newRow("el primer lunes") << QDate(2022, 7, 9) << QDate(2022, 7, 9)
                                         << QStringLiteral("Lunes, 11 de julio del 2022")
                                         << QString::fromUtf8("Faltan 2 días") << QString();
        const QDate domingo(2026, 2, 1);
        QTest::newRow("7 dias") << domingo << domingo.addDays(-7) << QString() << QString()
                                << QString();
        QTest::newRow("8 dias") << domingo << domingo.addDays(-8) << QString() << QString()
                                << QStringLiteral("Falta 1 semana por actualizar");
        QTest::newRow("15 dias") << domingo << domingo.addDays(-15) << QString() << QString()
                                 << QStringLiteral("Falta 1 semana por actualizar");
        QTest::newRow("16 dias") << domingo << domingo.addDays(-16) << QString() << QString()
                                 << QStringLiteral("Faltan 2 semanas por actualizar");
        QTest::newRow("30 dias") << domingo << domingo.addDays(-30) << QString() << QString()
                                 << QStringLiteral("Faltan 4 semanas por actualizar");
    }
    void textosDeFechas()
    {
        QFETCH(QDate, hoy);
        QFETCH(QDate, ultimo);
        QFETCH(QString, proximo);
        QFETCH(QString, cuenta);
        QFETCH(QString, aviso);
        std::vector<Sorteo> sorteos;
        if (ultimo.isValid())
            sorteos = {sorteoDe(ultimo.addDays(-3)), sorteoDe(ultimo)};
        const Recuento r = recuenta(sorteos, {}, hoy);
        QCOMPARE(r.proximosorteo, int(sorteos.size()) + 1);
        QCOMPARE(r.hayDatos, ultimo.isValid());
        QCOMPARE(r.ultimoTexto, ultimo.isValid() ? fechas::textoLargo(fechas::serial(ultimo))
                                                 : QString::fromUtf8("Fichero de datos vacío."));
        if (!proximo.isEmpty()) {
            QCOMPARE(r.proximoTexto, proximo);
            QCOMPARE(r.cuentaAtras, cuenta);
        }
        QCOMPARE(r.avisoActualizar, !aviso.isEmpty());
        QCOMPARE(r.avisoTexto, aviso);
    }

    void sorteosJugados()
    {
        const QDate jueves(2026, 1, 8);
        const std::vector<Sorteo> sorteos = {
            sorteoDe(jueves.addDays(-7)), // before every creation date
            sorteoDe(jueves),             // played by both: counts once
            sorteoDe(jueves.addDays(2)),  // Saturday: only the second plays
            sorteoDe(jueves.addDays(7))};
        const std::vector<Pena> penas = {
            penaDe(QStringLiteral("A"), QStringLiteral("Jueves"), jueves),
            penaDe(QStringLiteral("B"), QString::fromUtf8("Jueves y Sábado"), jueves)};
        QCOMPARE(sorteosjugados(sorteos, penas), 3);
        QCOMPARE(sorteosjugados(sorteos, {penas[0]}), 2);
        QCOMPARE(sorteosjugados(sorteos, {}), 0);
        const std::vector<Pena> sabado = {
            penaDe(QStringLiteral("C"), QString::fromUtf8("Sábado"), jueves)};
        QCOMPARE(sorteosjugados(sorteos, sabado), 1);
    }

    void numsIni()
    {
        CarpetaPrueba c;
        const Sitios sitios = Sitios::lee(c.ruta());
        QVERIFY(QFile::exists(c.archivo(QStringLiteral("ajustes.ini"))));
        bool escrito = false;
        Ajustes a = leeajustes(c.ruta(), sitios, &escrito);
        QVERIFY(escrito);
        QCOMPARE(c.lee(QStringLiteral("nums.ini")).size(), 78);
        QCOMPARE(a.webTexto(), sitios.autorWeb);

        // A field of zero bytes holds no address: the default goes in and is written back.
        c.escribe(QStringLiteral("nums.ini"), QByteArray(78, '\0'));
        a = leeajustes(c.ruta(), sitios, &escrito);
        QVERIFY(escrito);
        QCOMPARE(Ajustes::lee(c.archivo(QStringLiteral("nums.ini"))).webTexto(), sitios.autorWeb);

        // The maker's former pages give way to the current host; other fields are kept.
        Ajustes viejo;
        viejo.ponWeb(sitios.autorWebAntigua);
        viejo.precio = 1.5f;
        viejo.profundidad = 12;
        viejo.reservado1 = 7;
        viejo.escribe(c.archivo(QStringLiteral("nums.ini")));
        a = leeajustes(c.ruta(), sitios, &escrito);
        QVERIFY(escrito);
        QCOMPARE(a.webTexto(), sitios.autorWeb);
        QCOMPARE(a.precio, 1.5f);
        QCOMPARE(a.profundidad, qint16(12));
        QCOMPARE(a.reservado1, qint16(7));

        // A user's own host stays and nothing is written.
        Ajustes propio = a;
        propio.ponWeb(QStringLiteral("mi.servidor.es"));
        propio.escribe(c.archivo(QStringLiteral("nums.ini")));
        a = leeajustes(c.ruta(), sitios, &escrito);
        QVERIFY(!escrito);
        QCOMPARE(a.webTexto(), QStringLiteral("mi.servidor.es"));
    }

    // Missing keys of ajustes.ini get their defaults in the file; whatever else it holds (a
    // site of the user's, comments, sections of other tools) stays as it was.
    void ajustesIniConservaLoQueHay()
    {
        CarpetaPrueba c;
        const QByteArray propio = "; puesto a mano\n[operador]\nsitio=http://127.0.0.1:8080\n\n"
                                  "[otra]\nclave=valor con espacios\n[autor]\nweb=mi.servidor.es";
        c.escribe(QStringLiteral("ajustes.ini"), propio);
        Escritura e = Escritura::Fallo;
        const Sitios s = Sitios::lee(c.ruta(), &e);
        QCOMPARE(e, Escritura::Hecha);
        QCOMPARE(s.operadorSitio, QStringLiteral("http://127.0.0.1:8080"));
        QCOMPARE(s.autorWeb, QStringLiteral("mi.servidor.es"));
        QCOMPARE(s.autorCorreo, QStringLiteral("soporte@bolarium.es"));

        const QByteArray escrito = c.lee(QStringLiteral("ajustes.ini"));
        qsizetype desde = 0;
        for (const QByteArray &linea : propio.split('\n')) {
            desde = escrito.indexOf(linea, desde);
            QVERIFY2(desde >= 0, linea.constData());
        }
        const QSettings ini(c.archivo(QStringLiteral("ajustes.ini")), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("otra/clave")).toString(),
                 QStringLiteral("valor con espacios"));
        QCOMPARE(ini.value(QStringLiteral("operador/sitiopdf")).toString(),
                 QStringLiteral("http://www.loteriasyapuestas.es"));
        QCOMPARE(ini.value(QStringLiteral("autor/webantigua")).toString(),
                 QStringLiteral("perso.wanadoo.es/bolarium"));
        QCOMPARE(ini.value(QStringLiteral("lectorpdf/descarga")).toString(),
                 QStringLiteral("https://get.adobe.com/es/reader/"));
        QCOMPARE(ini.value(QStringLiteral("boletos/marcalunes")).toDouble(), 50.0);
        QCOMPARE(ini.childGroups().size(), 5); // no section twice

        // Nothing missing any more: the file is not touched again.
        QVERIFY(Sitios::lee(c.ruta(), &e).autorWeb == QStringLiteral("mi.servidor.es"));
        QCOMPARE(c.lee(QStringLiteral("ajustes.ini")), escrito);

        // A file that was never there is made whole.
        QFile::remove(c.archivo(QStringLiteral("ajustes.ini")));
        Sitios::lee(c.ruta(), &e);
        QCOMPARE(e, Escritura::Hecha);
        const QSettings nuevo(c.archivo(QStringLiteral("ajustes.ini")), QSettings::IniFormat);
        QCOMPARE(nuevo.allKeys().size(), 9);
        QCOMPARE(nuevo.childGroups().size(), 4);
        // The results service by default, asked as a browser asks; the agent's ";" survive.
        const Sitios fresco = Sitios::lee(c.ruta());
        QCOMPARE(fresco.fuente, Sitios::Fuente::Servicio);
        QCOMPARE(nuevo.value(QStringLiteral("operador/fuente")).toString(),
                 QStringLiteral("servicio"));
        QVERIFY(fresco.operadorAgente.startsWith(QStringLiteral("Mozilla/5.0 (X11; Linux")));
        QCOMPARE(nuevo.value(QStringLiteral("operador/agente")).toString(), fresco.operadorAgente);
    }

    void fuenteDeLosSorteos_data()
    {
        QTest::addColumn<QByteArray>("linea");
        QTest::addColumn<bool>("pagina");
        QTest::newRow("pagina") << QByteArray("fuente=pagina") << true;
        QTest::newRow("con acento y mayúsculas") << QByteArray("fuente=P\xc3\xa1gina ") << true;
        QTest::newRow("servicio") << QByteArray("fuente=servicio") << false;
        QTest::newRow("mal escrita") << QByteArray("fuente=paginas") << false;
    }
    void fuenteDeLosSorteos()
    {
        QFETCH(QByteArray, linea);
        QFETCH(bool, pagina);
        CarpetaPrueba c;
        c.escribe(QStringLiteral("ajustes.ini"),
                  "[operador]\n" + linea + "\nagente=Navegador/1.0 (uno, dos)\n");
        const Sitios s = Sitios::lee(c.ruta());
        QCOMPARE(s.fuente, pagina ? Sitios::Fuente::Pagina : Sitios::Fuente::Servicio);
        // A value QSettings splits at its commas is still one agent.
        QCOMPARE(s.operadorAgente, QStringLiteral("Navegador/1.0 (uno, dos)"));
    }

    // On a full disk the settings files keep what they had, and the defaults serve this run.
    void ajustesEnDiscoLleno()
    {
        DiscoLleno disco;
        CarpetaPrueba c(disco.ruta());
        const QByteArray ini = "[autor]\nweb=mi.servidor.es\n";
        c.escribe(QStringLiteral("ajustes.ini"), ini);
        disco.llena();
        Escritura e = Escritura::Hecha;
        const Sitios s = Sitios::lee(c.ruta(), &e);
        bool reescrito = true;
        const Ajustes a = leeajustes(c.ruta(), s, &reescrito);
        disco.libera();
        QCOMPARE(e, Escritura::Fallo);
        QCOMPARE(s.autorWeb, QStringLiteral("mi.servidor.es"));
        QCOMPARE(s.operadorSitio, QStringLiteral("https://www.loteriasyapuestas.es"));
        QCOMPARE(c.lee(QStringLiteral("ajustes.ini")), ini);
        QVERIFY(!reescrito);
        QCOMPARE(a.webTexto(), QStringLiteral("mi.servidor.es"));
        QVERIFY(!QFile::exists(c.archivo(QStringLiteral("nums.ini"))));
    }

    // A first start prices a bet at 1 € and looks 2 months back. A record that says a bet is
    // free (as earlier versions created it), or gives no usable price, costs 1 € too, and a
    // depth under 2 months is 2; the file is not written for that.
    void numsIniSinPrecioNiProfundidad()
    {
        CarpetaPrueba c;
        const Sitios sitios = Sitios::lee(c.ruta());
        bool escrito = false;
        Ajustes a = leeajustes(c.ruta(), sitios, &escrito);
        QVERIFY(escrito);
        QCOMPARE(a.precio, 1.0f);
        QCOMPARE(a.profundidad, qint16(2));
        const Ajustes nuevo = Ajustes::desdeBytes(c.lee(QStringLiteral("nums.ini")).constData());
        QCOMPARE(nuevo.precio, 1.0f);
        QCOMPARE(nuevo.profundidad, qint16(2));

        for (const float precio : {0.0f, -2.5f, float(qQNaN()), 5e6f}) {
            Ajustes viejo;
            viejo.ponWeb(QStringLiteral("mi.servidor.es"));
            viejo.precio = precio;
            viejo.profundidad = 0;
            viejo.desplazaX = 3;
            const QByteArray bytes = viejo.aBytes();
            c.escribe(QStringLiteral("nums.ini"), bytes);
            a = leeajustes(c.ruta(), sitios, &escrito);
            QVERIFY(!escrito);
            QCOMPARE(a.precio, 1.0f);
            QCOMPARE(a.profundidad, qint16(2));
            QCOMPARE(a.desplazaX, 3.0f);
            QCOMPARE(c.lee(QStringLiteral("nums.ini")), bytes);
        }

        // A price of the user's own stays, cents and all, and so does a longer depth.
        Ajustes propio;
        propio.precio = 0.5f;
        propio.profundidad = 24;
        c.escribe(QStringLiteral("nums.ini"), propio.aBytes());
        a = leeajustes(c.ruta(), sitios);
        QCOMPARE(a.precio, 0.5f);
        QCOMPARE(a.profundidad, qint16(24));
    }
};

QTEST_APPLESS_MAIN(TstRecuento)
#include "tst_recuento.moc"
