-- Report database Bolarium.mdb. The program refills these tables from its record files just
-- before a report is shown; nothing here is the only copy of anything.
--
-- "Informe", "Sorteos", "Peña", "Ganancias" and "Cuentas" hold exactly one row, which the
-- writers overwrite. "Numeros", "Peñanums", "Premiados", "Socios" and "Saldos" are emptied and
-- refilled on each use.
-- Amounts of money are whole euro cents.
-- Dates are ISO text (YYYY-MM-DD), NULL for "no date".

CREATE TABLE "Informe" (
    "Frase" TEXT NOT NULL DEFAULT ''
);
INSERT INTO "Informe" DEFAULT VALUES;

CREATE TABLE "Sorteos" (
    "Dia1" DATE,
    "Dia2" DATE,
    "Total" INTEGER NOT NULL DEFAULT 0,
    "Diasajugar" TEXT NOT NULL DEFAULT ''
);
INSERT INTO "Sorteos" DEFAULT VALUES;

CREATE TABLE "Numeros" (
    "Numero" INTEGER NOT NULL CHECK ("Numero" BETWEEN 1 AND 49),
    "Veces" INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE "Peña" (
    "Nombre" TEXT NOT NULL DEFAULT '',
    "Diasajugar" TEXT NOT NULL DEFAULT '',
    "Dinero" REAL NOT NULL DEFAULT 0,
    "Dia1" DATE,
    "Dia2" DATE,
    "Aciertos" TEXT NOT NULL DEFAULT '',
    "Sorteos" REAL NOT NULL DEFAULT 0,
    "3" INTEGER NOT NULL DEFAULT 0,
    "4" INTEGER NOT NULL DEFAULT 0,
    "5" INTEGER NOT NULL DEFAULT 0,
    "5C" INTEGER NOT NULL DEFAULT 0,
    "6" INTEGER NOT NULL DEFAULT 0
);
INSERT INTO "Peña" DEFAULT VALUES;

CREATE TABLE "Peñanums" (
    "Numeros" TEXT NOT NULL DEFAULT ''
);

-- The money of the syndicate of "Peña": what it won before the tax in the draws whose prize
-- amounts are known (the Joker's part of it apart), the tax withheld, the net, what it staked
-- and the balance of the net against the stake; how many draws with a prize have no known
-- amount, and how many prizes. While "Pendientes" is not 0 every figure is provisional.
CREATE TABLE "Ganancias" (
    "Premios" INTEGER NOT NULL DEFAULT 0,
    "Jugado" INTEGER NOT NULL DEFAULT 0,
    "Balance" INTEGER NOT NULL DEFAULT 0,
    "SinImporte" INTEGER NOT NULL DEFAULT 0,
    "Jugados" INTEGER NOT NULL DEFAULT 0,
    "Joker" INTEGER NOT NULL DEFAULT 0,
    "Retencion" INTEGER NOT NULL DEFAULT 0,
    "Neto" INTEGER NOT NULL DEFAULT 0,
    "Pendientes" INTEGER NOT NULL DEFAULT 0
);
INSERT INTO "Ganancias" DEFAULT VALUES;

-- The draws that syndicate won something in, newest first: the categories its bets won, the
-- categories of its Joker numbers, and the euro cents before the tax (NULL while an amount of
-- the draw is not known).
CREATE TABLE "Premiados" (
    "Fecha" DATE,
    "Premios" TEXT NOT NULL DEFAULT '',
    "Joker" TEXT NOT NULL DEFAULT '',
    "Importe" INTEGER
);

-- The members of that syndicate and their parts of the net.
CREATE TABLE "Socios" (
    "Nombre" TEXT NOT NULL DEFAULT '',
    "Participaciones" INTEGER NOT NULL DEFAULT 0,
    "Premios" INTEGER NOT NULL DEFAULT 0,
    "Jugado" INTEGER NOT NULL DEFAULT 0,
    "Balance" INTEGER NOT NULL DEFAULT 0
);

-- The accounts of that syndicate, in euro cents: what its members paid, what was handed to
-- them, the pot, and whether its prizes are shared out (1) or kept in the pot (0).
CREATE TABLE "Cuentas" (
    "Pagado" INTEGER NOT NULL DEFAULT 0,
    "Entregado" INTEGER NOT NULL DEFAULT 0,
    "Bote" INTEGER NOT NULL DEFAULT 0,
    "Reparten" INTEGER NOT NULL DEFAULT 1
);
INSERT INTO "Cuentas" DEFAULT VALUES;

-- Each member's account: paid, handed over, and the balance (positive, owed to them;
-- negative, what they owe). Members first, in their order, then names that only paid.
CREATE TABLE "Saldos" (
    "Nombre" TEXT NOT NULL DEFAULT '',
    "Pagado" INTEGER NOT NULL DEFAULT 0,
    "Entregado" INTEGER NOT NULL DEFAULT 0,
    "Saldo" INTEGER NOT NULL DEFAULT 0
);
