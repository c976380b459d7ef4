#include "app/principal.h"
#include "app/acercade.h"
#include "app/manual.h"
#include "archive/conversion.h"
#include "archive/intercambio.h"
#include "archive/texto.h"
#include "checking/pestanaresultados.h"
#include "printing/configurar.h"
#include "printing/imprimir.h"
#include "reports/motor.h"
#include "reports/vistainforme.h"
#include "session/bajadaautomatica.h"
#include "session/carpetadatos.h"
#include "session/sesion.h"
#include "session/version.h"
#include "stats/pestanaestadisticas.h"
#include "syndicates/crea.h"
#include "syndicates/creamenu.h"
#include "syndicates/pestanacrear.h"
#include "syndicates/pestanagestor.h"
#include "web/completar.h"
#include "web/pestanaultimo.h"
#include "widgets/avisos.h"
#include "widgets/colocacion.h"
#include "widgets/escritorio.h"
#include "widgets/imagen.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kPestanaUltimo = 1;

// Each entry of the "Sencillas" and "Múltiples" submenus: the list it shows and what the two
// check boxes must end as (-1 leaves a box as it is).
struct VistaResultados {
    const char *nombre;
    int lista;
    int soloPremio; // Check2
    int historico;  // Check1
};
constexpr VistaResultados kVistas[] = {{"sencillas", 0, -1, -1}, {"verpremio", 0, 1, 0},
                                       {"verhisto", 0, 0, 1},    {"verprehi", 0, 1, 1},
                                       {"Multiples", 1, -1, -1}, {"verpremiom", 1, 1, 0},
                                       {"verhistom", 1, 0, 1},   {"verpreim", 1, 1, 1}};

QWidget *ventanaLlamada(const QString &nombre)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == nombre)
            return w;
    return nullptr;
}

// The window's contents take the height the window has, down to their least height; below it
// the window scrolls. A picture button keeps its shape by asking a height for its width, and a
// scroll area that heard of it would give the contents their preferred height and always scroll.
class CapaAjustada : public QVBoxLayout {
public:
    using QVBoxLayout::QVBoxLayout;
    bool hasHeightForWidth() const override { return false; }
};

// Shows a secondary window in place of an earlier one of the same kind.
template <typename Ventana> Ventana *abre(Ventana *ventana)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != ventana && w->objectName() == ventana->objectName())
            w->close();
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
    return ventana;
}
} // namespace

