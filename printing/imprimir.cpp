#include "printing/imprimir.h"
#include "archive/texto.h"
#include "printing/entrada.h"
#include "printing/imprimeboletos.h"
#include "printing/vistaprevia.h"
#include "session/version.h"
#include "widgets/avisos.h"
#include "widgets/escritorio.h"
#include "widgets/pdf.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QLabel *etiqueta(QWidget *padre, const char *nombre, const QString &texto)
{
    auto *l = new QLabel(texto, padre);
    l->setObjectName(QString::fromLatin1(nombre));
    return l;
}

QString textoNumero(double valor)
{
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(valor, 'g', 7);
}

// Our own small logo of the add-on game for the box beside it.
QPixmap logoAdicional()
{
    QPixmap imagen(64, 22);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 40, 140));
    p.drawRoundedRect(QRectF(0.5, 0.5, 63, 21), 6, 6);
    QFont f(QStringLiteral("arial"));
    f.setBold(true);
    f.setPixelSize(14);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(imagen.rect(), Qt::AlignCenter, QStringLiteral("JOKER"));
    return imagen;
}

} // namespace

Imprimir::Imprimir(const QString &carpeta, const Pena &pena, QWidget *parent)
    : QDialog(parent), carpeta_(carpeta), pena_(pena)
{
    setObjectName(QStringLiteral("Imprimir"));
    setWindowTitle(u("Imprimir boletos"));

    Label1 = etiqueta(this, "Label1", u("IMPRESIÓN DE LOS NÚMEROS DE LA PEÑA:"));
    QFont negrita = Label1->font();
    negrita.setBold(true);
    Label1->setFont(negrita);
    Label2 = etiqueta(this, "Label2", QString());
    Label2->setFont(negrita);
    Label4 = etiqueta(this, "Label4", QString());
    Label6 = etiqueta(this, "Label6", QString());
    Label8 = etiqueta(this, "Label8", QString());

    auto *datos = new QGridLayout;
    datos->addWidget(Label1, 0, 0, 1, 2);
    datos->addWidget(Label2, 1, 0, 1, 2);
    datos->addWidget(etiqueta(this, "Label3", u("-Total apuestas:")), 2, 0);
    datos->addWidget(Label4, 2, 1);
    datos->addWidget(etiqueta(this, "Label5", u("-Nº de boletos oficiales que necesita:")), 3, 0);
    datos->addWidget(Label6, 3, 1);
    datos->addWidget(etiqueta(this, "Label7", u("-Asegúrese que el papel sea para jugar los:")), 4,
                     0);
    datos->addWidget(Label8, 4, 1);
    datos->setColumnStretch(1, 1);

    auto *oficial = new QGroupBox(u("Sólo en papel oficial"), this);
    auto *rejilla = new QGridLayout(oficial);
    for (int i = 0; i < 2; ++i) {
        Text1[i] = new QLineEdit(oficial);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        Text1[i]->setMaximumWidth(80);
        Text1[i]->installEventFilter(this);
        rejilla->addWidget(
            new QLabel(i == 0 ? QStringLiteral("X:") : QStringLiteral("Y:"), oficial), i, 0);
        rejilla->addWidget(Text1[i], i, 1);
        rejilla->addWidget(new QLabel(QStringLiteral("mm."), oficial), i, 2);
        connect(Text1[i], &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
    }
    auto *pista = etiqueta(oficial, "Label10",
                           u("Ajuste la X y la Y para que las \"x\" coincidan en las casillas. "
                             "También depende del papel oficial ya que a veces están cortados "
                             "irregularmente."));
    pista->setWordWrap(true);
    rejilla->addWidget(pista, 2, 0, 1, 4);
    rejilla->setColumnStretch(3, 1);
    Command3 = new QPushButton(u("Imprimir hoja de ajuste"), oficial);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setToolTip(u("Imprime una hoja con todas las casillas marcadas para comprobar el "
                           "ajuste sobre un boleto."));
    rejilla->addWidget(Command3, 3, 0, 1, 4);

    auto *adicional = new QHBoxLayout;
    Check1 = new QCheckBox(u("-Jugar al"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Image1 = etiqueta(this, "Image1", QString());
    Image1->setPixmap(logoAdicional());
    adicional->addWidget(Check1);
    adicional->addWidget(Image1);
    adicional->addStretch(1);

    Command1 = new QPushButton(u("Imprimir en papel oficial"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(u("Imprimir en papel normal"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setToolTip(
        u("Imprime en papel normal una participación compatible con el sistema oficial!"));
    Command4 = new QPushButton(u("Guardar como PDF"), this);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command4->setToolTip(u("Guarda en un archivo PDF las hojas de la vista previa."));
    auto *botones = new QHBoxLayout;
    botones->addWidget(Command1);
    botones->addWidget(Command2);
    botones->addWidget(Command4);

    auto *izquierda = new QVBoxLayout;
    izquierda->addLayout(datos);
    izquierda->addWidget(oficial);
    izquierda->addLayout(adicional);
    izquierda->addStretch(1);
    izquierda->addLayout(botones);

    auto *previa = new QGroupBox(u("Vista previa"), this);
    auto *capaPrevia = new QVBoxLayout(previa);
    auto *modos = new QHBoxLayout;
    const char *const nombresModo[2] = {"Papel oficial", "Papel normal"};
    for (int i = 0; i < 2; ++i) {
        Option1[i] = new QRadioButton(u(nombresModo[i]), previa);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        modos->addWidget(Option1[i]);
    }
    vista = new VistaPrevia(previa);
    anterior = new QPushButton(QStringLiteral("<"), previa);
    anterior->setObjectName(QStringLiteral("VistaAnterior"));
    siguiente = new QPushButton(QStringLiteral(">"), previa);
    siguiente->setObjectName(QStringLiteral("VistaSiguiente"));
    hojaVista = etiqueta(previa, "VistaHoja", QString());
    hojaVista->setAlignment(Qt::AlignCenter);
    auto *paso = new QHBoxLayout;
    paso->addWidget(anterior);
    paso->addWidget(hojaVista, 1);
    paso->addWidget(siguiente);
    capaPrevia->addLayout(modos);
    capaPrevia->addWidget(vista, 1);
    capaPrevia->addLayout(paso);

    auto *capa = new QHBoxLayout(this);
    capa->addLayout(izquierda);
    capa->addWidget(previa, 1);

    Option1[0]->setChecked(true);
    for (QRadioButton *modo : Option1)
        connect(modo, &QRadioButton::toggled, this, [this](bool activo) {
            if (activo)
                actualizaVista();
        });
    connect(Command1, &QPushButton::clicked, this, &Imprimir::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Imprimir::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Imprimir::pruebaAjuste);
    connect(Command4, &QPushButton::clicked, this, &Imprimir::guardaPdf);
    connect(Check1, &QCheckBox::toggled, this, &Imprimir::actualizaVista);
    connect(anterior, &QPushButton::clicked, this,
            [this] { vista->ponActual(vista->actual() - 1); });
    connect(siguiente, &QPushButton::clicked, this,
            [this] { vista->ponActual(vista->actual() + 1); });
    connect(vista, &VistaPrevia::cambiada, this, &Imprimir::muestraHoja);

    Form_Load();
}

Imprimir::~Imprimir() = default;

QString Imprimir::rutaAjustes() const
{
    return QDir(carpeta_).filePath(QStringLiteral("nums.ini"));
}

void Imprimir::Form_Load()
{
    impresora_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    impresion::preparaImpresora(*impresora_);
    ajustes_ = Ajustes::lee(rutaAjustes());
    marcaLunes_ = Sitios::lee(carpeta_).marcaLunes;

    const boletos::Cuenta c = boletos::cuenta(pena_);
    Label2->setText(pena_.nombreTexto().trimmed());
    Label4->setText(QString::number(c.apuestas));
    Label6->setText(QString::number(c.boletos));
    Label8->setText(pena_.diasTexto().trimmed());
    const bool hay = c.apuestas > 0;
    Command1->setEnabled(hay);
    Command2->setEnabled(hay);
    Command4->setEnabled(hay);
    muestraDesplazamientos();
    actualizaVista();
}

void Imprimir::muestraDesplazamientos()
{
    cambiando_ = true;
    Text1[0]->setText(textoNumero(ajustes_.desplazaX));
    Text1[1]->setText(textoNumero(ajustes_.desplazaY));
    cambiando_ = false;
}

void Imprimir::Text1_Change(int elemento)
{
    if (cambiando_ || elemento < 0 || elemento > 1)
        return;
    const entrada::Cambio cambio = entrada::desplazamiento(Text1[elemento]->text());
    switch (cambio.accion) {
    case entrada::Accion::Conserva:
        // Half typed: leaving the box empty is answered when the user leaves it.
        return;
    case entrada::Accion::Restaura:
        muestraDesplazamientos();
        return;
    case entrada::Accion::Guarda:
        break;
    }
    // Read the record again: the settings window may have changed another field meanwhile.
    Ajustes a = Ajustes::lee(rutaAjustes());
    (elemento == 0 ? a.desplazaX : a.desplazaY) = static_cast<float>(cambio.valor);
    ajustes_ = a;
    // Told once per window: the box is written at every keystroke.
    const Escritura r = a.escribe(rutaAjustes());
    if (r != Escritura::Hecha && !falloAvisado_) {
        falloAvisado_ = true;
        escrito(r, QStringLiteral("nums.ini"));
    }
    emit ajustesCambiados(ajustes_);
    actualizaVista();
}

void Imprimir::Text1_LostFocus(int elemento)
{
    if (elemento < 0 || elemento > 1 || !Text1[elemento]->text().trimmed().isEmpty())
        return;
    Escritorio::actual().aviso(
        u("Te has dejado una coordenada en blanco. Introduce un número válido."), u("EHEHEHH"),
        Escritorio::Icono::Critico);
}

bool Imprimir::eventFilter(QObject *objeto, QEvent *evento)
{
    // Only leaving the box for another control counts; switching to another window or opening
    // a menu is not the user leaving the box half done.
    if (evento->type() == QEvent::FocusOut) {
        const Qt::FocusReason motivo = static_cast<QFocusEvent *>(evento)->reason();
        if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason)
            for (int i = 0; i < 2; ++i)
                if (objeto == Text1[i])
                    Text1_LostFocus(i);
    }
    return QDialog::eventFilter(objeto, evento);
}

void Imprimir::Command1_Click()
{
    papelnormal = 0;
    imprimeboletos();
}

void Imprimir::Command2_Click()
{
    papelnormal = 1;
    imprimeboletos();
}

boletos::Opciones Imprimir::opciones(bool papelNormal) const
{
    boletos::Opciones o;
    o.papelNormal = papelNormal;
    o.desplazaX = ajustes_.desplazaX;
    o.desplazaY = ajustes_.desplazaY;
    o.adicional = Check1->isChecked();
    o.aviso = nombreVersion();
    o.marcaLunes = marcaLunes_;
    return o;
}

void Imprimir::imprimeboletos()
{
    impresion::imprime(*impresora_, boletos::imprimeboletos(pena_, opciones(papelnormal == 1)));
}

bool Imprimir::guardaPdf()
{
    // The file holds what the preview shows, on the paper chosen there.
    const std::vector<boletos::Pagina> paginas =
        boletos::imprimeboletos(pena_, opciones(Option1[1]->isChecked()));
    if (paginas.empty())
        return false;
    const QString destino = pdf::eligeDestino(u("Guardar como PDF"), QStringLiteral("boletos.pdf"));
    if (destino.isEmpty())
        return false;
    return pdf::guarda(
        destino, [&paginas](QPagedPaintDevice &hoja) { return impresion::pinta(hoja, paginas); });
}

void Imprimir::pruebaAjuste()
{
    impresion::imprime(*impresora_, {boletos::pruebaajuste(ajustes_.desplazaX, ajustes_.desplazaY,
                                                           nombreVersion())});
}

void Imprimir::actualizaVista()
{
    vista->ponPaginas(boletos::imprimeboletos(pena_, opciones(Option1[1]->isChecked())));
    muestraHoja();
}

void Imprimir::muestraHoja()
{
    const int total = vista->cuenta();
    hojaVista->setText(total == 0 ? u("Nada que imprimir")
                                  : u("Hoja %1 de %2").arg(vista->actual() + 1).arg(total));
    anterior->setEnabled(vista->actual() > 0);
    siguiente->setEnabled(vista->actual() + 1 < total);
}
