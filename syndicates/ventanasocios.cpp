// Window "Socios": who takes part in a syndicate, with how many shares, when, and what they paid.
#include "syndicates/ventanasocios.h"
#include "archive/fechas.h"
#include "archive/texto.h"
#include "reports/cuentas.h"
#include "reports/ganancias.h"
#include "session/cuentas.h"
#include "session/sesion.h"
#include "widgets/avisos.h"
#include "widgets/escritorio.h"
#include "widgets/pdf.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPagedPaintDevice>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTextDocument>
#include <QTreeView>
#include <algorithm>
#include <cmath>
#include <optional>

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

    // The members on the left, the payments of the one selected on the right.
    auto *capa = new QHBoxLayout(this);
    auto *rejilla = new QGridLayout;
    capa->addLayout(rejilla, 1);
    Label1 = new QLabel(u("Peña ") + pena_.nombreTexto().trimmed(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    rejilla->addWidget(Label1, 0, 0, 1, 4);

    modelo_ = new QStandardItemModel(0, 3, this);
    modelo_->setHorizontalHeaderLabels({u("Socio"), u("Participaciones"), u("Saldo")});
    listaSocios = new QTreeView(this);
    listaSocios->setObjectName(QStringLiteral("listaSocios"));
    listaSocios->setRootIsDecorated(false);
    listaSocios->setUniformRowHeights(true);
    listaSocios->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listaSocios->setModel(modelo_);
    const int eme = listaSocios->fontMetrics().horizontalAdvance(QLatin1Char('M'));
    listaSocios->setColumnWidth(0, eme * SociosPena::kAnchoNombre / 2);
    listaSocios->setColumnWidth(
        1, listaSocios->fontMetrics().horizontalAdvance(u("Participaciones")) + eme);
    rejilla->addWidget(listaSocios, 1, 0, 1, 4);
    rejilla->setRowStretch(1, 1);

    rejilla->addWidget(new QLabel(u("Nombre del socio:"), this), 2, 0);
    nombreSocio = new QLineEdit(this);
    nombreSocio->setObjectName(QStringLiteral("nombreSocio"));
    rejilla->addWidget(nombreSocio, 2, 1, 1, 3);
    rejilla->addWidget(new QLabel(u("Participaciones:"), this), 3, 0);
    participaciones = new QSpinBox(this);
    participaciones->setObjectName(QStringLiteral("participaciones"));
    participaciones->setRange(1, SociosPena::kMaxParticipaciones);
    rejilla->addWidget(participaciones, 3, 1);

    rejilla->addWidget(new QLabel(u("En la peña desde:"), this), 4, 0);
    socioDesde = new QDateEdit(this);
    socioDesde->setObjectName(QStringLiteral("socioDesde"));
    socioDesde->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    socioDesde->setCalendarPopup(true);
    rejilla->addWidget(socioDesde, 4, 1);
    rejilla->addWidget(new QLabel(u("Hasta:"), this), 5, 0);
    socioHasta = new QDateEdit(this);
    socioHasta->setObjectName(QStringLiteral("socioHasta"));
    socioHasta->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    socioHasta->setCalendarPopup(true);
    // Its lowest date stands for "no day of leaving", so a date typed or picked is always one.
    socioHasta->setSpecialValueText(u("sin baja"));
    rejilla->addWidget(socioHasta, 5, 1);
    socioSigue = new QCheckBox(u("Sigue en la peña"), this);
    socioSigue->setObjectName(QStringLiteral("socioSigue"));
    socioSigue->setToolTip(u("Sin día de baja: el socio sigue en la peña"));
    rejilla->addWidget(socioSigue, 5, 2, 1, 2);

    anadirSocio = new QPushButton(u("Guardar socio"), this);
    anadirSocio->setObjectName(QStringLiteral("anadirSocio"));
    quitarSocio = new QPushButton(u("Quitar socio"), this);
    quitarSocio->setObjectName(QStringLiteral("quitarSocio"));
    renombrarSocio = new QPushButton(u("Renombrar socio"), this);
    renombrarSocio->setObjectName(QStringLiteral("renombrarSocio"));
    renombrarSocio->setToolTip(
        u("El socio seleccionado pasa a llamarse como el nombre escrito, con sus pagos"));
    auto *botonesSocio = new QHBoxLayout;
    botonesSocio->addWidget(anadirSocio);
    botonesSocio->addWidget(renombrarSocio);
    botonesSocio->addWidget(quitarSocio);
    rejilla->addLayout(botonesSocio, 6, 0, 1, 4);

    rejilla->addWidget(new QLabel(u("Reintegro del boleto:"), this), 7, 0);
    reintegro = new QComboBox(this);
    reintegro->setObjectName(QStringLiteral("reintegro"));
    reintegro->addItem(u("Sin anotar"));
    for (int d = 0; d <= 9; ++d)
        reintegro->addItem(QString::number(d));
    rejilla->addWidget(reintegro, 7, 1);
    rejilla->addWidget(new QLabel(u("Números de Joker:"), this), 8, 0);
    jokers = new QLineEdit(this);
    jokers->setObjectName(QStringLiteral("jokers"));
    jokers->setPlaceholderText(u("Siete cifras cada uno, separados por espacios"));
    jokers->setToolTip(u("Los números de Joker de los boletos de la peña (1 € cada uno y sorteo)"));
    rejilla->addWidget(jokers, 8, 1, 1, 3);
    rejilla->addWidget(new QLabel(u("Premios:"), this), 9, 0);
    destinoPremios = new QComboBox(this);
    destinoPremios->setObjectName(QStringLiteral("destinoPremios"));
    destinoPremios->addItem(u("Los premios se reparten"));
    destinoPremios->addItem(u("Los premios quedan en el bote"));
    rejilla->addWidget(destinoPremios, 9, 1, 1, 3);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    rejilla->addWidget(Label2, 10, 0, 1, 4);

    auto *derecha = new QGridLayout;
    capa->addLayout(derecha, 1);
    capa->setSpacing(18);
    tituloPagos = new QLabel(this);
    tituloPagos->setObjectName(QStringLiteral("tituloPagos"));
    derecha->addWidget(tituloPagos, 0, 0, 1, 4);
    modeloPagos_ = new QStandardItemModel(0, 3, this);
    modeloPagos_->setHorizontalHeaderLabels({u("Fecha"), u("Importe"), u("Nota")});
    ListViewPagos = new QTreeView(this);
    ListViewPagos->setObjectName(QStringLiteral("ListViewPagos"));
    ListViewPagos->setRootIsDecorated(false);
    ListViewPagos->setUniformRowHeights(true);
    ListViewPagos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewPagos->setModel(modeloPagos_);
    ListViewPagos->setColumnWidth(
        0, ListViewPagos->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + eme);
    ListViewPagos->setColumnWidth(
        1, ListViewPagos->fontMetrics().horizontalAdvance(QStringLiteral("00.000,00 €")) + eme);
    derecha->addWidget(ListViewPagos, 1, 0, 1, 4);
    derecha->addWidget(new QLabel(u("Fecha:"), this), 2, 0);
    fechaPago = new QDateEdit(this);
    fechaPago->setObjectName(QStringLiteral("fechaPago"));
    fechaPago->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    fechaPago->setCalendarPopup(true);
    derecha->addWidget(fechaPago, 2, 1);
    derecha->addWidget(new QLabel(u("Importe:"), this), 2, 2);
    importePago = new QLineEdit(this);
    importePago->setObjectName(QStringLiteral("importePago"));
    importePago->setPlaceholderText(u("12,50"));
    importePago->setToolTip(u("Euros, con coma o punto y hasta dos decimales. En negativo "
                              "(-40,00), lo que se entrega al socio: premios repartidos, "
                              "devoluciones"));
    derecha->addWidget(importePago, 2, 3);
    derecha->setColumnStretch(1, 1);
    derecha->setColumnStretch(3, 1);
    derecha->addWidget(new QLabel(u("Nota:"), this), 3, 0);
    notaPago = new QLineEdit(this);
    notaPago->setObjectName(QStringLiteral("notaPago"));
    notaPago->setMaxLength(CuentasPena::kAnchoNota);
    notaPago->setPlaceholderText(u("Opcional, hasta 40 caracteres"));
    derecha->addWidget(notaPago, 3, 1, 1, 3);
    anadirPago = new QPushButton(u("Añadir pago"), this);
    anadirPago->setObjectName(QStringLiteral("anadirPago"));
    nuevoPago = new QPushButton(u("Nuevo pago"), this);
    nuevoPago->setObjectName(QStringLiteral("nuevoPago"));
    nuevoPago->setToolTip(u("Deja de editar el pago elegido: el siguiente se añade"));
    borrarPago = new QPushButton(u("Borrar pago"), this);
    borrarPago->setObjectName(QStringLiteral("borrarPago"));
    auto *botonesPago = new QHBoxLayout;
    botonesPago->addWidget(anadirPago);
    botonesPago->addWidget(nuevoPago);
    botonesPago->addWidget(borrarPago);
    derecha->addLayout(botonesPago, 4, 0, 1, 4);
    extractoSocio = new QPushButton(this);
    extractoSocio->setObjectName(QStringLiteral("extractoSocio"));
    extractoPena = new QPushButton(u("Extracto de la peña"), this);
    extractoPena->setObjectName(QStringLiteral("extractoPena"));
    auto *botonesExtracto = new QHBoxLayout;
    botonesExtracto->addWidget(extractoSocio);
    botonesExtracto->addWidget(extractoPena);
    derecha->addLayout(botonesExtracto, 5, 0, 1, 4);

    if (!sesion_.sociosLegibles()) {
        // A socios.dat that cannot be read is not replaced by what this window would write.
        avisa(u("No se puede leer el archivo de socios socios.dat: no se modificará."));
        for (QWidget *w : {static_cast<QWidget *>(anadirSocio), static_cast<QWidget *>(quitarSocio),
                           static_cast<QWidget *>(renombrarSocio),
                           static_cast<QWidget *>(reintegro), static_cast<QWidget *>(jokers)})
            w->setEnabled(false);
    }
    if (!sesion_.cuentasLegibles()) {
        // The session has told why; nothing here would be kept.
        for (QWidget *w :
             {static_cast<QWidget *>(anadirPago), static_cast<QWidget *>(borrarPago),
              static_cast<QWidget *>(nuevoPago), static_cast<QWidget *>(destinoPremios),
              static_cast<QWidget *>(socioDesde), static_cast<QWidget *>(socioHasta),
              static_cast<QWidget *>(socioSigue)})
            w->setEnabled(false);
    }
    relee();
    connect(&sesion_, &Sesion::sociosCambiados, this, &Socios::relee);
    connect(&sesion_, &Sesion::cuentasCambiadas, this, &Socios::relee);
    // New amounts or draws change the balances.
    connect(&sesion_, &Sesion::importesCambiados, this, &Socios::llenaLista);
    connect(&sesion_, &Sesion::sorteosCambiados, this, &Socios::llenaLista);
    connect(&sesion_, &Sesion::penaRenombrada, this, &Socios::renombrada);

    connect(anadirSocio, &QPushButton::clicked, this, &Socios::anadirSocio_Click);
    connect(nombreSocio, &QLineEdit::returnPressed, this, &Socios::anadirSocio_Click);
    connect(quitarSocio, &QPushButton::clicked, this, &Socios::quitarSocio_Click);
    connect(renombrarSocio, &QPushButton::clicked, this, &Socios::renombrarSocio_Click);
    connect(listaSocios, &QTreeView::clicked, this,
            [this](const QModelIndex &i) { listaSocios_Click(i.row()); });
    connect(reintegro, &QComboBox::currentIndexChanged, this, &Socios::reintegro_Click);
    connect(jokers, &QLineEdit::editingFinished, this, &Socios::jokers_Change);
    // A day of leaving typed means the member left; ticking the box takes it back.
    connect(socioHasta, &QDateEdit::dateChanged, this,
            [this](const QDate &dia) { socioSigue->setChecked(dia == socioHasta->minimumDate()); });
    connect(socioSigue, &QCheckBox::toggled, this, [this](bool sigue) {
        if (sigue)
            socioHasta->setDate(socioHasta->minimumDate());
        else if (socioHasta->date() == socioHasta->minimumDate())
            socioHasta->setDate(Escritorio::actual().ahora().date());
    });
    connect(ListViewPagos->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &i) { pagoElegido(i.row()); });
    connect(anadirPago, &QPushButton::clicked, this, &Socios::anadirPago_Click);
    connect(importePago, &QLineEdit::returnPressed, this, &Socios::anadirPago_Click);
    connect(borrarPago, &QPushButton::clicked, this, &Socios::borrarPago_Click);
    connect(nuevoPago, &QPushButton::clicked, this, &Socios::nuevoPago_Click);
    connect(destinoPremios, &QComboBox::currentIndexChanged, this, &Socios::destinoPremios_Click);
    connect(extractoSocio, &QPushButton::clicked, this, &Socios::extractoSocio_Click);
    connect(extractoPena, &QPushButton::clicked, this, &Socios::extractoPena_Click);
    nombreSocio->setFocus();
    // Room for both lists side by side, within the smallest screens in use (1366×768).
    const QRect pantalla = screen()->availableGeometry();
    resize(std::min(std::max(sizeHint().width(), 940), pantalla.width() - 40),
           std::min(std::max(sizeHint().height(), 540), pantalla.height() - 60));
}