Principal::Principal(const QString &dir, QWidget *parent)
    : QMainWindow(parent), sesion_(new Sesion(
                               dir, [] { return Escritorio::actual().ahora(); }, this))
{
    setObjectName(QStringLiteral("Principal"));
    setWindowTitle(nombreVersion() + u(" - Comprueba tus números por internet."));
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(500);
    connect(Timer2, &QTimer::timeout, this, &Principal::Timer2_Timer);
    relojDia_ = new QTimer(this);
    relojDia_->setObjectName(QStringLiteral("relojDia"));
    relojDia_->setSingleShot(true);
    connect(relojDia_, &QTimer::timeout, this, &Principal::relojDia_Timer);
    bajadaAutomatica_ = new QTimer(this);
    bajadaAutomatica_->setObjectName(QStringLiteral("bajadaAutomatica"));
    bajadaAutomatica_->setInterval(60 * 1000);
    connect(bajadaAutomatica_, &QTimer::timeout, this, &Principal::bajadaAutomatica_Timer);
    // The header follows each archive scan before the tabs do, as it always did.
    connect(sesion_, &Sesion::recontado, this, &Principal::recontado);
    connect(sesion_, &Sesion::importesNoGuardados, this, [](const QString &texto) {
        Escritorio::actual().aviso(texto, u("Premios no guardados"),
                                   Escritorio::Icono::Exclamacion);
    });

    construyeMenus();
    auto *central = new QWidget(this);
    auto *capa = new CapaAjustada(central);
    construyeCabecera(central);
    general_ = new PestanaResultados(*sesion_);
    ultimo_ = new PestanaUltimo(*sesion_);
    gestor_ = new PestanaGestor(*sesion_);
    estadisticas_ = new PestanaEstadisticas(*sesion_);
    crear_ = new PestanaCrear(*sesion_);
    pestanas_ = {general_, ultimo_, gestor_, estadisticas_, crear_};
    capa->addWidget(ultimo_->barra());
    SSTab1 = new QTabWidget(central);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    const char *const titulos[5] = {"General", "Último sorteo", "Gestor de peñas", "Estadísticas",
                                    "Crear Combinación"};
    for (int i = 0; i < 5; ++i)
        SSTab1->addTab(pestanas_[static_cast<size_t>(i)], u(titulos[i]));
    capa->addWidget(SSTab1, 1);
    // On a screen smaller than the tabs' least size (1280×720 with a panel, 1920×1080 at 150 %)
    // the window scrolls instead of cutting off the bottom buttons.
    auto *desplazable = new QScrollArea(this);
    desplazable->setObjectName(QStringLiteral("desplazable"));
    desplazable->setFrameShape(QFrame::NoFrame);
    desplazable->setWidgetResizable(true);
    desplazable->setWidget(central);
    setCentralWidget(desplazable);
    // Wide enough for the statistics chart to name all its numbers beside the draw list, and
    // most of a large screen; the first show fits it to the screen and centres it there.
    const QSize libre = screen()->availableGeometry().size();
    resize(QSize(1200, 720).expandedTo(libre * 0.9));
    colocacion::instala();
    conectaPestanas();
    Escritorio::alPulsarNotificacion([ventana = QPointer<Principal>(this)](const QString &pena) {
        if (ventana)
            ventana->muestraPena(pena);
    });

    Form_Load();
    // Check times that passed before the program started are the opening's business.
    arranque_ = sesion_->ahora();
    bajadaAutomatica_->start();
}

