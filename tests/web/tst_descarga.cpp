// The download button driven against the stand-in site: draws appended, pages stored, the
// prize breakdown and the result document shown, and every way the site can fail.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "session/ajustes.h"
#include "simulacion/sitiosimulado.h"
#include "web/descarga.h"
#include "web/infor.h"
#include "web/pagina.h"
#include "web/transferencia.h"
#include "widgets/imagen.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QPdfView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

const QDate kHoy(2026, 8, 18); // a Tuesday

// Thursdays and Saturdays up to `hasta`, oldest first.
std::vector<Sorteo> inventados(int cuantos, QDate hasta = QDate(2026, 8, 15))
{
    std::vector<Sorteo> r;
    QDate d = hasta;
    int i = 0;
    while (static_cast<int>(r.size()) < cuantos) {
        if (d.dayOfWeek() == 4 || d.dayOfWeek() == 6) {
            Sorteo s = sorteoDe(d, 1 + i % 40);
            s.joker = 2000000 + i;
            r.insert(r.begin(), s);
            ++i;
        }
        d = d.addDays(-1);
    }
    return r;
}
} // namespace

class TstDescarga : public QObject {
    Q_OBJECT

    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<SitioSimulado> sitio;
    EscritorioPrueba *escritorio = nullptr;
    std::unique_ptr<Principal> principal;

    // A program directory with this archive and one syndicate, the site serving `web`.
    void prepara(const std::vector<Sorteo> &archivo, const std::vector<Sorteo> &web,
                 QDate hoy = kHoy, bool conPena = true)
    {
        carpeta->escribeSorteos(archivo);
        if (conPena)
            carpeta->escribePenas(
                {penaDe(QStringLiteral("Oficina"), QStringLiteral("Jueves"), QDate(2020, 1, 1))});
        for (const Sorteo &s : web)
            sitio->sorteos.push_back({s});
        QVERIFY(sitio->escucha());
        sitio->configura(carpeta->ruta());
        escritorio->reloj = QDateTime(hoy, QTime(12, 0));
    }
    Principal &abre()
    {
        principal = std::make_unique<Principal>(carpeta->ruta());
        // The ticks are given by the test, never by the clock.
        temporizador()->setInterval(24 * 3600 * 1000);
        return *principal;
    }
    PestanaUltimo &pestana() { return ultimo(*principal); }
    Descarga &descarga() { return *pestana().descarga(); }
    // The controls of the download bar, the tab and the results lists the download updates.
    QLabel *etiqueta(const char *nombre) const { return control<QLabel>(*principal, nombre); }
    QTimer *temporizador() const { return control<QTimer>(*principal, "Timer1"); }
    QProgressBar *barra() const { return control<QProgressBar>(*principal, "ProgressBar1"); }
    QPlainTextEdit *aviso() const { return control<QPlainTextEdit>(*principal, "Text1"); }
    QPdfView *documento() const { return control<QPdfView>(*principal, "WebBrowser1"); }
    QScrollBar *comprobados() const { return control<QScrollBar>(*principal, "HScroll1"); }
    void pulsa() { QTest::mouseClick(control<Imagen>(*principal, "Picture2"), Qt::LeftButton); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            pestana().Timer1_Timer();
    }
    // Runs the download to its end: first page, parse, second page, last step.
    void completa()
    {
        pulsa();
        QTRY_COMPARE(descarga().pasodescarga, 3);
        ticks(1);
        QTRY_VERIFY(!descarga().Inet2.ocupada());
        ticks(1);
    }
    std::vector<Sorteo> archivoActual() const
    {
        ArchivoSorteos a(carpeta->archivo(QStringLiteral("numeros.dat")));
        a.abre();
        return a.sorteos();
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        carpeta = std::make_unique<CarpetaPrueba>();
        sitio = std::make_unique<SitioSimulado>();
        sitio->tamanoBusqueda = 300 * 1024;
        escritorio = EscritorioPrueba::instala(kHoy);
    }
    void cleanup()
    {
        principal.reset();
        sitio.reset();
        carpeta.reset();
    }

