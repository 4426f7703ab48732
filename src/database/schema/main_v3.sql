-- Version 3: the send history of the order files, one row per send.
CREATE TABLE IF NOT EXISTS tvr_rendeles_kuldesek (rendeles_kuldes_id INTEGER PRIMARY KEY AUTOINCREMENT, arajanlat_id TEXT, rendeles_file TEXT, fajlmeret TEXT, kuldes_ideje TEXT, sikeres TEXT, hibauzenet TEXT);
CREATE INDEX IF NOT EXISTS ix_rendeles_kuldesek_arajanlat ON tvr_rendeles_kuldesek (arajanlat_id);
