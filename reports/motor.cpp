#include "reports/motor.h"
#include "archive/fechas.h"
#include "reports/cuentas.h"
#include "reports/esquema_generado.h"
#include "reports/ganancias.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <kainjow/mustache.hpp>

namespace informes {

namespace {
using kainjow::mustache::data;
using kainjow::mustache::mustache;

// A report file is a page of HTML; anything bigger is not one of ours.
constexpr qint64 kMaximoPlantilla = 1024 * 1024;

std::string s(const QString &texto)
{
    return texto.toStdString();
}

std::string fecha(double serial)
{
    return serial == 0 ? std::string() : s(fechas::textoCorto(serial));
}

data datosSorteos(const FilaSorteos &f)
{
    data d;
    d.set("Dia1", fecha(f.dia1));
    d.set("Dia2", fecha(f.dia2));
    d.set("Total", std::to_string(f.total));
    d.set("Diasajugar", s(f.diasajugar));
    return d;
}

data datosPena(const FilaPena &p, const QLocale &locale)
{
    data d;
    d.set("Nombre", s(p.nombre.trimmed()));
    d.set("Diasajugar", s(p.diasajugar));
    d.set("Dinero", s(numeroTexto(p.dinero, locale)));
    d.set("Dia1", fecha(p.dia1));
    d.set("Dia2", fecha(p.dia2));
    d.set("Aciertos", s(p.aciertos));
    d.set("Sorteos", s(numeroTexto(p.sorteos, locale)));
    const char *const campos[] = {"3", "4", "5", "5C", "6"};
    for (int i = 0; i < 5; ++i)
        d.set(campos[i], std::to_string(p.premios[static_cast<size_t>(i)]));
    return d;
}
} // namespace

QString archivoInforme(int miembro)
{
    return miembro == 0 ? QStringLiteral("Bolarium.net") : QStringLiteral("Bolarium1.net");
}

QString numeroTexto(double valor, const QLocale &locale, int decimales)
{
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    QString t = l.toString(valor, 'f', decimales);
    const QString coma = l.decimalPoint();
    if (t.contains(coma)) {
        while (t.endsWith(QLatin1Char('0')))
            t.chop(1);
        if (t.endsWith(coma))
            t.chop(coma.size());
    }
    if (t == QStringLiteral("-0"))
        t = QStringLiteral("0");
    return t;
}

Informe renderiza(const QString &plantilla, const Contenido &c, const QLocale &locale,
                  const QDate &hoy)
{
    data raiz;
    data informe;
    informe.set("Frase", s(c.frase));
    raiz.set("Informe", informe);
    raiz.set("Sorteos", datosSorteos(c.sorteos));

    data numeros{data::type::list};
    int orden = 0;
    for (const FilaNumero &n : c.numeros) {
        data fila;
        fila.set("Orden", std::to_string(++orden));
        fila.set("Numero", std::to_string(n.numero));
        fila.set("Veces", std::to_string(n.veces));
        numeros.push_back(fila);
    }
    raiz.set("Numeros", numeros);

    raiz.set("Peña", datosPena(c.pena, locale));
    data apuestas{data::type::list};
    int apuesta = 0;
    for (const QString &texto : c.penanums) {
        data fila;
        fila.set("Apuesta", std::to_string(++apuesta));
        fila.set("Numeros", s(texto));
        apuestas.push_back(fila);
    }
    raiz.set("Peñanums", apuestas);

    const auto cierto = [](bool b) { return b ? data::type::bool_true : data::type::bool_false; };
    const FilaGanancias &g = c.ganancias;
    // While an amount is not known every figure is provisional, and a negative balance is no
    // final loss: it is not painted red.
    const bool provisional = g.pendientes > 0;
    data dinero;
    dinero.set("Premios", s(ganancias::textoEuros(g.premios)));
    dinero.set("Joker", s(ganancias::textoEuros(g.joker)));
    dinero.set("Retencion", s(ganancias::textoEuros(g.retencion)));
    dinero.set("Neto", s(ganancias::textoEuros(g.neto)));
    dinero.set("Jugado", s(ganancias::textoEuros(g.jugado)));
    dinero.set("Balance", s(ganancias::textoEuros(g.balance)));
    dinero.set("Jugados", std::to_string(g.jugados));
    dinero.set("SinImporte", std::to_string(g.sinImporte));
    // A section that shows only when some draw's amounts are missing.
    dinero.set("HaySinImporte", cierto(g.sinImporte > 0));
    dinero.set("Provisional", cierto(provisional));
    dinero.set("Pendientes",
               s(g.pendientes == 1
                     ? QStringLiteral("1 premio de importe pendiente")
                     : QStringLiteral("%1 premios de importe pendiente").arg(g.pendientes)));
    dinero.set("Negativo", cierto(g.balance < 0 && !provisional));
    dinero.set("Pagado", s(ganancias::textoEuros(c.cuentas.pagado - c.cuentas.entregado)));
    dinero.set("Bote", s(ganancias::textoEuros(c.cuentas.bote)));
    dinero.set("Reparten", cierto(c.cuentas.reparten));
    raiz.set("Ganancias", dinero);
    data premiados{data::type::list};
    for (const FilaPremiado &f : c.premiados) {
        data fila;
        fila.set("Fecha", s(fechas::textoCorto(f.fecha)));
        fila.set("Premios", s(f.premios));
        fila.set("Joker", s(f.joker));
        fila.set("Importe",
                 s(f.importe < 0 ? QStringLiteral("pendiente") : ganancias::textoEuros(f.importe)));
        premiados.push_back(fila);
    }
    raiz.set("HayPremiados", cierto(!c.premiados.empty()));
    raiz.set("Premiados", premiados);
    data socios{data::type::list};
    const auto cuenta = [&](data &fila, const QString &nombre) {
        const auto saldo = std::find_if(c.saldos.begin(), c.saldos.end(),
                                        [&](const FilaSaldo &f) { return f.nombre == nombre; });
        const FilaSaldo f = saldo != c.saldos.end() ? *saldo : FilaSaldo{};
        fila.set("Pagado", s(ganancias::textoEuros(f.pagado - f.entregado)));
        fila.set("Saldo", s(saldos::textoSaldo(f.saldo)));
        fila.set("Debe", cierto(f.saldo < 0 && !provisional));
    };
    for (const FilaSocio &f : c.socios) {
        data fila;
        fila.set("Nombre", s(f.nombre));
        fila.set("Participaciones", std::to_string(f.participaciones));
        fila.set("Premios", s(ganancias::textoEuros(f.premios)));
        fila.set("Jugado", s(ganancias::textoEuros(f.jugado)));
        fila.set("Balance", s(ganancias::textoEuros(f.balance)));
        fila.set("Negativo", cierto(f.balance < 0 && !provisional));
        cuenta(fila, f.nombre);
        socios.push_back(fila);
    }
    // Someone who paid and is no longer a member still has an account.
    for (const FilaSaldo &f : c.saldos) {
        if (std::any_of(c.socios.begin(), c.socios.end(),
                        [&](const FilaSocio &m) { return m.nombre == f.nombre; }))
            continue;
        data fila;
        fila.set("Nombre", s(f.nombre));
        cuenta(fila, f.nombre);
        socios.push_back(fila);
    }
    raiz.set("Socios", socios);
    raiz.set("Hoy", s(hoy.toString(QStringLiteral("dd/MM/yyyy"))));

    mustache tmpl{s(plantilla)};
    Informe r;
    if (!tmpl.is_valid()) {
        r.error = kPlantillaMala;
        r.detalle = QString::fromStdString(tmpl.error_message());
        return r;
    }
    const std::string html = tmpl.render(raiz);
    if (!tmpl.is_valid()) {
        r.error = kPlantillaMala;
        r.detalle = QString::fromStdString(tmpl.error_message());
        return r;
    }
    r.html = QString::fromStdString(html);
    return r;
}

Informe prepara(const QString &carpeta, int miembro, const QLocale &locale, const QDate &hoy)
{
    Informe r;
    QString plantilla;
    QFile archivo(QDir(carpeta).filePath(archivoInforme(miembro)));
    if (!archivo.exists()) {
        // A report file lost from the program directory: the copy built into the program.
        plantilla = QString::fromUtf8(miembro == 0 ? kPlantillaInforme0 : kPlantillaInforme1);
    } else if (!archivo.open(QIODevice::ReadOnly) || archivo.size() > kMaximoPlantilla) {
        r.error = kSinPlantilla;
        r.detalle = archivo.fileName();
        return r;
    } else {
        plantilla = QString::fromUtf8(archivo.read(kMaximoPlantilla));
    }
    Contenido contenido;
    ErrorBase error;
    if (!lee(carpeta, contenido, &error)) {
        r.error = kSinBase;
        r.detalle = error.texto;
        return r;
    }
    return renderiza(plantilla, contenido, locale, hoy);
}

} // namespace informes