    void sorteosNuevosDelHistoricoReal()
    {
        const QString real = CarpetaPrueba::historicoReal();
        if (real.isEmpty())
            QSKIP("no real draw history here");
        ArchivoSorteos historico(real);
        historico.abre();
        const auto &todos = historico.sorteos();
        prepara({todos.begin(), todos.end() - 3}, {todos.end() - 20, todos.end()});
        Principal &p = abre();
        control<QTabWidget>(p, "SSTab1")->setCurrentIndex(3);

        pulsa();
        QCOMPARE(etiqueta("Label6")->text(), u("CONECTANDO AL SERVIDOR"));
        QCOMPARE(barra()->value(), 1);
        QCOMPARE(control<QTabWidget>(p, "SSTab1")->currentIndex(), 0);
        QVERIFY(temporizador()->isActive());
        QCOMPARE(descarga().pasodescarga, 2);
        QTRY_COMPARE(descarga().pasodescarga, 3);
        QCOMPARE(sitio->peticiones.filter(u("buscador")).value(0),
                 u("/es/buscador?startDate=29/06/2026&gameId=04&type=search&endDate=18/08/2026"));
        QCOMPARE(etiqueta("Label6")->text(), u("BUSCANDO SORTEOS"));
        const qint64 primera = descarga().texto.size();
        QVERIFY(primera > 250 * 1024);
        QCOMPARE(etiqueta("Label58")->text(), QString::number(primera));

        ticks(1);
        // The three new draws are in the archive, oldest first, exactly as published.
        QCOMPARE(archivoActual(), todos);
        QCOMPARE(etiqueta("Label59")->text(), u("3 sorteos"));
        QCOMPARE(p.sesion().sorteosnuevos(), 3);
        QCOMPARE(p.sesion().sorteoActual(), todos.back());
        QCOMPARE(barra()->value(), 2);
        QCOMPARE(carpeta->lee(QStringLiteral("www.txt")).size(),
                 primera + 4 + qint64(descarga().texto.count('"')));
        QVERIFY(carpeta->lee(QStringLiteral("www.txt")).endsWith("</html>\n\"\r\n"));
        const paginas::SorteoWeb ultimo{todos.back()};
        QCOMPARE(p.sesion().enlacesorteo(), ultimo.enlace());

        QTRY_VERIFY(!descarga().Inet2.ocupada());
        const qint64 segunda = descarga().texto.size();
        QCOMPARE(etiqueta("Label58")->text(), QString::number(primera + segunda) + u(" Bytes"));
        ticks(1);
        QCOMPARE(etiqueta("Label6")->text(), u("TRANSFERENCIA FINALIZADA"));
        QCOMPARE(barra()->value(), 5);
        QVERIFY(!temporizador()->isActive());
        // Idle bars are not shown: neither the download's nor the checking's.
        QVERIFY(barra()->isHidden());
        QVERIFY(control<QProgressBar>(*principal, "ProgressBar2")->isHidden());
        QCOMPARE(comprobados()->value(), 3);
        QVERIFY(carpeta->lee(QStringLiteral("www2.txt")).contains("DOCUMENTOS DEL SORTEO"));
        QCOMPARE(etiqueta("Label8")->text(), u("-Informe del Lunes, 17 de agosto del 2026"));
        QCOMPARE(etiqueta("Label10_0")->text(), u("1.234.567,89"));
        QCOMPARE(etiqueta("Label10_5")->text(), u("1,00"));
        QCOMPARE(pestana().textoinforme(), sitio->direccion() + ultimo.rutaPdf());

        // The result document comes next and is shown in the window.
        QTRY_VERIFY(!documento()->isHidden());
        QVERIFY(aviso()->isHidden());
        QVERIFY(pestana().pdfbajado());
        QVERIFY(carpeta->lee(QStringLiteral("kap.pdf")).startsWith("%PDF"));
        QVERIFY(escritorio->mensajes.isEmpty());

        // More ticks after the end change nothing.
        ticks(3);
        QCOMPARE(archivoActual(), todos);
        QCOMPARE(etiqueta("Label6")->text(), u("TRANSFERENCIA FINALIZADA"));
    }

