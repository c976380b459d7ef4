#include "app/acercade.h"
#include "archive/texto.h"
#include "session/ajustes.h"
#include "session/version.h"
#include "widgets/escritorio.h"
#include "widgets/imagen.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QUrl>
#include <QVBoxLayout>

namespace {
} // namespace

Acercade::Acercade(const QString &carpeta, QWidget *parent) : QDialog(parent), carpeta_(carpeta)
{
    setObjectName(QStringLiteral("Acercade"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont grande = Label1->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 1.6);
    Label1->setFont(grande);
    auto *lema = new QLabel(u("Comprueba tus números por internet."), this);
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    datos = new QLabel(this);
    datos->setObjectName(QStringLiteral("datos"));
    datos->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label2 = new Imagen(QStringLiteral("Label2"), this);
    Label2->setStyleSheet(QStringLiteral("color: rgb(0, 0, 238); text-decoration: underline;"));
    Command1 = new QPushButton(u("Aceptar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));

    auto *capa = new QVBoxLayout(this);
    capa->addWidget(Label1);
    capa->addWidget(lema);
    capa->addSpacing(8);
    capa->addWidget(Label3);
    capa->addWidget(datos);
    capa->addWidget(Label2);
    auto *abajo = new QHBoxLayout;
    abajo->addStretch(1);
    abajo->addWidget(Command1);
    capa->addLayout(abajo);

    connect(Label2, &Imagen::clicked, this, &Acercade::Label2_Click);
    connect(Command1, &QPushButton::clicked, this, &QDialog::close);
    Form_Load();
}

void Acercade::Form_Load()
{
    setWindowTitle(nombreVersion());
    Label1->setText(nombreVersion());
    Label3->setText(lineaSistema(QSysInfo::kernelType(), QSysInfo::kernelVersion(),
                                 QSysInfo::prettyProductName()));
    datos->setText(QStringLiteral("Datos en: ") +
                   QDir::toNativeSeparators(QDir(carpeta_).absolutePath()));
    web_ = Sitios::lee(carpeta_).autorWeb.trimmed();
    Label2->setText(web_);
    Label2->setAccessibleName(web_);
}

void Acercade::Label2_Click()
{
    if (!web_.isEmpty())
        Escritorio::actual().abreDireccion(QUrl(QStringLiteral("http://") + web_));
}

QString Acercade::versionDe(const QString &tipoNucleo, const QString &versionNucleo)
{
    // Only the NT family has the platform identifier (2) and the major.minor numbers the table
    // is made of; Qt gives its kernel version as "major.minor.build".
    if (tipoNucleo != QStringLiteral("winnt"))
        return QString();
    const QStringList partes = versionNucleo.split(QLatin1Char('.'));
    bool bienMayor = false;
    bool bienMenor = false;
    const int mayor = partes.value(0).toInt(&bienMayor);
    const int menor = partes.value(1).toInt(&bienMenor);
    if (!bienMayor || !bienMenor)
        return QString();
    return QStringLiteral("2.%1.%2").arg(mayor).arg(menor);
}

QString Acercade::VersionToName(const QString &version)
{
    static const char *const kNombres[][2] = {
        {"1.0.0", "Windows 95"},      {"1.1.0", "Windows 98"},     {"1.9.0", "Windows Millenium"},
        {"2.3.0", "Windows NT 3.51"}, {"2.4.0", "Windows NT 4.0"}, {"2.5.0", "Windows 2000"},
        {"2.5.1", "Windows XP"},      {"2.5.2", "Windows 2003"},   {"2.6.0", "Windows Vista"},
        {"2.6.1", "Windows 7"},       {"2.6.2", "Windows 8"},      {"2.10.0", "Windows 10"},
    };
    for (const auto &fila : kNombres)
        if (version == QLatin1String(fila[0]))
            return QString::fromLatin1(fila[1]);
    return version;
}

QString Acercade::lineaSistema(const QString &tipoNucleo, const QString &versionNucleo,
                               const QString &nombreProducto)
{
    const QString version = versionDe(tipoNucleo, versionNucleo);
    if (!version.isEmpty())
        return QStringLiteral("S.O: ") + VersionToName(version);
    QString nombre = nombreProducto.trimmed();
    if (nombre.isEmpty())
        nombre = (tipoNucleo + QLatin1Char(' ') + versionNucleo).trimmed();
    return QStringLiteral("S.O: ") + nombre;
}