Principal::~Principal()
{
    // The tabs and the secondary windows refer to the session, which is a child of this window
    // too: they go first, before any of them can hear of a tab change on the way out.
    sesion_->ponCerrando();
    SSTab1->disconnect(this);
    for (QWidget *w : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        delete w;
}

void Principal::construyeMenus()
{
    auto entrada = [this](QMenu *menu, const char *nombre, const char *texto) {
        QAction *a = menu->addAction(u(texto));
        a->setObjectName(QString::fromLatin1(nombre));
        return a;
    };
    QMenu *general = menuBar()->addMenu(u("&General"));
    general->setObjectName(QStringLiteral("General"));
    entrada(general, "Baja", "&Bajar Sorteos nuevos")->setShortcut(QKeySequence(Qt::Key_F5));
    entrada(general, "Crearp", "&Crear peña nueva");
    entrada(general, "borrpe", "B&orrar sorteos almacenados/Reset aciertos peñas");
    entrada(general, "importa", "&Importar sorteos de un archivo...");
    entrada(general, "exporta", "&Exportar sorteos a CSV...");
    entrada(general, "completarImportes", "Com&pletar importes de premios");
    QMenu *sencillas = general->addMenu(u("&Sencillas"));
    entrada(sencillas, "sencillas", "&Todos los resultados");
    entrada(sencillas, "verpremio", "&Sólo si hay premio");
    entrada(sencillas, "verhisto",
            "&Histórico (resultados sorteos anteriores a la fecha de creación de las peñas)");
    entrada(sencillas, "verprehi", "Sólo si hay &premios + histórico");
    QMenu *multiples = general->addMenu(u("&Múltiples"));
    entrada(multiples, "Multiples", "&Todos los resultados");
    entrada(multiples, "verpremiom", "&Sólo si hay premio");
    entrada(multiples, "verhistom",
            "&Histórico (resultados sorteos anteriores a la fecha de creación de las peñas)");
    entrada(multiples, "verpreim", "Sólo si hay &premios + histórico");
    general->addSeparator();
    entrada(general, "salir", "Sa&lir")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu *ver = menuBar()->addMenu(u("&Ver"));
    const char *const pestanas[][2] = {{"gene", "Pestaña &General"},
                                       {"ultimo", "Pestaña Ú&ltimo sorteo"},
                                       {"Gestor", "Pestaña Gestor de &peñas"},
                                       {"esta", "Pestaña &Estadísticas"},
                                       {"comb", "Pestaña &Crear Combinación"}};
    for (int i = 0; i < 5; ++i) {
        QAction *a = entrada(ver, pestanas[i][0], pestanas[i][1]);
        connect(a, &QAction::triggered, this, [this, i] { SSTab1->setCurrentIndex(i); });
    }
    QMenu *opciones = menuBar()->addMenu(u("&Opciones"));
    entrada(opciones, "confi", "&Configuración");
    QMenu *ayuda = menuBar()->addMenu(u("A&yuda"));
    entrada(ayuda, "instrucciones", "&Instrucciones")->setShortcut(QKeySequence(Qt::Key_F1));
    entrada(ayuda, "Leer", "&Leer mensaje del Jefe");
    entrada(ayuda, "web", "&Web del programa");
    entrada(ayuda, "acerca", "&Acerca de...");

    // Ctrl+P prints what the tab in view prints: the results listing or the syndicate's report.
    auto *imprimir = new QAction(u("Imprimir"), this);
    imprimir->setObjectName(QStringLiteral("imprimir"));
    imprimir->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    addAction(imprimir);
}

void Principal::importa_Click()
{
    Escritorio &e = Escritorio::actual();
    const QString elegido =
        e.eligeArchivo(QDir::homePath(), u("Importar sorteos de un archivo"),
                       u("Sorteos en CSV o JSON (*.csv *.txt *.json);;Todos los archivos (*)"));
    if (elegido.isEmpty())
        return;
    const intercambio::Resultado r = sesion_->importaSorteos(elegido);
    using Estado = intercambio::Resultado::Estado;
    switch (r.estado) {
    case Estado::SinPermiso:
        avisopermiso();
        return;
    case Estado::NoEscrito:
        avisoescritura(r.archivo);
        return;
    case Estado::Importado:
    case Estado::SinNovedades:
        break;
    default:
        e.aviso(intercambio::mensaje(r), u("Importar sorteos"), Escritorio::Icono::Exclamacion);
        return;
    }
    e.aviso(intercambio::mensaje(r), u("Importar sorteos"), Escritorio::Icono::Informacion);
}

void Principal::exporta_Click()
{
    Escritorio &e = Escritorio::actual();
    const QString titulo = u("Exportar sorteos");
    if (sesion_->sorteos().vacio()) {
        e.aviso(u("El archivo de sorteos está vacío: no hay sorteos que exportar."), titulo,
                Escritorio::Icono::Informacion);
        return;
    }
    QString destino = e.eligeDestino(QDir::home().filePath(QStringLiteral("sorteos.csv")),
                                     u("Exportar sorteos a CSV"), u("Archivos CSV (*.csv)"));
    if (destino.isEmpty())
        return;
    if (QFileInfo(destino).suffix().isEmpty())
        destino += QStringLiteral(".csv");
    const QString nombre = QFileInfo(destino).fileName();
    if (!intercambio::destinoPermitido(sesion_->carpeta(), destino)) {
        e.aviso(u("%1 es un archivo del programa y no se puede sustituir por los sorteos. "
                  "Elija otro nombre.")
                    .arg(nombre),
                titulo, Escritorio::Icono::Exclamacion);
        return;
    }
    const std::vector<Sorteo> sorteos = sesion_->sorteos().sorteos();
    if (escritoFuera(intercambio::exporta(sorteos, destino), nombre))
        e.aviso(u("%1 sorteos exportados a %2").arg(sorteos.size()).arg(nombre), titulo,
                Escritorio::Icono::Informacion);
}

void Principal::construyeCabecera(QWidget *panel)
{
    auto *rejilla = new QGridLayout;
    for (int i = 0; i < 8; ++i) {
        Label9[i] = new QLabel(panel);
        Label9[i]->setObjectName(QStringLiteral("Label9_%1").arg(i));
    }
    Label9[0]->setText(u("- Última actualización de sorteos:"));
    Label9[1]->setText(u("- Próximo sorteo:"));
    Label9[4]->setText(u("- Peñas creadas:"));
    Label9[6]->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); font-weight: bold;"));
    Label9[6]->setVisible(false);
    // The blinking warning keeps its room while hidden, so the countdown under it stays put.
    QSizePolicy aviso = Label9[6]->sizePolicy();
    aviso.setRetainSizeWhenHidden(true);
    Label9[6]->setSizePolicy(aviso);
    rejilla->addWidget(Label9[0], 0, 0);
    rejilla->addWidget(Label9[3], 0, 1);
    rejilla->addWidget(Label9[6], 0, 2);
    rejilla->addWidget(Label9[1], 1, 0);
    rejilla->addWidget(Label9[5], 1, 1);
    rejilla->addWidget(Label9[7], 1, 2);
    rejilla->addWidget(Label9[4], 0, 3);
    rejilla->addWidget(Label9[2], 0, 4);
    rejilla->setColumnStretch(1, 1);
    static_cast<QVBoxLayout *>(panel->layout())->addLayout(rejilla);
}