    void sinSorteosNuevos()
    {
        const auto sorteos = inventados(12);
        prepara(sorteos, sorteos);
        abre();
        comprobados()->setValue(5);
        completa();
        QCOMPARE(escritorio->textos(), QStringList{u("Todavía no hay sorteos nuevos.")});
        QCOMPARE(escritorio->mensajes[0].titulo, u("Pruebe más tarde"));
        QCOMPARE(escritorio->mensajes[0].icono, Escritorio::Icono::Informacion);
        QCOMPARE(archivoActual(), sorteos);
        QCOMPARE(etiqueta("Label6")->text(), u("TRANSFERENCIA FINALIZADA"));
        QCOMPARE(comprobados()->value(), 1);
        // The draw on the archived date still gave its page: the prize breakdown is there.
        QVERIFY(etiqueta("Label58")->text().endsWith(u(" Bytes")));
        QTRY_VERIFY(!documento()->isHidden());
    }

    void doceNuevosYSegundaDescarga()
    {
        const auto sorteos = inventados(20);
        prepara({sorteos.begin(), sorteos.end() - 12}, sorteos);
        Principal &p = abre();
        completa();
        QCOMPARE(archivoActual(), sorteos);
        QCOMPARE(etiqueta("Label59")->text(), u("12 sorteos"));
        QCOMPARE(p.sesion().sorteosnuevos(), 8);
        QCOMPARE(comprobados()->value(), 8);
        const QString enlace = p.sesion().enlacesorteo();
        QCOMPARE(sitio->peticiones.filter(u("/es/la-primitiva/")),
                 QStringList{u("/es/la-primitiva/sorteos/") + enlace});

        // A newer draw appears; a second download in the same run appends it but still asks
        // for the page of the first link.
        Sorteo nuevo = sorteoDe(QDate(2026, 8, 17), 30);
        nuevo.joker = 1111111;
        sitio->sorteos.push_back({nuevo});
        escritorio->reloj = QDateTime(QDate(2026, 8, 19), QTime(9, 0));
        completa();
        QCOMPARE(archivoActual().back(), nuevo);
        QCOMPARE(etiqueta("Label59")->text(), u("1 sorteo"));
        QCOMPARE(p.sesion().enlacesorteo(), enlace);
        QCOMPARE(sitio->peticiones.filter(u("/es/la-primitiva/")).size(), 2);
        QCOMPARE(sitio->peticiones.filter(u("/es/la-primitiva/")).last(),
                 u("/es/la-primitiva/sorteos/") + enlace);
        QVERIFY(escritorio->mensajes.isEmpty());
    }

    void datosCorruptos_data()
    {
        QTest::addColumn<int>("cual"); // 0 the newest draw, 1 the one before it
        QTest::newRow("el más nuevo") << 0;
        QTest::newRow("el anterior") << 1;
    }
    void datosCorruptos()
    {
        QFETCH(int, cual);
        const auto sorteos = inventados(12);
        const std::vector<Sorteo> antes(sorteos.begin(), sorteos.end() - 3);
        prepara(antes, sorteos);
        // A number no draw can have.
        sitio->sorteos[sitio->sorteos.size() - 1 - static_cast<size_t>(cual)].sorteo.numeros[4] =
            50;
        Principal &p = abre();
        completa();
        QCOMPARE(archivoActual(), antes);
        QCOMPARE(escritorio->mensajes.size(), 1);
        if (cual == 0) {
            QCOMPARE(escritorio->mensajes[0].texto,
                     u("¡¡Datos corruptos o inválidos!! Si se repite en otros momentos este mismo "
                       "error, posiblemente se ha de actualizar el programa. Pruebe más tarde."));
            QCOMPARE(escritorio->mensajes[0].titulo, u("Error crítico"));
            QCOMPARE(escritorio->mensajes[0].icono, Escritorio::Icono::Critico);
            QVERIFY(p.sesion().errordatos());
            QCOMPARE(aviso()->toPlainText(),
                     u("\nERROR DE INTERPRETACIÓN DE DATOS:\nSi más tarde se conecta y le vuelve "
                       "a suceder envie un email a: ") +
                         p.sesion().sitios().autorCorreo);
            // The checking and the refreshes are skipped: no result document is fetched.
            QVERIFY(sitio->peticiones.filter(u(".pdf")).isEmpty());
        } else {
            QCOMPARE(escritorio->mensajes[0].texto, u("Aun no hay datos de sorteos del 2026."));
            QCOMPARE(escritorio->mensajes[0].titulo, u("Pruebe mas tarde"));
            QVERIFY(!p.sesion().errordatos());
            // The newest draw was read but not written: it is not reported as new.
            QVERIFY(etiqueta("Label59")->text().isEmpty());
            QCOMPARE(p.sesion().sorteosnuevos(), 0);
        }
        // The status tells what happened: unreadable data is no finished transfer.
        QCOMPARE(etiqueta("Label6")->text(),
                 cual == 0 ? u("DATOS NO VÁLIDOS") : u("TRANSFERENCIA FINALIZADA"));
        QVERIFY(!temporizador()->isActive());
        // The next download counts its own bytes from 0 while it connects.
        QVERIFY(etiqueta("Label58")->text() != u("0 Bytes"));
        pulsa();
        QCOMPARE(etiqueta("Label6")->text(), Descarga::conectando());
        QCOMPARE(etiqueta("Label58")->text(), u("0 Bytes"));
    }

