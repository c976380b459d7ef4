#include "syndicates/edicion.h"
#include "archive/fechas.h"
#include "archive/juego.h"
#include "archive/registro.h"
#include "archive/texto.h"
#include "syndicates/archivopenas.h"
#include "syndicates/reducida.h"

#include <QRandomGenerator>
#include <algorithm>

namespace {
AvisoEdicion aviso(const QString &texto,
                   AvisoEdicion::Icono icono = AvisoEdicion::Icono::Informacion)
{
    AvisoEdicion a;
    a.texto = texto;
    a.icono = icono;
    return a;
}

QString mensajeMultiples()
{
    return u("¡¡ Oficialmente sólo se admite una combinación por boleto cuando juegas a "
             "múltiples !! ");
}

QString mensajeMaximo(int maximo)
{
    return u("Máximo de apuestas sencillas por peña : ") + QString::number(maximo) +
           QStringLiteral(".");
}

} // namespace

namespace edicion {

int porapuesta(int modocrea, int nTabla)
{
    switch (modocrea) {
    case 1:
        return 7;
    case 2:
        return 8;
    case 3:
        return 5;
    case 4:
        return 9;
    case 5:
        return 10;
    case 6:
        return 11;
    case kReducida:
        return nTabla;
    default:
        return 6;
    }
}

QString textoApuesta(const std::vector<int> &numeros)
{
    QStringList partes;
    for (int n : numeros)
        partes.append((n < 10 ? QStringLiteral(" ") : QString()) + QString::number(n));
    return partes.join(QLatin1Char('-'));
}

double serial(const QDateTime &momento)
{
    return fechas::serial(momento.date()) + momento.time().msecsSinceStartOfDay() / 86400000.0;
}

QDate primerSorteo()
{
    return juego::primerSorteo();
}

double creacionDesde(const QDate &desde, double ahora)
{
    const QDate hoy = fechas::dia(ahora);
    if (!desde.isValid() || !hoy.isValid() || desde >= hoy)
        return ahora;
    return fechas::serial(std::max(desde, primerSorteo()));
}

Nombre normalizaNombre(const QString &tecleado, const QString &anterior)
{
    Nombre r;
    const QString mayusculas = tecleado.toUpper();
    QByteArray bytes;
    if (!registro::a1252(mayusculas, bytes)) {
        // The field is single-byte text: a character without a single-byte form would be
        // stored as garbage, so the box keeps the name it had.
        QString ajeno;
        for (qsizetype i = 0; i < mayusculas.size(); ++i) {
            const qsizetype largo =
                mayusculas.at(i).isHighSurrogate() && i + 1 < mayusculas.size() ? 2 : 1;
            QByteArray b;
            if (!registro::a1252(mayusculas.mid(i, largo), b)) {
                ajeno = mayusculas.mid(i, largo);
                break;
            }
            i += largo - 1;
        }
        r.texto = anterior;
        r.aviso = aviso(
            u("El nombre de la peña sólo puede llevar letras, números y signos del "
              "alfabeto occidental") +
                (ajeno.isEmpty() ? QString() : u(": el carácter «") + ajeno + u("» no vale")) +
                QStringLiteral("."),
            AvisoEdicion::Icono::Exclamacion);
        return r;
    }
    if (bytes.size() > kMaxNombre) {
        r.texto = QStringLiteral("AYYYYYY!!");
        r.aviso = aviso(u("¡¡¡El nombre no puede tener más de 20 letras!!!"),
                        AvisoEdicion::Icono::Exclamacion);
        return r;
    }
    r.texto = mayusculas;
    return r;
}

} // namespace edicion

