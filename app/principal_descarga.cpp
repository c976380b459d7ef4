// The download of new draws: the download button, the status and byte labels, the timer that
// drives the steps, and the parse of the search page with its messages.
#include "app/imagen.h"
#include "app/infor.h"
#include "app/principal.h"
#include "archive/fechas.h"
#include "web/analisis.h"
#include "web/descarga.h"
#include "web/direcciones.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QString u(const char *texto)
{
    return QString::fromUtf8(texto);
}

// Passes the mouse position over the download button to the window.
class SeguidorRaton : public QObject {
public:
    SeguidorRaton(QObject *padre, std::function<void(int, int)> alMover)
        : QObject(padre), alMover_(std::move(alMover))
    {
    }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (evento->type() == QEvent::MouseMove) {
            const QPoint p = static_cast<QMouseEvent *>(evento)->position().toPoint();
            alMover_(p.x(), p.y());
        }
        return QObject::eventFilter(objeto, evento);
    }

private:
    std::function<void(int, int)> alMover_;
};
} // namespace

// What the download state machine does on this window.
class Principal::VentanaDescarga : public QObject, public Descarga::Ventana {
public:
    explicit VentanaDescarga(Principal &p) : QObject(&p), p_(p) {}

    QString estado() const override { return p_.Label6->text(); }
    void ponEstado(const QString &texto) override { p_.Label6->setText(texto); }
    QString bytes() const override { return p_.Label58->text(); }
    void ponBytes(const QString &texto) override { p_.Label58->setText(texto); }
    int progreso() const override { return p_.ProgressBar1 ? p_.ProgressBar1->value() : 0; }
    void ponProgreso(int valor) override
    {
        if (!p_.ProgressBar1)
            return;
        p_.ProgressBar1->setRange(0, 5);
        p_.ProgressBar1->setValue(valor);
        if (valor > 0)
            p_.ProgressBar1->setVisible(true);
    }
    void temporizador(bool enMarcha) override
    {
        if (enMarcha)
            p_.Timer1->start();
        else
            p_.Timer1->stop();
    }
    void avisa(Descarga::Aviso aviso) override
    {
        Escritorio::actual().aviso(Descarga::textoAviso(aviso), Descarga::tituloAviso(aviso),
                                   Escritorio::Icono::Exclamacion);
    }
    void primeraPestana() override
    {
        if (p_.SSTab1)
            p_.SSTab1->setCurrentIndex(0);
    }
    void analizasorteos(const QByteArray &pagina) override { p_.analizasorteos(pagina); }
    QString enlacesorteo() const override { return p_.enlacesorteo; }
    bool errordatos() const override { return p_.errordatos; }
    void postproceso() override { p_.postdescarga(); }

private:
    Principal &p_;
};

void Principal::construyeDescarga(QWidget *panel)
{
    auto *fila = new QHBoxLayout;
    Picture2 = new Imagen(QStringLiteral("Picture2"), panel);
    Picture2->setText(u("Bajar sorteos nuevos"));
    Picture2->setToolTip(u("Bajar Sorteos nuevos"));
    Picture2->setMinimumSize(116, 30);
    Picture2->setAlignment(Qt::AlignCenter);
    Picture2->setProperty("imagen", 2);
    Picture2->setMouseTracking(true);
    Picture2->installEventFilter(
        new SeguidorRaton(Picture2, [this](int x, int y) { Picture2_MouseMove(x, y); }));
    Label6 = new QLabel(panel);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setMinimumWidth(220);
    Label58 = new QLabel(QStringLiteral("0 Bytes"), panel);
    Label58->setObjectName(QStringLiteral("Label58"));
    fila->addWidget(Picture2);
    fila->addWidget(Label6);
    fila->addWidget(Label58);
    fila->addStretch(1);
    static_cast<QVBoxLayout *>(panel->layout())->addLayout(fila);

    ventanaDescarga_ = new VentanaDescarga(*this);
    descarga_ = new Descarga(carpeta_, *ventanaDescarga_, this);
    connect(Picture2, &Imagen::clicked, this, &Principal::Picture2_Click);
    connect(Timer1, &QTimer::timeout, this, &Principal::Timer1_Timer);
    if (QAction *baja = findChild<QAction *>(QStringLiteral("Baja")))
        connect(baja, &QAction::triggered, this, &Principal::Picture2_Click);
    if (QAction *leer = findChild<QAction *>(QStringLiteral("Leer")))
        connect(leer, &QAction::triggered, this, &Principal::Command6_Click);
}

