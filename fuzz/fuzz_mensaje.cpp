// libFuzzer target: the maker's message informe.dat on arbitrary bytes: the "web:" search that
// may change the stored maker host, and the text the message window shows. A new host must be
// a plausible host name; the text shown must be made only of the inline marks allowed, and
// never longer than its bound.
#include "web/desglose.h"
#include "web/textomensaje.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    const QByteArray nuevo(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
    const desglose::Mensaje m =
        desglose::muestramensaje(QByteArray(), nuevo, QStringLiteral("www.bolarium.es"));
    if (m.mostrar != (nuevo.size() >= desglose::kMinimoMensaje))
        __builtin_trap();
    if (!m.nuevaWeb.isEmpty() && !desglose::esHostPlausible(m.nuevaWeb))
        __builtin_trap();

    const QString html = textomensaje::sanea(QString::fromLatin1(nuevo));
    static const QRegularExpression marca(QStringLiteral("<[^>]*>"));
    static const QRegularExpression permitida(QStringLiteral("^</?(p|br|b|i)>$"));
    QRegularExpressionMatchIterator it = marca.globalMatch(html);
    int marcas = 0;
    while (it.hasNext()) {
        ++marcas;
        if (!permitida.match(it.next().captured()).hasMatch())
            __builtin_trap();
    }
    // Each visible character is at most one escaped entity ("&quot;") and each line a few marks.
    if (html.size() - 6 * marcas > 6 * textomensaje::kMaximoTexto + 16)
        __builtin_trap();
    return 0;
}