    void sinRespuestaEnCincoTicks()
    {
        prepara(inventados(12, QDate(2026, 8, 8)), inventados(12));
        sitio->busqueda = SitioSimulado::Modo::Mudo;
        abre();
        pulsa();
        QTRY_COMPARE(sitio->peticiones.filter(u("buscador")).size(), 1);
        ticks(4);
        QVERIFY(escritorio->mensajes.isEmpty());
        QCOMPARE(etiqueta("Label6")->text(), u("CONECTANDO AL SERVIDOR"));
        ticks(1);
        // The server took the request: it is slow, and the connection is not to blame.
        QCOMPARE(escritorio->textos(),
                 QStringList{Descarga::textoSinRespuesta(QStringLiteral("127.0.0.1"), 5)});
        QCOMPARE(escritorio->mensajes[0].titulo, u("Error de conexión"));
        QCOMPARE(escritorio->mensajes[0].icono, Escritorio::Icono::Exclamacion);
        QVERIFY(etiqueta("Label6")->text().isEmpty());
        QCOMPARE(barra()->value(), 0);
        QVERIFY(!temporizador()->isActive());
        QVERIFY(!descarga().Inet1.ocupada());
        QCOMPARE(archivoActual(), inventados(12, QDate(2026, 8, 8)));
    }

    void servidorLentoTreintaTicks()
    {
        prepara(inventados(12, QDate(2026, 8, 8)), inventados(12));
        sitio->busqueda = SitioSimulado::Modo::Lento;
        abre();
        pulsa();
        // Part of the page arrived: the server answers, so the fifth tick is not alarmed.
        QTRY_COMPARE(etiqueta("Label6")->text(), u("BUSCANDO SORTEOS"));
        QVERIFY(etiqueta("Label58")->text().toInt() > 100);
        ticks(29);
        QVERIFY(escritorio->mensajes.isEmpty());
        ticks(1);
        QCOMPARE(escritorio->textos(), QStringList{Descarga::textoAviso(Descarga::Aviso::Tarda)});
        QCOMPARE(escritorio->mensajes[0].titulo, u("Error de conexión"));
        QVERIFY(!temporizador()->isActive());
        QCOMPARE(barra()->value(), 0);
        QVERIFY(etiqueta("Label6")->text().isEmpty());
    }

