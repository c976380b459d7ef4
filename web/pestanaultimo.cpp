// Tab "Último sorteo" and the download bar: the download of new draws, the prize breakdown of
// the newest draw with its result PDF, and the maker's message.
#include "web/pestanaultimo.h"
#include "app/avisos.h"
#include "app/escritorio.h"
#include "app/imagen.h"
#include "app/infor.h"
#include "app/sesion.h"
#include "archive/fechas.h"
#include "web/analisis.h"
#include "web/descarga.h"
#include "web/desglose.h"
#include "web/direcciones.h"
#include "web/transferencia.h"

#include <QApplication>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPdfDocument>
#include <QPdfView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QString u(const char *texto)
{
    return QString::fromUtf8(texto);
}

constexpr qint64 kMaximoPagina = Transferencia::kLimitePagina + 1024;
constexpr qint64 kMaximoPdf = 64 * 1024 * 1024;

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
// Clicks on the message area (its viewport receives them).
class Pulsacion : public QObject {
public:
    Pulsacion(QObject *padre, std::function<void()> alPulsar)
        : QObject(padre), alPulsar_(std::move(alPulsar))
    {
    }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (evento->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton)
            alPulsar_();
        return QObject::eventFilter(objeto, evento);
    }

private:
    std::function<void()> alPulsar_;
};
} // namespace

// What the download state machine asks of the tab.
class PestanaUltimo::VentanaDescarga : public QObject, public Descarga::Ventana {
public:
    explicit VentanaDescarga(PestanaUltimo &p) : QObject(&p), p_(p) {}

    void temporizador(bool enMarcha) override
    {
        if (enMarcha)
            p_.Timer1->start();
        else
            p_.Timer1->stop();
        p_.sesion_.ponDescargando(enMarcha);
    }
    void avisa(Descarga::Aviso aviso) override
    {
        Escritorio::actual().aviso(Descarga::textoAviso(aviso), Descarga::tituloAviso(aviso),
                                   Escritorio::Icono::Exclamacion);
    }
    void primeraPestana() override { emit p_.primeraPestana(); }
    void analizasorteos(const QByteArray &pagina) override { p_.analizasorteos(pagina); }
    QString enlacesorteo() const override { return p_.sesion_.enlacesorteo(); }
    bool errordatos() const override { return p_.sesion_.errordatos(); }
    void postproceso() override { p_.postdescarga(); }

private:
    PestanaUltimo &p_;
};

