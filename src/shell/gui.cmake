target_sources(tvr_gui PRIVATE
  CN_CommonWidgetFunctions.cpp CN_CommonWidgetFunctions.h
  TErrorDialog.cpp TErrorDialog.h TErrorDialog.ui
  TMainForm.cpp TMainForm.h TMainForm.ui
  TMessageDialog.cpp TMessageDialog.h TMessageDialog.ui
  Tkerdes.cpp Tkerdes.h Tkerdes.ui)
