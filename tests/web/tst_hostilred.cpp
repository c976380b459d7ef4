// Hostile network answers and a failing disk during a download: endless and oversized answers,
// answers that trickle, redirects and links to another host, a maker's message built to freeze
// the rich-text engine, and new draws that the disk cannot take. Nothing may be buffered past
// its limit, nothing may hang, and the user is told what happened.
#include "apoyo/carpetaprueba.h"
#include "apoyo/escritorioprueba.h"
#include "apoyo/pestanas.h"
#include "archive/archivosorteos.h"
#include "archive/escritura.h"
#include "simulacion/sitiosimulado.h"
#include "web/descarga.h"
#include "web/direcciones.h"
#include "web/infor.h"
#include "web/servicio.h"
#include "web/textomensaje.h"
#include "web/transferencia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPdfView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString u(const char *t)
{
    return QString::fromUtf8(t);
}

// A raw HTTP server on 127.0.0.1 in a thread of its own, so that it goes on sending while the
// program's thread is busy: the only way to see what the program lets pile up.
class Servidor {
public:
    // Given the request path and the socket, answers (writes whatever it likes).
    using Respuesta = std::function<void(const std::string &camino, int socket, Servidor &)>;

    explicit Servidor(Respuesta respuesta) : respuesta_(std::move(respuesta))
    {
        escucha_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int si = 1;
        ::setsockopt(escucha_, SOL_SOCKET, SO_REUSEADDR, &si, sizeof si);
        sockaddr_in d{};
        d.sin_family = AF_INET;
        d.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(escucha_, reinterpret_cast<sockaddr *>(&d), sizeof d);
        ::listen(escucha_, 8);
        socklen_t l = sizeof d;
        ::getsockname(escucha_, reinterpret_cast<sockaddr *>(&d), &l);
        puerto_ = ntohs(d.sin_port);
        hilo_ = std::thread([this] { atiende(); });
    }
    ~Servidor()
    {
        parar = true;
        ::shutdown(escucha_, SHUT_RDWR);
        ::close(escucha_);
        hilo_.join();
    }
    quint16 puerto() const { return puerto_; }
    QString direccion(const char *camino = "/") const
    {
        return QStringLiteral("http://127.0.0.1:%1%2")
            .arg(puerto_)
            .arg(QString::fromLatin1(camino));
    }
    // Writes everything, false when the other end has gone.
    bool envia(int s, const std::string &datos)
    {
        size_t hecho = 0;
        while (hecho < datos.size()) {
            const ssize_t n = ::send(s, datos.data() + hecho, datos.size() - hecho, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            hecho += static_cast<size_t>(n);
            enviados += n;
        }
        return true;
    }

    std::atomic<qint64> enviados{0};
    std::atomic<bool> parar{false};

private:
    void atiende()
    {
        while (!parar) {
            const int s = ::accept(escucha_, nullptr, nullptr);
            if (s < 0)
                return;
            std::string peticion;
            char trozo[1024];
            while (peticion.find("\r\n\r\n") == std::string::npos) {
                const ssize_t n = ::recv(s, trozo, sizeof trozo, 0);
                if (n <= 0)
                    break;
                peticion.append(trozo, static_cast<size_t>(n));
            }
            const size_t a = peticion.find(' ');
            const size_t b = peticion.find(' ', a + 1);
            const std::string camino = a == std::string::npos || b == std::string::npos
                                           ? "/"
                                           : peticion.substr(a + 1, b - a - 1);
            respuesta_(camino, s, *this);
            ::close(s);
        }
    }

    Respuesta respuesta_;
    int escucha_ = -1;
    quint16 puerto_ = 0;
    std::thread hilo_;
};

const QDate kHoy(2026, 8, 18); // a Tuesday

// A window for a download on its own: it keeps what the user would be told.
class VentanaMuda : public Descarga::Ventana {
public:
    void temporizador(bool) override {}
    void avisa(Descarga::Aviso aviso) override { textos << Descarga::textoAviso(aviso); }
    void primeraPestana() override {}
    void analizasorteos(const QByteArray &) override {}
    QString enlacesorteo() const override { return {}; }
    bool errordatos() const override { return false; }
    void postproceso() override {}
    bool leeRespuesta(const QByteArray &) override { return true; }
    void avisaFallo(const QString &texto, const QString &) override { textos << texto; }
    void rechazada(int) override {}
    int nuevos() const override { return 0; }
    void cierraRespuestas() override {}
    QStringList textos;
};

// "Well under a second" for the message window; a sanitizer build runs several times slower,
// so it gets more room there (the normal build keeps the real bound).
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 kUnSegundo = 3000;
#else
constexpr qint64 kUnSegundo = 1000;
#endif

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

class TstHostilRed : public QObject {
    Q_OBJECT

