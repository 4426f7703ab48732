# Window tests of the kitchen system.
tvr_add_qtest(test_cut_panel_dialog test_cut_panel_dialog.cpp)
tvr_add_qtest(test_worktop_dialog test_worktop_dialog.cpp)
tvr_add_qtest(test_kitchen_editor test_kitchen_editor.cpp)
target_link_libraries(test_kitchen_editor PRIVATE PkgConfig::SQLCIPHER)
