#include "apoyo/escritorioprueba.h"

#include <algorithm>

#include <QPrinter>

bool EscritorioPrueba::pregunta(const QString &texto, const QString &titulo, Icono icono)
{
    mensajes.append({texto, titulo, icono, true, peligrosa()});
    return respuestas.isEmpty() ? true : respuestas.takeFirst();
}

void EscritorioPrueba::aviso(const QString &texto, const QString &titulo, Icono icono)
{
    mensajes.append({texto, titulo, icono, false});
}

QString EscritorioPrueba::eligeArchivo(const QString &, const QString &, const QString &)
{
    ++dialogosArchivo;
    return archivoElegido;
}

bool EscritorioPrueba::eligeImpresora(QPrinter &impresora)
{
    if (!impresoraAceptada)
        return false;
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(pdfSalida);
    return true;
}

QStringList EscritorioPrueba::textos() const
{
    QStringList t;
    for (const Mensaje &m : mensajes)
        t.append(m.texto);
    return t;
}

EscritorioPrueba *EscritorioPrueba::instala(const QDate &hoy)
{
    auto nuevo = std::make_unique<EscritorioPrueba>();
    nuevo->reloj = QDateTime(hoy, QTime(12, 0));
    EscritorioPrueba *puntero = nuevo.get();
    Escritorio::sustituye(std::move(nuevo));
    return puntero;
}

int EscritorioPrueba::conTitulo(const QString &titulo) const
{
    return static_cast<int>(std::count_if(mensajes.begin(), mensajes.end(),
                                          [&](const Mensaje &m) { return m.titulo == titulo; }));
}