PestanaUltimo::PestanaUltimo(Sesion &sesion, QWidget *parent) : Pestana(sesion, parent)
{
    QWidget *panel = this;
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    construyeBarra();

    auto *capa = new QVBoxLayout(panel);
    Label8 = new QLabel(u("Un momento. Actualizando información..."), panel);
    Label8->setObjectName(QStringLiteral("Label8"));
    capa->addWidget(Label8);

    static const char *const kCategorias[6] = {
        "1ª Categoría (6 aciertos):", "2ª Categoría (5 aciertos + complementario):",
        "3ª Categoría (5 aciertos):", "4ª Categoría (4 aciertos):",
        "5ª Categoría (3 aciertos):", "Reintegro:"};
    auto *rejilla = new QGridLayout;
    for (int k = 0; k < 6; ++k) {
        rejilla->addWidget(new QLabel(u(kCategorias[k]), panel), k, 0);
        Label10[k] = new QLabel(QStringLiteral("0"), panel);
        Label10[k]->setObjectName(QStringLiteral("Label10_%1").arg(k));
        Label10[k]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        rejilla->addWidget(Label10[k], k, 1);
        rejilla->addWidget(new QLabel(u("€"), panel), k, 2);
    }
    rejilla->setColumnStretch(3, 1);
    capa->addLayout(rejilla);

    // The message area and the result document share one place; one of them is shown.
    Text1 = new QPlainTextEdit(panel);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->viewport()->installEventFilter(new Pulsacion(Text1, [this] { Text1_Click(); }));
    documentoPdf_ = new QPdfDocument(this);
    WebBrowser1 = new QPdfView(panel);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setDocument(documentoPdf_);
    WebBrowser1->setPageMode(QPdfView::PageMode::MultiPage);
    WebBrowser1->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    WebBrowser1->setVisible(false);
    capa->addWidget(Text1, 1);
    capa->addWidget(WebBrowser1, 1);

    Command6 = new QPushButton(u("Ver mensaje"), panel);
    Command6->setObjectName(QStringLiteral("Command6"));
    connect(Command6, &QPushButton::clicked, this, &PestanaUltimo::Command6_Click);
    capa->addWidget(Command6, 0, Qt::AlignRight);

    transferenciaPdf_ = new Transferencia(this);
    transferenciaPdf_->setObjectName(QStringLiteral("transferenciaPdf"));
    connect(transferenciaPdf_, &Transferencia::terminada, this, [this](bool bien) {
        const Escritura guardado = bien ? archivos::escribe(sesion_.ruta(QStringLiteral("kap.pdf")),
                                                            transferenciaPdf_->datos())
                                        : Escritura::Fallo;
        if (guardado == Escritura::Hecha) {
            muestrapdf();
            return;
        }
        WebBrowser1->setVisible(false);
        Text1->setVisible(true);
        if (!bien) // what the browser said when the document could not be reached
            Text1->setPlainText(u("No se encuentra conexión a internet.... :("));
        else
            Text1->setPlainText(u("No se ha podido guardar el documento del sorteo en el archivo "
                                  "kap.pdf. Puede que el disco esté lleno."));
    });
    transferenciaMensaje_ = new Transferencia(this);
    transferenciaMensaje_->setObjectName(QStringLiteral("transferenciaMensaje"));
    connect(transferenciaMensaje_, &Transferencia::terminada, this, [this](bool bien) {
        // A message that could not be fetched is not reported: the old one stays.
        if (!bien)
            return;
        mensajeNuevo_ = transferenciaMensaje_->datos();
        // A message that cannot be stored is not shown: it would come back as new at every
        // start. The user is told why.
        if (!escrito(archivos::escribe(sesion_.ruta(QStringLiteral("informe.dat")), mensajeNuevo_),
                     QStringLiteral("informe.dat")))
            return;
        muestramensaje();
    });
}

void PestanaUltimo::construyeBarra()
{
    barra_ = new QWidget(this);
    QWidget *panel = barra_;
    auto *fila = new QHBoxLayout(barra_);
    fila->setContentsMargins(0, 0, 0, 0);
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
    ProgressBar1 = new QProgressBar(panel);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setVisible(false);
    fila->addWidget(ProgressBar1, 1);
    fila->addStretch(1);

    ventanaDescarga_ = new VentanaDescarga(*this);
    descarga_ = new Descarga(sesion_.carpeta(), *ventanaDescarga_, this);
    connect(descarga_, &Descarga::estadoCambiado, Label6, &QLabel::setText);
    connect(descarga_, &Descarga::bytesCambiados, Label58, &QLabel::setText);
    connect(descarga_, &Descarga::progresoCambiado, this, [this](int valor) {
        ProgressBar1->setRange(0, 5);
        ProgressBar1->setValue(valor);
        if (valor > 0)
            ProgressBar1->setVisible(true);
    });
    connect(Picture2, &Imagen::clicked, this, &PestanaUltimo::Picture2_Click);
    connect(Timer1, &QTimer::timeout, this, &PestanaUltimo::Timer1_Timer);
}

void PestanaUltimo::Picture2_MouseMove(int x, int y)
{
    const int imagen = (x > 6 && x < 110 && y > 12 && y < 70) ? 1 : 2;
    if (Picture2->property("imagen").toInt() == imagen)
        return;
    Picture2->setProperty("imagen", imagen);
    Picture2->setStyleSheet(imagen == 1 ? QStringLiteral("color: rgb(255, 128, 0);") : QString());
}

void PestanaUltimo::Picture2_Click()
{
    if (infor_ && infor_->isVisible())
        return;
    const QDate hoyDia = sesion_.hoy();
    const QDate desde = hoyDia.addDays(-50);

    pdfbajado_ = false;
    sesion_.ponAvisoNuevos(QString());
    sesion_.paraAviso();
    sesion_.ponAvisopremio(0);
    if (infor_)
        infor_->close();
    sesion_.ponErrordatos(false);

    if (sesion_.sorteoActual().fecha > fechas::serial(hoyDia)) {
        Escritorio::actual().aviso(
            u("La fecha de tu ordenador parece incorrecta. Existen sorteos en la base de datos "
              "con fechas porsteriores a la actual. Comprueba la fecha de tu ordenador."),
            u("Error de fechas"), Escritorio::Icono::Informacion);
        return;
    }
    const QString &sitio = sesion_.sitios().operadorSitio;
    descarga_->empieza(direcciones::busqueda(sitio, desde, hoyDia), sitio);
}

