if(TARGET tvr_test_support_gui)
  tvr_add_qtest(test_update_gate test_update_gate.cpp)
  set_tests_properties(test_update_gate PROPERTIES TIMEOUT 300)
endif()
