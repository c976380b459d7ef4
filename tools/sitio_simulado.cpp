// Runs the stand-in for the operator's results site and the maker's site on 127.0.0.1, so the
// download can be tried by hand without the internet:
//
//     sitio_simulado [puerto] [numeros.dat] [carpeta del programa] [servicio|pagina]
//
// It serves the draws of the given archive, continued with made-up draws up to today (or, with
// no archive, made-up draws on the last 20 draw days), so that a program with an old archive
// has something to download. The site's clock is the computer's: today's draw is listed as
// before its result until 22:00. It serves the search page (the last 50 days), the results
// service (any range, or one date), the draw pages and PDFs, and a maker's message. With a
// program directory it also writes the addresses into its ajustes.ini, with the source of new
// draws (the results service unless told "pagina").
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "simulacion/sitiosimulado.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QTextStream>

namespace {
// The first of the last `cuantos` draw days up to `hasta`.
QDate ultimosDiasDeSorteo(QDate hasta, int cuantos)
{
    for (;; hasta = hasta.addDays(-1)) {
        const double dia = fechas::serial(hasta);
        if ((fechas::bitDia(dia) & fechas::diasDeSorteo(dia)) && --cuantos == 0)
            return hasta;
    }
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication aplicacion(argc, argv);
    const QStringList args = aplicacion.arguments();
    const quint16 puerto = args.size() > 1 ? static_cast<quint16>(args[1].toUInt()) : 8080;

    SitioSimulado sitio;
    sitio.ahora = QDateTime::currentDateTime();
    const QDate hoy = sitio.ahora.date();
    if (args.size() > 2) {
        ArchivoSorteos archivo(args[2]);
        archivo.abre();
        for (const Sorteo &s : archivo.sorteos())
            sitio.sorteos.push_back({s});
    }
    const size_t archivados = sitio.sorteos.size();
    const int inventados = sitio.continua(hoy, ultimosDiasDeSorteo(hoy, 20));
    sitio.informe = QByteArray(
        "<html><body><h2>Noticias de Bolarium</h2><p>Este es un mensaje de prueba del sitio "
        "simulado. ");
    while (sitio.informe.size() < 400)
        sitio.informe += "Gracias por usar el programa. ";
    sitio.informe += "</p></body></html>\n";
    QTextStream salida(stdout);
    if (!sitio.escucha(puerto)) {
        salida << "No se puede escuchar en 127.0.0.1:" << puerto << "\n";
        return 1;
    }
    const QString fuente = args.size() > 4 ? args[4] : QStringLiteral("servicio");
    if (args.size() > 3)
        sitio.configura(args[3], fuente);
    salida << "Sitio simulado en " << sitio.direccion() << " con " << archivados
           << " sorteos del archivo y " << inventados
           << " inventados.\nEn ajustes.ini:\n  [operador]\n  sitio=" << sitio.direccion()
           << "\n  sitiopdf=" << sitio.direccion() << "\n  fuente=" << fuente
           << "\n  [autor]\n  web=" << sitio.host() << "\n";
    salida.flush();
    QObject::connect(&sitio, &SitioSimulado::peticion, &sitio, [](const QString &destino) {
        QTextStream(stdout) << "GET " << destino << "\n";
    });
    return aplicacion.exec();
}