// The menu entries and the requests of the tabs.
void Principal::conectaPestanas()
{
    auto menu = [this](const char *nombre, auto &&accion) {
        if (auto *a = findChild<QAction *>(QString::fromLatin1(nombre)))
            connect(a, &QAction::triggered, this, accion);
    };
    for (const VistaResultados &v : kVistas)
        menu(v.nombre, [this, v] { muestraVista(v.lista, v.soloPremio, v.historico); });
    menu("salir", [this] { salir_Click(); });
    menu("Baja", [this] { ultimo_->Picture2_Click(); });
    menu("Crearp", [this] { Crearp_Click(); });
    menu("borrpe", [this] { gestor_->Command5_Click(); });
    menu("importa", [this] { importa_Click(); });
    menu("exporta", [this] { exporta_Click(); });
    menu("completarImportes", [this] { completarImportes_Click(); });
    menu("confi", [this] { confi_Click(); });
    menu("instrucciones", [this] {
        // The manual that comes with the program; the maker's web copy only when it is missing.
        const QString manual =
            carpetadatos::manual(sesion_->carpeta(), QCoreApplication::applicationDirPath());
        if (!manual.isEmpty()) {
            abre(new Manual(manual, this));
            return;
        }
        abreWebAutor(sesion_->ajustes().webTexto(),
                     QStringLiteral("/descargas/Instrucciones%20Bolarium%203.2.pdf"));
    });
    menu("Leer", [this] { ultimo_->Command6_Click(); });
    menu("web", [this] { abreWebAutor(sesion_->ajustes().webTexto(), QString()); });
    menu("acerca", [this] { acerca_Click(); });
    menu("imprimir", [this] {
        const char *const boton = SSTab1->currentIndex() == 0   ? "Image5"
                                  : SSTab1->currentIndex() == 2 ? "Image2_1"
                                                                : nullptr;
        if (auto *imagen =
                boton ? SSTab1->currentWidget()->findChild<Imagen *>(QString::fromLatin1(boton))
                      : nullptr;
            imagen && imagen->isEnabled())
            emit imagen->clicked();
    });

    connect(SSTab1, &QTabWidget::currentChanged, this, &Principal::SSTab1_Click);
    connect(ultimo_, &PestanaUltimo::primeraPestana, this, [this] { SSTab1->setCurrentIndex(0); });
    connect(gestor_, &PestanaGestor::boletosPedidos, this, &Principal::abreImprimir);
    connect(gestor_, &PestanaGestor::editorPedido, this, [this] { abreCrea(); });
    connect(gestor_, &PestanaGestor::informePedido, this, &Principal::abreInforme);
    connect(gestor_, &PestanaGestor::informeDineroEscrito, crear_, &PestanaCrear::apagaInforme);
    connect(crear_, &PestanaCrear::menuCreacionPedido, this, &Principal::abreCreamenu);
    connect(crear_, &PestanaCrear::editorPedido, this, &Principal::abreCrea);
    connect(crear_, &PestanaCrear::informePedido, this, &Principal::abreInforme);
}

