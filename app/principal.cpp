#include "app/principal.h"
#include "app/avisos.h"
#include "app/imagen.h"
#include "archive/conversion.h"
#include "archive/fechas.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QString u(const char *texto)
{
    return QString::fromUtf8(texto);
}

QTimer *temporizador(QObject *padre, const char *nombre, int ms)
{
    auto *t = new QTimer(padre);
    t->setObjectName(QString::fromLatin1(nombre));
    t->setInterval(ms);
    return t;
}
} // namespace

Principal::Principal(const QString &dir, QWidget *parent)
    : QMainWindow(parent), carpeta_(QDir(dir).absolutePath())
{
    setObjectName(QStringLiteral("Principal"));
    setWindowTitle(u("Bolarium v.3.4.995 - Comprueba tus números por internet."));
    sorteos_.ponRuta(ruta(QStringLiteral("numeros.dat")));
    penas_.ponRuta(ruta(QStringLiteral("apuestas.dat")));

    Timer1 = temporizador(this, "Timer1", 1000);
    Timer2 = temporizador(this, "Timer2", 500);
    Timer3 = temporizador(this, "Timer3", 800);
    connect(Timer2, &QTimer::timeout, this, &Principal::Timer2_Timer);

    construyeMenus();
    auto *central = new QWidget(this);
    auto *capa = new QVBoxLayout(central);
    construyeCabecera(central);
    construyeDescarga(central);
    SSTab1 = new QTabWidget(central);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(construyeGeneral(), u("General"));
    SSTab1->addTab(construyeUltimo(), u("Último sorteo"));
    SSTab1->addTab(construyeGestor(), u("Gestor de peñas"));
    SSTab1->addTab(construyeEstadisticas(), u("Estadísticas"));
    SSTab1->addTab(construyeCrear(), u("Crear Combinación"));
    capa->addWidget(SSTab1, 1);
    construyePena(SSTab1->widget(2));
    construyeCreaAuto(SSTab1->widget(4));
    setCentralWidget(central);
    resize(1000, 720);
    conectaMantenimiento();
    conectaMenus();

    Form_Load();
}

Principal::~Principal() = default;

QString Principal::ruta(const QString &archivo) const
{
    return QDir(carpeta_).filePath(archivo);
}

QDate Principal::hoy() const
{
    return Escritorio::actual().ahora().date();
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
    entrada(general, "Baja", "Bajar Sorteos nuevos");
    entrada(general, "Crearp", "Crear peña nueva");
    entrada(general, "borrpe", "Borrar sorteos almacenados/Reset aciertos peñas");
    QMenu *sencillas = general->addMenu(u("Sencillas"));
    entrada(sencillas, "sencillas", "Todos los resultados");
    entrada(sencillas, "verpremio", "Sólo si hay premio");
    entrada(sencillas, "verhisto",
            "Histórico (resultados sorteos anteriores a la fecha de creación de las peñas)");
    entrada(sencillas, "verprehi", "Sólo si hay premios + histórico");
    QMenu *multiples = general->addMenu(u("Múltiples"));
    entrada(multiples, "Multiples", "Todos los resultados");
    entrada(multiples, "verpremiom", "Sólo si hay premio");
    entrada(multiples, "verhistom",
            "Histórico (resultados sorteos anteriores a la fecha de creacón de las peñas)");
    entrada(multiples, "verpreim", "Sólo si hay premios + histórico");
    general->addSeparator();
    salir = entrada(general, "salir", "Salir");
    connect(salir, &QAction::triggered, this, &Principal::salir_Click);

    QMenu *ver = menuBar()->addMenu(u("&Ver"));
    const char *const pestanas[][2] = {{"gene", "Pestaña General"},
                                       {"ultimo", "Pestaña Último sorteo"},
                                       {"Gestor", "Pestaña Gestor de peñas"},
                                       {"esta", "Pestaña Estadísticas"},
                                       {"comb", "Pestaña Crear Combinación"}};
    for (int i = 0; i < 5; ++i) {
        QAction *a = entrada(ver, pestanas[i][0], pestanas[i][1]);
        connect(a, &QAction::triggered, this, [this, i] { SSTab1->setCurrentIndex(i); });
    }
    QMenu *opciones = menuBar()->addMenu(u("&Opciones"));
    connect(entrada(opciones, "confi", "Configuración"), &QAction::triggered, this,
            &Principal::confi_Click);
    QMenu *ayuda = menuBar()->addMenu(u("A&yuda"));
    entrada(ayuda, "instrucciones", "Instrucciones");
    entrada(ayuda, "Leer", "Leer mensaje del Jefe");
    entrada(ayuda, "web", "Web del programa");
    connect(entrada(ayuda, "acerca", "Acerca de..."), &QAction::triggered, this,
            &Principal::acerca_Click);
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

void Principal::Form_Load()
{
    // Every step goes on whatever the previous one did: a missing piece must not stop start-up.
    move(2, 3);
    if (QWidget *presentacion = [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QStringLiteral("Presentacion"))
                    return w;
            return static_cast<QWidget *>(nullptr);
        }())
        presentacion->close();

    QFile::remove(ruta(QStringLiteral("apuestas.tmp")));
    penas_.abre();
    sorteos_.abre();
    archivos::asegura(ruta(QStringLiteral("www.txt")));
    archivos::asegura(ruta(QStringLiteral("www2.txt")));

    if (!QFileInfo(ruta(QStringLiteral("tablas.bin"))).isFile()) {
        // Error 53 is "file not found", the number users of the program know for this.
        Escritorio::actual().aviso(
            u("No se encuentra un archivo necesario para el funcionamiento del programa. "
              "Reinstale el programa. Error 53"),
            u("¡Vaya hombre!"), Escritorio::Icono::Exclamacion);
        salir_Click();
        return;
    }
    leeajustes();
    detectaantiguo();
    recuenta();
    refresca();
    premiosorteo(1);
    Command1_Click(0);
    mensajeautor();
    describeestadisticas();
}

