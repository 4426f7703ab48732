target_sources(tvr_gui PRIVATE
  Tkatalogus_frissites.cpp Tkatalogus_frissites.h Tkatalogus_frissites.ui)
