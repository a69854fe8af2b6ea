# The Windows build's install rules: cmake --install into a folder gives the portable
# KORVEN folder (make windows: build-windows/KORVEN), and cpack -G NSIS the installer
# (build-windows/korven-VERSION-setup.exe). Everything lives in the one program folder:
# the programs, the Qt and MinGW runtime DLLs, the Qt plugins in their sub-folders, Qt's
# Polish texts in translations/ and the manual in doc/ (where the help command finds it).

set(windows_programs korven korven-cli)
if(TARGET avrosp)
    list(APPEND windows_programs avrosp)
endif()
install(TARGETS ${windows_programs} RUNTIME DESTINATION .)

get_filename_component(qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
foreach(module Core Gui Widgets PrintSupport SerialPort Charts)
    install(FILES "${qt_prefix}/bin/Qt6${module}.dll" DESTINATION .)
endforeach()
# The MinGW-w64 runtime the programs were linked against (POSIX threads).
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    install(FILES "${qt_prefix}/bin/${runtime}" DESTINATION .)
endforeach()
install(FILES "${qt_prefix}/plugins/platforms/qwindows.dll" DESTINATION platforms)
install(FILES "${qt_prefix}/plugins/imageformats/qjpeg.dll" DESTINATION imageformats)
install(FILES "${qt_prefix}/plugins/styles/qwindowsvistastyle.dll" DESTINATION styles)
# Qt's file, print and message dialogs in Polish: Debian's qt6-translations-l10n (the .qm
# files are the same on every platform).
set(KORVEN_QT_POLISH "/usr/share/qt6/translations/qtbase_pl.qm" CACHE FILEPATH
    "Qt's Polish texts for the Windows programs (Debian qt6-translations-l10n)")
install(FILES "${KORVEN_QT_POLISH}" DESTINATION translations)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/doc/manual/ DESTINATION doc)

# The portable folder, brought up to date by every build (the tests start the window
# from it, as a user would).
set(KORVEN_PORTABLE_DIR "${CMAKE_BINARY_DIR}/KORVEN")
add_custom_target(korven-portable ALL
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${KORVEN_PORTABLE_DIR}
            --strip > ${CMAKE_BINARY_DIR}/korven-portable.log
    COMMENT "Przenośny folder KORVEN")
add_dependencies(korven-portable ${windows_programs})

# The installer: 64-bit (Program Files), a Start menu entry, ".dat" programs opened by
# KORVEN, an uninstaller; /S installs and uninstalls silently.
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME KORVEN)
set(CPACK_PACKAGE_VENDOR KORVEN)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "KORVEN – programy ruchu dla mikroindeksera")
set(CPACK_PACKAGE_FILE_NAME "korven-${PROJECT_VERSION}-setup")
set(CPACK_PACKAGE_INSTALL_DIRECTORY KORVEN)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY KORVEN)
set(CPACK_PACKAGE_EXECUTABLES korven KORVEN)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_PACKAGE_NAME KORVEN)
set(CPACK_NSIS_DISPLAY_NAME KORVEN)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/shell/art/icons/korven.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/shell/art/icons/korven.ico")
set(CPACK_NSIS_INSTALLED_ICON_NAME korven.exe)
set(CPACK_NSIS_MENU_LINKS "doc/index.html" "Podręcznik KORVEN")
set(CPACK_STRIP_FILES ON)
# ".dat": KORVEN becomes the program that opens it; a program that opened it before is
# remembered and given it back by the uninstaller.
set(classes "Software\\\\Classes")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  ReadRegStr $0 SHCTX '${classes}\\\\.dat' ''
  StrCmp $0 'KORVEN.Program' korven_dat_owned
  StrCmp $0 '' korven_dat_owned
    WriteRegStr SHCTX '${classes}\\\\.dat' 'KORVEN.Backup' '$0'
  korven_dat_owned:
  WriteRegStr SHCTX '${classes}\\\\.dat' '' 'KORVEN.Program'
  WriteRegStr SHCTX '${classes}\\\\.dat\\\\OpenWithProgids' 'KORVEN.Program' ''
  WriteRegStr SHCTX '${classes}\\\\KORVEN.Program' '' 'Program mikroindeksera'
  WriteRegStr SHCTX '${classes}\\\\KORVEN.Program\\\\DefaultIcon' '' '$INSTDIR\\\\korven.exe,0'
  WriteRegStr SHCTX '${classes}\\\\KORVEN.Program\\\\shell\\\\open\\\\command' '' '\\\"$INSTDIR\\\\korven.exe\\\" \\\"%1\\\"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  ReadRegStr $0 SHCTX '${classes}\\\\.dat' ''
  StrCmp $0 'KORVEN.Program' 0 korven_dat_restored
    ReadRegStr $1 SHCTX '${classes}\\\\.dat' 'KORVEN.Backup'
    StrCmp $1 '' 0 korven_dat_previous
      DeleteRegValue SHCTX '${classes}\\\\.dat' ''
      Goto korven_dat_restored
    korven_dat_previous:
      WriteRegStr SHCTX '${classes}\\\\.dat' '' '$1'
  korven_dat_restored:
  DeleteRegValue SHCTX '${classes}\\\\.dat' 'KORVEN.Backup'
  DeleteRegValue SHCTX '${classes}\\\\.dat\\\\OpenWithProgids' 'KORVEN.Program'
  DeleteRegKey SHCTX '${classes}\\\\KORVEN.Program'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
")
include(CPack)
