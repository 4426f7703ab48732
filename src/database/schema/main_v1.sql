-- Indexes of the main file's local tables (version 1). The tables themselves come from the
-- table layouts; this file holds what a layout does not say.
CREATE INDEX IF NOT EXISTS ix_b_basic_munka_arajanlat ON tvr_b_basic_munka (arajanlat_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_automatikusan_szamolt_munka ON tvr_b_basic_automatikusan_szamolt (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_arajanlaton_szerepel_munka ON tvr_b_basic_arajanlaton_szerepel (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_elemsor_munka ON tvr_b_basic_elemsor (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_elemsor_alukeret_elemsor ON tvr_b_basic_elemsor_alukeret (basic_elemsor_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_szalas_darabok_munka ON tvr_b_basic_szalas_darabok (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_munka_megjegyzes_munka ON tvr_b_basic_munka_megjegyzes (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_szabott_lapok_munka ON tvr_b_basic_szabott_lapok (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_szabott_munkalapok_munka ON tvr_b_basic_szabott_munkalapok (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_munkalap_toresek_munka ON tvr_b_basic_munkalap_toresek (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_forest_termekek_munka ON tvr_b_basic_forest_termekek (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_ecorgan_termekek_munka ON tvr_b_basic_ecorgan_termekek (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_raktari_fogok_munka ON tvr_b_basic_raktari_fogok (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_b_basic_szabadaras_tetelek_munka ON tvr_b_basic_szabadaras_tetelek (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_r_nettfront_megrendelesek_munka ON tvr_r_nettfront_megrendelesek (basic_munka_id);
CREATE INDEX IF NOT EXISTS ix_r_nettfront_megrendeles_tetelei_megrendeles ON tvr_r_nettfront_megrendeles_tetelei (nettfront_megrendeles_id);
CREATE INDEX IF NOT EXISTS ix_arajanlat_fejlec_zelvo_arajanlat ON tvr_arajanlat_fejlec_zelvo (arajanlat_id);
CREATE INDEX IF NOT EXISTS ix_arajanlat_tetel_zelvo_arajanlat ON tvr_arajanlat_tetel_zelvo (arajanlat_id);
CREATE INDEX IF NOT EXISTS ix_arajanlat_zelvo_vizvetok_arajanlat ON tvr_arajanlat_zelvo_vizvetok (arajanlat_id);
CREATE INDEX IF NOT EXISTS ix_arajanlat_tetel_egyeb_arajanlat ON tvr_arajanlat_tetel_egyeb (arajanlat_id);
