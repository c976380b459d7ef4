#include "web/completar.h"
#include "archive/texto.h"
#include "session/sesion.h"
#include "web/descarga.h"
#include "web/servicio.h"
#include "widgets/escritorio.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QString titulo()
{
    return u("Completar importes de premios");
}
} // namespace

// What the download's steps ask of this window: only the amounts of each answer are kept.
class CompletarImportes::Ventana : public QObject, public Descarga::Ventana {
public:
    explicit Ventana(CompletarImportes &c) : QObject(&c), c_(c) {}

    void temporizador(bool enMarcha) override
    {
        if (enMarcha) {
            c_.timer_->start();
            return;
        }
        c_.timer_->stop();
        // The steps stop the timer on every way out; the ways that give up without closing
        // the answers leave the summary to say where the run stopped.
        QTimer::singleShot(0, &c_, [this] {
            if (!c_.descarga_->activa() && !c_.terminado_)
                c_.termina(false);
        });
    }
    void avisa(Descarga::Aviso aviso) override
    {
        Escritorio::actual().aviso(Descarga::textoAviso(aviso), Descarga::tituloAviso(aviso),
                                   Escritorio::Icono::Exclamacion);
    }
    void primeraPestana() override {}
    void analizasorteos(const QByteArray &) override {}
    QString enlacesorteo() const override { return {}; }
    bool errordatos() const override { return false; }
    void postproceso() override {}
    bool leeRespuesta(const QByteArray &respuesta) override
    {
        const int anio = c_.anioDe_[static_cast<size_t>(c_.leidas_)];
        const Sesion::Completado r = c_.sesion_.completaImportes(respuesta, anio);
        using Forma = Fuente::Lectura::Forma;
        const QString host = QUrl(c_.sesion_.sitios().operadorSitio).host();
        switch (r.forma) {
        case Forma::Lista:
            break;
        case Forma::Pagina:
            rechazada(0);
            return false;
        case Forma::Grande:
            avisaFallo(servicio::textoGrande(host), servicio::tituloNoValido());
            return false;
        case Forma::NoEsLista:
            avisaFallo(servicio::textoNoJson(host), servicio::tituloNoValido());
            return false;
        }
        if (r.escritura != Escritura::Hecha) {
            avisaFallo(u("No se han podido guardar los importes en el archivo premios.dat. Puede "
                         "que el disco esté lleno: libere espacio y vuelva a completarlos."),
                       u("Importes no guardados"));
            return false;
        }
        ++c_.leidas_;
        c_.completados_ += r.completados;
        c_.resumen_->setText(c_.resumen());
        return true;
    }
    void avisaFallo(const QString &texto, const QString &titulo) override
    {
        Escritorio::actual().aviso(texto, titulo, Escritorio::Icono::Exclamacion);
    }
    void rechazada(int codigoHttp) override
    {
        const QString host = QUrl(c_.sesion_.sitios().operadorSitio).host();
        const Fuente *fuente = c_.sesion_.fuente();
        if (!fuente || c_.leidas_ >= static_cast<int>(c_.anioDe_.size()))
            return;
        if (Escritorio::actual().pregunta(servicio::textoRechazo(host, codigoHttp),
                                          servicio::tituloRechazo(), Escritorio::Icono::Pregunta)) {
            const auto [desde, hasta] =
                c_.sesion_.diasDelAnio(c_.anioDe_[static_cast<size_t>(c_.leidas_)]);
            Escritorio::actual().abreDireccion(fuente->enNavegador(desde, hasta));
        }
    }
    int nuevos() const override { return c_.leidas_; }
    void cierraRespuestas() override
    {
        c_.termina(c_.leidas_ == static_cast<int>(c_.anioDe_.size()));
    }

private:
    CompletarImportes &c_;
};

