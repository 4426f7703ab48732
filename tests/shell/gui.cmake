# Window tests of the shell: the common dialogs, the widget helpers, the main window's form, and the small
# dialogs of the quote list, the notes, the customer data and the password.
tvr_add_qtest(test_common_dialogs test_common_dialogs.cpp)
tvr_add_qtest(test_error_reporter_exit test_error_reporter_exit.cpp)
tvr_add_qtest(test_main_form test_main_form.cpp)
tvr_add_qtest(test_modal_helper test_modal_helper.cpp)
tvr_add_qtest(test_shell_gallery test_shell_gallery.cpp)
tvr_add_qtest(test_quote_dialogs test_quote_dialogs.cpp)
target_link_libraries(test_quote_dialogs PRIVATE PkgConfig::SQLCIPHER)
tvr_add_qtest(test_user_dialog test_user_dialog.cpp)