Edicion::Edicion(AlmacenPenas &almacen, OpcionesEdicion opciones)
    : almacen_(almacen), archivo_(almacen.penas()), editando_(opciones.editando),
      registro_(opciones.registro), modocrea_(opciones.modocrea),
      numordenador_(opciones.numordenador)
{
    ponRanking(std::move(opciones.masfrecuentes));
    if (editando_) {
        if (registro_ >= 1 && registro_ <= archivo_.cuenta())
            pena_ = archivo_.lee(registro_);
        leida_ = pena_;
        const int tipo = pena_.tipo;
        modocrea_ = tipo >= 501 && tipo <= 506 ? tipo - 500 : edicion::kSencilla;
        numordenador_ = true;
        inicia();
        // A count the record cannot hold (a file edited by hand) shows what fits.
        maximo_ = tipo >= 1 && tipo <= 500 ? std::min<int>(tipo, Pena::kApuestas) : 1;
        actual_ = 1;
        // Days no option stores (a file edited by hand) select no option and stay as they are
        // until the user picks one.
        dias_ = diasjuego::opcion(pena_.diasTexto());
        desde_ = fechas::dia(pena_.creacion);
        QString n = pena_.nombreTexto();
        while (n.endsWith(QLatin1Char(' ')))
            n.chop(1);
        nombre_ = n;
        carga();
        return;
    }
    if (modocrea_ == edicion::kReducida && opciones.tabla)
        tabla_ = *opciones.tabla;
    else if (modocrea_ == edicion::kReducida || modocrea_ < 0 || modocrea_ > 7)
        modocrea_ = edicion::kSencilla; // no table to reduce with: nothing else can be entered
    inicia();
    if (numordenador_)
        rellenanumeros();
}

void Edicion::ponRanking(std::vector<int> ranking)
{
    // Keep the given order, drop what is not a number or repeats, and complete it so that
    // every number 1..49 appears once.
    std::array<bool, 50> visto{};
    ranking_.clear();
    for (int n : ranking)
        if (n >= 1 && n <= 49 && !visto[static_cast<size_t>(n)]) {
            visto[static_cast<size_t>(n)] = true;
            ranking_.push_back(n);
        }
    for (int n = 1; n <= 49; ++n)
        if (!visto[static_cast<size_t>(n)])
            ranking_.push_back(n);
}

void Edicion::inicia()
{
    marca_.fill(false);
    marcados_ = 0;
    if (esReducida())
        numapuestas_ = 0;
    aleatorio_ = !(numordenador_ && modocrea_ != edicion::kSencilla);
    porapuesta_ = edicion::porapuesta(modocrea_, tabla_ ? tabla_->n : 6);
    maxapuestas_ = modocrea_ == edicion::kSencilla ? Pena::kApuestas : 1;
    if (!editando_) {
        if (tabla_) {
            pena_.tablaN = static_cast<qint16>(tabla_->n);
            pena_.tablaG = static_cast<qint16>(tabla_->g);
        } else {
            pena_.tablaN = 0;
        }
    }
    lineas_.clear();
    grabar_ = false;
    borrar_ = false;
}

QString Edicion::instruccion() const
{
    return u("INTRODUZCA EL NOMBRE Y ") + QString::number(porapuesta_) + u(" NÚMEROS:");
}

bool Edicion::marcada(int numero) const
{
    return numero >= 1 && numero <= 49 && marca_[static_cast<size_t>(numero)];
}

std::vector<int> Edicion::marcadas() const
{
    std::vector<int> v;
    for (int n = 1; n <= 49; ++n)
        if (marca_[static_cast<size_t>(n)])
            v.push_back(n);
    return v;
}

void Edicion::rellenanumeros()
{
    for (int k = 0; k < porapuesta_ && static_cast<size_t>(k) < ranking_.size(); ++k)
        pulsa(ranking_[static_cast<size_t>(k)]);
}