    std::unique_ptr<CarpetaPrueba> carpeta;
    std::unique_ptr<SitioSimulado> sitio;
    EscritorioPrueba *escritorio = nullptr;
    std::unique_ptr<Principal> principal;

    void prepara(const std::vector<Sorteo> &archivo, const std::vector<Sorteo> &web,
                 const QString &fuente = QStringLiteral("pagina"))
    {
        carpeta->escribeSorteos(archivo);
        carpeta->escribePenas(
            {penaDe(QStringLiteral("Oficina"), QStringLiteral("Jueves"), QDate(2020, 1, 1))});
        for (const Sorteo &s : web)
            sitio->sorteos.push_back({s});
        QVERIFY(sitio->escucha());
        sitio->configura(carpeta->ruta(), fuente);
        escritorio->reloj = QDateTime(kHoy, QTime(12, 0));
    }
    Principal &abre()
    {
        principal = std::make_unique<Principal>(carpeta->ruta());
        control<QTimer>(*principal, "Timer1")->setInterval(24 * 3600 * 1000);
        return *principal;
    }
    PestanaUltimo &pestana() { return ultimo(*principal); }
    Descarga &descarga() { return *pestana().descarga(); }
    QLabel *etiqueta(const char *nombre) const { return control<QLabel>(*principal, nombre); }
    void pulsa() { pestana().Picture2_Click(); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            pestana().Timer1_Timer();
    }
    bool hayMensaje(const QString &titulo) const
    {
        for (const auto &m : escritorio->mensajes)
            if (m.titulo == titulo)
                return true;
        return false;
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
        archivos::fuerzaFallo(Escritura::Hecha);
        principal.reset();
        sitio.reset();
        carpeta.reset();
    }

    // A transfer stops as soon as it passes its limit.

