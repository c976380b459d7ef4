#pragma once

#include <QString>
#include <QTemporaryDir>

// A disk with no room left, for the tests of what a rewrite does then.
//
// Where the test may mount file systems (root, as in CI) it is a small tmpfs mounted for the
// test and, once `llena` is called, filled to the last byte: a real full disk. Elsewhere it is
// an ordinary folder, and `llena` stops every write of this process from growing a file
// (RLIMIT_FSIZE of 0): a write that fits the file's buffer is accepted and fails only when it
// is flushed, which is how a full disk looks to the program.
class DiscoLleno {
public:
    explicit DiscoLleno(qint64 tamano = qint64(2) << 20);
    ~DiscoLleno();
    DiscoLleno(const DiscoLleno &) = delete;
    DiscoLleno &operator=(const DiscoLleno &) = delete;

    QString ruta() const { return punto_.path(); }
    bool montado() const { return montado_; }

    // From now on nothing more fits; `libera` gives the room back.
    void llena();
    void libera();

private:
    QTemporaryDir punto_;
    bool montado_ = false;
    bool lleno_ = false;
    unsigned long long limiteAnterior_ = 0;
};