RespuestaEdicion Edicion::pulsa(int numero)
{
    RespuestaEdicion r;
    if (numero < 1 || numero > 49)
        return r;
    if (solonombre_) {
        r.avisos.push_back(
            aviso(u("Sólo tienes que poner un nombre. No puedes añadir más números.")));
        return r;
    }
    grabar_ = false;
    if (numapuestas() < maxapuestas_) {
        bool &marca = marca_[static_cast<size_t>(numero)];
        bool cambio = false;
        if (marca) {
            marca = false;
            --marcados_;
            cambio = true;
        } else if (marcados_ < porapuesta_) {
            marca = true;
            ++marcados_;
            cambio = true;
        }
        if (cambio && marcados_ == porapuesta_) {
            if (editando_)
                completa(r);
            else
                anotaapuesta();
        }
        // A number marked and unmarked again leaves the grid as it was: the bets entered can
        // be saved again. Only a bet half-marked keeps "Grabar" off, so it is not lost.
        if (!editando_)
            grabar_ = numapuestas_ > 0 && marcados_ == 0;
        return r;
    }
    if (esMultiple())
        r.avisos.push_back(aviso(mensajeMultiples()));
    else if (esReducida())
        r.avisos.push_back(aviso(u("¡¡ Sólo puedes poner ") + QString::number(porapuesta_) +
                                 u(" números en este tipo de reducida !! ")));
    else
        r.avisos.push_back(aviso(mensajeMaximo(Pena::kApuestas)));
    // A refused click changes nothing: the bets entered can still be saved.
    grabar_ = numapuestas_ > 0;
    return r;
}

void Edicion::anotaapuesta()
{
    ++numapuestas_;
    borrar_ = true;
    const std::vector<int> numeros = marcadas();
    marca_.fill(false);
    auto &apuesta = pena_.apuestas[static_cast<size_t>(numapuestas_ - 1)];
    apuesta.fill(0);
    for (size_t i = 0; i < numeros.size() && i < apuesta.size(); ++i)
        apuesta[i] = static_cast<qint16>(numeros[i]);
    lineas_.append(edicion::textoApuesta(numeros));
    grabar_ = true;
    marcados_ = 0;
}

void Edicion::completa(RespuestaEdicion &r)
{
    const std::vector<int> numeros = marcadas();
    auto &apuesta = pena_.apuestas[static_cast<size_t>(actual_ - 1)];
    apuesta.fill(0);
    for (size_t i = 0; i < numeros.size() && i < apuesta.size(); ++i)
        apuesta[i] = static_cast<qint16>(numeros[i]);
    if (pendiente_ && actual_ == maximo_) {
        pena_.tipo = static_cast<qint16>(maximo_);
        pendiente_ = false;
    }
    // Its bets are no longer the table's: from now on it is a simple syndicate.
    pena_.tablaN = 0;
    lineas_ = QStringList{edicion::textoApuesta(numeros)};
    escribe(r);
}

void Edicion::escribe(RespuestaEdicion &r)
{
    if (editando_) {
        // The main window stays usable while the editor is open: a syndicate above this one
        // may have been deleted (the record moved) and a checking pass may have raised its
        // counters. The write goes to the record that is this syndicate now, with the counters
        // the file holds; the editor changes neither.
        const auto esta = [this](const Pena &p) { return p.mismaClave(leida_); };
        int registro = 0;
        if (registro_ >= 1 && registro_ <= archivo_.cuenta() && esta(archivo_.lee(registro_)))
            registro = registro_;
        for (int j = 1; registro == 0 && j <= archivo_.cuenta(); ++j)
            if (esta(archivo_.lee(j)))
                registro = j;
        if (registro == 0) {
            r.avisos.push_back({QString::fromUtf8("La peña que está editando ya no existe: se ha "
                                                  "eliminado desde la ventana principal. Sus "
                                                  "cambios no se han guardado."),
                                QStringLiteral("Error"), AvisoEdicion::Icono::Exclamacion});
            return;
        }
        const Pena &enArchivo = archivo_.lee(registro);
        registro_ = registro;
        pena_.premios = enArchivo.premios;
        pena_.contado = enArchivo.contado;
    }
    r.escritura = almacen_.guardaPena(registro_, pena_);
    if (r.escritura == Escritura::Hecha) {
        r.grabado = true;
        leida_ = pena_;
    }
}

