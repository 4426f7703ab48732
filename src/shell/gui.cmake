target_sources(tvr_gui PRIVATE
  CN_CommonWidgetFunctions.cpp CN_CommonWidgetFunctions.h
  TErrorDialog.cpp TErrorDialog.h TErrorDialog.ui
  TMainForm.cpp TMainForm.h TMainForm.ui
  TMessageDialog.cpp TMessageDialog.h TMessageDialog.ui
  Tkerdes.cpp Tkerdes.h Tkerdes.ui
  Tarajanlat_indulas.cpp Tarajanlat_indulas.h Tarajanlat_indulas.ui
  Tfelhasznalo_bevitel.cpp Tfelhasznalo_bevitel.h Tfelhasznalo_bevitel.ui
  Tfeljegyzes_bevitel.cpp Tfeljegyzes_bevitel.h Tfeljegyzes_bevitel.ui
  Tmegrendelo_modositas.cpp Tmegrendelo_modositas.h Tmegrendelo_modositas.ui
  Tviszonteladoi_rendelesszam_hozzarendelese.cpp Tviszonteladoi_rendelesszam_hozzarendelese.h
  Tviszonteladoi_rendelesszam_hozzarendelese.ui
  Tvisszaigazolasi_szamok_bevitel.cpp Tvisszaigazolasi_szamok_bevitel.h Tvisszaigazolasi_szamok_bevitel.ui)