void PestanaUltimo::Timer1_Timer()
{
    descarga_->tick();
}

void PestanaUltimo::analizasorteos(const QByteArray &pagina)
{
    sesion_.ponSorteosnuevos(0);
    QString enlace = sesion_.enlacesorteo();
    const analisis::Resultado r =
        analisis::analizasorteos(pagina, sesion_.sorteos(), sesion_.sorteoActual(), enlace);
    sesion_.ponEnlacesorteo(enlace);
    const int tomados = static_cast<int>(r.tomados.size());
    if (tomados > 0) {
        sesion_.ponAvisoNuevos(analisis::textoContador(tomados));
    }
    if (!r.error) {
        sesion_.ponSorteosnuevos(tomados);
        if (tomados == 0) {
            Escritorio::actual().aviso(u("Todavía no hay sorteos nuevos."), u("Pruebe más tarde"),
                                       Escritorio::Icono::Informacion);
            // The checking then looks at the newest archived draw.
            sesion_.ponSorteosnuevos(1);
        }
        sesion_.recuenta();
        return;
    }

    // Nothing of a failed parse reaches the archive, so no draw may be counted as new.
    if (tomados > 0) {
        sesion_.ponAvisoNuevos(QString());
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
                            sesion_.sitios().autorCorreo);
        sesion_.ponErrordatos(true);
    } else if (descarga_->estadoinet == Transferencia::kEstadoError) {
        Escritorio::actual().aviso(Descarga::textoAviso(Descarga::Aviso::NoConectado),
                                   Descarga::tituloAviso(Descarga::Aviso::NoConectado),
                                   Escritorio::Icono::Exclamacion);
        descarga_->detiene();
    } else {
        Escritorio::actual().aviso(u("Aun no hay datos de sorteos del ") +
                                       QString::number(sesion_.hoy().year()) + QStringLiteral("."),
                                   u("Pruebe mas tarde"), Escritorio::Icono::Informacion);
    }
    sesion_.ponSorteosnuevos(0);
}

void PestanaUltimo::postdescarga()
{
    descarga_->ponProgreso(3);
    sesion_.olvidaSeleccion();
    sesion_.anunciaNuevos(sesion_.sorteosnuevos());
    if (sesion_.sorteosnuevos() != 0)
        sesion_.ponSorteosnuevos(std::min(sesion_.sorteosnuevos(), 8));
    descarga_->ponProgreso(4);
    sesion_.recuenta();
    sesion_.avisaSorteos();
    premiosorteo(0);
    Picture2->setProperty("imagen", 2);
    Picture2->setStyleSheet(QString());
}

void PestanaUltimo::premiosorteo(int modo)
{
    Text1->setVisible(true);
    WebBrowser1->setVisible(false);
    textoinforme_.clear();
    Label8->setText(u("-Informe del ") + fechas::textoLargo(sesion_.sorteoActual().fecha));

    QByteArray pagina;
    archivos::lee(sesion_.ruta(QStringLiteral("www2.txt")), kMaximoPagina, pagina);
    const desglose::Desglose d = desglose::lee(pagina);
    for (int k = 0; k < 6; ++k)
        if (d.premios[static_cast<size_t>(k)])
            Label10[k]->setText(*d.premios[static_cast<size_t>(k)]);
    if (d.enlacePdf.isEmpty()) {
        Text1->setPlainText(desglose::textoSinDatos());
        return;
    }
    textoinforme_ = direcciones::pdf(sesion_.sitios().operadorSitioPdf, d.enlacePdf);
    if (modo == 0)
        bajapdf(textoinforme_);
    else
        muestrapdf();
}

