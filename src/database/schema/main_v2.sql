-- Version 2: the installation settings, one row per name.
CREATE TABLE IF NOT EXISTS tvr_telepitesi_beallitasok (telepitesi_beallitas_id INTEGER PRIMARY KEY AUTOINCREMENT, nev TEXT, ertek TEXT);
CREATE UNIQUE INDEX IF NOT EXISTS ux_telepitesi_beallitasok_nev ON tvr_telepitesi_beallitasok (nev);
