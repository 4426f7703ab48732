-- Demo installation: the joiner's own data in tvr.s3db (the file is encrypted; the generator
-- opens it with the program's key and runs this script).
-- The store manager logs in with the password "dorvat" (its upper-case MD5 below).
insert into tvr_users (user_id,user_name,pwd,active) values
  (1,'Üzletvezető','23AEC256DE405816FD327F148472D9AF','1');

-- A few quotes of the joiner's customers, one of them already ordered.
insert into tvr_arajanlat (arajanlat_id,megrendelo_neve,megrendelo_telefonszama,megrendelo_cime,active,rogzitette,
  rogzites_ideje,arajanlat_tipus,statusza,rendelesszam,munka_mappa_id,basic_munka_id) values
  (1,'Kovács Péter','+36 30 123 4567','','1','1','2023.05.22. 09:14','1','1','KP-2023/05','0','0'),
  (2,'Szabó Anna','06 20 555 0102','','1','1','2023.06.01. 14:40','1','0','','0','0'),
  (3,'Nagy és Társa Bt.','06 1 987 6543','','1','1','2023.06.05. 08:02','1','0','','0','0');

-- Their kitchen work records with the two companion rows each.
insert into tvr_b_basic_munka (basic_munka_id,active,rogzitette,rogzites_ideje,arajanlat_id,raktari_fogo_id,
  netfront_szin_id,maras_id,takaro_szin_butorlap_id,dv_munkalap_id,viszonteladonak,fogo_es_furas_nelkul,
  uveg_arlista_id,teljes_netto_ar,teljes_brutto_ar,terheltsegi_ar,nettfront_kategoria_id,teljesen_hianytalan,
  szabasjegyzek_id,uvegezendo_negyzetmeter,uvegezes_egysegara,uvegezes_ara,keszrejelentes_id,szallitolevel_id,
  uvegezes_egysegara_ajanlott,rendezve,laminalt_front,labazat_tipus,labazat_magassag,hozott_mosival,
  laminalt_front_vizszintes_szalirannyal,csak_kiegeszites,blum_pant_tipus) values
  (1,'1','1','2023.05.22. 09:14','1','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','1','0','0','0','0','0'),
  (2,'1','1','2023.06.01. 14:40','2','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','1','0','0','0','0','0'),
  (3,'1','1','2023.06.05. 08:02','3','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','0','1','0','0','0','0','0');
insert into tvr_b_basic_automatikusan_szamolt (basic_automatikusan_szamolt_id,active,basic_munka_id) values
  (1,'1','1'),(2,'1','2'),(3,'1','3');
insert into tvr_b_basic_arajanlaton_szerepel (basic_arajanlaton_szerepel_id,active,basic_munka_id) values
  (1,'1','1'),(2,'1','2'),(3,'1','3');

insert into tvr_feljegyzesek (feljegyzes_id,feljegyzes,active,rogzitette,rogzites_ideje) values
  (1,'Szabó Annának csütörtökig visszaszólni a mosogató miatt.','1','1','2023.06.01. 15:02'),
  (2,'Árlista frissítés után átnézni a Nagy és Társa ajánlatát.','1','1','2023.06.05. 08:30');
