# Window-test support: answering modal dialogs, saving window pictures to the gallery.
add_library(tvr_test_support_gui STATIC
  Gallery.cpp Gallery.h
  ModalHelper.cpp ModalHelper.h)
target_link_libraries(tvr_test_support_gui PUBLIC tvr_test_support tvr_gui Qt6::Test)
