#pragma once

#include "archive/escritura.h"
#include "syndicates/pena.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

// The key every such record carries: the syndicate's creation date and its name field,
// blank-filled as apuestas.dat stores it.
namespace porpena {
inline QByteArray campoNombre(const Pena &pena)
{
    return pena.nombre.leftJustified(Pena::kAnchoNombre, ' ', true);
}
template <class R> R clave(const Pena &pena)
{
    R r;
    r.creacion = pena.creacion;
    r.pena = campoNombre(pena);
    return r;
}
template <class R> bool esDe(const R &r, const Pena &pena)
{
    return Pena::mismaCreacion(r.creacion, pena.creacion) && r.pena == campoNombre(pena);
}
template <class R> bool mismaClave(const R &a, const R &b)
{
    return Pena::mismaCreacion(a.creacion, b.creacion) && a.pena == b.pena;
}
} // namespace porpena

// A file that keeps something of each syndicate (socios.dat, cuentas.dat), found by the
// syndicate's creation date and name field, and that follows the syndicates when they are
// renamed or deleted. A record that cannot be used is kept as it is on the disk and written
// back by every rewrite. R has `creacion`, `pena`, `esDe(Pena)`, `vacio()` and `de(Pena)`;
// Archivo writes a whole list with `reescribe(std::vector<R>)`.
template <class R, class Archivo> class ArchivoPorPena {
public:
    ArchivoPorPena() = default;
    explicit ArchivoPorPena(QString ruta) : ruta_(std::move(ruta)) {}
    const QString &ruta() const { return ruta_; }
    const std::vector<R> &registros() const { return registros_; }
    int danados() const { return static_cast<int>(danados_.size()); }
    bool rechazado() const { return rechazado_; }

    // What this syndicate has; nullptr when nothing was recorded.
    const R *busca(const Pena &pena) const
    {
        for (const R &r : registros_)
            if (r.esDe(pena))
                return &r;
        return nullptr;
    }

    // Forgets what a deleted syndicate had.
    Escritura quita(const Pena &pena)
    {
        std::vector<R> nuevos = registros_;
        const auto fin =
            std::remove_if(nuevos.begin(), nuevos.end(), [&](const R &r) { return r.esDe(pena); });
        if (fin == nuevos.end())
            return Escritura::Hecha;
        nuevos.erase(fin, nuevos.end());
        return archivo().reescribe(std::move(nuevos));
    }

    // The syndicate was renamed or made again on another date: what it had follows it. Each
    // pair is (before, after); pairs whose "before" has nothing are left alone, and a
    // syndicate that already has something of its own keeps it.
    Escritura sigue(const std::vector<std::pair<Pena, Pena>> &cambios)
    {
        std::vector<R> nuevos = registros_;
        bool cambiado = false;
        // Every "before" is looked up in the file as it was: a chain of renames in one go (A to
        // B and B to C) moves each record once.
        std::vector<bool> movido(nuevos.size(), false);
        for (const auto &[antes, despues] : cambios) {
            for (size_t i = 0; i < nuevos.size(); ++i) {
                if (movido[i] || !registros_[i].esDe(antes))
                    continue;
                // Taken already, in the file or by a record moved just now.
                bool ocupada = busca(despues) != nullptr;
                for (size_t k = 0; k < nuevos.size() && !ocupada; ++k)
                    ocupada = movido[k] && nuevos[k].esDe(despues);
                if (ocupada)
                    break;
                const R destino = R::de(despues);
                nuevos[i].creacion = destino.creacion;
                nuevos[i].pena = destino.pena;
                movido[i] = true;
                cambiado = true;
                break;
            }
        }
        return cambiado ? archivo().reescribe(std::move(nuevos)) : Escritura::Hecha;
    }

protected:
    // Reads the whole file and forgets what was read before; see archivos::leeParaReescribir.
    Escritura leeArchivo(qint64 maxBytes, QByteArray &bytes)
    {
        registros_.clear();
        danados_.clear();
        return archivos::leeParaReescribir(ruta_, maxBytes, bytes, rechazado_);
    }

    // The list with `nuevo` in place of its syndicate's record, or without it when `nuevo` is
    // empty; nothing when there is nothing to change.
    std::optional<std::vector<R>> con(const R &nuevo) const
    {
        std::vector<R> nuevos = registros_;
        const auto i = std::find_if(nuevos.begin(), nuevos.end(),
                                    [&](const R &r) { return porpena::mismaClave(r, nuevo); });
        if (i != nuevos.end() && nuevo.vacio())
            nuevos.erase(i);
        else if (i != nuevos.end())
            *i = nuevo;
        else if (!nuevo.vacio())
            nuevos.push_back(nuevo);
        else
            return std::nullopt;
        return nuevos;
    }

    QString ruta_;
    std::vector<R> registros_;
    std::vector<QByteArray> danados_; // as they were on the disk
    bool rechazado_ = false;

private:
    Archivo &archivo() { return static_cast<Archivo &>(*this); }
};
