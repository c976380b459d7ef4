// Runs the stand-in for the operator's results site and the maker's site on 127.0.0.1, so the
// download can be tried by hand without the internet:
//
//     sitio_simulado [puerto] [numeros.dat] [carpeta del programa] [servicio|pagina]
//
// It serves the draws of the given archive (or 20 made-up draws on the last draw days): the
// search page (the last 50 days), the results service (any range), the draw pages and PDFs,
// and a maker's message. With a program directory it also writes the addresses into its
// ajustes.ini, with the source of new draws (the results service unless told "pagina").
#include "archive/archivosorteos.h"
#include "archive/fechas.h"
#include "simulacion/sitiosimulado.h"

#include <QCoreApplication>
#include <QDate>
#include <QTextStream>

namespace {
std::vector<Sorteo> inventados()
{
    std::vector<Sorteo> r;
    QDate d = QDate::currentDate();
    while (static_cast<int>(r.size()) < 20) {
        const double dia = fechas::serial(d);
        if (fechas::bitDia(dia) & fechas::diasDeSorteo(dia)) {
            Sorteo s;
            const int base = d.day() % 40 + 1;
            for (int i = 0; i < 6; ++i)
                s.numeros[static_cast<size_t>(i)] = static_cast<qint16>(base + i * (i + 1) % 9 + i);
            std::sort(s.numeros.begin(), s.numeros.end());
            s.complementario = static_cast<qint16>(base == 1 ? 49 : base - 1);
            s.reintegro = static_cast<qint16>(d.day() % 10);
            s.joker = 1000000 + d.dayOfYear() * 1234;
            s.fecha = fechas::serial(d);
            r.push_back(s);
        }
        d = d.addDays(-1);
    }
    return r;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication aplicacion(argc, argv);
    const QStringList args = aplicacion.arguments();
    const quint16 puerto = args.size() > 1 ? static_cast<quint16>(args[1].toUInt()) : 8080;

    std::vector<Sorteo> sorteos;
    if (args.size() > 2) {
        ArchivoSorteos archivo(args[2]);
        archivo.abre();
        sorteos = archivo.sorteos();
    } else {
        sorteos = inventados();
    }

    SitioSimulado sitio;
    for (const Sorteo &s : sorteos)
        sitio.sorteos.push_back({s});
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
    salida << "Sitio simulado en " << sitio.direccion() << " con " << sorteos.size()
           << " sorteos.\nEn ajustes.ini:\n  [operador]\n  sitio=" << sitio.direccion()
           << "\n  sitiopdf=" << sitio.direccion() << "\n  fuente=" << fuente
           << "\n  [autor]\n  web=" << sitio.host() << "\n";
    salida.flush();
    QObject::connect(&sitio, &SitioSimulado::peticion, &sitio, [](const QString &destino) {
        QTextStream(stdout) << "GET " << destino << "\n";
    });
    return aplicacion.exec();
}
