// Window "Socios": who takes part in a syndicate and with how many shares.
#include "syndicates/ventanasocios.h"
#include "archive/texto.h"
#include "session/sesion.h"
#include "widgets/avisos.h"
#include "widgets/escritorio.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTreeView>

namespace {
void avisa(const QString &texto)
{
    Escritorio::actual().aviso(texto, QStringLiteral("Error"), Escritorio::Icono::Exclamacion);
}
} // namespace

Socios::Socios(Sesion &sesion, const Pena &pena, QWidget *parent)
    : QWidget(parent, Qt::Window), sesion_(sesion), pena_(pena)
{
    setObjectName(QStringLiteral("Socios"));
    setWindowTitle(u("Socios de la peña ") + pena_.nombreTexto().trimmed());
    setAttribute(Qt::WA_DeleteOnClose);

    auto *rejilla = new QGridLayout(this);
    Label1 = new QLabel(u("Peña ") + pena_.nombreTexto().trimmed(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    rejilla->addWidget(Label1, 0, 0, 1, 4);

    modelo_ = new QStandardItemModel(0, 2, this);
    modelo_->setHorizontalHeaderLabels({u("Socio"), u("Participaciones")});
    listaSocios = new QTreeView(this);
    listaSocios->setObjectName(QStringLiteral("listaSocios"));
    listaSocios->setRootIsDecorated(false);
    listaSocios->setUniformRowHeights(true);
    listaSocios->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listaSocios->setModel(modelo_);
    listaSocios->setColumnWidth(0, listaSocios->fontMetrics().horizontalAdvance(QLatin1Char('M')) *
                                       SociosPena::kAnchoNombre * 2 / 3);
    rejilla->addWidget(listaSocios, 1, 0, 1, 4);

    rejilla->addWidget(new QLabel(u("Nombre del socio:"), this), 2, 0);
    nombreSocio = new QLineEdit(this);
    nombreSocio->setObjectName(QStringLiteral("nombreSocio"));
    rejilla->addWidget(nombreSocio, 2, 1, 1, 3);
    rejilla->addWidget(new QLabel(u("Participaciones:"), this), 3, 0);
    participaciones = new QSpinBox(this);
    participaciones->setObjectName(QStringLiteral("participaciones"));
    participaciones->setRange(1, SociosPena::kMaxParticipaciones);
    rejilla->addWidget(participaciones, 3, 1);

    anadirSocio = new QPushButton(u("Guardar socio"), this);
    anadirSocio->setObjectName(QStringLiteral("anadirSocio"));
    quitarSocio = new QPushButton(u("Quitar socio"), this);
    quitarSocio->setObjectName(QStringLiteral("quitarSocio"));
    rejilla->addWidget(anadirSocio, 4, 0, 1, 2);
    rejilla->addWidget(quitarSocio, 4, 2, 1, 2);

    rejilla->addWidget(new QLabel(u("Reintegro del boleto:"), this), 5, 0);
    reintegro = new QComboBox(this);
    reintegro->setObjectName(QStringLiteral("reintegro"));
    reintegro->addItem(u("Sin anotar"));
    for (int d = 0; d <= 9; ++d)
        reintegro->addItem(QString::number(d));
    rejilla->addWidget(reintegro, 5, 1);
    rejilla->addWidget(new QLabel(u("Números de Joker:"), this), 6, 0);
    jokers = new QLineEdit(this);
    jokers->setObjectName(QStringLiteral("jokers"));
    jokers->setPlaceholderText(u("Siete cifras cada uno, separados por espacios"));
    jokers->setToolTip(u("Los números de Joker de los boletos de la peña (1 € cada uno y sorteo)"));
    rejilla->addWidget(jokers, 6, 1, 1, 3);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    rejilla->addWidget(Label2, 7, 0, 1, 4);

    if (!sesion_.sociosLegibles()) {
        // A socios.dat that cannot be read is not replaced by what this window would write.
        avisa(u("No se puede leer el archivo de socios socios.dat: no se modificará."));
        for (QWidget *w : {static_cast<QWidget *>(anadirSocio), static_cast<QWidget *>(quitarSocio),
                           static_cast<QWidget *>(reintegro), static_cast<QWidget *>(jokers)})
            w->setEnabled(false);
    }
    relee();
    connect(&sesion_, &Sesion::sociosCambiados, this, &Socios::relee);
    connect(&sesion_, &Sesion::penaRenombrada, this, &Socios::renombrada);

    connect(anadirSocio, &QPushButton::clicked, this, &Socios::anadirSocio_Click);
    connect(nombreSocio, &QLineEdit::returnPressed, this, &Socios::anadirSocio_Click);
    connect(quitarSocio, &QPushButton::clicked, this, &Socios::quitarSocio_Click);
    connect(listaSocios, &QTreeView::clicked, this,
            [this](const QModelIndex &i) { listaSocios_Click(i.row()); });
    connect(reintegro, &QComboBox::currentIndexChanged, this, &Socios::reintegro_Click);
    connect(jokers, &QLineEdit::editingFinished, this, &Socios::jokers_Change);
    nombreSocio->setFocus();
}

void Socios::relee()
{
    if (const SociosPena *s = sesion_.socios().busca(pena_))
        actuales_ = *s;
    else
        actuales_ = SociosPena::de(pena_);
    {
        const QSignalBlocker bloqueo(reintegro);
        reintegro->setCurrentIndex(actuales_.reintegro + 1);
    }
    if (!jokers->hasFocus())
        jokers->setText(socios::textoJokers(actuales_.jokers));
    llenaLista();
}

void Socios::renombrada(const Pena &antes, const Pena &despues)
{
    if (!SociosPena::de(pena_).esDe(antes))
        return;
    pena_ = despues;
    setWindowTitle(u("Socios de la peña ") + pena_.nombreTexto().trimmed());
    Label1->setText(u("Peña ") + pena_.nombreTexto().trimmed());
    relee();
}

void Socios::llenaLista()
{
    modelo_->removeRows(0, modelo_->rowCount());
    for (const Socio &s : actuales_.socios) {
        auto *nombre = new QStandardItem(s.nombre);
        auto *partes = new QStandardItem(QString::number(s.participaciones));
        partes->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        modelo_->appendRow({nombre, partes});
    }
    Label2->setText(cantidad(static_cast<qint64>(actuales_.socios.size()), "socio", "socios") +
                    u(", ") +
                    cantidad(actuales_.totalParticipaciones(), "participación", "participaciones"));
}

bool Socios::guarda(const SociosPena &nuevos)
{
    if (!escrito(sesion_.guardaSocios(nuevos), QStringLiteral("socios.dat")))
        return false;
    actuales_ = nuevos;
    llenaLista();
    return true;
}

void Socios::anadirSocio_Click()
{
    const socios::NombreSocio n = socios::normalizaNombre(nombreSocio->text());
    if (n.aviso) {
        avisa(*n.aviso);
        return;
    }
    SociosPena nuevos = actuales_;
    auto i = std::find_if(nuevos.socios.begin(), nuevos.socios.end(), [&](const Socio &s) {
        return s.nombre.compare(n.texto, Qt::CaseInsensitive) == 0;
    });
    if (i != nuevos.socios.end()) {
        i->participaciones = participaciones->value();
    } else if (static_cast<int>(nuevos.socios.size()) >= SociosPena::kMaxSocios) {
        avisa(u("Una peña admite hasta %1 socios.").arg(SociosPena::kMaxSocios));
        return;
    } else {
        nuevos.socios.push_back({n.texto, participaciones->value()});
    }
    if (guarda(nuevos)) {
        nombreSocio->clear();
        participaciones->setValue(1);
    }
}

void Socios::quitarSocio_Click()
{
    const int fila = listaSocios->currentIndex().isValid() ? listaSocios->currentIndex().row() : -1;
    if (fila < 0 || fila >= static_cast<int>(actuales_.socios.size())) {
        Escritorio::actual().aviso(u("Seleccione un socio primero..."), u("¡Nooooo!"),
                                   Escritorio::Icono::Informacion);
        return;
    }
    SociosPena nuevos = actuales_;
    nuevos.socios.erase(nuevos.socios.begin() + fila);
    guarda(nuevos);
}

void Socios::listaSocios_Click(int fila)
{
    if (fila < 0 || fila >= static_cast<int>(actuales_.socios.size()))
        return;
    listaSocios->setCurrentIndex(modelo_->index(fila, 0));
    nombreSocio->setText(actuales_.socios[static_cast<size_t>(fila)].nombre);
    participaciones->setValue(actuales_.socios[static_cast<size_t>(fila)].participaciones);
}

void Socios::jokers_Change()
{
    const socios::Jokers leidos = socios::leeJokers(jokers->text());
    if (leidos.aviso) {
        // The line keeps what was typed, to be mended; nothing is stored.
        const QSignalBlocker bloqueo(jokers);
        avisa(*leidos.aviso);
        return;
    }
    if (leidos.numeros != actuales_.jokers) {
        SociosPena nuevos = actuales_;
        nuevos.jokers = leidos.numeros;
        guarda(nuevos);
    }
    jokers->setText(socios::textoJokers(actuales_.jokers));
}

void Socios::reintegro_Click(int indice)
{
    if (indice < 0 || indice - 1 == actuales_.reintegro)
        return;
    SociosPena nuevos = actuales_;
    nuevos.reintegro = indice - 1;
    if (!guarda(nuevos)) {
        const QSignalBlocker bloqueo(reintegro);
        reintegro->setCurrentIndex(actuales_.reintegro + 1);
    }
}
