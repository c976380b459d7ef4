// libFuzzer target: the accounts file cuentas.dat on arbitrary bytes, 128 bytes a record. The
// reader may not crash; what it takes as valid is written back to the very same bytes, the
// damaged records as they were, and read again it gives the same accounts. The figures made
// from them may not crash either.
#include "reports/cuentas.h"
#include "syndicates/cuentas.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tamano)
{
    const QByteArray bytes(reinterpret_cast<const char *>(datos), static_cast<qsizetype>(tamano));
    std::vector<CuentasPena> leidas;
    std::vector<QByteArray> danados;
    ArchivoCuentas::lee(bytes, leidas, danados);
    const qsizetype registros = bytes.size() / CuentasPena::kLongitud;
    QByteArray escritos;
    for (const CuentasPena &c : leidas) {
        if (!c.escribible())
            __builtin_trap();
        escritos += c.registros();
    }
    for (const QByteArray &d : danados)
        escritos += d;
    // Every record comes back (a lone "shared out" record is the default, and is dropped).
    if (escritos.size() > registros * CuentasPena::kLongitud)
        __builtin_trap();
    std::vector<CuentasPena> otra;
    std::vector<QByteArray> danadosOtra;
    ArchivoCuentas::lee(escritos, otra, danadosOtra);
    if (otra != leidas || danadosOtra != danados)
        __builtin_trap();

    // The accounts against a few draws, with members named as the payments are.
    ganancias::Ganancias g;
    for (int i = 0; i < 4; ++i) {
        ganancias::Jugada j;
        j.fecha = 46000 + 7 * i;
        j.gasto = 300 + i;
        j.premio = i == 2 ? 100001 : 0;
        j.desconocido = i == 3;
        g.detalle.push_back(j);
    }
    for (const CuentasPena &c : leidas) {
        SociosPena socios;
        for (const Pago &p : c.pagos)
            if (socios.socios.size() < 3 &&
                std::none_of(socios.socios.begin(), socios.socios.end(),
                             [&](const Socio &s) { return s.nombre == p.socio; }))
                socios.socios.push_back({p.socio, static_cast<int>(socios.socios.size()) + 1});
        const saldos::Estado e = saldos::calcula(g, socios, c);
        (void)saldos::resumenTexto(e, QStringLiteral("PENA"));
        for (const saldos::CuentaSocio &s : e.socios)
            if (saldos::extracto(g, socios, c, s.nombre).saldo != s.saldo())
                __builtin_trap();
        (void)saldos::extractoPena(g, socios, c, QStringLiteral("PENA"));
    }
    return 0;
}