CompletarImportes::CompletarImportes(Sesion &sesion, QWidget *parent)
    : QDialog(parent), sesion_(sesion)
{
    setObjectName(QStringLiteral("CompletarImportes"));
    setWindowTitle(titulo());
    auto *capa = new QVBoxLayout(this);
    auto *explica = new QLabel(
        u("Se piden al servicio de resultados los importes de premios de los sorteos del "
          "archivo que no los tienen, un año cada vez, empezando por el más antiguo."),
        this);
    explica->setWordWrap(true);
    capa->addWidget(explica);
    estado_ = new QLabel(this);
    estado_->setObjectName(QStringLiteral("estadoImportes"));
    capa->addWidget(estado_);
    progreso_ = new QProgressBar(this);
    progreso_->setObjectName(QStringLiteral("progresoImportes"));
    capa->addWidget(progreso_);
    resumen_ = new QLabel(this);
    resumen_->setObjectName(QStringLiteral("resumenImportes"));
    resumen_->setWordWrap(true);
    capa->addWidget(resumen_);
    cancelar_ = new QPushButton(u("Cancelar"), this);
    cancelar_->setObjectName(QStringLiteral("cancelarImportes"));
    connect(cancelar_, &QPushButton::clicked, this, &CompletarImportes::cancelar_Click);
    capa->addWidget(cancelar_, 0, Qt::AlignRight);
    setMinimumWidth(460);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("TimerImportes"));
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &CompletarImportes::Timer_Timer);
    ventana_ = new Ventana(*this);
    descarga_ = new Descarga(sesion_.carpeta(), *ventana_, this);
    connect(descarga_, &Descarga::estadoCambiado, estado_, &QLabel::setText);
    connect(descarga_, &Descarga::progresoCambiado, this, [this](int valor) {
        progreso_->setRange(0, descarga_->maximo());
        progreso_->setValue(valor);
    });
}

CompletarImportes::~CompletarImportes() = default;

void CompletarImportes::empieza()
{
    const Fuente *fuente = sesion_.fuente();
    if (!fuente) {
        resumen_->setText(u("Los importes se piden al servicio de resultados, y el programa está "
                            "configurado para leer las páginas de resultados."));
        termina(false);
        return;
    }
    std::vector<Fuente::Peticion> peticiones;
    anioDe_.clear();
    for (int anio : sesion_.aniosSinImportes()) {
        const auto [desde, hasta] = sesion_.diasDelAnio(anio);
        for (Fuente::Peticion &p : fuente->peticiones(desde, hasta)) {
            peticiones.push_back(std::move(p));
            anioDe_.push_back(anio);
        }
    }
    leidas_ = 0;
    completados_ = 0;
    terminado_ = false;
    if (peticiones.empty()) {
        sesion_.terminaImportes();
        resumen_->setText(sesion_.sorteosSinImportes() == 0
                              ? u("Todos los sorteos del archivo tienen sus importes de premios.")
                              : resumen());
        termina(true);
        return;
    }
    cancelar_->setText(u("Cancelar"));
    resumen_->setText(resumen());
    descarga_->empiezaRespuestas(std::move(peticiones), fuente->limite(),
                                 QUrl(sesion_.sitios().operadorSitio).host());
}

void CompletarImportes::Timer_Timer()
{
    descarga_->tick();
}

bool CompletarImportes::enMarcha() const
{
    return descarga_->activa();
}

void CompletarImportes::cancelar_Click()
{
    if (!descarga_->activa()) {
        close();
        return;
    }
    descarga_->detiene();
    termina(false);
}

void CompletarImportes::termina(bool entero)
{
    terminado_ = true;
    timer_->stop();
    if (entero)
        sesion_.terminaImportes();
    QString texto = resumen();
    if (!entero && leidas_ < static_cast<int>(anioDe_.size()))
        texto += u(" La próxima vez se seguirá desde el año %1.")
                     .arg(anioDe_[static_cast<size_t>(leidas_)]);
    if (sesion_.fuente() && !anioDe_.empty())
        resumen_->setText(texto);
    if (!entero)
        estado_->setText(u("INTERRUMPIDO"));
    cancelar_->setText(u("Cerrar"));
}

QString CompletarImportes::resumen() const
{
    const int siguen = sesion_.sorteosSinImportes();
    return (completados_ == 1 ? u("1 sorteo completado, ")
                              : u("%1 sorteos completados, ").arg(completados_)) +
           (siguen == 1 ? u("1 sigue sin importe.") : u("%1 siguen sin importe.").arg(siguen));
}

void CompletarImportes::closeEvent(QCloseEvent *evento)
{
    // Closing the window stops the requests; what came is kept and the next run goes on.
    if (descarga_->activa()) {
        descarga_->detiene();
        termina(false);
    }
    QDialog::closeEvent(evento);
}