    void unaRespuestaSinFinNoSeAcumula()
    {
        // Sends up to 200 MB as fast as it can; the program's thread is busy meanwhile.
        Servidor servidor([](const std::string &, int s, Servidor &yo) {
            if (!yo.envia(
                    s, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n"))
                return;
            const std::string bloque(64 * 1024, 'x');
            while (!yo.parar && yo.enviados < (qint64(200) << 20))
                if (!yo.envia(s, bloque))
                    return;
        });
        constexpr qint64 kLimite = 1 << 20;
        Transferencia t;
        QSignalSpy fin(&t, &Transferencia::terminada);
        t.pide(QUrl(servidor.direccion("/sinfin")), kLimite);
        // The network layer works in its own thread: a busy window must not let it pile up.
        for (int i = 0; i < 20; ++i) {
            QThread::msleep(50);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        QTRY_COMPARE_WITH_TIMEOUT(fin.size(), 1, 10000);
        QCOMPARE(fin[0][0].toBool(), false);
        QCOMPARE(t.fallo(), Transferencia::Fallo::Grande);
        QVERIFY(t.datos().isEmpty());
        QVERIFY(t.recibidos() <= kLimite + 1);
        // What the site managed to push: the limit, the layer's small buffer and the sockets'.
        QVERIFY2(servidor.enviados < kLimite + (qint64(24) << 20),
                 qPrintable(QString::number(servidor.enviados)));
    }

    void unaRespuestaQueAnunciaDemasiadoNoSeEspera()
    {
        Servidor servidor([](const std::string &, int s, Servidor &yo) {
            yo.envia(s, "HTTP/1.1 200 OK\r\nContent-Length: 999999999\r\n\r\nabc");
            for (int i = 0; i < 100 && !yo.parar; ++i) {
                QThread::msleep(50);
                if (!yo.envia(s, "x"))
                    return;
            }
        });
        Transferencia t;
        QSignalSpy fin(&t, &Transferencia::terminada);
        QElapsedTimer reloj;
        reloj.start();
        t.pide(QUrl(servidor.direccion("/grande")), 1 << 20);
        QTRY_COMPARE_WITH_TIMEOUT(fin.size(), 1, 10000);
        QCOMPARE(t.fallo(), Transferencia::Fallo::Grande);
        QVERIFY(reloj.elapsed() < 2000);
    }

    // Every fetch has an overall deadline.

    void unaRespuestaQueGoteaTieneSuPlazo()
    {
        // One byte every 50 ms: never quiet long enough for a time-out without progress.
        Servidor servidor([](const std::string &, int s, Servidor &yo) {
            yo.envia(s, "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
            for (int i = 0; i < 400 && !yo.parar; ++i) {
                QThread::msleep(50);
                if (!yo.envia(s, "x"))
                    return;
            }
        });
        Transferencia t;
        t.ponPlazo(1500);
        QSignalSpy fin(&t, &Transferencia::terminada);
        QElapsedTimer reloj;
        reloj.start();
        t.pide(QUrl(servidor.direccion("/goteo")));
        QTRY_COMPARE_WITH_TIMEOUT(fin.size(), 1, 10000);
        QCOMPARE(t.fallo(), Transferencia::Fallo::Plazo);
        QVERIFY(reloj.elapsed() >= 1400 && reloj.elapsed() < 5000);
        QVERIFY(!t.ocupada());
    }

    void unaPaginaDeSorteoQueGoteaNoDetieneLaComprobacion()
    {
        const auto web = inventados(12);
        prepara({web.begin(), web.end() - 3}, web);
        sitio->paginaSorteo = SitioSimulado::Modo::Lento;
        abre();
        pulsa();
        QTRY_COMPARE(descarga().pasodescarga, 3);
        ticks(1); // parsed: the three new draws are stored, the draw page is asked for
        QCOMPARE(principal->sesion().sorteos().cuenta(), 12);
        QTRY_VERIFY(descarga().Inet2.ocupada());
        QCOMPARE(etiqueta("Label6")->text(), u("ANALIZANDO DATOS"));
        ticks(29);
        QCOMPARE(descarga().pasodescarga, 6);
        // The draw page gets as long as the first page did; then the new draws are checked.
        ticks(1);
        QCOMPARE(etiqueta("Label6")->text(), u("TRANSFERENCIA FINALIZADA"));
        QVERIFY(!descarga().Inet2.ocupada());
        QCOMPARE(control<QScrollBar>(*principal, "HScroll1")->value(), 3);
        QVERIFY(!control<QTimer>(*principal, "Timer1")->isActive());
    }

    // The result PDF and redirects stay on their host.

    void laDireccionDelPdfNoCambiaDeHost_data()
    {
        QTest::addColumn<QString>("sitio");
        QTest::addColumn<QString>("enlace");
        QTest::addColumn<QString>("esperada");
        const QString s = QStringLiteral("http://www.loteriasyapuestas.es");
        QTest::newRow("camino") << s << u("/f/LOTERÍA/acta") << s + u("/f/LOTERÍA/acta.pdf");
        QTest::newRow("arroba") << s << u("@127.0.0.1:18602/evil") << QString();
        QTest::newRow("sin barra") << s << u("evil.example/x") << QString();
        QTest::newRow("dos barras") << s << u("//evil.example/x") << QString();
        QTest::newRow("barra y arroba")
            << s << u("/@127.0.0.1:18602/evil") << s + u("/@127.0.0.1:18602/evil.pdf");
        QTest::newRow("puerto") << s << u(":8080/x") << QString();
        QTest::newRow("contrabarra") << s << u("/\\evil.example/x") << QString();
        QTest::newRow("con puerto")
            << u("http://127.0.0.1:8080/") << u("/a/b") << u("http://127.0.0.1:8080/a/b.pdf");
        QTest::newRow("interrogacion") << s << u("/a?x=@otro") << s + u("/a%3Fx=@otro.pdf");
    }
    void laDireccionDelPdfNoCambiaDeHost()
    {
        QFETCH(QString, sitio);
        QFETCH(QString, enlace);
        QFETCH(QString, esperada);
        const QString d = direcciones::pdf(sitio, enlace);
        QCOMPARE(d, esperada);
        if (!d.isEmpty())
            QCOMPARE(QUrl(d).host(), QUrl(sitio).host());
        // The service's paths go the same way.
        if (enlace.startsWith(QLatin1Char('/')) && !enlace.startsWith(QStringLiteral("//")) &&
            !enlace.contains(QLatin1Char('?')))
            QCOMPARE(servicio::direccionPdf(enlace + u(".pdf"), sitio, sitio), esperada);
    }

    void unEnlaceAOtroHostDaElAvisoDeAtencion()
    {
        prepara(inventados(3), {});
        abre();
        QByteArray pagina = "\">Categor/";
        for (int k = 0; k < 6; ++k)
            pagina += "<td>x</td><td>1.000&euro;</td>";
        pagina += "DOCUMENTOS href=\"\"@127.0.0.1:18602/evil.pdf\"\">\"\r\n";
        carpeta->escribe(QStringLiteral("www2.txt"), pagina);
        pestana().premiosorteo(0);
        QVERIFY(pestana().textoinforme().isEmpty());
        QVERIFY(!pestana().transferenciaPdf()->ocupada());
        QVERIFY(
            control<QPlainTextEdit>(*principal, "Text1")->toPlainText().contains(u("ATENCIÓN:")));
    }

    void unaRedireccionAOtroHostSeRechaza()
    {
        Servidor destino([](const std::string &, int s, Servidor &yo) {
            yo.envia(s, "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nmalo");
        });
        const std::string otro =
            QStringLiteral("http://localhost:%1/evil.pdf").arg(destino.puerto()).toStdString();
        Servidor origen([otro](const std::string &camino, int s, Servidor &yo) {
            if (camino == "/mismo")
                yo.envia(s, "HTTP/1.1 302 Found\r\nLocation: /final\r\nContent-Length: 0\r\n\r\n");
            else if (camino == "/final")
                yo.envia(s, "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nbien");
            else
                yo.envia(s, "HTTP/1.1 302 Found\r\nLocation: " + otro +
                                "\r\nContent-Length: 0\r\n\r\n");
        });
        Transferencia t;
        QSignalSpy fin(&t, &Transferencia::terminada);
        t.pide(QUrl(origen.direccion("/otro")));
        QTRY_COMPARE_WITH_TIMEOUT(fin.size(), 1, 10000);
        QCOMPARE(t.fallo(), Transferencia::Fallo::Redireccion);
        QCOMPARE(destino.enviados.load(), qint64(0));

        // On the same host a redirect is followed.
        t.pide(QUrl(origen.direccion("/mismo")));
        QTRY_COMPARE_WITH_TIMEOUT(fin.size(), 2, 10000);
        QCOMPARE(fin[1][0].toBool(), true);
        QCOMPARE(t.datos(), QByteArray("bien"));
    }

    // Each failure of the first transfer is told by its cause, from the results pages and from
    // the service alike; only a server out of reach asks to check the connection.
    void cadaFalloDiceSuCausa_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<bool>("servicio");
        QTest::addColumn<QString>("dice");
        for (bool servicio : {false, true}) {
            const QByteArray de = servicio ? "servicio: " : "páginas: ";
            QTest::newRow(de + "bucle de redirecciones")
                << 0 << servicio << u("redirige la descarga una y otra vez");
            QTest::newRow(de + "redirección a otro sitio")
                << 1 << servicio << u("a otro sitio (localhost)");
            QTest::newRow(de + "servidor callado")
                << 2 << servicio << u("no ha respondido en 5 segundos");
            QTest::newRow(de + "tiempo agotado") << 3 << servicio << u("tiempo de espera");
            QTest::newRow(de + "nadie escucha")
                << 4 << servicio << u("Compruebe la conexión a internet");
        }
    }
    void cadaFalloDiceSuCausa()
    {
        QFETCH(int, caso);
        QFETCH(bool, servicio);
        QFETCH(QString, dice);
        quint16 puerto = 0;
        Servidor sitio([caso, &puerto](const std::string &, int s, Servidor &yo) {
            if (caso == 0)
                yo.envia(s, "HTTP/1.1 302 Found\r\nLocation: /otra-vez\r\nContent-Length: "
                            "0\r\nConnection: close\r\n\r\n");
            else if (caso == 1)
                yo.envia(s, "HTTP/1.1 302 Found\r\nLocation: http://localhost:" +
                                std::to_string(puerto) +
                                "/\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            else if (caso == 3)
                yo.envia(s, "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\nabc");
            // Silent (or stalled) until the test ends.
            while ((caso == 2 || caso == 3) && !yo.parar)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        });
        puerto = sitio.puerto();
        const QUrl direccion(caso == 4 ? u("http://127.0.0.1:1/") : sitio.direccion("/sorteos"));
        VentanaMuda ventana;
        Descarga d(carpeta->ruta(), ventana);
        d.Inet1.ponPlazo(300);
        if (servicio)
            d.empiezaRespuestas({{direccion, {}}}, 1024 * 1024, u("127.0.0.1"));
        else
            d.empieza(direccion, sitio.direccion());
        if (caso == 2) {
            QTRY_VERIFY_WITH_TIMEOUT(d.Inet1.enviada(), 10000);
            for (int i = 0; i < 5; ++i)
                d.tick();
        }
        QTRY_VERIFY_WITH_TIMEOUT(!ventana.textos.isEmpty(), 10000);
        QCOMPARE(ventana.textos.size(), 1);
        QVERIFY2(ventana.textos[0].contains(dice), qPrintable(ventana.textos[0]));
        QVERIFY2(!ventana.textos[0].contains(u("HTTP")), qPrintable(ventana.textos[0]));
        if (caso != 4)
            QVERIFY(!ventana.textos[0].contains(u("Compruebe la conexión")));
        QVERIFY(!d.activa());
    }

    // A breakdown premios.dat refuses is told once, naming the file and why, and the archive
    // takes its draws all the same.
    void importesQueNoSePuedenGuardar()
    {
        const auto web = inventados(12);
        prepara({web.begin(), web.end() - 2}, web, u("servicio"));
        abre();
        escritorio->mensajes.clear();
        QFile premios(carpeta->archivo(QStringLiteral("premios.dat")));
        QFile::remove(premios.fileName());
        // A folder where the file goes: no user, however privileged, can write over it.
        QVERIFY(QDir(carpeta->ruta()).mkdir(QStringLiteral("premios.dat")));
        pulsa();
        QTRY_VERIFY_WITH_TIMEOUT(descarga().pasodescarga >= 3, 10000);
        for (int i = 0; i < 40 && descarga().activa(); ++i) {
            ticks(1);
            QTest::qWait(20);
        }
        QVERIFY(!descarga().activa());
        QStringList avisos;
        for (const auto &m : escritorio->mensajes)
            if (m.titulo == u("Premios no guardados"))
                avisos << m.texto;
        QCOMPARE(avisos.size(), 1);
        QVERIFY2(avisos[0].contains(QDir::toNativeSeparators(premios.fileName())),
                 qPrintable(avisos[0]));
        QVERIFY2(avisos[0].contains(u("no es un archivo")), qPrintable(avisos[0]));
        QCOMPARE(principal->sesion().sorteos().cuenta(), 12);
    }

    // The result PDF over its limit is not loaded.

    void unKapPdfEnormeNoSeCarga()
    {
        prepara(inventados(3), {});
        const QString ruta = carpeta->archivo(QStringLiteral("kap.pdf"));
        {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("%PDF-1.4\n");
            QVERIFY(f.resize(PestanaUltimo::kMaximoPdf + 1));
        }
        abre();
        QElapsedTimer reloj;
        reloj.start();
        pestana().muestrapdf();
        QVERIFY(reloj.elapsed() < 2000);
        QVERIFY(control<QPdfView>(*principal, "WebBrowser1")->isHidden());
        QVERIFY2(control<QPlainTextEdit>(*principal, "Text1")
                     ->toPlainText()
                     .contains(u("ocupa más de 64 MB")),
                 qPrintable(control<QPlainTextEdit>(*principal, "Text1")->toPlainText()));

        // A FIFO in its place does not block either.
        QFile::remove(ruta);
        QCOMPARE(::mkfifo(QFile::encodeName(ruta).constData(), 0600), 0);
        reloj.restart();
        pestana().muestrapdf();
        QVERIFY(reloj.elapsed() < 2000);
        QVERIFY(control<QPdfView>(*principal, "WebBrowser1")->isHidden());
    }

    // The maker's message is shown as sanitized text.

    void unMensajeDeTablasAnidadasNoCongela_data()
    {
        QTest::addColumn<QByteArray>("mensaje");
        QByteArray veinticinco;
        for (int i = 0; i < 25; ++i)
            veinticinco += "<table><tr><td>";
        veinticinco += "Hola";
        for (int i = 0; i < 25; ++i)
            veinticinco += "</td></tr></table>";
        QTest::newRow("25 tablas") << veinticinco;
        QByteArray mega;
        while (mega.size() < (1 << 20) - 64)
            mega += "<table><tr><td><div><b><i><font>";
        QTest::newRow("1 MB de marcas") << mega.left((1 << 20) - 8) + "Hola";
        QByteArray menores(1 << 20, '<');
        QTest::newRow("1 MB de <") << menores;
        QByteArray amps(1 << 20, '&');
        QTest::newRow("1 MB de &") << amps;
    }
    void unMensajeDeTablasAnidadasNoCongela()
    {
        QFETCH(QByteArray, mensaje);
        carpeta->escribe(QStringLiteral("informe.dat"), mensaje);
        QElapsedTimer reloj;
        reloj.start();
        Infor ventana(carpeta->ruta(), u("contacto"));
        ventana.show();
        QCoreApplication::processEvents();
        const QString html = ventana.WebBrowser1->toHtml();
        qInfo("%lld ms", static_cast<long long>(reloj.elapsed()));
        QVERIFY2(reloj.elapsed() < kUnSegundo, qPrintable(QString::number(reloj.elapsed())));
        QVERIFY(!html.contains(u("<table")));
    }

    void elMensajeSoloGuardaMarcasSencillas()
    {
        const QString html = textomensaje::sanea(
            u("<html><head><title>T</title><style>p{color:red}</style></head><body>"
              "<h1>Noticias</h1><p>Hola <b>amigos</b> &amp; <i>socios</i> &aacute;&#241;"
              "<br>segunda línea<img src=\"http://otro.es/x.png\">"
              "<a href=\"http://www.bolarium.es/tienda\">la tienda</a>"
              "<script>alert(1)</script><table><tr><td>celda</td></tr></table></body>"));
        QVERIFY2(!html.contains(u("<img")) && !html.contains(u("<a ")) &&
                     !html.contains(u("<table")) && !html.contains(u("script")) &&
                     !html.contains(u("color")) && !html.contains(u("alert")),
                 qPrintable(html));
        QVERIFY2(html.contains(u("<b>amigos</b>")), qPrintable(html));
        QVERIFY2(html.contains(u("<i>socios</i>")), qPrintable(html));
        QVERIFY2(html.contains(u("&amp; ")), qPrintable(html));
        QVERIFY2(html.contains(u("áñ")), qPrintable(html));
        QVERIFY2(html.contains(u("<br>segunda línea")), qPrintable(html));
        QVERIFY2(html.contains(u("la tienda (http://www.bolarium.es/tienda)")), qPrintable(html));
        QVERIFY2(html.contains(u("celda")), qPrintable(html));
        // Text that looks like markup is shown as text.
        QCOMPARE(textomensaje::sanea(u("a &lt;table&gt; b")), u("<p>a &lt;table&gt; b</p>"));
        // A long message is cut.
        const QString largo = textomensaje::sanea(QString(200000, QLatin1Char('x')));
        QVERIFY(largo.size() < textomensaje::kMaximoTexto + 64);
        QVERIFY(largo.contains(u("…")));
    }

    // New draws that the disk cannot store.

    void sorteosNuevosQueNoSePuedenGuardar_data()
    {
        QTest::addColumn<QString>("fuente");
        QTest::newRow("pagina") << u("pagina");
        QTest::newRow("servicio") << u("servicio");
    }
    void sorteosNuevosQueNoSePuedenGuardar()
    {
        QFETCH(QString, fuente);
        const auto web = inventados(20);
        prepara({web.begin(), web.end() - 10}, web, fuente);
        abre();
        const QByteArray antes = carpeta->lee(QStringLiteral("numeros.dat"));
        archivos::fuerzaFallo(Escritura::Fallo); // a full disk from here on
        pulsa();
        QTRY_VERIFY_WITH_TIMEOUT(descarga().pasodescarga >= 3, 10000);
        for (int i = 0; i < 40 && descarga().activa(); ++i) {
            ticks(1);
            QTest::qWait(20);
        }
        archivos::fuerzaFallo(Escritura::Hecha);
        QVERIFY(!descarga().activa());

        bool dicho = false;
        for (const auto &m : escritorio->mensajes) {
            QVERIFY2(!m.texto.startsWith(u("Aun no hay datos")), qPrintable(m.texto));
            if (m.titulo == u("Sorteos no guardados")) {
                dicho = true;
                QVERIFY2(m.texto.startsWith(u("Se han encontrado 10 sorteos nuevos, pero no se "
                                              "han podido guardar")),
                         qPrintable(m.texto));
                QVERIFY(m.texto.contains(u("disco esté lleno")));
                QVERIFY(m.texto.contains(u("sigue como estaba")));
            }
        }
        QVERIFY(dicho);
        QCOMPARE(carpeta->lee(QStringLiteral("numeros.dat")), antes);
        QCOMPARE(principal->sesion().sorteos().cuenta(), 10);
        QCOMPARE(etiqueta("Label6")->text(), u("SORTEOS NO GUARDADOS"));
    }
};

QTEST_MAIN(TstHostilRed)
#include "tst_hostilred.moc"
