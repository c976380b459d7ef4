// libFuzzer target: the settings record nums.ini (78 bytes) on arbitrary bytes. Every byte is
// kept as read: the record written back is the record read, and the maker's address is text.
#include "session/ajustes.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    QByteArray bytes(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
    bytes = bytes.left(Ajustes::kLongitud);
    bytes.append(QByteArray(Ajustes::kLongitud - bytes.size(), '\0'));
    const Ajustes a = Ajustes::desdeBytes(bytes.constData());
    if (a.aBytes() != bytes)
        __builtin_trap();
    const QString web = a.webTexto();
    if (web.size() > Ajustes::kAnchoWeb)
        __builtin_trap();
    Ajustes b = a;
    b.ponWeb(web);
    if (b.aBytes().size() != Ajustes::kLongitud)
        __builtin_trap();
    return 0;
}