void Principal::leeajustes()
{
    sitios_ = Sitios::lee(carpeta_);
    ajustes_ = ::leeajustes(carpeta_, sitios_);
    for (QAbstractSlider *s : Slider1)
        if (s)
            s->setValue(ajustes_.profundidad);
}

void Principal::detectaantiguo()
{
    if (!conversion::esAntiguo(sorteos_.ruta()))
        return;
    Escritorio::actual().aviso(conversion::mensajeConversion(), u("Actualización de datos"),
                               Escritorio::Icono::Informacion);
    sorteos_.cierra();
    escrito(conversion::conviertesorteos(carpeta_), QStringLiteral("numeros.dat"));
    sorteos_.reabre();
}

void Principal::recuenta()
{
    recuento_ = ::recuenta(sorteos_.sorteos(), penas_.penas(), hoy());
    Label9[3]->setText(recuento_.ultimoTexto);
    Check1->setEnabled(recuento_.hayDatos);
    Check2->setEnabled(recuento_.hayDatos);
    if (recuento_.proximosorteo == 1) {
        HScroll1->setEnabled(false);
    } else {
        HScroll1->setEnabled(true);
        HScroll1->setMaximum(recuento_.proximosorteo - 1);
    }
    Label9[5]->setText(recuento_.proximoTexto);
    Label9[7]->setText(recuento_.cuentaAtras);
    if (recuento_.avisoActualizar) {
        Label9[6]->setText(recuento_.avisoTexto);
        Timer2->start();
    } else {
        Timer2->stop();
        Label9[6]->setVisible(false);
    }
    resumen();
}

void Principal::Timer2_Timer()
{
    Label9[6]->setHidden(!Label9[6]->isHidden());
}

void Principal::refresca()
{
    ++refrescos;
    comprueba(HScroll1->value());
    estadisticas(0);
}

void Principal::refrescaResultados()
{
    if (HScroll1->value() == 1) {
        comprueba(1);
        compruebamultiples(1);
    } else {
        // Their change handlers bring the views up to date.
        HScroll1->setValue(1);
        if (HScroll2)
            HScroll2->setValue(1);
    }
}

bool Principal::event(QEvent *evento)
{
    if (evento->type() == QEvent::WindowActivate && !cerrando_ && !ventanaAbriendose())
        Form_Activate();
    return QMainWindow::event(evento);
}

void Principal::Form_Activate()
{
    ++activaciones;
    if (activaciones == 1 && penas_.vacio()) {
        Escritorio::actual().aviso(
            u("Bienvenido a Bolarium. Vaya a la pestaña 'Crear Combinación' y cree una peña. "
              "Podrás comprobar tus resultados a partir de hoy. Instrucciones disponibles en "
              "nuestra web, en la sección 'Tutorial' o en el programa, en el menú 'Ayuda'."),
            u("Fichero de peñas vacío"), Escritorio::Icono::Informacion);
    }
    if (editando == 1)
        penagrabada = 1;
    cierraCrea();
    editando = 0;
    if (penagrabada == 1) {
        penas_.reabre();
        if (Combo2)
            Combo2->setCurrentIndex(-1);
        refrescaResultados();
        recuenta();
        penagrabada = 0;
    }
    numordenador = 0;
    cierraSecundarias();
    cierraCreamenu();
    tablas_ = Tablas(); // the tables file is read again by the next listing
    refrescaResultados();
}

void Principal::salir_Click()
{
    cerrando_ = true;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
    close();
    QCoreApplication::quit();
}

void Principal::closeEvent(QCloseEvent *evento)
{
    cerrando_ = true;
    evento->accept();
    QCoreApplication::quit();
}

void Principal::Command3_Click()
{
    if (penasel == 0 || penasel > penas_.cuenta()) {
        Escritorio::actual().aviso(u("Seleccione una peña primero..."), u("¡Nooooo!"),
                                   Escritorio::Icono::Informacion);
        return;
    }
    const QString nombre = penas_.lee(penasel).nombreTexto().trimmed();
    if (!Escritorio::actual().pregunta(u("¿Seguro que quieres eliminar la Peña ") + nombre +
                                           QStringLiteral("?"),
                                       u("Borrar..."), Escritorio::Icono::Pregunta))
        return;
    if (!escrito(penas_.elimina(penasel), QStringLiteral("apuestas.dat")))
        return;
    recuenta();
    refrescaResultados();
}