void Edicion::carga()
{
    marca_.fill(false);
    marcados_ = 0;
    for (int p = 1; p <= porapuesta_ && p <= Pena::kPosiciones; ++p) {
        const int n = pena_.numero(actual_, p);
        // A number out of range or repeated (a record edited by hand) is simply not shown:
        // the bet is then incomplete and must be put right before moving on.
        if (n >= 1 && n <= 49 && !marca_[static_cast<size_t>(n)]) {
            marca_[static_cast<size_t>(n)] = true;
            ++marcados_;
        }
    }
    const std::vector<int> numeros = marcadas();
    lineas_ = QStringList{numeros.empty() ? QString() : edicion::textoApuesta(numeros)};
}

RespuestaEdicion Edicion::borra()
{
    RespuestaEdicion r;
    if (!editando_) {
        if (numapuestas_ == 0)
            return r;
        pena_.apuestas[static_cast<size_t>(numapuestas_ - 1)].fill(0);
        --numapuestas_;
        if (!lineas_.isEmpty())
            lineas_.removeLast();
        if (numapuestas_ == 0) {
            borrar_ = false;
            grabar_ = false;
            aleatorio_ = true;
        }
        return r;
    }
    if (pendiente_) {
        // The added bet never reached the file: dropping it is all there is to do.
        pena_.apuestas[static_cast<size_t>(maximo_ - 1)].fill(0);
        pendiente_ = false;
        --maximo_;
        actual_ = maximo_;
        carga();
        return r;
    }
    if (!(pena_.tipo > 1 && pena_.tipo <= 500)) {
        r.avisos.push_back(aviso(u("¡¡ No puedes borrar todas las apuestas !!. Si quieres borrar "
                                   "la Peña, hazlo desde la pestaña GESTOR DE PEÑAS.")));
        return r;
    }
    const int cuenta = std::min<int>(pena_.tipo, Pena::kApuestas);
    for (int b = actual_; b < cuenta; ++b)
        pena_.apuestas[static_cast<size_t>(b - 1)] = pena_.apuestas[static_cast<size_t>(b)];
    pena_.apuestas[static_cast<size_t>(cuenta - 1)].fill(0);
    pena_.tipo = static_cast<qint16>(cuenta - 1);
    maximo_ = pena_.tipo;
    escribe(r);
    actual_ = std::clamp(actual_ - 1, 1, maximo_);
    carga();
    return r;
}

RespuestaEdicion Edicion::aleatorio(QRandomGenerator &azar)
{
    RespuestaEdicion r;
    if (numapuestas() >= maxapuestas_) {
        r.avisos.push_back(aviso(mensajeMaximo(maxapuestas_)));
        return r;
    }
    if (modocrea_ != edicion::kSencilla)
        aleatorio_ = false; // one combination only
    std::vector<int> sorteados;
    std::array<bool, 50> visto{};
    while (static_cast<int>(sorteados.size()) < porapuesta_) {
        const int n = static_cast<int>(azar.bounded(1, 50));
        if (visto[static_cast<size_t>(n)])
            continue;
        visto[static_cast<size_t>(n)] = true;
        sorteados.push_back(n);
    }
    // The drawn numbers go to the head of the ranking, in draw order, so the pre-fill marks them.
    std::vector<int> ranking = sorteados;
    ranking.insert(ranking.end(), ranking_.begin(), ranking_.end());
    ponRanking(std::move(ranking));
    marca_.fill(false);
    marcados_ = 0;
    for (int k = 0; k < porapuesta_; ++k) {
        RespuestaEdicion parcial = pulsa(ranking_[static_cast<size_t>(k)]);
        r.avisos.insert(r.avisos.end(), parcial.avisos.begin(), parcial.avisos.end());
        if (parcial.grabado || parcial.escritura != Escritura::Hecha) {
            r.grabado = parcial.grabado;
            r.escritura = parcial.escritura;
        }
    }
    return r;
}