void Principal::Form_Load()
{
    // Every step goes on whatever the previous one did: a missing piece must not stop start-up.
    if (QWidget *presentacion = ventanaLlamada(QStringLiteral("Presentacion")))
        presentacion->close();

    sesion_->abreArchivos();
    archivos::asegura(sesion_->ruta(QStringLiteral("www.txt")));
    archivos::asegura(sesion_->ruta(QStringLiteral("www2.txt")));

    if (!QFileInfo(sesion_->ruta(QStringLiteral("tablas.bin"))).isFile()) {
        // Error 53 is "file not found", the number users of the program know for this.
        Escritorio::actual().aviso(
            u("No se encuentra un archivo necesario para el funcionamiento del programa. "
              "Reinstale el programa. Error 53"),
            u("¡Vaya hombre!"), Escritorio::Icono::Exclamacion);
        salir_Click();
        return;
    }
    // The conversion of an older archive comes before anything reads it as 32-byte records:
    // the settings set the statistics period, and that runs the statistics pass.
    detectaantiguo();
    sesion_->leeajustes();
    for (const Sesion::Aviso &a : sesion_->avisosApertura())
        Escritorio::actual().aviso(a.texto, a.titulo,
                                   a.tipo == Sesion::Aviso::Tipo::Informacion
                                       ? Escritorio::Icono::Informacion
                                       : Escritorio::Icono::Exclamacion);
    sesion_->empieza();
    ultimo_->premiosorteo(1);
    general_->Command1_Click(0);
    ultimo_->mensajeautor();
    estadisticas_->describeestadisticas();
    // The history that comes with the program has no prize amounts: a new installation is
    // offered them once. Without an answer nothing is asked of the network.
    if (sesion_->historicoNuevo() && sesion_->fuente() &&
        Escritorio::actual().pregunta(
            u("El archivo de sorteos que trae el programa no tiene los importes de los premios, "
              "que hacen falta para saber cuánto ha ganado una peña. ¿Quiere pedirlos ahora al "
              "servicio de resultados? Tardará alrededor de un minuto. Puede hacerlo más tarde "
              "con \"Completar importes de premios\" del menú General."),
            u("Completar importes de premios"), Escritorio::Icono::Pregunta))
        completarImportes_Click();
}

void Principal::completarImportes_Click()
{
    if (auto *abierta = qobject_cast<CompletarImportes *>(
            ventanaLlamada(QStringLiteral("CompletarImportes")))) {
        if (abierta->enMarcha()) {
            abierta->raise();
            abierta->activateWindow();
            return;
        }
    }
    abre(new CompletarImportes(*sesion_, this))->empieza();
}

void Principal::detectaantiguo()
{
    if (!conversion::esAntiguo(sesion_->sorteos().ruta()))
        return;
    Escritorio::actual().aviso(conversion::mensajeConversion(), u("Actualización de datos"),
                               Escritorio::Icono::Informacion);
    escrito(sesion_->convierteAntiguo(), QStringLiteral("numeros.dat"));
}

