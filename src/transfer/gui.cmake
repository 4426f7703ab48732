target_sources(tvr_gui PRIVATE
  Tkatalogus_frissites.cpp Tkatalogus_frissites.h Tkatalogus_frissites.ui
  Tmegrendeles_kesz.cpp Tmegrendeles_kesz.h Tmegrendeles_kesz.ui
  Tpartnerkod_bevitel.cpp Tpartnerkod_bevitel.h Tpartnerkod_bevitel.ui
  OrderSending.cpp OrderSending.h)
