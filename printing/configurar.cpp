#include "printing/configurar.h"
#include "archive/texto.h"
#include "printing/entrada.h"
#include "widgets/avisos.h"
#include "widgets/escritorio.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace {
QString textoNumero(double valor)
{
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(valor, 'g', 7);
}
} // namespace

Configurar::Configurar(const QString &carpeta, QWidget *parent) : QDialog(parent), carpeta_(carpeta)
{
    setObjectName(QStringLiteral("Configurar"));
    setWindowTitle(u("Configurar"));

    auto *rejilla = new QGridLayout(this);
    auto *titulo = new QLabel(u("CONFIGURACIÓN"), this);
    titulo->setObjectName(QStringLiteral("Label1"));
    QFont negrita = titulo->font();
    negrita.setBold(true);
    titulo->setFont(negrita);
    Command1 = new QPushButton(QStringLiteral("X"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFixedWidth(28);
    Command1->setToolTip(u("Cerrar"));
    rejilla->addWidget(titulo, 0, 0, 1, 3);
    rejilla->addWidget(Command1, 0, 3, Qt::AlignRight);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    for (QLineEdit *caja : {Text1, Text2})
        caja->setMaximumWidth(80);
    rejilla->addWidget(new QLabel(u("-Precio por apuesta:"), this), 1, 0);
    rejilla->addWidget(Text1, 1, 1);
    rejilla->addWidget(new QLabel(u("euros."), this), 1, 2);
    rejilla->addWidget(new QLabel(u("-Sorteo max. división:"), this), 2, 0);
    rejilla->addWidget(Text2, 2, 1);
    rejilla->addWidget(new QLabel(u("meses,"), this), 2, 2);
    rejilla->addWidget(new QLabel(u("* Mínimo 2 meses"), this), 3, 1, 1, 3);

    bajarAlAbrir = new QCheckBox(u("Bajar sorteos nuevos al abrir el programa"), this);
    bajarAlAbrir->setObjectName(QStringLiteral("bajarAlAbrir"));
    bajarAlAbrir->setToolTip(
        u("Al abrir el programa, si falta algún sorteo ya celebrado, y mientras está abierto, a "
          "las 22:30 de cada día de sorteo y a las 9:00 del día siguiente si faltan importes de "
          "premios."));
    avisosEscritorio =
        new QCheckBox(u("Avisar en el escritorio cuando una peña tenga premio"), this);
    avisosEscritorio->setObjectName(QStringLiteral("avisosEscritorio"));
    avisosEscritorio->setToolTip(
        u("Un aviso del escritorio, una vez por sorteo, cuando una descarga trae un premio."));
    rejilla->addWidget(bajarAlAbrir, 4, 0, 1, 4);
    rejilla->addWidget(avisosEscritorio, 5, 0, 1, 4);

    connect(Text1, &QLineEdit::textChanged, this, &Configurar::Text1_Change);
    connect(Text2, &QLineEdit::textChanged, this, &Configurar::Text2_Change);
    // While typing, "1" may be the start of "12", so the box keeps what was typed; once the
    // typing is over it shows what was stored (never fewer than 2 months).
    connect(Text2, &QLineEdit::editingFinished, this,
            [this] { muestra(Text2, QString::number(ajustes_.profundidad)); });
    connect(Text1, &QLineEdit::editingFinished, this, &Configurar::Text1_LostFocus);
    connect(Command1, &QPushButton::clicked, this, &QDialog::close);
    for (QCheckBox *caja : {bajarAlAbrir, avisosEscritorio})
        connect(caja, &QCheckBox::toggled, this, [this] {
            if (!cambiando_)
                emit preferenciasCambiadas(bajarAlAbrir->isChecked(),
                                           avisosEscritorio->isChecked());
        });

    Form_Load();
}

QString Configurar::rutaAjustes() const
{
    return QDir(carpeta_).filePath(QStringLiteral("nums.ini"));
}

void Configurar::Form_Load()
{
    ajustes_ = Ajustes::lee(rutaAjustes());
    precioConfirmado_ = ajustes_.precio;
    muestra(Text1, textoNumero(ajustes_.precio));
    muestra(Text2, QString::number(ajustes_.profundidad));
    const Preferencias p = Preferencias::lee(carpeta_);
    cambiando_ = true;
    bajarAlAbrir->setChecked(p.bajarAlAbrir);
    avisosEscritorio->setChecked(p.avisosEscritorio);
    cambiando_ = false;
}

void Configurar::muestra(QLineEdit *caja, const QString &texto)
{
    cambiando_ = true;
    caja->setText(texto);
    cambiando_ = false;
}

template <typename Cambio> void Configurar::guarda(Cambio cambio)
{
    Ajustes a = Ajustes::lee(rutaAjustes());
    cambio(a);
    ajustes_ = a;
    // Told once per window: the box is written at every keystroke.
    const Escritura r = a.escribe(rutaAjustes());
    if (r != Escritura::Hecha && !falloAvisado_) {
        falloAvisado_ = true;
        escrito(r, QStringLiteral("nums.ini"));
    }
    emit ajustesCambiados(ajustes_);
}

void Configurar::Text1_Change()
{
    if (cambiando_)
        return;
    const entrada::Cambio c = entrada::precio(Text1->text());
    if (c.accion == entrada::Accion::Restaura)
        muestra(Text1, textoNumero(ajustes_.precio));
    else if (c.accion == entrada::Accion::Guarda)
        guarda([&c](Ajustes &a) { a.precio = static_cast<float>(c.valor); });
}

void Configurar::Text1_LostFocus()
{
    if (!entrada::precioNulo(Text1->text())) {
        confirmaPrecio();
        return;
    }
    // The box shows the stored price before the message takes the focus: leaving the box
    // again then finds nothing to refuse.
    const QString guardado = textoNumero(ajustes_.precio);
    muestra(Text1, guardado);
    Escritorio::actual().aviso(u("El precio por apuesta no puede ser 0: nadie juega gratis. Se "
                                 "mantiene el precio de %1 €.")
                                   .arg(guardado),
                               u("Precio no válido"), Escritorio::Icono::Exclamacion);
}

void Configurar::confirmaPrecio()
{
    // The box is stored at every keystroke; a price far from a real slip's (a slip of 1 €, a
    // 150 typed for 1,50) is asked about once the user leaves it, and "No" brings back the one
    // before.
    const float precio = ajustes_.precio;
    if (precio == precioConfirmado_ || (precio >= 0.01f && precio <= 10.0f)) {
        precioConfirmado_ = precio;
        return;
    }
    const QString texto = textoNumero(precio);
    if (Escritorio::actual().pregunta(u("Un precio de %1 € por apuesta es poco habitual (una "
                                        "apuesta de La Primitiva cuesta 1 €). ¿Es correcto?")
                                          .arg(texto),
                                      u("Precio por apuesta"), Escritorio::Icono::Pregunta)) {
        precioConfirmado_ = precio;
        return;
    }
    const float anterior = precioConfirmado_;
    guarda([anterior](Ajustes &a) { a.precio = anterior; });
    muestra(Text1, textoNumero(anterior));
}

void Configurar::Text2_Change()
{
    if (cambiando_)
        return;
    const entrada::Cambio c = entrada::profundidad(Text2->text(), ajustes_.profundidad);
    if (c.accion == entrada::Accion::Restaura)
        muestra(Text2, QString::number(ajustes_.profundidad));
    else if (c.accion == entrada::Accion::Guarda)
        guarda([&c](Ajustes &a) { a.profundidad = static_cast<qint16>(c.valor); });
}
