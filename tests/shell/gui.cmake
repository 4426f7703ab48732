# Window tests of the shell: the common dialogs, the widget helpers, the main window's form.
tvr_add_qtest(test_common_dialogs test_common_dialogs.cpp)
tvr_add_qtest(test_error_reporter_exit test_error_reporter_exit.cpp)
tvr_add_qtest(test_main_form test_main_form.cpp)
tvr_add_qtest(test_modal_helper test_modal_helper.cpp)
tvr_add_qtest(test_shell_gallery test_shell_gallery.cpp)
