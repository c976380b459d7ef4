#pragma once

#include "archive/escritura.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cmath>
#include <vector>

// A file of fixed records, one per draw day in date order, that keeps figures of the draws
// (premios.dat, ganadores.dat). A record type R has kLongitud, a `fecha` (the archive's serial
// day), desdeBytes/escribeEn, valido() (a real day and plausible figures), algunoConocido(),
// and mezcla(otro), which takes the figures `otro` knows and says whether anything changed.
template <class R> class ArchivoPorDia {
public:
    static constexpr int kMaximo = 32766; // as many as the draw archive can hold
    static constexpr qint64 kLimiteBytes = qint64(kMaximo) * R::kLongitud;

    ArchivoPorDia() = default;
    explicit ArchivoPorDia(QString ruta) : ruta_(std::move(ruta)) {}
    const QString &ruta() const { return ruta_; }

    // Reads the file. A missing file is an empty list (nothing is created until there is
    // something to keep). A file larger than kLimiteBytes, or not a regular file, is not read
    // and never written over (Fallo). Records whose date is no day or whose figures are out of
    // range are left out and counted in danados(); a trailing piece shorter than a record too.
    Escritura abre()
    {
        registros_.clear();
        danados_ = 0;
        QByteArray bytes;
        // Figures that cannot be read now are not thrown away by the next rewrite.
        if (archivos::leeParaReescribir(ruta_, kLimiteBytes, bytes, rechazado_) != Escritura::Hecha)
            return Escritura::Fallo;
        const qsizetype n = bytes.size() / R::kLongitud;
        danados_ = bytes.size() % R::kLongitud != 0 ? 1 : 0;
        registros_.reserve(static_cast<size_t>(n));
        for (qsizetype i = 0; i < n; ++i) {
            const R r = R::desdeBytes(bytes.constData() + i * R::kLongitud);
            if (r.valido())
                registros_.push_back(r);
            else
                ++danados_;
        }
        // A file edited by hand may be out of order or hold a day twice: the first one counts.
        std::stable_sort(registros_.begin(), registros_.end(),
                         [](const R &a, const R &b) { return dia(a.fecha) < dia(b.fecha); });
        const auto repetidos =
            std::unique(registros_.begin(), registros_.end(),
                        [](const R &a, const R &b) { return dia(a.fecha) == dia(b.fecha); });
        danados_ += static_cast<int>(registros_.end() - repetidos);
        registros_.erase(repetidos, registros_.end());
        return Escritura::Hecha;
    }

    const std::vector<R> &registros() const { return registros_; }
    int cuenta() const { return static_cast<int>(registros_.size()); }
    int danados() const { return danados_; }
    bool rechazado() const { return rechazado_; }

    // The record of the draw of this day (the whole part of the serial date); nullptr when the
    // file has none.
    const R *busca(double fecha) const
    {
        const double d = dia(fecha);
        const auto i =
            std::lower_bound(registros_.begin(), registros_.end(), d,
                             [](const R &r, double valor) { return dia(r.fecha) < valor; });
        return i != registros_.end() && dia(i->fecha) == d ? &*i : nullptr;
    }

    // Adds the figures of these draws: a known figure replaces the stored one, an unknown one
    // leaves it as it was. The file is rewritten in one step, and only when something changed;
    // `cambiados` gets the dates of the draws whose stored figures changed (not of those the
    // file did not hold), `escrito` whether the file was rewritten.
    Escritura guarda(const std::vector<R> &nuevos, std::vector<double> *cambiados = nullptr,
                     bool *escrito = nullptr)
    {
        if (cambiados)
            cambiados->clear();
        if (escrito)
            *escrito = false;
        if (rechazado_)
            return Escritura::Fallo;
        std::vector<R> todos = registros_;
        bool cambiado = danados_ > 0; // a rewrite also drops what could not be read
        std::vector<double> distintos;
        for (const R &n : nuevos) {
            if (!n.valido() || !n.algunoConocido())
                continue;
            const double d = dia(n.fecha);
            auto i = std::lower_bound(todos.begin(), todos.end(), d, [](const R &r, double valor) {
                return dia(r.fecha) < valor;
            });
            const bool habia = i != todos.end() && dia(i->fecha) == d;
            if (!habia) {
                if (todos.size() >= static_cast<size_t>(kMaximo))
                    continue;
                R vacio;
                vacio.fecha = n.fecha;
                i = todos.insert(i, vacio);
            }
            if (i->mezcla(n)) {
                cambiado = true;
                if (habia)
                    distintos.push_back(i->fecha);
            }
        }
        if (!cambiado)
            return Escritura::Hecha;
        const Escritura e = archivos::escribe(ruta_, serializa(todos));
        if (e == Escritura::Hecha) {
            registros_ = std::move(todos);
            danados_ = 0;
            if (cambiados)
                *cambiados = std::move(distintos);
            if (escrito)
                *escrito = true;
        }
        return e;
    }

    static QByteArray serializa(const std::vector<R> &registros)
    {
        QByteArray bytes(static_cast<qsizetype>(registros.size()) * R::kLongitud, '\0');
        char *p = bytes.data();
        for (const R &r : registros) {
            r.escribeEn(p);
            p += R::kLongitud;
        }
        return bytes;
    }

private:
    static double dia(double fecha) { return std::floor(fecha); }

    QString ruta_;
    std::vector<R> registros_;
    int danados_ = 0;
    bool rechazado_ = false;
};
