# Forest articles, store articles, glass, installation notes and stock handles: the prices and
# statements (GoogleTest) and the dialogs and editor pages (QtTest, offscreen).
tvr_add_gtest(test_forest_store_logic ${CMAKE_CURRENT_LIST_DIR}/test_forest_store_logic.cpp)
if(TARGET tvr_test_support_gui)
  tvr_add_qtest(test_forest_dialogs ${CMAKE_CURRENT_LIST_DIR}/test_forest_dialogs.cpp)
  set_tests_properties(test_forest_dialogs PROPERTIES TIMEOUT 300)
  tvr_add_qtest(test_store_dialogs ${CMAKE_CURRENT_LIST_DIR}/test_store_dialogs.cpp)
endif()
