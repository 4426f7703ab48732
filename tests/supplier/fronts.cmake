# Nettfront front orders: the pricing on the demo catalogue, and the order forms driven by name.
tvr_add_gtest(test_nettfront_pricing test_nettfront_pricing.cpp)
if(TARGET tvr_test_support_gui)
  tvr_add_qtest(test_nettfront_forms test_nettfront_forms.cpp)
endif()
