# The windows of the kitchen system.
target_sources(tvr_gui PRIVATE
  Tbutorlap_kivalaszto.cpp Tbutorlap_kivalaszto.h Tbutorlap_kivalaszto.ui
  Tdorvatbasic_butorlap_bevitel.cpp Tdorvatbasic_butorlap_bevitel.h Tdorvatbasic_butorlap_bevitel.ui
  Tdorvatbasic_munkalap_bevitel.cpp Tdorvatbasic_munkalap_bevitel.h Tdorvatbasic_munkalap_bevitel.ui)
target_sources(tvr_gui PRIVATE
  Tdorvatbasic_bevitel.cpp Tdorvatbasic_bevitel.h Tdorvatbasic_bevitel.ui)