    void errorDelServidor_data()
    {
        QTest::addColumn<bool>("servidor");
        QTest::newRow("HTTP 500") << true;
        QTest::newRow("sin servidor") << false;
    }
    void errorDelServidor()
    {
        QFETCH(bool, servidor);
        prepara(inventados(12, QDate(2026, 8, 8)), inventados(12));
        sitio->busqueda = SitioSimulado::Modo::Error;
        if (!servidor) {
            QSettings ini(carpeta->archivo(QStringLiteral("ajustes.ini")), QSettings::IniFormat);
            ini.setValue(QStringLiteral("operador/sitio"), QStringLiteral("http://127.0.0.1:1"));
        }
        abre();
        const QByteArray wwwAntes = carpeta->lee(QStringLiteral("www.txt"));
        pulsa();
        // An error page is never taken for the results page.
        QTRY_COMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(escritorio->mensajes[0].texto, Descarga::textoAviso(Descarga::Aviso::NoConectado));
        QVERIFY(etiqueta("Label6")->text().isEmpty());
        QCOMPARE(barra()->value(), 0);
        QVERIFY(!temporizador()->isActive());
        ticks(6);
        QCOMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(archivoActual(), inventados(12, QDate(2026, 8, 8)));
        QCOMPARE(carpeta->lee(QStringLiteral("www.txt")), wwwAntes);
        QVERIFY(etiqueta("Label6")->text().isEmpty());
    }

    void respuestaCortaSeAnalizaIgual()
    {
        prepara(inventados(12, QDate(2026, 8, 8)), inventados(12));
        sitio->busqueda = SitioSimulado::Modo::Corto;
        abre();
        pulsa();
        QTRY_COMPARE(descarga().pasodescarga, 3);
        QCOMPARE(etiqueta("Label6")->text(), u("CONECTANDO AL SERVIDOR"));
        QCOMPARE(etiqueta("Label58")->text(), u("26"));
        ticks(1);
        // No link to follow: the second page is the same text, and no " Bytes" is added.
        QCOMPARE(escritorio->textos(), QStringList{u("Todavía no hay sorteos nuevos.")});
        QCOMPARE(etiqueta("Label6")->text(), u("TRANSFERENCIA FINALIZADA"));
        QCOMPARE(etiqueta("Label58")->text(), u("26"));
        QCOMPARE(carpeta->lee(QStringLiteral("www2.txt")),
                 QByteArray("\"<html>Mantenimiento</html>\"\r\n"));
        QCOMPARE(aviso()->toPlainText(), u("\nATENCIÓN:\nLos datos del sorteo aún no están "
                                           "disponibles. Intente más tarde."));
        QVERIFY(sitio->peticiones.filter(u("/es/la-primitiva/")).isEmpty());
    }

    void relojAnteriorAlUltimoSorteo()
    {
        prepara(inventados(10), inventados(12), QDate(2026, 8, 10));
        abre();
        // The start said it once already; the download says it again and asks nothing.
        QCOMPARE(escritorio->mensajes.size(), 1);
        QCOMPARE(escritorio->mensajes[0].titulo, u("Fecha del ordenador"));
        pulsa();
        QCOMPARE(escritorio->textos().mid(1),
                 QStringList{u("La fecha de tu ordenador parece incorrecta. Existen sorteos en la "
                               "base de datos con fechas porsteriores a la actual. Comprueba la "
                               "fecha de tu ordenador.")});
        QCOMPARE(escritorio->mensajes[1].titulo, u("Error de fechas"));
        QVERIFY(!temporizador()->isActive());
        QCoreApplication::processEvents();
        QVERIFY(sitio->peticiones.isEmpty());
    }

    void fallosDeLaSegundaPaginaYDelDocumento_data()
    {
        QTest::addColumn<int>("fallo");
        QTest::newRow("página del sorteo con error") << 0;
        QTest::newRow("sorteo sin documento aún") << 1;
        QTest::newRow("documento que no es PDF") << 2;
        QTest::newRow("documento con error") << 3;
    }
    void fallosDeLaSegundaPaginaYDelDocumento()
    {
        QFETCH(int, fallo);
        const auto sorteos = inventados(12);
        prepara({sorteos.begin(), sorteos.end() - 2}, sorteos);
        if (fallo == 0)
            sitio->paginaSorteo = SitioSimulado::Modo::Error;
        else if (fallo == 1)
            sitio->sorteos.back().conPdf = false;
        else
            sitio->documento = fallo == 2 ? SitioSimulado::Modo::Corto : SitioSimulado::Modo::Error;
        abre();
        completa();
        QCOMPARE(archivoActual(), inventados(12));
        QCOMPARE(etiqueta("Label6")->text(), u("TRANSFERENCIA FINALIZADA"));
        const QString atencion = u("\nATENCIÓN:\nLos datos del sorteo aún no están disponibles. "
                                   "Intente más tarde.");
        if (fallo == 0) {
            QVERIFY(!etiqueta("Label58")->text().endsWith(u(" Bytes")));
            QCOMPARE(aviso()->toPlainText(), atencion);
        } else if (fallo == 1) {
            QCOMPARE(aviso()->toPlainText(), atencion);
        } else {
            QTRY_VERIFY(!pestana().transferenciaPdf()->ocupada());
            QCOMPARE(aviso()->toPlainText(),
                     fallo == 2 ? atencion : u("No se encuentra conexión a internet.... :("));
        }
        QVERIFY(!aviso()->isHidden());
        QVERIFY(documento()->isHidden());
        QVERIFY(escritorio->mensajes.isEmpty());
    }

