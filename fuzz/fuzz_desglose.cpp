// libFuzzer target: the prize breakdown read from the newest draw's page (www2.txt) on
// arbitrary bytes, and the address of the result PDF built from its link: an address is only
// ever on the operator's PDF host.
#include "web/desglose.h"
#include "web/direcciones.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    const QByteArray pagina(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
    const desglose::Desglose d = desglose::lee(pagina);
    for (const auto &premio : d.premios)
        if (premio)
            for (QChar c : *premio)
                if (c.unicode() < 33 || c.unicode() > 122)
                    __builtin_trap();
    if (d.enlacePdf.contains(QLatin1Char('"')))
        __builtin_trap();
    const QString sitio = QStringLiteral("http://www.loteriasyapuestas.es");
    for (const QString &enlace : {d.enlacePdf, QString::fromLatin1(pagina.left(200))}) {
        const QString direccion = direcciones::pdf(sitio, enlace);
        if (direccion.isEmpty())
            continue;
        const QUrl url(direccion);
        if (!url.isValid() || url.host() != QStringLiteral("www.loteriasyapuestas.es") ||
            url.port() != -1 || !url.userInfo().isEmpty() || url.scheme() != QStringLiteral("http"))
            __builtin_trap();
    }
    return 0;
}
