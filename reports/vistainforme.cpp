#include "reports/vistainforme.h"
#include "widgets/escritorio.h"
#include "widgets/pdf.h"

#include <QHBoxLayout>
#include <QPageLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

VistaInforme::VistaInforme(const QString &html, const QString &titulo, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("VistaInforme"));
    setWindowTitle(titulo);
    setAttribute(Qt::WA_DeleteOnClose);
    documento_.setHtml(html);

    auto *capa = new QVBoxLayout(this);
    auto *botones = new QHBoxLayout;
    auto boton = [this, botones](const char *nombre, const char *texto) {
        auto *b = new QPushButton(QString::fromUtf8(texto), this);
        b->setObjectName(QString::fromLatin1(nombre));
        b->setAutoDefault(false);
        botones->addWidget(b);
        return b;
    };
    QPushButton *imprimir = boton("botonImprimir", "Imprimir...");
    QPushButton *pdf = boton("botonPdf", "Guardar como PDF...");
    QPushButton *acercar = boton("botonAcercar", "Ampliar");
    QPushButton *alejar = boton("botonAlejar", "Reducir");
    botones->addStretch(1);
    QPushButton *cerrar = boton("botonCerrar", "Cerrar");
    capa->addLayout(botones);

    // The preview lays the pages out on a PDF printer, which needs no printer installed.
    impresora_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    impresora_->setOutputFormat(QPrinter::PdfFormat);
    impresora_->setPageSize(QPageSize(QPageSize::A4));
    vista_ = new QPrintPreviewWidget(impresora_.get(), this);
    vista_->setObjectName(QStringLiteral("vistaPrevia"));
    connect(vista_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *p) { imprimeEn(documento_, *p); });
    capa->addWidget(vista_, 1);

    connect(imprimir, &QPushButton::clicked, this, &VistaInforme::imprime);
    connect(pdf, &QPushButton::clicked, this, &VistaInforme::exportaPdf);
    connect(acercar, &QPushButton::clicked, vista_, [this] { vista_->zoomIn(); });
    connect(alejar, &QPushButton::clicked, vista_, [this] { vista_->zoomOut(); });
    connect(cerrar, &QPushButton::clicked, this, &QDialog::close);
    // A page wide and as tall as the screen allows: on a 720-line screen the window must not
    // hang below the panel with its buttons out of reach.
    const QRect pantalla = (parent ? parent->screen() : screen())->availableGeometry();
    resize(std::min(760, pantalla.width() - 40), std::min(900, pantalla.height() - 60));
}

// The preview goes before the printer it draws on.
VistaInforme::~VistaInforme()
{
    delete vista_;
}

void VistaInforme::imprimeEn(QTextDocument &documento, QPrinter &impresora)
{
    documento.print(&impresora);
}

bool VistaInforme::imprime()
{
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setPageSize(QPageSize(QPageSize::A4));
    if (!Escritorio::actual().eligeImpresora(impresora))
        return false;
    imprimeEn(documento_, impresora);
    return true;
}

bool VistaInforme::exportaPdf()
{
    const QString destino = pdf::eligeDestino(QStringLiteral("Guardar como PDF"),
                                              windowTitle() + QStringLiteral(".pdf"));
    if (destino.isEmpty())
        return false;
    return pdf::guarda(destino, [this](QPagedPaintDevice &pdf) {
        documento_.print(&pdf);
        return true;
    });
}
