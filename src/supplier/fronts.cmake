# Nettfront front orders: their pricing (tvr_core) and their forms and the editor page (tvr_gui).
target_sources(tvr_core PRIVATE
  IFACE_EXT_Nettfront.cpp IFACE_EXT_Nettfront.h)
target_sources(tvr_gui PRIVATE
  NettfrontLists.cpp NettfrontLists.h
  TNettfrontOrdersPage.cpp TNettfrontOrdersPage.h TNettfrontOrdersPage.ui
  Tnettfront_egyeb_megrendeles_tetel_bevitel.cpp Tnettfront_egyeb_megrendeles_tetel_bevitel.h
  Tnettfront_egyeb_megrendeles_tetel_bevitel.ui
  Tnettfront_megrendeles_tetel_bevitel.cpp Tnettfront_megrendeles_tetel_bevitel.h
  Tnettfront_megrendeles_tetel_bevitel.ui
  Tnettfront_rendeles_bevitel.cpp Tnettfront_rendeles_bevitel.h Tnettfront_rendeles_bevitel.ui
  Tnettfront_rendelheto_meretek.cpp Tnettfront_rendelheto_meretek.h Tnettfront_rendelheto_meretek.ui
  Tnettfront_szin_valaszto.cpp Tnettfront_szin_valaszto.h Tnettfront_szin_valaszto.ui)
