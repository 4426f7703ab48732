# The printed front order sheets: layout of fixture orders, the PDF, the preview and the gallery.
if(TARGET tvr_test_support_gui)
  tvr_add_qtest(test_front_order_sheets test_front_order_sheets.cpp)
endif()
