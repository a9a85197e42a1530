# Every outside library, found once, as an imported target.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

# foundation
pkg_check_modules(PLIST REQUIRED IMPORTED_TARGET libplist-2.0)
pkg_check_modules(PUGIXML REQUIRED IMPORTED_TARGET pugixml)
pkg_check_modules(ICU REQUIRED IMPORTED_TARGET icu-i18n icu-uc)
# ui
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
pkg_check_modules(PANGO REQUIRED IMPORTED_TARGET pangocairo pangoft2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
# media
pkg_check_modules(JPEG REQUIRED IMPORTED_TARGET libjpeg)
pkg_check_modules(EXIF REQUIRED IMPORTED_TARGET libexif)
pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET libavcodec libavformat libavutil libswscale)
# Live sources in front of the simulated camera: webcams and generated pictures.
pkg_check_modules(AVDEVICE REQUIRED IMPORTED_TARGET libavdevice)
pkg_check_modules(SNDFILE REQUIRED IMPORTED_TARGET sndfile)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)

if(NOT VANTOR_FUZZ)
  find_package(CLI11 CONFIG REQUIRED)
  if(VANTOR_BUILD_TESTS)
    find_package(GTest REQUIRED)
  endif()
  if(VANTOR_BUILD_BENCH)
    find_package(benchmark REQUIRED)
  endif()
endif()