void Principal::Picture2_MouseMove(int x, int y)
{
    const int imagen = (x > 6 && x < 110 && y > 12 && y < 70) ? 1 : 2;
    if (Picture2->property("imagen").toInt() == imagen)
        return;
    Picture2->setProperty("imagen", imagen);
    Picture2->setStyleSheet(imagen == 1 ? QStringLiteral("color: rgb(255, 128, 0);") : QString());
}

void Principal::Picture2_Click()
{
    if (infor_ && infor_->isVisible())
        return;
    const QDate hoyDia = hoy();
    const QDate desde = hoyDia.addDays(-50);

    pdfbajado = false;
    Label59->clear();
    paraAvisoPremio();
    avisopremio = 0;
    if (infor_)
        infor_->close();
    errordatos = false;

    if (sorteoActual().fecha > fechas::serial(hoyDia)) {
        Escritorio::actual().aviso(
            u("La fecha de tu ordenador parece incorrecta. Existen sorteos en la base de datos "
              "con fechas porsteriores a la actual. Comprueba la fecha de tu ordenador."),
            u("Error de fechas"), Escritorio::Icono::Informacion);
        return;
    }
    descarga_->empieza(direcciones::busqueda(sitios_.operadorSitio, desde, hoyDia),
                       sitios_.operadorSitio);
}

void Principal::Timer1_Timer()
{
    descarga_->tick();
}

void Principal::analizasorteos(const QByteArray &pagina)
{
    Label6->setText(Descarga::analizando());
    sorteosnuevos = 0;
    const analisis::Resultado r =
        analisis::analizasorteos(pagina, sorteos_, sorteoActual(), enlacesorteo);
    const int tomados = static_cast<int>(r.tomados.size());
    if (tomados > 0) {
        Label59->setText(analisis::textoContador(tomados));
        Label59->repaint();
    }
    if (!r.error) {
        sorteosnuevos = tomados;
        if (sorteosnuevos == 0) {
            Escritorio::actual().aviso(u("Todavía no hay sorteos nuevos."), u("Pruebe más tarde"),
                                       Escritorio::Icono::Informacion);
            // The checking then looks at the newest archived draw.
            sorteosnuevos = 1;
        }
        recuenta();
        return;
    }

    // Nothing of a failed parse reaches the archive, so no draw may be counted as new.
    if (tomados > 0) {
        Label59->clear();
    }
    if (tomados == 0 && descarga_->estadoinet != Transferencia::kEstadoError) {
        Escritorio::actual().aviso(
            u("¡¡Datos corruptos o inválidos!! Si se repite en otros momentos este mismo error, "
              "posiblemente se ha de actualizar el programa. Pruebe más tarde."),
            u("Error crítico"), Escritorio::Icono::Critico);
        // The download still ends its current step and writes the draw page, as it always
        // did; its timer stops there.
        Text1->setPlainText(u("\nERROR DE INTERPRETACIÓN DE DATOS:\nSi más tarde se conecta y le "
                              "vuelve a suceder envie un email a: ") +
                            sitios_.autorCorreo);
        errordatos = true;
    } else if (descarga_->estadoinet == Transferencia::kEstadoError) {
        Escritorio::actual().aviso(Descarga::textoAviso(Descarga::Aviso::NoConectado),
                                   Descarga::tituloAviso(Descarga::Aviso::NoConectado),
                                   Escritorio::Icono::Exclamacion);
        descarga_->detiene();
        ProgressBar1->setValue(0);
        Label6->clear();
    } else {
        Escritorio::actual().aviso(u("Aun no hay datos de sorteos del ") +
                                       QString::number(hoy().year()) + QStringLiteral("."),
                                   u("Pruebe mas tarde"), Escritorio::Icono::Informacion);
    }
    sorteosnuevos = 0;
}

void Principal::postdescarga()
{
    ProgressBar1->setValue(3);
    if (Combo2)
        Combo2->setCurrentIndex(-1);
    comprueba(sorteosnuevos);
    if (sorteosnuevos != 0) {
        sorteosnuevos = std::min(sorteosnuevos, 8);
        HScroll1->setValue(sorteosnuevos);
    }
    ProgressBar1->setValue(4);
    recuenta();
    estadisticas(0);
    premiosorteo(0);
    describeestadisticas();
    Picture2->setProperty("imagen", 2);
    Picture2->setStyleSheet(QString());
}
