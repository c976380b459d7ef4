#include "syndicates/crea.h"
#include "archive/texto.h"
#include "session/sesion.h"
#include "syndicates/casilla.h"
#include "widgets/avisos.h"
#include "widgets/escritorio.h"
#include "widgets/imagen.h"
#include "widgets/letra.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTreeView>
#include <QVBoxLayout>

// The bet list: one text line per bet entered (or the shown bet in edit mode), in a fixed-pitch
// font so that the numbers line up.
class ModeloEditor : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void pon(const QStringList &lineas)
    {
        if (lineas == lineas_)
            return;
        beginResetModel();
        lineas_ = lineas;
        endResetModel();
    }
    int rowCount(const QModelIndex &padre = {}) const override
    {
        return padre.isValid() ? 0 : static_cast<int>(lineas_.size());
    }
    QVariant data(const QModelIndex &indice, int rol) const override
    {
        if (!indice.isValid() || indice.row() >= lineas_.size() || indice.column() != 0)
            return {};
        if (rol == Qt::DisplayRole)
            return lineas_.at(indice.row());
        if (rol == Qt::FontRole)
            return letraFija();
        return {};
    }
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override
    {
        if (seccion == 0 && o == Qt::Horizontal && rol == Qt::DisplayRole)
            return QStringLiteral("Apuestas");
        return {};
    }

private:
    QStringList lineas_;
};

namespace {
Escritorio::Icono icono(AvisoEdicion::Icono i)
{
    return i == AvisoEdicion::Icono::Exclamacion ? Escritorio::Icono::Exclamacion
                                                 : Escritorio::Icono::Informacion;
}

} // namespace

Crea::Crea(Sesion &sesion, OpcionesEdicion opciones, QWidget *parent)
    : QWidget(parent, Qt::Window), sesion_(sesion)
{
    setObjectName(QStringLiteral("Crea"));
    setWindowTitle(u("Crear peña nueva..."));
    setAttribute(Qt::WA_DeleteOnClose);

    edicion_ = std::make_unique<Edicion>(sesion_, std::move(opciones));
    construye();
    muestra();
    // The editor asks for the name first: the typing goes there as soon as it opens.
    Text1->setFocus();
}

Crea::~Crea()
{
    // A day typed and not confirmed is reported when the box loses the focus, and the children
    // are hidden after the editor's rules are gone: the closing window has nothing to tell them.
    juegaDesde->disconnect(this);
}

