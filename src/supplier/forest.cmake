# Forest articles with their pictures, store articles (sinks and taps), glass, installation notes
# and stock handles of a kitchen work.
target_sources(tvr_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ForestPictures.cpp ${CMAKE_CURRENT_LIST_DIR}/ForestPictures.h
  ${CMAKE_CURRENT_LIST_DIR}/IFACE_BASE_TVR_FOREST.cpp ${CMAKE_CURRENT_LIST_DIR}/IFACE_BASE_TVR_FOREST.h
  ${CMAKE_CURRENT_LIST_DIR}/StoreArticles.cpp ${CMAKE_CURRENT_LIST_DIR}/StoreArticles.h)

target_sources(tvr_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ForestPictureView.cpp ${CMAKE_CURRENT_LIST_DIR}/ForestPictureView.h
  ${CMAKE_CURRENT_LIST_DIR}/TForestPage.cpp ${CMAKE_CURRENT_LIST_DIR}/TForestPage.h
  ${CMAKE_CURRENT_LIST_DIR}/TForestPage.ui
  ${CMAKE_CURRENT_LIST_DIR}/TSinksPage.cpp ${CMAKE_CURRENT_LIST_DIR}/TSinksPage.h
  ${CMAKE_CURRENT_LIST_DIR}/TSinksPage.ui
  ${CMAKE_CURRENT_LIST_DIR}/Tarajanlathoz_raktari_fogo_bevitel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tarajanlathoz_raktari_fogo_bevitel.h
  ${CMAKE_CURRENT_LIST_DIR}/Tarajanlathoz_raktari_fogo_bevitel.ui
  ${CMAKE_CURRENT_LIST_DIR}/Taruhazi_termek_kivalaszto.cpp ${CMAKE_CURRENT_LIST_DIR}/Taruhazi_termek_kivalaszto.h
  ${CMAKE_CURRENT_LIST_DIR}/Taruhazi_termek_kivalaszto.ui
  ${CMAKE_CURRENT_LIST_DIR}/Tdorvatbasic_helyszini_beszereles_megjegyzese.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tdorvatbasic_helyszini_beszereles_megjegyzese.h
  ${CMAKE_CURRENT_LIST_DIR}/Tdorvatbasic_helyszini_beszereles_megjegyzese.ui
  ${CMAKE_CURRENT_LIST_DIR}/Tforest_listazo.cpp ${CMAKE_CURRENT_LIST_DIR}/Tforest_listazo.h
  ${CMAKE_CURRENT_LIST_DIR}/Tforest_listazo.ui
  ${CMAKE_CURRENT_LIST_DIR}/Tforest_megrendeles_tetel_bevitel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tforest_megrendeles_tetel_bevitel.h
  ${CMAKE_CURRENT_LIST_DIR}/Tforest_megrendeles_tetel_bevitel.ui
  ${CMAKE_CURRENT_LIST_DIR}/Tkepszerver_bevitel.cpp ${CMAKE_CURRENT_LIST_DIR}/Tkepszerver_bevitel.h
  ${CMAKE_CURRENT_LIST_DIR}/Tkepszerver_bevitel.ui
  ${CMAKE_CURRENT_LIST_DIR}/Tuveg_kivalasztasa.cpp ${CMAKE_CURRENT_LIST_DIR}/Tuveg_kivalasztasa.h
  ${CMAKE_CURRENT_LIST_DIR}/Tuveg_kivalasztasa.ui)