void Principal::recontado()
{
    const Recuento &r = sesion_->recuento();
    Label9[3]->setText(r.ultimoTexto);
    Label9[5]->setText(r.proximoTexto);
    Label9[7]->setText(r.cuentaAtras);
    if (r.avisoActualizar) {
        Label9[6]->setText(r.avisoTexto);
        Timer2->start();
    } else {
        Timer2->stop();
        Label9[6]->setVisible(false);
    }
    Label9[2]->setText(QString::number(sesion_->penas().cuenta()));
    // A second after the next midnight of the program's clock, so the day has surely turned.
    const QDateTime ahora = sesion_->ahora();
    QDateTime medianoche = ahora;
    medianoche.setDate(ahora.date().addDays(1));
    medianoche.setTime(QTime(0, 0, 1));
    relojDia_->start(
        static_cast<int>(std::clamp<qint64>(ahora.msecsTo(medianoche), 1000, 86400000)));
}

void Principal::Timer2_Timer()
{
    Label9[6]->setHidden(!Label9[6]->isHidden());
}

void Principal::relojDia_Timer()
{
    sesion_->nuevoDia();
}

void Principal::bajaAlAbrir()
{
    const Sesion &s = *sesion_;
    if (!s.preferencias().bajarAlAbrir ||
        !bajadaautomatica::faltaSorteo(s.ahora(),
                                       s.sorteos().vacio() ? 0 : s.sorteos().ultimo().fecha))
        return;
    alAbrirPendiente_ = true;
    bajadaAutomatica_Timer();
}

void Principal::bajadaAutomatica_Timer()
{
    const Sesion &s = *sesion_;
    if (!s.preferencias().bajarAlAbrir || s.cerrando()) {
        alAbrirPendiente_ = false;
        return;
    }
    // The last download, whoever started it: one the user just made needs no other.
    QDateTime desde = std::max(arranque_, ultimaAutomatica_);
    if (s.inicioDescarga().isValid())
        desde = std::max(desde, s.inicioDescarga());
    const double ultimo = s.sorteos().vacio() ? 0 : s.sorteos().ultimo().fecha;
    if (!alAbrirPendiente_ &&
        !bajadaautomatica::toca(s.ahora(), ultimo, s.importesPendientes(), desde))
        return;
    // Otherwise the next tick, or the editor's closing, tries again.
    if (!puedeBajarSola())
        return;
    if (!ultimo_->bajaSola())
        return;
    alAbrirPendiente_ = false;
    ultimaAutomatica_ = s.ahora();
}

bool Principal::puedeBajarSola() const
{
    if (sesion_->descargando())
        return false;
    if (auto *completar =
            qobject_cast<CompletarImportes *>(ventanaLlamada(QStringLiteral("CompletarImportes")));
        completar && completar->enMarcha())
        return false;
    // The checking of the new draws would run under bets the user has not saved.
    Crea *editor = crea();
    return !(editor && editor->edicion().trabajoPendiente());
}

void Principal::muestraPena(const QString &pena)
{
    if (sesion_->cerrando())
        return;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    SSTab1->setCurrentIndex(2);
    const std::vector<Pena> &penas = sesion_->penas().penas();
    for (size_t i = 0; i < penas.size(); ++i) {
        if (penas[i].nombreTexto().trimmed() != pena)
            continue;
        // Picking the row picks the syndicate, as a click on it does.
        if (auto *lista = gestor_->findChild<QAbstractItemView *>(QStringLiteral("ListView1")))
            lista->setCurrentIndex(lista->model()->index(static_cast<int>(i), 0));
        break;
    }
}

void Principal::refrescaResultados()
{
    sesion_->refrescaResultados();
}

bool Principal::event(QEvent *evento)
{
    // Once the window is on screen, not before: the user sees the download start.
    if (evento->type() == QEvent::Show && !mostrada_) {
        mostrada_ = true;
        QTimer::singleShot(0, this, &Principal::bajaAlAbrir);
    }
    if (evento->type() == QEvent::WindowActivate && !sesion_->cerrando() && !ventanaAbriendose())
        Form_Activate();
    return QMainWindow::event(evento);
}