QString Edicion::repetidas() const
{
    if (editando_ || esMultiple() || esReducida())
        return {};
    int cuantas = 0;
    int primera = 0;
    int igualA = 0;
    for (int b = 2; b <= numapuestas_; ++b)
        for (int a = 1; a < b; ++a)
            if (pena_.apuestas[size_t(a - 1)] == pena_.apuestas[size_t(b - 1)]) {
                if (cuantas++ == 0) {
                    primera = b;
                    igualA = a;
                }
                break;
            }
    if (cuantas == 0)
        return {};
    QStringList numeros;
    for (qint16 n : pena_.apuestas[size_t(primera - 1)])
        if (n > 0)
            numeros.append(QString::number(n));
    const QString cual = numeros.join(QLatin1Char('-'));
    const QString dicho =
        cuantas == 1
            ? u("La apuesta %1 es igual que la %2 (%3).").arg(primera).arg(igualA).arg(cual)
            : u("Hay %1 apuestas repetidas; la primera, la %2, es igual que la %3 (%4).")
                  .arg(cuantas)
                  .arg(primera)
                  .arg(igualA)
                  .arg(cual);
    return dicho + u(" Una apuesta repetida juega dos veces los mismos números.\n\n"
                     "¿Quiere grabar la peña así?");
}

RespuestaEdicion Edicion::graba(double ahora, double ultimoSorteo)
{
    RespuestaEdicion r;
    solonombre_ = false;
    aleatorio_ = false;
    if (editando_ || numapuestas_ == 0)
        return r; // nothing entered: the button is never enabled then
    if (!archivo_.vacio() && archivo_.lee(1).creacion > ahora) {
        r.avisos.push_back(aviso(u("¡¡¡No puede crear una peña con fecha anterior a una ya "
                                   "existente!!!. Borre dicha peña antes de crear ésta."),
                                 AvisoEdicion::Icono::Exclamacion));
        return r;
    }
    if (ultimoSorteo != 0 && ultimoSorteo > ahora) {
        r.avisos.push_back(aviso(
            u("Hay sorteos con fecha posterior a la de la peña que intenta crear. Revise la fecha "
              "de su ordenador. ¡No se puede crear una peña con fecha anterior a la del último "
              "sorteo!"),
            AvisoEdicion::Icono::Exclamacion));
        return r;
    }
    if (nombre_.trimmed().isEmpty()) {
        solonombre_ = true;
        r.avisos.push_back(
            aviso(u("¡¡¡No ha escrito el nombre de la peña!!!"), AvisoEdicion::Icono::Exclamacion));
        return r;
    }
    Pena p = pena_;
    if (dias_ != 0)
        p.ponDias(diasjuego::texto(dias_));
    p.premios.fill(0);
    if (esReducida() && tabla_) {
        reducidas::aplicatabla(*tabla_, p);
        p.tipo = static_cast<qint16>(tabla_->k);
    } else if (esMultiple()) {
        p.tipo = static_cast<qint16>(500 + modocrea_);
    } else {
        p.tipo = static_cast<qint16>(numapuestas_);
    }
    p.contado = 0;
    p.creacion = edicion::creacionDesde(desde_, ahora);
    p.ponNombre(nombre_);
    r.escritura = almacen_.guardaPena(archivo_.proximapena(), p);
    if (r.escritura != Escritura::Hecha)
        return r; // everything entered stays, so the user can try again
    r.grabado = true;
    if (numordenador_) {
        r.cerrar = true;
        return r;
    }
    // Ready for another syndicate of the same kind.
    nombre_.clear();
    numapuestas_ = 0;
    pena_ = Pena();
    // The next one is another syndicate: it starts today unless the user says otherwise, so a
    // past day is never carried over to it unnoticed.
    desde_ = QDate();
    inicia();
    return r;
}

