// Takes a picture of every tab and window of the program, the way a new user would see them, so
// that a change to a window can be looked at before it ships (and the manual has its pictures).
//
//   capturas <output folder> [width height [scale]] [draw archive]
//
// Run offscreen, the program sees one screen of that size (1280×720 by default) at that scale
// (1 by default; 1.5 makes a 1920×1080 screen 1280×720 for the windows) and sizes its windows
// to it as on a real desktop.
//
// The program runs on a folder of its own with the data of the build, three syndicates of every
// kind and the given draw archive (the shipped history by default). Nothing reaches the network:
// the settings point the downloads at a closed local port, and no dialog is ever shown (the
// desktop seam answers every question with "No").
#include "app/principal.h"
#include "archive/fechas.h"
#include "session/ajustes.h"
#include "session/sesion.h"
#include "syndicates/archivopenas.h"
#include "syndicates/crea.h"
#include "syndicates/creamenu.h"
#include "syndicates/cuentas.h"
#include "syndicates/pestanacrear.h"
#include "syndicates/pestanagestor.h"
#include "syndicates/socios.h"
#include "widgets/escritorio.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <vector>

namespace {

struct Mudo : Escritorio {
    QDateTime ahora() const override { return QDateTime(QDate(2026, 12, 9), QTime(18, 0)); }
    bool pregunta(const QString &, const QString &, Icono) override { return false; }
    void aviso(const QString &texto, const QString &, Icono) override
    {
        std::fprintf(stderr, "aviso: %s\n", qPrintable(texto));
    }
    QString eligeArchivo(const QString &, const QString &, const QString &) override { return {}; }
    bool eligeImpresora(QPrinter &) override { return false; }
    QString eligeDestino(const QString &, const QString &, const QString &) override { return {}; }
    void abreDireccion(const QUrl &) override {}
};

bool copia(const QString &de, const QString &a)
{
    QFile::remove(a);
    return QFile::copy(de, a);
}

// The program's data as the build leaves it, the draws and settings that keep it offline.
bool preparaCarpeta(const QString &carpeta, const QString &historia)
{
    const QDir datos(QStringLiteral(BOLARIUM_DATOS));
    for (const char *nombre :
         {"tablas.bin", "Bolarium.net", "Bolarium1.net", "Bolarium.sql", "numeros-inicial.dat"})
        if (!copia(datos.filePath(QString::fromLatin1(nombre)),
                   QDir(carpeta).filePath(QString::fromLatin1(nombre))))
            return false;
    if (!copia(historia.isEmpty() ? datos.filePath(QStringLiteral("numeros-inicial.dat"))
                                  : historia,
               QDir(carpeta).filePath(QStringLiteral("numeros.dat"))))
        return false;
    QFile ajustes(QDir(carpeta).filePath(QStringLiteral("ajustes.ini")));
    if (!ajustes.open(QIODevice::WriteOnly))
        return false;
    Ajustes precio; // one euro a bet, a year of statistics
    precio.precio = 1;
    precio.profundidad = 12;
    if (precio.escribe(QDir(carpeta).filePath(QStringLiteral("nums.ini"))) != Escritura::Hecha)
        return false;
    // The pictures show the windows at rest, not a download the program started by itself
    // against a site that is not there.
    ajustes.write("[operador]\nsitio=http://127.0.0.1:9\nsitiopdf=http://127.0.0.1:9\n"
                  "[autor]\nweb=127.0.0.1:9\n[programa]\nbajaralabrir=0\n");
    return true;
}

// A simple syndicate of many bets, a multiple and a reduced one, on different days.
void escribePenas(const QString &carpeta)
{
    ArchivoPenas archivo(QDir(carpeta).filePath(QStringLiteral("apuestas.dat")));
    archivo.abre();
    struct Modelo {
        const char *nombre;
        const char *dias;
        qint16 tipo;
        int apuestas;
    };
    const Modelo modelos[] = {{"LOS DEL BAR", "Todos los días", 40, 40},
                              {"OFICINA", "Lunes", 502, 1},
                              {"FAMILIA", "Jueves y Sábado", 6, 6}};
    std::mt19937 azar(2026); // the same bets in every run, so pictures can be compared
    int registro = 1;
    for (const Modelo &m : modelos) {
        Pena p;
        p.ponNombre(QString::fromUtf8(m.nombre));
        p.ponDias(QString::fromUtf8(m.dias));
        p.tipo = m.tipo;
        const int cuantos = m.tipo > 500 ? 8 : 6;
        for (int b = 1; b <= m.apuestas; ++b) {
            std::vector<qint16> bolas(49);
            std::iota(bolas.begin(), bolas.end(), qint16(1));
            std::shuffle(bolas.begin(), bolas.end(), azar);
            std::sort(bolas.begin(), bolas.begin() + cuantos);
            for (int i = 1; i <= cuantos; ++i)
                p.numero(b, i) = bolas[static_cast<size_t>(i - 1)];
        }
        p.creacion = fechas::serial(QDate(2025, 1, 2));
        archivo.escribe(registro++, p);
    }
}

class Fotografo {
public:
    Fotografo(QString salida, QSize pantalla) : salida_(std::move(salida)), pantalla_(pantalla) {}