void Principal::Form_Activate()
{
    Sesion &s = *sesion_;
    ++activaciones_;
    if (activaciones_ == 1 && s.penas().vacio()) {
        Escritorio::actual().aviso(
            u("Bienvenido a Bolarium. Vaya a la pestaña 'Crear Combinación' y cree una peña. "
              "Podrás comprobar tus resultados a partir de hoy. Instrucciones disponibles en "
              "nuestra web, en la sección 'Tutorial' o en el programa, en el menú 'Ayuda'."),
            u("Fichero de peñas vacío"), Escritorio::Icono::Informacion);
    }
    // A click on the main window does not throw away bets typed in the editor: it stays open
    // and in front until they are saved or the user closes it.
    if (Crea *editor = crea(); editor && editor->edicion().trabajoPendiente()) {
        editor->raise();
        editor->activateWindow();
        return;
    }
    if (s.editando() == 1)
        s.ponPenagrabada(1);
    cierraCrea();
    s.ponEditando(0);
    if (s.penagrabada() == 1)
        s.cierraEdicion();
    s.ponNumordenador(0);
    cierraSecundarias();
    cierraCreamenu();
    s.olvidaTablas(); // the tables file is read again by the next listing
    refrescaResultados();
}

void Principal::salir_Click()
{
    sesion_->ponCerrando();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
    close();
    QCoreApplication::quit();
}

void Principal::closeEvent(QCloseEvent *evento)
{
    sesion_->ponCerrando();
    evento->accept();
    QCoreApplication::quit();
}

void Principal::SSTab1_Click(int pestana)
{
    sesion_->paraAviso();
    if (pestana == kPestanaUltimo && sesion_->descargando()) {
        // The prize breakdown is rebuilt from the pages the download is still fetching.
        pestana = pestanaAnterior_ == kPestanaUltimo ? 0 : pestanaAnterior_;
        const QSignalBlocker bloqueo(SSTab1);
        SSTab1->setCurrentIndex(pestana);
    }
    if (pestana == pestanaAnterior_)
        return;
    if (pestana < 0 || pestana >= static_cast<int>(pestanas_.size()))
        return;
    pestanas_[static_cast<size_t>(pestanaAnterior_)]->sale();
    pestanas_[static_cast<size_t>(pestana)]->entra();
    pestanaAnterior_ = pestana;
}

void Principal::muestraVista(int lista, int soloPremio, int historico)
{
    SSTab1->setCurrentIndex(0);
    general_->muestraVista(lista, soloPremio, historico);
}

void Principal::abreImprimir()
{
    const Sesion &s = *sesion_;
    auto *ventana = new Imprimir(s.carpeta(), s.penas().lee(s.penasel()), this);
    connect(ventana, &Imprimir::ajustesCambiados, sesion_, &Sesion::ponAjustes);
    abre(ventana);
}

void Principal::confi_Click()
{
    auto *ventana = new Configurar(sesion_->carpeta(), this);
    connect(ventana, &Configurar::ajustesCambiados, this, [this](const Ajustes &a) {
        sesion_->ponAjustes(a);
        // The new depth moves both statistics sliders, as reading the settings at start-up does.
        sesion_->ponMeses(a.profundidad);
    });
    connect(ventana, &Configurar::preferenciasCambiadas, this, [this](bool bajar, bool avisos) {
        Preferencias p = sesion_->preferencias();
        p.bajarAlAbrir = bajar;
        p.avisosEscritorio = avisos;
        escrito(sesion_->ponPreferencias(p), QStringLiteral("ajustes.ini"));
    });
    abre(ventana);
}

void Principal::acerca_Click()
{
    abre(new Acercade(sesion_->carpeta(), this));
}

