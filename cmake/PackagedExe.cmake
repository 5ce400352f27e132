# add_packaged_exe(<target> ARCH i686|x86_64 JAR <jar target or file> OUTPUT <exe path>
#                  [SETTINGS <Name>=<text>...] [ALLOW_OVERLONG_SETTINGS]
#                  [VERSION <1.2.3> PRODUCT_NAME <text> DESCRIPTION <text> COPYRIGHT <text>
#                   [INTERNAL_NAME <name>]])
#
# Makes an application executable: the launcher linked with the given settings
# (RCDATA resources, neutral language, the text and one zero byte) and the
# application icon, followed by the jar appended unchanged. Setting names are
# ShippedRuntimeDir, LowestVersion, HighestVersion, StartInExeDir,
# NameProcessAfterExe, MessageTitle, PauseInOwnConsole, RuntimeOptions and
# AppArguments; a setting left out is absent, "Name=" is present and empty.
# Texts too long for the launcher's fields are refused unless ALLOW_OVERLONG_SETTINGS is given (for
# tests of how the launcher copes with them).
#
# With VERSION the executable carries a version resource: ProductName,
# FileDescription and LegalCopyright as given, FileVersion and ProductVersion
# the version, OriginalFilename the output's file name and InternalName that
# name without its extension unless INTERNAL_NAME is given. Windows shows them
# in the file's properties and in prompts that name the program.
include(${CMAKE_CURRENT_LIST_DIR}/LauncherLink.cmake)

function(add_packaged_exe target)
  cmake_parse_arguments(ARG "ALLOW_OVERLONG_SETTINGS"
    "ARCH;JAR;OUTPUT;VERSION;PRODUCT_NAME;DESCRIPTION;COPYRIGHT;INTERNAL_NAME" "SETTINGS" ${ARGN})
  if(NOT ARG_ARCH MATCHES "^(i686|x86_64)$" OR NOT ARG_JAR OR NOT ARG_OUTPUT)
    message(FATAL_ERROR "add_packaged_exe(${target}): ARCH (i686 or x86_64), JAR and OUTPUT are required")
  endif()
  set(jar_file ${ARG_JAR})
  set(jar_dependency "")
  if(TARGET ${ARG_JAR})
    get_target_property(jar_file ${ARG_JAR} JAR_FILE)
    set(jar_dependency ${ARG_JAR})
  endif()
  set(launcher_library ${LAUNCHER_WINDOWS_DIR_${ARG_ARCH}}/launcher/liblauncher.a)
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${target}.package)
  set(packager_options "")
  if(ARG_ALLOW_OVERLONG_SETTINGS)
    set(packager_options --allow-overlong)
  endif()
  if(DEFINED ARG_VERSION)
    if(NOT ARG_PRODUCT_NAME OR NOT ARG_DESCRIPTION OR NOT ARG_COPYRIGHT)
      message(FATAL_ERROR "add_packaged_exe(${target}): VERSION needs PRODUCT_NAME, DESCRIPTION and COPYRIGHT")
    endif()
    get_filename_component(original_filename ${ARG_OUTPUT} NAME)
    get_filename_component(internal_name ${ARG_OUTPUT} NAME_WE)
    if(ARG_INTERNAL_NAME)
      set(internal_name ${ARG_INTERNAL_NAME})
    endif()
    list(APPEND packager_options --version ${ARG_VERSION} --product-name ${ARG_PRODUCT_NAME}
         --file-description ${ARG_DESCRIPTION} --original-filename ${original_filename}
         --internal-name ${internal_name} --copyright ${ARG_COPYRIGHT})
  endif()
  file(MAKE_DIRECTORY ${work})
  launcher_link_options(${ARG_ARCH} link_options)

  add_custom_command(OUTPUT ${ARG_OUTPUT}
    COMMAND packager resources ${work} ${packager_options} ${ARG_SETTINGS}
    COMMAND ${ARG_ARCH}-w64-mingw32-windres --input-format=rc --output-format=coff
            -i resources.rc -o resources.o
    COMMAND ${ARG_ARCH}-w64-mingw32-g++ ${link_options} resources.o ${launcher_library}
            ${LAUNCHER_LINK_LIBRARIES} -o image.exe
    COMMAND packager append image.exe ${jar_file} ${ARG_OUTPUT}
    WORKING_DIRECTORY ${work}
    DEPENDS packager launcher-${ARG_ARCH} ${launcher_library} ${jar_file} ${jar_dependency}
    COMMENT "Packaging ${ARG_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${ARG_OUTPUT})
  set_target_properties(${target} PROPERTIES PACKAGED_EXE ${ARG_OUTPUT})
endfunction()
