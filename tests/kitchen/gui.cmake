# Window tests of the kitchen system.
tvr_add_qtest(test_cut_panel_dialog test_cut_panel_dialog.cpp)
