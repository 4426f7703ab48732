# Window tests of the platform helpers: keyboard convention of input forms, drawn pictures,
# password mask.
tvr_add_qtest(test_keyboard_navigation test_keyboard_navigation.cpp)
tvr_add_qtest(test_platform_widgets test_platform_widgets.cpp)
