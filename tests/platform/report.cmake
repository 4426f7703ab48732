# The report engine: layout into pages, PDF and pictures. Its own main creates the QGuiApplication
# that fonts need.
add_executable(test_report_engine test_report_engine.cpp)
target_link_libraries(test_report_engine PRIVATE tvr_test_support GTest::gtest Qt6::Gui)
add_test(NAME test_report_engine COMMAND test_report_engine)
set_tests_properties(test_report_engine PROPERTIES TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
# The printer path of the engine (the windows library).
if(TARGET tvr_test_support_gui)
  tvr_add_qtest(test_report_printer test_report_printer.cpp)
endif()
