target_sources(tvr_gui PRIVATE
  KeyboardNavigation.cpp KeyboardNavigation.h
  PasswordMask.cpp PasswordMask.h
  Pictures.cpp Pictures.h)

target_sources(tvr_gui PRIVATE ListerGrid.cpp ListerGrid.h)