    void toma(QWidget *w, const QString &nombre)
    {
        QTest::qWait(150);
        w->grab().save(QDir(salida_).filePath(nombre + QStringLiteral(".png")));
        const QSize minimo = w->minimumSizeHint().expandedTo(w->minimumSize());
        std::printf("%-22s %4d x %-4d (mínimo %d x %d)%s\n", qPrintable(nombre), w->width(),
                    w->height(), minimo.width(), minimo.height(),
                    minimo.width() > pantalla_.width() || minimo.height() > pantalla_.height()
                        ? "  NO CABE EN LA PANTALLA"
                        : "");
    }
    // The top-level window that appeared with this name.
    QWidget *ventana(const QString &nombre) const
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == nombre && w->isVisible())
                return w;
        return nullptr;
    }

private:
    QString salida_;
    QSize pantalla_;
};

} // namespace

// The offscreen platform's screen, from a file the platform reads at start.
bool ponPantalla(const QSize &tamano, double escala, QTemporaryDir &dir)
{
    const QByteArray plataforma = qgetenv("QT_QPA_PLATFORM");
    if (plataforma != "offscreen")
        return true;
    QFile f(dir.filePath(QStringLiteral("pantalla.json")));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(QStringLiteral("{\"screens\":[{\"name\":\"capturas\",\"width\":%1,\"height\":%2,"
                           "\"logicalDpi\":%3,\"logicalBaseDpi\":96}],"
                           "\"windowFrameMargins\":true}")
                .arg(tamano.width())
                .arg(tamano.height())
                .arg(96 * escala)
                .toUtf8());
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + f.fileName().toLocal8Bit());
    return true;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr,
                     "uso: capturas <carpeta de salida> [ancho alto [escala]] [numeros.dat]\n");
        return 2;
    }
    int siguiente = 2;
    QSize pantalla(1280, 720);
    double escala = 1;
    if (argc > 3) {
        pantalla = QSize(std::atoi(argv[2]), std::atoi(argv[3]));
        siguiente = 4;
        if (argc > 4 && std::atof(argv[4]) > 0 && QByteArray(argv[4]).size() < 5) {
            escala = std::atof(argv[4]);
            siguiente = 5;
        }
    }
    QTemporaryDir configuracion;
    if (!configuracion.isValid() || !ponPantalla(pantalla, escala, configuracion)) {
        std::fprintf(stderr, "no se ha podido describir la pantalla\n");
        return 1;
    }
    QApplication app(argc, argv);
    pantalla = QGuiApplication::primaryScreen()->availableGeometry().size();
    const QString salida = QString::fromLocal8Bit(argv[1]);
    const QString historia = argc > siguiente ? QString::fromLocal8Bit(argv[siguiente]) : QString();
    QDir().mkpath(salida);
    QTemporaryDir carpeta;
    if (!carpeta.isValid() || !preparaCarpeta(carpeta.path(), historia)) {
        std::fprintf(stderr, "no se ha podido preparar la carpeta de datos\n");
        return 1;
    }
    escribePenas(carpeta.path());
    Escritorio::sustituye(std::make_unique<Mudo>());
    Fotografo foto(salida, pantalla);

    Principal p(carpeta.path());
    p.show();
    QTest::qWait(400);
    auto *pestanas = p.findChild<QTabWidget *>(QStringLiteral("SSTab1"));
    const char *const nombres[] = {"resultados", "ultimo", "gestor", "estadisticas", "crear"};
    for (int i = 0; i < pestanas->count() && i < 5; ++i) {
        pestanas->setCurrentIndex(i);
        foto.toma(&p, QStringLiteral("pestana-%1-%2").arg(i).arg(QString::fromLatin1(nombres[i])));
    }

    // The results of the whole history, and the statistics as a comparison of the days.
    pestanas->setCurrentIndex(0);
    if (auto *barra = p.findChild<QScrollBar *>(QStringLiteral("HScroll1"))) {
        barra->setValue(barra->maximum());
        foto.toma(&p, QStringLiteral("resultados-historia"));
    }
    pestanas->setCurrentIndex(3);
    if (auto *comparativa = p.findChild<QCheckBox *>(QStringLiteral("Check3_2"))) {
        comparativa->click();
        foto.toma(&p, QStringLiteral("estadisticas-comparativa"));
        comparativa->click();
    }

    // The secondary windows, each as it opens.
    auto *gestor = p.findChild<PestanaGestor *>();
    pestanas->setCurrentIndex(2);
    p.sesion().ponPenasel(1);
    if (auto *imprimir = p.findChild<QPushButton *>(QStringLiteral("Command2"))) {
        imprimir->click();
        if (QWidget *w = foto.ventana(QStringLiteral("Imprimir")))
            foto.toma(w, QStringLiteral("imprimir"));
    }
    // A syndicate with members who pay, one of whom left, and the window of its accounts.
    {
        const Pena pena = p.sesion().penas().lee(1);
        const double creada = std::floor(pena.creacion);
        SociosPena socios = SociosPena::de(pena);
        socios.socios = {
            {QStringLiteral("ANA"), 1}, {QStringLiteral("LUIS"), 1}, {QStringLiteral("PEPA"), 2}};
        CuentasPena cuentas = CuentasPena::de(pena);
        cuentas.permanencias = {{QStringLiteral("LUIS"), creada, creada + 90}};
        cuentas.pagos = {{QStringLiteral("ANA"), creada, 5000, QStringLiteral("Cuota de enero")},
                         {QStringLiteral("PEPA"), creada, 10000, QString()},
                         {QStringLiteral("LUIS"), creada + 1, 2000, QString()},
                         {QStringLiteral("LUIS"), creada + 91, -500, QStringLiteral("Devolución")}};
        p.sesion().guardaSocios(socios);
        p.sesion().guardaCuentas(cuentas);
        foto.toma(&p, QStringLiteral("gestor-cuentas"));
        if (auto *boton = p.findChild<QPushButton *>(QStringLiteral("socios"))) {
            boton->click();
            if (QWidget *w = foto.ventana(QStringLiteral("Socios"))) {
                foto.toma(w, QStringLiteral("socios"));
                w->close();
            }
        }
    }
    p.confi_Click();
    if (QWidget *w = foto.ventana(QStringLiteral("Configurar")))
        foto.toma(w, QStringLiteral("configurar"));
    p.acerca_Click();
    if (QWidget *w = foto.ventana(QStringLiteral("Acercade")))
        foto.toma(w, QStringLiteral("acercade"));
    if (gestor) {
        emit gestor->informePedido(1);
        if (QWidget *w = foto.ventana(QStringLiteral("VistaInforme")))
            foto.toma(w, QStringLiteral("informe-pena"));
    }
    if (auto *crear = p.findChild<PestanaCrear *>()) {
        emit crear->informePedido(0);
        if (QWidget *w = foto.ventana(QStringLiteral("VistaInforme")))
            foto.toma(w, QStringLiteral("informe-estadistico"));
    }
    p.completarImportes_Click();
    if (QWidget *w = foto.ventana(QStringLiteral("CompletarImportes"))) {
        foto.toma(w, QStringLiteral("completar-importes"));
        w->close();
    }
    p.abreCreamenu();
    if (Creamenu *m = p.creamenu())
        foto.toma(m, QStringLiteral("creamenu"));
    p.abreCrea();
    if (Crea *c = p.crea())
        foto.toma(c, QStringLiteral("crea"));
    return 0;
}