void Crea::construye()
{
    auto *capa = new QVBoxLayout(this);
    auto *arriba = new QHBoxLayout;
    instruccion = new QLabel(this);
    instruccion->setObjectName(QStringLiteral("instruccion"));
    QFont negrita = instruccion->font();
    negrita.setBold(true);
    instruccion->setFont(negrita);
    Label5 = new Imagen(QStringLiteral("Label5"), this);
    Label5->setText(QStringLiteral("X"));
    Label5->setFont(negrita);
    Label5->setToolTip(u("Cerrar"));
    Label5->setAccessibleName(u("Cerrar"));
    arriba->addWidget(instruccion, 1);
    arriba->addWidget(Label5);
    capa->addLayout(arriba);

    auto *nombre = new QHBoxLayout;
    auto *rotulo = new QLabel(u("Nombre de la peña:"), this);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(u("Nombre de la peña"));
    rotulo->setBuddy(Text1);
    nombre->addWidget(rotulo);
    nombre->addWidget(Text1, 1);
    capa->addLayout(nombre);

    // A syndicate that has played for years says so here: the draws since that day count.
    auto *desde = new QHBoxLayout;
    auto *rotuloDesde = new QLabel(u("Juega desde:"), this);
    juegaDesde = new QDateEdit(this);
    juegaDesde->setObjectName(QStringLiteral("juegaDesde"));
    juegaDesde->setAccessibleName(u("Juega desde"));
    juegaDesde->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    juegaDesde->setCalendarPopup(true);
    // Only a finished day counts: in edit mode every change is written at once, and the
    // intermediate days of a year being typed are not the user's choice.
    juegaDesde->setKeyboardTracking(false);
    rotuloDesde->setBuddy(juegaDesde);
    desde->addWidget(rotuloDesde);
    desde->addWidget(juegaDesde);
    desde->addStretch(1);
    capa->addLayout(desde);

    auto *centro = new QHBoxLayout;
    auto *rejilla = new QGridLayout;
    rejilla->setSpacing(3);
    for (int i = 0; i < 49; ++i) {
        Image1[i] = new Casilla(i + 1, QStringLiteral("Image1_%1").arg(i), this);
        rejilla->addWidget(Image1[i], i / 7, i % 7);
        connect(Image1[i], &Imagen::clicked, this, [this, i] { Image1_Click(i); });
        Image1[i]->installEventFilter(this);
    }
    numeroTecleado = new QLabel(this);
    numeroTecleado->setObjectName(QStringLiteral("numeroTecleado"));
    numeroTecleado->setWordWrap(true);
    rejilla->addWidget(numeroTecleado, 7, 0, 1, 7);
    muestraTecleado();
    centro->addLayout(rejilla);

    auto *derecha = new QVBoxLayout;
    ListView5 = new QTreeView(this);
    ListView5->setObjectName(QStringLiteral("ListView5"));
    ListView5->setRootIsDecorated(false);
    ListView5->setUniformRowHeights(true);
    ListView5->setSelectionMode(QAbstractItemView::NoSelection);
    modelo_ = new ModeloEditor(this);
    ListView5->setModel(modelo_);
    cuentaApuestas = new QLabel(this);
    cuentaApuestas->setObjectName(QStringLiteral("cuentaApuestas"));
    derecha->addWidget(ListView5, 1);
    derecha->addWidget(cuentaApuestas);
    guardada = new QLabel(this);
    guardada->setObjectName(QStringLiteral("guardada"));
    guardada->setWordWrap(true);
    derecha->addWidget(guardada);
    centro->addLayout(derecha, 1);
    capa->addLayout(centro, 1);

    auto *dias = new QGroupBox(u("Días de juego"), this);
    auto *capaDias = new QGridLayout(dias);
    grupoDias_ = new QButtonGroup(this);
    // The days of today's draws in a row, the combinations with Monday below them.
    struct Dia {
        QRadioButton *&boton;
        const char *texto;
        int fila, columna;
    };
    const Dia opciones[diasjuego::kOpciones] = {
        {Option1, "Sólo jueves", 0, 1},
        {Option2, "Sólo sábado", 0, 2},
        {Option3, "Jueves y sábado", 0, 3},
        {Option4, "Sólo lunes", 0, 0},
        {Option5, "Lunes y jueves", 1, 0},
        {Option6, "Lunes y sábado", 1, 1},
        {Option7, "Lunes, jueves y sábado", 1, 2},
    };
    for (int k = 0; k < diasjuego::kOpciones; ++k) {
        const Dia &d = opciones[k];
        d.boton = new QRadioButton(u(d.texto), dias);
        d.boton->setObjectName(QStringLiteral("Option%1").arg(k + 1));
        grupoDias_->addButton(d.boton, k + 1);
        capaDias->addWidget(d.boton, d.fila, d.columna);
        connect(d.boton, &QRadioButton::toggled, this, [this, k](bool activo) {
            if (activo && !actualizando_)
                Option_Click(k + 1);
        });
    }
    capa->addWidget(dias);

    etiquetaEdicion =
        new QLabel(u("Modificando la peña: cada cambio completo se graba en el momento."), this);
    etiquetaEdicion->setObjectName(QStringLiteral("etiquetaEdicion"));
    capa->addWidget(etiquetaEdicion);
    auto *navegador = new QHBoxLayout;
    etiquetaApuesta = new QLabel(u("Apuesta nº:"), this);
    etiquetaApuesta->setObjectName(QStringLiteral("etiquetaApuesta"));
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setAccessibleName(u("Apuesta mostrada"));
    HScroll1->setPageStep(1);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    Text2->setMaximumWidth(60);
    navegador->addWidget(etiquetaApuesta);
    navegador->addWidget(HScroll1, 1);
    navegador->addWidget(Text2);
    capa->addLayout(navegador);

    auto *botones = new QHBoxLayout;
    auto boton = [this, botones](QPushButton *&b, const char *nombre, const char *texto) {
        b = new QPushButton(u(texto), this);
        b->setObjectName(QString::fromLatin1(nombre));
        botones->addWidget(b);
    };
    boton(Command1, "Command1", "Grabar");
    boton(Command2, "Command2", "Borrar");
    boton(Command3, "Command3", "Aleatorio");
    boton(Command4, "Command4", "Añadir apuesta");
    boton(Command5, "Command5", "Eliminar apuesta");
    capa->addLayout(botones);

    connect(Command1, &QPushButton::clicked, this, &Crea::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Crea::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Crea::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Crea::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Crea::Command5_Click);
    connect(Label5, &Imagen::clicked, this, &Crea::Label5_Click);
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int v) {
        if (!actualizando_)
            HScroll1_Change(v);
    });
    connect(Text1, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!actualizando_)
            Text1_Change(t);
    });
    // The name comes first; Enter goes on to the grid, where the numbers are typed.
    connect(Text1, &QLineEdit::returnPressed, this,
            [this] { Image1[0]->setFocus(Qt::TabFocusReason); });
    connect(juegaDesde, &QDateEdit::dateChanged, this, [this](const QDate &d) {
        if (!actualizando_)
            JuegaDesde_Change(d);
    });

    const bool edita = edicion_->editando();
    Command1->setVisible(!edita);
    Command2->setVisible(!edita);
    Command4->setVisible(edita);
    Command5->setVisible(edita);
    cuentaApuestas->setVisible(!edita);
    etiquetaEdicion->setVisible(edita);
    etiquetaApuesta->setVisible(edita);
    HScroll1->setVisible(edita);
    Text2->setVisible(edita);
}