    void menuBajaYMensajeAbierto()
    {
        prepara(inventados(12, QDate(2026, 8, 8)), inventados(12));
        Principal &p = abre();
        // While the maker's message is on screen the download does not start.
        pestana().Command6_Click();
        QVERIFY(pestana().ventanaInfor() && pestana().ventanaInfor()->isVisible());
        pulsa();
        QVERIFY(!temporizador()->isActive());
        pestana().ventanaInfor()->close();
        p.findChild<QAction *>(QStringLiteral("Baja"))->trigger();
        QVERIFY(temporizador()->isActive());
        // "Ver mensaje" does nothing while a download runs.
        pestana().Command6_Click();
        QTRY_VERIFY(!pestana().ventanaInfor());
        QTRY_COMPARE(descarga().pasodescarga, 3);
    }

    void mensajeDelAutor_data()
    {
        QTest::addColumn<int>("longitud");
        QTest::addColumn<int>("diasDesdeUltimo");
        QTest::addColumn<bool>("conPena");
        QTest::addColumn<bool>("pide");
        QTest::addColumn<bool>("muestra");
        QTest::newRow("301 caracteres") << 301 << 4 << true << true << true;
        QTest::newRow("300 caracteres") << 300 << 4 << true << true << false;
        QTest::newRow("archivo al día") << 400 << 3 << true << false << false;
        QTest::newRow("sin peñas") << 400 << 10 << false << false << false;
    }
    void mensajeDelAutor()
    {
        QFETCH(int, longitud);
        QFETCH(int, diasDesdeUltimo);
        QFETCH(bool, conPena);
        QFETCH(bool, pide);
        QFETCH(bool, muestra);
        const auto sorteos = inventados(10);
        prepara(sorteos, {}, fechas::dia(sorteos.back().fecha).addDays(diasDesdeUltimo), conPena);
        QByteArray mensaje = "<html><body><p>Nueva version. web:www.bolarium-nuevo.es> ";
        mensaje += QByteArray(longitud - mensaje.size() - 18, 'x') + "</p></body></html>";
        QCOMPARE(mensaje.size(), longitud);
        sitio->informe = mensaje;
        abre();
        if (pide) {
            QTRY_COMPARE(sitio->peticiones, QStringList{u("/informe.dat")});
            QTRY_VERIFY(!pestana().transferenciaMensaje()->ocupada());
            QCOMPARE(carpeta->lee(QStringLiteral("informe.dat")), mensaje);
        } else {
            QCoreApplication::processEvents();
            QVERIFY(!pestana().transferenciaMensaje()->ocupada());
            QVERIFY(sitio->peticiones.isEmpty());
        }
        QCOMPARE(pestana().ventanaInfor() != nullptr && pestana().ventanaInfor()->isVisible(),
                 muestra);
        const QString web = Ajustes::lee(carpeta->archivo(QStringLiteral("nums.ini"))).webTexto();
        QCOMPARE(web, muestra ? u("www.bolarium-nuevo.es") : sitio->host());
        if (muestra) {
            QCOMPARE(pestana().ventanaInfor()->windowTitle(), u("Noticias del jefe..."));
            QVERIFY(pestana().ventanaInfor()->WebBrowser1->toPlainText().startsWith(
                u("Nueva version.")));
            // The same message again is not news.
            pestana().ventanaInfor()->close();
            pestana().bajamensaje();
            QTRY_VERIFY(!pestana().transferenciaMensaje()->ocupada());
            QVERIFY(!pestana().ventanaInfor());
        }
    }

