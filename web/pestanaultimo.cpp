// Tab "Último sorteo" and the download bar: the download of new draws, the prize breakdown of
// the newest draw with its result PDF, and the maker's message.
#include "web/pestanaultimo.h"
#include "archive/fechas.h"
#include "archive/importes.h"
#include "archive/juego.h"
#include "archive/texto.h"
#include "reports/ganancias.h"
#include "reports/premiados.h"
#include "session/bajada.h"
#include "session/cuentas.h"
#include "session/sesion.h"
#include "web/descarga.h"
#include "web/desglose.h"
#include "web/direcciones.h"
#include "web/infor.h"
#include "web/servicio.h"
#include "web/transferencia.h"
#include "widgets/avisos.h"
#include "widgets/escritorio.h"
#include "widgets/imagen.h"

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
#include <cmath>

namespace {
constexpr qint64 kMaximoPdf = PestanaUltimo::kMaximoPdf;

// The status line of a download the program started by itself that could not reach the site.
QString sinConexion()
{
    return u("BAJADA AUTOMÁTICA: SIN CONEXIÓN CON EL SERVIDOR");
}

QString sinNovedades()
{
    return u("TODAVÍA NO HAY SORTEOS NUEVOS");
}

QString textoPendiente()
{
    return u("pendiente");
}

// "1 acertante", "184.746 acertantes": the thousands marked with a dot, as the rest of the
// window writes numbers, whatever the system's language.
QString textoGanadores(qint64 ganadores)
{
    if (ganadores < 0)
        return textoPendiente();
    QString cifras = QString::number(ganadores);
    for (qsizetype i = cifras.size() - 3; i > 0; i -= 3)
        cifras.insert(i, QLatin1Char('.'));
    return cifras + (ganadores == 1 ? u(" acertante") : u(" acertantes"));
}

// What the download has to tell, in a message box.
void muestra(const NotaBajada &nota)
{
    const Escritorio::Icono icono =
        nota.tipo == NotaBajada::Tipo::Informacion ? Escritorio::Icono::Informacion
        : nota.tipo == NotaBajada::Tipo::Critico   ? Escritorio::Icono::Critico
                                                   : Escritorio::Icono::Exclamacion;
    Escritorio::actual().aviso(nota.texto, nota.titulo, icono);
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
        if (p_.calla(sinConexion(), Descarga::textoAviso(aviso)))
            return;
        Escritorio::actual().aviso(Descarga::textoAviso(aviso), Descarga::tituloAviso(aviso),
                                   Escritorio::Icono::Exclamacion);
    }
    void primeraPestana() override
    {
        // A download nobody asked for just now does not take the user away from their tab
        // (leaving "Crear Combinación" would throw away what they chose there).
        if (p_.automatica_ && !p_.isVisible())
            return;
        emit p_.primeraPestana();
    }
    void analizasorteos(const QByteArray &pagina) override { p_.analizasorteos(pagina); }
    QString enlacesorteo() const override { return p_.sesion_.enlacesorteo(); }
    bool errordatos() const override { return p_.sesion_.errordatos(); }
    bool sinGuardar() const override { return p_.sinGuardar_; }
    void postproceso() override { p_.postdescarga(); }
    bool leeRespuesta(const QByteArray &respuesta) override { return p_.leeRespuesta(respuesta); }
    void avisaFallo(const QString &texto, const QString &titulo) override
    {
        if (titulo == Descarga::tituloAviso(Descarga::Aviso::NoConectado) &&
            p_.calla(sinConexion(), texto))
            return;
        Escritorio::actual().aviso(texto, titulo, Escritorio::Icono::Exclamacion);
    }
    void rechazada(int codigoHttp) override { p_.ofreceNavegador(codigoHttp); }
    int nuevos() const override { return p_.sesion_.descargados(); }
    void cierraRespuestas() override { p_.cierraRespuestas(); }
    QString notaFinal() const override
    {
        const int n = p_.sesion_.importesActualizados();
        return n > 0 ? servicio::textoImportesActualizados(n) : QString();
    }

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

    combinacion_ = new QLabel(panel);
    combinacion_->setObjectName(QStringLiteral("combinacionUltimo"));
    combinacion_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    capa->addWidget(combinacion_);