void Socios::relee()
{
    if (const SociosPena *s = sesion_.socios().busca(pena_))
        actuales_ = *s;
    else
        actuales_ = SociosPena::de(pena_);
    if (const CuentasPena *c = sesion_.archivoCuentas().busca(pena_))
        cuentas_ = *c;
    else
        cuentas_ = CuentasPena::de(pena_);
    {
        const QSignalBlocker bloqueo(reintegro);
        reintegro->setCurrentIndex(actuales_.reintegro + 1);
    }
    {
        const QSignalBlocker bloqueo(destinoPremios);
        destinoPremios->setCurrentIndex(cuentas_.destino == Destino::Bote ? 1 : 0);
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
    // The balances follow every payment, member's time and prize known so far.
    const saldos::Estado estado =
        saldos::calcula(sesion_.cuentas().de(pena_, true), actuales_, cuentas_);
    const bool hayElegido = std::any_of(actuales_.socios.begin(), actuales_.socios.end(),
                                        [&](const Socio &s) { return s.nombre == elegido_; });
    if (!hayElegido)
        elegido_.clear();
    modelo_->removeRows(0, modelo_->rowCount());
    int filaElegida = -1;
    for (const Socio &s : actuales_.socios) {
        auto *nombre = new QStandardItem(s.nombre);
        auto *partes = new QStandardItem(QString::number(s.participaciones));
        partes->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const saldos::CuentaSocio *cuenta = estado.socio(s.nombre);
        const qint64 saldo = cuenta ? cuenta->saldo() : 0;
        auto *textoSaldo =
            new QStandardItem(saldos::textoSaldo(saldo) +
                              (cuenta && cuenta->provisional ? u(" (provisional)") : QString()));
        textoSaldo->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (saldo < 0)
            textoSaldo->setForeground(QColor(255, 0, 0));
        if (s.nombre == elegido_)
            filaElegida = modelo_->rowCount();
        modelo_->appendRow({nombre, partes, textoSaldo});
    }
    if (filaElegida >= 0)
        listaSocios->setCurrentIndex(modelo_->index(filaElegida, 0));
    Label2->setText(cantidad(static_cast<qint64>(actuales_.socios.size()), "socio", "socios") +
                    u(", ") +
                    cantidad(actuales_.totalParticipaciones(), "participación", "participaciones") +
                    u(". Bote de la peña: ") + ganancias::textoEuros(estado.bote()) +
                    (estado.provisional ? u(" (provisional)") : QString()));
    muestraSocio();
}

namespace {
QDate diaDe(double serial)
{
    return fechas::dia(std::floor(serial));
}
} // namespace

// The dates and payments of the member selected; with none, the dates a new member would get.
void Socios::muestraSocio()
{
    const QDate creacion = diaDe(pena_.creacion).isValid() ? diaDe(pena_.creacion)
                                                           : Escritorio::actual().ahora().date();
    QDate desde = creacion;
    QDate hasta;
    // A member may have been in the syndicate more than once; the window shows and edits the
    // latest time.
    for (const Permanencia &p : cuentas_.permanencias)
        if (!elegido_.isEmpty() && p.socio == elegido_) {
            desde = diaDe(p.desde);
            hasta = p.hasta == 0 ? QDate() : diaDe(p.hasta);
        }
    {
        const QSignalBlocker b1(socioDesde);
        const QSignalBlocker b2(socioHasta);
        socioDesde->setDate(desde);
        socioHasta->setDate(hasta.isValid() ? hasta : socioHasta->minimumDate());
    }
    socioSigue->setChecked(!hasta.isValid());
    if (elegido_.isEmpty()) {
        tituloPagos->setText(u("Pagos: seleccione un socio en la lista"));
        extractoSocio->setText(u("Extracto de un socio"));
    } else {
        tituloPagos->setText(u("Pagos de ") + elegido_);
        extractoSocio->setText(u("Extracto de ") + elegido_);
    }
    llenaPagos();
}

void Socios::llenaPagos()
{
    filas_.clear();
    for (size_t i = 0; i < cuentas_.pagos.size(); ++i)
        if (!elegido_.isEmpty() && cuentas_.pagos[i].socio == elegido_)
            filas_.push_back(i);
    std::stable_sort(filas_.begin(), filas_.end(), [this](size_t a, size_t b) {
        return cuentas_.pagos[a].fecha < cuentas_.pagos[b].fecha;
    });
    {
        const QSignalBlocker bloqueo(ListViewPagos->selectionModel());
        modeloPagos_->removeRows(0, modeloPagos_->rowCount());
        for (size_t i : filas_) {
            const Pago &p = cuentas_.pagos[i];
            auto *importe = new QStandardItem(ganancias::textoEuros(p.centimos));
            importe->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            modeloPagos_->appendRow({new QStandardItem(fechas::textoCorto(p.fecha)), importe,
                                     new QStandardItem(p.nota)});
        }
        ListViewPagos->setCurrentIndex(QModelIndex());
    }
    ponEdicionPago(-1);
}

void Socios::ponEdicionPago(int indice)
{
    pagoEditado_ = indice;
    anadirPago->setText(indice < 0 ? u("Añadir pago") : u("Guardar pago"));
    anadirPago->setToolTip(indice < 0 ? u("Añade el pago escrito al socio seleccionado")
                                      : u("Guarda los cambios del pago elegido en la lista"));
    if (indice < 0) {
        fechaPago->setDate(Escritorio::actual().ahora().date());
        importePago->clear();
        notaPago->clear();
    }
}

void Socios::pagoElegido(int fila)
{
    if (fila < 0 || fila >= static_cast<int>(filas_.size()))
        return;
    const size_t i = filas_[static_cast<size_t>(fila)];
    const Pago &p = cuentas_.pagos[i];
    ponEdicionPago(static_cast<int>(i));
    fechaPago->setDate(diaDe(p.fecha));
    importePago->setText(ganancias::textoEuros(p.centimos).remove(u(" €")));
    notaPago->setText(p.nota);
}

bool Socios::guarda(const SociosPena &nuevos)
{
    if (!escrito(sesion_.guardaSocios(nuevos), QStringLiteral("socios.dat")))
        return false;
    actuales_ = nuevos;
    llenaLista();
    return true;
}

bool Socios::guardaCuentas(const CuentasPena &nuevas)
{
    if (nuevas == cuentas_)
        return true;
    if (!escrito(sesion_.guardaCuentas(nuevas), QStringLiteral("cuentas.dat")))
        return false;
    cuentas_ = nuevas;
    llenaLista();
    return true;
}

bool Socios::leePermanencia(const QString &nombre, std::vector<Permanencia> &permanencias) const
{
    const QDate desde = socioDesde->date();
    const QDate hasta = socioSigue->isChecked() || socioHasta->date() == socioHasta->minimumDate()
                            ? QDate()
                            : socioHasta->date();
    if (hasta.isValid() && hasta < desde) {
        avisa(u("El día de baja de %1 (%2) es anterior a su día de alta (%3): corrija las fechas.")
                  .arg(nombre, hasta.toString(QStringLiteral("dd/MM/yyyy")),
                       desde.toString(QStringLiteral("dd/MM/yyyy"))));
        return false;
    }
    const Permanencia nueva{nombre, fechas::serial(desde),
                            hasta.isValid() ? fechas::serial(hasta) : 0};
    auto ultima = std::find_if(permanencias.rbegin(), permanencias.rend(),
                               [&](const Permanencia &p) { return p.socio == nombre; });
    if (ultima != permanencias.rend()) {
        *ultima = nueva;
        return true;
    }
    // With no time recorded a member counts from the start of the syndicate's history; the
    // dates shown for it are only written once they say something else.
    const QDate creacion = diaDe(pena_.creacion);
    if (desde != creacion || hasta.isValid())
        permanencias.push_back(nueva);
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
    QString nombre = n.texto;
    if (i != nuevos.socios.end()) {
        i->participaciones = participaciones->value();
        nombre = i->nombre;
    } else if (static_cast<int>(nuevos.socios.size()) >= SociosPena::kMaxSocios) {
        avisa(u("Una peña admite hasta %1 socios.").arg(SociosPena::kMaxSocios));
        return;
    } else {
        nuevos.socios.push_back({n.texto, participaciones->value()});
    }
    // The dates are checked before anything is written, so a refusal leaves both files alone.
    CuentasPena cuentas = cuentas_;
    if (!leePermanencia(nombre, cuentas.permanencias))
        return;
    if (nuevos != actuales_ && !guarda(nuevos))
        return;
    elegido_ = nombre;
    if (!guardaCuentas(cuentas))
        return;
    llenaLista();
    nombreSocio->clear();
    participaciones->setValue(1);
}

void Socios::quitarSocio_Click()
{
    const int fila = listaSocios->currentIndex().isValid() ? listaSocios->currentIndex().row() : -1;
    if (fila < 0 || fila >= static_cast<int>(actuales_.socios.size())) {
        Escritorio::actual().aviso(u("Seleccione un socio primero..."), u("¡Nooooo!"),
                                   Escritorio::Icono::Informacion);
        return;
    }
    const QString nombre = actuales_.socios[static_cast<size_t>(fila)].nombre;
    const auto pagos = std::count_if(cuentas_.pagos.begin(), cuentas_.pagos.end(),
                                     [&](const Pago &p) { return p.socio == nombre; });
    // The payments stay in the accounts (the money was paid), under a name no longer a member.
    if (pagos > 0 &&
        !Escritorio::actual().preguntaPeligrosa(
            u("%1 tiene %2 anotados. Sus pagos se conservarán en las cuentas de la peña. ¿Quitar "
              "a %1 de los socios?")
                .arg(nombre, cantidad(pagos, "pago", "pagos")),
            u("Quitar socio")))
        return;
    SociosPena nuevos = actuales_;
    nuevos.socios.erase(nuevos.socios.begin() + fila);
    guarda(nuevos);
}

void Socios::renombrarSocio_Click()
{
    const int fila = listaSocios->currentIndex().isValid() ? listaSocios->currentIndex().row() : -1;
    if (fila < 0 || fila >= static_cast<int>(actuales_.socios.size())) {
        Escritorio::actual().aviso(u("Seleccione un socio primero..."), u("¡Nooooo!"),
                                   Escritorio::Icono::Informacion);
        return;
    }
    const socios::NombreSocio n = socios::normalizaNombre(nombreSocio->text());
    if (n.aviso) {
        avisa(*n.aviso);
        return;
    }
    const QString antes = actuales_.socios[static_cast<size_t>(fila)].nombre;
    if (n.texto == antes)
        return;
    for (size_t k = 0; k < actuales_.socios.size(); ++k)
        if (static_cast<int>(k) != fila &&
            actuales_.socios[k].nombre.compare(n.texto, Qt::CaseInsensitive) == 0) {
            avisa(u("Ya hay un socio llamado %1 en la peña.").arg(actuales_.socios[k].nombre));
            return;
        }
    SociosPena nuevos = actuales_;
    nuevos.socios[static_cast<size_t>(fila)].nombre = n.texto;
    CuentasPena cuentas = cuentas_;
    cuentas.renombraSocio(antes, n.texto);
    if (!guarda(nuevos))
        return;
    elegido_ = n.texto;
    if (!guardaCuentas(cuentas))
        return;
    llenaLista();
    nombreSocio->clear();
    participaciones->setValue(1);
}

void Socios::listaSocios_Click(int fila)
{
    if (fila < 0 || fila >= static_cast<int>(actuales_.socios.size()))
        return;
    listaSocios->setCurrentIndex(modelo_->index(fila, 0));
    nombreSocio->setText(actuales_.socios[static_cast<size_t>(fila)].nombre);
    participaciones->setValue(actuales_.socios[static_cast<size_t>(fila)].participaciones);
    elegido_ = actuales_.socios[static_cast<size_t>(fila)].nombre;
    muestraSocio();
}

namespace {
// Euros as a person types them: "12", "12,5", "12.50", "12,50 €", "-40" for money handed to
// the member; a thousands separator is not taken, so "1.250" is refused rather than read as
// one euro and a quarter.
std::optional<qint64> leeImporte(const QString &tecleado, QString &aviso)
{
    QString t = tecleado.trimmed();
    if (t.endsWith(QChar(0x20AC)))
        t = t.chopped(1).trimmed();
    static const QRegularExpression forma(
        QStringLiteral("^([-\\x{2212}]?)\\s*(\\d{1,9})(?:[.,](\\d{1,2}))?$"));
    const QRegularExpressionMatch m = forma.match(t);
    if (t.isEmpty() || !m.hasMatch()) {
        aviso = t.isEmpty() ? u("Escriba el importe del pago en euros, por ejemplo 12,50.")
                            : u("El importe «%1» no es una cantidad de euros: escríbala con "
                                "coma o punto y como mucho dos decimales, por ejemplo 12,50.")
                                  .arg(tecleado.trimmed());
        return std::nullopt;
    }
    QString decimales = m.captured(3);
    while (decimales.size() < 2)
        decimales += QLatin1Char('0');
    const qint64 c = m.captured(2).toLongLong() * 100 + decimales.toLongLong();
    if (c == 0) {
        aviso = u("El importe de un pago no puede ser 0,00 €.");
        return std::nullopt;
    }
    if (c > CuentasPena::kMaxCentimos) {
        aviso = u("Un pago no puede pasar de %1.")
                    .arg(ganancias::textoEuros(CuentasPena::kMaxCentimos));
        return std::nullopt;
    }
    return m.captured(1).isEmpty() ? c : -c;
}
} // namespace

void Socios::anadirPago_Click()
{
    if (elegido_.isEmpty()) {
        Escritorio::actual().aviso(u("Seleccione un socio primero..."), u("¡Nooooo!"),
                                   Escritorio::Icono::Informacion);
        return;
    }
    QString aviso;
    const std::optional<qint64> centimos = leeImporte(importePago->text(), aviso);
    if (!centimos) {
        avisa(aviso);
        return;
    }
    if (const std::optional<QString> a = cuentas::avisoNota(notaPago->text())) {
        avisa(*a);
        return;
    }
    const Pago pago{elegido_, fechas::serial(fechaPago->date()), *centimos,
                    notaPago->text().trimmed()};
    CuentasPena nuevas = cuentas_;
    if (pagoEditado_ >= 0 && pagoEditado_ < static_cast<int>(nuevas.pagos.size()))
        nuevas.pagos[static_cast<size_t>(pagoEditado_)] = pago;
    else
        nuevas.pagos.push_back(pago);
    guardaCuentas(nuevas);
}

void Socios::borrarPago_Click()
{
    if (pagoEditado_ < 0 || pagoEditado_ >= static_cast<int>(cuentas_.pagos.size())) {
        Escritorio::actual().aviso(u("Seleccione un pago primero..."), u("¡Nooooo!"),
                                   Escritorio::Icono::Informacion);
        return;
    }
    const Pago &p = cuentas_.pagos[static_cast<size_t>(pagoEditado_)];
    if (!Escritorio::actual().preguntaPeligrosa(
            u("¿Borrar el pago de %1 del %2 de %3?")
                .arg(ganancias::textoEuros(p.centimos), fechas::textoCorto(p.fecha), p.socio),
            u("Borrar pago")))
        return;
    CuentasPena nuevas = cuentas_;
    nuevas.pagos.erase(nuevas.pagos.begin() + pagoEditado_);
    guardaCuentas(nuevas);
}

void Socios::nuevoPago_Click()
{
    const QSignalBlocker bloqueo(ListViewPagos->selectionModel());
    ListViewPagos->setCurrentIndex(QModelIndex());
    ListViewPagos->clearSelection();
    ponEdicionPago(-1);
}

void Socios::destinoPremios_Click(int indice)
{
    if (indice < 0)
        return;
    CuentasPena nuevas = cuentas_;
    nuevas.destino = indice == 1 ? Destino::Bote : Destino::Reparten;
    if (!guardaCuentas(nuevas)) {
        const QSignalBlocker bloqueo(destinoPremios);
        destinoPremios->setCurrentIndex(cuentas_.destino == Destino::Bote ? 1 : 0);
    }
}

namespace {
QString html(const saldos::Extracto &e, const QString &pena, const QString &socio,
             const QString &final, const QDate &hoy)
{
    const auto esc = [](const QString &t) { return t.toHtmlEscaped(); };
    const auto euros = [](qint64 c) { return c == 0 ? QString() : ganancias::textoEuros(c); };
    QString h =
        u("<html><body><h2>") + esc(e.titulo) + u("</h2><p>Peña: <b>") + esc(pena) + u("</b>");
    if (!socio.isEmpty())
        h += u("<br>Socio: <b>") + esc(socio) + u("</b>");
    h += u("<br>Fecha del extracto: ") + hoy.toString(QStringLiteral("dd/MM/yyyy")) + u("</p>");
    if (e.lineas.empty()) {
        h += u("<p>Sin movimientos.</p>");
    } else {
        h +=
            u("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">"
              "<tr><th>Fecha</th><th>Concepto</th><th>Cargo</th><th>Abono</th><th>Saldo</th></tr>");
        for (const saldos::Linea &l : e.lineas)
            h += u("<tr><td>") + fechas::textoCorto(l.fecha) + u("</td><td>") + esc(l.concepto) +
                 (l.provisional ? u(" (provisional)") : QString()) +
                 u("</td><td align=\"right\">") + euros(l.cargo) + u("</td><td align=\"right\">") +
                 euros(l.abono) + u("</td><td align=\"right\">") + ganancias::textoEuros(l.saldo) +
                 u("</td></tr>");
        h += u("</table>");
    }
    h += u("<p><b>") + esc(final) + (e.provisional ? u(" (provisional)") : QString()) +
         u("</b></p>");
    if (e.provisional)
        h += u("<p>Las líneas provisionales tienen premios cuyo importe aún no se conoce: las "
               "cifras pueden cambiar cuando se publiquen.</p>");
    return h + u("</body></html>");
}
} // namespace

bool Socios::guardaExtracto(const QString &nombreArchivo, const QString &contenido)
{
    const QString destino = pdf::eligeDestino(u("Guardar extracto como PDF"), nombreArchivo);
    if (destino.isEmpty())
        return false;
    return pdf::guarda(destino, [&contenido](QPagedPaintDevice &dispositivo) {
        QTextDocument documento;
        documento.setHtml(contenido);
        documento.print(&dispositivo);
        return true;
    });
}

void Socios::extractoSocio_Click()
{
    if (elegido_.isEmpty()) {
        Escritorio::actual().aviso(u("Seleccione un socio primero..."), u("¡Nooooo!"),
                                   Escritorio::Icono::Informacion);
        return;
    }
    const saldos::Extracto e =
        saldos::extracto(sesion_.cuentas().de(pena_, true), actuales_, cuentas_, elegido_);
    guardaExtracto(u("Extracto ") + elegido_ + u(".pdf"),
                   html(e, pena_.nombreTexto().trimmed(), elegido_,
                        u("Saldo final: ") + saldos::textoSaldo(e.saldo),
                        Escritorio::actual().ahora().date()));
}

void Socios::extractoPena_Click()
{
    const QString nombre = pena_.nombreTexto().trimmed();
    const saldos::Extracto e =
        saldos::extractoPena(sesion_.cuentas().de(pena_, true), actuales_, cuentas_, nombre);
    guardaExtracto(u("Extracto peña ") + nombre + u(".pdf"),
                   html(e, nombre, QString(),
                        u("Bote de la peña: ") + ganancias::textoEuros(e.saldo),
                        Escritorio::actual().ahora().date()));
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