void PestanaUltimo::bajapdf(const QString &direccion)
{
    documentoPdf_->close();
    QFile::remove(sesion_.ruta(QStringLiteral("kap.pdf")));
    pdfbajado_ = true;
    transferenciaPdf_->pide(QUrl(direccion), kMaximoPdf);
}

void PestanaUltimo::muestrapdf()
{
    QByteArray cabecera;
    {
        QFile archivo(sesion_.ruta(QStringLiteral("kap.pdf")));
        if (archivo.open(QIODevice::ReadOnly))
            cabecera = archivo.read(4);
    }
    // Whatever the site sent instead of a document (an error page, nothing) is not shown.
    if (cabecera != "%PDF") {
        WebBrowser1->setVisible(false);
        Text1->setVisible(true);
        Text1->setPlainText(desglose::textoSinDatos());
        return;
    }
    documentoPdf_->close();
    if (documentoPdf_->load(sesion_.ruta(QStringLiteral("kap.pdf"))) == QPdfDocument::Error::None) {
        Text1->setVisible(false);
        WebBrowser1->setVisible(true);
        return;
    }
    Text1->setPlainText(
        u("\nOPCIÓN NO DISPONIBLE\n\nSu ordenador no tiene instalado Adobe Reader para la "
          "lectura de archivos PDF.\nSi quiere instalarlo y disfrutar de esta opción, vaya a la "
          "web ") +
        sesion_.sitios().lectorPdfDescarga +
        u("\n(O haga click AQUÍ para instalarlo)\n\nEs totalmente gratuito. Una vez instalado, "
          "ejecútelo y acepte el contrato de licencia. Después ya podrá utilizar Bolarium con "
          "esta opción activada."));
    lectorpdf_ = 1;
}

void PestanaUltimo::Text1_Click()
{
    if (lectorpdf_ == 1)
        Escritorio::actual().abreDireccion(QUrl(sesion_.sitios().lectorPdfDescarga));
}

void PestanaUltimo::mensajeautor()
{
    const double ultimo = sesion_.sorteoActual().fecha;
    if (ultimo == 0 || ultimo + 4 > fechas::serial(sesion_.hoy()))
        return;
    archivos::asegura(sesion_.ruta(QStringLiteral("informe.dat")));
    bajamensaje();
}

void PestanaUltimo::bajamensaje()
{
    if (sesion_.penas().vacio())
        return;
    mensajeViejo_.clear();
    archivos::lee(sesion_.ruta(QStringLiteral("informe.dat")), Infor::kMaximoMensaje,
                  mensajeViejo_);
    mensajeNuevo_ = mensajeViejo_;
    transferenciaMensaje_->pide(direcciones::mensaje(sesion_.ajustes().webTexto()),
                                Infor::kMaximoMensaje);
}

void PestanaUltimo::muestramensaje()
{
    const desglose::Mensaje m =
        desglose::muestramensaje(mensajeViejo_, mensajeNuevo_, sesion_.ajustes().webTexto());
    if (!m.mostrar)
        return;
    if (!m.nuevaWeb.isEmpty()) {
        Ajustes ajustes = sesion_.ajustes();
        ajustes.ponWeb(m.nuevaWeb);
        sesion_.ponAjustes(ajustes);
        escrito(ajustes.escribe(sesion_.ruta(QStringLiteral("nums.ini"))),
                QStringLiteral("nums.ini"));
    }
    abreInfor();
}

void PestanaUltimo::Command6_Click()
{
    if (sesion_.descargando())
        return;
    abreInfor();
}

void PestanaUltimo::abreInfor()
{
    if (!infor_) {
        infor_ = new Infor(sesion_.carpeta(), sesion_.sitios().autorCorreo, window());
        infor_->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        infor_->Form_Load();
    }
    infor_->show();
    infor_->raise();
}

Infor *PestanaUltimo::ventanaInfor() const
{
    return infor_;
}

// Entering the tab rebuilds the prize breakdown from the pages of the last download.
void PestanaUltimo::entra()
{
    if (Text1->isHidden())
        return;
    Label8->setText(u("Un momento. Actualizando información..."));
    Label8->setStyleSheet(QStringLiteral("background-color: rgb(255, 128, 0);"));
    repaint();
    premiosorteo(1);
    Label8->setStyleSheet(QStringLiteral("background-color: rgb(224, 224, 224);"));
}
