# The printed order sheets of the Nettfront front orders: the sheets and their composite in the
# core, the preview call in the windows library.
target_sources(tvr_core PRIVATE
  FrontOrderSheets.cpp FrontOrderSheets.h
  Tnettfront_megrendelolap_nyomtatott.cpp Tnettfront_megrendelolap_nyomtatott.h
  Tnettfront_egyebtermek_megrendelolap_nyomtatott.cpp Tnettfront_egyebtermek_megrendelolap_nyomtatott.h)
target_sources(tvr_gui PRIVATE FrontOrderSheetPreview.cpp FrontOrderSheetPreview.h)