RespuestaEdicion Edicion::nombre(const QString &tecleado, QString &caja)
{
    RespuestaEdicion r;
    edicion::Nombre n = edicion::normalizaNombre(tecleado, nombre_);
    if (n.aviso)
        r.avisos.push_back(*n.aviso);
    nombre_ = n.texto;
    caja = n.texto;
    // An emptied box is not written: the syndicate keeps its name until a new one is typed.
    if (editando_ && !nombre_.trimmed().isEmpty() &&
        pena_.nombre != registro::campo1252(nombre_, Pena::kAnchoNombre)) {
        pena_.ponNombre(nombre_);
        escribe(r);
    }
    return r;
}

RespuestaEdicion Edicion::dias(int opcion)
{
    RespuestaEdicion r;
    dias_ = std::clamp(opcion, 1, diasjuego::kOpciones);
    if (editando_) {
        const QByteArray antes = pena_.dias;
        pena_.ponDias(diasjuego::texto(dias_));
        if (pena_.dias != antes)
            escribe(r);
    }
    return r;
}

RespuestaEdicion Edicion::juegaDesde(const QDate &dia, double ahora)
{
    RespuestaEdicion r;
    const QDate hoy = fechas::dia(ahora);
    if (!dia.isValid() || !hoy.isValid())
        return r;
    const QDate elegido = std::clamp(dia, std::min(edicion::primerSorteo(), hoy), hoy);
    if (!editando_) {
        desde_ = elegido;
        return r;
    }
    // The day it already plays from keeps the exact moment it was made: the draws of that day
    // it did or did not play stay as they were.
    if (elegido == fechas::dia(pena_.creacion))
        return r;
    pena_.creacion = edicion::creacionDesde(elegido, ahora);
    desde_ = elegido;
    escribe(r);
    return r;
}

QDate Edicion::desde(const QDate &hoy) const
{
    const QDate dia = desde_.isValid() ? desde_ : hoy;
    if (!hoy.isValid())
        return dia;
    return std::clamp(dia, std::min(edicion::primerSorteo(), hoy), hoy);
}

RespuestaEdicion Edicion::navega(int destino)
{
    RespuestaEdicion r;
    if (!editando_)
        return r;
    destino = std::clamp(destino, 1, maximo_);
    if (destino == actual_)
        return r;
    if (marcados_ != porapuesta_) {
        r.avisos.push_back(aviso(u("¡¡ ") +
                                 (marcados_ < porapuesta_ ? u("Faltan ") : u("Sobran ")) +
                                 u("números !!. Por favor, completa la apuesta.")));
        return r;
    }
    actual_ = destino;
    carga();
    return r;
}

RespuestaEdicion Edicion::anade()
{
    RespuestaEdicion r;
    if (!editando_ || actual_ != maximo_)
        return r;
    if (esMultiple()) {
        r.avisos.push_back(aviso(u("No puedes añadir más apuestas. ") + mensajeMultiples()));
        return r;
    }
    if (maximo_ >= Pena::kApuestas) {
        r.avisos.push_back(aviso(mensajeMaximo(Pena::kApuestas)));
        return r;
    }
    if (marcados_ != porapuesta_) {
        r.avisos.push_back(aviso(u("¡¡ ") + QString::number(marcados_) +
                                 u(" números !!. Por favor, completa la apuesta.")));
        return r;
    }
    ++maximo_;
    pendiente_ = true;
    pena_.apuestas[static_cast<size_t>(maximo_ - 1)].fill(0);
    actual_ = maximo_;
    carga();
    return r;
}

std::optional<AvisoEdicion> Edicion::cierre() const
{
    if (!editando_ || marcados_ == porapuesta_)
        return std::nullopt;
    return aviso(u("¡¡ ") + QString::number(marcados_) +
                 u(" números !!. Por favor, rectifica la apuesta. Ha de ser de ") +
                 QString::number(porapuesta_) + u(" números"));
}