void Principal::cierraSecundarias()
{
    static const QString kVentanas[] = {QStringLiteral("Imprimir"), QStringLiteral("Acercade"),
                                        QStringLiteral("Configurar")};
    for (QWidget *w : QApplication::topLevelWidgets())
        for (const QString &nombre : kVentanas)
            if (w->objectName() == nombre && w->isVisible())
                w->close();
}

void Principal::abreInforme(int i)
{
    const informes::Informe informe =
        informes::prepara(sesion_->carpeta(), i, QLocale(), sesion_->hoy());
    if (informe.error != 0) {
        Escritorio::actual().aviso(
            u("Error %1. No es posible mostrar el informe. Si el error persiste, reinstalar el "
              "programa puede ser la solución.")
                .arg(informe.error),
            u("Error"), Escritorio::Icono::Informacion);
        return;
    }
    if (vistaInforme_)
        vistaInforme_->close();
    vistaInforme_ = new VistaInforme(
        informe.html, i == 0 ? u("Informe estadístico") : u("Informe de la peña"), this);
    vistaInforme_->show();
}

void Principal::Crearp_Click()
{
    sesion_->ponNumapuestas(0);
    abreCreamenu();
}

void Principal::abreCrea(const std::vector<int> &masfrecuentes)
{
    Sesion &s = *sesion_;
    cierraCrea();
    OpcionesEdicion o;
    if (s.editando() == 1) {
        if (s.penasel() < 1 || s.penasel() > s.penas().cuenta())
            return;
        o.editando = true;
        o.registro = s.penasel();
    } else {
        o.modocrea = s.modocrea();
        if (s.modocrea() == edicion::kReducida) {
            const Tablas &tablas = s.tablas().leido ? s.tablas() : s.cargaTablas();
            if (s.tablasel() < 0 || static_cast<size_t>(s.tablasel()) >= tablas.tablas.size()) {
                Escritorio::actual().aviso(u("El archivo de tablas reducidas no es válido."),
                                           QStringLiteral("Error"), Escritorio::Icono::Exclamacion);
                return;
            }
            o.tabla = &tablas.tablas[static_cast<size_t>(s.tablasel())];
        }
        o.numordenador = s.numordenador() == 1;
        o.masfrecuentes = masfrecuentes;
    }
    crea_ = new Crea(s, std::move(o), this);
    connect(crea_, &Crea::apuestasCambiadas, sesion_, &Sesion::ponNumapuestas);
    connect(crea_, &Crea::grabada, this, [this] {
        sesion_->ponPenagrabada(1);
        // A download that waited for these bets goes now.
        QTimer::singleShot(0, this, &Principal::bajadaAutomatica_Timer);
    });
    connect(crea_, &QObject::destroyed, this,
            [this] { QTimer::singleShot(0, this, &Principal::bajadaAutomatica_Timer); });
    connect(crea_, &Crea::mostrada, this, [this] {
        cierraCreamenu();
        sesion_->limitaSorteos(20);
    });
    crea_->show();
    crea_->raise();
    crea_->activateWindow();
}

void Principal::abreCreamenu()
{
    cierraCreamenu();
    creamenu_ = new Creamenu(*sesion_, this);
    connect(creamenu_, &Creamenu::elegido, this, [this](int modocrea, int tablasel) {
        sesion_->ponModocrea(modocrea);
        sesion_->ponTablasel(tablasel);
        abreCrea();
    });
    creamenu_->show();
    creamenu_->raise();
    creamenu_->activateWindow();
}

void Principal::cierraCrea()
{
    if (crea_) {
        crea_->cierra();
        crea_ = nullptr;
    }
}

void Principal::cierraCreamenu()
{
    if (creamenu_) {
        creamenu_->close();
        creamenu_ = nullptr;
    }
}

Crea *Principal::crea() const
{
    return crea_;
}

Creamenu *Principal::creamenu() const
{
    return creamenu_;
}

bool Principal::ventanaAbriendose() const
{
    return (crea_ && crea_->abriendose()) || (creamenu_ && creamenu_->abriendose());
}
