void escribe(Sesion &sesion_)
{
    // sesion_.recuenta(); is what the session does after its own writes
    sesion_.recuenta();
}