    void ventanaDelMensaje()
    {
        prepara(inventados(3), {});
        Principal &p = abre();
        carpeta->escribe(QStringLiteral("informe.dat"), "0123456789");
        Infor diez(carpeta->ruta(), QStringLiteral("contacto@bolarium.es"));
        QVERIFY(diez.WebBrowser1->isHidden());
        QVERIFY(!diez.sinNoticias->isHidden()); // not an empty window
        QCOMPARE(diez.objectName(), QStringLiteral("Infor"));
        QCOMPARE(diez.pos(), QPoint(0, 0));

        // An HTML message with a remote picture and a script: neither is fetched nor run.
        carpeta->escribe(QStringLiteral("informe.dat"),
                         "<html><body><p>Hola</p><img src=\"" + sitio->direccion().toLatin1() +
                             "/espia.png\"><script>alert(1)</script></body></html>");
        Infor once(carpeta->ruta(), QStringLiteral("contacto@bolarium.es"));
        once.show();
        QVERIFY(!once.WebBrowser1->isHidden());
        QVERIFY(once.sinNoticias->isHidden());
        QVERIFY(once.WebBrowser1->toPlainText().contains(u("Hola")));
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        QVERIFY(!sitio->peticiones.contains(u("/espia.png")));

        // The contact label creeps right one step a tick, then bounces between 16 and 254.
        const int x0 = once.Label1->x();
        once.Timer1_Timer();
        QCOMPARE(once.Label1->x(), x0 + 1);
        for (int i = 0; i < 400; ++i) {
            once.Timer1_Timer();
            QVERIFY(once.Label1->x() <= 264 && once.Label1->x() >= 6);
        }
        QCOMPARE(std::abs(once.paso), 10);
        QTest::mouseClick(once.Label3, Qt::LeftButton);
        QVERIFY(!once.isVisible());
        Q_UNUSED(p);
    }

    void documentoDelSorteoAlArrancar()
    {
        // The PDF fetched by an earlier download is shown again at start-up (no fetch).
        const auto sorteos = inventados(10);
        prepara(sorteos, sorteos);
        paginas::SorteoWeb ultimo{sorteos.back()};
        carpeta->escribe(QStringLiteral("www2.txt"), Pagina::enmarca(paginas::sorteo(ultimo)));
        carpeta->escribe(QStringLiteral("kap.pdf"), paginas::pdf(QStringLiteral("Acta")));
        Principal &p = abre();
        QVERIFY(!documento()->isHidden());
        QCOMPARE(pestana().textoinforme(), sitio->direccion() + ultimo.rutaPdf());
        QVERIFY(!pestana().pdfbajado());
        // A file that says it is a PDF but is not one: the reader notice, and a click on it
        // opens the reader's download page.
        carpeta->escribe(QStringLiteral("kap.pdf"), "%PDF-1.4 roto");
        pestana().premiosorteo(1);
        QVERIFY(aviso()->toPlainText().contains(u("OPCIÓN NO DISPONIBLE")));
        QCOMPARE(pestana().lectorpdf(), 1);
        QTest::mouseClick(aviso()->viewport(), Qt::LeftButton);
        QCOMPARE(escritorio->direcciones.size(), 1);
        QCOMPARE(escritorio->direcciones[0].toString(), p.sesion().sitios().lectorPdfDescarga);
    }

    void ratonSobreElBoton()
    {
        prepara(inventados(3), {});
        Principal &p = abre();
        pestana().Picture2_MouseMove(50, 40);
        QCOMPARE(control<Imagen>(p, "Picture2")->property("imagen").toInt(), 1);
        pestana().Picture2_MouseMove(120, 40);
        QCOMPARE(control<Imagen>(p, "Picture2")->property("imagen").toInt(), 2);
        pestana().Picture2_MouseMove(50, 12);
        QCOMPARE(control<Imagen>(p, "Picture2")->property("imagen").toInt(), 2);
    }
};

QTEST_MAIN(TstDescarga)
#include "tst_descarga.moc"