void Crea::muestra()
{
    actualizando_ = true;
    const Edicion &e = *edicion_;
    for (int i = 0; i < 49; ++i)
        Image1[i]->ponMarcada(e.marcada(i + 1));
    instruccion->setText(e.instruccion());
    modelo_->pon(e.lineas());
    // The list fits twelve numbers a line; longer bets (reduced tables up to 20) widen it.
    if (e.porapuesta() > 12)
        ListView5->header()->setMinimumSectionSize(
            ListView5->fontMetrics().horizontalAdvance(QStringLiteral("00-")) * e.porapuesta());
    cuentaApuestas->setText(QString::number(e.numapuestas()));
    Command1->setEnabled(e.grabarActivo());
    Command2->setEnabled(e.borrarActivo());
    Command3->setEnabled(e.aleatorioActivo());
    Command4->setEnabled(e.anadirActivo());
    if (e.editando()) {
        HScroll1->setRange(1, e.maximo());
        HScroll1->setValue(e.actual());
        Text2->setText(QString::number(e.actual()));
    }
    if (Text1->text() != e.nombreActual()) {
        const int cursor = Text1->cursorPosition();
        Text1->setText(e.nombreActual());
        Text1->setCursorPosition(std::min<int>(cursor, static_cast<int>(Text1->text().size())));
    }
    // Today moves on while the editor is open: the range follows the program's clock. The box
    // is only set when its day is not the editor's, so that a day being typed in it survives a
    // click on the grid.
    const QDate hoy = sesion_.hoy();
    if (juegaDesde->maximumDate() != hoy)
        juegaDesde->setDateRange(std::min(edicion::primerSorteo(), hoy), hoy);
    if (juegaDesde->date() != e.desde(hoy))
        juegaDesde->setDate(e.desde(hoy));
    if (QAbstractButton *b = grupoDias_->button(e.opcionDias()))
        b->setChecked(true);
    else if (QAbstractButton *marcado = grupoDias_->checkedButton()) {
        // Days no option stores: no option shows as chosen.
        grupoDias_->setExclusive(false);
        marcado->setChecked(false);
        grupoDias_->setExclusive(true);
    }
    emit apuestasCambiadas(e.numapuestas());
    actualizando_ = false;
}