    // Caption, amount (right-aligned, so that the cents line up), "€", a gap, and the winners,
    // under headings: two "pendiente" side by side would not say which is which.
    auto *rejilla = new QGridLayout;
    auto *cabeceraPremio = new QLabel(u("Premio"), panel);
    cabeceraPremio->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rejilla->addWidget(cabeceraPremio, 0, 1);
    rejilla->addWidget(new QLabel(u("Acertantes"), panel), 0, 4);
    for (int k = 0; k < 6; ++k) {
        const int fila = k + 1;
        titulos_[k] = new QLabel(panel);
        rejilla->addWidget(titulos_[k], fila, 0);
        Label10[k] = new QLabel(panel);
        Label10[k]->setObjectName(QStringLiteral("Label10_%1").arg(k));
        Label10[k]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        Label10[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rejilla->addWidget(Label10[k], fila, 1);
        euros_[k] = new QLabel(u("€"), panel);
        euros_[k]->setObjectName(QStringLiteral("euros_%1").arg(k));
        rejilla->addWidget(euros_[k], fila, 2);
        ganadores_[k] = new QLabel(panel);
        ganadores_[k]->setObjectName(QStringLiteral("ganadores_%1").arg(k));
        ganadores_[k]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        rejilla->addWidget(ganadores_[k], fila, 4);
        ponFila(k, std::nullopt, -1);
    }
    rejilla->setColumnMinimumWidth(3, 16);
    rejilla->setColumnStretch(5, 1);
    capa->addLayout(rejilla);
    ponTitulos(false);
    ponCombinacion();

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
    connect(descarga_, &Descarga::estadoCambiado, this, &PestanaUltimo::muestraEstado);
    connect(descarga_, &Descarga::bytesCambiados, Label58, &QLabel::setText);
    connect(descarga_, &Descarga::progresoCambiado, this, [this](int valor) {
        ProgressBar1->setRange(0, descarga_->maximo());
        ProgressBar1->setValue(valor);
        // Only a download in progress shows its bar; an idle one says nothing.
        ProgressBar1->setVisible(descarga_->activa());
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
    // A click while the program's own download runs makes it the user's: from here on it says
    // everything in message boxes, as a download started by hand does.
    if (automatica_ && descarga_->activa()) {
        automatica_ = false;
        return;
    }
    automatica_ = false;
    empiezaBajada();
}

bool PestanaUltimo::bajaSola()
{
    if (descarga_->activa() || (infor_ && infor_->isVisible()))
        return false;
    automatica_ = true;
    empiezaBajada();
    return true;
}

bool PestanaUltimo::calla(const QString &estado, const QString &texto)
{
    if (!automatica_)
        return false;
    notaAutomatica_ = estado;
    Label6->setToolTip(texto);
    return true;
}

void PestanaUltimo::muestraEstado(const QString &texto)
{
    // What a download of the program's own had to say is added once it is over.
    if (descarga_->activa() || notaAutomatica_.isEmpty()) {
        Label6->setText(texto);
        return;
    }
    Label6->setText(texto.isEmpty() ? notaAutomatica_ : texto + u(" · ") + notaAutomatica_);
}

void PestanaUltimo::empiezaBajada()
{
    notaAutomatica_.clear();
    Label6->setToolTip(QString());
    if (infor_ && infor_->isVisible())
        return;
    pdfbajado_ = false;
    sinGuardar_ = false;
    ultimoAntes_ = sesion_.sorteoActual().fecha;
    sesion_.empiezaDescarga();
    sesion_.paraAviso();
    sesion_.ponAvisopremio(0);
    if (infor_)
        infor_->close();

    if (const std::optional<NotaBajada> impedida = bajada::impedimento(sesion_)) {
        // Missing days before the page's 50 are said on the status line of a download of the
        // program's own; a clock behind the archive always in a box.
        if (impedida->tipo == NotaBajada::Tipo::Exclamacion &&
            calla(u("BAJADA AUTOMÁTICA: FALTAN SORTEOS ANTERIORES"), impedida->texto))
            muestraEstado(QString());
        else
            muestra(*impedida);
        return;
    }
    if (const Fuente *fuente = sesion_.fuente()) {
        // Everything from the day after the newest archived draw up to today, whatever the gap,
        // and the last days again for their amounts.
        const auto [desde, hasta] = sesion_.diasPorPedir();
        hastaServicio_ = hasta;
        descarga_->empiezaRespuestas(fuente->peticiones(desde, hasta), fuente->limite(),
                                     hostOperador());
        return;
    }
    descarga_->empieza(bajada::busqueda(sesion_), sesion_.sitios().operadorSitio);
}

void PestanaUltimo::Timer1_Timer()
{
    descarga_->tick();
}

void PestanaUltimo::analizasorteos(const QByteArray &pagina)
{
    const bajada::Analisis r =
        bajada::analiza(sesion_, pagina, descarga_->estadoinet == Transferencia::kEstadoError);
    sinGuardar_ = sinGuardar_ || r.sinGuardar;
    if (r.errordatos)
        Text1->setPlainText(u("\nERROR DE INTERPRETACIÓN DE DATOS:\nSi más tarde se conecta y le "
                              "vuelve a suceder envie un email a: ") +
                            sesion_.sitios().autorCorreo);
    for (const NotaBajada &n : r.notas) {
        // A download of the program's own says on the status line that nothing came or that
        // the site could not be reached; every other note is a message box.
        const bool callada = r.detener ? calla(sinConexion(), n.texto)
                             : !n.fallo && n.tipo == NotaBajada::Tipo::Informacion
                                 ? calla(sinNovedades(), n.texto)
                                 : false;
        if (!callada)
            muestra(n);
    }
    if (r.detener)
        descarga_->detiene();
}

bool PestanaUltimo::leeRespuesta(const QByteArray &respuesta)
{
    const bajada::Lectura l = bajada::lee(sesion_, respuesta, hastaServicio_);
    sinGuardar_ = sinGuardar_ || l.sinGuardar;
    for (const NotaBajada &n : l.notas)
        muestra(n);
    if (l.rechazada)
        ofreceNavegador(0);
    return l.sigue;
}

void PestanaUltimo::cierraRespuestas()
{
    if (sesion_.cierraRecepcion() == 0 &&
        !calla(sinNovedades(), u("Todavía no hay sorteos nuevos.")))
        Escritorio::actual().aviso(u("Todavía no hay sorteos nuevos."), u("Pruebe más tarde"),
                                   Escritorio::Icono::Informacion);
}

void PestanaUltimo::ofreceNavegador(int codigoHttp)
{
    const Fuente *fuente = sesion_.fuente();
    if (!fuente)
        return;
    // The program's own downloads would ask at every draw while the operator keeps turning it
    // away: the question comes once a day, and the status line says it the other times.
    if (automatica_) {
        Preferencias p = sesion_.preferencias();
        if (p.rechazoAvisado == sesion_.hoy()) {
            calla(u("BAJADA AUTOMÁTICA: EL OPERADOR HA RECHAZADO LA DESCARGA"),
                  servicio::textoRechazo(hostOperador(), codigoHttp));
            return;
        }
        p.rechazoAvisado = sesion_.hoy();
        escrito(sesion_.ponPreferencias(p), QStringLiteral("ajustes.ini"));
    }
    if (!Escritorio::actual().pregunta(servicio::textoRechazo(hostOperador(), codigoHttp),
                                       servicio::tituloRechazo(), Escritorio::Icono::Pregunta))
        return;
    const auto [desde, hasta] = sesion_.diasQueFaltan();
    Escritorio::actual().abreDireccion(fuente->enNavegador(desde, hasta));
}

QString PestanaUltimo::hostOperador() const
{
    return bajada::hostOperador(sesion_.sitios());
}

void PestanaUltimo::postdescarga()
{
    descarga_->ponProgreso(descarga_->maximo() - 2);
    sesion_.terminaDescarga();
    descarga_->ponProgreso(descarga_->maximo() - 1);
    premiosorteo(0);
    Picture2->setProperty("imagen", 2);
    Picture2->setStyleSheet(QString());
    avisaPremios();
}

void PestanaUltimo::avisaPremios()
{
    // Only a draw this download brought: one the archive already had was told of then, or
    // came from a file the user chose.
    const double fecha = sesion_.sorteoActual().fecha;
    Preferencias p = sesion_.preferencias();
    const QDate dia = fechas::dia(fecha);
    if (fecha <= ultimoAntes_ || !p.avisosEscritorio || p.sorteoAvisado == dia)
        return;
    const std::vector<premiados::Premio> premios = sesion_.cuentas().premiosDe(fecha);
    if (premios.empty())
        return;
    p.sorteoAvisado = dia;
    escrito(sesion_.ponPreferencias(p), QStringLiteral("ajustes.ini"));
    QStringList lineas;
    for (const premiados::Premio &premio : premios)
        lineas << premiados::linea(premio);
    const QString titulo =
        premios.size() == 1 ? u("¡Premio en el sorteo!") : u("¡Premios en el sorteo!");
    if (Escritorio::actual().notifica(titulo, lineas.join(QLatin1Char('\n')), premios.front().pena))
        return;
    // Without a notification area the status line says it once the download is over.
    notaAutomatica_ = premios.size() == 1 ? u("¡PREMIO! ") + lineas.front()
                                          : u("¡PREMIOS! Vea el Gestor de peñas");
    Label6->setToolTip(lineas.join(QLatin1Char('\n')));
}

void PestanaUltimo::premiosorteo(int modo)
{
    Text1->setVisible(true);
    WebBrowser1->setVisible(false);
    textoinforme_.clear();
    // An empty archive has no draw to name: the zero date would read 30 December 1899.
    const QString fecha = fechas::textoLargo(sesion_.sorteoActual().fecha);
    Label8->setText(sesion_.sorteoActual().fecha > 0 && !fecha.isEmpty()
                        ? u("-Informe del ") + fecha
                        : u("-Informe del último sorteo"));
    ponCombinacion();
    const bool desdeServicio = sesion_.fuente() != nullptr;
    ponTitulos(desdeServicio);
    if (desdeServicio) {
        premiosServicio(modo);
        return;
    }

    // The page names no date: only the page just downloaded is known to be the newest draw's,
    // and only then are its amounts kept. Its rows are 1ª to 5ª and the refund: the winners
    // file's from its second place on. The page itself gives no winners; ganadores.dat has
    // them only when the draw came with the service's breakdown too (an imported answer).
    const desglose::Desglose d = sesion_.desglosePagina(modo == 0);
    const auto ganadores = ganadoresUltimo();
    for (int k = 0; k < 6; ++k)
        ponFila(k, d.premios[static_cast<size_t>(k)], ganadores[static_cast<size_t>(k) + 1]);
    if (d.enlacePdf.isEmpty()) {
        Text1->setPlainText(desglose::textoSinDatos());
        return;
    }
    textoinforme_ = direcciones::pdf(sesion_.sitios().operadorSitioPdf, d.enlacePdf);
    // A link that would take the fetch to another host is not followed.
    if (textoinforme_.isEmpty()) {
        Text1->setPlainText(desglose::textoSinDatos());
        return;
    }
    if (modo == 0)
        bajapdf(textoinforme_);
    else
        muestrapdf();
}

void PestanaUltimo::premiosServicio(int modo)
{
    // The amounts as premios.dat keeps them: those published or corrected after the draw's
    // own download are there too.
    const ImportesSorteo *importes = sesion_.importes().busca(sesion_.sorteoActual().fecha);
    const auto ganadores = ganadoresUltimo();
    for (int k = 0; k < 6; ++k) {
        const auto c = static_cast<size_t>(k);
        ponFila(k,
                importes && importes->conoce(k)
                    ? std::optional(servicio::importe(ganancias::textoCsv(importes->centimos[c])))
                    : std::nullopt,
                ganadores[c]);
    }
    const std::optional<servicio::SorteoLeido> ultimo = sesion_.sorteoServicio();

    const Sitios &sitios = sesion_.sitios();
    if (ultimo)
        textoinforme_ =
            servicio::direccionPdf(ultimo->pdf, sitios.operadorSitio, sitios.operadorSitioPdf);
    if (textoinforme_.isEmpty()) {
        Text1->setPlainText(servicio::textoDocumentoEnWeb());
        return;
    }
    if (modo == 0)
        bajapdf(textoinforme_);
    else
        muestrapdf();
}

// The page's table starts at the first category and ends with the refund; the service's
// breakdown starts at the special category.
void PestanaUltimo::ponTitulos(bool servicio)
{
    static const char *const kPagina[6] = {
        "1ª Categoría (6 aciertos):", "2ª Categoría (5 aciertos + complementario):",
        "3ª Categoría (5 aciertos):", "4ª Categoría (4 aciertos):",
        "5ª Categoría (3 aciertos):", "Reintegro:"};
    static const char *const kServicio[6] = {"Categoría especial (6 aciertos + reintegro):",
                                             "1ª Categoría (6 aciertos):",
                                             "2ª Categoría (5 aciertos + complementario):",
                                             "3ª Categoría (5 aciertos):",
                                             "4ª Categoría (4 aciertos):",
                                             "5ª Categoría (3 aciertos):"};
    for (int k = 0; k < 6; ++k)
        titulos_[k]->setText(u(servicio ? kServicio[k] : kPagina[k]));
}

// "Combinación ganadora: 8 - 17 - 19 - 45 - 48 - 49   C: 43   R: 2   Joker: 8337021". The
// archive holds 0 for what a draw did not have: no refund before it was first drawn, no Joker
// before it was played (or not known); those are left out rather than shown as drawn.
void PestanaUltimo::ponCombinacion()
{
    const Sorteo &s = sesion_.sorteoActual();
    QString texto;
    if (s.fecha > 0) {
        QStringList numeros;
        for (const qint16 n : s.numeros)
            numeros << QString::number(n);
        texto = u("Combinación ganadora: ") + numeros.join(QStringLiteral(" - ")) +
                QStringLiteral("   C: ") + QString::number(s.complementario);
        if (s.fecha >= fechas::serial(juego::primerReintegro()))
            texto += QStringLiteral("   R: ") + QString::number(s.reintegro);
        if (s.joker != 0)
            texto +=
                QStringLiteral("   Joker: ") +
                QStringLiteral("%1").arg(static_cast<qint64>(s.joker), 7, 10, QLatin1Char('0'));
    }
    combinacion_->setText(texto);
    // An empty archive has no draw: no blank line above the breakdown.
    combinacion_->setHidden(texto.isEmpty());
}

void PestanaUltimo::ponFila(int k, const std::optional<QString> &importe, qint64 ganadores)
{
    // A figure not published yet (or not kept) is said to be so: a "0" would read as a category
    // that paid nothing or that nobody won.
    const bool conocido = importe && !importe->trimmed().isEmpty();
    Label10[k]->setText(conocido ? importe->trimmed() : textoPendiente());
    euros_[k]->setVisible(conocido);
    ganadores_[k]->setText(textoGanadores(ganadores));
}

std::array<qint64, Escrutinio::kCategorias> PestanaUltimo::ganadoresUltimo() const
{
    auto r = Escrutinio::desconocidos<Escrutinio::kCategorias>();
    const double fecha = sesion_.sorteoActual().fecha;
    if (fecha <= 0)
        return r;
    // The session keeps only the amounts open; the winners are read when they are shown. A
    // file that cannot be read leaves them unknown.
    ArchivoGanadores archivo(importes::rutaGanadores(sesion_.carpeta()));
    archivo.abre();
    if (const GanadoresSorteo *g = archivo.busca(fecha))
        r = g->ganadores;
    return r;
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
    qint64 tamano = 0;
    {
        // Only a regular file: a FIFO in its place would hold start-up for good.
        QFile archivo;
        if (archivos::abreRegular(archivo, sesion_.ruta(QStringLiteral("kap.pdf"))) ==
            archivos::Apertura::Abierta) {
            cabecera = archivo.read(4);
            tamano = archivo.size();
        }
    }
    // No document the program fetched can be this large (the transfer stops at the limit):
    // loading it would freeze the window.
    if (cabecera == "%PDF" && tamano > kMaximoPdf) {
        WebBrowser1->setVisible(false);
        Text1->setVisible(true);
        Text1->setPlainText(u("\nATENCIÓN:\nEl documento del sorteo (kap.pdf) ocupa más de %1 MB "
                              "y no se muestra.")
                                .arg(kMaximoPdf >> 20));
        return;
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
    if (Text1->toPlainText() == servicio::textoDocumentoEnWeb()) {
        Escritorio::actual().abreDireccion(direcciones::resultados(sesion_.sitios().operadorSitio));
        return;
    }
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
        escrito(sesion_.ponWeb(m.nuevaWeb), QStringLiteral("nums.ini"));
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
