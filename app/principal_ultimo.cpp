// Tab 1 "Último sorteo": prize breakdown of the newest draw with its result PDF, and the
// maker's message.
#include "app/avisos.h"
#include "app/infor.h"
#include "app/principal.h"
#include "archive/fechas.h"
#include "web/desglose.h"
#include "web/direcciones.h"
#include "web/transferencia.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPdfDocument>
#include <QPdfView>
#include <QPlainTextEdit>
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

QWidget *Principal::construyeUltimo()
{
    auto *panel = new QWidget;
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
    connect(Command6, &QPushButton::clicked, this, &Principal::Command6_Click);
    capa->addWidget(Command6, 0, Qt::AlignRight);

    transferenciaPdf_ = new Transferencia(this);
    transferenciaPdf_->setObjectName(QStringLiteral("transferenciaPdf"));
    connect(transferenciaPdf_, &Transferencia::terminada, this, [this](bool bien) {
        const Escritura guardado =
            bien ? archivos::escribe(ruta(QStringLiteral("kap.pdf")), transferenciaPdf_->datos())
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
        if (!escrito(archivos::escribe(ruta(QStringLiteral("informe.dat")), mensajeNuevo_),
                     QStringLiteral("informe.dat")))
            return;
        muestramensaje();
    });
    return panel;
}

void Principal::premiosorteo(int modo)
{
    Text1->setVisible(true);
    WebBrowser1->setVisible(false);
    textoinforme.clear();
    Label8->setText(u("-Informe del ") + fechas::textoLargo(sorteoActual().fecha));

    QByteArray pagina;
    archivos::lee(ruta(QStringLiteral("www2.txt")), kMaximoPagina, pagina);
    const desglose::Desglose d = desglose::lee(pagina);
    for (int k = 0; k < 6; ++k)
        if (d.premios[static_cast<size_t>(k)])
            Label10[k]->setText(*d.premios[static_cast<size_t>(k)]);
    if (d.enlacePdf.isEmpty()) {
        Text1->setPlainText(desglose::textoSinDatos());
        return;
    }
    textoinforme = direcciones::pdf(sitios_.operadorSitioPdf, d.enlacePdf);
    if (modo == 0)
        bajapdf(textoinforme);
    else
        muestrapdf();
}

void Principal::bajapdf(const QString &direccion)
{
    documentoPdf_->close();
    QFile::remove(ruta(QStringLiteral("kap.pdf")));
    pdfbajado = true;
    transferenciaPdf_->pide(QUrl(direccion), kMaximoPdf);
}

void Principal::muestrapdf()
{
    QByteArray cabecera;
    {
        QFile archivo(ruta(QStringLiteral("kap.pdf")));
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
    if (documentoPdf_->load(ruta(QStringLiteral("kap.pdf"))) == QPdfDocument::Error::None) {
        Text1->setVisible(false);
        WebBrowser1->setVisible(true);
        return;
    }
    Text1->setPlainText(
        u("\nOPCIÓN NO DISPONIBLE\n\nSu ordenador no tiene instalado Adobe Reader para la "
          "lectura de archivos PDF.\nSi quiere instalarlo y disfrutar de esta opción, vaya a la "
          "web ") +
        sitios_.lectorPdfDescarga +
        u("\n(O haga click AQUÍ para instalarlo)\n\nEs totalmente gratuito. Una vez instalado, "
          "ejecútelo y acepte el contrato de licencia. Después ya podrá utilizar Bolarium con "
          "esta opción activada."));
    lectorpdf = 1;
}

void Principal::Text1_Click()
{
    if (lectorpdf == 1)
        Escritorio::actual().abreDireccion(QUrl(sitios_.lectorPdfDescarga));
}

void Principal::mensajeautor()
{
    const double ultimo = sorteoActual().fecha;
    if (ultimo == 0 || ultimo + 4 > fechas::serial(hoy()))
        return;
    archivos::asegura(ruta(QStringLiteral("informe.dat")));
    bajamensaje();
}

void Principal::bajamensaje()
{
    if (penas_.vacio())
        return;
    mensajeViejo_.clear();
    archivos::lee(ruta(QStringLiteral("informe.dat")), Infor::kMaximoMensaje, mensajeViejo_);
    mensajeNuevo_ = mensajeViejo_;
    transferenciaMensaje_->pide(direcciones::mensaje(ajustes_.webTexto()), Infor::kMaximoMensaje);
}

void Principal::muestramensaje()
{
    const desglose::Mensaje m =
        desglose::muestramensaje(mensajeViejo_, mensajeNuevo_, ajustes_.webTexto());
    if (!m.mostrar)
        return;
    if (!m.nuevaWeb.isEmpty()) {
        ajustes_.ponWeb(m.nuevaWeb);
        escrito(ajustes_.escribe(ruta(QStringLiteral("nums.ini"))), QStringLiteral("nums.ini"));
    }
    abreInfor();
}

void Principal::Command6_Click()
{
    if (Timer1->isActive())
        return;
    abreInfor();
}

void Principal::abreInfor()
{
    if (!infor_) {
        infor_ = new Infor(carpeta_, sitios_.autorCorreo, this);
        infor_->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        infor_->Form_Load();
    }
    infor_->show();
    infor_->raise();
}

Infor *Principal::ventanaInfor() const
{
    return infor_;
}