void Crea::atiende(const RespuestaEdicion &r)
{
    muestra();
    for (const AvisoEdicion &a : r.avisos)
        Escritorio::actual().aviso(a.texto, a.titulo, icono(a.icono));
    // What was typed stays in the editor, so the user can save again once there is room.
    escrito(r.escritura, QStringLiteral("apuestas.dat"));
    if (r.grabado)
        emit grabada();
    if (r.cerrar)
        cierra();
}

void Crea::Image1_Click(int indice)
{
    atiende(edicion_->pulsa(indice + 1));
}

// The grid from the keyboard: one or two digits, then Enter or Space, mark or unmark that number
// as a click on it does. Digits that reach the window from a control that takes no text (a
// button, the window itself) count too. A third digit starts the next number.
bool Crea::teclaRejilla(const QKeyEvent &tecla)
{
    // Shift too: some keyboards need it for their digits.
    if ((tecla.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != Qt::NoModifier)
        return false;
    const QString texto = tecla.text();
    if (texto.size() == 1 && texto.at(0) >= QLatin1Char('0') && texto.at(0) <= QLatin1Char('9')) {
        if (tecleado_.size() >= 2)
            tecleado_.clear();
        tecleado_ += texto;
        muestraTecleado();
        return true;
    }
    if (tecleado_.isEmpty())
        return false; // Space and Enter press the cell with the focus, as always
    switch (tecla.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        marcaTecleado();
        return true;
    case Qt::Key_Backspace:
        tecleado_.chop(1);
        muestraTecleado();
        return true;
    case Qt::Key_Escape: // drops the digits; the next Escape closes the editor
        tecleado_.clear();
        muestraTecleado();
        return true;
    default:
        return false;
    }
}

void Crea::marcaTecleado()
{
    const QString escrito = tecleado_;
    tecleado_.clear();
    const int numero = escrito.toInt();
    if (numero < 1 || numero > 49) {
        muestraTecleado(u("El %1 no está en el boleto: los números van del 1 al 49.").arg(escrito));
        return;
    }
    muestraTecleado();
    // The focus goes to the cell typed: the user sees where the number went and types the
    // next one from there.
    Image1[numero - 1]->setFocus(Qt::OtherFocusReason);
    Image1_Click(numero - 1);
}

void Crea::muestraTecleado(const QString &aviso)
{
    if (!aviso.isEmpty())
        numeroTecleado->setText(aviso);
    else if (tecleado_.isEmpty())
        numeroTecleado->setText(u("Teclee un número y pulse Intro."));
    else
        numeroTecleado->setText(u("Número tecleado: ") + tecleado_);
}

bool Crea::eventFilter(QObject *objeto, QEvent *evento)
{
    if (qobject_cast<Casilla *>(objeto)) {
        if (evento->type() == QEvent::KeyPress && teclaRejilla(*static_cast<QKeyEvent *>(evento)))
            return true;
        // Digits left behind when the focus leaves the grid would join a number typed later.
        if (evento->type() == QEvent::FocusOut && !tecleado_.isEmpty()) {
            const Qt::FocusReason razon = static_cast<QFocusEvent *>(evento)->reason();
            if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason &&
                !qobject_cast<Casilla *>(QApplication::focusWidget())) {
                tecleado_.clear();
                muestraTecleado();
            }
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void Crea::keyPressEvent(QKeyEvent *evento)
{
    if (teclaRejilla(*evento)) {
        evento->accept();
        return;
    }
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        close(); // as the "X": the same checks and the same question
        return;
    }
    QWidget::keyPressEvent(evento);
}

void Crea::Command1_Click()
{
    const ArchivoSorteos &s = sesion_.sorteos();
    const double ultimo = s.vacio() ? 0.0 : s.ultimo().fecha;
    const QString nombre = edicion_->nombreActual().trimmed();
    // A day typed and not yet confirmed is the one the user sees: it counts.
    juegaDesde->interpretText();
    // A bet entered twice may be a slip of the hand or meant: the user says which.
    if (const QString repetidas = edicion_->repetidas();
        !repetidas.isEmpty() && !nombre.isEmpty() &&
        !Escritorio::actual().pregunta(repetidas, QString::fromUtf8("Apuestas repetidas"),
                                       Escritorio::Icono::Pregunta))
        return;
    const RespuestaEdicion r =
        edicion_->graba(edicion::serial(Escritorio::actual().ahora()), ultimo);
    // The editor empties itself for the next syndicate: without a word the user cannot tell the
    // bets went to the file.
    if (r.grabado && !r.cerrar)
        guardada->setText(QString::fromUtf8("La peña «%1» se ha guardado.").arg(nombre));
    atiende(r);
}

void Crea::Command2_Click()
{
    atiende(edicion_->borra());
}

void Crea::Command3_Click()
{
    atiende(edicion_->aleatorio(*QRandomGenerator::global()));
}

void Crea::Command4_Click()
{
    atiende(edicion_->anade());
}

void Crea::Command5_Click()
{
    atiende(edicion_->borra());
}

void Crea::HScroll1_Change(int valor)
{
    const int antes = edicion_->actual();
    const RespuestaEdicion r = edicion_->navega(valor);
    if (edicion_->actual() != antes)
        emit grabada();
    atiende(r);
}

void Crea::Text1_Change(const QString &texto)
{
    QString caja;
    const RespuestaEdicion r = edicion_->nombre(texto, caja);
    atiende(r);
}

void Crea::Option_Click(int opcion)
{
    atiende(edicion_->dias(opcion));
}

void Crea::JuegaDesde_Change(const QDate &dia)
{
    atiende(edicion_->juegaDesde(dia, edicion::serial(sesion_.ahora())));
}

void Crea::Label5_Click()
{
    close();
}

void Crea::cierra()
{
    forzado_ = true;
    close();
}

bool Crea::abriendose() const
{
    return mostrada_ && !activada_ && desdeQueSeMostro_.isValid() &&
           desdeQueSeMostro_.elapsed() < 2000;
}

bool Crea::event(QEvent *evento)
{
    if (evento->type() == QEvent::WindowActivate)
        activada_ = true;
    return QWidget::event(evento);
}

void Crea::showEvent(QShowEvent *evento)
{
    QWidget::showEvent(evento);
    if (mostrada_)
        return;
    mostrada_ = true;
    desdeQueSeMostro_.start();
    emit mostrada();
}

void Crea::closeEvent(QCloseEvent *evento)
{
    if (!forzado_ && !sesion_.cerrando()) {
        if (const std::optional<AvisoEdicion> a = edicion_->cierre()) {
            Escritorio::actual().aviso(a->texto, a->titulo, icono(a->icono));
            evento->ignore();
            return;
        }
        // Bets typed and not saved exist only here: they are dropped only when the user says
        // so, and "No" (also the default) keeps the editor open with them.
        if (edicion_->trabajoPendiente() &&
            !Escritorio::actual().preguntaPeligrosa(
                u("Lo que ha marcado en el editor no está grabado y se perderá si lo cierra. "
                  "¿Quiere cerrarlo sin grabar?"),
                u("Apuestas sin grabar"))) {
            evento->ignore();
            return;
        }
    }
    if (!edicion_->editando())
        emit apuestasCambiadas(0);
    evento->accept();
}
